// Layer labels in the user-interface languages; the painting order of the
// layers.
#pragma once

#include <string_view>

#include "model/types.h"

namespace bs {

// The label of a layer (1 ... 7) in the given language, as UTF-8; "" for
// numbers outside 1 ... 7.
std::string_view LayerLabel(int layer, TLanguage lang);
// The German label (K1, B1, K2, B2, I1, I2, U).
std::string_view GermanLayerLabel(int layer);

// The seven layers in the order they are painted for the given active
// layer, the bottom-most first: the active side's layers come last.
const int* LayerPaintOrder(int activeLayer);

}  // namespace bs
