// The example board bundled as examples/demo.bsm6: a small double-sided
// timer circuit with components, tracks, rubber bands and a ground plane.
#pragma once

#include "project/project.h"

namespace bs::cli {

void BuildExampleProject(TProject& project);

// A multilayer board with every element kind, pad shape and drawing flag on
// every layer, for looking at the painter's output.
void BuildKindsProject(TProject& project);

}  // namespace bs::cli
