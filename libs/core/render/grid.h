// The grid: grid values and their eight-digit codes, the built-in grid list
// and hotkeys, user grids, the grid texts of button and menu, the ruler
// ticks, and the drawing of grid lines or dots.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/platine.h"
#include "render/surface.h"

namespace bs {

// ---- grid value codes ----
//
// Grid values in menus, the user grid list and the hotkey table are stored
// as an eight-digit decimal "u dddddd p": u the unit of the digits (1 mm,
// 2 micrometre, 3 mil), dddddd six digits, p the digit (1 ... 6) before which
// the decimal separator goes, 0 for none. 10002545 is 2.54 mm, 23968753 is
// 39.6875 micrometres, 10000105 is 0.1 mm.

enum class TGridUnit : int { Mm = 1, Micrometre = 2, Mil = 3 };

// The value in millimetres; nothing for a code that is not of that form.
std::optional<double> DecodeGridValue(int32_t code);
// Grid step in units (mm * 10000); 0 for an invalid code.
double GridUnitsFromCode(int32_t code);
// The code of a typed value ("2.54", "0,5", "10") in the given unit: the
// separator removed, the digits padded on the left with zeros to six, and
// the separator's position in the padded digits appended. Nothing when the
// text is not a plain non-negative number or needs more than six digits.
std::optional<int32_t> EncodeGridValue(const std::string& typed, TGridUnit unit);

// ---- built-in grids and hotkeys ----

struct TGridPreset {
  int32_t Code;
  const char* Name;  // fraction of the 2.54 mm pitch ("RM") for the inch-based grids
};

inline constexpr std::array<TGridPreset, 8> kInchGrids{{
    {23968753, "1/64 RM"},  // 0.0396875 mm
    {10793751, "1/32 RM"},  // 0.079375 mm
    {10158752, "1/16 RM"},  // 0.15875 mm
    {10031753, "1/8 RM"},   // 0.3175 mm
    {10006354, "1/4 RM"},   // 0.635 mm
    {10001275, "1/2 RM"},   // 1.27 mm
    {10002545, "RM"},       // 2.54 mm
    {10005085, "2 RM"},     // 5.08 mm
}};

inline constexpr std::array<TGridPreset, 11> kMetricGrids{{
    {10000015, ""},  // 0.01 mm
    {10000025, ""},  // 0.02 mm
    {10000254, ""},  // 0.025 mm
    {10000055, ""},  // 0.05 mm
    {10000105, ""},  // 0.1 mm
    {10000205, ""},  // 0.2 mm
    {10000255, ""},  // 0.25 mm
    {10000505, ""},  // 0.5 mm
    {10000010, ""},  // 1 mm
    {10000020, ""},  // 2 mm
    {10000256, ""},  // 2.5 mm
}};

// Grid hotkeys 1 ... 9 (index 0 is key 1).
inline constexpr std::array<int32_t, 9> kDefaultGridHotkeys{
    10002545,  // 1: 2.54 mm
    10001275,  // 2: 1.27 mm
    10006354,  // 3: 0.635 mm
    10031753,  // 4: 0.3175 mm
    10158752,  // 5: 0.15875 mm
    10793751,  // 6: 0.079375 mm
    23968753,  // 7: 0.0396875 mm
    10000010,  // 8: 1 mm
    10000105,  // 9: 0.1 mm
};

// ---- user grids ----

inline constexpr double kUserGridMinMm = 0.001;
inline constexpr double kUserGridMaxMm = 10;

// Two grid values are the same when they differ by less than 1e-10 mm.
bool SameUserGrid(double mmA, double mmB);
// The grid menu checks the entry equal to the current grid after rounding
// both to 1e-8 mm.
bool GridMatches(double gridUnits, double mm);

// An empty text when a user grid of `mm` millimetres is allowed (0.001 ... 10
// mm), else the message to show.
std::string UserGridRangeError(double mm);

struct TUserGridInsert {
  int Index = -1;  // the new entry, or the equal one that already exists
  bool Inserted = false;
};
// Inserts a code into the list kept in ascending order of value, unless an
// equal value is already there.
TUserGridInsert InsertUserGrid(std::vector<int32_t>& list, int32_t code);

struct TUserGridAdd {
  std::string Error;  // shown to the user; the dialog stays open
  int Index = -1;     // the entry to choose
  bool Inserted = false;
};
// The user grid dialog's "Add": encodes the typed value, checks its range
// and inserts it.
TUserGridAdd AddUserGrid(std::vector<int32_t>& list, const std::string& typed, TGridUnit unit);

// ---- grid texts (UTF-8) ----

// In mil: rounded to 5 decimals, 6 - (integer digits) decimals with trailing
// zeros and separator removed, then " mil". In mm: the same trimming; values
// below 1 mm with more than 4 decimals are shown in micrometres, others in
// millimetres, with the signs of the interface language.
std::string GridValueText(double mm, TDisplayUnit unit, TLanguage language);
// A menu entry: the value in the base unit, then " (" the other unit ")".
std::string GridMenuText(double mm, TDisplayUnit base, TLanguage language);
// The grid button: the base-unit text padded on the left with blanks to 11
// characters (mil) or 9 (mm).
std::string GridButtonText(double mm, TDisplayUnit base, TLanguage language);

// ---- rulers ----

// The ruler's major step e (micrometres, or tenths of a mil) and the step r
// its ticks are visited in, chosen by the pixels per millimetre (per 100 mil).
struct TRulerScale {
  int PixelsPerStep = 0;  // d
  int Major = 0;          // e
  int Step = 0;           // r
};
TRulerScale RulerScale(double zoom, TDisplayUnit unit);

struct TRulerTick {
  int Position = 0;   // pixels from the ruler's start
  int Length = 0;     // 4, 8 or 14 pixels, from the ruler's inner edge
  std::string Label;  // only on 14-pixel ticks; drawn 4 pixels right of the tick
  friend bool operator==(const TRulerTick&, const TRulerTick&) = default;
};

inline constexpr int kRulerLabelMargin = 23;

// The ticks of a ruler of `length` pixels whose pixel 0 lies at the
// viewport's pixel 0. `zero` is the zero point's model coordinate along the
// ruler (OriginX, or OriginY for the vertical ruler), `scroll` the scroll
// position along it. Labels give the distance from the zero point (mm, or
// mil); the vertical ruler shows it without sign. Major ticks closer than 23
// pixels to the ruler's start are left out.
std::vector<TRulerTick> RulerTicks(double zoom, TDisplayUnit unit, double zero, int length, int scroll, bool vertical);
std::vector<TRulerTick> HorizontalRulerTicks(const TPlatine& board, TDisplayUnit unit, int length);
std::vector<TRulerTick> VerticalRulerTicks(const TPlatine& board, TDisplayUnit unit, int length);

// ---- grid drawing ----

struct TGridStyle {
  bool Dots = false;    // dots at the crossings instead of lines
  int MarkerEvery = 4;  // marker every N steps from the zero point; 0: none
  TColour LineColour = 0x464646;
  TColour DotColour = 0xAAAAAA;
};

// Whether the grid is drawn at this zoom: grid lines must be more than six
// pixels (of at least one unit) apart.
bool GridDrawn(const TPlatine& board);

// Draws the grid of the board onto a surface whose pixel (0, 0) is the
// visible area's top-left (ModelToPixel). Only the board's part of the
// surface is drawn on, and only rows and columns inside it (grown by 2p + 1
// units, p = units per pixel) are visited.
void DrawGrid(TSurface& surface, const TPlatine& board, const TGridStyle& style);

}  // namespace bs
