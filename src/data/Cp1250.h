#pragma once

// Windows-1250 (Central European) text, the code page of every stored text of the program.
// Stored text is kept as std::string of these bytes; these helpers are the one place where
// it meets Unicode. The five bytes that the code page leaves undefined map to the C1 control
// of the same value, so every byte string survives a round trip.

#include <string>
#include <string_view>

namespace etikor {

// The Unicode code point of one Windows-1250 byte.
char32_t Cp1250ToUnicode(unsigned char byte);

// The Windows-1250 byte of a code point; false when the code page has no such character.
bool UnicodeToCp1250(char32_t codePoint, unsigned char& byte);

std::string Cp1250ToUtf8(std::string_view cp1250);

// Characters the code page cannot hold become `replacement`; malformed UTF-8 sequences too.
std::string Utf8ToCp1250(std::string_view utf8, char replacement = '?');

// Letter case within the code page (accented letters included).
unsigned char Cp1250Upper(unsigned char byte);
unsigned char Cp1250Lower(unsigned char byte);
std::string Cp1250UpperCase(std::string_view text);
std::string Cp1250LowerCase(std::string_view text);
// Equal regardless of letter case (names of fields, sections, colours), without copying.
bool Cp1250SameText(std::string_view a, std::string_view b);

} // namespace etikor
