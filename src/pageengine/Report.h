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
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
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

// Lays the report out over every record of `data` from the first (no data set or an empty one
// gives one page without labels). The data set is left on its last record.
TPreparedReport Prepare(const TReport& report, TDataSet* data, const TProgressEvent& progress = {});

// Lays out records one batch at a time, so a window can show pages while the rest are still
// being prepared.
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
    void PlaceBand();

    const TReport& FReport;
    TDataSet* FData;
    TPreparedReport FResult;
    int FColumn = 0;
    double FY = 0;
    int FDone = 0;
    int FTotal = 0;
    bool FFinished = false;
};

} // namespace etikor
