#include "import/drill_import.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <unordered_map>

#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/read_file.h"

namespace bs {

namespace {
constexpr double kDefaultDiameter = 8000;  // 0.8 mm for a tool never defined
constexpr size_t kMaxTools = 10000;
constexpr size_t kMaxHoles = 2000000;
constexpr long kMaxRepeat = 100000;
constexpr double kMaxUnits = 1e7;

std::string Trim(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct TLine {
  std::string Text;
  int Number;
};

// The trimmed, non-empty lines.
std::vector<TLine> Lines(std::string_view text) {
  std::vector<TLine> out;
  size_t pos = 0;
  int n = 0;
  while (pos <= text.size()) {
    size_t e = text.find('\n', pos);
    if (e == std::string_view::npos) e = text.size();
    ++n;
    std::string l = Trim(text.substr(pos, e - pos));
    if (!l.empty()) out.push_back({std::move(l), n});
    pos = e + 1;
  }
  return out;
}

std::optional<double> Decimal(std::string_view s) {
  if (s.empty() || s.size() > 40) return std::nullopt;
  std::string t(s);
  std::replace(t.begin(), t.end(), ',', '.');
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// What the header declares.
struct THeader {
  std::optional<TDrillUnit> Unit;
  std::optional<TDrillZeros> Zeros;
  std::optional<int> Int, Dec;
};

THeader ReadHeader(const std::vector<TLine>& lines) {
  THeader h;
  for (const TLine& l : lines) {
    const std::string u = Upper(l.Text);
    if (u[0] == ';') {
      // ";FILE_FORMAT=I:D" and "; FORMAT={I:D/ absolute / metric / decimal}".
      const size_t ff = u.find("FILE_FORMAT=");
      if (ff != std::string::npos && ff + 14 < u.size() + 1) {
        const std::string f = u.substr(ff + 12);
        if (f.size() >= 3 && std::isdigit((unsigned char)f[0]) && f[1] == ':' && std::isdigit((unsigned char)f[2])) {
          h.Int = f[0] - '0';
          h.Dec = f[2] - '0';
        }
      }
      const size_t fm = u.find("FORMAT={");
      if (fm != std::string::npos) {
        const std::string f = u.substr(fm + 8);
        if (f.size() >= 3 && std::isdigit((unsigned char)f[0]) && f[1] == ':' && std::isdigit((unsigned char)f[2])) {
          h.Int = f[0] - '0';
          h.Dec = f[2] - '0';
        }
        if (f.find("DECIMAL") != std::string::npos) h.Zeros = TDrillZeros::Decimal;
        else if (f.find("SUPPRESS LEADING") != std::string::npos) h.Zeros = TDrillZeros::Leading;
        else if (f.find("SUPPRESS TRAILING") != std::string::npos) h.Zeros = TDrillZeros::Trailing;
        else if (f.find("KEEP ZEROS") != std::string::npos) h.Zeros = TDrillZeros::Fixed;
        if (f.find("METRIC") != std::string::npos) h.Unit = TDrillUnit::Mm;
        else if (f.find("INCH") != std::string::npos) h.Unit = TDrillUnit::Inch;
      }
      continue;
    }
    if (u.rfind("METRIC", 0) == 0 || u.rfind("INCH", 0) == 0 || u == "M71" || u == "M72") {
      h.Unit = (u[0] == 'M' && u != "M72") ? TDrillUnit::Mm : TDrillUnit::Inch;
      // LZ: leading zeros written, so trailing ones are left out; TZ the
      // opposite.
      if (u.find(",LZ") != std::string::npos) h.Zeros = TDrillZeros::Trailing;
      else if (u.find(",TZ") != std::string::npos) h.Zeros = TDrillZeros::Leading;
      const size_t dot = u.find('.');
      if (dot != std::string::npos) {
        size_t a = dot, b = dot + 1;
        while (a > 0 && u[a - 1] == '0') --a;
        while (b < u.size() && u[b] == '0') ++b;
        if (dot - a > 0 && b - dot - 1 > 0 && dot - a < 10 && b - dot - 1 < 10) {
          h.Int = int(dot - a);
          h.Dec = int(b - dot - 1);
        }
      }
    }
    if (u == "%" || u == "M95") break;
  }
  return h;
}

// The text after `letter` up to the next letter.
std::string Field(const std::string& u, size_t at) {
  size_t e = at + 1;
  while (e < u.size() &&
         (std::isdigit((unsigned char)u[e]) || u[e] == '.' || u[e] == ',' || u[e] == '+' || u[e] == '-' || u[e] == ' '))
    ++e;
  return Trim(u.substr(at + 1, e - at - 1));
}

std::string Unsigned(std::string s) {
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.erase(0, 1);
  return s;
}
}  // namespace

const char* DrillZerosName(TDrillZeros z) {
  switch (z) {
    case TDrillZeros::Fixed: return "fixed";
    case TDrillZeros::Leading: return "leading";
    case TDrillZeros::Trailing: return "trailing";
    default: return "decimal";
  }
}

TDrillUnit GuessDrillUnit(std::string_view text) {
  const std::vector<TLine> lines = Lines(text);
  if (const THeader h = ReadHeader(lines); h.Unit) return *h.Unit;
  for (const TLine& l : lines) {
    const std::string u = Upper(l.Text);
    if (u.find("METRIC") != std::string::npos || u.find("M71") != std::string::npos) return TDrillUnit::Mm;
  }
  return TDrillUnit::Inch;
}

TDrillZeros GuessDrillFormat(std::string_view text, bool* certain) {
  if (certain) *certain = true;
  const std::vector<TLine> lines = Lines(text);
  if (const THeader h = ReadHeader(lines); h.Zeros) return *h.Zeros;
  std::vector<std::string> nums;
  for (const TLine& l : lines) {
    const std::string u = Upper(l.Text);
    if (u[0] != 'X') continue;
    const size_t y = u.find('Y');
    if (y == std::string::npos) continue;
    nums.push_back(Unsigned(Trim(u.substr(1, y - 1))));
    nums.push_back(Unsigned(Field(u, y)));
  }
  if (nums.empty()) {
    if (certain) *certain = false;
    return TDrillZeros::Fixed;
  }
  bool anyDot = false, sameLength = true, anyStart0 = false, anyEnd0 = false;
  for (const std::string& n : nums) {
    anyDot = anyDot || n.find_first_of(".,") != std::string::npos;
    sameLength = sameLength && n.size() == nums[0].size();
    if (!n.empty()) {
      anyStart0 = anyStart0 || n.front() == '0';
      anyEnd0 = anyEnd0 || n.back() == '0';
    }
  }
  if (anyDot) return TDrillZeros::Decimal;
  if (sameLength) return TDrillZeros::Fixed;
  if (!anyStart0 && anyEnd0) return TDrillZeros::Leading;
  if (!anyEnd0 && anyStart0) return TDrillZeros::Trailing;
  if (certain) *certain = false;
  return TDrillZeros::Fixed;
}

bool IsDrillFile(std::string_view text) {
  for (const TLine& l : Lines(text)) {
    const std::string u = Upper(l.Text);
    if (u[0] == 'T' && u.find('C') != std::string::npos) return true;
  }
  return false;
}

namespace {
class TDrillReader {
 public:
  TDrillReader(TDrillReport& rep) : rep_(rep) {}

  void Error(int line, const std::string& t) {
    ++rep_.ErrorCount;
    if (rep_.Errors.size() < kMaxMessages) rep_.Errors.push_back({line, ShortMessage(t)});
  }

  double K() const { return rep_.Unit == TDrillUnit::Mm ? kUnitsPerMm : kUnitsPerInch; }

  // A coordinate in units, or nothing for a bad one.
  std::optional<double> Number(const std::string& text, int line) {
    std::string s = text;
    bool negative = false;
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (!s.empty() && s[0] == '-') {
      negative = true;
      s.erase(0, 1);
    }
    if (s.empty() || s.size() > 18) {
      Error(line, "bad coordinate '" + text + "'");
      return std::nullopt;
    }
    double v = 0;
    if (s.find_first_of(".,") != std::string::npos) {
      const auto d = Decimal(s);
      if (!d) {
        Error(line, "bad coordinate '" + text + "'");
        return std::nullopt;
      }
      v = *d;
    } else {
      if (!std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit((unsigned char)c); })) {
        Error(line, "bad coordinate '" + text + "'");
        return std::nullopt;
      }
      const int I = rep_.IntDigits, D = rep_.DecDigits;
      if (rep_.Zeros == TDrillZeros::Leading) {
        int64_t n = 0;
        for (char c : s) n = n * 10 + (c - '0');
        v = double(n) / std::pow(10.0, D);
      } else {
        // Fixed and trailing omission: the first I digits are the integer
        // part.
        while (s.size() < size_t(I)) s.push_back('0');
        int64_t ip = 0, fp = 0;
        for (size_t k = 0; k < size_t(I); ++k) ip = ip * 10 + (s[k] - '0');
        for (size_t k = size_t(I); k < s.size(); ++k) fp = fp * 10 + (s[k] - '0');
        v = double(ip) + double(fp) / std::pow(10.0, double(s.size() - size_t(I)));
      }
    }
    if (negative) v = -v;
    if (!(std::fabs(v * K()) <= kMaxUnits)) {
      Error(line, "coordinate '" + text + "' beyond one metre");
      return std::nullopt;
    }
    return v * K();
  }

  // Reads X and Y of a line into `at`; false for a bad number.
  bool Coordinates(const std::string& u, size_t from, size_t to, TDPoint& at, int line) {
    for (size_t k = from; k < to; ++k) {
      if (u[k] != 'X' && u[k] != 'Y') continue;
      const std::string f = Field(u, k);
      const auto v = Number(f, line);
      if (!v) return false;
      double& c = u[k] == 'X' ? at.X : at.Y;
      c = incremental_ ? c + *v : *v;
    }
    return true;
  }

  void DefineTool(const std::string& u, int line, bool select) {
    size_t k = 1;
    long n = 0;
    while (k < u.size() && std::isdigit((unsigned char)u[k]) && k < 8) n = n * 10 + (u[k++] - '0');
    const size_t c = u.find('C', k);
    const std::string f = Field(u, c);
    const auto d = Decimal(f);
    if (!d || *d < 0 || *d * K() > kMaxUnits) {
      Error(line, "bad tool diameter in '" + u + "'");
      return;
    }
    if (rep_.Tools.size() >= kMaxTools && !rep_.Tools.count(int(n))) {
      Error(line, "too many tools");
      return;
    }
    rep_.Tools[int(n)] = std::max(5.0, std::round(*d * K()));
    if (select) Select(int(n), line);
  }

  void Select(int n, int line) {
    tool_ = n;
    if (n == 0) return;
    const auto it = rep_.Tools.find(n);
    if (it == rep_.Tools.end()) {
      if (commentTools_.count(n)) {
        rep_.Tools[n] = commentTools_[n];
      } else {
        Error(line, "tool T" + std::to_string(n) + " is not defined; 0.8 mm is used");
        rep_.Tools[n] = kDefaultDiameter;
      }
    }
  }

  void Hole(TDPoint at, int line) {
    if (rep_.Holes.size() >= kMaxHoles) {
      if (!tooMany_) Error(line, "too many holes; the rest are skipped");
      tooMany_ = true;
      ++rep_.Skipped;
      return;
    }
    TDrillHole h;
    h.At = at;
    h.Tool = tool_;
    h.Diameter = rep_.Tools.count(tool_) ? rep_.Tools[tool_] : kDefaultDiameter;
    h.Line = line;
    rep_.Holes.push_back(h);
  }

  void Slot(TDPoint a, TDPoint b, int line) {
    Hole(a, line);
    if (tooMany_) return;
    rep_.Holes.back().Slot = true;
    rep_.Holes.back().End = b;
    ++rep_.Slots;
  }

  void Run(const std::vector<TLine>& lines) {
    // Tool sizes that some writers give only in comments
    // (";T01 Holesize 1. = 12.000000 ... MILS").
    for (const TLine& l : lines) {
      const std::string u = Upper(l.Text);
      if (u.size() < 3 || u[0] != ';' || u[1] != 'T') continue;
      const size_t eq = u.find("HOLESIZE"), is = u.find('=');
      if (eq == std::string::npos || is == std::string::npos) continue;
      const int n = std::atoi(u.c_str() + 2);
      const auto d = Decimal(Trim(u.substr(is + 1, u.find_first_of(" \t", is + 2) - is - 1)));
      if (!d || n <= 0) continue;
      const double k = u.find("MILS") != std::string::npos ? kUnitsPerMil
                       : u.find("MM") != std::string::npos ? kUnitsPerMm
                                                           : kUnitsPerInch;
      if (*d * k <= kMaxUnits) commentTools_[n] = std::max(5.0, std::round(*d * k));
    }
    bool rout = false, down = false, header = false, routCut = false;
    TDPoint at{0, 0};
    TDPoint lastHole = at;
    bool anyHole = false;
    for (const TLine& l : lines) {
      const std::string u = Upper(l.Text);
      if (u[0] == ';') continue;
      if (u == "M48") {
        header = true;
        continue;
      }
      if (u == "%" || u == "M95") {
        header = false;
        continue;
      }
      if (u == "M30" || u == "M00") break;
      if (u == "ICI,ON" || u == "G91") {
        incremental_ = true;
        continue;
      }
      if (u == "ICI,OFF" || u == "G90") {
        incremental_ = false;
        continue;
      }
      if (u[0] == 'T') {
        // A definition in the header only defines; in the body it also
        // selects the tool.
        if (u.find('C') != std::string::npos) DefineTool(u, l.Number, !header);
        else Select(std::atoi(u.c_str() + 1), l.Number);
        continue;
      }
      if (u.rfind("G05", 0) == 0 || u.rfind("G81", 0) == 0) {
        rout = false;
        if (u.size() == 3) continue;
      }
      if (u.rfind("G00", 0) == 0 || u.rfind("G01", 0) == 0 || u.rfind("G02", 0) == 0 || u.rfind("G03", 0) == 0) {
        const bool move = u.rfind("G00", 0) == 0;
        rout = true;
        TDPoint to = at;
        if (!Coordinates(u, 3, u.find_first_of("IJA", 3) == std::string::npos ? u.size() : u.find_first_of("IJA", 3),
                         to, l.Number))
          continue;
        ++rep_.RoutMoves;
        routCut = !move;
        if (routCut && down && tool_ != 0) Slot(at, to, l.Number);
        at = to;
        continue;
      }
      if (u == "M15") {
        down = true;
        continue;
      }
      if (u == "M16" || u == "M17") {
        down = false;
        continue;
      }
      if (u[0] == 'R' && u.size() > 1 && std::isdigit((unsigned char)u[1])) {
        // Rnn followed by an offset: the last hole repeated.
        const long count = std::atol(u.c_str() + 1);
        if (count < 1 || count > kMaxRepeat) {
          Error(l.Number, "bad repeat count in '" + u + "'");
          continue;
        }
        TDPoint step{0, 0};
        const bool saved = incremental_;
        incremental_ = false;
        const bool ok = Coordinates(u, 1, u.size(), step, l.Number);
        incremental_ = saved;
        if (!ok || !anyHole) continue;
        for (long r = 0; r < count; ++r) {
          lastHole = {lastHole.X + step.X, lastHole.Y + step.Y};
          Hole(lastHole, l.Number);
        }
        at = lastHole;
        continue;
      }
      if (u[0] == 'X' || u[0] == 'Y') {
        const size_t g85 = u.find("G85");
        TDPoint to = at;
        if (!Coordinates(u, 0, g85 == std::string::npos ? u.size() : g85, to, l.Number)) continue;
        if (g85 != std::string::npos) {
          TDPoint end = to;
          if (!Coordinates(u, g85 + 3, u.size(), end, l.Number)) continue;
          if (tool_ == 0) {
            Error(l.Number, "slot before any tool; skipped");
            ++rep_.Skipped;
          } else {
            Slot(to, end, l.Number);
          }
          at = end;
          continue;
        }
        if (rout) {
          // The rout mode's G00 or G01 goes on for lines of bare coordinates.
          ++rep_.RoutMoves;
          if (routCut && down && tool_ != 0) Slot(at, to, l.Number);
          at = to;
          continue;
        }
        at = to;
        if (tool_ == 0) {
          Error(l.Number, "hole before any tool; skipped");
          ++rep_.Skipped;
          continue;
        }
        Hole(at, l.Number);
        lastHole = at;
        anyHole = true;
        continue;
      }
    }
  }

 private:
  TDrillReport& rep_;
  int tool_ = 0;
  bool incremental_ = false;
  bool tooMany_ = false;
  std::map<int, double> commentTools_;
};
}  // namespace

TDrillReport ReadDrillText(std::string_view text, const std::string& name, const TDrillSettings& settings) {
  TDrillReport rep;
  rep.Name = name;
  if (text.size() >= kDrillMaxBytes) {
    rep.Refused = "the file " + name + " is too large (" + std::to_string(text.size()) + " bytes; the limit is " +
                  std::to_string(kDrillMaxBytes) + ")";
    return rep;
  }
  const std::vector<TLine> lines = Lines(text);
  const THeader h = ReadHeader(lines);
  rep.HasTools = IsDrillFile(text);
  rep.Unit = settings.Unit ? *settings.Unit : GuessDrillUnit(text);
  bool certain = true;
  rep.Zeros = settings.Zeros ? *settings.Zeros : GuessDrillFormat(text, &certain);
  rep.FormatSource = settings.Zeros ? "given" : h.Zeros ? "header" : "guess";
  const bool mm = rep.Unit == TDrillUnit::Mm;
  rep.IntDigits = settings.IntDigits ? *settings.IntDigits : h.Int ? *h.Int : mm ? 3 : 2;
  rep.DecDigits = settings.DecDigits ? *settings.DecDigits : h.Dec ? *h.Dec : mm ? 3 : 4;
  rep.IntDigits = std::clamp(rep.IntDigits, 0, 9);
  rep.DecDigits = std::clamp(rep.DecDigits, 0, 9);
  if (!certain && !settings.Zeros) rep.Errors.push_back({0, "cannot tell how zeros are left out; fixed digits used"});
  TDrillReader(rep).Run(lines);
  return rep;
}

namespace {
// Element indices in cells of a square grid.
class TGridHash {
 public:
  explicit TGridHash(double cell) : cell_(cell) {}
  void Add(TDPoint p, size_t i) { cells_[Key(Cell(p.X), Cell(p.Y))].push_back(i); }
  // The indices in the cells within `r` of p, ascending.
  void Near(TDPoint p, double r, std::vector<size_t>& out) const {
    out.clear();
    for (int64_t x = Cell(p.X - r); x <= Cell(p.X + r); ++x)
      for (int64_t y = Cell(p.Y - r); y <= Cell(p.Y + r); ++y) {
        const auto it = cells_.find(Key(x, y));
        if (it != cells_.end()) out.insert(out.end(), it->second.begin(), it->second.end());
      }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

 private:
  int64_t Cell(double v) const { return int64_t(std::floor(v / cell_)); }
  static uint64_t Key(int64_t x, int64_t y) { return (uint64_t(x) << 32) ^ (uint64_t(y) & 0xFFFFFFFFu); }
  double cell_;
  std::unordered_map<uint64_t, std::vector<size_t>> cells_;
};

bool IsOuterCopper(int layer) { return layer == kLayerC1 || layer == kLayerC2; }

// A track that is a flashed rounded pad: two points, as long as wide (within
// 100 units), level or upright.
bool PadLikeTrack(const TObjekt& e, bool& horizontal, TDPoint& centre) {
  if (e.Kind != kKindTrack || e.Points.size() != 2 || !IsCopperLayer(e.Layer)) return false;
  const TFPoint a = e.Points[0], b = e.Points[1];
  const double len = std::hypot(double(a.X) - b.X, double(a.Y) - b.Y);
  if (std::fabs(len - e.Width) >= 100) return false;
  horizontal = std::fabs(a.Y - b.Y) < 100;
  const bool vertical = std::fabs(a.X - b.X) < 100;
  if (!horizontal && !vertical) return false;
  centre =
      horizontal ? TDPoint{(double(a.X) + b.X) / 2, (double(a.Y) + b.Y) / 2} : TDPoint{a.X, (double(a.Y) + b.Y) / 2};
  return true;
}

// A zone of four corners with equal sides and diagonals (a square pad that
// a writer drew as a region); its centre and half side.
bool SquareZone(const TObjekt& e, TDPoint& centre, double& half) {
  if (e.Kind != kKindZone || e.Points.size() != 4 || !IsCopperLayer(e.Layer)) return false;
  const auto len = [&](size_t a, size_t b) {
    return std::hypot(double(e.Points[a].X) - e.Points[b].X, double(e.Points[a].Y) - e.Points[b].Y);
  };
  const double s = len(0, 1);
  if (!(s > 0)) return false;
  for (size_t i = 1; i < 4; ++i)
    if (std::fabs(len(i, (i + 1) % 4) - s) > 0.01 * s) return false;
  if (std::fabs(len(0, 2) - len(1, 3)) > 0.01 * s) return false;
  centre = {(double(e.Points[0].X) + e.Points[2].X) / 2, (double(e.Points[0].Y) + e.Points[2].Y) / 2};
  half = s / 2;
  return true;
}

// An SMD pad with equal, level sides (a square flash without a hole).
bool SquareSmd(const TObjekt& e) {
  return e.Kind == kKindSmdPad && IsCopperLayer(e.Layer) && std::fabs(e.SizeA - e.SizeB) < 1 && e.Points.size() == 4 &&
         std::fabs(e.Points[0].Y - e.Points[1].Y) < 1;
}
}  // namespace

void ApplyDrillHoles(TDrillReport& rep, TObjektList& list, bool createVias) {
  // Pads (THT pads and square SMD pads on copper) by centre, tracks that
  // are rounded pads by their centre.
  TGridHash pads(600), tracks(200);
  for (size_t i = 0; i < list.size(); ++i) {
    const TObjekt& e = *list[i];
    bool h = false;
    TDPoint c;
    double half = 0;
    if ((e.Kind == kKindThtPad && IsCopperLayer(e.Layer)) || SquareSmd(e)) pads.Add({e.Pos.X, e.Pos.Y}, i);
    else if (SquareZone(e, c, half)) pads.Add(c, i);
    else if (PadLikeTrack(e, h, c)) tracks.Add(c, i);
  }
  std::vector<char> doomed(list.size(), 0);
  std::vector<size_t> near, found;
  const auto via = [&](const std::vector<size_t>& at) {
    if (!createVias) return;
    size_t first = SIZE_MAX;
    bool c1 = false, c2 = false;
    for (size_t i : at) {
      const int layer = list[i]->Layer;
      if (!IsOuterCopper(layer)) continue;
      c1 = c1 || layer == kLayerC1;
      c2 = c2 || layer == kLayerC2;
      if (first == SIZE_MAX) first = i;
    }
    if (!(c1 && c2)) return;
    list[first]->Via = 1;
    ++rep.Vias;
    for (size_t i : at)
      if (i != first && IsOuterCopper(list[i]->Layer)) doomed[i] = 1;
  };
  for (const TDrillHole& h : rep.Holes) {
    const float r = float(std::round(h.Diameter / 2));
    if (h.Slot) {
      auto e = NewObjekt();
      InitTrack(*e, RoundInt(h.Diameter), kLayerO);
      AddPoint(*e, {float(h.At.X), float(h.At.Y)});
      AddPoint(*e, {float(h.End.X), float(h.End.Y)});
      e->Clearance = kDefaultClearance;
      list.push_back(std::move(e));
      doomed.push_back(0);
      ++rep.SlotTracks;
      continue;
    }
    found.clear();
    pads.Near(h.At, 300, near);
    for (size_t i : near) {
      if (doomed[i]) continue;
      TObjekt& e = *list[i];
      TDPoint zc;
      double half = 0;
      if (SquareZone(e, zc, half)) {
        if (std::fabs(zc.X - h.At.X) > 300 || std::fabs(zc.Y - h.At.Y) > 300) continue;
        // Turned as the zone's first edge runs.
        const double turn = std::atan2(double(e.Points[1].Y) - e.Points[0].Y, double(e.Points[1].X) - e.Points[0].X);
        const double deg = std::remainder(turn * 180 / 3.14159265358979323846, 90.0);
        const uint8_t layer = e.Layer;
        const int32_t clearance = e.Clearance;
        InitThtPad(e, {float(zc.X), float(zc.Y)}, layer, kShapeSquare, r, float(half));
        if (std::fabs(deg) > 0.01) RotatePoints(e.Points, e.Pos, deg);
        e.Clearance = clearance;
        ++rep.SmdToPads;
      } else if (std::fabs(e.Pos.X - h.At.X) > 300 || std::fabs(e.Pos.Y - h.At.Y) > 300) {
        continue;
      }
      if (e.Kind == kKindSmdPad) {
        // A square flash with a hole is a square THT pad.
        const TFPoint c = e.Pos;
        const float half = e.SizeA / 2;
        const uint8_t layer = e.Layer;
        InitThtPad(e, c, layer, kShapeSquare, r, half);
        ++rep.SmdToPads;
      }
      e.SizeB = r;
      if (e.SizeA < r) {
        e.SizeA = r;
        e.Points = ThtOutline(e.Shape, e.Pos, e.SizeA, 0);
      }
      found.push_back(i);
      ++rep.PadsDrilled;
    }
    if (!found.empty()) {
      via(found);
      continue;
    }
    tracks.Near(h.At, 100, near);
    for (size_t i : near) {
      if (doomed[i]) continue;
      TObjekt& e = *list[i];
      bool horizontal = false;
      TDPoint c;
      if (e.Kind != kKindTrack || !PadLikeTrack(e, horizontal, c)) continue;
      if (std::fabs(c.X - h.At.X) >= 100 || std::fabs(c.Y - h.At.Y) >= 100) continue;
      const uint8_t layer = e.Layer;
      const float outer = float(e.Width) / 2;
      InitThtPad(e, {float(h.At.X), float(h.At.Y)}, layer, horizontal ? kShapeRoundedH : kShapeRoundedV, r, outer);
      e.Clearance = kDefaultClearance;
      pads.Add(h.At, i);
      found.push_back(i);
      ++rep.TracksToPads;
    }
    if (!found.empty()) {
      via(found);
      continue;
    }
    if (std::fabs(h.At.X) < 5000000 && std::fabs(h.At.Y) < 5000000) {
      auto e = NewObjekt();
      InitThtPad(*e, {float(h.At.X), float(h.At.Y)}, kLayerC2, kShapeRound, r, r);
      e->Clearance = 0;
      pads.Add(h.At, list.size());
      list.push_back(std::move(e));
      doomed.push_back(0);
      ++rep.NewHoles;
    } else {
      ++rep.Skipped;
      if (rep.Errors.size() < kMaxMessages) rep.Errors.push_back({h.Line, "hole beyond 500 mm skipped"});
      ++rep.ErrorCount;
    }
  }
  // One pass removes the pads merged into vias.
  if (std::find(doomed.begin(), doomed.end(), 1) != doomed.end()) {
    for (size_t i = 0; i < list.size(); ++i) list[i]->Mark = doomed[i];
    DeleteObjekte(list, [](const TObjekt& e) { return e.Mark != 0; });
  }
}

TDrillReport ParseDrillFile(const std::string& path, TObjektList& list, const TDrillSettings& settings) {
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec && size >= kDrillMaxBytes) {
    TDrillReport rep;
    rep.Name = path;
    rep.Refused = "the file " + path + " is too large (" + std::to_string(size) + " bytes; the limit is " +
                  std::to_string(kDrillMaxBytes) + ")";
    return rep;
  }
  const TFileBytes read = ReadRegularFile(path, kDrillMaxBytes);
  if (!read.Ok()) {
    TDrillReport rep;
    rep.Name = path;
    rep.Refused = ReadFaultMessage(read, path);
    return rep;
  }
  TDrillReport rep = ReadDrillText(
      std::string_view(reinterpret_cast<const char*>(read.Bytes.data()), read.Bytes.size()), path, settings);
  ApplyDrillHoles(rep, list, settings.CreateVias);
  return rep;
}

}  // namespace bs
