#pragma once

// A report: the page setup in millimetres, one detail band printed once per record, the
// printable items on the band and a hook before each band. Layout (Prepare) turns a report and
// a data set into prepared pages: every placed item with its rectangle on the page in
// millimetres and its value resolved for its record. Painting (ReportPaint.h) draws prepared
// pages onto any QPainter device.

#include "data/Alignment.h"
#include "data/PageSetup.h"
#include "pageengine/QrEan.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class TDataSet;
struct TDeviceMap;

enum class TItemKind : uint8_t { ikText, ikDataText, ikBarcode, ikPicture, ikRect, ikEllipse, ikFrame };
// "text", "datatext", "barcode", "picture", "rect", "ellipse", "frame".
std::string_view ItemKindName(TItemKind kind);

struct TPlacedItem;

// One printable item of the band; its rectangle is relative to the band's top-left corner.
class TReportItem {
public:
    explicit TReportItem(TItemKind kind) : FKind(kind) {}
    virtual ~TReportItem();
    TReportItem(const TReportItem&) = delete;
    TReportItem& operator=(const TReportItem&) = delete;

    TItemKind Kind() const { return FKind; }
    QRectF RectMm;

    // The value shown for the current record of `data` (null while there is no data set).
    virtual QString Resolve(const TDataSet* data) const;
    virtual void Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) = 0;

private:
    TItemKind FKind;
};

// A text in a font; it takes the size of its text from its rectangle's top-left corner.
class TTextItem : public TReportItem {
public:
    TTextItem() : TReportItem(TItemKind::ikText) {}
    QString Text;
    QFont Font;
    QColor Color = Qt::black;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int RotationDegrees = 0; // 0, 90, 180 or 270, counter-clockwise

    QString Resolve(const TDataSet* data) const override;
    void Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) override;

protected:
    explicit TTextItem(TItemKind kind) : TReportItem(kind) {}

private:
    // The font's metrics on the device painted last: a run paints the same font on the same
    // device thousands of times.
    const QFontMetricsF& MetricsOn(const QPaintDevice* device);
    std::optional<QFontMetricsF> FMetrics;
    QFont FMetricsFont;
    int FMetricsDpiX = 0;
    int FMetricsDpiY = 0;
};

// A text taken at print time from a field of the report's data set (its display text); empty
// when no field is bound or the data set has no such field.
class TDataTextItem : public TTextItem {
public:
    TDataTextItem() : TTextItem(TItemKind::ikDataText) {}
    std::string FieldName; // Windows-1250; empty: not bound

    QString Resolve(const TDataSet* data) const override;
};

// A report barcode; bound to a field when FieldName is set, otherwise its fixed text.
class TBarcodeItem : public TReportItem {
public:
    TBarcodeItem() : TReportItem(TItemKind::ikBarcode) {}
    TQrDBEan Barcode; // geometry in millimetres; RectMm follows it
    std::string FieldName;

    QString Resolve(const TDataSet* data) const override;
    void Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) override;
    // RectMm from the barcode's stored geometry.
    void SyncRect();
};

// A picture stretched to its rectangle.
class TPictureItem : public TReportItem {
public:
    TPictureItem() : TReportItem(TItemKind::ikPicture) {}
    QImage Picture;
    QString Description; // what the layout listing shows (the file name)

    QString Resolve(const TDataSet* data) const override;
    void Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) override;
};

// An unfilled rectangle (ikRect) or ellipse (ikEllipse) drawn with a black pen.
class TShapeItem : public TReportItem {
public:
    explicit TShapeItem(TItemKind kind) : TReportItem(kind) {}
    double PenWidthMm = 25.4 / 96.0; // one screen pixel of the designer

    void Paint(QPainter& painter, const TDeviceMap& map, const TPlacedItem& placed) override;
};

class TReport {
public:
    // The band is one label: its height is the label height, its width the column's.
    TPageSetup Page;
    bool BandFrame = false;
    // Painted in this order: a later item lies above an earlier one.
    std::vector<std::shared_ptr<TReportItem>> Items;
    // Called before each band with the data set on its record; false switches every item of
    // the band off for this one label (the frame is still drawn).
    std::function<bool(const TDataSet&)> BeforePrint;
};

// A placed item: its page rectangle in millimetres and its resolved value. Item is null for a
// band frame.
struct TPlacedItem {
    TItemKind Kind = TItemKind::ikFrame;
    QRectF RectMm;
    QPointF BandOriginMm;
    QString Value;
    TReportItem* Item = nullptr;
};

struct TPreparedPage {
    std::vector<TPlacedItem> Items;
};

struct TPreparedReport {
    double PageWidthMm = 210;
    double PageLengthMm = 297;
    std::vector<TPreparedPage> Pages;
    int LabelCount = 0; // bands placed, blank places included
    // Keeps the items the placed ones point to alive.
    std::vector<std::shared_ptr<TReportItem>> Items;
};

// Called after each record with the number of records done and the total.
using TProgressEvent = std::function<void(int done, int total)>;

