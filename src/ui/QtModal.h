#pragma once

// The modal seam with real Qt dialogs: the message routine with its kind letters, the input
// box, file, font, colour and print dialogs, the help viewer and modal windows.

#include "services/Modal.h"

#include <functional>
#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace etikor {

// "Caption|*.ext|Other|*.a;*.b" as a Qt name filter ("Caption (*.ext);;Other (*.a *.b)").
QString QtFileFilter(const QString& filter);
// Message texts break lines with a carriage return; dialogs want a line feed.
QString DialogText(const QString& text);

class TQtModal : public IModal {
public:
    // The help topic the Help buttons show (the main window's help context).
    std::function<int()> HelpContext;
    // Shows a topic (the help viewer).
    std::function<void(int)> HelpViewer;
    // Parent of the dialogs; may be null.
    QWidget* Parent = nullptr;
    // Nobody is at the screen (a start-up check): messages go to standard error and answer No
    // instead of waiting in a box.
    bool Unattended = false;

    // The message box of a kind, not yet shown. Its Help button shows the current help
    // context and leaves the box open.
    std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, const QString& kind);
    // Whether the button the user pressed in a box of BuildMessageBox is Yes ("&Igen").
    static bool AnsweredYes(const QMessageBox& box);
    // The open or save dialog of the options, not yet shown. A save dialog does not ask about
    // an existing file itself: the program asks in its own words.
    std::unique_ptr<QFileDialog> BuildFileDialog(const TFileDialogOptions& options, bool save);

    bool Message(const QString& title, const QString& text, const QString& kind) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& defaultValue) override;
    std::optional<QString> OpenFile(const TFileDialogOptions& options) override;
    std::optional<QString> SaveFile(const TFileDialogOptions& options) override;
    std::optional<QString> OpenPicture(const TFileDialogOptions& options) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    std::optional<TPrintChoice> ChoosePrinter(const TPrintChoice& initial) override;
    void ShowHelp(int topic) override;
    int RunModal(QObject& window) override;

private:
    std::optional<QString> FileDialog(const TFileDialogOptions& options, bool save);
};

} // namespace etikor
