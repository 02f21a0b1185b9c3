// Text exchange files: parse, and what was parsed must write back.
#include <string_view>

#include "io/text_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bs::TTextImportResult r = bs::ReadTextExchange(text, {});
  if (!r.Ok) return 0;
  std::vector<const bs::TObjekt*> list;
  for (const auto& e : r.Elements) list.push_back(e.get());
  bs::ReadTextExchange(bs::WriteTextExchange(list), {});
  return 0;
}
