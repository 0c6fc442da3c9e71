// The .xls reader: FreeXL opens the workbook (BIFF2 to BIFF8) and gives the first worksheet's
// cells; text comes back as UTF-8 and is stored as Windows-1250.

#include "data/Cp1250.h"
#include "exchange/ChildProcessLimits.h"
#include "exchange/Worksheet.h"

#include <freexl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include <sys/wait.h>
#include <unistd.h>

namespace etikor {

namespace {

std::string freexlReason(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return "File not found or not readable";
    case FREEXL_INSUFFICIENT_MEMORY:
        return "Not enough memory for the workbook";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "Not an Excel workbook";
    default:
        return "Damaged Excel workbook (FreeXL " + std::to_string(code) + ")";
    }
}

class Workbook {
public:
    explicit Workbook(const std::string& path) {
        const int result = freexl_open(path.c_str(), &FHandle);
        if (result != FREEXL_OK) {
            if (FHandle)
                freexl_close(FHandle);
            FHandle = nullptr;
            throw EWorksheetError(freexlReason(result));
        }
    }
    ~Workbook() {
        if (FHandle)
            freexl_close(FHandle);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;
    const void* Handle() const { return FHandle; }

private:
    const void* FHandle = nullptr;
};

void check(int result) {
    if (result != FREEXL_OK)
        throw EWorksheetError(freexlReason(result));
}

TWorksheet readInChildProcess(const std::string& path);

} // namespace

TWorksheet ReadXlsFile(const std::string& path) {
    {
        // A bare record stream is small by nature; a file too big for one is no such stream.
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file) {
            std::string bytes(4, '\0');
            const bool stream = std::fread(bytes.data(), 1, 4, file) == 4 && IsBiffStream(bytes);
            if (stream) {
                char buffer[65536];
                std::size_t got = 0;
                while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() < (256u << 20))
                    bytes.append(buffer, got);
            }
            std::fclose(file);
            if (stream)
                return ReadBiffStream(bytes);
        }
    }
    return readInChildProcess(path);
}

