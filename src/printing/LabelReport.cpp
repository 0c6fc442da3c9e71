#include "printing/LabelReport.h"

#include "data/ColorQt.h"
#include "data/Cp1250.h"
#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "document/FontDescriptor.h"
#include "document/PictureFiles.h"
#include "document/TemplateSchema.h"
#include "tablestore/StoreKeys.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TLabelReportText {
    Q_DECLARE_TR_FUNCTIONS(TLabelReportText)
};
} // namespace

namespace {

// Designer pixels are screen pixels at 96 per inch.
constexpr double kMmPerPixel = 25.4 / kScreenPpi;

double RoundedMm(double mm) {
    return RoundHalfEven(mm);
}

QRectF RoundedRect(const TMmRect& mm) {
    return QRectF(RoundedMm(mm.Left), RoundedMm(mm.Top), RoundedMm(mm.Width), RoundedMm(mm.Height));
}

TBarcodeFont BarcodeFont(const TFont& font) {
    TBarcodeFont result;
    result.Name = font.Name();
    result.Size = font.Size();
    result.Bold = font.Style() & fsBold;
    result.Italic = font.Style() & fsItalic;
    result.Underline = font.Style() & fsUnderline;
    result.StrikeOut = font.Style() & fsStrikeOut;
    result.Color = font.Color();
    return result;
}

// A date or time code's value for the run, or nothing for a source that is no code.
std::optional<QString> DateTimeValue(const TLabelElement& element, const TLabelRunOptions& options) {
    const std::optional<std::string> value =
        ResolveDateTimeCode(ToCp1250(element.Source), ToCp1250(element.Value), options.Now.value_or(0));
    if (!value)
        return std::nullopt;
    return FromCp1250(*value);
}

void SetTextLook(TTextItem& item, const TLabelElement& element) {
    item.Font = ToQFont(element.Font);
    item.Color = ToQColor(element.Font.Color());
    item.Alignment = element.Alignment;
}

std::shared_ptr<TReportItem> TextItem(const TLabelElement& element, const TDataSet* data,
                                      const TLabelRunOptions& options) {
    const std::optional<QString> dateTime = DateTimeValue(element, options);
    if (!element.HasSource() || dateTime) {
        auto item = std::make_shared<TTextItem>();
        SetTextLook(*item, element);
        item->Text = dateTime ? *dateTime : element.Value;
        item->RotationDegrees = RotationDegrees(element.Rotation).value_or(0);
        item->RectMm = QRectF(element.Mm.Left, element.Mm.Top, element.Mm.Width, element.Mm.Height);
        // A text standing on its side gets a millimetre more height.
        if (item->RotationDegrees == 90 || item->RotationDegrees == 270)
            item->RectMm.setHeight(item->RectMm.height() + 1.0);
        return item;
    }
    // Bound texts print unrotated.
    auto item = std::make_shared<TDataTextItem>();
    SetTextLook(*item, element);
    item->FieldName = BoundField(element.Source, data, options.DataFlag);
    item->RectMm = RoundedRect(element.Mm);
    return item;
}

std::shared_ptr<TReportItem> BarcodeItem(const TLabelElement& element, const TDataSet* data,
                                         const TLabelRunOptions& options) {
    auto item = std::make_shared<TBarcodeItem>();
    TQrDBEan& ean = item->Barcode;
    ean.Name = ToCp1250(element.Name);
    ean.Unit = TReportUnit::ruMillimetres;
    ean.Left = element.Px.Left * kMmPerPixel;
    ean.Top = element.Px.Top * kMmPerPixel;
    ean.Width = element.Px.Width * kMmPerPixel;
    ean.Height = element.Px.Height * kMmPerPixel;
    // The symbology first: choosing one loads its sample text.
    if (const std::optional<TTypBarCode> type = BarcodeTypeForIndex(element.TypeIndex))
        ean.SetTypBarCode(*type);
    ean.SetMatrixOptions(BarcodeOptionsForIndex(element.TypeIndex));
    ean.SetFont(BarcodeFont(element.Font));
    ean.SetFontAutoSize(options.AutoBetu);
    ean.SetAutoCheckDigit(options.AutoChd);
    ean.SetSecurity(options.Security);
    ean.SetAngle(RotationDegrees(element.Rotation).value_or(0));
    ean.SetShowLabels(element.ShowValue);
    ean.SetStartStopLines(element.StartStop);
    if (BarcodeIndexSetsEan13AddUp(element.TypeIndex))
        ean.SetEan13AddUp(true);
    const std::optional<QString> dateTime = DateTimeValue(element, options);
    ean.SetBarCode(ToCp1250(dateTime ? *dateTime : element.Value));
    ean.SetAutoSize(options.AutoVonal);
    if (!dateTime)
        item->FieldName = BoundField(element.Source, data, options.DataFlag);
    item->SyncRect();
    return item;
}

std::shared_ptr<TReportItem> PictureItem(const TLabelElement& element) {
    auto item = std::make_shared<TPictureItem>();
    item->RectMm = RoundedRect(element.Mm);
    if (element.HasSource() && !element.Value.isEmpty() && QFileInfo(element.Value).isFile())
        item->Picture = LoadPictureFile(element.Value);
    if (!item->Picture.isNull()) {
        item->Description = element.Value;
    } else {
        item->Picture = PlaceholderPicture();
        item->Description.clear();
    }
    return item;
}

std::shared_ptr<TReportItem> DrawingItem(const TLabelElement& element) {
    const bool ellipse = element.TypeIndex == stEllipse || element.TypeIndex == stCircle;
    auto item = std::make_shared<TShapeItem>(ellipse ? TItemKind::ikEllipse : TItemKind::ikRect);
    // Rectangles (and the lines stored as rectangles) print four pixels wider.
    const int widthPx = element.Px.Width + (element.TypeIndex == stRectangle ? 4 : 0);
    item->RectMm = QRectF(RoundedMm(element.Mm.Left), RoundedMm(element.Mm.Top), widthPx * kMmPerPixel,
                          element.Px.Height * kMmPerPixel);
    return item;
}

} // namespace

