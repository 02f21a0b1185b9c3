// The colour scheme of the board painter and the colours derived from it.
#pragma once

#include <array>
#include <string>

#include "render/surface.h"

namespace bs {

enum TSchemeEntry {
  kColBackground = 0,
  // 1 ... 7: the layers C1, S1, C2, S2, I1, I2, O
  kColConnections = 8,
  kColThroughPads = 9,
  kColGridLines = 10,
  kColGridDots = 11,
};

struct TColourScheme {
  std::array<TColour, 12> C{0x000000, 0xF96A1E, 0x0000FF, 0x00BA00, 0x04D7E1, 0x147CC2,
                            0x62B6EE, 0xFFFFFF, 0xD7D7D7, 0xFDE351, 0x464646, 0xAAAAAA};

  TColour Background() const { return C[kColBackground]; }
  // The colour of a layer 1 ... 7; white for any other number.
  TColour Layer(int layer) const { return layer >= 1 && layer <= 7 ? C[layer] : 0xFFFFFF; }
  // The bitwise inverse of the background.
  TColour Contrast() const { return ~C[kColBackground] & 0xFFFFFF; }
  bool DarkBackground() const;
  TColour Selection() const { return DarkBackground() ? 0xFFAAFF : 0xFF00FF; }
};

// Each byte times (1 - k), rounded: a blend towards black.
TColour Darkened(TColour c, double k);

// A user scheme file: the twelve colours as little-endian 32-bit values.
// A missing or short file gives the default scheme; negative values become 0.
TColourScheme ReadColourScheme(const std::string& path);
bool WriteColourScheme(const std::string& path, const TColourScheme& scheme);

}  // namespace bs
