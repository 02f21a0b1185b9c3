// Gerber files: read into elements; the elements read must join without
// trouble, and our own writer's output of them must read back.
#include <string_view>

#include "cam/gerber.h"
#include "import/gerber_import.h"
#include "project/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bs::TBoard board;
  board.Platine.Width = 1000000;
  board.Platine.Height = 1000000;
  const bs::TGerberReport r = bs::ReadGerberText(text, "fuzz.gbr", bs::kLayerC1, board.Elements);
  if (!r.Refused.empty()) return 0;
  bs::JoinTracks(board.Elements);
  bs::TObjektList again;
  bs::ReadGerberText(bs::GerberOutputText(board, 0, bs::TGerberOptions{}), "again.gbr", bs::kLayerC1, again);
  return 0;
}
