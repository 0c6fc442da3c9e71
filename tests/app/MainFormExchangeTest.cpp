#include "app/MainFormFixture.h"
#include "exchange/Worksheet.h"
#include "printing/ui/PreviewForm.h"
#include "series/ManualEntry.h"

#include <QTest>

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QWidget>

namespace etikor {
namespace {

class DataExchangeTest : public test::MainFormTest {
protected:
    TMainForm& StartPlain() {
        WriteDefaults();
        TSettings settings;
        settings.AutoSugo = false;
        WriteSettings(settings);
        return Start();
    }
    void WriteSheet(const char* name, const char* text) {
        QFile sheet(Series(QString::fromLatin1(name)));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write(text);
    }
    // The preview button with `skip` places left out: the labels the preview prepared.
    int PreviewedLabels(const QString& skip) {
        int labels = 0;
        modal_.ExpectInputBox(QStringLiteral("Hány darab címkehelyet hagy ki?"), skip);
        modal_.ExpectModal(QStringLiteral("PreviewForm"), 0, [&](QObject& window) {
            auto& preview = static_cast<TPreviewForm&>(window);
            while (preview.Preparing())
                QTest::qWait(1);
            labels = preview.Pages().LabelCount();
            return 0;
        });
        Child<QAction>("mPreview")->trigger();
        modal_.Verify();
        return labels;
    }
};

// The tool button links a worksheet; the menu entry with Cancel removes the link again.
TEST_F(DataExchangeTest, LinkAndRemoveFromTheMainWindow) {
    TMainForm& form = StartPlain();
    WriteSheet("adatok.csv", "Cikkszam;Ar\n5990000000017;10\n5990000000024;12\n5990000000031;14\n");
    modal_.ExpectOpenFile(Series(QStringLiteral("adatok.csv")), [this](const TFileDialogOptions& o) {
        EXPECT_EQ(o.InitialDir, paths_.SeriesFolder());
        EXPECT_EQ(o.Title, QStringLiteral("Etikor MS-Excel kapcsolat"));
    });
    Child<QToolButton>("ExcelImportGomb")->click();
    modal_.Verify();
    EXPECT_TRUE(form.State().LinkFlag);
    EXPECT_NE(form.DataSource(), &dm_.T1);
    EXPECT_EQ(form.Panel(3), QStringLiteral("Kapcsolat: adatok.csv"));
    EXPECT_EQ(form.Panel(4), QStringLiteral("3"));
    EXPECT_EQ(dm_.StoredLink(), std::optional<std::string>("adatok.csv"));
    // Manual entry writes the series, which is not in use while the worksheet is: off, saying why.
    auto* manual = Child<QToolButton>("KeziGomb");
    EXPECT_FALSE(manual->isEnabled());
    EXPECT_FALSE(Child<QAction>("mKezi")->isEnabled());
    EXPECT_EQ(manual->toolTip(),
              QStringLiteral("A kézi rögzítés nem használható, amíg Excel-munkalap az adatforrás."));

    modal_.ExpectOpenFile(std::nullopt);
    modal_.ExpectMessage(QStringLiteral("I"), QStringLiteral("Nincs kapcsolt adat!"));
    Child<QAction>("ImportlsExcel1")->trigger();
    modal_.Verify();
    EXPECT_FALSE(form.State().LinkFlag);
    EXPECT_EQ(form.DataSource(), &dm_.T1);
    EXPECT_EQ(dm_.StoredLink(), std::nullopt);
    EXPECT_TRUE(manual->isEnabled());
    EXPECT_TRUE(Child<QAction>("mKezi")->isEnabled());
    EXPECT_EQ(manual->toolTip(), QStringLiteral("Vonalkód-sorozat kézi rögzítése"));
}

// A worksheet that cannot be linked changes nothing: with another one linked, that one stays
// the data source with its status panels, field list and stored link, and printing prints it;
// with none linked, the series stays.
TEST_F(DataExchangeTest, AFailedLinkLeavesTheWindowAsItWas) {
    TMainForm& form = StartPlain();
    WriteSheet("rossz.xls", "not a workbook at all");
    const QString seriesPanel = form.Panel(2), seriesCount = form.Panel(4);
    modal_.ExpectOpenFile(Series(QStringLiteral("rossz.xls")));
    modal_.ExpectMessageStartingWith(QStringLiteral("H"),
                                     QStringLiteral("Hibás tábla file! (Hibakód: KT1: "));
    Child<QToolButton>("ExcelImportGomb")->click();
    modal_.Verify();
    EXPECT_FALSE(form.State().LinkFlag);
    EXPECT_EQ(form.DataSource(), &dm_.T1);
    EXPECT_EQ(form.Panel(2), seriesPanel);
    EXPECT_EQ(form.Panel(3), QString());
    EXPECT_EQ(form.Panel(4), seriesCount);
    EXPECT_EQ(dm_.FieldList().front().Name, "Vonalkod1      ");

    WriteSheet("jo.csv", "Cikkszam;Ar\n5990000000031;14\n5990000000017;10\n5990000000024;12\n"
                         "5990000000048;16\n");
    modal_.ExpectOpenFile(Series(QStringLiteral("jo.csv")));
    Child<QToolButton>("ExcelImportGomb")->click();
    modal_.Verify();
    TDataSet* linked = form.DataSource();
    ASSERT_TRUE(form.State().LinkFlag);
    modal_.ExpectOpenFile(Series(QStringLiteral("rossz.xls")));
    modal_.ExpectMessageStartingWith(QStringLiteral("H"),
                                     QStringLiteral("Hibás tábla file! (Hibakód: KT1: "));
    Child<QAction>("ImportlsExcel1")->trigger();
    modal_.Verify();
    EXPECT_TRUE(form.State().LinkFlag);
    EXPECT_TRUE(form.State().DataFlag);
    EXPECT_EQ(form.DataSource(), linked);
    EXPECT_EQ(form.Panel(3), QStringLiteral("Kapcsolat: jo.csv"));
    EXPECT_EQ(form.Panel(4), QStringLiteral("4"));
    EXPECT_EQ(dm_.FieldList().front().Name, "Cikkszam       ");
    EXPECT_EQ(dm_.StoredLink(), std::optional<std::string>("jo.csv"));
    // The print button takes the linked path with the linked rows.
    EXPECT_EQ(PreviewedLabels(QStringLiteral("0")), 4);
}

// "Kapcsolat bontása" in the wizard: the series is the data source at once, and the status bar
// and field list say so; leaving the wizard with No brings the link back, and they follow again.
TEST_F(DataExchangeTest, RemovingTheLinkInTheWizardUpdatesTheStatusBar) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    settings.AutoAdatforras = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    WriteSheet("jo.csv", "Cikkszam;Ar\n5990000000031;14\n5990000000017;10\n");
    modal_.ExpectOpenFile(Series(QStringLiteral("jo.csv")));
    Child<QToolButton>("ExcelImportGomb")->click();
    modal_.Verify();
    ASSERT_EQ(form.Panel(3), QStringLiteral("Kapcsolat: jo.csv"));
    const QString seriesCount = GroupedCount(dm_.T1.RecordCount());
    modal_.ExpectModal(QStringLiteral("OrsinaForm"), 0, [&](QObject& w) {
        w.findChild<QAbstractButton*>(QStringLiteral("gr_Aforras_3"))->click();
        EXPECT_FALSE(form.State().LinkFlag);
        EXPECT_EQ(form.DataSource(), &dm_.T1);
        EXPECT_EQ(form.Panel(3), QString());
        EXPECT_EQ(form.Panel(4), seriesCount);
        EXPECT_EQ(dm_.FieldList().front().Name, "Vonalkod1      ");
        static_cast<QDialog&>(w).reject();
        return 0;
    });
    modal_.ExpectMessage(QStringLiteral("I"), QStringLiteral("Nincs kapcsolt adat!"));
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Felhasználod a beállított adatokat?"), false);
    Child<QAction>("mOrsina")->trigger();
    modal_.Verify();
    EXPECT_TRUE(form.State().LinkFlag);
    EXPECT_NE(form.DataSource(), &dm_.T1);
    EXPECT_EQ(form.Panel(3), QStringLiteral("Kapcsolat: jo.csv"));
    EXPECT_EQ(form.Panel(4), QStringLiteral("2"));
    EXPECT_EQ(dm_.FieldList().front().Name, "Cikkszam       ");
}

// With a worksheet linked, the print controls print it straight away: the skip count, then the
// preview of the skipped places and every row; the worksheet stays the data source, unchanged.
TEST_F(DataExchangeTest, ALinkedWorksheetPrintsDirectly) {
    TMainForm& form = StartPlain();
    WriteSheet("adatok.csv", "Cikkszam;Ar\n5990000000031;14\n5990000000017;10\n5990000000024;12\n");
    modal_.ExpectOpenFile(Series(QStringLiteral("adatok.csv")));
    Child<QToolButton>("ExcelImportGomb")->click();
    modal_.Verify();
    ASSERT_TRUE(form.State().LinkFlag);
    TDataSet* linked = form.DataSource();

    EXPECT_EQ(PreviewedLabels(QStringLiteral("2")), 5);
    EXPECT_EQ(form.DataSource(), linked);
    EXPECT_EQ(linked->RecordCount(), 3);
}

// The export offers "<template base>.xls" in the current folder; the extension chosen picks the
// format, and Cancel writes nothing.
TEST_F(DataExchangeTest, ExportMenuEntry) {
    StartPlain();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(paths_.WorkingFolder));
    const auto offered = [&](const TFileDialogOptions& o) {
        EXPECT_EQ(o.FileName, QStringLiteral("Sorozat0.xls"));
        EXPECT_EQ(o.InitialDir, QDir::currentPath());
        EXPECT_EQ(o.Filter, QStringLiteral("Excel 2.x munkalap|*.xls|Excel munkafüzet|*.xlsx"));
        EXPECT_EQ(o.DefaultExt, QStringLiteral("xls"));
    };
    modal_.ExpectSaveFile(std::nullopt, offered);
    Child<QAction>("Excelfile1")->trigger();
    modal_.Verify();
    EXPECT_FALSE(QFileInfo::exists(QDir(paths_.WorkingFolder).filePath(QStringLiteral("Sorozat0.xls"))));

