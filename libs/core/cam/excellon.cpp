#include "cam/excellon.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "cam/gerber.h"
#include "model/atomic_file.h"
#include "model/messages.h"

namespace bs {

namespace {
// Digits after the decimal point of a format, and the fixed width of its
// numbers.
int Decimals(TExcellonFormat f) { return f == TExcellonFormat::Mm32 ? 2 : f == TExcellonFormat::Mm33 ? 3 : 4; }
size_t FixedWidth(TExcellonFormat f) { return f == TExcellonFormat::Mm32 ? 5 : 6; }

// The steps a coordinate is written in: thousandths of an inch (written with
// four decimals), or hundredths of a millimetre (with a third decimal 0 in
// 3.3). Every format holds five digits of them.
double Steps(double v, TExcellonFormat f) { return f == TExcellonFormat::Inch24 ? v / kUnitsPerInch * 1000 : v / 100; }
constexpr double kMaxSteps = 99999;
}  // namespace

bool ExcellonFits(double v, TExcellonFormat format) {
  // Rounded as written (halves away from zero); NaN does not fit either.
  return std::fabs(std::round(Steps(v, format))) <= kMaxSteps;
}

std::string ExcellonNumber(long long v, const TExcellonOptions& opt) {
  const long long n = std::llround(Steps(double(v), opt.Format));
  const bool appendZero = opt.Format != TExcellonFormat::Mm32;
  const bool negative = n < 0;
  std::string digits = std::to_string(negative ? -n : n);
  if (appendZero) digits += "0";
  if (!opt.DeleteLeadingZeros) {
    const size_t w = FixedWidth(opt.Format);
    if (digits.size() < w) digits.insert(0, w - digits.size(), '0');
    digits = digits.substr(digits.size() - w);
  }
  if (opt.DecimalPoint) {
    const size_t k = size_t(Decimals(opt.Format));
    if (digits.size() < k) digits.insert(0, k - digits.size(), '0');
    digits.insert(digits.size() - k, ".");
  }
  return negative ? "-" + digits : digits;
}

std::string ExcellonToolDiameter(int32_t d, TExcellonFormat format) {
  const bool inch = format == TExcellonFormat::Inch24;
  const double scale = inch ? 10000 : 1000;
  const double v = std::round(double(d) / (inch ? kUnitsPerInch : kUnitsPerMm) * scale) / scale;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4g", v);
  std::string s = buf;
  if (s.find('.') == std::string::npos && s.find('e') == std::string::npos) s += ".0";
  return s;
}

namespace {
// The drill file; `unfit` receives the first coordinate (in units) that does
// not fit the number format.
std::string DrillFile(const TBoard& board, const TDrillList& list, const TExcellonOptions& opt,
                      std::optional<double>& unfit) {
  std::string out;
  const auto line = [&](const std::string& l) {
    out += l;
    out += "\r\n";
  };
  const bool inch = opt.Format == TExcellonFormat::Inch24;
  if (!opt.NoComments) {
    line("; Drill file");
    line(opt.Format == TExcellonFormat::Mm32   ? "; Format: 3.2 (000.00)"
         : opt.Format == TExcellonFormat::Mm33 ? "; Format: 3.3 (000.000)"
                                               : "; Format: 2.4 (00.0000)");
  }
  line("M48");
  if (inch) {
    line(opt.M71 ? "M72" : "INCH");
  } else if (!opt.M71) {
    // Readers assume other millimetre formats than ours unless told: the
    // unit line names the format.
    line(opt.Format == TExcellonFormat::Mm32 ? "METRIC,000.00" : "METRIC,000.000");
  } else {
    // M71 has no room for the format; the format comment that readers
    // understand follows it.
    line("M71");
    line(opt.Format == TExcellonFormat::Mm32 ? ";FILE_FORMAT=3:2" : ";FILE_FORMAT=3:3");
  }
  // Tool numbers have at least two digits.
  const auto toolName = [](size_t i) {
    const std::string n = std::to_string(i + 1);
    return "T" + (n.size() < 2 ? "0" + n : n);
  };
  for (size_t i = 0; i < list.size(); ++i) line(toolName(i) + "C" + ExcellonToolDiameter(list[i].Diameter, opt.Format));
  line("%");
  line("G05");
  if (!opt.NoG90) line("G90");

  const TPlatine& p = board.Platine;
  TCamMapping map = CamMapping(p, opt.UseOrigin, opt.Mirror == TExcellonMirror::Gerber);
  if (opt.Mirror == TExcellonMirror::Hpgl) {
    // About the middle of the layout's extent: its left and right edges
    // change places.
    const TURect r = AllBounds(board.Elements, p);
    map.Mirror = true;
    map.MirrorWidth = (double(r.Left) - map.OriginX) + (double(r.Right) - map.OriginX);
  }
  for (size_t i = 0; i < list.size(); ++i) {
    line(toolName(i));
    for (const TObjekt* h : list[i].Holes) {
      const TDPoint q = map.Map(h->Pos.X, h->Pos.Y);
      // The numbers are taken from whole units, as ExcellonNumber gets them.
      for (double v : {q.X, q.Y})
        if (!unfit && !ExcellonFits(std::round(v), opt.Format)) unfit = v;
      line("X" + ExcellonNumber(std::llround(q.X), opt) + "Y" + ExcellonNumber(std::llround(q.Y), opt));
    }
  }
  line("M30");
  return out;
}
}  // namespace

std::string ExcellonText(const TBoard& board, const TDrillList& list, const TExcellonOptions& opt) {
  std::optional<double> unfit;
  return DrillFile(board, list, opt, unfit);
}

std::string WriteExcellonFile(const std::string& path, const TBoard& board, const TDrillList& list,
                              const TExcellonOptions& opt) {
  std::optional<double> unfit;
  const std::string text = DrillFile(board, list, opt, unfit);
  if (unfit) return CoordinateDoesNotFit(*unfit, path);
  if (std::string reason; !WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()), &reason))
    return FormatMessage(msg::kCannotWriteBecause, {path, reason});
  return {};
}

}  // namespace bs
