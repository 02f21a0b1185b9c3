// Turns a text element into stroke tracks with the built-in stroke font.
#pragma once

#include <cstdint>

#include "model/messages.h"
#include "model/objekt.h"

namespace bs {

// Reported by the caller when a newly created text got no strokes.
inline constexpr const char* kTextNotGenerated = msg::kTextNotGenerated;

// Stroke width and letter gap of a text, in units.
struct TTextMetrics {
  double Scale = 0;   // units per glyph unit: height / 90
  double Factor = 0;  // style: 0.8 narrow, 1.2 normal, 1.6 wide
  int32_t StrokeWidth = 0;
  int32_t Gap = 0;
};
TTextMetrics TextMetrics(double height, int thickness, int style);

// Replaces the text's strokes by new ones built from Text, SizeA (height),
// SizeB (thickness code), Style, MirrorV, MirrorH and Rotation about Pos. With
// `keepCentre` and strokes present before, the new strokes keep the centre of
// the old ones. The strokes lie on the text's layer with the given clearance.
// Returns false, leaving no strokes, when a glyph is malformed.
bool BuildTextStrokes(TObjekt& text, bool keepCentre, int32_t clearance = kDefaultClearance);

// The smallest height (units) the text dialog accepts when the height limit
// is on: 2.5 mm thin, 1.5 mm normal, 1.0 mm bold.
double LimitTextHeight(double height, int thickness);

// "Add number": the typed text with the counter appended; the counter then
// moves on.
struct TAutoNumber {
  bool On = false;
  int Counter = 1;
  TByteString Next(const TByteString& typed);
};

}  // namespace bs
