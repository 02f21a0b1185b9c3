// Excellon files: read, with every guess, and put the holes onto a few
// pads and tracks.
#include <string_view>

#include "import/drill_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bs::TDrillReport r = bs::ReadDrillText(text, "fuzz.drl", {});
  if (!r.Refused.empty()) return 0;
  bs::GuessDrillUnit(text);
  bs::GuessDrillFormat(text);
  bs::TObjektList list;
  auto pad = bs::NewObjekt();
  bs::InitThtPad(*pad, {0, 0}, bs::kLayerC1, bs::kShapeRound, 0, 8000);
  list.push_back(std::move(pad));
  auto track = bs::NewObjekt();
  bs::InitTrack(*track, 8000, bs::kLayerC2);
  bs::AddPoint(*track, {-4000, 0});
  bs::AddPoint(*track, {4000, 0});
  list.push_back(std::move(track));
  bs::ApplyDrillHoles(r, list, true);
  return 0;
}
