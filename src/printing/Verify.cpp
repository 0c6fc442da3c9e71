#include "printing/Verify.h"

#include "pageengine/ReportPaint.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <QHash>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace etikor {

namespace {

ZXing::BarcodeFormat DecoderFormat(TTypBarCode type) {
    using T = TTypBarCode;
    using F = ZXing::BarcodeFormat;
    switch (type) {
    case T::bcEan8:
    case T::bcJAN8:
        return F::EAN8;
    case T::bcEan13:
    case T::bcJAN13:
    case T::bcISBN:
    case T::bcISSN:
    case T::bcISMN:
        return F::EAN13;
    case T::bcUPCA:
        return F::UPCA;
    case T::bcUPCE0:
    case T::bcUPCE1:
        return F::UPCE;
    case T::bcCodabar:
    case T::bcABCCodabar:
        return F::Codabar;
    case T::bcCode39Standard:
    case T::bcCode39Full:
        return F::Code39;
    case T::bcCode93Standard:
    case T::bcCode93Full:
        return F::Code93;
    case T::bcCode128:
    case T::bcEan128:
        return F::Code128;
    case T::bc25Interleaved:
    case T::bcITF:
    case T::bcUPCShipping:
        return F::ITF;
    case T::bcQRCode:
        return F::QRCode;
    case T::bcDataMatrix:
        return F::DataMatrix;
    case T::bcPDF417:
        return F::PDF417;
    case T::bcAztec:
        return F::Aztec;
    default:
        return F::None;
    }
}

bool DigitsOnly(TTypBarCode type) {
    const ZXing::BarcodeFormat format = DecoderFormat(type);
    return format == ZXing::BarcodeFormat::EAN8 || format == ZXing::BarcodeFormat::EAN13 ||
           format == ZXing::BarcodeFormat::UPCA || format == ZXing::BarcodeFormat::UPCE ||
           type == TTypBarCode::bcITF || type == TTypBarCode::bcUPCShipping;
}

QString Digits(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c >= '0' && c <= '9')
            out += c;
    return out;
}

// A quick pass on the symbol as printed (black on white, turned upright), then a thorough one
// before a symbol is called unreadable (coloured bars, a reader that needs more lines).
// `thorough` false: the quick pass only (a band of the symbol, which the thorough reader's
// rotations and smaller copies cannot help).
QString Decode(const QImage& gray, TTypBarCode type, int angle, bool& found, bool thorough) {
    ZXing::DecodeHints hints;
    hints.setFormats(DecoderFormat(type));
    hints.setMaxNumberOfSymbols(1);
    hints.setTryCode39ExtendedMode(type == TTypBarCode::bcCode39Full);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Ignore);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                static_cast<int>(gray.bytesPerLine()));
    hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
    hints.setTryHarder(false);
    hints.setTryRotate(false);
    // Printed dots are what is read: no smaller copies of a page-sized picture.
    hints.setTryDownscale(false);
    ZXing::Result result = ZXing::ReadBarcode(view.rotated(((angle % 360) + 360) % 360), hints);
    if (!result.isValid() && thorough) {
        hints.setBinarizer(ZXing::Binarizer::LocalAverage);
        hints.setTryHarder(true);
        hints.setTryRotate(true);
        hints.setTryDownscale(true);
        result = ZXing::ReadBarcode(view, hints);
    }
    found = result.isValid();
    return found ? QString::fromStdString(result.text()) : QString();
}

// Around the symbol: white paper for the reader's quiet zone.
constexpr double kQuietMm = 5;
// Lines of a band across a linear symbol's bars: enough for the reader's agreeing lines.
constexpr int kBandDots = 16;

struct TKey {
    const TReportItem* Item;
    QString Value;
    bool operator==(const TKey& other) const { return Item == other.Item && Value == other.Value; }
};

struct TKeyHash {
    size_t operator()(const TKey& key) const {
        return qHash(key.Value) ^ (std::hash<const void*>()(key.Item) * 31);
    }
};

struct TDistinct {
    TPlacedItem Sample;
    bool Done = false;
    TBarcodeVerdict Verdict = TBarcodeVerdict::bvReadable;
    TLastPaintError Error = TLastPaintError::erOK;
    TTypBarCode Type = TTypBarCode::bcCode128;
    QString Decoded;
};

struct TOccurrence {
    size_t Distinct;
    int Page;
    int Place;
};

} // namespace

bool DecoderReads(TTypBarCode type) {
    return DecoderFormat(type) != ZXing::BarcodeFormat::None;
}

