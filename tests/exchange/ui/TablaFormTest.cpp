#include "exchange/ui/TablaForm.h"

#include "data/FormatSettings.h"
#include "document/DataModule.h"
#include "exchange/WorksheetDataSet.h"
#include "tablestore/StoreTable.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace etikor {
namespace {

// A series of `count` records in memory.
struct Series {
    TStoreTable table;
    explicit Series(int count) {
        table.FieldDefs = SeriesFieldDefs();
        table.Open();
        for (int i = 1; i <= count; ++i) {
            table.Append();
            table.FieldByName("Vonalkod1").SetAsString("K" + std::to_string(i));
            table.FieldByName("Tipus1").SetAsInteger(9);
            table.Post();
        }
    }
};

QToolButton* button(TTablaForm& form, const char* name) {
    auto* b = form.findChild<QToolButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

TEST(TablaForm, CountWithoutSeparatorCaptionAndColumns) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings::Hungarian());
    Series series(1234);
    TTablaForm form(series.table, QStringLiteral("/home/u/Etikor/Sorozat0.sor"));
    EXPECT_EQ(form.objectName(), QStringLiteral("TablaForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Adatböngésző - /home/u/Etikor/Sorozat0.sor"));
    EXPECT_EQ(form.findChild<QLabel*>("Lablec")->text(), QStringLiteral("Rekordok száma: 1234"));
    QAbstractItemModel* model = form.findChild<QTableView*>("TablaGrid")->model();
    EXPECT_EQ(model->rowCount(), 1234);
    EXPECT_EQ(model->columnCount(), series.table.FieldCount());
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Vonalkod1"));
    EXPECT_EQ(model->data(model->index(1233, 0)).toString(), QStringLiteral("K1234"));
    EXPECT_EQ(form.findChild<QTableView*>("TablaGrid")->editTriggers(), QAbstractItemView::NoEditTriggers);
    SetFormatSettings(saved);
}

TEST(TablaForm, NavigatorHasFourHintedButtonsAndLeavesTheSourceOnTheSelection) {
    Series series(5);
    TTablaForm form(series.table, QStringLiteral("S.sor"));
    const struct {
        const char* name;
        const char* hint;
        int recNo;
    } steps[] = {
        {"DBN_Last", "Utolsó rekord", 5},    {"DBN_Prior", "Előző rekord", 4},
        {"DBN_First", "Első rekord", 1},     {"DBN_Prior", "Előző rekord", 1}, // stays on the first
        {"DBN_Next", "Következő rekord", 2},
    };
    for (const auto& step : steps) {
        QToolButton* b = button(form, step.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(step.hint));
        b->click();
        EXPECT_EQ(series.table.RecNo(), step.recNo) << step.name;
    }
    EXPECT_EQ(form.findChild<QWidget*>("DBN")->findChildren<QToolButton*>().size(), 4);
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible()) << "Esc closes";
    EXPECT_EQ(series.table.RecNo(), 2) << "left on the record last selected";
    EXPECT_FALSE(series.table.Modified());
    EXPECT_EQ(series.table.State(), TDataSetState::dsBrowse);
}

TEST(TablaForm, EmptySourceAndALinkedSheet) {
    Series empty(0);
    TTablaForm none(empty.table, QStringLiteral("S.sor"));
    EXPECT_EQ(none.findChild<QLabel*>("Lablec")->text(), QStringLiteral("Rekordok száma: 0"));
    EXPECT_EQ(none.findChild<QTableView*>("TablaGrid")->model()->rowCount(), 0);
    button(none, "DBN_Last")->click(); // nothing to move to

    TWorksheetDataSet sheet;
    sheet.FileName = std::string(ETIKOR_EXCHANGE_FIXTURES) + "/linked.xls";
    TTablaForm linked(sheet, QStringLiteral("/x/Sorozat0.sor"));
    EXPECT_EQ(linked.windowTitle(), QStringLiteral("Adatböngésző - /x/Sorozat0.sor")) << "the series file";
    QAbstractItemModel* model = linked.findChild<QTableView*>("TablaGrid")->model();
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Megnevezés"));
    EXPECT_EQ(model->rowCount(), 25);
    EXPECT_EQ(linked.findChild<QLabel*>("Lablec")->text(), QStringLiteral("Rekordok száma: 25"));
}

} // namespace
} // namespace etikor
