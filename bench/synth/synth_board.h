// A generator of large, plausible synthetic boards for benchmarks and tests.
#pragma once

#include <cstdint>

#include "project/project.h"

namespace bs {

struct TSynthOptions {
  size_t Elements = 10000;  // approximate number of top-level elements
  uint32_t Seed = 1;
  bool Multilayer = false;
};

// Fills the board with components (THT or SMD footprints with a silkscreen
// outline and ID and value labels), tracks, vias, zones, circles and texts,
// rubber bands between pads and a ground plane on C2. The same options give
// the same board.
void FillSynthBoard(TBoard& board, const TSynthOptions& opt);

// A one-board project holding a synthetic board.
void MakeSynthProject(TProject& project, const TSynthOptions& opt);

}  // namespace bs
