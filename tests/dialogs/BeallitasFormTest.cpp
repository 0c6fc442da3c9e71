#include "dialogs/BeallitasForm.h"

#include "document/TemplateSchema.h"
#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace etikor {
namespace {

using test::ScriptedModal;
using test::TempDir;

const QString kRestoreQuestion = QStringLiteral("Valóban visszaállítja az alapbeállításokat?");

// A settings file in a temporary program folder, the settings read from it, and the dialog.
class BeallitasFormTest : public testing::Test {
protected:
    BeallitasFormTest() : file_(QString::fromStdString(dir_.path().string())) {}

    TBeallitasForm& Open() {
        settings_ = file_.Read();
        form_ = std::make_unique<TBeallitasForm>(settings_, file_, modal_);
        return *form_;
    }
    template <typename T>
    T* Child(const char* name) const {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QCheckBox* Box(const char* name) const { return Child<QCheckBox>(name); }
    QDoubleSpinBox* Mm(const char* name) const { return Child<QDoubleSpinBox>(name); }
    bool FileExists() const { return QFile::exists(file_.Path()); }
    // Runs the dialog; `drive` acts on it while it is "shown".
    int Run(std::function<void()> drive, int page = -1) {
        modal_.ExpectModal(QStringLiteral("BeallitasForm"), 0, [this, drive](QObject&) {
            drive();
            return form_->result();
        });
        return form_->Execute(page);
    }

    TempDir dir_;
    TSettingsFile file_;
    TSettings settings_;
    ScriptedModal modal_;
    std::unique_ptr<TBeallitasForm> form_;
};

// Every control with its page, caption or hint, and limits.
TEST_F(BeallitasFormTest, Controls) {
    TBeallitasForm& form = Open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Beállítások"));
    EXPECT_EQ(form.size(), QSize(456, 339));
    QStringList pages;
    for (int i = 0; i < form.Lapok->count(); ++i)
        pages << form.Lapok->tabText(i);
    EXPECT_EQ(pages, (QStringList{QStringLiteral("Általános"), QStringLiteral("Etikett oldal"),
                                  QStringLiteral("Etikett címke"), QStringLiteral("Vonalkód")}));

    struct BoxRow {
        const char* Name;
        int Page;
        QString Caption;
    } boxes[] = {
        {"cbAutoSugo", 0, QStringLiteral("&Indításkor jelenjen meg a Súgó")},
        {"cbAOrsina", 0, QStringLiteral("&Indításkor jelenjen meg a Varázsló (Orsina)")},
        {"cbSecurity", 3, QStringLiteral("&Security")},
        {"cbAutoChD", 3, QStringLiteral("&Ellenőrző szám automatikusan (Codabar, Code39, Code128)")},
        {"cbAutoBetu", 3, QStringLiteral("Automatikus &betűméret")},
        {"cbAutoVonal", 3, QStringLiteral("Automatikus &vonalkód méret")},
        {"cbAutoExcel", 3, QStringLiteral("Adatforrás &automatikus megnyitása")},
    };
    for (const BoxRow& row : boxes) {
        SCOPED_TRACE(row.Name);
        QCheckBox* box = Box(row.Name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), row.Caption);
        EXPECT_TRUE(form.Lapok->widget(row.Page)->isAncestorOf(box));
    }

