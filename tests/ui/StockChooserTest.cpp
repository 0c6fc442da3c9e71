#include "ui/StockChooser.h"

#include "support/ScriptedModal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace etikor {
namespace {

using test::ScriptedModal;

class StockChooserTest : public testing::Test {
protected:
    StockChooserTest() {
        WriteCatalogue("Avery Zweckform,3474,A4,70,37,3,8,0.5,0,0,0\n"
                       "Avery,L7160,A4,63.5,38.1,3,7,15.1,7.2,2.5,0\n"
                       "Herma,4360,A4,70,36,3,8,4.5,0,0,0\n"
                       "Avery,5160,Letter,66.675,25.4,3,10,12.7,4.7625,3.175,0\n");
    }
    void WriteCatalogue(const char* text) {
        QFile file(Catalogue());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString Catalogue() const { return QString::fromStdString(dir_.file("labels.csv")); }
    QString Own() const { return QString::fromStdString(dir_.file("own.csv")); }
    TStockChooser& Open() {
        chooser_ = std::make_unique<TStockChooser>(modal_, current_, nullptr, Catalogue(), Own());
        return *chooser_;
    }
    QStringList Codes() const {
        QStringList codes;
        for (const TStockEntry* e : chooser_->Listed())
            codes << (e->Own ? QStringLiteral("own:") : QString()) + e->Code;
        return codes;
    }

    test::TempDir dir_;
    ScriptedModal modal_;
    TPageSetup current_;
    std::unique_ptr<TStockChooser> chooser_;
};

TEST_F(StockChooserTest, SearchNarrowsTheListBySizeCodeAndMaker) {
    TStockChooser& c = Open();
    EXPECT_EQ(c.objectName(), QStringLiteral("CimkeivForm"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Címkeív"));
    EXPECT_EQ(Codes(), (QStringList{"3474", "L7160", "4360", "5160"}));
    EXPECT_FALSE(c.Hibak->isVisible());
    struct Case {
        const char* Search;
        QStringList Codes;
    };
    for (const Case& row :
         {Case{"70x37", {"3474"}}, Case{"70 x 36", {"4360"}}, Case{"63,5x38,1", {"L7160"}},
          Case{"herma", {"4360"}}, Case{"l71", {"L7160"}}, Case{"letter", {"5160"}}, Case{"99x38", {}}}) {
        SCOPED_TRACE(row.Search);
        c.Kereses->setText(QString::fromUtf8(row.Search));
        EXPECT_EQ(Codes(), row.Codes);
        EXPECT_EQ(c.ValasztGomb->isEnabled(), !row.Codes.isEmpty() && row.Codes[0] != QStringLiteral("5160"));
    }
    EXPECT_EQ(c.Ok->text(), QStringLiteral("Nincs ilyen címkeív."));
    // A sheet the program's page cannot take is listed with its reason but cannot be chosen.
    c.Kereses->setText(QStringLiteral("5160"));
    EXPECT_FALSE(c.ValasztGomb->isEnabled());
    EXPECT_TRUE(c.Ok->text().contains(QStringLiteral("210 mm")));
    c.ValasztGomb->click();
    EXPECT_FALSE(c.Chosen().has_value());
}

TEST_F(StockChooserTest, ChoosingHandsBackTheWholePageSetup) {
    TStockChooser& c = Open();
    c.Kereses->setText(QStringLiteral("L7160"));
    c.ValasztGomb->click();
    ASSERT_TRUE(c.Chosen().has_value());
    EXPECT_EQ(c.result(), QDialog::Accepted);
    const TPageSetup& s = *c.Chosen();
    EXPECT_DOUBLE_EQ(s.PageWidthMm, 210);
    EXPECT_DOUBLE_EQ(s.PageLengthMm, 297);
    EXPECT_DOUBLE_EQ(s.TopMarginMm, 15.1);
    EXPECT_DOUBLE_EQ(s.LeftMarginMm, 7.2);
    EXPECT_DOUBLE_EQ(s.RightMarginMm, 7.3);
    EXPECT_DOUBLE_EQ(s.BottomMarginMm, 15.2);
    EXPECT_DOUBLE_EQ(s.LabelHeightMm, 38.1);
    EXPECT_DOUBLE_EQ(s.ColumnSpaceMm, 2.5);
    EXPECT_EQ(s.Columns, 3);
    EXPECT_DOUBLE_EQ(s.LabelWidthMm, 63.5);
}

TEST_F(StockChooserTest, OwnEntriesAreSavedListedFirstAndDeleted) {
    current_.LabelWidthMm = 44;
    current_.LabelHeightMm = 22;
    current_.Columns = 4;
    TStockChooser& c = Open();
    modal_.ExpectInputBox(QStringLiteral("A saját címkeív neve:"), QStringLiteral("Polc"));
    c.MentesGomb->click();
    modal_.Verify();
    EXPECT_EQ(Codes(), (QStringList{"own:Polc", "3474", "L7160", "4360", "5160"}));
    EXPECT_EQ(c.Ivek->currentItem()->text(0), QStringLiteral("(saját)"));
    EXPECT_TRUE(c.TorlesGomb->isEnabled());

    // The same name asks before it replaces; No keeps the entry.
    current_.Columns = 2;
    modal_.ExpectInputBox(QStringLiteral("A saját címkeív neve:"), QStringLiteral("polc"));
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Már van „Polc” nevű saját címkeív. Felülírod?"),
                         false);
    c.MentesGomb->click();
    modal_.Verify();
    EXPECT_EQ(LoadOwnStock(Own()).Entries.at(0).Setup.Columns, 4);

    // Reopened, the entry is there; chosen, it gives back what was saved.
    TStockChooser& again = Open();
    again.Kereses->setText(QStringLiteral("44x22"));
    ASSERT_EQ(Codes(), QStringList{"own:Polc"});
    again.ValasztGomb->click();
    ASSERT_TRUE(again.Chosen().has_value());
    EXPECT_EQ(again.Chosen()->Columns, 4);
    EXPECT_DOUBLE_EQ(again.Chosen()->LabelWidthMm, 44);

    TStockChooser& third = Open();
    third.SelectListed(1);
    EXPECT_FALSE(third.TorlesGomb->isEnabled()); // the catalogue's sheets stay
    third.SelectListed(0);
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Törlöd a(z) „Polc” saját címkeívet?"), false);
    third.TorlesGomb->click();
    modal_.Verify();
    EXPECT_EQ(Codes().size(), 5);
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Törlöd a(z) „Polc” saját címkeívet?"), true);
    third.TorlesGomb->click();
    modal_.Verify();
    EXPECT_EQ(Codes(), (QStringList{"3474", "L7160", "4360", "5160"}));
    EXPECT_TRUE(LoadOwnStock(Own()).Entries.empty());

    // Cancelled or empty names save nothing.
    modal_.ExpectInputBox(QStringLiteral("A saját címkeív neve:"), std::nullopt);
    modal_.ExpectInputBox(QStringLiteral("A saját címkeív neve:"), QStringLiteral("  "));
    third.MentesGomb->click();
    third.MentesGomb->click();
    modal_.Verify();
    EXPECT_EQ(Codes().size(), 4);
}

TEST_F(StockChooserTest, DamagedOrMissingCataloguesAreReportedInTheWindow) {
    WriteCatalogue("Avery Zweckform,3474,A4,70,37,3,8,0.5,0,0,0\n"
                   "Broken,1,A4,70\n"
                   "Wide,2,A4,80,37,3,8,0.5,0,0,0\n");
    TStockChooser& c = Open();
    c.show();
    EXPECT_EQ(Codes(), QStringList{"3474"});
    EXPECT_TRUE(c.Hibak->isVisible());
    EXPECT_TRUE(c.Hibak->text().contains(QStringLiteral("labels.csv 2:")));
    EXPECT_TRUE(c.Hibak->text().contains(QStringLiteral("labels.csv 3:")));

    QFile::remove(Catalogue());
    TStockChooser& missing = Open();
    missing.show();
    EXPECT_TRUE(Codes().isEmpty());
    EXPECT_TRUE(missing.Hibak->isVisible());
    EXPECT_FALSE(missing.ValasztGomb->isEnabled());
}

// Opened as the program opens it: through the modal seam, with the catalogue beside the
// program (the build puts it there).
TEST_F(StockChooserTest, ChooseStockRunsThroughTheSeam) {
    modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Rejected);
    EXPECT_FALSE(ChooseStock(modal_, current_, nullptr).has_value());
    modal_.ExpectModal(QStringLiteral("CimkeivForm"), QDialog::Accepted, [](QObject& window) {
        auto& chooser = static_cast<TStockChooser&>(window);
        EXPECT_FALSE(chooser.Hibak->isVisibleTo(&chooser)) << chooser.Hibak->text().toStdString();
        chooser.Kereses->setText(QStringLiteral("3474"));
        chooser.ValasztGomb->click();
        return chooser.result();
    });
    const std::optional<TPageSetup> chosen = ChooseStock(modal_, current_, nullptr);
    modal_.Verify();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_DOUBLE_EQ(chosen->LabelHeightMm, 37);
}

} // namespace
} // namespace etikor
