#include "model/layers.h"

namespace bs {

namespace {
constexpr std::string_view kEnglish[8] = {"", "C1", "S1", "C2", "S2", "I1", "I2", "O"};
constexpr std::string_view kRussian[8] = {"",   "Ф1", "Ш1", "Ф2",
                                          "Ш2", "В1", "В2", "К"};
constexpr std::string_view kGerman[8] = {"", "K1", "B1", "K2", "B2", "I1", "I2", "U"};
}  // namespace

std::string_view LayerLabel(int layer, TLanguage lang) {
  if (layer < 1 || layer > kLayerCount) return {};
  return lang == TLanguage::Russian ? kRussian[layer] : kEnglish[layer];
}

std::string_view GermanLayerLabel(int layer) {
  if (layer < 1 || layer > kLayerCount) return {};
  return kGerman[layer];
}

}  // namespace bs
