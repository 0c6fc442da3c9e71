#pragma once

// The Excel export: the records of any dataset as a worksheet, a header row of display names,
// then one row per record. Numbers (small integer, integer, floating point, currency) become
// number cells, everything else text cells; column 1 of a record whose second field is 9 (the
// EAN-13 entry of the barcode list) holds the value with its EAN-13 check digit. The file name's
// extension chooses the format: ".xlsx" an Excel workbook, anything else an Excel 2.x (BIFF2)
// worksheet, which every reader reads whole up to 16,384 rows.

#include <QString>

#include <string>
#include <string_view>

namespace etikor {

class TDataSet;
class TExportSheet;

enum class TExportFormat { Biff2, Xlsx };

// ".xlsx" (in any case) is a workbook; every other name an Excel 2.x worksheet.
TExportFormat ExportFormatOf(std::string_view fileName);
// The rows a file of the format holds for every reader, the header row included.
int ExportRowLimit(TExportFormat format);

// Adds the header and data cells of `data` to `sheet` (from the first record; the dataset is
// left after its last record). Returns the number of data rows. Throws std::out_of_range when
// the records do not fit the rows the sheet's format holds; nothing is added then.
int AddDataSetCells(TExportSheet& sheet, TDataSet& data);

// Writes `data` to `fileName` in the format its extension chooses; returns the number of data
// rows. Throws std::out_of_range when the records do not fit (the file untouched), and
// EStoreFileError when the file cannot be written (the old file, if any, stays).
int WriteExportFile(TDataSet& data, const std::string& fileName);

// The export's file name for a template file: its name without folder, cut at the first ".",
// with ".xls" appended.
std::string ExportFileName(std::string_view templateFileName);

// The export with its questions and messages (too many records for the format, overwrite,
// delete failure, write failure, the closing message). True when the file was written.
bool ExportDataSet(TDataSet& data, const QString& fileName);

} // namespace etikor