namespace {

TWorksheet readWithFreeXl(const std::string& path) {
    Workbook book(path);
    unsigned int info = 0;
    if (freexl_get_info(book.Handle(), FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        throw EWorksheetError("The workbook is protected by a password");
    if (freexl_get_info(book.Handle(), FREEXL_BIFF_SHEET_COUNT, &info) != FREEXL_OK || info == 0)
        throw EWorksheetError("The workbook has no worksheet");
    check(freexl_select_active_worksheet(book.Handle(), 0));
    unsigned int rows = 0;
    unsigned short columns = 0;
    check(freexl_worksheet_dimensions(book.Handle(), &rows, &columns));

    TWorksheetBuilder builder;
    for (unsigned int r = 0; r < rows; ++r) {
        TRawRow row;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value{};
            check(freexl_get_cell_value(book.Handle(), r, c, &value));
            TRawCell cell;
            switch (value.type) {
            case FREEXL_CELL_INT:
                cell.What = TRawCell::Kind::Number;
                cell.Number = value.value.int_value;
                break;
            case FREEXL_CELL_DOUBLE:
                cell.What = TRawCell::Kind::Number;
                cell.Number = value.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                if (value.value.text_value && *value.value.text_value) {
                    cell.What = TRawCell::Kind::Text;
                    cell.Text = Utf8ToCp1250(value.value.text_value);
                }
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value) {
                    cell.Text = value.value.text_value;
                    cell.What = ParseWorksheetDateTime(cell.Text, cell.Number) ? TRawCell::Kind::DateTime
                                                                               : TRawCell::Kind::Text;
                }
                break;
            default:
                break;
            }
            if (cell.What != TRawCell::Kind::Null) {
                row.resize(c);
                row.push_back(std::move(cell));
            }
        }
        builder.AddRow(std::move(row));
    }
    return builder.Build();
}

// The worksheet as bytes through the pipe: columns (name, type, size), the row count, then
// each value as a kind byte and its number or text.
void put(std::string& out, const void* data, std::size_t size) {
    out.append(static_cast<const char*>(data), size);
}

void putText(std::string& out, const std::string& text) {
    const auto size = static_cast<uint32_t>(text.size());
    put(out, &size, sizeof size);
    out += text;
}

std::string serialize(const TWorksheet& sheet) {
    std::string out = "K";
    const auto columns = static_cast<uint32_t>(sheet.Columns.size());
    put(out, &columns, sizeof columns);
    for (const TFieldDef& def : sheet.Columns) {
        putText(out, def.Name);
        const auto type = static_cast<uint8_t>(def.DataType);
        put(out, &type, 1);
        put(out, &def.Size, sizeof def.Size);
    }
    const uint64_t rows = sheet.Rows.size();
    put(out, &rows, sizeof rows);
    for (const auto& row : sheet.Rows)
        for (const TVariant& value : row) {
            uint8_t kind = 0;
            if (value.Type() == TVarType::varDouble)
                kind = 1;
            else if (value.Type() == TVarType::varDate)
                kind = 3;
            else if (value.Type() == TVarType::varString)
                kind = 2;
            put(out, &kind, 1);
            if (kind == 1 || kind == 3) {
                const double number = kind == 1 ? value.ToDouble() : value.ToDateTime();
                put(out, &number, sizeof number);
            } else if (kind == 2) {
                putText(out, value.Text());
            }
        }
    return out;
}

class Input {
public:
    explicit Input(const std::string& bytes) : FBytes(bytes) {}
    void Get(void* data, std::size_t size) {
        if (FAt + size > FBytes.size())
            throw EWorksheetError("Damaged Excel workbook (the reader stopped)");
        std::memcpy(data, FBytes.data() + FAt, size);
        FAt += size;
    }
    std::string Text() {
        uint32_t size = 0;
        Get(&size, sizeof size);
        if (FAt + size > FBytes.size())
            throw EWorksheetError("Damaged Excel workbook (the reader stopped)");
        std::string text = FBytes.substr(FAt, size);
        FAt += size;
        return text;
    }

private:
    const std::string& FBytes;
    std::size_t FAt = 1;
};

TWorksheet deserialize(const std::string& bytes) {
    Input in(bytes);
    TWorksheet sheet;
    uint32_t columns = 0;
    in.Get(&columns, sizeof columns);
    for (uint32_t c = 0; c < columns; ++c) {
        TFieldDef def;
        def.Name = in.Text();
        uint8_t type = 0;
        in.Get(&type, 1);
        def.DataType = static_cast<TFieldType>(type);
        in.Get(&def.Size, sizeof def.Size);
        sheet.Columns.push_back(std::move(def));
    }
    uint64_t rows = 0;
    in.Get(&rows, sizeof rows);
    for (uint64_t r = 0; r < rows; ++r) {
        std::vector<TVariant> row(columns);
        for (uint32_t c = 0; c < columns; ++c) {
            uint8_t kind = 0;
            in.Get(&kind, 1);
            double number = 0;
            if (kind == 1 || kind == 3) {
                in.Get(&number, sizeof number);
                row[c] = kind == 1 ? TVariant(number) : TVariant::FromDateTime(number);
            } else if (kind == 2) {
                row[c] = TVariant(in.Text());
            }
        }
        sheet.Rows.push_back(std::move(row));
    }
    return sheet;
}

// FreeXL trusts lengths inside a workbook (a hostile file makes it read past its own buffers),
// so it runs in a child process: a workbook that crashes it, keeps it busy for a minute or makes
// it allocate beyond the budget gives a message instead of ending the program.
constexpr std::size_t kReaderMemoryBudget = std::size_t(1) << 30;

TWorksheet readInChildProcess(const std::string& path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return readWithFreeXl(path);
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return readWithFreeXl(path);
    }
    if (child == 0) {
        close(pipeEnds[0]);
        alarm(60);
        LimitAddressSpaceGrowth(kReaderMemoryBudget);
        std::string out;
        try {
            out = serialize(readWithFreeXl(path));
        } catch (const std::bad_alloc&) {
            out = "E" + freexlReason(FREEXL_INSUFFICIENT_MEMORY);
        } catch (const std::exception& error) {
            out = std::string("E") + error.what();
        }
        std::size_t at = 0;
        while (at < out.size()) {
            const ssize_t written = write(pipeEnds[1], out.data() + at, out.size() - at);
            if (written <= 0)
                break;
            at += static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string bytes;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) != 0) {
        if (got < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.empty())
        throw EWorksheetError("Damaged Excel workbook (the reader stopped)");
    if (bytes[0] == 'E')
        throw EWorksheetError(bytes.substr(1));
    return deserialize(bytes);
}

} // namespace
} // namespace etikor
