#include "dialogs/OrsinaForm.h"

#include "support/HungarianText.h"
#include "support/ScriptedModal.h"
#include "ui/RadioList.h"
#include "ui/StockChooser.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace etikor {
namespace {

using test::ScriptedModal;

const QString kUse = QStringLiteral("Felhasználod a beállított adatokat?");
const QString kEmpty = QStringLiteral("Nincs, vagy üres az adatforrás!");
const QString kNewTemplate = QStringLiteral("A varázsló futtatása előtt célszerű egy új sablont létrehozni.\r"
                                            "Létrehozzunk egy új címke-sablont?");

// The main window as the wizard sees it, recording what it was asked to do. The link is a
// stored flag and a workbook; "series" and "sheet" are the two data sources.
struct FakeHost : IOrsinaHost {
    TPageSetup Main;
    std::optional<TPageSetup> Applied;
    QStringList Calls;
    int Context = 10;
    bool Link = false;
    bool StoredLink = false; // the series record's ODBC flag
    QString Workbook;
    int SeriesRecords = 5;
    int SheetRecords = 0;
    void* Source = &SeriesRecords;
    bool WorkbookExists = true;

    TPageSetup Geometry() override { return Main; }
    void ApplyGeometry(const TPageSetup& values) override { Applied = values; }
    void SaveAs() override { Calls << "save as"; }
    void ManualEntry() override { Calls << "manual"; }
    void SeriesDesigner() override { Calls << "series"; }
    int HelpContext() override { return Context; }
    void SetHelpContext(int topic) override { Context = topic; }
    bool CanLink() override { return true; }
    bool LinkFlag() override { return Link; }
    void SetLinkFlag(bool linked) override { Link = linked; }
    QString WorkbookPath() override { return Workbook; }
    QString StoredWorkbookName() override { return QStringLiteral("adat.xls"); }
    void LinkWorkbook() override {
        Calls << "link";
        Link = true;
        StoredLink = true;
        Workbook = QStringLiteral("/m/adat.xls");
        SheetRecords = 7;
        Source = &SheetRecords;
    }
    bool Reconnect(const QString& path) override {
        Calls << "reconnect " + path;
        Source = &SheetRecords;
        return WorkbookExists;
    }
    void SeriesInsteadOfLink() override {
        Calls << "series instead";
        StoredLink = false;
        Source = &SeriesRecords;
    }
    void* DataSource() override { return Source; }
    void SetDataSource(void* source) override { Source = source; }
    bool DataSourceUsable() override { return Source && *static_cast<int*>(Source) > 0; }
    void FirstRecord() override { Calls << "first"; }
    void ShowRecordCount() override { Calls << "count"; }
    void SaveSettings() override { Calls << "settings saved"; }
};

class OrsinaFormTest : public testing::Test {
protected:
    TOrsinaForm& Open() {
        form_ = std::make_unique<TOrsinaForm>(host_, settings_, modal_);
        return *form_;
    }
    template <typename T>
    T* Child(const char* name) const {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) { Child<QAbstractButton>(name)->click(); }
    void Choose(int item) {
        form_->findChild<QRadioButton*>(QStringLiteral("gr_Aforras_%1").arg(item))->click();
    }
    // "VÉGE" from page 3.
    void Finish() {
        form_->ShowPage(2);
        Click("TovabbGomb");
    }

