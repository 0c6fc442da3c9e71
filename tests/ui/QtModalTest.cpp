#include "ui/QtModal.h"

#include "support/HungarianText.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace etikor {
namespace {

QStringList ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

QAbstractButton* Button(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

// The message routine's table of kinds: dialog type, caption and buttons.
TEST(QtModal, MessageBoxPerKind) {
    struct Row {
        const char* Kind;
        QMessageBox::Icon Icon;
        QString Caption;
        QStringList Buttons; // sorted
    };
    const Row rows[] = {
        {"H",
         QMessageBox::Critical,
         QStringLiteral("Hiba"),
         {QStringLiteral("&Megszakít"), QStringLiteral("&Súgó")}},
        {"I", QMessageBox::Information, QStringLiteral("Információ"), {QStringLiteral("OK")}},
        {"K",
         QMessageBox::Question,
         QStringLiteral("Kérdés"),
         {QStringLiteral("&Igen"), QStringLiteral("&Nem"), QStringLiteral("&Súgó")}},
        {"i",
         QMessageBox::Information,
         QStringLiteral("Információ"),
         {QStringLiteral("&Súgó"), QStringLiteral("OK")}},
        {"F", QMessageBox::Warning, QStringLiteral("Figyelmeztetés"), {QStringLiteral("OK")}},
        {"x", QMessageBox::Warning, QStringLiteral("Figyelmeztetés"), {QStringLiteral("OK")}},
    };
    TQtModal modal;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Kind);
        auto box = modal.BuildMessageBox(QStringLiteral("egy\rkettő"), QString::fromLatin1(row.Kind));
        EXPECT_EQ(box->icon(), row.Icon);
        EXPECT_EQ(box->windowTitle(), row.Caption);
        EXPECT_EQ(ButtonTexts(*box), row.Buttons);
        // A carriage return breaks the line.
        EXPECT_EQ(box->text(), QStringLiteral("egy\nkettő"));
    }
}

// Help shows the current help context and leaves the box open; only Yes answers true.
TEST(QtModal, HelpButtonShowsTheCurrentContextAndOnlyYesIsTrue) {
    TQtModal modal;
    int context = 26;
    QList<int> shown;
    modal.HelpContext = [&] { return context; };
    modal.HelpViewer = [&](int topic) { shown << topic; };
    auto box = modal.BuildMessageBox(QStringLiteral("Biztos?"), QStringLiteral("K"));
    box->show();
    Button(*box, QStringLiteral("&Súgó"))->click();
    context = 18;
    Button(*box, QStringLiteral("&Súgó"))->click();
    EXPECT_EQ(shown, (QList<int>{26, 18}));
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(TQtModal::AnsweredYes(*box));
    Button(*box, QStringLiteral("&Igen"))->click();
    EXPECT_TRUE(TQtModal::AnsweredYes(*box));
    EXPECT_FALSE(box->isVisible());

    auto no = modal.BuildMessageBox(QStringLiteral("Biztos?"), QStringLiteral("K"));
    no->show();
    Button(*no, QStringLiteral("&Nem"))->click();
    EXPECT_FALSE(TQtModal::AnsweredYes(*no));
    auto ok = modal.BuildMessageBox(QStringLiteral("Kész."), QStringLiteral("I"));
    ok->show();
    Button(*ok, QStringLiteral("OK"))->click();
    EXPECT_FALSE(TQtModal::AnsweredYes(*ok));
}

// Under English the boxes' captions and buttons are English; Help still shows the help and
// only Yes answers true.
TEST(QtModal, EnglishBoxes) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    const struct {
        const char* Kind;
        QString Caption;
        QStringList Buttons; // sorted
    } rows[] = {
        {"H", QStringLiteral("Error"), {QStringLiteral("&Abort"), QStringLiteral("&Help")}},
        {"I", QStringLiteral("Information"), {QStringLiteral("OK")}},
        {"K",
         QStringLiteral("Question"),
         {QStringLiteral("&Help"), QStringLiteral("&No"), QStringLiteral("&Yes")}},
        {"F", QStringLiteral("Warning"), {QStringLiteral("OK")}},
    };
    TQtModal modal;
    QList<int> shown;
    modal.HelpContext = [] { return 26; };
    modal.HelpViewer = [&](int topic) { shown << topic; };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Kind);
        auto box = modal.BuildMessageBox(QStringLiteral("Text"), QString::fromLatin1(row.Kind));
        EXPECT_EQ(box->windowTitle(), row.Caption);
        EXPECT_EQ(ButtonTexts(*box), row.Buttons);
        EXPECT_EQ(test::HungarianTexts(*box), QStringList());
    }
    auto box = modal.BuildMessageBox(QStringLiteral("Sure?"), QStringLiteral("K"));
    box->show();
    Button(*box, QStringLiteral("&Help"))->click();
    EXPECT_EQ(shown, QList<int>{26});
    EXPECT_TRUE(box->isVisible());
    Button(*box, QStringLiteral("&Yes"))->click();
    EXPECT_TRUE(TQtModal::AnsweredYes(*box));
}

