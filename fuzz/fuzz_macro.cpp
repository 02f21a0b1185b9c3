// Macro files: read, and what was read must write back.
#include <cstdlib>

#include "io/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bs::TMacro m;
  if (!bs::ReadMacroBytes(data, size, m).Ok) return 0;
  const std::vector<uint8_t> bytes = bs::EncodeMacro(m.Elements, false, m.Text1, m.Text2);
  bs::TMacro again;
  if (!bs::ReadMacroBytes(bytes.data(), bytes.size(), again).Ok) std::abort();
  return 0;
}
