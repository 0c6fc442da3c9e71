#include "exchange/ExcelExport.h"

#include "barcode/BarcodeEngine.h"
#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/FormatSettings.h"
#include "exchange/XlsFile.h"
#include "services/Modal.h"
#include "tablestore/StoreErrors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

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

int AddDataSetCells(TXLSfile& xls, TDataSet& data) {
    const int fields = data.FieldCount();
    if (data.RecordCount() + 1 > TXLSfile::kMaxRows)
        throw std::out_of_range("too many records for a worksheet");
    data.DisableControls();
    try {
        data.First();
        for (int i = 0; i < fields; ++i)
            xls.AddStrCell(i + 1, 1, data.Fields(i).DisplayName());
        int row = 1;
        for (; !data.Eof(); data.Next()) {
            ++row;
            for (int i = 0; i < fields; ++i) {
                const TField& field = data.Fields(i);
                if (i == 0 && isEan13Record(data))
                    xls.AddStrCell(1, row, NormalizeBarCodeText(field.AsString(), TTypBarCode::bcEan13));
                else if (isNumberCell(field.DataType()) && !field.IsNull())
                    xls.AddDoubleCell(i + 1, row, field.AsFloat());
                else
                    xls.AddStrCell(i + 1, row, field.AsString());
            }
        }
        data.EnableControls();
        return row - 1;
    } catch (...) {
        data.EnableControls();
        throw;
    }
}

std::string ExportFileName(std::string_view templateFileName) {
    std::string_view name = templateFileName;
    if (const auto slash = name.find_last_of("/\\"); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (const auto dot = name.find('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name) + ".xls";
}

bool ExportDataSet(TDataSet& data, const QString& fileName) {
    TXLSfile xls;
    xls.FileName = QFile::encodeName(fileName).toStdString();
    int rows = 0;
    try {
        rows = AddDataSetCells(xls, data);
    } catch (const std::out_of_range&) {
        Modal().Message(kTitle,
                        TExcelExportText::tr("Túl sok rekord egy Excel munkalaphoz! (legfeljebb %1)")
                            .arg(FromCp1250(FormatFloat("#,##0", TXLSfile::kMaxRows - 1))),
                        QStringLiteral("H"));
        return false;
    }
    if (QFileInfo::exists(fileName)) {
        if (!Modal().Message(kTitle,
                             TExcelExportText::tr("Már létező file! (") + fileName + QStringLiteral(")") +
                                 kCr + TExcelExportText::tr("Felülírja a létező file-t?"),
                             QStringLiteral("K")))
            return false;
        if (!QFile::remove(fileName)) {
            Modal().Message(kTitle, TExcelExportText::tr("Nem lehet törölni a file-t! -- Használatban van?"),
                            QStringLiteral("H"));
            return false;
        }
    }
    try {
        xls.Write();
    } catch (const EStoreFileError& error) {
        Modal().Message(kTitle,
                        TExcelExportText::tr("Az Excel file nem írható! (") + fileName + QStringLiteral(")") +
                            kCr + QString::fromLocal8Bit(error.what()),
                        QStringLiteral("H"));
        return false;
    }
    Modal().Message(kTitle,
                    TExcelExportText::tr("Excel export sikerült.\r(") + fileName + QStringLiteral(")") + kCr +
                        FromCp1250(FormatFloat("#,##0", rows)) + TExcelExportText::tr(" sor."),
                    QStringLiteral("I"));
    return true;
}

} // namespace etikor
