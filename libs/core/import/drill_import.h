// Reading Excellon drill files: the guesses of unit and number format, the
// holes of a file, and putting them onto the pads and tracks of imported
// Gerber files.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/gerber_import.h"
#include "model/objekt.h"

namespace bs {

// Files of this size or more are refused.
inline constexpr size_t kDrillMaxBytes = 1000000;

enum class TDrillUnit { Inch, Mm };
// How coordinates without a decimal point are written: every digit present,
// leading zeros omitted, trailing zeros omitted, or with a decimal point.
enum class TDrillZeros { Fixed = 0, Leading = 1, Trailing = 2, Decimal = 3 };

const char* DrillZerosName(TDrillZeros z);

// The unit, number mode and digits to read a file with; what is not given
// comes from the file's header or, failing that, from the guesses.
struct TDrillSettings {
  std::optional<TDrillUnit> Unit;
  std::optional<TDrillZeros> Zeros;
  std::optional<int> IntDigits, DecDigits;
  bool CreateVias = true;
};

// The unit: from the header's declaration, else mm when any line holds
// "METRIC" or "M71", else inch.
TDrillUnit GuessDrillUnit(std::string_view text);
// The number mode from the header's declaration, else from the shape of the
// coordinates; `certain` tells whether the shape decided it.
TDrillZeros GuessDrillFormat(std::string_view text, bool* certain = nullptr);
// Whether the text defines at least one tool.
bool IsDrillFile(std::string_view text);

// One hole or slot in file coordinates converted to units.
struct TDrillHole {
  TDPoint At;
  double Diameter = 0;
  int Tool = 0;
  bool Slot = false;
  TDPoint End;  // slots: the other end
  int Line = 0;
};

struct TDrillReport {
  std::string Name;
  std::string Refused;  // why nothing was read; empty when read
  bool HasTools = false;
  TDrillUnit Unit = TDrillUnit::Inch;
  TDrillZeros Zeros = TDrillZeros::Fixed;
  int IntDigits = 2, DecDigits = 4;
  std::string FormatSource;     // "header", "guess" or "given"
  std::map<int, double> Tools;  // number -> diameter in units
  std::vector<TDrillHole> Holes;
  size_t Slots = 0;
  size_t RoutMoves = 0;  // moves in rout mode (they make no holes)
  size_t PadsDrilled = 0, TracksToPads = 0, SmdToPads = 0, NewHoles = 0, Vias = 0, SlotTracks = 0;
  size_t Skipped = 0;  // holes that made nothing (out of range)
  std::vector<TImportMessage> Errors;
  size_t ErrorCount = 0;
};

// Reads the holes of a drill file's text.
TDrillReport ReadDrillText(std::string_view text, const std::string& name, const TDrillSettings& settings);

// Puts the holes of the report onto the elements of `list` (the imported
// Gerber files): pads at a hole get its drill, a short track that is a
// flashed rounded pad becomes that pad, other holes become plain holes;
// with CreateVias pads on both outer copper layers at one hole become one
// via. Slots become tracks on the outline layer. Counts go into the report.
void ApplyDrillHoles(TDrillReport& rep, TObjektList& list, bool createVias);

// Reads a drill file and applies its holes; a missing, unreadable or
// oversized file is refused and changes nothing.
TDrillReport ParseDrillFile(const std::string& path, TObjektList& list, const TDrillSettings& settings);

}  // namespace bs
