#include "pageengine/PreparedFile.h"

#include "barcode/EncodeMatrix.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include <unordered_map>

namespace etikor {

namespace {

constexpr quint32 kMagic = 0x45545050; // "ETPP"
constexpr quint32 kVersion = 1;
// A barcode's stored type: ordinal + kOptionFactor x its two-dimensional option code.
constexpr qint32 kOptionFactor = 256;

QDataStream& operator<<(QDataStream& out, const TBarcodeFont& font) {
    return out << QString::fromStdString(font.Name) << qint32(font.Size) << font.Bold << font.Italic
               << font.Underline << font.StrikeOut << quint32(font.Color);
}

QDataStream& operator>>(QDataStream& in, TBarcodeFont& font) {
    QString name;
    qint32 size = 0;
    quint32 color = 0;
    in >> name >> size >> font.Bold >> font.Italic >> font.Underline >> font.StrikeOut >> color;
    font.Name = name.toStdString();
    font.Size = size;
    font.Color = static_cast<TColor>(color);
    return in;
}

void WriteItem(QDataStream& out, const TReportItem& item) {
    out << quint8(item.Kind()) << item.RectMm;
    switch (item.Kind()) {
    case TItemKind::ikText:
    case TItemKind::ikDataText: {
        const auto& text = static_cast<const TTextItem&>(item);
        out << text.Text << text.Font.toString() << text.Color << qint32(text.Alignment)
            << qint32(text.RotationDegrees);
        break;
    }
    case TItemKind::ikBarcode: {
        const TQrDBEan& ean = static_cast<const TBarcodeItem&>(item).Barcode;
        // The type's ordinal, and above it the option code of a two-dimensional symbology.
        const qint32 typeAndOptions = qint32(ean.TypBarCode()) +
                                      kOptionFactor * MatrixOptionCode(ean.TypBarCode(), ean.MatrixOptions());
        out << typeAndOptions << ean.ShowLabels() << ean.StartStopLines() << ean.Ean13AddUp()
            << ean.FontAutoSize() << ean.Security() << ean.AutoCheckDigit() << ean.AutoSize()
            << qint32(ean.Angle()) << ean.Font() << quint32(ean.LinesColor())
            << quint32(ean.BackgroundColor()) << ean.Transparent() << ean.Left << ean.Top << ean.Width
            << ean.Height << ean.CharWidthMM();
        break;
    }
    case TItemKind::ikPicture: {
        const auto& picture = static_cast<const TPictureItem&>(item);
        out << picture.Picture << picture.Description;
        break;
    }
    case TItemKind::ikRect:
    case TItemKind::ikEllipse:
        out << static_cast<const TShapeItem&>(item).PenWidthMm;
        break;
    case TItemKind::ikFrame:
        break;
    }
}

std::shared_ptr<TReportItem> ReadItem(QDataStream& in) {
    quint8 kind = 0;
    QRectF rect;
    in >> kind >> rect;
    std::shared_ptr<TReportItem> item;
    switch (static_cast<TItemKind>(kind)) {
    case TItemKind::ikText:
    case TItemKind::ikDataText: {
        auto text = static_cast<TItemKind>(kind) == TItemKind::ikText ? std::make_shared<TTextItem>()
                                                                      : std::make_shared<TDataTextItem>();
        QString font;
        qint32 alignment = 0, rotation = 0;
        in >> text->Text >> font >> text->Color >> alignment >> rotation;
        text->Font.fromString(font);
        text->Alignment = static_cast<TAlignment>(alignment);
        text->RotationDegrees = rotation;
        item = text;
        break;
    }
    case TItemKind::ikBarcode: {
        auto barcode = std::make_shared<TBarcodeItem>();
        TQrDBEan& ean = barcode->Barcode;
        qint32 type = 0, angle = 0;
        bool labels, startStop, addUp, fontAuto, security, checkDigit, autoSize, transparent;
        TBarcodeFont font;
        quint32 lines = 0, background = 0;
        double left, top, width, height, charWidth;
        in >> type >> labels >> startStop >> addUp >> fontAuto >> security >> checkDigit >> autoSize >>
            angle >> font >> lines >> background >> transparent >> left >> top >> width >> height >>
            charWidth;
        const qint32 ordinal = type % kOptionFactor;
        if (type < 0 || ordinal >= kBarCodeTypeCount)
            return nullptr;
        ean.SetTypBarCode(static_cast<TTypBarCode>(ordinal));
        ean.SetMatrixOptions(MatrixOptionsFromCode(static_cast<TTypBarCode>(ordinal), type / kOptionFactor));
        ean.SetShowLabels(labels);
        ean.SetStartStopLines(startStop);
        ean.SetEan13AddUp(addUp);
        ean.SetFontAutoSize(fontAuto);
        ean.SetSecurity(security);
        ean.SetAutoCheckDigit(checkDigit);
        ean.SetAutoSize(autoSize);
        ean.SetAngle(angle);
        ean.SetFont(font);
        ean.SetLinesColor(static_cast<TColor>(lines));
        ean.SetBackgroundColor(static_cast<TColor>(background));
        ean.SetTransparent(transparent);
        ean.SetCharWidthMM(charWidth);
        ean.Left = left;
        ean.Top = top;
        ean.Width = width;
        ean.Height = height;
        item = barcode;
        break;
    }
    case TItemKind::ikPicture: {
        auto picture = std::make_shared<TPictureItem>();
        in >> picture->Picture >> picture->Description;
        item = picture;
        break;
    }
    case TItemKind::ikRect:
    case TItemKind::ikEllipse: {
        auto shape = std::make_shared<TShapeItem>(static_cast<TItemKind>(kind));
        in >> shape->PenWidthMm;
        item = shape;
        break;
    }
    case TItemKind::ikFrame:
    default:
        return nullptr;
    }
    item->RectMm = rect;
    return item;
}

} // namespace

bool SavePrepared(TPageSource& pages, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << pages.PageWidthMm() << pages.PageLengthMm() << qint32(pages.LabelCount());
    std::unordered_map<const TReportItem*, qint32> index;
    out << qint32(pages.Items().size());
    for (const auto& item : pages.Items()) {
        index.emplace(item.get(), static_cast<qint32>(index.size()));
        WriteItem(out, *item);
    }
    const int count = pages.PageCount();
    out << qint32(count);
    for (int p = 0; p < count && out.status() == QDataStream::Ok; ++p) {
        const TPreparedPage& page = pages.Page(p);
        out << qint32(page.Items.size());
        for (const TPlacedItem& placed : page.Items) {
            const auto found = placed.Item ? index.find(placed.Item) : index.end();
            out << (found == index.end() ? qint32(-1) : found->second) << quint8(placed.Kind) << placed.RectMm
                << placed.BandOriginMm << placed.Value;
        }
    }
    return out.status() == QDataStream::Ok && file.commit();
}

bool SavePrepared(const TPreparedReport& report, const QString& path) {
    TPreparedPages pages(report);
    return SavePrepared(pages, path);
}

std::optional<TPreparedReport> LoadPrepared(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0;
    qint32 labels = 0, items = 0, pages = 0;
    TPreparedReport report;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return std::nullopt;
    in >> report.PageWidthMm >> report.PageLengthMm >> labels >> items;
    report.LabelCount = labels;
    if (in.status() != QDataStream::Ok || items < 0 || items > 100000)
        return std::nullopt;
    for (qint32 i = 0; i < items; ++i) {
        std::shared_ptr<TReportItem> item = ReadItem(in);
        if (!item || in.status() != QDataStream::Ok)
            return std::nullopt;
        report.Items.push_back(std::move(item));
    }
    in >> pages;
    if (in.status() != QDataStream::Ok || pages < 0)
        return std::nullopt;
    for (qint32 p = 0; p < pages && in.status() == QDataStream::Ok; ++p) {
        qint32 count = 0;
        in >> count;
        if (count < 0 || in.status() != QDataStream::Ok)
            return std::nullopt;
        TPreparedPage page;
        for (qint32 i = 0; i < count; ++i) {
            qint32 item = 0;
            quint8 kind = 0;
            TPlacedItem placed;
            in >> item >> kind >> placed.RectMm >> placed.BandOriginMm >> placed.Value;
            if (in.status() != QDataStream::Ok || item < -1 || item >= items)
                return std::nullopt;
            placed.Kind = static_cast<TItemKind>(kind);
            placed.Item = item < 0 ? nullptr : report.Items[static_cast<size_t>(item)].get();
            page.Items.push_back(std::move(placed));
        }
        report.Pages.push_back(std::move(page));
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return report;
}

} // namespace etikor
