// The editor's two text-exchange commands on top of the file format: which
// elements an export writes, and the elements an import hands to the paste.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/text_exchange.h"
#include "model/objekt_list.h"
#include "project/project.h"

namespace bs {

// The elements an export writes, in list order: the selected ones, or every
// element of the board when none is selected. `selected` tells which.
std::vector<const TObjekt*> TextExportElements(const TBoard& board, bool& selected);

// A file's text read for pasting: parsed with the editor's defaults and
// cleaned up (tracks with fewer than two points, texts without strokes go)
// before the empty test. On failure Error holds the message (the line of a
// bad record, or "No valid data found.") and Elements is empty.
struct TTextPaste {
  TObjektList Elements;
  std::string Error;
};
TTextPaste ReadTextForPaste(std::string_view text, const TTextImportDefaults& defaults);

}  // namespace bs
