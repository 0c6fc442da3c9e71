#pragma once

// A stand-in for the modal interactions: the test lists the prompts it expects, in order, with
// the answers to give. Any prompt that is not the next expected one fails the test (and gets a
// negative answer); expectations left over when the object goes away fail it too. The code
// under test is given it wherever it takes an IModal&.

#include "services/Modal.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <variant>

namespace etikor::test {

class ScriptedModal : public IModal {
public:
    ScriptedModal();
    ~ScriptedModal() override;
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;

    // A message of this kind and exact text; returns `answer` (meaningful for "K").
    ScriptedModal& ExpectMessage(const QString& kind, const QString& text, bool answer = false);
    // A message whose text begins with `prefix` (texts that carry another component's reason).
    ScriptedModal& ExpectMessageStartingWith(const QString& kind, const QString& prefix, bool answer = false);
    ScriptedModal& ExpectInputBox(const QString& prompt, std::optional<QString> answer);
    // Dialogs: `check` (optional) sees the options the code passed; the answer is a path or
    // nullopt for Cancel.
    using OptionsCheck = std::function<void(const TFileDialogOptions&)>;
    ScriptedModal& ExpectOpenFile(std::optional<QString> answer, OptionsCheck check = {});
    ScriptedModal& ExpectSaveFile(std::optional<QString> answer, OptionsCheck check = {});
    ScriptedModal& ExpectOpenPicture(std::optional<QString> answer, OptionsCheck check = {});
    ScriptedModal& ExpectFont(std::optional<TFontChoice> answer);
    ScriptedModal& ExpectColor(std::optional<QColor> answer);
    ScriptedModal& ExpectPrinter(std::optional<TPrintChoice> answer);
    ScriptedModal& ExpectHelp(int topic);
    // A window with this objectName; `run` (optional) may drive it and returns the result.
    ScriptedModal& ExpectModal(const QString& objectName, int result, std::function<int(QObject&)> run = {});

    // Fails the test for every expectation not yet met and forgets them.
    void Verify();
    bool Done() const { return FExpected.empty(); }
    // Every prompt seen, in order ("K: text", "open: title", ...), for failure output.
    const QStringList& Log() const { return FLog; }

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
    enum class Prompt { Message, Input, Open, Save, Picture, Font, Color, Printer, Help, Window };
    struct Expectation {
        Prompt What;
        QString Kind;
        QString Text;
        int Number = 0;
        bool Answer = false;
        bool Prefix = false;
        std::optional<QString> Path;
        OptionsCheck Check;
        std::optional<TFontChoice> Font;
        std::optional<QColor> Color;
        std::optional<TPrintChoice> Printer;
        std::function<int(QObject&)> Run;
    };
    // The next expectation when it is of kind `what`; fails the test otherwise.
    std::optional<Expectation> Take(Prompt what, const QString& seen);
    std::optional<QString> FileDialog(Prompt what, const char* name, const TFileDialogOptions& options);

    std::deque<Expectation> FExpected;
    QStringList FLog;
};

} // namespace etikor::test
