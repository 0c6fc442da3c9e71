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

void TTextItem::Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) {
    if (placed.Value.isEmpty())
        return;
    painter.save();
    painter.setFont(Font);
    painter.setPen(Color);
    const QFontMetricsF metrics(Font, painter.device());
    const double w = metrics.horizontalAdvance(placed.Value);
    const double h = metrics.height();
    const QRectF box = map.Rect(placed.RectMm);
    const TTextStart start = TurnedTextStart(w, h, RotationDegrees, Alignment, box.width());
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

TLayoutRun::TLayoutRun(const TReport& report, TDataSet* data) : FReport(report), FData(data) {
    FResult.PageWidthMm = report.Page.PageWidthMm;
    FResult.PageLengthMm = report.Page.PageLengthMm;
    FResult.Items = report.Items;
    FResult.Pages.emplace_back();
    FY = report.Page.TopMarginMm;
    if (FData && FData->Active()) {
        FTotal = FData->RecordCount();
        FData->First();
    }
    FFinished = FTotal == 0;
}

void TLayoutRun::PlaceBand() {
    const TPageSetup& page = FReport.Page;
    const double height = page.LabelHeightMm;
    constexpr double kSlack = 1e-9;
    // A band that would end below the bottom margin starts the next column (unless it is the
    // first of its column: a band taller than the page still gets printed, once).
    if (FY > page.TopMarginMm + kSlack && FY + height > page.PageLengthMm - page.BottomMarginMm + kSlack) {
        FY = page.TopMarginMm;
        if (++FColumn >= std::max(page.Columns, 1)) {
            FColumn = 0;
            FResult.Pages.emplace_back();
        }
    }
    const QPointF origin(page.ColumnLeftMm(FColumn), FY);
    std::vector<TPlacedItem>& placed = FResult.Pages.back().Items;
    const bool print = !FReport.BeforePrint || !FData || FReport.BeforePrint(*FData);
    if (print) {
        for (const std::shared_ptr<TReportItem>& item : FReport.Items) {
            TPlacedItem p;
            p.Kind = item->Kind();
            p.RectMm = item->RectMm.translated(origin);
            p.BandOriginMm = origin;
            p.Value = item->Resolve(FData);
            p.Item = item.get();
            placed.push_back(std::move(p));
        }
    }
    if (FReport.BandFrame) {
        TPlacedItem frame;
        frame.RectMm = QRectF(origin, QSizeF(page.ColumnWidthMm(), height));
        frame.BandOriginMm = origin;
        placed.push_back(std::move(frame));
    }
    FY += height;
    ++FResult.LabelCount;
}

bool TLayoutRun::Step(int records) {
    for (int i = 0; i < records && !FFinished; ++i) {
        PlaceBand();
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

} // namespace etikor
