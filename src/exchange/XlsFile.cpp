#include "exchange/XlsFile.h"

#include "data/ScopeGuard.h"
#include "tablestore/StoreFile.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace etikor {

void TMyWriter::WriteWord(uint16_t value) {
    WriteByte(static_cast<uint8_t>(value & 0xFF));
    WriteByte(static_cast<uint8_t>(value >> 8));
}

void TMyWriter::WriteDouble(double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        WriteByte(static_cast<uint8_t>(bits >> (8 * i)));
}

void TMyWriter::PatchWord(std::size_t position, uint16_t value) {
    FBytes.at(position) = static_cast<char>(value & 0xFF);
    FBytes.at(position + 1) = static_cast<char>(value >> 8);
}

void TBOF::WriteBody(TMyWriter& writer) const {
    writer.WriteWord(0);
    writer.WriteWord(0x0010); // worksheet
    writer.WriteWord(0);
}

void TDimension::WriteBody(TMyWriter& writer) const {
    writer.WriteWord(0);
    writer.WriteWord(1000);
    writer.WriteWord(0);
    writer.WriteWord(100);
}

void TCell::WriteCellHeader(TMyWriter& writer) const {
    writer.WriteWord(FRow);
    writer.WriteWord(FColumn);
    writer.WriteByte(0);
    writer.WriteByte(0);
    writer.WriteByte(0);
}

TStrCell::TStrCell(uint16_t row, uint16_t column, std::string_view text)
    : TCell(0x0004, row, column), FText(text.substr(0, kMaxLength)) {}

void TStrCell::WriteBody(TMyWriter& writer) const {
    WriteCellHeader(writer);
    writer.WriteByte(static_cast<uint8_t>(FText.size()));
    writer.WriteBytes(FText);
}

void TDoubleCell::WriteBody(TMyWriter& writer) const {
    WriteCellHeader(writer);
    writer.WriteDouble(FValue);
}

void TDispatcher::Write(TMyWriter& writer) const {
    for (const auto& record : FRecords) {
        writer.WriteWord(record->RecordId());
        const std::size_t lengthAt = writer.Position();
        writer.WriteWord(0);
        record->WriteBody(writer);
        writer.PatchWord(lengthAt, static_cast<uint16_t>(writer.Position() - lengthAt - 2));
    }
    writer.WriteWord(kEofRecordId);
    writer.WriteWord(0);
}

namespace {

std::pair<uint16_t, uint16_t> cellAt(int column, int row) {
    if (column < 1 || column > TXLSfile::kMaxColumns || row < 1 || row > TXLSfile::kMaxRows)
        throw std::out_of_range("cell outside the worksheet");
    return {static_cast<uint16_t>(row - 1), static_cast<uint16_t>(column - 1)};
}

} // namespace

void TXLSfile::AddStrCell(int column, int row, std::string_view text) {
    const auto [r, c] = cellAt(column, row);
    FDispatcher.Add(std::make_unique<TStrCell>(r, c, text));
}

void TXLSfile::AddDoubleCell(int column, int row, double value) {
    const auto [r, c] = cellAt(column, row);
    FDispatcher.Add(std::make_unique<TDoubleCell>(r, c, value));
}

std::string TXLSfile::Image() const {
    TMyWriter writer;
    FDispatcher.Write(writer);
    return writer.Bytes();
}

void TXLSfile::Write() {
    const TScopeGuard reset([this] { Reset(); });
    SaveImageToFile(FileName, Image());
}

void TXLSfile::Reset() {
    FDispatcher.Clear();
    FDispatcher.Add(std::make_unique<TBOF>());
    FDispatcher.Add(std::make_unique<TDimension>());
}

} // namespace etikor
