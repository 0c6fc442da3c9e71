#pragma once

// The pieces of DrawBarCode that are plain arithmetic, exposed so that the page engine and the
// tests can use them without drawing: fitting a box at an angle, module expansion, the font
// fitting rule, and the printer test.

#include "barcode/Ean.h"

#include <optional>
#include <string>
#include <string_view>

class QPainter;

namespace etikor {

// A pattern turned into pixel columns (one character per column) with its anchors in pixels.
struct ExpandedPattern {
    std::string Columns;
    TextAnchors Anchors;
};

// Module expansion for a layout `width` pixels wide (at least the number of modules).
// security: whole-pixel modules, left-aligned; nullopt when not even one pixel per module fits
// (erOutOfSecurityBox). Otherwise the modules are stretched to exactly `width` columns.
std::optional<ExpandedPattern> ExpandModules(std::string_view pattern, const TextAnchors& anchors, int width,
                                             bool security);

// The unrotated rectangle the barcode is laid out in for a box and an angle (a multiple of
// 90): the box itself at 0 and 180 degrees, the box turned on its side at 90 and 270.
TRect FitLayoutRect(const TRect& box, int angle);

// The fitting rule of the human-readable text and the captions: the size at which a text
// measuring `textWidth` at `size` points fills 90 % of `available` pixels. Never below 1 point.
int AutoFitFontSize(int size, int available, int textWidth);

// True for a QPrinter page and a QPdfWriter page: errors draw nothing there.
bool IsPrinterCanvas(const QPainter& canvas);

} // namespace etikor