    modal_.ExpectSaveFile(QStringLiteral("Sorozat0.xls"), offered);
    modal_.ExpectMessageStartingWith(QStringLiteral("I"),
                                     QStringLiteral("Excel export sikerült.\r(Sorozat0.xls)\r"));
    Child<QAction>("Excelfile1")->trigger();
    modal_.Verify();
    EXPECT_TRUE(QFileInfo(QDir(paths_.WorkingFolder).filePath(QStringLiteral("Sorozat0.xls"))).isFile());

    const QString workbook = QDir(paths_.WorkingFolder).filePath(QStringLiteral("Cimkek.xlsx"));
    modal_.ExpectSaveFile(workbook, offered);
    modal_.ExpectMessageStartingWith(QStringLiteral("I"), QStringLiteral("Excel export sikerült.\r(") +
                                                              workbook + QStringLiteral(")\r"));
    Child<QAction>("Excelfile1")->trigger();
    modal_.Verify();
    QDir::setCurrent(before);
    const TWorksheet back = ReadXlsxFile(QFile::encodeName(workbook).toStdString());
    EXPECT_EQ(back.Columns.at(0).Name, "Vonalkod1");
}

// The browser opens modally over the current data source, its caption naming the series file.
TEST_F(DataExchangeTest, DataBrowserFromTheButtonAndTheMenu) {
    TMainForm& form = StartPlain();
    const int records = form.DataSource()->RecordCount();
    for (int round = 0; round < 2; ++round) {
        modal_.ExpectModal(QStringLiteral("TablaForm"), 0, [&](QObject& window) {
            auto& dialog = static_cast<QWidget&>(window);
            EXPECT_EQ(dialog.windowTitle(),
                      QStringLiteral("Adatböngésző - ") + Series(QStringLiteral("Sorozat0.sor")));
            EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Lablec"))->text(),
                      QStringLiteral("Rekordok száma: ") + QString::number(records));
            return 0;
        });
        if (round == 0)
            Child<QPushButton>("Bongeszo_Gomb")->click();
        else
            Child<QAction>("mAdatbongeszo")->trigger();
        modal_.Verify();
    }
}

} // namespace
} // namespace etikor
