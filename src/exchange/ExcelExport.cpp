#include "exchange/ExcelExport.h"

#include "barcode/BarcodeEngine.h"
#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/FormatSettings.h"
#include "data/ScopeGuard.h"
#include "exchange/XlsFile.h"
#include "exchange/XlsxFile.h"
#include "services/Modal.h"
#include "tablestore/StoreErrors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TExcelExportText {
    Q_DECLARE_TR_FUNCTIONS(TExcelExportText)
};
} // namespace

namespace {

const QString kTitle = QStringLiteral("Excel export");
const QString kCr = QStringLiteral("\r");

// Position of "Ean 13" in the designer's barcode list.
constexpr double kEan13ListIndex = 9;

bool isNumberCell(TFieldType type) {
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return true;
    default:
        return false;
    }
}

// The second field read as a number; a single field, or a text that is no number, is no EAN-13.
bool isEan13Record(const TDataSet& data) {
    if (data.FieldCount() < 2)
        return false;
    try {
        return data.Fields(1).AsFloat() == kEan13ListIndex;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

TExportFormat ExportFormatOf(std::string_view fileName) {
    constexpr std::string_view xlsx = ".xlsx";
    if (fileName.size() < xlsx.size())
        return TExportFormat::Biff2;
    const std::string_view ext = fileName.substr(fileName.size() - xlsx.size());
    for (std::size_t i = 0; i < xlsx.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ext[i])) != xlsx[i])
            return TExportFormat::Biff2;
    return TExportFormat::Xlsx;
}

int ExportRowLimit(TExportFormat format) {
    return format == TExportFormat::Xlsx ? TXlsxFile::kMaxRows : TXLSfile::kRowsReadWhole;
}

int AddDataSetCells(TExportSheet& sheet, TDataSet& data) {
    const int fields = data.FieldCount();
    if (data.RecordCount() + 1 > sheet.RowsReadWhole())
        throw std::out_of_range("too many records for a worksheet");
    data.DisableControls();
    const TScopeGuard enable([&data] { data.EnableControls(); });
    data.First();
    for (int i = 0; i < fields; ++i)
        sheet.AddStrCell(i + 1, 1, data.Fields(i).DisplayName());
    int row = 1;
    for (; !data.Eof(); data.Next()) {
        ++row;
        for (int i = 0; i < fields; ++i) {
            const TField& field = data.Fields(i);
            if (i == 0 && isEan13Record(data))
                sheet.AddStrCell(1, row, NormalizeBarCodeText(field.AsString(), TTypBarCode::bcEan13));
            else if (isNumberCell(field.DataType()) && !field.IsNull() && std::isfinite(field.AsFloat()))
                sheet.AddDoubleCell(i + 1, row, field.AsFloat());
            else
                sheet.AddStrCell(i + 1, row, field.AsString());
        }
    }
    return row - 1;
}

int WriteExportFile(TDataSet& data, const std::string& fileName) {
    if (ExportFormatOf(fileName) == TExportFormat::Xlsx) {
        if (data.RecordCount() + 1 > TXlsxFile::kMaxRows)
            throw std::out_of_range("too many records for a worksheet");
        TXlsxFile xlsx(fileName);
        const int rows = AddDataSetCells(xlsx, data);
        xlsx.Write();
        return rows;
    }
    TXLSfile xls;
    xls.FileName = fileName;
    const int rows = AddDataSetCells(xls, data);
    xls.Write();
    return rows;
}

std::string ExportFileName(std::string_view templateFileName) {
    std::string_view name = templateFileName;
    if (const auto slash = name.find_last_of("/\\"); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (const auto dot = name.find('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name) + ".xls";
}

bool ExportDataSet(TDataSet& data, const QString& fileName, IModal& modal) {
    const TExportFormat format = ExportFormatOf(QFile::encodeName(fileName).toStdString());
    const int limit = ExportRowLimit(format);
    if (data.RecordCount() + 1 > limit) {
        const QString most = FromCp1250(FormatFloat("#,##0", limit - 1));
        if (format == TExportFormat::Biff2)
            modal.Message(
                kTitle,
                TExcelExportText::tr("Túl sok rekord egy Excel 2.x (.xls) munkalaphoz! (legfeljebb %1)")
                        .arg(most) +
                    kCr +
                    TExcelExportText::tr("Mentse Excel munkafüzetként (.xlsx kiterjesztéssel): abban %1 "
                                         "rekord is elfér.")
                        .arg(FromCp1250(FormatFloat("#,##0", TXlsxFile::kMaxRows - 1))),
                QStringLiteral("H"));
        else
            modal.Message(
                kTitle,
                TExcelExportText::tr("Túl sok rekord egy Excel munkalaphoz! (legfeljebb %1)").arg(most),
                QStringLiteral("H"));
        return false;
    }
    if (QFileInfo::exists(fileName)) {
        if (!modal.Message(kTitle,
                           TExcelExportText::tr("Már létező file! (") + fileName + QStringLiteral(")") + kCr +
                               TExcelExportText::tr("Felülírja a létező file-t?"),
                           QStringLiteral("K")))
            return false;
        if (!QFile::remove(fileName)) {
            modal.Message(kTitle, TExcelExportText::tr("Nem lehet törölni a file-t! -- Használatban van?"),
                          QStringLiteral("H"));
            return false;
        }
    }
    int rows = 0;
    try {
        rows = WriteExportFile(data, QFile::encodeName(fileName).toStdString());
    } catch (const EStoreFileError& error) {
        modal.Message(kTitle,
                      TExcelExportText::tr("Az Excel file nem írható! (") + fileName + QStringLiteral(")") +
                          kCr + QString::fromLocal8Bit(error.what()),
                      QStringLiteral("H"));
        return false;
    }
    modal.Message(kTitle,
                  TExcelExportText::tr("Excel export sikerült.\r(") + fileName + QStringLiteral(")") + kCr +
                      FromCp1250(FormatFloat("#,##0", rows)) + TExcelExportText::tr(" sor."),
                  QStringLiteral("I"));
    return true;
}

} // namespace etikor
