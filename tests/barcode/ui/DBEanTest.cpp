#include "barcode/ui/DBEan.h"

#include "ImageDecoder.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

namespace etikor {
namespace {

// A table of barcode values with one EAN-13 preview bound to it.
class DBEanTest : public testing::Test {
protected:
    DBEanTest() {
        table_.Name = "T";
        table_.FieldDefs = {{"Vonalkod1", TFieldType::ftString, 20}, {"Tipus1", TFieldType::ftInteger, 0}};
        table_.Open();
        for (const char* v : {"4006381333931", "", "9771210107001"}) {
            table_.Append();
            table_.FieldByName("Vonalkod1").SetAsString(v);
            table_.Post();
        }
        table_.First();
        source_.SetDataSet(&table_);
        ean_ = std::make_unique<TDBEan>();
        ean_->resize(260, 120);
        ean_->SetTypBarCode(TTypBarCode::bcEan13);
        ean_->SetShowLabels(true);
    }
    void Bind(const char* field = "Vonalkod1") {
        ean_->SetDataSource(&source_);
        ean_->SetDataField(field);
    }
    QImage Picture() { return ean_->grab().toImage(); }
    static bool Blank(const QImage& image) {
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != first)
                    return false;
        return true;
    }

    TStoreTable table_;
    TDataSource source_;
    std::unique_ptr<TDBEan> ean_;
};

TEST_F(DBEanTest, FollowsTheFieldFromRecordToRecordAndDrawsIt) {
    Bind();
    EXPECT_EQ(ean_->BarCode(), "4006381333931");
    const test::DecodeResult first = test::DecodeImage(Picture());
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.text, "4006381333931");
    table_.Last();
    EXPECT_EQ(ean_->BarCode(), "9771210107001");
    EXPECT_EQ(test::DecodeImage(Picture()).text, "9771210107001");
    // A change of the value while editing shows at once.
    table_.Edit();
    table_.FieldByName("Vonalkod1").SetAsString("5901234123457");
    EXPECT_EQ(ean_->BarCode(), "5901234123457");
    table_.Cancel();
    EXPECT_EQ(ean_->BarCode(), "9771210107001");
    // Another symbology keeps showing the field, not the engine's sample.
    ean_->SetTypBarCode(TTypBarCode::bcCode128);
    EXPECT_EQ(ean_->BarCode(), "9771210107001");
    EXPECT_EQ(test::DecodeImage(Picture()).text, "9771210107001");
}

TEST_F(DBEanTest, AnEmptyFieldDrawsNothing) {
    Bind();
    table_.Next();
    EXPECT_EQ(ean_->BarCode(), "");
    EXPECT_TRUE(Blank(Picture()));
}

TEST_F(DBEanTest, WithoutTheFieldTheBarcodeKeepsItsText) {
    ean_->SetDataSource(&source_);
    ean_->SetDataField("Vonalkod1"); // shows the first record
    ean_->SetDataSource(nullptr);
    Bind("Nincs");
    table_.Next();
    EXPECT_EQ(ean_->BarCode(), "4006381333931");
    ean_->SetDataField("Vonalkod1");
    EXPECT_EQ(ean_->BarCode(), "");
}

TEST_F(DBEanTest, TheControlMayGoBeforeOrAfterItsDataset) {
    Bind();
    ean_.reset(); // detaches: later changes reach nobody
    table_.Next();
    table_.Edit();
    table_.FieldByName("Vonalkod1").SetAsString("1");
    table_.Post();

    ean_ = std::make_unique<TDBEan>();
    Bind();
    table_.Close();
    source_.SetDataSet(nullptr);
    EXPECT_EQ(ean_->DataSource(), &source_);
    table_.Open();
    EXPECT_EQ(ean_->BarCode(), "1") << "unchanged while the source has no dataset";
}

} // namespace
} // namespace etikor
