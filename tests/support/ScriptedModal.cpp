#include "support/ScriptedModal.h"

#include <gtest/gtest.h>

#include <QObject>

namespace etikor::test {

namespace {
const char* PromptName(int what) {
    static const char* const names[] = {"message",        "input box",   "open dialog",   "save dialog",
                                        "picture dialog", "font dialog", "colour dialog", "printer dialog",
                                        "help",           "modal window"};
    return names[what];
}
} // namespace

ScriptedModal::ScriptedModal() = default;

ScriptedModal::~ScriptedModal() {
    Verify();
}

void ScriptedModal::Verify() {
    for (const auto& e : FExpected)
        ADD_FAILURE() << "Expected " << PromptName(static_cast<int>(e.What))
                      << " did not happen: " << e.Kind.toStdString() << " " << e.Text.toStdString()
                      << "\nPrompts seen:\n"
                      << FLog.join('\n').toStdString();
    FExpected.clear();
}

ScriptedModal& ScriptedModal::ExpectMessage(const QString& kind, const QString& text, bool answer) {
    FExpected.push_back({.What = Prompt::Message, .Kind = kind, .Text = text, .Answer = answer});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectMessageStartingWith(const QString& kind, const QString& prefix,
                                                        bool answer) {
    FExpected.push_back(
        {.What = Prompt::Message, .Kind = kind, .Text = prefix, .Answer = answer, .Prefix = true});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectInputBox(const QString& prompt, std::optional<QString> answer) {
    FExpected.push_back({.What = Prompt::Input, .Text = prompt, .Path = std::move(answer)});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectOpenFile(std::optional<QString> answer, OptionsCheck check) {
    FExpected.push_back({.What = Prompt::Open, .Path = std::move(answer), .Check = std::move(check)});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectSaveFile(std::optional<QString> answer, OptionsCheck check) {
    FExpected.push_back({.What = Prompt::Save, .Path = std::move(answer), .Check = std::move(check)});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectOpenPicture(std::optional<QString> answer, OptionsCheck check) {
    FExpected.push_back({.What = Prompt::Picture, .Path = std::move(answer), .Check = std::move(check)});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectFont(std::optional<TFontChoice> answer) {
    FExpected.push_back({.What = Prompt::Font, .Font = std::move(answer)});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectColor(std::optional<QColor> answer) {
    FExpected.push_back({.What = Prompt::Color, .Color = answer});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectPrinter(std::optional<TPrintChoice> answer) {
    FExpected.push_back({.What = Prompt::Printer, .Printer = answer});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectHelp(int topic) {
    FExpected.push_back({.What = Prompt::Help, .Number = topic});
    return *this;
}

ScriptedModal& ScriptedModal::ExpectModal(const QString& objectName, int result,
                                          std::function<int(QObject&)> run) {
    FExpected.push_back(
        {.What = Prompt::Window, .Text = objectName, .Number = result, .Run = std::move(run)});
    return *this;
}

std::optional<ScriptedModal::Expectation> ScriptedModal::Take(Prompt what, const QString& seen) {
    FLog << QString::fromLatin1(PromptName(static_cast<int>(what))) + QStringLiteral(": ") + seen;
    if (FExpected.empty()) {
        ADD_FAILURE() << "Unexpected " << PromptName(static_cast<int>(what)) << ": " << seen.toStdString();
        return std::nullopt;
    }
    if (FExpected.front().What != what) {
        ADD_FAILURE() << "Unexpected " << PromptName(static_cast<int>(what)) << ": " << seen.toStdString()
                      << "\n(expected " << PromptName(static_cast<int>(FExpected.front().What)) << ": "
                      << FExpected.front().Text.toStdString() << ")";
        // The script is out of step: one failure is enough, not another for the leftover.
        FExpected.pop_front();
        return std::nullopt;
    }
    Expectation e = std::move(FExpected.front());
    FExpected.pop_front();
    return e;
}

bool ScriptedModal::Message(const QString& /*title*/, const QString& text, const QString& kind) {
    auto e = Take(Prompt::Message, kind + QStringLiteral(" ") + text);
    if (!e)
        return false;
    EXPECT_EQ(kind.toStdString(), e->Kind.toStdString()) << "message: " << text.toStdString();
    if (e->Prefix) {
        EXPECT_TRUE(text.startsWith(e->Text)) << text.toStdString() << "\ndoes not begin with\n"
                                              << e->Text.toStdString();
    } else {
        EXPECT_EQ(text.toStdString(), e->Text.toStdString());
    }
    return e->Answer;
}

std::optional<QString> ScriptedModal::InputBox(const QString& caption, const QString& prompt,
                                               const QString& /*defaultValue*/) {
    auto e = Take(Prompt::Input, caption + QStringLiteral(" / ") + prompt);
    if (!e)
        return std::nullopt;
    EXPECT_EQ(prompt.toStdString(), e->Text.toStdString());
    return e->Path;
}

std::optional<QString> ScriptedModal::FileDialog(Prompt what, const char* /*name*/,
                                                 const TFileDialogOptions& options) {
    auto e = Take(what, options.Title);
    if (!e)
        return std::nullopt;
    if (e->Check)
        e->Check(options);
    return e->Path;
}

std::optional<QString> ScriptedModal::OpenFile(const TFileDialogOptions& options) {
    return FileDialog(Prompt::Open, "open", options);
}

std::optional<QString> ScriptedModal::SaveFile(const TFileDialogOptions& options) {
    return FileDialog(Prompt::Save, "save", options);
}

std::optional<QString> ScriptedModal::OpenPicture(const TFileDialogOptions& options) {
    return FileDialog(Prompt::Picture, "picture", options);
}

std::optional<TFontChoice> ScriptedModal::ChooseFont(const TFontChoice& initial) {
    auto e = Take(Prompt::Font, initial.Font.family());
    return e ? e->Font : std::nullopt;
}

std::optional<QColor> ScriptedModal::ChooseColor(const QColor& initial) {
    auto e = Take(Prompt::Color, initial.name());
    return e ? e->Color : std::nullopt;
}

std::optional<TPrintChoice> ScriptedModal::ChoosePrinter(const TPrintChoice& initial) {
    auto e = Take(Prompt::Printer, QString::number(initial.MaxPage));
    return e ? e->Printer : std::nullopt;
}

void ScriptedModal::ShowHelp(int topic) {
    auto e = Take(Prompt::Help, QString::number(topic));
    if (e)
        EXPECT_EQ(topic, e->Number);
}

int ScriptedModal::RunModal(QObject& window) {
    auto e = Take(Prompt::Window, window.objectName());
    if (!e)
        return 0;
    EXPECT_EQ(window.objectName().toStdString(), e->Text.toStdString());
    return e->Run ? e->Run(window) : e->Number;
}

} // namespace etikor::test
