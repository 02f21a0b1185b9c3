// The example board bundled as examples/demo.bsm6: a small double-sided
// timer circuit with components, tracks, rubber bands and a ground plane.
#pragma once

#include "project/project.h"

namespace bs::cli {

void BuildExampleProject(TProject& project);

}  // namespace bs::cli
