// .xls workbooks (BIFF5 and BIFF8 inside a compound file) read directly: the first worksheet's
// cells with their shared strings, the dates their cell styles show, and the results a
// spreadsheet program stored with every formula cell (a number, a boolean, or a text in the
// STRING record that follows). FreeXL, which reads the rest, leaves formula cells out and spends
// a loop over every day since 1900 on each date cell.
//
// The file is untrusted: every sector number, chain and length is checked against the file,
// chains are followed at most as many steps as the file has sectors, and records are read
// within their bodies.

#include "data/Cp1250.h"
#include "exchange/Worksheet.h"
#include "exchange/WorksheetRecords.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <unordered_map>

namespace etikor {

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;

uint32_t dword(std::string_view bytes, std::size_t at) {
    return static_cast<uint32_t>(BiffWord(bytes, at)) |
           (static_cast<uint32_t>(BiffWord(bytes, at + 2)) << 16);
}

class CompoundFile {
public:
    explicit CompoundFile(std::string_view file) : FFile(file) {}

    // The stream named "Workbook" (BIFF8) or "Book" (BIFF5); nullopt when there is none or the
    // container is damaged.
    std::optional<std::string> WorkbookStream() {
        if (FFile.size() < 512 ||
            FFile.substr(0, 8) != std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
            return std::nullopt;
        const uint16_t shift = BiffWord(FFile, 0x1E);
        if (shift != 9 && shift != 12)
            return std::nullopt;
        FSectorSize = std::size_t(1) << shift;
        FSectors = FFile.size() / FSectorSize; // counting the header as one
        if (!ReadFat())
            return std::nullopt;
        const std::optional<std::string> directory = Chain(FFat, dword(FFile, 0x30), SIZE_MAX);
        if (!directory)
            return std::nullopt;
        std::optional<Entry> root, book;
        for (std::size_t at = 0; at + 128 <= directory->size(); at += 128) {
            const Entry entry = EntryAt(*directory, at);
            if (at == 0 && entry.Type == 5)
                root = entry;
            if (entry.Type == 2 && (entry.Name == "workbook" || (entry.Name == "book" && !book)))
                book = entry;
        }
        if (!book)
            return std::nullopt;
        const uint32_t cutoff = dword(FFile, 0x38);
        if (book->Size >= cutoff)
            return Chain(FFat, book->Start, book->Size);
        // A small stream lives in the mini stream, in 64-byte sectors.
        if (!root)
            return std::nullopt;
        const std::optional<std::string> miniFatBytes = Chain(FFat, dword(FFile, 0x3C), SIZE_MAX);
        const std::optional<std::string> miniStream = Chain(FFat, root->Start, root->Size);
        if (!miniFatBytes || !miniStream)
            return std::nullopt;
        std::vector<uint32_t> miniFat(miniFatBytes->size() / 4);
        for (std::size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = dword(*miniFatBytes, i * 4);
        return ChainIn(*miniStream, miniFat, book->Start, book->Size, 64);
    }

private:
    struct Entry {
        std::string Name; // lower case ASCII
        uint8_t Type = 0;
        uint32_t Start = 0;
        uint64_t Size = 0;
    };

    Entry EntryAt(std::string_view directory, std::size_t at) const {
        Entry entry;
        const std::size_t nameBytes = std::min<std::size_t>(BiffWord(directory, at + 0x40), 64);
        for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
            const uint16_t c = BiffWord(directory, at + i);
            if (c == 0)
                break;
            entry.Name += c < 0x80 ? static_cast<char>(std::tolower(c)) : '?';
        }
        entry.Type = static_cast<uint8_t>(directory[at + 0x42]);
        entry.Start = dword(directory, at + 0x74);
        entry.Size = dword(directory, at + 0x78);
        if (FSectorSize == 4096)
            entry.Size |= static_cast<uint64_t>(dword(directory, at + 0x7C)) << 32;
        return entry;
    }

    bool ReadFat() {
        std::vector<uint32_t> fatSectors;
        const uint32_t fatCount = dword(FFile, 0x2C);
        if (fatCount > FSectors)
            return false;
        for (std::size_t i = 0; i < 109 && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(dword(FFile, 0x4C + i * 4));
        uint32_t difat = dword(FFile, 0x44);
        for (std::size_t steps = 0; fatSectors.size() < fatCount && difat < kEndOfChain; ++steps) {
            if (steps > FSectors || !Valid(difat))
                return false;
            const std::string_view sector = Sector(difat);
            for (std::size_t i = 0; i + 4 < FSectorSize && fatSectors.size() < fatCount; i += 4)
                fatSectors.push_back(dword(sector, i));
            difat = dword(sector, FSectorSize - 4);
        }
        FFat.reserve(fatSectors.size() * FSectorSize / 4);
        for (const uint32_t s : fatSectors) {
            if (!Valid(s))
                return false;
            const std::string_view sector = Sector(s);
            for (std::size_t i = 0; i < FSectorSize; i += 4)
                FFat.push_back(dword(sector, i));
        }
        return true;
    }

    // Sector n starts after the header, at (n + 1) sector sizes, and must end within the file.
    bool Valid(uint32_t sector) const { return FSectors > 0 && sector < FSectors - 1; }
    std::string_view Sector(uint32_t sector) const {
        return FFile.substr((std::size_t(sector) + 1) * FSectorSize, FSectorSize);
    }

    // The bytes of a chain of file sectors, at most `size` of them.
    std::optional<std::string> Chain(const std::vector<uint32_t>& fat, uint32_t start, uint64_t size) const {
        std::string out;
        uint32_t sector = start;
        for (std::size_t steps = 0; sector != kEndOfChain && out.size() < size; ++steps) {
            if (sector == kFreeSector && size == SIZE_MAX)
                break;
            if (steps > FSectors || !Valid(sector) || sector >= fat.size())
                return std::nullopt;
            out.append(Sector(sector));
            sector = fat[sector];
        }
        if (size != SIZE_MAX) {
            if (out.size() < size)
                return std::nullopt;
            out.resize(static_cast<std::size_t>(size));
        }
        return out;
    }

    // The same within a stream already read (the mini stream).
    static std::optional<std::string> ChainIn(std::string_view stream, const std::vector<uint32_t>& fat,
                                              uint32_t start, uint64_t size, std::size_t sectorSize) {
        std::string out;
        uint32_t sector = start;
        const std::size_t sectors = stream.size() / sectorSize;
        for (std::size_t steps = 0; out.size() < size; ++steps) {
            if (steps > sectors || sector >= sectors || sector >= fat.size())
                return std::nullopt;
            out.append(stream.substr(std::size_t(sector) * sectorSize, sectorSize));
            sector = fat[sector];
        }
        out.resize(static_cast<std::size_t>(size));
        return out;
    }

    std::string_view FFile;
    std::size_t FSectorSize = 512;
    std::size_t FSectors = 0;
    std::vector<uint32_t> FFat;
};

// The bodies of a record and its CONTINUE records, read as one stream of bytes. Characters of
// a BIFF8 string split between two records go on after an option byte of their own.
class Continued {
public:
    explicit Continued(std::vector<std::string_view> parts) : FParts(std::move(parts)) {}
    bool AtEnd() {
        Settle();
        return FPart >= FParts.size();
    }
    bool Byte(uint8_t& value) {
        Settle();
        if (FPart >= FParts.size())
            return false;
        value = static_cast<uint8_t>(FParts[FPart][FAt++]);
        return true;
    }
    bool Word(uint16_t& value) {
        uint8_t low = 0, high = 0;
        if (!Byte(low) || !Byte(high))
            return false;
        value = static_cast<uint16_t>(low | (high << 8));
        return true;
    }
    bool Dword(uint32_t& value) {
        uint16_t low = 0, high = 0;
        if (!Word(low) || !Word(high))
            return false;
        value = low | (static_cast<uint32_t>(high) << 16);
        return true;
    }
    bool Skip(std::size_t count) {
        while (count > 0) {
            Settle();
            if (FPart >= FParts.size())
                return false;
            const std::size_t step = std::min(count, FParts[FPart].size() - FAt);
            FAt += step;
            count -= step;
        }
        return true;
    }
    // A BIFF8 unicode string: 16-bit count, option byte, optional rich-text and phonetic sizes,
    // the characters, then the rich-text runs and phonetic data (skipped). False when cut off.
    bool String(std::string& out) {
        out.clear();
        uint16_t count = 0;
        uint8_t flags = 0;
        if (!Word(count) || !Byte(flags))
            return false;
        uint16_t runs = 0;
        uint32_t extra = 0;
        if ((flags & 8) && !Word(runs))
            return false;
        if ((flags & 4) && !Dword(extra))
            return false;
        bool wide = flags & 1;
        for (std::size_t left = count; left > 0;) {
            if (FPart < FParts.size() && FAt >= FParts[FPart].size()) {
                // The characters go on in the next record, after an option byte.
                ++FPart;
                FAt = 0;
                if (FPart >= FParts.size() || FParts[FPart].empty())
                    return false;
                wide = static_cast<uint8_t>(FParts[FPart][FAt++]) & 1;
                continue;
            }
            if (FPart >= FParts.size())
                return false;
            char16_t c = 0;
            if (wide) {
                if (FAt + 2 > FParts[FPart].size())
                    return false;
                c = BiffWord(FParts[FPart], FAt);
                FAt += 2;
            } else {
                c = static_cast<unsigned char>(FParts[FPart][FAt++]);
            }
            unsigned char byte = '?';
            out += static_cast<char>(UnicodeToCp1250(c, byte) ? byte : '?');
            --left;
        }
        return Skip(std::size_t(runs) * 4) && Skip(extra);
    }

private:
    void Settle() {
        while (FPart < FParts.size() && FAt >= FParts[FPart].size()) {
            ++FPart;
            FAt = 0;
        }
    }
    std::vector<std::string_view> FParts;
    std::size_t FPart = 0;
    std::size_t FAt = 0;
};

struct Record {
    uint16_t Id = 0;
    std::string_view Body;
};

// Records one after the other, from a position to the end of their substream.
class Records {
public:
    Records(std::string_view stream, std::size_t at) : FStream(stream), FAt(at) {}
    bool Next(Record& record) {
        if (FEnded || FAt + 4 > FStream.size())
            return false;
        const std::size_t length = BiffWord(FStream, FAt + 2);
        if (FAt + 4 + length > FStream.size())
            return false;
        record = {BiffWord(FStream, FAt), FStream.substr(FAt + 4, length)};
        FAt += 4 + length;
        FEnded = record.Id == 0x000A;
        return true;
    }
    // The body of the record just read and those of the CONTINUE records after it.
    std::vector<std::string_view> WithContinues(std::string_view body) const {
        std::vector<std::string_view> parts{body};
        Records after = *this;
        for (Record next; after.Next(next) && next.Id == 0x003C;)
            parts.push_back(next.Body);
        return parts;
    }

private:
    std::string_view FStream;
    std::size_t FAt;
    bool FEnded = false;
};

// One cell until the rows are put in order: text cells refer to the builder's shared texts.
struct Placed {
    uint32_t Row = 0;
    uint16_t Column = 0;
    TRawCell::Kind What = TRawCell::Kind::Null;
    uint32_t Text = 0; // shared text index of a text cell
    double Number = 0;
    TDateFormatKind Date;
};

// An RK value: a 30-bit integer or the high 30 bits of a double, optionally divided by 100.
double rk(uint32_t value) {
    const double number = (value & 2)
                              ? static_cast<double>(static_cast<int32_t>(value) >> 2)
                              : std::bit_cast<double>(static_cast<uint64_t>(value & 0xFFFFFFFCu) << 32);
    return (value & 1) ? number / 100 : number;
}

std::string tooManyCells() {
    return "Worksheet too large (more than " + std::to_string(kMaxWorksheetCells) + " cells)";
}

struct OutOfOrder {};

std::optional<TWorksheet> readWorkbookStream(std::string_view stream, bool gather) {
    if (stream.size() < 8 || BiffWord(stream, 0) != 0x0809)
        return std::nullopt;
    const uint16_t version = BiffWord(stream, 4);
    if (version != 0x0600 && version != 0x0500)
        return std::nullopt;
    const bool biff8 = version == 0x0600;
    TWorksheetBuilder builder;
    // A BIFF5 string: a count and bytes in the workbook's code page.
    bool cp1250 = false;
    const auto byteString = [&cp1250](std::string_view bytes) {
        if (cp1250)
            return std::string(bytes);
        std::string out;
        for (const char c : bytes) {
            unsigned char byte = '?';
            out += static_cast<char>(UnicodeToCp1250(static_cast<unsigned char>(c), byte) ? byte : '?');
        }
        return out;
    };
    // The string of a LABEL-like record from `at`: a BIFF8 unicode string or BIFF5 bytes.
    const auto recordString = [&](const Records& records, std::string_view body, std::size_t at,
                                  std::string& out) {
        if (!biff8) {
            if (body.size() < at + 2)
                return false;
            const std::size_t count = BiffWord(body, at);
            if (body.size() < at + 2 + count)
                return false;
            out = byteString(body.substr(at + 2, count));
            return true;
        }
        std::vector<std::string_view> parts = records.WithContinues(body);
        if (parts[0].size() < at)
            return false;
        parts[0].remove_prefix(at);
        return Continued(std::move(parts)).String(out);
    };

    // The globals: protection, date system, code page, number formats, cell styles, shared
    // strings and the first worksheet.
    bool system1904 = false;
    std::unordered_map<uint16_t, TDateFormatKind> formats;
    std::vector<TDateFormatKind> styles;
    std::optional<uint32_t> sheetAt;
    std::vector<uint32_t> shared;
    std::string text;
    Records globals(stream, 0);
    for (Record r; globals.Next(r);) {
        if (r.Id == 0x002F) {
            throw EWorksheetError("The workbook is protected by a password");
        } else if (r.Id == 0x0022 && r.Body.size() >= 2) {
            system1904 = BiffWord(r.Body, 0) == 1;
        } else if (r.Id == 0x0042 && r.Body.size() >= 2) {
            cp1250 = BiffWord(r.Body, 0) == 1250;
        } else if (r.Id == 0x041E && r.Body.size() >= 3 && formats.size() < 100000) {
            std::string code;
            if (biff8 ? recordString(globals, r.Body, 2, code)
                      : r.Body.size() >= 3u + static_cast<unsigned char>(r.Body[2]))
                formats[BiffWord(r.Body, 0)] = DateFormatKindOfCode(
                    biff8 ? code : std::string(r.Body.substr(3, static_cast<unsigned char>(r.Body[2]))));
        } else if (r.Id == 0x00E0 && r.Body.size() >= 4 && styles.size() < 100000) {
            const uint16_t format = BiffWord(r.Body, 2);
            const auto found = formats.find(format);
            styles.push_back(found != formats.end() ? found->second : DateFormatKindOfBuiltIn(format));
        } else if (r.Id == 0x0085 && r.Body.size() >= 6 && !sheetAt && r.Body[5] == 0) {
            sheetAt = dword(r.Body, 0);
        } else if (r.Id == 0x00FC && biff8 && r.Body.size() >= 8 && shared.empty()) {
            Continued sst(globals.WithContinues(r.Body));
            uint32_t total = 0, unique = 0;
            sst.Dword(total);
            sst.Dword(unique);
            // The count is a claim: strings are read while there are bytes for them.
            for (uint32_t n = 0; n < unique && !sst.AtEnd(); ++n) {
                if (!sst.String(text))
                    return std::nullopt;
                shared.push_back(static_cast<uint32_t>(builder.AddSharedText(text)));
            }
        }
    }
    if (!sheetAt || *sheetAt + 8 > stream.size() || BiffWord(stream, *sheetAt) != 0x0809)
        return std::nullopt;
    const auto dateKindOf = [&styles](uint16_t style) {
        return style < styles.size() ? styles[style] : TDateFormatKind{};
    };

    // Cells go to the builder row by row as they come; a workbook whose rows are out of order
    // is read again with its cells gathered and sorted.
    std::vector<Placed> cells;
    uint32_t currentRow = 0, nextRow = 0;
    bool rowOpen = false;
    std::size_t count = 0;
    TRawCell raw;
    const auto put = [&](const Placed& cell) {
        if (cell.What == TRawCell::Kind::Text) {
            builder.SetSharedCell(cell.Column, cell.Text);
            return;
        }
        raw = cell.Date.Any() ? SerialDateCell(cell.Number, system1904, cell.Date) : TRawCell{};
        if (!cell.Date.Any()) {
            raw.What = TRawCell::Kind::Number;
            raw.Number = cell.Number;
        }
        builder.SetCell(cell.Column, raw);
    };
    const auto toRow = [&](uint32_t row) {
        if (rowOpen && row == currentRow)
            return;
        if (rowOpen) {
            builder.EndRow();
            nextRow = currentRow + 1;
        }
        builder.AddEmptyRows(row - nextRow);
        builder.BeginRow();
        currentRow = row;
        rowOpen = true;
    };
    const auto emit = [&](const Placed& cell) {
        if (++count > kMaxWorksheetCells)
            throw EWorksheetError(tooManyCells());
        if (gather) {
            cells.push_back(cell);
            return;
        }
        if (rowOpen && cell.Row < currentRow)
            throw OutOfOrder();
        toRow(cell.Row);
        put(cell);
    };
    const auto place = [&](uint32_t row, uint16_t column, uint16_t style, double number) {
        emit({row, column, TRawCell::Kind::Number, 0, number, dateKindOf(style)});
    };
    const auto placeText = [&](uint32_t row, uint16_t column, const std::string& value) {
        if (!value.empty())
            emit({row,
                  column,
                  TRawCell::Kind::Text,
                  static_cast<uint32_t>(builder.AddSharedText(value)),
                  0,
                  {}});
    };
    Records records(stream, *sheetAt);
    for (Record record; records.Next(record);) {
        const std::string_view body = record.Body;
        if (body.size() < 6)
            continue;
        const uint16_t row = BiffWord(body, 0), column = BiffWord(body, 2), style = BiffWord(body, 4);
        switch (record.Id) {
        case 0x0203: // NUMBER
            if (body.size() >= 14)
                place(row, column, style, BiffDouble(body, 6));
            break;
        case 0x027E: // RK
            if (body.size() >= 10)
                place(row, column, style, rk(dword(body, 6)));
            break;
        case 0x00BD: // MULRK: style and value for each column, the last column at the end
            for (std::size_t at = 4, c = column; at + 6 + 2 <= body.size(); at += 6, ++c)
                place(row, static_cast<uint16_t>(c), BiffWord(body, at), rk(dword(body, at + 2)));
            break;
        case 0x00FD: // LABELSST
            if (body.size() >= 10) {
                const uint32_t index = dword(body, 6);
                if (index < shared.size())
                    emit({row, column, TRawCell::Kind::Text, shared[index], 0, {}});
            }
            break;
        case 0x0204: // LABEL
        case 0x00D6: // RSTRING
            if (recordString(records, body, 6, text))
                placeText(row, column, text);
            break;
        case 0x0205: // BOOLERR: a boolean, or an error that stays empty
            if (body.size() >= 8 && body[7] == 0)
                emit({row, column, TRawCell::Kind::Number, 0, body[6] != 0 ? 1.0 : 0.0, {}});
            break;
        case 0x0006: // FORMULA with its stored result
            if (body.size() < 20)
                break;
            if (BiffWord(body, 12) != 0xFFFF) {
                place(row, column, style, BiffDouble(body, 6));
            } else if (body[6] == 1) {
                emit({row, column, TRawCell::Kind::Number, 0, body[8] != 0 ? 1.0 : 0.0, {}});
            } else if (body[6] == 0) {
                // The text is in the STRING record that follows (after any shared, array or
                // table formula record).
                Records after = records;
                Record next;
                while (after.Next(next) && (next.Id == 0x04BC || next.Id == 0x0221 || next.Id == 0x0236)) {
                }
                if (next.Id == 0x0207 && recordString(after, next.Body, 0, text))
                    placeText(row, column, text);
            }
            break;
        default:
            break;
        }
    }
    if (gather) {
        // Rows in order; a later cell at the same place replaces an earlier one.
        std::stable_sort(cells.begin(), cells.end(), [](const Placed& a, const Placed& b) {
            return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
        });
        for (const Placed& cell : cells) {
            toRow(cell.Row);
            put(cell);
        }
    }
    if (rowOpen)
        builder.EndRow();
    return builder.Build();
}

} // namespace

std::optional<std::string> XlsWorkbookStream(std::string_view file) {
    return CompoundFile(file).WorkbookStream();
}

std::optional<TWorksheet> ReadXlsWorkbookStream(std::string_view stream) {
    try {
        return readWorkbookStream(stream, false);
    } catch (const OutOfOrder&) {
        return readWorkbookStream(stream, true);
    }
}

std::optional<TWorksheet> ReadXlsWorkbook(std::string_view file) {
    const std::optional<std::string> stream = XlsWorkbookStream(file);
    if (!stream)
        return std::nullopt;
    return ReadXlsWorkbookStream(*stream);
}

} // namespace etikor
