#include "pageengine/Report.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/TurnedText.h"
#include "pageengine/ReportPaint.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace etikor {

std::string_view ItemKindName(TItemKind kind) {
    switch (kind) {
    case TItemKind::ikText:
        return "text";
    case TItemKind::ikDataText:
        return "datatext";
    case TItemKind::ikBarcode:
        return "barcode";
    case TItemKind::ikPicture:
        return "picture";
    case TItemKind::ikRect:
        return "rect";
    case TItemKind::ikEllipse:
        return "ellipse";
    case TItemKind::ikFrame:
        break;
    }
    return "frame";
}

TReportItem::~TReportItem() = default;

QString TReportItem::Resolve(const TDataSet*) const {
    return {};
}

namespace {
// The display text of a field of the data set's current record; empty without one.
QString FieldText(const TDataSet* data, const std::string& fieldName) {
    if (!data || fieldName.empty() || !data->Active() || data->IsEmpty())
        return {};
    const TField* field = data->FindField(fieldName);
    return field ? FromCp1250(field->DisplayText()) : QString();
}
} // namespace

// ---- text ---------------------------------------------------------------------------------

QString TTextItem::Resolve(const TDataSet*) const {
    return Text;
}

const QFontMetricsF& TTextItem::MetricsOn(const QPaintDevice* device) {
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    if (!FMetrics || dpiX != FMetricsDpiX || dpiY != FMetricsDpiY || !(Font == FMetricsFont)) {
        FMetrics.emplace(Font, device);
        FMetricsFont = Font;
        FMetricsDpiX = dpiX;
        FMetricsDpiY = dpiY;
    }
    return *FMetrics;
}

void TTextItem::Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) {
    if (placed.Value.isEmpty())
        return;
    const QFontMetricsF& metrics = MetricsOn(painter.device());
    const QRectF box = map.Rect(placed.RectMm);
    painter.setFont(Font);
    painter.setPen(Color);
    // An unturned text on the left of its box needs no measuring and no turned painter.
    if (RotationDegrees == 0 && Alignment == TAlignment::taLeftJustify) {
        painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), placed.Value);
        return;
    }
    const double w = metrics.horizontalAdvance(placed.Value);
    const TTextStart start = TurnedTextStart(w, metrics.height(), RotationDegrees, Alignment, box.width());
    painter.save();
    painter.translate(box.topLeft() + QPointF(start.X, start.Y));
    painter.rotate(-RotationDegrees);
    painter.drawText(QPointF(0, metrics.ascent()), placed.Value);
    painter.restore();
}

QString TDataTextItem::Resolve(const TDataSet* data) const {
    return FieldText(data, FieldName);
}

// ---- barcode ------------------------------------------------------------------------------

QString TBarcodeItem::Resolve(const TDataSet* data) const {
    if (FieldName.empty())
        return FromCp1250(Barcode.BarCode());
    return FieldText(data, FieldName);
}

void TBarcodeItem::SyncRect() {
    Barcode.UpdateWidth();
    RectMm = QRectF(Barcode.Left, Barcode.Top, Barcode.Width, Barcode.Height);
}

void TBarcodeItem::Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) {
    Barcode.SetBarCode(ToCp1250(placed.Value));
    TReportPrintContext context;
    context.Unit = TReportUnit::ruMillimetres;
    context.FinalPass = true;
    context.Canvas = &painter;
    context.Paper = map.Paper;
    context.XPos = [&map](double mm) { return map.XPos(mm); };
    context.YPos = [&map](double mm) { return map.YPos(mm); };
    context.XSize = [&map](double mm) { return static_cast<int>(std::lround(mm * map.DotsPerMmX)); };
    context.YSize = [&map](double mm) { return static_cast<int>(std::lround(mm * map.DotsPerMmY)); };
    Barcode.Print(context, placed.BandOriginMm.x(), placed.BandOriginMm.y());
}

// ---- picture and shapes -------------------------------------------------------------------

QString TPictureItem::Resolve(const TDataSet*) const {
    return Description;
}

void TPictureItem::Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) {
    if (Picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(map.Rect(placed.RectMm), Picture);
    painter.restore();
}

void TShapeItem::Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) {
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(PenWidthMm * map.DotsPerMmX, 1.0));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF box = map.Rect(placed.RectMm);
    if (Kind() == TItemKind::ikEllipse)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
    painter.restore();
}

// ---- geometry and layout ------------------------------------------------------------------