bool IsBlankPlace(const TDataSet& data) {
    if (data.FieldCount() == 0 || !data.Active() || data.IsEmpty())
        return false;
    const TField& first = data.Fields(0);
    if (first.IsNull())
        return true;
    return first.DataType() == TFieldType::ftString && first.AsString() == " ";
}

std::string BoundField(const QString& source, const TDataSet* data, bool dataFlag) {
    const std::string name = ToCp1250(source.trimmed());
    if (!dataFlag || !data || name.empty())
        return {};
    const std::string wanted = Cp1250UpperCase(name);
    for (int i = 0; i < data->FieldCount(); ++i)
        if (Cp1250UpperCase(data->Fields(i).FieldName()).starts_with(wanted))
            return name;
    return {};
}

std::vector<TLabelElement> BandOrder(const std::vector<TLabelElement>& elements) {
    std::vector<std::pair<std::string, const TLabelElement*>> keyed;
    keyed.reserve(elements.size());
    for (const TLabelElement& element : elements)
        keyed.emplace_back(ToCp1250(element.Source), &element);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return CompareTextCI(a.first, b.first) < 0; });
    std::vector<TLabelElement> ordered;
    ordered.reserve(elements.size());
    for (const auto& entry : keyed)
        ordered.push_back(*entry.second);
    return ordered;
}

TReport BuildLabelReport(const std::vector<TLabelElement>& elements, const TPageSetup& setup,
                         const TDataSet* data, const TLabelRunOptions& runOptions) {
    TLabelRunOptions options = runOptions;
    if (!options.Now)
        options.Now = Now();
    TReport report;
    report.Page = setup;
    report.BandFrame = options.Frame;
    report.BeforePrint = [](const TDataSet& record) { return !IsBlankPlace(record); };
    for (const TLabelElement& element : BandOrder(elements)) {
        switch (element.Kind) {
        case TElemKind::ekText:
            report.Items.push_back(TextItem(element, data, options));
            break;
        case TElemKind::ekBarcode:
            report.Items.push_back(BarcodeItem(element, data, options));
            break;
        case TElemKind::ekPicture:
            report.Items.push_back(PictureItem(element));
            break;
        case TElemKind::ekDrawing:
            report.Items.push_back(DrawingItem(element));
            break;
        }
    }
    return report;
}

} // namespace etikor

namespace etikor {

TSkipCount ParseSkipCount(const QString& answer) {
    TSkipCount result;
    bool ok = false;
    const int count = answer.trimmed().toInt(&ok);
    if (!ok)
        result.Error = answer + TLabelReportText::tr(" nem szám!");
    else if (count > kMaxSkipCount)
        result.Error = answer + TLabelReportText::tr(" túl nagy szám! (Max.: 48)");
    else
        result.Count = std::max(count, 0);
    return result;
}

} // namespace etikor