    // Caption: the label whose buddy the field is.
    auto captionOf = [&](QWidget* field) {
        for (QLabel* l : form.findChildren<QLabel*>())
            if (l->buddy() == field)
                return l->text();
        return QString();
    };
    struct MmRow {
        const char* Name;
        int Page;
        QString Caption;
        QString Hint;
        double Min, Max;
        int Decimals;
    } fields[] = {
        {"OldalHossz", 1, QStringLiteral("Oldal hossz."), QStringLiteral("Oldal hosszúsága"), 10, 297, 1},
        {"OldalSzel", 1, QStringLiteral("Oldal szélesség"), QStringLiteral("Oldal szélessége"), 10, 210, 1},
        {"Felsom", 1, QStringLiteral("Felső margo"), {}, 0, 200, 1},
        {"Balm", 1, QStringLiteral("Bal margo"), {}, 0, 200, 1},
        {"Jobbm", 1, QStringLiteral("Jobb margo"), {}, 0, 200, 1},
        {"Alsom", 1, QStringLiteral("Alsó margo"), {}, 0, 200, 1},
        {"CMagassag", 2, QStringLiteral("Cimke &magassága:"), QStringLiteral("Címke magassága"), 10, 297, 2},
        {"CSzelesseg", 2, QStringLiteral("Cimke &szélessége:"), QStringLiteral("Címke szélessége"), 10, 210,
         2},
        {"CTerkoz", 2, QStringLiteral("Címke oszlopok közötti távolság:"),
         QStringLiteral("Cimkék közötti térköz"), 0, 100, 1},
    };
    for (const MmRow& row : fields) {
        SCOPED_TRACE(row.Name);
        QDoubleSpinBox* spin = Mm(row.Name);
        ASSERT_NE(spin, nullptr);
        EXPECT_TRUE(form.Lapok->widget(row.Page)->isAncestorOf(spin));
        EXPECT_EQ(captionOf(spin), row.Caption);
        EXPECT_EQ(spin->toolTip(), row.Hint);
        EXPECT_EQ(spin->minimum(), row.Min);
        EXPECT_EQ(spin->maximum(), row.Max);
        EXPECT_EQ(spin->decimals(), row.Decimals);
        EXPECT_EQ(spin->suffix(), QStringLiteral(" mm"));
    }
    QSpinBox* columns = Child<QSpinBox>("COszlopok");
    EXPECT_EQ(captionOf(columns), QStringLiteral("Cimke oszlopok száma /lap:"));
    EXPECT_EQ(columns->minimum(), 1);
    EXPECT_EQ(columns->maximum(), 15);
    EXPECT_TRUE(form.Lapok->widget(2)->isAncestorOf(columns));

    struct ButtonRow {
        const char* Name;
        QString Caption;
        QString Hint;
    } buttons[] = {
        {"A4Gomb", QStringLiteral("A4"), QStringLiteral("A4 -es oldal méret beállítása")},
        {"RendbenGomb", QStringLiteral("Rendben"), QStringLiteral("Rögzítés")},
        {"VisszaGomb", QStringLiteral("Vissza"), QStringLiteral("Alapbeállítások visszaállítása")},
        {"SugoGomb", QStringLiteral("Súgó"), {}},
    };
    for (const ButtonRow& row : buttons) {
        SCOPED_TRACE(row.Name);
        QPushButton* b = Child<QPushButton>(row.Name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), row.Caption);
        EXPECT_EQ(b->toolTip(), row.Hint);
        EXPECT_TRUE(b->isEnabled());
    }
}

// Showing sets the check boxes from the current settings; the fields show the settings' page
// and label values.
// Under English every page of the dialog is English.
TEST_F(BeallitasFormTest, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    TBeallitasForm& form = Open();
    EXPECT_EQ(test::HungarianTexts(form), QStringList());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Settings"));
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Restore the default settings?"), false);
    Child<QPushButton>("VisszaGomb")->click();
    modal_.Verify();
}

