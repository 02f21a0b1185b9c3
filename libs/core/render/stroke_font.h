// The built-in stroke font: one glyph per 8-bit code (Windows-1251), each a
// string of 6-character tokens in glyph units (baseline y = 0, capitals 80
// high, x-height 45, descenders to -20).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/types.h"

namespace bs {

// Markers returned by GlyphPoint.
inline constexpr TIPoint kGlyphPenUp{-100, -100};
inline constexpr TIPoint kGlyphEnd{-200, -200};

// The glyph string of a code; codes without a glyph of their own give the
// glyph of ".".
std::string_view GlyphString(uint8_t code);

// The i-th token (from 0) of the glyph of `code`: a point, kGlyphPenUp or
// kGlyphEnd (also for i past the end). Empty when the token is not a valid
// point (the text cannot be generated then).
std::optional<TIPoint> GlyphPoint(uint8_t code, int i);

// The largest x of the glyph's points (markers and negative values ignored);
// 1 for the space character.
int GlyphWidth(uint8_t code);

}  // namespace bs
