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

}  // namespace bs
