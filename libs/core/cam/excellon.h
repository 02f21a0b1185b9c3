// Excellon drill files: number formats, the tool table and the holes of a
// drill list.
#pragma once

#include <cstdint>
#include <string>

#include "cam/drill_list.h"

namespace bs {

enum class TExcellonFormat { Mm32, Mm33, Inch24 };
// Drilling from the bottom mirrors X like the Gerber files, or about the
// extent of the layout like the milling files.
enum class TExcellonMirror { None, Gerber, Hpgl };

struct TExcellonOptions {
  TExcellonFormat Format = TExcellonFormat::Inch24;
  bool DeleteLeadingZeros = false;
  bool DecimalPoint = false;
  bool M71 = false;  // "M71"/"M72" instead of "METRIC"/"INCH"
  bool NoComments = false;
  bool NoG90 = false;
  TExcellonMirror Mirror = TExcellonMirror::None;
  bool UseOrigin = true;  // coordinates relative to the board's zero point
};

// A coordinate of v units in the chosen number format.
std::string ExcellonNumber(long long v, const TExcellonOptions& opt);
// A tool diameter: millimetres to 3 decimals or inches to 4, at most four
// significant digits, always with a decimal point ("1.0", "0.8", "0.035").
std::string ExcellonToolDiameter(int32_t d, TExcellonFormat format);

// The whole drill file for a drill list of the board (lines end in CR LF).
std::string ExcellonText(const TBoard& board, const TDrillList& list, const TExcellonOptions& opt);

}  // namespace bs
