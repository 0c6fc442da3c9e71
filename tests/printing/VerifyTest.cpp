// Verification before printing: each distinct barcode of a run drawn once at the printer's
// resolution as the page engine prints it and read back; the labels whose barcode does not read
// back as their value are reported with their page and place.

#include "printing/Verify.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace etikor {
namespace {

using T = TTypBarCode;
using V = TBarcodeVerdict;

std::shared_ptr<TBarcodeItem> BarcodeItem(T type, double widthMm, double heightMm, bool autoCheck = true,
                                          int angle = 0) {
    auto item = std::make_shared<TBarcodeItem>();
    TQrDBEan& ean = item->Barcode;
    // No automatic size: the box stays as given, however narrow.
    ean.SetAutoSize(false);
    ean.Unit = TReportUnit::ruMillimetres;
    ean.SetTypBarCode(type);
    ean.SetAutoCheckDigit(autoCheck);
    ean.SetSecurity(true);
    ean.SetAngle(angle);
    ean.Left = 4;
    ean.Top = 3;
    ean.Width = widthMm;
    ean.Height = heightMm;
    item->SyncRect();
    return item;
}

// Labels of the default sheet (three columns, seven labels each) carrying `item` with the values.
struct LabelRun {
    TReport Report;
    TPreparedReport Prepared;

