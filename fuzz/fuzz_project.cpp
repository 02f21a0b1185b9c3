// Project files: whatever is read must survive the save clean-up, write back
// and read again.
#include <cstdlib>

#include "io/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bs::TProject p;
  const bs::TReadResult r = bs::ReadProjectBytes(p, data, size, false, "fuzz.bsm6");
  if (r.Version < 0) return 0;                        // not a project file: nothing read
  if (p.Boards.empty() || !p.Active()) std::abort();  // a read always leaves a board
  if (!r.Ok) return 0;
  // The save path measures every element; damaged sizes must not blow it up.
  bs::RemoveElementsOutsideBoard(*p.Active());
  const std::vector<uint8_t> once = bs::EncodeProject(p);
  bs::TProject q;
  if (!bs::ReadProjectBytes(q, once.data(), once.size(), false, "again.bsm6").Ok) std::abort();
  return 0;
}