TEST_F(BeallitasFormTest, ShowsTheSettings) {
    TSettings s;
    s.AutoSugo = false;
    s.AutoOrsina = true;
    s.AutoChd = false;
    s.AutoAdatforras = false;
    s.Page.LabelWidthMm = 48.25;
    s.Page.Columns = 4;
    s.Page.TopMarginMm = 7.5;
    file_.Write(s);
    Open();
    settings_.AutoVonal = false; // changed while the program ran, after the dialog was built
    Run([this] {
        EXPECT_FALSE(Box("cbAutoSugo")->isChecked());
        EXPECT_TRUE(Box("cbAOrsina")->isChecked());
        EXPECT_TRUE(Box("cbSecurity")->isChecked());
        EXPECT_FALSE(Box("cbAutoChD")->isChecked());
        EXPECT_TRUE(Box("cbAutoBetu")->isChecked());
        EXPECT_FALSE(Box("cbAutoVonal")->isChecked());
        EXPECT_FALSE(Box("cbAutoExcel")->isChecked());
        EXPECT_EQ(Mm("CSzelesseg")->value(), 48.25);
        EXPECT_EQ(Child<QSpinBox>("COszlopok")->value(), 4);
        EXPECT_EQ(Mm("Felsom")->value(), 7.5);
        EXPECT_EQ(Mm("OldalHossz")->value(), 297);
        form_->reject();
    });
}

// Esc throws away the check boxes but the page and label fields have already acted as the
// template defaults; nothing is written.
TEST_F(BeallitasFormTest, EscKeepsTheFlagsButNotTheGeometry) {
    Open();
    Run([this] {
        Box("cbAutoBetu")->click();
        Mm("CSzelesseg")->setValue(50);
        QTest::keyClick(Box("cbAutoBetu"), Qt::Key_Escape);
    });
    EXPECT_EQ(form_->result(), QDialog::Rejected);
    EXPECT_TRUE(settings_.AutoBetu);
    EXPECT_EQ(settings_.Page.LabelWidthMm, 50);
    EXPECT_EQ(settings_.Page.LabelWidthMm, 50) << "a new template without page setup";
    EXPECT_FALSE(FileExists());
    // The next showing has the box ticked again.
    Run([this] {
        EXPECT_TRUE(Box("cbAutoBetu")->isChecked());
        form_->reject();
    });
}

// "Rendben" copies all seven boxes into the settings and writes the file with the fields.
TEST_F(BeallitasFormTest, ConfirmCopiesAndWrites) {
    Open();
    int saved = 0, changed = 0;
    form_->SettingsChanged = [&] { ++changed; };
    Run([this] {
        for (const char* name : {"cbAutoSugo", "cbAOrsina", "cbSecurity", "cbAutoChD", "cbAutoBetu",
                                 "cbAutoVonal", "cbAutoExcel"})
            Box(name)->click();
        Mm("CTerkoz")->setValue(4.5);
        Child<QSpinBox>("COszlopok")->setValue(2);
        Child<QPushButton>("RendbenGomb")->click();
    });
    EXPECT_EQ(form_->result(), QDialog::Accepted);
    EXPECT_EQ(changed, 1);
    const TSettings written = file_.Read();
    for (const TSettings* s : {static_cast<const TSettings*>(&settings_), &written}) {
        EXPECT_FALSE(s->AutoSugo);
        EXPECT_TRUE(s->AutoOrsina);
        EXPECT_FALSE(s->Security);
        EXPECT_FALSE(s->AutoChd);
        EXPECT_FALSE(s->AutoBetu);
        EXPECT_FALSE(s->AutoVonal);
        EXPECT_FALSE(s->AutoAdatforras);
        EXPECT_EQ(s->Page.ColumnSpaceMm, 4.5);
        EXPECT_EQ(s->Page.Columns, 2);
    }
    // The program's own save, when it gives one, is used instead.
    form_->Save = [&] { ++saved; };
    QFile::remove(file_.Path());
    Run([this] { Child<QPushButton>("RendbenGomb")->click(); });
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(FileExists());
}

