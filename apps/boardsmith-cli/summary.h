// Counting what a board or element list holds, for info.
#pragma once

#include <map>
#include <string>

#include "model/objekt.h"

namespace bs::cli {

const char* KindName(uint8_t kind);

struct TListSummary {
  size_t total = 0;
  std::map<std::string, size_t> byKind;
  std::map<int, size_t> byLayer;
  size_t connections = 0;  // rubber-band pairs
  size_t routed = 0;
  size_t components = 0;
  size_t groups = 0;
};
TListSummary Summarise(const TObjektList& list);

}  // namespace bs::cli
