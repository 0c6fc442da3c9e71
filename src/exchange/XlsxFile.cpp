#include "exchange/XlsxFile.h"

#include "data/Cp1250.h"
#include "tablestore/StoreErrors.h"
#include "tablestore/StoreFile.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <stdexcept>

namespace etikor {

namespace {

void check(lxw_error error, const std::string& fileName) {
    if (error != LXW_NO_ERROR)
        throw EStoreFileError("Cannot write " + fileName + ": " + lxw_strerror(error));
}

std::pair<lxw_row_t, lxw_col_t> cellAt(int column, int row) {
    if (column < 1 || column > TXlsxFile::kMaxColumns || row < 1 || row > TXlsxFile::kMaxRows)
        throw std::out_of_range("cell outside the worksheet");
    return {static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1)};
}

} // namespace

TXlsxFile::TXlsxFile(std::string fileName) : FFileName(std::move(fileName)) {
    FTempName = CreateStoreTempFile(FFileName);
    // Constant memory: each finished row goes to a temporary file, not into memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    FBook = workbook_new_opt(FTempName.c_str(), &options);
    if (FBook)
        FSheet = workbook_add_worksheet(FBook, "Munka1");
    if (FSheet) {
        FText = workbook_add_format(FBook);
        format_set_num_format(FText, "@");
    }
    if (!FBook || !FSheet || !FText) {
        Discard();
        throw EStoreFileError("Cannot write " + FFileName + ": the workbook cannot be started");
    }
}

TXlsxFile::~TXlsxFile() {
    Discard();
}

void TXlsxFile::Discard() {
    if (FBook) {
        // Closing is the only way to free a workbook; what it writes is removed below.
        workbook_close(FBook);
        FBook = nullptr;
    }
    if (!FTempName.empty()) {
        std::remove(FTempName.c_str());
        FTempName.clear();
    }
}

void TXlsxFile::AddStrCell(int column, int row, std::string_view text) {
    const auto [r, c] = cellAt(column, row);
    const std::string utf8 = Cp1250ToUtf8(text.substr(0, kMaxTextLength));
    check(worksheet_write_string(FSheet, r, c, utf8.c_str(), FText), FFileName);
}

void TXlsxFile::AddDoubleCell(int column, int row, double value) {
    const auto [r, c] = cellAt(column, row);
    check(worksheet_write_number(FSheet, r, c, value, nullptr), FFileName);
}

void TXlsxFile::Write() {
    lxw_workbook* book = FBook;
    FBook = nullptr;
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        Discard();
        check(error, FFileName);
    }
    const std::string temp = FTempName;
    FTempName.clear();
    ReplaceFileWith(FFileName, temp);
}

} // namespace etikor
