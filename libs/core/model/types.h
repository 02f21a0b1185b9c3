// Basic types of the layout model: units, points, element kinds and layers.
#pragma once

#include <cmath>
#include <cstdint>

namespace bs {

// One length unit is 0.1 micrometre.
inline constexpr int32_t kUnitsPerMm = 10000;
inline constexpr int32_t kUnitsPerMil = 254;
inline constexpr int32_t kUnitsPerInch = 254000;

// Rounds to the nearest integer, halves away from zero. Every "round" of the
// model goes through here so that all subsystems agree on ties.
inline int32_t RoundInt(double v) {
  // Within the int range inline: the part cut off by truncation is exact
  // there, and decides the step. Anything else (huge, not a number) as the
  // library rounds it.
  if (std::fabs(v) < 2147483648.0) {
    int64_t i = static_cast<int64_t>(v);
    const double rest = v - static_cast<double>(i);
    if (rest >= 0.5) ++i;
    else if (rest <= -0.5) --i;
    return static_cast<int32_t>(i);
  }
  return static_cast<int32_t>(std::lround(v));
}

// Converts millimetres to units (x 10000, rounded).
inline int32_t MmToUnits(double mm) { return RoundInt(mm * kUnitsPerMm); }

// A model position: a pair of 32-bit floats, in units, y axis up.
struct TFPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TFPoint&, const TFPoint&) = default;
};

// A point with double coordinates, used inside computations.
struct TDPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TDPoint&, const TDPoint&) = default;
};

// An integer point in units (contour vertices).
struct TIPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TIPoint&, const TIPoint&) = default;
};

// Element kinds (first byte of the element record).
enum TKind : uint8_t {
  kKindInvalid = 0,
  kKindLegacyLine = 1,
  kKindThtPad = 2,
  kKindLegacyText = 3,
  kKindZone = 4,
  kKindCircle = 5,
  kKindTrack = 6,
  kKindText = 7,
  kKindSmdPad = 8,
};

// Layer numbers (the Layer byte).
enum TLayer : uint8_t {
  kLayerInvalid = 0,
  kLayerC1 = 1,  // copper, side 1 (top)
  kLayerS1 = 2,  // silkscreen, side 1
  kLayerC2 = 3,  // copper, side 2 (bottom)
  kLayerS2 = 4,  // silkscreen, side 2
  kLayerI1 = 5,  // inner copper 1
  kLayerI2 = 6,  // inner copper 2
  kLayerO = 7,   // board outline
};
inline constexpr int kLayerCount = 7;

inline constexpr bool IsCopperLayer(int layer) {
  return layer == kLayerC1 || layer == kLayerC2 || layer == kLayerI1 || layer == kLayerI2;
}

// THT pad shapes (the Shape byte of a THT pad).
enum TPadShape : uint8_t {
  kShapeRound = 1,
  kShapeOctagon = 2,
  kShapeSquare = 3,
  kShapeRoundedH = 4,
  kShapeOctagonH = 5,
  kShapeRectH = 6,
  kShapeRoundedV = 7,
  kShapeOctagonV = 8,
  kShapeRectV = 9,
};

// The user-interface languages.
enum class TLanguage : int { Russian = 0, English = 1, French = 2 };

// The unit signs shown after lengths (UTF-8): Cyrillic in the Russian
// interface, the international signs in the others.
inline const char* MillimetreSign(TLanguage language) { return language == TLanguage::Russian ? "мм" : "mm"; }
inline const char* MicrometreSign(TLanguage language) { return language == TLanguage::Russian ? "мк" : "µm"; }

}  // namespace bs