// Where the bands of a run fall: down a column from the top margin, the next column when a
// band would end below the bottom margin (unless it is the first of its column: a band taller
// than the page still gets printed, once), a new page after the last column. The layout and
// the page index both walk with it, so they break pages alike.
class TBandCursor {
public:
    explicit TBandCursor(const TPageSetup& page);
    // To the next band's place; true when that band starts a new page (never the first band).
    bool Advance();
    QPointF Origin() const;

private:
    const TPageSetup& FPage;
    int FColumn = 0;
    double FY = 0;
    bool FStarted = false;
};

// Places one band at `origin` for the data set's current record, appending its items to
// `placed`.
void PlaceBand(const TReport& report, TDataSet* data, QPointF origin, std::vector<TPlacedItem>& placed);

// Lays the report out over every record of `data` from the first (no data set or an empty one
// gives one page without labels). The data set is left on its last record. Every page stays in
// memory: printing and the preview take pages one at a time from TStreamedPages instead.
TPreparedReport Prepare(const TReport& report, TDataSet* data, const TProgressEvent& progress = {});

// Lays out records one batch at a time, keeping every page.
class TLayoutRun {
public:
    TLayoutRun(const TReport& report, TDataSet* data);
    // Places up to `records` more records; false once every record is placed.
    bool Step(int records);
    bool Finished() const { return FFinished; }
    int Done() const { return FDone; }
    int Total() const { return FTotal; }
    const TPreparedReport& Result() const { return FResult; }
    TPreparedReport TakeResult() { return std::move(FResult); }

private:
    const TReport& FReport;
    TDataSet* FData;
    TPreparedReport FResult;
    TBandCursor FCursor;
    int FDone = 0;
    int FTotal = 0;
    bool FFinished = false;
};

// The pages of a run, handed out one at a time: a printer or a preview asks for a page by its
// number and gets a reference valid until the next request.
class TPageSource {
public:
    virtual ~TPageSource();
    virtual double PageWidthMm() const = 0;
    virtual double PageLengthMm() const = 0;
    virtual int PageCount() const = 0;
    // Bands placed, blank places included.
    virtual int LabelCount() const = 0;
    // The band items the placed ones point to.
    virtual const std::vector<std::shared_ptr<TReportItem>>& Items() const = 0;
    // Page `index` (from 0, below PageCount()).
    virtual const TPreparedPage& Page(int index) = 0;
};

// Pages already prepared (a saved file loaded back, or a run laid out whole).
class TPreparedPages final : public TPageSource {
public:
    explicit TPreparedPages(const TPreparedReport& report) : FReport(report) {}
    double PageWidthMm() const override { return FReport.PageWidthMm; }
    double PageLengthMm() const override { return FReport.PageLengthMm; }
    int PageCount() const override { return static_cast<int>(FReport.Pages.size()); }
    int LabelCount() const override { return FReport.LabelCount; }
    const std::vector<std::shared_ptr<TReportItem>>& Items() const override { return FReport.Items; }
    const TPreparedPage& Page(int index) override { return FReport.Pages[static_cast<size_t>(index)]; }

private:
    const TPreparedReport& FReport;
};

// A run laid out page by page as its pages are asked for: only the page asked for last is
// kept, with an index of the record each page starts on, so memory stays flat however many
// labels the run has. In page order no record is visited twice; any other page is reached by
// moving the data set to its first record. The index is built by walking the band places
// alone (no value is resolved), at once (IndexAll) or a batch of records at a time (IndexStep)
// while a window shows the pages found so far. The report and the data set must stay as they
// are meanwhile; the data set's current record is the source's to move.
class TStreamedPages final : public TPageSource {
public:
    TStreamedPages(const TReport& report, TDataSet* data);

    // Indexes up to `records` more records; false once every record is indexed.
    bool IndexStep(int records);
    void IndexAll();
    bool Indexed() const { return FIndexed >= FTotal; }
    int IndexedRecords() const { return FIndexed; }
    int Total() const { return FTotal; }
    // The record (from 0) page `index` starts on.
    int PageStart(int index) const { return FStarts[static_cast<size_t>(index)]; }

    double PageWidthMm() const override { return FReport.Page.PageWidthMm; }
    double PageLengthMm() const override { return FReport.Page.PageLengthMm; }
    // The pages found so far (all of them once indexed).
    int PageCount() const override { return static_cast<int>(FStarts.size()); }
    int LabelCount() const override { return FIndexed; }
    const std::vector<std::shared_ptr<TReportItem>>& Items() const override { return FReport.Items; }
    const TPreparedPage& Page(int index) override;

private:
    const TReport& FReport;
    TDataSet* FData;
    TBandCursor FIndexCursor;
    std::vector<int> FStarts{0};
    int FIndexed = 0;
    int FTotal = 0;
    // The page laid out last: its number and the record after its last band.
    TPreparedPage FPage;
    int FPageIndex = -1;
    int FPageEnd = -1;
};

} // namespace etikor
