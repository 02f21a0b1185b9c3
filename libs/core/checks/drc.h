// The design rule check: its rules and their settings, the findings, the
// run over the whole board or a part of it, and what a finding list needs
// to show a finding (its text, the track outlines, the view to zoom to).
// The check only reads the board.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/ini_file.h"
#include "model/geometry.h"
#include "model/progress.h"
#include "project/project.h"
#include "render/view.h"

namespace bs {

// What a finding reports (its kind byte).
enum TDrcKind : uint8_t {
  kDrcKindCopper = 0,  // copper of two nets too close, or a gap to the ground plane too small
  kDrcKindDrillDistance = 1,
  kDrcKindDrillTooSmall = 2,
  kDrcKindDrillTooLarge = 3,
  kDrcKindTrackTooThin = 4,
  kDrcKindRingTooSmall = 5,
  kDrcKindSilkscreenOverPad = 6,
  kDrcKindDrillingOnSmdPad = 7,
  kDrcKindSolderMask = 8,  // a pad without solder mask, or other copper with a mask opening
  kDrcKindSilkscreenTooThin = 10,
};

// The rules: a switch per rule and a limit in units where the rule has one.
// The members carry the names of their keys in the settings section "DRC".
struct TDrcRules {
  bool Kupfer = true;  // copper distance and ground-plane gap
  int32_t WKupfer = 1500;
  bool Bohrungen = true;  // distance between drillings
  int32_t WBohrungen = 5000;
  bool BohrMin = true;
  int32_t WBohrMin = 3000;
  bool BohrMax = true;
  int32_t WBohrMax = 80000;
  bool TrackMin = true;
  int32_t WTrackMin = 2000;
  bool RingMin = true;  // annular ring
  int32_t WRingMin = 2000;
  bool BestMin = true;  // silkscreen line width
  int32_t WBestMin = 1500;
  bool SilkOnPad = true;
  bool HoleOnSMD = true;
  bool PadOhneLS = true;  // pads without solder mask
  bool LSFremd = true;    // solder-mask openings outside pads
  friend bool operator==(const TDrcRules&, const TDrcRules&) = default;
};

inline constexpr const char* kDrcSection = "DRC";
// The longest limit a rule takes: 99.99 mm.
inline constexpr int32_t kDrcMaxLength = 999900;

// One key of the section: a switch or a limit of TDrcRules.
struct TDrcKey {
  const char* Name;
  bool TDrcRules::*Flag = nullptr;       // a switch
  int32_t TDrcRules::*Length = nullptr;  // a limit in units
};
// Every key, in the order they are written.
const std::vector<TDrcKey>& DrcKeys();
// The key of that name (ASCII case ignored), or null.
const TDrcKey* FindDrcKey(std::string_view name);

// Switches are stored as booleans, limits as whole units. A missing key or
// a value that is no number keeps the default; limits are held to
// 0 ... kDrcMaxLength.
TDrcRules ReadDrcRules(const TIniFile& ini);
void WriteDrcRules(TIniFile& ini, const TDrcRules& rules);

// The outline of one track segment: the segment with half circles at both
// ends, 9 points each.
using TDrcOutline = std::array<TIPoint, 18>;

struct TDrcFinding {
  // The area to hatch and to zoom to, in units (Left <= Right, Top <= Bottom).
  TURect Marker;
  // For track findings: the outline of each segment, drawn instead of the
  // marker. Empty for every other finding.
  std::vector<TDrcOutline> Outline;
  uint8_t Kind = kDrcKindCopper;
  // The layer of the finding; its colour marks the line in the list.
  int32_t Layer = 0;
  // Kind 0: the element's gap to the ground plane is too small (rather
  // than two nets too close).
  bool PlaneGap = false;
  // Kind 8: a pad without solder mask (rather than other copper with a
  // solder-mask opening).
  bool PadWithoutMask = false;
  // The elements concerned, as list positions: the one the check walked
  // and, for a pair, the other one; -1 for none.
  int32_t First = -1;
  int32_t Second = -1;
  friend bool operator==(const TDrcFinding&, const TDrcFinding&) = default;
};

struct TDrcResult {
  std::vector<TDrcFinding> Findings;  // in the order found
  bool Aborted = false;               // stopped early; the findings so far are kept
};

// The run area of "Complete...": x 0 ... width, y -height ... 0.
TURect DrcCompleteArea(const TPlatine& board);
// The run area of "Window...": what a viewport of that size shows at the
// board's zoom and scroll positions.
TURect DrcWindowArea(const TPlatine& board, TViewport viewport);

// Runs the enabled checks in this order: drill distance; drill sizes and
// annular ring; track width; silkscreen width; copper distance and
// ground-plane gap; silkscreen over pads; drilling on SMD pads; solder
// mask. Only elements whose rectangle meets the area are checked, and
// only findings whose marker meets it are kept. Each check reports one
// progress step per element of the list (total: the element count) and
// polls the abort once per element; an abort stops the check and skips
// the rest.
TDrcResult RunDrc(const TBoard& board, const TDrcRules& rules, const TURect& area, const TProgress& progress = {});

// The marker of most findings from the rectangle of what they concern:
// grown by 2000 units on every side, then widened (and heightened)
// symmetrically to about 5000 units when smaller.
TURect GrowDrcMarker(TURect r);

// The outline of each segment of a track widened by 4000 units.
std::vector<TDrcOutline> DrcTrackOutline(const TObjekt& track);

// Where a double click on a finding zooms to: the marker grown by twice
// its width on every side and cut to the board. Nothing when that is
// narrower or lower than 5000 units. The zoom is not normalised; Centre is
// a model point written (x, -y), as SetZoom takes it (a view that shows
// the board mirrored takes width - x instead of x).
struct TDrcZoom {
  double Zoom = 0;
  TDPoint Centre;
};
std::optional<TDrcZoom> DrcZoomToFinding(const TURect& marker, const TPlatine& board, TViewport window);

// The English line of a finding (a core text; the editor translates it).
const char* DrcFindingText(const TDrcFinding& f);
// The English caption after a run: the number of findings and "errors".
std::string DrcCountCaption(size_t count);

}  // namespace bs
