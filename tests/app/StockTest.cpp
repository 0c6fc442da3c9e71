// The label stock from the designer's page and label tabs: a chosen sheet fills both tabs, is
// written to the template and undone as one step.
#include "app/MainFormFixture.h"
#include "designer/SetupTabs.h"
#include "support/Named.h"
#include "ui/StockChooser.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace etikor {
namespace {

class StockTest : public test::MainFormTest {
protected:
    StockTest() {
        // The program folder of the run holds the shipped catalogue, as the build's does.
        QDir(paths_.ProgramFolder).mkpath(QStringLiteral("stock"));
        QFile::copy(QStringLiteral(ETIKOR_STOCK_CATALOGUE), StockCataloguePath());
    }
    TPageSetup StoredPage() {
        TStoreTable t;
        t.SetTableName(SeriesPath("Sorozat0.ctv"));
        t.Open();
        EXPECT_TRUE(LocatePageSetup(t));
        return ReadPageSetup(t);
    }
    TPageSetup Shown() {
        TPageSetup setup;
        Child<TPageTab>("tsOldal")->ReadSetup(setup);
        Child<TLabelTab>("tsCimke")->ReadSetup(setup);
        return setup;
    }
    // Answers the chooser by searching `search` and choosing the first sheet listed.
    void ExpectChoice(const QString& search, std::optional<TPageSetup>& chosen) {
        modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Accepted,
                           [search, &chosen](QObject& window) {
                               auto& chooser = static_cast<TStockChooser&>(window);
                               EXPECT_FALSE(chooser.Listed().empty());
                               chooser.Kereses->setText(search);
                               chooser.ValasztGomb->click();
                               chosen = chooser.Chosen();
                               return chooser.result();
                           });
    }
};

TEST_F(StockTest, ChosenSheetFillsBothTabsAndIsOneUndoStep) {
    StartOnFixture();
    auto* undo = Child<QAction>("mVisszavonas");
    const TPageSetup original = StoredPage();

    modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Rejected);
    test::Named<QPushButton>(Child<TPageTab>("tsOldal"), "CimkeivGomb")->click();
    modal_.Verify();
    EXPECT_EQ(StoredPage(), original);
    EXPECT_FALSE(undo->isEnabled());

    std::optional<TPageSetup> chosen;
    ExpectChoice(QStringLiteral("70x37 3474"), chosen);
    test::Named<QPushButton>(Child<TPageTab>("tsOldal"), "CimkeivGomb")->click();
    modal_.Verify();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_DOUBLE_EQ(chosen->LabelWidthMm, 70);
    EXPECT_EQ(Shown(), *chosen);
    EXPECT_EQ(StoredPage(), *chosen);
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Visszavonás: Címkeív"));

    ExpectChoice(QStringLiteral("L7163"), chosen);
    test::Named<QPushButton>(Child<TLabelTab>("tsCimke"), "CimkeivGomb")->click();
    modal_.Verify();
    EXPECT_DOUBLE_EQ(chosen->LabelWidthMm, 99.1);
    EXPECT_EQ(StoredPage(), *chosen);

    undo->trigger();
    EXPECT_DOUBLE_EQ(StoredPage().LabelWidthMm, 70);
    undo->trigger();
    EXPECT_EQ(StoredPage(), original);
    EXPECT_EQ(Shown(), original);
    EXPECT_FALSE(undo->isEnabled());
}

} // namespace
} // namespace etikor
