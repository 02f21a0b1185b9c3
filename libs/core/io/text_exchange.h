// The text exchange format: elements as readable records, one per line
// ("KEYWORD,NAME=value,...;"), for other programs and scripts to generate or
// post-process layouts. Values are decimal integers in units; the y axis of
// the text points down. Texts are Windows-1251 bytes and pass through as they
// are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/messages.h"
#include "model/objekt.h"
#include "model/platine.h"
#include "model/types.h"

namespace bs {

// Shown when a file yields no element.
using msg::kNoValidTextData;

// The editor's state that fills in what a record leaves out.
struct TTextImportDefaults {
  uint8_t ActiveLayer = kLayerC2;             // layer of tracks and zones without "LAYER"
  int32_t TrackWidth = 2540;                  // current width of the track tool
  int32_t ZoneClearance = kDefaultClearance;  // default clearance of the ground-plane tool
};

struct TTextImportResult {
  bool Ok = false;
  std::string Error;     // "Line 3: ..." or kNoValidTextData; Elements is then empty
  TObjektList Elements;  // in file order, not cleaned up
  // The line where the record of each element starts; keyed by the element,
  // so that it stays right for the elements a clean-up leaves.
  std::unordered_map<const TObjekt*, int> Lines;
};

// One record without line end, e.g. "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=10000/20000;".
// Kinds without a record (legacy lines and texts) give an empty string.
std::string WriteTextExchangeRecord(const TObjekt& e);

// One line per element, each ended by CR LF (an empty line for kinds without
// a record).
std::string WriteTextExchange(const std::vector<const TObjekt*>& elements);

// Reads a whole file. Lines (ended by CR LF, LF or CR) are joined until the
// joined text ends with ";"; each joined text is one record. Records with an
// unknown keyword or without a comma yield nothing. A value that is not a
// number, a missing required field or a value out of range (beyond 32 bits;
// LAYER outside 0 ... 7, FORM outside 1 ... 9, STYLE and THICKNESS outside
// 0 ... 2) stops the import: the result then holds only the error, naming the
// line where the record starts.
// Text values are cut to the 255 bytes a project file keeps. The elements
// are returned as read; the caller cleans them up (tracks with fewer than two
// points, texts without strokes) before using them.
TTextImportResult ReadTextExchange(std::string_view text, const TTextImportDefaults& defaults);

// The size of a new board for imported elements (cleaned up): at least the
// board's own, grown so that elements reaching further right or down stay on
// it, but no side beyond kMaxBoardSide (500 mm); an element may then
// overhang the board as it may in the editor. An element lying wholly right
// of or below the largest board could never be placed: Error then names the
// line of its record and the import must stop.
struct TImportBoardSize {
  int32_t Width = 0;
  int32_t Height = 0;
  std::string Error;
};
TImportBoardSize ImportBoardSize(const TTextImportResult& read, const TPlatine& board);

}  // namespace bs
