#include "ui/DataBindings.h"

#include "data/Cp1250.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <memory>

namespace etikor {
namespace {

// Three values sorted by text, with a grid and a text field bound to them.
class DataBindingsTest : public testing::Test {
protected:
    DataBindingsTest() {
        table_.Name = "T";
        table_.FieldDefs = {{"Vonalkod1", TFieldType::ftString, 8}, {"Tipus1", TFieldType::ftInteger, 0}};
        table_.Open();
        for (const char* v : {"300", "100", "\xC1rv\xEDz"}) { // "Árvíz" in Windows-1250
            table_.Append();
            table_.FieldByName("Vonalkod1").SetAsString(v);
            table_.Post();
        }
        table_.SetIndexFieldNames("Vonalkod1");
        table_.First();
        source_.SetDataSet(&table_);
        grid_ = std::make_unique<QTableView>();
        new TDataSetGridBinding(*grid_, source_, {{"Vonalkod1", QStringLiteral("Vonalkód érték")}});
        edit_ = std::make_unique<QLineEdit>();
        new TDBEditBinding(*edit_, source_, "Vonalkod1");
    }
    int GridRow() const { return grid_->currentIndex().row(); }
    QString Cell(int row) const { return grid_->model()->index(row, 0).data().toString(); }
    std::string Current() const { return table_.FieldByName("Vonalkod1").AsString(); }

    TStoreTable table_;
    TDataSource source_;
    std::unique_ptr<QTableView> grid_;
    std::unique_ptr<QLineEdit> edit_;
};

TEST_F(DataBindingsTest, TheGridShowsTheViewAndFollowsTheCurrentRecord) {
    ASSERT_EQ(grid_->model()->rowCount(), 3);
    EXPECT_EQ(grid_->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Vonalkód érték"));
    EXPECT_EQ(Cell(0), QStringLiteral("100"));
    EXPECT_EQ(Cell(2), QStringLiteral("Árvíz"));
    EXPECT_EQ(GridRow(), 0);
    table_.Last();
    EXPECT_EQ(GridRow(), 2);
    // A record added elsewhere shows up in its sorted place.
    table_.Append();
    table_.FieldByName("Vonalkod1").SetAsString("200");
    table_.Post();
    ASSERT_EQ(grid_->model()->rowCount(), 4);
    EXPECT_EQ(GridRow(), table_.RecNo() - 1);
    EXPECT_EQ(Cell(GridRow()), QStringLiteral("200"));
    // Closing empties the grid.
    table_.Close();
    EXPECT_EQ(grid_->model()->rowCount(), 0);
}

TEST_F(DataBindingsTest, PickingARowMovesTheDatasetOnlyWhileBrowsing) {
    grid_->setCurrentIndex(grid_->model()->index(1, 0));
    EXPECT_EQ(Current(), "300");
    EXPECT_EQ(edit_->text(), QStringLiteral("300"));
    table_.Edit();
    grid_->setCurrentIndex(grid_->model()->index(0, 0));
    EXPECT_EQ(table_.State(), TDataSetState::dsEdit);
    EXPECT_EQ(Current(), "300");
    table_.Cancel();
}

TEST_F(DataBindingsTest, TheTextFieldIsEditableOnlyWhileTheDatasetEdits) {
    EXPECT_EQ(edit_->text(), QStringLiteral("100"));
    EXPECT_TRUE(edit_->isReadOnly());
    EXPECT_EQ(edit_->maxLength(), 8);
    table_.Last();
    EXPECT_EQ(edit_->text(), QStringLiteral("Árvíz"));

    table_.Edit();
    EXPECT_FALSE(edit_->isReadOnly());
    edit_->selectAll();
    for (const QString& key : {QStringLiteral("Ő"), QStringLiteral("1"), QStringLiteral("2")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(edit_.get(), &press);
    }
    EXPECT_EQ(Current(), "\xD5"
                         "12")
        << "each keystroke is in the field, in Windows-1250";
    table_.Post();
    EXPECT_TRUE(edit_->isReadOnly());
    EXPECT_EQ(edit_->text(), QStringLiteral("Ő12"));

    // Insert: the field starts empty.
    table_.Append();
    EXPECT_EQ(edit_->text(), QString());
    EXPECT_FALSE(edit_->isReadOnly());
    table_.Cancel();
    EXPECT_EQ(edit_->text(), QString::fromStdString(Cp1250ToUtf8(Current())));
}

TEST_F(DataBindingsTest, BindingsGoWithTheirWidgetsAndSurviveTheirDataset) {
    edit_.reset();
    grid_.reset();
    table_.Next(); // nobody listens any more
    auto table = std::make_unique<TStoreTable>();
    table->FieldDefs = {{"Vonalkod1", TFieldType::ftString, 8}};
    table->Open();
    TDataSource source(table.get());
    QLineEdit edit;
    new TDBEditBinding(edit, source, "Vonalkod1");
    table.reset();
    EXPECT_TRUE(edit.isReadOnly());
}

} // namespace
} // namespace etikor