TBandCursor::TBandCursor(const TPageSetup& page) : FPage(page), FY(page.TopMarginMm) {}

bool TBandCursor::Advance() {
    constexpr double kSlack = 1e-9;
    const double height = FPage.LabelHeightMm;
    if (FStarted)
        FY += height;
    FStarted = true;
    if (FY > FPage.TopMarginMm + kSlack && FY + height > FPage.PageLengthMm - FPage.BottomMarginMm + kSlack) {
        FY = FPage.TopMarginMm;
        if (++FColumn >= std::max(FPage.Columns, 1)) {
            FColumn = 0;
            return true;
        }
    }
    return false;
}

QPointF TBandCursor::Origin() const {
    return QPointF(FPage.ColumnLeftMm(FColumn), FY);
}

void PlaceBand(const TReport& report, TDataSet* data, QPointF origin, std::vector<TPlacedItem>& placed) {
    const bool print = !report.BeforePrint || !data || report.BeforePrint(*data);
    if (print) {
        for (const std::shared_ptr<TReportItem>& item : report.Items) {
            TPlacedItem& p = placed.emplace_back();
            p.Kind = item->Kind();
            p.RectMm = item->RectMm.translated(origin);
            p.BandOriginMm = origin;
            p.Value = item->Resolve(data);
            p.Item = item.get();
        }
    }
    if (report.BandFrame) {
        TPlacedItem& frame = placed.emplace_back();
        frame.RectMm = QRectF(origin, QSizeF(report.Page.ColumnWidthMm(), report.Page.LabelHeightMm));
        frame.BandOriginMm = origin;
    }
}

namespace {
int RecordTotal(TDataSet* data) {
    return data && data->Active() ? data->RecordCount() : 0;
}
} // namespace

TLayoutRun::TLayoutRun(const TReport& report, TDataSet* data)
    : FReport(report), FData(data), FCursor(report.Page), FTotal(RecordTotal(data)) {
    FResult.PageWidthMm = report.Page.PageWidthMm;
    FResult.PageLengthMm = report.Page.PageLengthMm;
    FResult.Items = report.Items;
    FResult.Pages.emplace_back();
    if (FTotal > 0)
        FData->First();
    FFinished = FTotal == 0;
}

bool TLayoutRun::Step(int records) {
    for (int i = 0; i < records && !FFinished; ++i) {
        if (FCursor.Advance())
            FResult.Pages.emplace_back();
        PlaceBand(FReport, FData, FCursor.Origin(), FResult.Pages.back().Items);
        ++FResult.LabelCount;
        ++FDone;
        FData->Next();
        if (FData->Eof() || FDone >= FTotal)
            FFinished = true;
    }
    return !FFinished;
}

TPreparedReport Prepare(const TReport& report, TDataSet* data, const TProgressEvent& progress) {
    TLayoutRun run(report, data);
    while (run.Step(256))
        if (progress)
            progress(run.Done(), run.Total());
    if (progress)
        progress(run.Done(), run.Total());
    return run.TakeResult();
}

// ---- pages one at a time ------------------------------------------------------------------

TPageSource::~TPageSource() = default;

TStreamedPages::TStreamedPages(const TReport& report, TDataSet* data)
    : FReport(report), FData(data), FIndexCursor(report.Page), FTotal(RecordTotal(data)) {}

bool TStreamedPages::IndexStep(int records) {
    for (int i = 0; i < records && FIndexed < FTotal; ++i, ++FIndexed)
        if (FIndexCursor.Advance())
            FStarts.push_back(FIndexed);
    return !Indexed();
}

void TStreamedPages::IndexAll() {
    IndexStep(FTotal - FIndexed);
}

const TPreparedPage& TStreamedPages::Page(int index) {
    const int first = FStarts[static_cast<size_t>(index)];
    const int end = index + 1 < PageCount() ? FStarts[static_cast<size_t>(index) + 1] : FIndexed;
    if (index == FPageIndex && end == FPageEnd)
        return FPage;
    FPage.Items.clear();
    if (first < end) {
        // In page order the data set already stands on the page's first record.
        if (FData->RecNo() != first + 1)
            FData->SetRecNo(first + 1);
        TBandCursor cursor(FReport.Page);
        for (int record = first; record < end; ++record) {
            cursor.Advance();
            PlaceBand(FReport, FData, cursor.Origin(), FPage.Items);
            FData->Next();
        }
    }
    FPageIndex = index;
    FPageEnd = end;
    return FPage;
}

} // namespace etikor