    void Add(const std::shared_ptr<TBarcodeItem>& item, const std::vector<QString>& values) {
        Report.Items.push_back(item);
        Prepared.Items.push_back(item);
        const int rows = 7;
        for (const QString& value : values) {
            const int index = Prepared.LabelCount++;
            const int onPage = index % (rows * Report.Page.Columns);
            if (onPage == 0)
                Prepared.Pages.emplace_back();
            const QPointF origin(Report.Page.ColumnLeftMm(onPage / rows),
                                 Report.Page.TopMarginMm + (onPage % rows) * Report.Page.LabelHeightMm);
            TPlacedItem placed;
            placed.Kind = TItemKind::ikBarcode;
            placed.RectMm = item->RectMm.translated(origin);
            placed.BandOriginMm = origin;
            placed.Value = value;
            placed.Item = item.get();
            Prepared.Pages.back().Items.push_back(placed);
        }
    }
};

struct Case {
    const char* Name;
    T Type;
    const char* Value;
    bool AutoCheck;
    double WidthMm;
    int Angle;
    int Dpi;
    V Verdict; // bvReadable: reported nowhere
};

TEST(Verify, EachSymbolReadsBackOrIsReportedWithItsReason) {
    const Case cases[] = {
        {"Code 128", T::bcCode128, "ETK42-abc", true, 40, 0, 203, V::bvReadable},
        {"Code 128 turned", T::bcCode128, "ETK42", true, 30, 90, 300, V::bvReadable},
        {"Code 128 upside down", T::bcCode128, "ETK42-abc", true, 40, 180, 600, V::bvReadable},
        {"EAN-13 turned back", T::bcEan13, "590123412345", true, 40, 270, 600, V::bvReadable},
        {"EAN-13, check digit added", T::bcEan13, "590123412345", true, 40, 0, 203, V::bvReadable},
        {"EAN-13, check digit typed", T::bcEan13, "5901234123457", false, 40, 0, 600, V::bvReadable},
        {"UPC-A", T::bcUPCA, "03600029145", true, 40, 0, 300, V::bvReadable},
        {"Code 39", T::bcCode39Standard, "E42", true, 30, 0, 300, V::bvReadable},
        {"Codabar", T::bcCodabar, "A40156B", true, 30, 0, 300, V::bvReadable},
        {"ITF", T::bc25Interleaved, "123456", true, 30, 0, 300, V::bvReadable},
        {"QR Code", T::bcQRCode, "Etikor 42", true, 20, 0, 300, V::bvReadable},
        // A wrong check digit typed with the automatic one off: the symbol carries the right one,
        // so it scans as another number than the label shows.
        {"EAN-13, wrong check digit", T::bcEan13, "5901234123458", false, 40, 0, 300, V::bvUnreadable},
        // 17 mm for about 90 modules at 203 dpi: less than a dot a module, so paper gets no symbol.
        {"squeezed Code 128", T::bcCode128, "ETK-0000000042", true, 10, 0, 203, V::bvUnreadable},
        {"squeezed Code 128 turned", T::bcCode128, "ETK-0000000042", true, 10, 90, 203, V::bvUnreadable},
        {"EAN-13, wrong check digit, 600 dpi", T::bcEan13, "5901234123458", false, 40, 0, 600,
         V::bvUnreadable},
        {"letters as an EAN-13", T::bcEan13, "ABC-xy", true, 40, 0, 300, V::bvInvalid},
        {"no value", T::bcCode128, "", true, 40, 0, 300, V::bvInvalid},
        {"Code 11, which the reader does not know", T::bcCode11, "123-45", true, 40, 0, 300, V::bvUnchecked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        LabelRun run;
        run.Add(BarcodeItem(c.Type, c.WidthMm, 15, c.AutoCheck, c.Angle), {QString::fromLatin1(c.Value)});
        TBarcodeVerifier verifier(run.Report.Page, c.Dpi);
        verifier.AddPage(run.Prepared.Pages[0], 1);
        verifier.Run();
        const std::vector<TUnreadableLabel> unreadable = verifier.Unreadable();
        EXPECT_EQ(verifier.UncheckedCount(), c.Verdict == V::bvUnchecked ? 1 : 0);
        if (c.Verdict == V::bvReadable || c.Verdict == V::bvUnchecked) {
            EXPECT_TRUE(unreadable.empty()) << unreadable.front().Decoded.toStdString();
            continue;
        }
        ASSERT_EQ(unreadable.size(), 1u);
        EXPECT_EQ(unreadable[0].Verdict, c.Verdict);
        EXPECT_EQ(unreadable[0].Value, QString::fromLatin1(c.Value));
        EXPECT_EQ(unreadable[0].Type, c.Type);
        EXPECT_EQ(unreadable[0].Page, 1);
        EXPECT_EQ(unreadable[0].Place, 1);
    }
}

TEST(Verify, DistinctBarcodesAreReadOnceAndEveryLabelOfThemIsReported) {
    LabelRun run;
    // 25 labels over two pages: the invalid value on the 2nd, 9th and 23rd (page 2, place 2).
    std::vector<QString> values;
    for (int i = 1; i <= 25; ++i)
        values.push_back(i == 2 || i == 9 || i == 23 ? QStringLiteral("ABC-xy")
                                                     : QStringLiteral("590123412345"));
    run.Add(BarcodeItem(T::bcEan13, 40, 15), values);
    // A second element with the same value prints another size: read on its own.
    run.Add(BarcodeItem(T::bcEan13, 30, 10), {QStringLiteral("590123412345")});
    TBarcodeVerifier verifier(run.Report.Page, 300);
    for (size_t p = 0; p < run.Prepared.Pages.size(); ++p)
        verifier.AddPage(run.Prepared.Pages[p], static_cast<int>(p) + 1);
    EXPECT_EQ(verifier.LabelCount(), 26);
    EXPECT_EQ(verifier.DistinctCount(), 3);
    int calls = 0;
    verifier.Run([&calls](int done, int total) {
        ++calls;
        EXPECT_LE(done, total);
        EXPECT_EQ(total, 3);
    });
    EXPECT_GE(calls, 1);
    const std::vector<TUnreadableLabel> unreadable = verifier.Unreadable();
    ASSERT_EQ(unreadable.size(), 3u);
    const std::pair<int, int> where[] = {{1, 2}, {1, 9}, {2, 2}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(unreadable[i].Page, where[i].first);
        EXPECT_EQ(unreadable[i].Place, where[i].second);
        EXPECT_EQ(unreadable[i].Verdict, V::bvInvalid);
    }
    // The whole run at once gives the same.
    EXPECT_EQ(VerifyPrepared(run.Report, run.Prepared, 300).size(), 3u);
}

TEST(Verify, ADecodedTextStandsForItsValueWithOnlyTheSymbolsOwnAdditions) {
    struct Match {
        T Type;
        const char* Value;
        const char* Decoded;
        bool Same;
    } const matches[] = {
        {T::bcCode128, "ETK42", "ETK42", true},
        {T::bcCode128, "ETK42", "ETK43", false},
        {T::bcCode128, "ETK42", "ETK4", false},
        {T::bcCode39Standard, "E42", "E42U", true}, // its check character
        {T::bcEan13, "590123412345", "5901234123457", true},
        {T::bcEan13, "590123412345", "5901234123450457", false},
        {T::bcEan128, "(10)123456", "10123456", true},
        {T::bcCodabar, "A40156B", "401560", true}, // start and stop left out, its check digit added
        {T::bcISBN, "3-16-148410-X", "9783161484100", true},
        {T::bcEan13, "5901234123458", "5901234123457", false},
        {T::bcCode128, "", "X", false},
    };
    for (const Match& m : matches)
        EXPECT_EQ(DecodedMatches(m.Type, QString::fromLatin1(m.Value), QString::fromLatin1(m.Decoded)),
                  m.Same)
            << m.Value << " / " << m.Decoded;
}

} // namespace
} // namespace etikor