    FakeHost host_;
    TSettings settings_;
    ScriptedModal modal_;
    std::unique_ptr<TOrsinaForm> form_;
};

// Opening: the main window's values, page 1, the start-up box, the question one second later.
TEST_F(OrsinaFormTest, Opening) {
    host_.Main.LabelWidthMm = 48;
    host_.Main.Columns = 4;
    settings_.AutoOrsina = true;
    TOrsinaForm& form = Open();
    EXPECT_EQ(form.size(), QSize(567, 290));
    EXPECT_EQ(form.Page(), 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orsina / Varázsló / Oldal méret beállítása"));
    EXPECT_EQ(form.CSzelesseg->value(), 48);
    EXPECT_EQ(form.COszlopok->value(), 4);
    EXPECT_TRUE(form.cb_Varazslo->isChecked());
    EXPECT_EQ(form.gr_Aforras->ItemIndex(), -1);
    EXPECT_FALSE(form.VisszaGomb->isEnabled());
    EXPECT_EQ(form.TovabbGomb->text(), QStringLiteral("&Tovább >>"));
    EXPECT_EQ(Child<QLabel>("Orsina")->toolTip(), QStringLiteral("Orsina"));
    EXPECT_TRUE(form.AskTimer().isActive());
    EXPECT_TRUE(form.AskTimer().isSingleShot());
    EXPECT_EQ(form.AskTimer().interval(), 1000);

    struct Row {
        bool Answer;
        QStringList Calls;
    } rows[] = {{true, {"save as"}}, {false, {}}};
    for (const Row& row : rows) {
        host_.Calls.clear();
        modal_.ExpectMessage(QStringLiteral("K"), kNewTemplate, row.Answer);
        emit form.AskTimer().timeout({});
        modal_.Verify();
        EXPECT_EQ(host_.Calls, row.Calls);
        EXPECT_EQ(host_.Context, 10);
    }
}

// The pages: captions, buttons, help contexts, A4.
TEST_F(OrsinaFormTest, Pages) {
    TOrsinaForm& form = Open();
    struct Row {
        int Page;
        QString Caption;
        bool Back;
        QString Next;
        int Context;
    } rows[] = {
        {1, QStringLiteral("Orsina / Varázsló / Címke méret beállítása"), true, QStringLiteral("&Tovább >>"),
         10},
        {2, QStringLiteral("Orsina / Varázsló / Adatforrás kiválasztása"), true, QStringLiteral("VÉGE"), 27},
    };
    for (const Row& row : rows) {
        Click("TovabbGomb");
        EXPECT_EQ(form.Page(), row.Page);
        EXPECT_EQ(form.windowTitle(), row.Caption);
        EXPECT_EQ(form.VisszaGomb->isEnabled(), row.Back);
        EXPECT_EQ(form.TovabbGomb->text(), row.Next);
        EXPECT_EQ(host_.Context, row.Context);
    }
    EXPECT_TRUE(form.Buborek->text().startsWith(QStringLiteral("Annyi címkét nyomtat")));
    Click("VisszaGomb");
    Click("VisszaGomb");
    EXPECT_EQ(form.Page(), 0);
    EXPECT_FALSE(form.VisszaGomb->isEnabled());
    EXPECT_TRUE(form.Buborek->text().contains(QStringLiteral("\nHa szalagon")));
    form.OldalSzel->setValue(100);
    Click("A4Gomb");
    EXPECT_EQ(form.OldalSzel->value(), 210);
    EXPECT_EQ(form.OldalHossz->value(), 297);
    modal_.ExpectHelp(10);
    Click("SugoGomb");
    modal_.ExpectHelp(10);
    QTest::keyClick(form.OldalSzel, Qt::Key_F1);
}

// Under English every page, the bubble and the start-up question are English.
TEST_F(OrsinaFormTest, SpeaksEnglish) {
    test::EnglishTexts english;
    ASSERT_TRUE(english.Ok());
    TOrsinaForm& form = Open();
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        form.ShowPage(page);
        EXPECT_EQ(test::HungarianTexts(form), QStringList());
    }
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orsina / Wizard / Choose the data source"));
    EXPECT_EQ(form.TovabbGomb->text(), QStringLiteral("FINISH"));
    modal_.ExpectMessage(QStringLiteral("K"),
                         QStringLiteral("Before running the wizard it is best to create a new template.\r"
                                        "Create a new label template?"));
    emit form.AskTimer().timeout({});
    modal_.Verify();
}

// "VÉGE" without a chosen item and Yes: the warning, back on page 3, nothing applied or saved,
// although the data source has records. With an item chosen Yes applies the values.
TEST_F(OrsinaFormTest, FinishNeedsAChosenSource) {
    Open();
    form_->CSzelesseg->setValue(10);
    modal_.ExpectMessage(QStringLiteral("K"), kUse, true);
    modal_.ExpectMessage(QStringLiteral("F"), kEmpty);
    Finish();
    modal_.Verify();
    EXPECT_EQ(form_->Page(), 2);
    EXPECT_EQ(form_->TovabbGomb->text(), QStringLiteral("&Tovább >>"));
    EXPECT_FALSE(host_.Applied);
    EXPECT_FALSE(host_.Calls.contains("settings saved"));

    Choose(0);
    EXPECT_EQ(host_.Calls, QStringList{"manual"});
    modal_.ExpectMessage(QStringLiteral("K"), kUse, true);
    Click("TovabbGomb"); // "&Tovább >>" on page 3 still finishes
    modal_.Verify();
    ASSERT_TRUE(host_.Applied);
    EXPECT_EQ(host_.Applied->LabelWidthMm, 10) << "the main window's own limits apply there";
    EXPECT_EQ(host_.Calls, (QStringList{"manual", "count", "settings saved"}));
    EXPECT_EQ(form_->result(), QDialog::Accepted);
}

// An empty data source is refused even with an item chosen.
TEST_F(OrsinaFormTest, EmptySourceIsRefused) {
    host_.SeriesRecords = 0;
    Open();
    Choose(1);
    EXPECT_EQ(host_.Calls, QStringList{"series"});
    EXPECT_EQ(host_.Context, 29);
    modal_.ExpectMessage(QStringLiteral("K"), kUse, true);
    modal_.ExpectMessage(QStringLiteral("F"), kEmpty);
    Finish();
    EXPECT_FALSE(host_.Applied);
}

// No after linking a workbook in the wizard: the series record keeps no link, the series is
// the data source again, the link flag as at opening; Esc asks the same question.
TEST_F(OrsinaFormTest, NoAfterLinkingLeavesNoLink) {
    Open();
    Choose(2);
    EXPECT_TRUE(host_.Link);
    EXPECT_EQ(host_.Context, 38);
    modal_.ExpectMessage(QStringLiteral("K"), kUse, false);
    QTest::keyClick(form_->OldalSzel, Qt::Key_Escape);
    modal_.Verify();
    EXPECT_FALSE(host_.StoredLink);
    EXPECT_FALSE(host_.Link);
    EXPECT_EQ(host_.Source, &host_.SeriesRecords);
    EXPECT_EQ(host_.Calls, (QStringList{"link", "series instead", "first", "count", "settings saved"}));
    EXPECT_FALSE(host_.Applied);
}

// Removing a link that existed at opening, then No: the workbook is reconnected (automatic
// opening on) but the series record keeps no link; with automatic opening off it stays unlinked.
TEST_F(OrsinaFormTest, NoAfterRemovingTheLink) {
    for (bool automatic : {true, false}) {
        SCOPED_TRACE(automatic);
        host_ = FakeHost{};
        host_.Link = true;
        host_.StoredLink = true;
        host_.Workbook = QStringLiteral("/m/adat.xls");
        host_.SheetRecords = 7;
        host_.Source = &host_.SheetRecords;
        settings_.AutoAdatforras = automatic;
        Open();
        // Hand entry is refused while linked.
        modal_.ExpectMessageStartingWith(
            QStringLiteral("F"), QStringLiteral("Jelenleg MS-Excel filehoz kapcsolódik, így nem lehet kézzel "
                                                "rögzíteni.\rKapcsolat: adat.xls\r"));
        Choose(0);
        modal_.Verify();
        EXPECT_EQ(host_.Context, 38);
        modal_.ExpectMessage(QStringLiteral("I"), QStringLiteral("Nincs kapcsolt adat!"));
        Choose(3);
        EXPECT_FALSE(host_.Link);
        EXPECT_FALSE(host_.StoredLink);
        modal_.ExpectMessage(QStringLiteral("K"), kUse, false);
        form_->reject();
        modal_.Verify();
        EXPECT_FALSE(host_.StoredLink);
        EXPECT_TRUE(host_.Link) << "the flag as at opening";
        EXPECT_EQ(host_.Calls.contains("reconnect /m/adat.xls"), automatic);
        EXPECT_EQ(host_.Source, &host_.SheetRecords);
        form_.reset();
    }
}

// Unticking the start-up box changes the setting at once; closing with No still saves it.
TEST_F(OrsinaFormTest, StartupBoxIsSavedOnNo) {
    settings_.AutoOrsina = true;
    Open();
    Click("cb_Varazslo");
    EXPECT_FALSE(settings_.AutoOrsina);
    modal_.ExpectMessage(QStringLiteral("K"), kUse, false);
    form_->reject();
    EXPECT_TRUE(host_.Calls.contains("settings saved"));
    EXPECT_FALSE(settings_.AutoOrsina);
}

// The pages drawn offscreen (build/tests/dialogs/Orsina-*.png).
TEST_F(OrsinaFormTest, Pictures) {
    Open();
    form_->AskTimer().stop();
    form_->show();
    for (int i = 0; i < 3; ++i) {
        form_->ShowPage(i);
        form_->grab().save(QCoreApplication::applicationDirPath() + QStringLiteral("/Orsina-%1.png").arg(i));
    }
    modal_.ExpectMessage(QStringLiteral("K"), kUse, false);
    form_->close();
}

// "Címkeív…" on the sheet page: a chosen sheet fills every page and label value of the wizard;
// cancelled, nothing changes.
TEST_F(OrsinaFormTest, StockFillsThePageAndLabelValues) {
    TOrsinaForm& form = Open();
    const TPageSetup before = form.Fields().Read();
    modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Rejected);
    Click("CimkeivGomb");
    modal_.Verify();
    EXPECT_EQ(form.Fields().Read(), before);

    std::optional<TPageSetup> chosen;
    modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Accepted, [&](QObject& window) {
        auto& chooser = static_cast<TStockChooser&>(window);
        chooser.Kereses->setText(QStringLiteral("L7163"));
        EXPECT_EQ(chooser.Listed().size(), 1u);
        chooser.ValasztGomb->click();
        chosen = chooser.Chosen();
        return chooser.result();
    });
    Click("CimkeivGomb");
    modal_.Verify();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(form.Fields().Read(), *chosen);
    EXPECT_DOUBLE_EQ(form.CSzelesseg->value(), 99.1);
    EXPECT_DOUBLE_EQ(form.Jobbm->value(), 4.6);
    EXPECT_EQ(form.COszlopok->value(), 2);
}

} // namespace
} // namespace etikor
