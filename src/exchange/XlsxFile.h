#pragma once

// The .xlsx side of the export: one worksheet written through libxlsxwriter as the cells come,
// row after row (the rows are not held), into a temporary file beside the target that takes its
// place once the workbook is complete.

#include "exchange/XlsFile.h"

#include <string>
#include <string_view>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace etikor {

class TXlsxFile final : public TExportSheet {
public:
    // Excel's own limits.
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;
    // Characters a cell holds; a longer text keeps its first ones.
    static constexpr std::size_t kMaxTextLength = 32767;

    // Starts the workbook for `fileName`. Throws EStoreFileError when it cannot be started.
    explicit TXlsxFile(std::string fileName);
    // An unfinished workbook is discarded; the target stays as it was.
    ~TXlsxFile() override;
    TXlsxFile(const TXlsxFile&) = delete;
    TXlsxFile& operator=(const TXlsxFile&) = delete;

    int RowsReadWhole() const override { return kMaxRows; }
    // Rows in order, each row's columns in any order. Text cells are formatted as text, so that a
    // spreadsheet keeps a code of digits as typed when it is edited. Throws std::out_of_range
    // outside Excel's rows and columns, EStoreFileError when the cell cannot be written.
    void AddStrCell(int column, int row, std::string_view text) override;
    void AddDoubleCell(int column, int row, double value) override;
    // Completes the workbook and puts it in the place of the target. Throws EStoreFileError
    // with the reason; the target is then as it was.
    void Write();

private:
    void Discard();

    std::string FFileName;
    std::string FTempName;
    lxw_workbook* FBook = nullptr;
    lxw_worksheet* FSheet = nullptr;
    lxw_format* FText = nullptr;
};

} // namespace etikor
