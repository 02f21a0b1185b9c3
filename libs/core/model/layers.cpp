#include "model/layers.h"

namespace bs {

namespace {
constexpr std::string_view kEnglish[8] = {"", "C1", "S1", "C2", "S2", "I1", "I2", "O"};
constexpr std::string_view kRussian[8] = {"", "Ф1", "Ш1", "Ф2", "Ш2", "В1", "В2", "К"};
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

const int* LayerPaintOrder(int active) {
  static const int kTop[] = {5, 6, 3, 1, 4, 2, 7};
  static const int kI1[] = {1, 3, 6, 5, 2, 4, 7};
  static const int kI2[] = {1, 3, 5, 6, 2, 4, 7};
  static const int kOther[] = {5, 6, 1, 3, 2, 4, 7};
  switch (active) {
    case kLayerC1:
    case kLayerS1: return kTop;
    case kLayerI1: return kI1;
    case kLayerI2: return kI2;
    default: return kOther;
  }
}

}  // namespace bs
