// Conversion between the model's Windows-1251 byte strings and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace bs {

// Every byte maps to one character (0x98, unassigned, maps to U+0098 so that
// the conversion round-trips).
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters that code page 1251 lacks become '?'; so do malformed sequences.
std::string Utf8ToCp1251(std::string_view utf8);

// Lower case in Windows-1251: ASCII, the Cyrillic alphabet and the letters of
// the upper half that have a lower-case partner.
unsigned char FoldCp1251(unsigned char c);
// Compares two Windows-1251 strings without case: negative, zero or positive.
int CompareFoldedCp1251(std::string_view a, std::string_view b);

}  // namespace bs
