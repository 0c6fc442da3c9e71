// The main window's print controls: the print button opens the print selection over the
// current data source with help topic 24; the preview menu entry runs the same in preview
// mode, so the selected labels reach the preview window.

#include "app/MainFormFixture.h"
#include "designer/CanvasTestSupport.h"
#include "document/ShippedFiles.h"
#include "printing/ui/PreviewForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace etikor::test {
namespace {

class PrintRunTest : public MainFormTest {
protected:
    TMainForm& StartWithSeries(int records) {
        WriteDefaults();
        WriteScratchTables(paths_.ProgramFolder);
        WriteBmp(work_.file("kep.bmp"), 8, 6);
        WriteFixtureTemplate(SeriesPath("Sorozat0.ctv"), work_.file("kep.bmp"));
        TStoreTable s;
        s.FieldDefs = SeriesFieldDefs();
        s.Open();
        for (int i = 0; i < records; ++i) {
            s.Append();
            s.FieldByName("Vonalkod1").SetAsString(std::to_string(100000 + i));
            s.FieldByName("Tipus1").SetAsInteger(5);
            s.Post();
        }
        s.SaveTable(SeriesPath("Sorozat0.sor"));
        TSettings settings;
        settings.AutoSugo = false;
        WriteSettings(settings);
        return Start();
    }
};

TEST_F(PrintRunTest, ThePrintButtonOpensTheSelectionOverTheDataSource) {
    TMainForm& form = StartWithSeries(4);
    int rows = -1, helpContext = 0;
    modal_.ExpectModal(QStringLiteral("NyomtatasForm"), 0, [&](QObject& window) {
        helpContext = form.HelpContext();
        rows = window.findChild<QTableView*>(QStringLiteral("Ny_Valaszt"))->model()->rowCount();
        return 0;
    });
    Child<QToolButton>("NyomtatasGomb")->click();
    modal_.Verify();
    EXPECT_EQ(helpContext, 24);
    EXPECT_EQ(rows, 4);
    // Afterwards F1 is about the tab in view again, not the printing.
    Child<QTabWidget>("PageControl1")->setCurrentIndex(0);
    Child<QTabWidget>("PageControl1")->setCurrentIndex(1);
    modal_.ExpectModal(QStringLiteral("NyomtatasForm"), 0);
    Child<QToolButton>("NyomtatasGomb")->click();
    modal_.Verify();
    EXPECT_EQ(form.HelpContext(), 11);
}

// The selection window's settings button opens the settings dialog on its label page.
TEST_F(PrintRunTest, TheSelectionOpensTheSettingsOnTheLabelPage) {
    StartWithSeries(2);
    int page = -1;
    modal_.ExpectModal(QStringLiteral("NyomtatasForm"), 0, [&](QObject& window) {
        window.findChild<QPushButton*>(QStringLiteral("Msn_Beall"))->click();
        return 0;
    });
    modal_.ExpectModal(QStringLiteral("BeallitasForm"), 0, [&](QObject& dialog) {
        page = dialog.findChild<QTabWidget*>(QStringLiteral("Lapok"))->currentIndex();
        return 0;
    });
    Child<QToolButton>("NyomtatasGomb")->click();
    modal_.Verify();
    EXPECT_EQ(page, 2);
}

TEST_F(PrintRunTest, ThePreviewEntryShowsTheSelectedLabels) {
    StartWithSeries(4);
    int pages = 0, labels = 0;
    modal_.ExpectModal(QStringLiteral("NyomtatasForm"), 0, [&](QObject& window) {
        window.findChild<QPushButton*>(QStringLiteral("Msn_All"))->click();
        window.findChild<QPushButton*>(QStringLiteral("Msn_Ny"))->click();
        return 0;
    });
    modal_.ExpectMessage("K", QStringLiteral("Indulhat 4 db. cimke nyomtatása?"), true);
    modal_.ExpectModal(QStringLiteral("PreviewForm"), 0, [&](QObject& window) {
        auto& preview = static_cast<TPreviewForm&>(window);
        while (preview.Preparing())
            QTest::qWait(1);
        pages = preview.PageCount();
        labels = preview.Pages().LabelCount();
        return 0;
    });
    Child<QAction>("mPreview")->trigger();
    modal_.Verify();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(labels, 4);
}

// "Nyomtató eltolása" in the print menu shows the calibration of the printer chosen last and
// keeps what OK leaves in the settings file; Cancel keeps nothing.
TEST_F(PrintRunTest, ThePrinterOffsetEntryKeepsTheQueuesCalibration) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    settings.Nyomtato = QStringLiteral("Termo");
    settings.Eltolas[QStringLiteral("Termo")] = {1, 0};
    WriteSettings(settings);
    Start();
    for (const int result : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        double shownX = 0;
        modal_.ExpectModal(QStringLiteral("EltolasForm"), result, [&](QObject& window) {
            EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("EltolasNyomtato"))->currentText(),
                      "Termo");
            auto* x = window.findChild<QDoubleSpinBox*>(QStringLiteral("EltolasX"));
            auto* y = window.findChild<QDoubleSpinBox*>(QStringLiteral("EltolasY"));
            shownX = x->value();
            EXPECT_EQ(x->minimum(), -10);
            EXPECT_EQ(y->maximum(), 10);
            EXPECT_EQ(x->singleStep(), 0.1);
            x->setValue(1.5);
            y->setValue(-0.7);
            return result;
        });
        Child<QAction>("mEltolas")->trigger();
        modal_.Verify();
        EXPECT_EQ(shownX, 1);
        const TPrintOffset kept = OffsetOfQueue(TSettingsFile(paths_.ProgramFolder).Read().Eltolas, "Termo");
        EXPECT_EQ(kept, (result == QDialog::Accepted ? TPrintOffset{1.5, -0.7} : TPrintOffset{1, 0}));
        if (result == QDialog::Accepted)
            break;
    }
}

} // namespace
} // namespace etikor::test
