// Reading extended Gerber (RS-274X) files into elements of a board: the
// reader of one file, the joining of connected tracks and arcs, and the
// report of what a file held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/objekt.h"
#include "model/progress.h"
#include "model/types.h"

namespace bs {

// Files of this size or more are refused.
inline constexpr size_t kGerberMaxBytes = 4000000;

// A problem found in a file, with its line (1-based; 0 when it concerns the
// whole file).
struct TImportMessage {
  int Line = 0;
  std::string Text;
};

// What the reader found in one Gerber file.
struct TGerberReport {
  std::string Name;
  // Why nothing was read (missing, unreadable or oversized file); empty
  // when the file was read.
  std::string Refused;
  bool HasFormat = false;  // a format statement was seen
  bool Mm = false;
  bool TrailingZeros = false;  // trailing zeros omitted (else leading)
  bool Incremental = false;
  int IntX = 3, DecX = 4, IntY = 3, DecY = 4;
  // Elements created, by kind.
  size_t Tracks = 0, Arcs = 0, ThtPads = 0, SmdPads = 0, Zones = 0, Circles = 0;
  size_t Octagons = 0;      // zones recognised as octagonal pads
  size_t ClearCuts = 0;     // clear objects cut into dark copper
  size_t ClearDropped = 0;  // clear objects that had nothing to cut
  size_t Unsupported = 0;   // commands skipped because they are not understood
  size_t StepRepeats = 0;   // copies made by step and repeat
  // The board-sized dark rectangle under clear copper that our own writer
  // makes for a ground plane: the layer's plane comes back switched on,
  // spanning this rectangle (file coordinates in units, lower-left and
  // upper-right corner).
  bool GroundPlane = false;
  TDPoint PlaneMin, PlaneMax;
  // Errors (bad commands skipped, with their line); at most kMaxMessages are
  // kept, ErrorCount counts all.
  std::vector<TImportMessage> Errors;
  size_t ErrorCount = 0;
  size_t Elements() const { return Tracks + Arcs + ThtPads + SmdPads + Zones + Circles; }
};

inline constexpr size_t kMaxMessages = 50;

// A message cut to 200 characters (the commands quoted in messages may be
// long).
inline std::string ShortMessage(const std::string& s) { return s.size() <= 200 ? s : s.substr(0, 197) + "..."; }

// Reads one Gerber file's text: appends the elements it makes to `out`, all
// on `layer`, in file coordinates converted to units (y up, as in the file).
// A bad command is skipped and reported; the elements read stay.
TGerberReport ReadGerberText(std::string_view text, const std::string& name, uint8_t layer, TObjektList& out);

// The same for a file on disk; a missing, unreadable or oversized file is
// refused (Refused names why) and adds nothing.
TGerberReport ParseGerberFile(const std::string& path, uint8_t layer, TObjektList& out);

// Whether the text holds a format statement ("%FS").
bool LooksLikeGerber(std::string_view text);

// Joins tracks of one layer and width whose end points meet (rounded to
// whole units) into one track, and arcs of one layer, fill, centre and radii
// whose ends meet into one arc; the absorbed elements are deleted in one
// pass. Returns the number of elements deleted. `progress` may stop the
// track joining early; what was joined so far stays.
size_t JoinTracks(TObjektList& list, const TProgress* progress = nullptr);

}  // namespace bs