// "Vissza": Yes with a file restores the defaults of a missing file into the fields, the boxes
// and the settings; Yes without a file and No change nothing. Nothing is written.
TEST_F(BeallitasFormTest, RestoreDefaults) {
    struct Row {
        const char* Case;
        bool WithFile;
        bool Answer;
        bool Restored;
    } rows[] = {
        {"file, Yes", true, true, true},
        {"file, No", true, false, false},
        {"no file, Yes", false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        QFile::remove(file_.Path());
        TSettings s;
        s.Utolso = QStringLiteral("minta.ctv");
        s.Page.LabelHeightMm = 20;
        s.AutoBetu = false;
        if (row.WithFile)
            file_.Write(s);
        Open();
        settings_ = s;
        form_->ShowFlags();
        Mm("CMagassag")->setValue(20);
        Mm("OldalSzel")->setValue(100); // changed here, not yet written
        int changed = 0;
        form_->SettingsChanged = [&] { ++changed; };
        modal_.ExpectMessage(QStringLiteral("K"), kRestoreQuestion, row.Answer);
        Child<QPushButton>("VisszaGomb")->click();
        modal_.Verify();
        EXPECT_EQ(changed, row.Restored ? 1 : 0);
        EXPECT_EQ(Mm("CMagassag")->value(), row.Restored ? 38.1 : 20);
        EXPECT_EQ(settings_.Page.LabelHeightMm, row.Restored ? 38.1 : 20);
        EXPECT_EQ(Mm("OldalSzel")->value(), row.Restored ? 210 : 100);
        EXPECT_EQ(Mm("Felsom")->value(), 13);
        EXPECT_EQ(Box("cbAutoBetu")->isChecked(), row.Restored);
        EXPECT_EQ(settings_.AutoBetu, row.Restored);
        EXPECT_EQ(settings_.Utolso, QStringLiteral("minta.ctv")) << "not a setting of the dialog";
        EXPECT_EQ(FileExists(), row.WithFile && !row.Restored);
    }
}

// A4, Enter between fields, F1 and the help button, the page asked for and the help context
// while the dialog is open.
TEST_F(BeallitasFormTest, KeysAndButtons) {
    Open();
    int context = 10;
    form_->HelpContext = [&] { return context; };
    form_->SetHelpContext = [&](int topic) { context = topic; };
    modal_.ExpectModal(QStringLiteral("BeallitasForm"), 0, [&](QObject&) {
        EXPECT_EQ(form_->Lapok->currentIndex(), int(TBeallitasForm::kEtikettCimke));
        EXPECT_EQ(context, 20);
        Mm("OldalSzel")->setValue(100);
        Mm("OldalHossz")->setValue(150);
        Child<QPushButton>("A4Gomb")->click();
        EXPECT_EQ(Mm("OldalSzel")->value(), 210);
        EXPECT_EQ(Mm("OldalHossz")->value(), 297);
        EXPECT_EQ(settings_.Page.PageWidthMm, 210);

        modal_.ExpectHelp(20);
        QTest::keyClick(Mm("CMagassag"), Qt::Key_F1);
        modal_.ExpectHelp(20);
        Child<QPushButton>("SugoGomb")->click();
        form_->reject();
        return form_->result();
    });
    form_->Execute(TBeallitasForm::kEtikettCimke);
    EXPECT_EQ(context, 10);

    // Enter goes to the next control and does not press a button.
    form_->show();
    form_->Lapok->setCurrentIndex(TBeallitasForm::kEtikettCimke);
    QApplication::setActiveWindow(form_.get());
    Mm("CMagassag")->setFocus();
    QTest::keyClick(Mm("CMagassag"), Qt::Key_Return);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_NE(QApplication::focusWidget(), Mm("CMagassag"));
    form_->hide();
}

// Each page drawn offscreen, for a look at the layout (build/tests/dialogs/*.png).
TEST_F(BeallitasFormTest, Pictures) {
    Open();
    form_->show();
    for (int i = 0; i < form_->Lapok->count(); ++i) {
        form_->Lapok->setCurrentIndex(i);
        const QImage image = form_->grab().toImage();
        EXPECT_EQ(image.size(), QSize(456, 339) * image.devicePixelRatio());
        image.save(QCoreApplication::applicationDirPath() + QStringLiteral("/Beallitasok-%1.png").arg(i));
    }
    form_->hide();
}

} // namespace
} // namespace etikor