// The buttons appear in the routine's order, whatever order the platform gives button roles.
TEST(QtModal, ButtonsInTheRoutinesOrder) {
    const std::pair<const char*, QStringList> rows[] = {
        {"K", {QStringLiteral("&Igen"), QStringLiteral("&Nem"), QStringLiteral("&Súgó")}},
        {"H", {QStringLiteral("&Megszakít"), QStringLiteral("&Súgó")}},
        {"i", {QStringLiteral("OK"), QStringLiteral("&Súgó")}},
    };
    TQtModal modal;
    for (const auto& [kind, order] : rows) {
        SCOPED_TRACE(kind);
        auto box = modal.BuildMessageBox(QStringLiteral("Biztos?"), QString::fromLatin1(kind));
        box->show();
        QApplication::processEvents();
        QList<QAbstractButton*> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(),
                  [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
        QStringList shown;
        for (QAbstractButton* b : buttons)
            shown << b->text();
        EXPECT_EQ(shown, order);
        // Escape answers with the last closing button, never Yes.
        EXPECT_EQ(box->escapeButton()->text(), order.at(order.size() - 2));
        EXPECT_EQ(box->defaultButton()->text(), order.front());
    }
}

// A box with a short text is still as wide as its whole caption, with the application name the
// window system appends, so the title bar does not cut it.
TEST(QtModal, ShortMessagesKeepTheirCaptionReadable) {
    const QString displayName = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Etikor"));
    TQtModal modal;
    for (const char* kind : {"F", "H", "K", "I"}) {
        SCOPED_TRACE(kind);
        auto box = modal.BuildMessageBox(QStringLiteral("Nincs adatforrás!"), QString::fromLatin1(kind));
        box->show();
        QApplication::processEvents();
        QFont titleFont = box->font();
        titleFont.setBold(true);
        const int caption =
            QFontMetrics(titleFont).horizontalAdvance(box->windowTitle() + QStringLiteral(" — Etikor"));
        EXPECT_GE(box->width(), caption + 100);
    }
    QGuiApplication::setApplicationDisplayName(displayName);
}

// The file dialogs carry the program's titles, and Save as asks about an existing file only in
// the program's own words.
TEST(QtModal, FileDialogs) {
    TQtModal modal;
    TFileDialogOptions options;
    options.Title = QStringLiteral("Címke sablon [Mentés másként]");
    options.Filter = QStringLiteral("Etikor címke file|*.ctv");
    options.DefaultExt = QStringLiteral("*.ctv");
    auto save = modal.BuildFileDialog(options, true);
    EXPECT_EQ(save->windowTitle(), options.Title);
    EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("ctv"));
    EXPECT_EQ(save->nameFilters(), QStringList{QStringLiteral("Etikor címke file (*.ctv)")});

    options.Title = QStringLiteral("Etikor címke file");
    options.MustExist = true;
    auto open = modal.BuildFileDialog(options, false);
    EXPECT_EQ(open->windowTitle(), options.Title);
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
}

// With several file types a name typed without extension takes the one of the type chosen.
TEST(QtModal, SaveDialogExtensionFollowsTheFileType) {
    TQtModal modal;
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Excel 2.x munkalap|*.xls|Excel munkafüzet|*.xlsx");
    options.DefaultExt = QStringLiteral("xls");
    auto save = modal.BuildFileDialog(options, true);
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("xls"));
    Q_EMIT save->filterSelected(QStringLiteral("Excel munkafüzet (*.xlsx)"));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("xlsx"));
    Q_EMIT save->filterSelected(QStringLiteral("Excel 2.x munkalap (*.xls)"));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("xls"));
}

// The program's "Caption|*.ext" filters as Qt name filters.
TEST(QtModal, FileFilters) {
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("CIMKE fileok|*.ctv"), QStringLiteral("CIMKE fileok (*.ctv)")},
        {QStringLiteral("Képek|*.bmp;*.jpg|Ikon|*.ico"), QStringLiteral("Képek (*.bmp *.jpg);;Ikon (*.ico)")},
        {QString(), QString()},
    };
    for (const auto& [in, out] : rows)
        EXPECT_EQ(QtFileFilter(in), out) << in.toStdString();
}

} // namespace
} // namespace etikor
