#pragma once

// Test oracle: draws a module pattern as a plain black-and-white image in memory and reads
// it back with zxing-cpp, an independent decoder. This is not the product's drawing; it only
// answers "what does a standard reader see in these modules?".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace etikor::test {

struct OracleOptions {
    int pixelsPerModule = 3;
    int height = 60;
    int quietModules = 12;        // blank modules added on each side (readers need >= 10)
    bool readAddOn = false;       // ask the reader for an EAN/UPC 2- or 5-digit add-on
    bool code39FullAscii = false; // decode Code 39 in full-ASCII mode
    std::string formats;          // restrict the reader, e.g. "EAN13|UPCA"; empty = all linear
};

struct DecodeResult {
    bool ok = false;
    std::string format;    // zxing's name of the symbology, e.g. "EAN-13", "Code128"
    std::string text;      // UTF-8 as the reader returns it (add-on after a blank when read)
    std::string symbology; // symbology identifier such as "]C1" (GS1-128)
    std::string ecLevel;   // the error correction level of a two-dimensional symbol
    std::string error;     // the reader's complaint when ok is false
};

// One byte per pixel, 0 black and 255 white, row after row. Bars are every '1', '2' and 'M'
// module at full height; '0', ' ' and 'X' are white.
std::vector<uint8_t> RenderPattern(std::string_view pattern, const OracleOptions& options, int& width);

// Renders and decodes one pattern (the reader must see exactly one symbol per image).
DecodeResult DecodePattern(std::string_view pattern, const OracleOptions& options = {});

// The zxing formats of the two-dimensional symbologies.
inline constexpr const char* kMatrixFormats = "QRCode|DataMatrix|PDF417|Aztec";

// Draws a module matrix (row after row, nonzero dark) with `quietModules` light modules around
// it, `pixelsPerModule` square pixels a module, and reads it back.
DecodeResult DecodeModules(const std::vector<uint8_t>& modules, int rows, int columns, int quietModules,
                           int pixelsPerModule = 4);

} // namespace etikor::test