bool DecodedMatches(TTypBarCode type, const QString& value, const QString& decoded) {
    QString want = value;
    QString got = decoded;
    if (DigitsOnly(type)) {
        want = Digits(want);
        got = Digits(got);
    } else if (type == TTypBarCode::bcEan128) {
        want.remove('(').remove(')');
        got.remove(QChar(0x1D));
    } else if (DecoderFormat(type) == ZXing::BarcodeFormat::Codabar) {
        // The reader leaves the start and stop characters out.
        static const QString startStop = QStringLiteral("ABCDTN*Eabcdtne");
        if (!want.isEmpty() && startStop.contains(want.front()))
            want.remove(0, 1);
        if (!want.isEmpty() && startStop.contains(want.back()))
            want.chop(1);
    }
    if (got == want)
        return true;
    // A book number typed in its ten-digit form reads with the EAN prefix and a new check digit.
    const bool bookNumber =
        type == TTypBarCode::bcISBN || type == TTypBarCode::bcISSN || type == TTypBarCode::bcISMN;
    return !want.isEmpty() && got.size() - want.size() <= (bookNumber ? 4 : 2) && got.contains(want);
}

struct TBarcodeVerifier::TState {
    TPageSetup Page;
    double Dpi = 600;
    std::unordered_map<TKey, size_t, TKeyHash> Index;
    std::vector<TDistinct> Distinct;
    std::vector<TOccurrence> Occurrences;
    size_t Checked = 0;
    QImage Sheet;
    QImage Band;

    // The place of a band on its sheet: down each column, then the next column.
    int PlaceOf(QPointF origin) const {
        const double height = std::max(Page.LabelHeightMm, 0.01);
        const double usable = Page.PageLengthMm - Page.TopMarginMm - Page.BottomMarginMm;
        const int rows = std::max(1, static_cast<int>(std::floor(usable / height + 1e-9)));
        const int row = static_cast<int>(std::lround((origin.y() - Page.TopMarginMm) / height));
        int column = 0;
        double nearest = 1e300;
        for (int c = 0; c < std::max(Page.Columns, 1); ++c) {
            const double distance = std::abs(Page.ColumnLeftMm(c) - origin.x());
            if (distance < nearest) {
                nearest = distance;
                column = c;
            }
        }
        return column * rows + row + 1;
    }

    // Draws the symbol onto `image`, which stands for the dots `dots` of the symbol's paper
    // (the symbol with its quiet zone at `dotsPerMm`); the rest of the paper is clipped away.
    static void Draw(TDistinct& distinct, QImage& image, const QRectF& area, double dotsPerMm, QPoint dots) {
        auto* item = static_cast<TBarcodeItem*>(distinct.Sample.Item);
        image.fill(Qt::white);
        TDeviceMap map;
        map.DotsPerMmX = map.DotsPerMmY = dotsPerMm;
        map.OffsetMm = area.topLeft();
        map.Paper = true;
        QPainter painter(&image);
        // Whole dots: the band holds exactly the dots of the whole picture it stands for.
        painter.translate(-dots.x(), -dots.y());
        item->Paint(painter, map, distinct.Sample);
    }

    // False when the value draws nothing (the verdict is then set).
    static bool Drawn(TDistinct& distinct) {
        auto* item = static_cast<TBarcodeItem*>(distinct.Sample.Item);
        distinct.Type = item->Barcode.TypBarCode();
        distinct.Error = item->Barcode.LastPaintError();
        if (distinct.Error != TLastPaintError::erOK && distinct.Error != TLastPaintError::erSmallPaintBox &&
            distinct.Error != TLastPaintError::erOutOfSecurityBox) {
            distinct.Verdict = TBarcodeVerdict::bvInvalid;
            return false;
        }
        if (!DecoderReads(distinct.Type)) {
            distinct.Verdict = TBarcodeVerdict::bvUnchecked;
            return false;
        }
        return true;
    }

