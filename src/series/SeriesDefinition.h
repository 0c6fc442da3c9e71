#pragma once

// Changes to the series definition (`M1`) made by the series designer: a segment appended,
// changed or deleted, and the EAN-128 application identifier segment with its two combination
// rules. Every change is written to the definition file at once and the table refreshed.

#include "data/Cp1250.h"

#include <string>

namespace etikor {

class IModal;
class TStoreTable;

// The eight values the designer's panel gives a segment (`AI` is left alone).
struct TSegmentValues {
    int Azon = 1;
    int Hossz = 1;
    std::string Tipus = "S"; // "K", "S" or "D"
    bool Szamlalo = false;
    int Szorzo = 1;
    std::string Ertek1; // Windows-1250
    std::string Ertek2;
    int Vktip = 5;
};

// Appends a segment at the end and writes the definition.
void AppendSegment(TStoreTable& definition, const TSegmentValues& values);
// Changes the current segment (its `AI` kept) and writes the definition.
void ChangeSegment(TStoreTable& definition, const TSegmentValues& values);
// Deletes the current segment and writes the definition at once, so the file never holds a
// segment the designer no longer shows.
void DeleteSegment(TStoreTable& definition);
// Writes the definition to its own file and reads it back, keeping the position.
void WriteDefinition(TStoreTable& definition);

// Inserts the segment "(" + AI + ")" for an identifier chosen in the EAN-128 helper. Adding:
// appended after the last segment; otherwise it replaces the segment at `editedRecNo` (the
// one open in the panel). Refused with a warning, nothing changed, when the identifier is 01
// or 02 and another segment already holds 01 or 02, or when the identifier segment before
// the insertion point is 02 and the new one is not 37. True when inserted.
bool InsertAiSegment(TStoreTable& definition, IModal& modal, const std::string& ai, bool adding,
                     int editedRecNo, int azon, int vktip);

} // namespace etikor
