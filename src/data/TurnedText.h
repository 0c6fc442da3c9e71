#pragma once

// Where a one-line text goes when it is turned by quarter turns, as the designer's canvas shows
// it and the page engine prints it: the box an auto-sized text takes, and the point the text is
// drawn from (its top-left corner before the turn) inside its box.

#include "data/Alignment.h"

namespace etikor {

struct TTextStart {
    double X = 0;
    double Y = 0;
};

struct TTurnedTextBox {
    double Width = 0;
    double Height = 0;
    TTextStart Start;
};

// A text of extent textWidth x textHeight turned counter-clockwise by `degrees` (any multiple of
// 90, negative or beyond a full turn; other angles count as the quarter turn below them).
TTurnedTextBox TurnedTextBox(double textWidth, double textHeight, int degrees);

// The start of such a text in a box `boxWidth` wide: an unturned text follows its alignment, a
// turned one starts where TurnedTextBox puts it.
TTextStart TurnedTextStart(double textWidth, double textHeight, int degrees, TAlignment alignment,
                           double boxWidth);

} // namespace etikor
