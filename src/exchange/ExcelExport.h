#pragma once

// The Excel export: the records of any dataset as a BIFF2 worksheet, a header row of display
// names, then one row per record. Numbers (small integer, integer, floating point, currency)
// become number cells, everything else text cells; column 1 of a record whose second field is
// 9 (the EAN-13 entry of the barcode list) holds the value with its EAN-13 check digit.

#include <QString>

#include <string>
#include <string_view>

namespace etikor {

class IModal;
class TDataSet;
class TXLSfile;

// Adds the header and data cells of `data` to `xls` (from the first record; the dataset is left
// after its last record). Returns the number of data rows. Throws std::out_of_range when the
// records do not fit the worksheet's rows; nothing is written then.
int AddDataSetCells(TXLSfile& xls, TDataSet& data);

// The export's file name for a template file: its name without folder, cut at the first ".",
// with ".xls" appended.
std::string ExportFileName(std::string_view templateFileName);

// The export with its questions and messages (overwrite, delete failure, write failure, the
// closing message). True when the file was written.
bool ExportDataSet(TDataSet& data, const QString& fileName, IModal& modal);

} // namespace etikor
