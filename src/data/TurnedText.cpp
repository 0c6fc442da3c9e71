#include "data/TurnedText.h"

namespace etikor {

namespace {

// 0..3 counter-clockwise quarter turns.
int Quarter(int degrees) {
    return ((degrees % 360 + 360) % 360) / 90;
}

} // namespace

TTurnedTextBox TurnedTextBox(double textWidth, double textHeight, int degrees) {
    const double w = textWidth;
    const double h = textHeight;
    switch (Quarter(degrees)) {
    case 1: // reads upwards from the bottom-left corner
        return {h, w, {0, w}};
    case 2: // upside down from the bottom-right corner
        return {w, h, {w, h}};
    case 3: // reads downwards from the top-right corner
        return {h, w, {h, 0}};
    default:
        return {w, h, {0, 0}};
    }
}

TTextStart TurnedTextStart(double textWidth, double textHeight, int degrees, TAlignment alignment,
                           double boxWidth) {
    if (Quarter(degrees) != 0)
        return TurnedTextBox(textWidth, textHeight, degrees).Start;
    switch (alignment) {
    case TAlignment::taCenter:
        return {(boxWidth - textWidth) / 2, 0};
    case TAlignment::taRightJustify:
        return {boxWidth - textWidth, 0};
    default:
        return {0, 0};
    }
}

} // namespace etikor