    void Check(TDistinct& distinct) {
        auto* item = static_cast<TBarcodeItem*>(distinct.Sample.Item);
        const TTypBarCode type = item->Barcode.TypBarCode();
        const int angle = ((item->Barcode.Angle() % 360) + 360) % 360;
        const double dotsPerMm = Dpi / 25.4;
        const QRectF area = distinct.Sample.RectMm.adjusted(-kQuietMm, -kQuietMm, kQuietMm, kQuietMm);
        // One sheet of paper for every symbol of the same size.
        const QSize size(std::max(1, static_cast<int>(std::ceil(area.width() * dotsPerMm))),
                         std::max(1, static_cast<int>(std::ceil(area.height() * dotsPerMm))));
        // A linear symbol printed upright or quarter-turned reads from a few lines across its
        // bars through the middle: a band of the paper is drawn and read first, and only a band
        // that does not read sends the symbol to the whole picture (and the thorough reader).
        if (!IsMatrixType(type) && DecoderReads(type) && angle % 90 == 0) {
            const bool barsUpright = angle == 0 || angle == 180;
            const QRect band = barsUpright ? QRect(0, std::max(0, size.height() / 2 - kBandDots / 2),
                                                   size.width(), std::min(kBandDots, size.height()))
                                           : QRect(std::max(0, size.width() / 2 - kBandDots / 2), 0,
                                                   std::min(kBandDots, size.width()), size.height());
            if (Band.size() != band.size())
                Band = QImage(band.size(), QImage::Format_Grayscale8);
            Draw(distinct, Band, area, dotsPerMm, band.topLeft());
            if (!Drawn(distinct))
                return;
            bool found = false;
            const QString decoded = Decode(Band, type, angle, found, false);
            if (found && DecodedMatches(type, distinct.Sample.Value, decoded)) {
                distinct.Decoded = decoded;
                distinct.Verdict = TBarcodeVerdict::bvReadable;
                return;
            }
        }
        if (Sheet.size() != size)
            Sheet = QImage(size, QImage::Format_Grayscale8);
        Draw(distinct, Sheet, area, dotsPerMm, QPoint());
        if (!Drawn(distinct))
            return;
        bool found = false;
        distinct.Decoded = Decode(Sheet, type, angle, found, true);
        // Against the value as the label carries it: a check digit the symbol replaces is a
        // barcode that says something else.
        distinct.Verdict = found && DecodedMatches(distinct.Type, distinct.Sample.Value, distinct.Decoded)
                               ? TBarcodeVerdict::bvReadable
                               : TBarcodeVerdict::bvUnreadable;
    }
};

TBarcodeVerifier::TBarcodeVerifier(const TPageSetup& page, double dpi) : F(std::make_unique<TState>()) {
    F->Page = page;
    F->Dpi = dpi;
}

TBarcodeVerifier::~TBarcodeVerifier() = default;

void TBarcodeVerifier::AddPage(const TPreparedPage& page, int pageNumber) {
    for (const TPlacedItem& placed : page.Items) {
        if (placed.Kind != TItemKind::ikBarcode || !placed.Item)
            continue;
        const auto [at, added] = F->Index.try_emplace(TKey{placed.Item, placed.Value}, F->Distinct.size());
        if (added) {
            TDistinct distinct;
            distinct.Sample = placed;
            F->Distinct.push_back(std::move(distinct));
        }
        F->Occurrences.push_back({at->second, pageNumber, F->PlaceOf(placed.BandOriginMm)});
    }
}

void TBarcodeVerifier::Run(const TProgressEvent& progress) {
    const int total = static_cast<int>(F->Distinct.size());
    for (; F->Checked < F->Distinct.size(); ++F->Checked) {
        F->Check(F->Distinct[F->Checked]);
        F->Distinct[F->Checked].Done = true;
        if (progress && (F->Checked % 64 == 0))
            progress(static_cast<int>(F->Checked), total);
    }
    if (progress)
        progress(total, total);
}

int TBarcodeVerifier::LabelCount() const {
    return static_cast<int>(F->Occurrences.size());
}

int TBarcodeVerifier::DistinctCount() const {
    return static_cast<int>(F->Distinct.size());
}

int TBarcodeVerifier::UncheckedCount() const {
    return static_cast<int>(
        std::count_if(F->Occurrences.begin(), F->Occurrences.end(), [this](const TOccurrence& o) {
            return F->Distinct[o.Distinct].Done &&
                   F->Distinct[o.Distinct].Verdict == TBarcodeVerdict::bvUnchecked;
        }));
}

std::vector<TUnreadableLabel> TBarcodeVerifier::Unreadable() const {
    std::vector<TUnreadableLabel> labels;
    for (const TOccurrence& occurrence : F->Occurrences) {
        const TDistinct& distinct = F->Distinct[occurrence.Distinct];
        if (!distinct.Done || distinct.Verdict == TBarcodeVerdict::bvReadable ||
            distinct.Verdict == TBarcodeVerdict::bvUnchecked)
            continue;
        TUnreadableLabel label;
        label.Page = occurrence.Page;
        label.Place = occurrence.Place;
        label.Value = distinct.Sample.Value;
        label.Type = distinct.Type;
        label.Verdict = distinct.Verdict;
        label.Error = distinct.Error;
        label.Decoded = distinct.Decoded;
        labels.push_back(std::move(label));
    }
    return labels;
}

std::vector<TUnreadableLabel> VerifyPrepared(const TReport& report, const TPreparedReport& prepared,
                                             double dpi, const TProgressEvent& progress) {
    TBarcodeVerifier verifier(report.Page, dpi);
    for (size_t p = 0; p < prepared.Pages.size(); ++p)
        verifier.AddPage(prepared.Pages[p], static_cast<int>(p) + 1);
    verifier.Run(progress);
    return verifier.Unreadable();
}

} // namespace etikor
