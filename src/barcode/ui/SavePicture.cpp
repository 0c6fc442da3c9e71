#include "barcode/ui/SavePicture.h"

#include "barcode/BarcodePicture.h"
#include "barcode/ExportHtml.h"
#include "services/Modal.h"

#include <QFileInfo>

#include <optional>

namespace etikor {

namespace {

void SayNotSupported(IModal& modal) {
    modal.Message(QString(), QStringLiteral("Sorry, not supported."), QStringLiteral("I"));
}

bool IsGif(const std::string& fileName) {
    return QFileInfo(QString::fromStdString(fileName))
               .suffix()
               .compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0;
}

struct TDialogFormat {
    const char* Filter;
    const char* DefaultExt;
};

TDialogFormat DialogFormat(TPictureDialog format) {
    switch (format) {
    case TPictureDialog::pdAny:
        return {kPictureFilter, "bmp"};
    case TPictureDialog::pdBitmap:
        return {kBitmapFilter, "bmp"};
    case TPictureDialog::pdWmf:
        return {kWmfFilter, "wmf"};
    case TPictureDialog::pdEmf:
        return {kEmfFilter, "emf"};
    case TPictureDialog::pdGif:
        return {kGifFilter, "gif"};
    }
    return {kPictureFilter, "bmp"};
}

} // namespace

bool SaveBarcodePicture(TCustomEAN& ean, const std::string& fileName, IModal& modal) {
    if (IsGif(fileName)) {
        SayNotSupported(modal);
        return false;
    }
    return ean.SaveToFile(fileName);
}

bool AskAndSaveBarcodePicture(TCustomEAN& ean, TPictureDialog format, IModal& modal) {
    const TDialogFormat dialog = DialogFormat(format);
    TFileDialogOptions options;
    options.Filter = QString::fromLatin1(dialog.Filter);
    options.DefaultExt = QString::fromLatin1(dialog.DefaultExt);
    const std::optional<QString> chosen = modal.SaveFile(options);
    if (!chosen || chosen->isEmpty())
        return false;
    QString name = *chosen;
    if (QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + options.DefaultExt;
    const std::string path = name.toStdString();
    switch (format) {
    case TPictureDialog::pdWmf:
        return ean.SaveToWmf(path);
    case TPictureDialog::pdEmf:
        return ean.SaveToEmf(path);
    case TPictureDialog::pdGif:
        SayNotSupported(modal);
        return false;
    case TPictureDialog::pdAny:
    case TPictureDialog::pdBitmap:
        break;
    }
    return SaveBarcodePicture(ean, path, modal);
}

bool ExportHtmlPage(TCustomEAN& barcode, const std::string& fileName, int pictureFormat, IModal& modal) {
    // Once for the page rather than once for each of its pictures.
    if (pictureFormat == hpGif)
        SayNotSupported(modal);
    return ExportHtml(barcode, fileName, pictureFormat);
}

} // namespace etikor
