#include "edit/text_io.h"

namespace bs {

std::vector<const TObjekt*> TextExportElements(const TBoard& board, bool& selected) {
  std::vector<const TObjekt*> out;
  for (const auto& e : board.Elements)
    if (e->Selected) out.push_back(e.get());
  selected = !out.empty();
  if (!selected)
    for (const auto& e : board.Elements) out.push_back(e.get());
  return out;
}

TTextPaste ReadTextForPaste(std::string_view text, const TTextImportDefaults& defaults) {
  TTextPaste out;
  TTextImportResult read = ReadTextExchange(text, defaults);
  if (!read.Ok) {
    out.Error = read.Error;
    return out;
  }
  CleanUpList(read.Elements);
  if (read.Elements.empty()) {
    out.Error = kNoValidTextData;
    return out;
  }
  for (auto& e : read.Elements) e->Selected = 0;
  out.Elements = std::move(read.Elements);
  return out;
}

}  // namespace bs
