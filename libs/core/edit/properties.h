// What the properties panel shows and writes, without any window: the
// selection split by kind, the values of each page with the properties the
// selected elements disagree on, the writing of a page's values to all
// elements of its kind, the thermal spoke masks as seen on screen, and the
// derived lines (current capacity, board area, spoke width).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/objekt.h"
#include "model/platine.h"

namespace bs {

// ---- the selection by kind ----

// The lists in the order of their pages.
enum TPropList { kListTht, kListSmd, kListText, kListCircle, kListTrack, kListZone, kListCount };
using TSelectionLists = std::array<TRefList, kListCount>;

// The selected elements of each kind, in list order. Hidden component labels
// are left out of the texts; kinds without a page are ignored.
TSelectionLists BuildSelectionLists(const TObjektList& elements);

// One line of the kind list: which list and how many elements it holds.
struct TKindLine {
  TPropList List = kListTht;
  size_t Count = 0;
};
// One line per non-empty list, in list order.
std::vector<TKindLine> KindLines(const TSelectionLists& lists);

// ---- values of the pages ----
//
// Read from a list, an empty optional means that the elements disagree (the
// field shows its mixed state); handed to an Apply function, it means that
// the property is left as it is. Lengths are in units, as doubles so that
// the rounding named for each property happens when it is written.
// Positions are relative to the board's zero point.

// Called for every element before it is written and again afterwards, so
// that the caller can repaint its old and its new area.
using TTouched = std::function<void(const TObjekt&)>;

// The apparent shape of a THT pad: an elongated shape counts as its twin
// when the pad stands upright (rotated by 45 ... 135 or 225 ... 315 degrees).
uint8_t ApparentPadShape(const TObjekt& pad);

// Thermal spoke masks. Stored masks are relative to the pad; the panel's
// buttons are screen directions (bit k - 1 for button k, (k - 1) x 45
// degrees clockwise from straight up).
uint8_t RotateMaskLeft(uint8_t mask, int n);
uint8_t RotateMaskRight(uint8_t mask, int n);
// round(pad rotation / 45), 8 taken as 0.
int SpokeSteps(const TObjekt& pad);
// The byte of ThermalSpokes the panel shows and edits: 0 for an SMD pad;
// the active layer's for a via with individual spokes, else the pad's own
// layer's; -1 when that layer is no copper layer.
int SpokeMaskByte(const TObjekt& pad, int activeLayer);
// The mask in screen directions (0 without a mask byte).
uint8_t ShownSpokes(const TObjekt& pad, int activeLayer);
// Stores a screen-direction mask: an SMD pad in byte 0 (the others 0); a THT
// pad in all four bytes unless ThermalIndividual is set, then only in the
// byte that SpokeMaskByte names.
void StoreSpokes(TObjekt& pad, uint8_t screenMask, int activeLayer);

// The thermal group of a single pad.
struct TThermalGroup {
  bool Shown = false;  // one pad, Thermal set, on a copper layer
  int Width = 100;     // ThermalWidth, percent
  bool Individual = false;
  uint8_t Spokes = 0;  // screen directions
};

struct TThtProps {
  bool Single = false;
  TDPoint Centre;                // written only for a single pad
  std::optional<uint8_t> Shape;  // apparent shape; shown only
  std::optional<double> Outer;   // diameters
  std::optional<double> Drill;
  std::optional<bool> Via;
  std::optional<bool> Thermal;
  bool AnyOnCopper = false;  // enables "Through pad" and "Thermal pad"
  bool LeaderVia = false;
  TThermalGroup Group;
};
TThtProps ReadThtPage(const TRefList& pads, const TPlatine& board);
// An outer diameter below the drill diameter (both as round(d / 2)) is
// raised to it. Returns whether it was.
bool RaiseOuterToDrill(TThtProps& v);
void ApplyThtPage(const TThtProps& v, const TRefList& pads, const TPlatine& board, const TTouched& touched);

struct TSmdProps {
  bool Single = false;
  TDPoint Centre;
  std::optional<double> SizeX;  // edge corner 0 - 1
  std::optional<double> SizeY;  // edge corner 1 - 2
  std::optional<bool> Thermal;
  bool AnyOnCopper = false;
  TThermalGroup Group;  // Individual unused
};
TSmdProps ReadSmdPage(const TRefList& pads, const TPlatine& board);
void ApplySmdPage(const TSmdProps& v, const TRefList& pads, const TPlatine& board, const TTouched& touched);

struct TTextProps {
  std::optional<TByteString> Text;
  std::optional<double> Height;
  std::optional<int32_t> Rotation;
  std::optional<bool> MirrorH, MirrorV;
  std::optional<int32_t> Style;      // 0 narrow, 1 normal, 2 wide
  std::optional<int32_t> Thickness;  // SizeB: 0 thin, 1 normal, 2 bold
  std::optional<bool> Cutout;
  int32_t ThinnestStroke = 0;  // the smallest first-stroke width
};
TTextProps ReadTextPage(const TRefList& texts);
// The height limit: raises the height to the least height of the thickness
// (the chosen one, else the smallest among the texts). Returns whether it
// raised it.
bool LimitPageTextHeight(TTextProps& v, const TRefList& texts);
// Rebuilds the strokes of every text; returns whether a component label was
// among them.
bool ApplyTextPage(const TTextProps& v, const TRefList& texts, const TTouched& touched);
// The smallest first-stroke width among the texts (0 without strokes).
int32_t ThinnestStroke(const TRefList& texts);
// Strokes thinner than this are marked in the panel.
inline constexpr int32_t kThinStroke = 1500;

struct TCircleProps {
  bool Single = false;
  TDPoint Centre;
  std::optional<double> Width;     // outer - inner radius
  std::optional<double> Diameter;  // outer + inner radius
  std::optional<double> Start;     // degrees
  std::optional<double> Stop;
  std::optional<bool> Fill;
  std::optional<bool> Cutout;
};
TCircleProps ReadCirclePage(const TRefList& circles, const TPlatine& board);
void ApplyCirclePage(const TCircleProps& v, const TRefList& circles, const TPlatine& board, const TTouched& touched);

struct TTrackProps {
  std::optional<double> Width;
  std::optional<bool> FlatStart;  // TrackEnds bit 0
  std::optional<bool> FlatEnd;    // bit 1
  std::optional<bool> Cutout;
};
TTrackProps ReadTrackPage(const TRefList& tracks);
void ApplyTrackPage(const TTrackProps& v, const TRefList& tracks, const TTouched& touched);
// The sum of the segment lengths of a track.
double TrackLength(const TObjekt& track);

struct TZoneProps {
  std::optional<double> Width;
  std::optional<bool> Hatch;
  std::optional<bool> HatchAuto;  // 1 "Outline", 0 "Self-defined"
  std::optional<double> HatchWidth;
  std::optional<bool> Cutout;
};
TZoneProps ReadZonePage(const TRefList& zones);
// Caps the hatch width at the smallest 2 x Width of the zones hatched with a
// width of their own. Returns whether it capped it.
bool CapHatchWidth(TZoneProps& v, const TRefList& zones);
void ApplyZonePage(const TZoneProps& v, const TRefList& zones, const TTouched& touched);

// ---- derived lines ----

// Up to `digits` significant digits, without exponent and trailing zeros.
std::string GeneralNumber(double v, int digits);
// The current a track carries: 0.7 x 5.25 x sqrt(t w (t + w) dT) amperes
// with t the copper thickness and w the width in mm.
double CurrentCapacity(double widthUnits, int copperMicrons, int temperatureRise);
// "2.51 A": three significant digits.
std::string CurrentCapacityText(double amperes);
// " * (35µ / 20°)": the settings the estimate rests on (UTF-8).
std::string CurrentSettingsText(int copperMicrons, int temperatureRise);
// The board area in cm², or in in² in mil mode, to 1/1000 and four
// significant digits, with its unit (UTF-8).
std::string BoardAreaText(int32_t width, int32_t height, TDisplayUnit unit);
// The spoke width of a pad at a width percentage, in mm rounded to 1/100.
double SpokeWidthMm(const TObjekt& pad, int percent);
// The spoke width as shown: the mm number with `mmSuffix`, or in mil to one
// decimal with " mil".
std::string SpokeWidthText(double mm, TDisplayUnit unit, const std::string& mmSuffix);

}  // namespace bs
