#pragma once

// Every modal interaction of the program goes through this interface: the message routine,
// the input box, the file, font, colour and printer dialogs, the help viewer and the running of
// a modal window. The program installs the implementation with real dialogs; tests install a
// scripted stand-in, so no test ever waits on a real dialog.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>

#include <functional>
#include <optional>

class QObject;

namespace etikor {

// What an open or save dialog is given. Filter uses the "Caption|*.ext" form of the program.
struct TFileDialogOptions {
    QString Title;
    QString InitialDir;
    QString FileName;
    QString Filter;
    QString DefaultExt;
    bool MustExist = false;  // open: the chosen file must exist
    bool ChangesDir = false; // whether the dialog may change the process's current folder
};

// The font dialog's value: the font with its effects and its colour.
struct TFontChoice {
    QFont Font;
    QColor Color;
};

// The print dialog's value (copies, collation, page range).
struct TPrintChoice {
    int MinPage = 1;
    int MaxPage = 1;
    int FromPage = 0; // 0: all pages
    int ToPage = 0;
    int Copies = 1;
    bool Collate = false;
    // The queue chosen (the system's default when empty), or the PDF file chosen instead of a
    // queue ("print to file"). On the way in: the printer to offer first.
    QString PrinterName;
    QString OutputFile;
};

// How the message routine shows a kind letter: "H" error, "I" information, "K" confirmation,
// "i" information with help, any other letter a warning. Button texts carry their "&" accels.
enum class TMessageIcon : uint8_t { Error, Information, Question, Warning };
struct TMessageStyle {
    TMessageIcon Icon;
    QString Caption;
    QStringList Buttons; // in order; the Yes button of "K" is the first
    bool HasHelp;
};
TMessageStyle MessageStyle(const QString& kind);

class IModal {
public:
    virtual ~IModal();

    // The message routine. Kind "H" error, "I" information, "K" confirmation, "i" information
    // with help, anything else a warning. True only when the user answers Yes.
    virtual bool Message(const QString& title, const QString& text, const QString& kind) = 0;
    // The text input box; nullopt when cancelled.
    virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                            const QString& defaultValue) = 0;
    // File dialogs return the chosen full path; nullopt when cancelled.
    virtual std::optional<QString> OpenFile(const TFileDialogOptions& options) = 0;
    virtual std::optional<QString> SaveFile(const TFileDialogOptions& options) = 0;
    virtual std::optional<QString> OpenPicture(const TFileDialogOptions& options) = 0;
    virtual std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    virtual std::optional<TPrintChoice> ChoosePrinter(const TPrintChoice& initial) = 0;
    virtual void ShowHelp(int topic) = 0;
    // Shows a window modally (the implementation knows its widget type) and returns its modal
    // result.
    virtual int RunModal(QObject& window) = 0;
};

// The modal seam without windows, for the command-line tools and benchmarks: every question is
// answered the same way, dialogs are cancelled, and the errors and warnings are kept.
class TUnattendedModal final : public IModal {
public:
    explicit TUnattendedModal(bool answerYes) : FAnswerYes(answerYes) {}
    // The texts of the error ("H") and warning messages, in order.
    QStringList Problems;

    bool Message(const QString& title, const QString& text, const QString& kind) override;
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> OpenFile(const TFileDialogOptions&) override { return {}; }
    std::optional<QString> SaveFile(const TFileDialogOptions&) override { return {}; }
    std::optional<QString> OpenPicture(const TFileDialogOptions&) override { return {}; }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override { return {}; }
    std::optional<QColor> ChooseColor(const QColor&) override { return {}; }
    std::optional<TPrintChoice> ChoosePrinter(const TPrintChoice&) override { return {}; }
    void ShowHelp(int) override {}
    int RunModal(QObject&) override { return 0; }

private:
    bool FAnswerYes;
};

// The process-wide instance the windows use. Null until the program or a test installs one.
IModal& Modal();
void SetModal(IModal* modal);

} // namespace etikor
