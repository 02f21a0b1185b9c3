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

// A coordinate of v units in the chosen number format. A value that does
// not fit it (ExcellonFits) keeps only its last digits.
std::string ExcellonNumber(long long v, const TExcellonOptions& opt);
// Whether a coordinate of v units keeps all its digits in the format: every
// format has five digits before its appended or implied last one, so mm 3.2
// and 3.3 reach 999.99 mm and inch 2.4 reaches 99.999 inches.
bool ExcellonFits(double v, TExcellonFormat format);
// A tool diameter: millimetres to 3 decimals or inches to 4, at most four
// significant digits, always with a decimal point ("1.0", "0.8", "0.035").
std::string ExcellonToolDiameter(int32_t d, TExcellonFormat format);

// The whole drill file for a drill list of the board (lines end in CR LF).
// A hole whose coordinate does not fit the number format is written cut;
// WriteExcellonFile refuses such a file.
std::string ExcellonText(const TBoard& board, const TDrillList& list, const TExcellonOptions& opt);

// Writes the drill file to `path`, replacing an existing file only with a
// complete new one. Returns an error message, empty on success. A hole
// whose coordinate does not fit the number format writes nothing: the
// message names the position (msg::kCoordinateDoesNotFit).
std::string WriteExcellonFile(const std::string& path, const TBoard& board, const TDrillList& list,
                              const TExcellonOptions& opt);

}  // namespace bs
