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
#include <string>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
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

// The file's bytes, mapped rather than copied.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat info {};
        if (fstat(fd, &info) == 0 && info.st_size > 0) {
            void* at = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (at != MAP_FAILED) {
                FData = static_cast<const char*>(at);
                FSize = static_cast<std::size_t>(info.st_size);
            }
        }
        close(fd);
    }
    ~MappedFile() {
        if (FData)
            munmap(const_cast<char*>(FData), FSize);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    std::string_view Bytes() const { return {FData, FSize}; }

private:
    const char* FData = nullptr;
    std::size_t FSize = 0;
};

} // namespace

TWorksheet ReadXlsFile(const std::string& path) {
    std::optional<std::string> stream;
    {
        const MappedFile file(path);
        const std::string_view bytes = file.Bytes();
        // A bare record stream is small by nature; a file too big for one is no such stream.
        if (IsBiffStream(bytes))
            return ReadBiffStream(bytes.substr(0, kMaxWorksheetPart));
        // The workbook stream is copied out of the file before it is read: a file past the bound
        // of the other formats would take far more memory than a link may.
        if (bytes.size() > kMaxWorksheetPart)
            throw EWorksheetError("File too large (more than " + std::to_string(kMaxWorksheetPart >> 20) +
                                  " MB)");
        stream = XlsWorkbookStream(bytes);
    }
    if (stream)
        if (std::optional<TWorksheet> sheet = ReadXlsWorkbookStream(*stream))
            return std::move(*sheet);
    return readInChildProcess(path);
}

TWorksheet ReadXlsFileWithFreeXl(const std::string& path) {
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
    TRawCell cell;
    for (unsigned int r = 0; r < rows; ++r) {
        builder.BeginRow();
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value{};
            check(freexl_get_cell_value(book.Handle(), r, c, &value));
            cell.What = TRawCell::Kind::Null;
            cell.Text.clear();
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
            builder.SetCell(c, cell);
        }
        builder.EndRow();
    }
    return builder.Build();
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
            out = SerializeWorksheet(readWithFreeXl(path));
            out.insert(out.begin(), 'K');
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
    return DeserializeWorksheet(std::string_view(bytes).substr(1));
}

} // namespace
} // namespace etikor
