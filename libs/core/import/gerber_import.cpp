#include "import/gerber_import.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <numbers>
#include <unordered_map>
#include <unordered_set>

#include "import/aperture_macro.h"
#include "import/gerber_geometry.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/read_file.h"

namespace bs {

namespace {
constexpr double kPi = std::numbers::pi;
// A command longer than this is refused (a macro of thousands of outline
// points stays well below).
constexpr size_t kMaxCommand = 1 << 20;
// Coordinates and sizes beyond one metre are refused.
constexpr double kMaxUnits = 1e7;
constexpr size_t kMaxApertures = 100000;
constexpr size_t kMaxMacros = 10000;
constexpr size_t kMaxParams = 10000;
constexpr size_t kMaxContour = 1000000;
constexpr size_t kMaxPolygonVertices = 10000;
constexpr int kMaxRings = 1000;
// Elements (and clear shapes) one file may make, step and repeat included.
constexpr size_t kMaxElements = 1000000;
// Element and clear shape pairs the cutting may look at.
constexpr size_t kMaxCutPairs = size_t(1) << 30;

// ---- the tokenizer ----

// One command: the text between two '*' (blanks and line breaks removed,
// except inside a macro statement where a blank separates a comment), the
// line where it starts, and whether it stands inside a %...% block; the
// first command of a block has First set.
struct TCommand {
  std::string Text;
  int Line = 0;
  bool Extended = false;
  bool First = false;
};

// Splits the text into commands, one by one.
class TTokenizer {
 public:
  explicit TTokenizer(std::string_view t) : t_(t) {}

  // The next command; false at the end of the text. `tooLong` is set for a
  // command that was cut at kMaxCommand.
  bool Next(TCommand& c, bool& tooLong) {
    tooLong = false;
    c.Text.clear();
    bool started = false;
    while (pos_ < t_.size()) {
      const char ch = t_[pos_++];
      if (ch == '\n') {
        ++line_;
        continue;
      }
      if (ch == '\r') continue;
      // A '%' inside a comment is text ("G04 #@! %TF...*").
      if (ch == '%' && !(started && !inBlock_ && c.Text.rfind("G04", 0) == 0)) {
        if (inBlock_) {
          inBlock_ = false;
          // A block that ends without '*' after its last command.
          if (started && !Blank(c.Text)) return true;
          c.Text.clear();
          started = false;
          continue;
        }
        inBlock_ = true;
        firstInBlock_ = true;
        continue;
      }
      if (!started) {
        if (ch == ' ' || ch == '\t') continue;
        started = true;
        c.Line = line_;
        c.Extended = inBlock_;
        c.First = inBlock_ && firstInBlock_;
      }
      if (ch == '*') {
        if (inBlock_) firstInBlock_ = false;
        return true;
      }
      if (c.Text.size() < kMaxCommand) c.Text.push_back(ch);
      else tooLong = true;
    }
    return started && !Blank(c.Text);
  }

 private:
  static bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return std::isspace(static_cast<unsigned char>(ch)); });
  }
  std::string_view t_;
  size_t pos_ = 0;
  int line_ = 1;
  bool inBlock_ = false;
  bool firstInBlock_ = false;
};

std::string NoBlanks(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s)
    if (!std::isspace(static_cast<unsigned char>(ch))) out.push_back(ch);
  return out;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// A decimal number with an optional sign and point; nothing for other text.
std::optional<double> Decimal(std::string_view s) {
  if (s.empty() || s.size() > 40) return std::nullopt;
  const std::string t(s);
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// ---- apertures ----

struct TAperture {
  char Shape = 0;  // C R O P, or M for a macro
  std::vector<double> Params;
  std::vector<TMacroPrimitive> Primitives;
};

// The shape of an element to make: kept in units, file coordinates.
struct TClearShape {
  TDPolygon Poly;
  size_t Before = 0;  // the number of elements made before it
};

// ---- the reader of one file ----

class TReader {
 public:
  TReader(const std::string& name, uint8_t layer, TGerberReport& rep) : name_(name), layer_(layer), rep_(rep) {}

  void Run(std::string_view text) {
    TTokenizer tok(text);
    TCommand c;
    bool tooLong = false;
    std::string blockKind;
    while (tok.Next(c, tooLong)) {
      if (tooLong) {
        Error(c.Line, "command longer than " + std::to_string(kMaxCommand) + " characters skipped");
        continue;
      }
      if (stopped_) break;
      if (c.Extended) {
        if (c.First) {
          blockKind = NoBlanks(c.Text).substr(0, 2);
          if (blockKind == "AM") {
            StartMacro(c);
            continue;
          }
        } else if (blockKind == "AM") {
          MacroStatement(c);
          continue;
        }
        Extended(NoBlanks(c.Text), c.Line);
      } else {
        Plain(NoBlanks(c.Text), c.Line);
      }
    }
    if (regionOpen_) EndRegion(0);
    EndStepRepeat();
    Finish();
  }

  TObjektList& Elements() { return list_; }

 private:
  // ---- reporting ----
  void Error(int line, const std::string& text) {
    ++rep_.ErrorCount;
    if (rep_.Errors.size() < kMaxMessages) rep_.Errors.push_back({line, ShortMessage(text)});
  }
  void Unsupported(int line, const std::string& what) {
    ++rep_.Unsupported;
    if (rep_.Errors.size() < kMaxMessages && unsupportedSeen_.insert({what, true}).second)
      rep_.Errors.push_back({line, "not understood, skipped: " + what});
  }

  double K() const { return rep_.Mm ? kUnitsPerMm : kUnitsPerInch; }

  // ---- extended commands ----
  void Extended(const std::string& t, int line) {
    if (t.size() < 2) return;
    const std::string kind = t.substr(0, 2);
    if (kind == "FS") Format(t, line);
    else if (kind == "MO") {
      if (t.substr(2, 2) == "MM") rep_.Mm = true;
      else if (t.substr(2, 2) == "IN") rep_.Mm = false;
      else Error(line, "unknown unit in " + t);
      unitSet_ = true;
    } else if (kind == "AD") Aperture(t, line);
    else if (kind == "LP") {
      if (t == "LPD") clear_ = false;
      else if (t == "LPC") clear_ = true;
      else Error(line, "unknown polarity " + t);
    } else if (kind == "SR") StepRepeat(t, line);
    else if (kind == "MI") {
      mirrorA_ = t.find("A1") != std::string::npos;
      mirrorB_ = t.find("B1") != std::string::npos;
    } else if (kind == "IP") {
      negative_ = t.substr(2) == "NEG";
    } else if (kind == "IR") {
      const auto v = Decimal(t.substr(2));
      if (!v || (*v != 0 && *v != 90 && *v != 180 && *v != 270)) Error(line, "bad image rotation " + t);
      else rotation_ = *v;
    } else if (kind == "OF") {
      OffsetOrScale(t, line, offA_, offB_, 0);
    } else if (kind == "SF") {
      OffsetOrScale(t, line, scaleA_, scaleB_, 1);
    } else if (kind == "LN") {
      layerName_ = t.substr(2);
    } else if (kind == "TF" || kind == "TA" || kind == "TO" || kind == "TD" || kind == "IN" || kind == "AS" ||
               kind == "IO" || kind == "KO") {
      // Attributes, names and settings that change no copper.
    } else if (kind == "G0" && t.substr(0, 3) == "G04") {
    } else {
      Unsupported(line, "%" + kind);
    }
  }

  void Format(const std::string& t, int line) {
    // FS, zero omission, coordinate mode, then Xab Yab (other letters such as
    // N, G, D, M of old files are passed over).
    if (t.size() < 4) {
      Error(line, "bad format statement " + t);
      return;
    }
    size_t k = 2;
    if (t[k] == 'L' || t[k] == 'T' || t[k] == 'D') rep_.TrailingZeros = t[k++] == 'T';
    if (k < t.size() && (t[k] == 'A' || t[k] == 'I')) rep_.Incremental = t[k++] == 'I';
    const auto digits = [&](char letter, int& i, int& d) {
      const size_t p = t.find(letter, k);
      if (p == std::string::npos || p + 2 >= t.size() || !std::isdigit(static_cast<unsigned char>(t[p + 1])) ||
          !std::isdigit(static_cast<unsigned char>(t[p + 2])))
        return false;
      i = t[p + 1] - '0';
      d = t[p + 2] - '0';
      return true;
    };
    if (!digits('X', rep_.IntX, rep_.DecX) || !digits('Y', rep_.IntY, rep_.DecY)) {
      Error(line, "bad format statement " + t);
      return;
    }
    rep_.HasFormat = true;
  }

  void OffsetOrScale(const std::string& t, int line, double& a, double& b, double dflt) {
    a = b = dflt;
    size_t k = 2;
    while (k < t.size()) {
      const char letter = t[k];
      size_t e = k + 1;
      while (e < t.size() && !std::isalpha(static_cast<unsigned char>(t[e]))) ++e;
      const auto v = Decimal(t.substr(k + 1, e - k - 1));
      if ((letter != 'A' && letter != 'B') || !v || std::fabs(*v) > 1e6) {
        Error(line, "bad value in " + t);
        a = b = dflt;
        return;
      }
      (letter == 'A' ? a : b) = *v;
      k = e;
    }
  }

  void StartMacro(const TCommand& c) {
    const std::string name = NoBlanks(c.Text).substr(2);
    if (name.empty()) {
      Error(c.Line, "macro without a name");
      return;
    }
    if (macros_.size() >= kMaxMacros && !macros_.count(name)) {
      Error(c.Line, "too many macros");
      return;
    }
    TApertureMacro& m = macros_[name];
    m.Name = name;
    m.Statements.clear();
    currentMacro_ = &m;
  }

  void MacroStatement(const TCommand& c) {
    if (!currentMacro_) return;
    TMacroStatement st;
    std::string error;
    if (ParseMacroStatement(c.Text, st, error)) {
      if (st.Code != 0 || st.Assignment) currentMacro_->Statements.push_back(std::move(st));
    } else if (!error.empty()) {
      Error(c.Line, error);
    }
  }

  void Aperture(const std::string& t, int line) {
    // ADD<code><name>[,<params>]
    size_t k = 3;
    if (t.size() < 4 || t[2] != 'D') {
      Error(line, "bad aperture definition " + t);
      return;
    }
    long code = 0;
    const size_t start = k;
    while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && k - start < 9)
      code = code * 10 + (t[k++] - '0');
    if (k == start || code < 10) {
      Error(line, "bad aperture number in " + t);
      return;
    }
    const size_t comma = t.find(',', k);
    const std::string name = t.substr(k, comma == std::string::npos ? std::string::npos : comma - k);
    std::vector<double> params;
    if (comma != std::string::npos) {
      size_t p = comma + 1;
      while (p <= t.size()) {
        size_t x = t.find_first_of("Xx", p);
        if (x == std::string::npos) x = t.size();
        const auto v = Decimal(t.substr(p, x - p));
        if (!v) {
          Error(line, "bad parameter in aperture definition " + t);
          return;
        }
        if (params.size() >= kMaxParams) {
          Error(line, "too many parameters in " + t);
          return;
        }
        params.push_back(*v);
        p = x + 1;
      }
    }
    if (apertures_.size() >= kMaxApertures && !apertures_.count(int(code))) {
      Error(line, "too many apertures");
      return;
    }
    TAperture a;
    a.Params = params;
    if (name.size() == 1 && (name == "C" || name == "R" || name == "O" || name == "P")) {
      a.Shape = name[0];
      const size_t need = a.Shape == 'P' ? 2 : a.Shape == 'C' ? 1 : 2;
      if (params.size() < need) {
        Error(line, "too few parameters in aperture definition " + t);
        return;
      }
      for (double v : params)
        if (std::fabs(v * K()) > kMaxUnits && a.Shape != 'P') {
          Error(line, "aperture too large in " + t);
          return;
        }
    } else {
      const auto m = macros_.find(name);
      if (m == macros_.end()) {
        Error(line, "aperture " + std::to_string(code) + " uses the unknown macro " + name);
        return;
      }
      a.Shape = 'M';
      if (std::string e = InstantiateMacro(m->second, params, a.Primitives); !e.empty()) {
        Error(line, e);
        return;
      }
    }
    apertures_[int(code)] = std::move(a);
  }

  void StepRepeat(const std::string& t, int line) {
    EndStepRepeat();
    long x = 1, y = 1;
    double i = 0, j = 0;
    size_t k = 2;
    while (k < t.size()) {
      const char letter = t[k];
      size_t e = k + 1;
      while (e < t.size() && !std::isalpha(static_cast<unsigned char>(t[e]))) ++e;
      const auto v = Decimal(t.substr(k + 1, e - k - 1));
      if (!v || std::fabs(*v) > 1e6) {
        Error(line, "bad value in step and repeat " + t);
        return;
      }
      if (letter == 'X') x = long(*v);
      else if (letter == 'Y') y = long(*v);
      else if (letter == 'I') i = *v;
      else if (letter == 'J') j = *v;
      k = e;
    }
    if (x < 1 || y < 1 || x * y > 10000) {
      Error(line, "step and repeat count out of range in " + t);
      return;
    }
    if (x * y > 1) {
      sr_ = {true, size_t(x), size_t(y), i * K(), j * K(), list_.size(), clears_.size()};
    }
  }

  void EndStepRepeat() {
    if (!sr_.On) return;
    sr_.On = false;
    const size_t endE = list_.size(), endC = clears_.size();
    for (size_t iy = 0; iy < sr_.Y; ++iy)
      for (size_t ix = 0; ix < sr_.X; ++ix) {
        if (ix == 0 && iy == 0) continue;
        const double dx = double(ix) * sr_.I, dy = double(iy) * sr_.J;
        for (size_t k = sr_.FirstElement; k < endE; ++k) {
          if (list_.size() >= kMaxElements) {
            Error(0, "step and repeat makes too many elements");
            return;
          }
          auto copy = ScratchCopy(*list_[k]);
          MoveObjekt(*copy, dx, dy);
          list_.push_back(std::move(copy));
          ++rep_.StepRepeats;
        }
        for (size_t k = sr_.FirstClear; k < endC; ++k) {
          if (clears_.size() >= kMaxElements) {
            Error(0, "step and repeat makes too many elements");
            return;
          }
          TClearShape s = clears_[k];
          for (TDPoint& p : s.Poly) p = {p.X + dx, p.Y + dy};
          s.Before = list_.size();
          clears_.push_back(std::move(s));
        }
      }
  }

  // ---- plain commands ----

  // Reads a coordinate number in file units; nothing (with an error) for a
  // bad or out-of-range one.
  std::optional<double> Coordinate(std::string_view s, bool isX, int line) {
    const int ints = isX ? rep_.IntX : rep_.IntY, decs = isX ? rep_.DecX : rep_.DecY;
    bool negative = false;
    size_t k = 0;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) negative = s[k++] == '-';
    const std::string_view digits = s.substr(k);
    if (digits.empty() || digits.size() > 18) {
      Error(line, "bad coordinate '" + std::string(s) + "'");
      return std::nullopt;
    }
    double v = 0;
    if (digits.find('.') != std::string_view::npos) {
      const auto d = Decimal(digits);
      if (!d) {
        Error(line, "bad coordinate '" + std::string(s) + "'");
        return std::nullopt;
      }
      v = *d;
    } else {
      for (char ch : digits)
        if (!std::isdigit(static_cast<unsigned char>(ch))) {
          Error(line, "bad coordinate '" + std::string(s) + "'");
          return std::nullopt;
        }
      int64_t n = 0;
      for (char ch : digits) n = n * 10 + (ch - '0');
      if (rep_.TrailingZeros) {
        // Trailing zeros omitted: the first `ints` digits are the integer part.
        const size_t total = size_t(ints + decs);
        int64_t scaled = n;
        for (size_t len = digits.size(); len < total; ++len) scaled *= 10;
        const int fraction = digits.size() > total ? int(digits.size()) - ints : decs;
        v = double(scaled) / std::pow(10.0, fraction);
      } else {
        v = double(n) / std::pow(10.0, decs);
      }
    }
    if (negative) v = -v;
    if (std::fabs(v * K()) > kMaxUnits) {
      Error(line, "coordinate '" + std::string(s) + "' beyond one metre");
      return std::nullopt;
    }
    return v * K();
  }

  void Plain(const std::string& t, int line) {
    if (t.empty()) return;
    if (StartsWith(t, "G04") || (StartsWith(t, "G4") && (t.size() == 2 || !std::isdigit((unsigned char)t[2])))) return;
    // Words: a letter and its number.
    std::optional<double> x, y, i, j;
    int d = -1;
    std::vector<int> g;
    size_t k = 0;
    while (k < t.size()) {
      const char letter = char(std::toupper(static_cast<unsigned char>(t[k])));
      size_t e = k + 1;
      while (e < t.size() && !std::isalpha(static_cast<unsigned char>(t[e]))) ++e;
      const std::string_view num = std::string_view(t).substr(k + 1, e - k - 1);
      if (letter == 'X' || letter == 'Y' || letter == 'I' || letter == 'J') {
        const auto v = Coordinate(num, letter == 'X' || letter == 'I', line);
        if (!v) return;
        (letter == 'X' ? x : letter == 'Y' ? y : letter == 'I' ? i : j) = *v;
      } else if (letter == 'G' || letter == 'D' || letter == 'M' || letter == 'N') {
        if (num.empty() || num.size() > 9 ||
            !std::all_of(num.begin(), num.end(), [](char ch) { return std::isdigit((unsigned char)ch); })) {
          Error(line, "bad command '" + t + "'");
          return;
        }
        const int n = std::atoi(std::string(num).c_str());
        if (letter == 'G') {
          if (n == 4) return;  // a comment after other words
          g.push_back(n);
        } else if (letter == 'D') {
          d = n;
        } else if (letter == 'M') {
          if (n == 2 || n == 0 || n == 1) {
            if (n != 1) stopped_ = true;
            return;
          }
          Unsupported(line, "M" + std::to_string(n));
          return;
        }
      } else {
        Error(line, "bad command '" + t + "'");
        return;
      }
      k = e;
    }
    for (int code : g) {
      switch (code) {
        case 1: interp_ = 1; break;
        case 2: interp_ = 2; break;
        case 3: interp_ = 3; break;
        case 36:
          if (regionOpen_) EndRegion(line);
          regionOpen_ = true;
          contour_.clear();
          break;
        case 37: EndRegion(line); break;
        case 74: multiQuadrant_ = false; break;
        case 75: multiQuadrant_ = true; break;
        case 70:
          if (!unitSet_) rep_.Mm = false;
          break;
        case 71:
          if (!unitSet_) rep_.Mm = true;
          break;
        case 90: rep_.Incremental = false; break;
        case 91: rep_.Incremental = true; break;
        case 54:
        case 55: break;
        default: Unsupported(line, "G" + std::to_string(code)); break;
      }
    }
    if (d >= 10) {
      current_ = d;
      if (!apertures_.count(d)) Error(line, "aperture D" + std::to_string(d) + " is not defined");
      if (!(x || y)) return;
      d = -1;
    } else if (d >= 1 && d <= 3) {
      op_ = d;
    } else if (d != -1) {
      Error(line, "unknown D" + std::to_string(d));
      return;
    }
    if (!(x || y || d != -1)) return;
    TDPoint to = pos_;
    if (rep_.Incremental) {
      if (x) to.X += *x;
      if (y) to.Y += *y;
    } else {
      if (x) to.X = *x;
      if (y) to.Y = *y;
    }
    Operate(to, i.value_or(0), j.value_or(0), line);
    pos_ = to;
  }

  const TAperture* Current() const {
    const auto it = apertures_.find(current_);
    return it == apertures_.end() ? nullptr : &it->second;
  }

  void Operate(TDPoint to, double i, double j, int line) {
    if (op_ == 2) {
      if (regionOpen_) {
        CloseContour();
        contour_ = {to};
      }
      return;
    }
    if (op_ == 3) {
      if (regionOpen_) {
        Error(line, "flash inside a region skipped");
        return;
      }
      Flash(to, line);
      return;
    }
    // D01
    if (interp_ == 1) {
      if (regionOpen_) {
        if (contour_.empty()) contour_.push_back(pos_);
        if (contour_.size() >= kMaxContour) {
          Error(line, "region contour too long");
          return;
        }
        contour_.push_back(to);
        return;
      }
      Draw(pos_, to, line);
      return;
    }
    ArcTo(to, i, j, line);
  }

  // The centre of an arc from s to e with offsets (i, j): signed offsets in
  // multi-quadrant mode; in single-quadrant mode the one of the four sign
  // choices that gives a sweep of at most 90 degrees in the arc's direction
  // with the most equal radii.
  TDPoint ArcCentre(TDPoint s, TDPoint e, double i, double j, bool ccw) const {
    if (multiQuadrant_) return {s.X + i, s.Y + j};
    TDPoint best{s.X + std::fabs(i), s.Y + std::fabs(j)};
    double bestErr = 1e300;
    for (int sx : {1, -1})
      for (int sy : {1, -1}) {
        const TDPoint c{s.X + sx * std::fabs(i), s.Y + sy * std::fabs(j)};
        const double sweep = Sweep(c, s, e, ccw);
        if (sweep > kPi / 2 + 1e-3) continue;
        const double err = std::fabs(Distance(c, s) - Distance(c, e));
        if (err < bestErr) {
          bestErr = err;
          best = c;
        }
      }
    return best;
  }

  // The sweep from s to e about c in the arc's direction, in [0, 2 pi).
  static double Sweep(TDPoint c, TDPoint s, TDPoint e, bool ccw) {
    const double a0 = std::atan2(s.Y - c.Y, s.X - c.X), a1 = std::atan2(e.Y - c.Y, e.X - c.X);
    double sw = ccw ? a1 - a0 : a0 - a1;
    while (sw < 0) sw += 2 * kPi;
    while (sw >= 2 * kPi) sw -= 2 * kPi;
    return sw;
  }

  void ArcTo(TDPoint to, double i, double j, int line) {
    const bool ccw = interp_ == 3;
    const TDPoint s = pos_;
    const TDPoint c = ArcCentre(s, to, i, j, ccw);
    const double r = Distance(c, s);
    const bool full = multiQuadrant_ && std::fabs(s.X - to.X) < 0.5 && std::fabs(s.Y - to.Y) < 0.5;
    double sweep = full ? 2 * kPi : Sweep(c, s, to, ccw);
    if (regionOpen_) {
      if (contour_.empty()) contour_.push_back(s);
      const double a0 = std::atan2(s.Y - c.Y, s.X - c.X);
      std::vector<TDPoint> pts = ArcPoints(c, r, a0, ccw ? sweep : -sweep);
      if (!pts.empty()) pts.back() = to;
      if (contour_.size() + pts.size() > kMaxContour) {
        Error(line, "region contour too long");
        return;
      }
      contour_.insert(contour_.end(), pts.begin(), pts.end());
      return;
    }
    const TAperture* a = Current();
    if (!a) {
      NoAperture(line);
      return;
    }
    const double w = Width(*a);
    if (w < 0.5) return;
    if (clear_) {
      // A clear arc cuts as a chain of strokes.
      const double a0 = std::atan2(s.Y - c.Y, s.X - c.X);
      TDPoint prev = s;
      for (const TDPoint& p : ArcPoints(c, r, a0, ccw ? sweep : -sweep)) {
        AddClear(StrokePolygon(prev, p, w));
        prev = p;
      }
      return;
    }
    if (r < 0.5 || sweep == 0) {
      Draw(s, to, line);
      return;
    }
    const auto angle = [&](TDPoint p) {
      int32_t m = RoundInt(std::atan2(p.Y - c.Y, p.X - c.X) * 180 / kPi * 1000);
      m %= 360000;
      if (m < 0) m += 360000;
      return m;
    };
    auto e = NewObjekt();
    InitCircle(*e, F(c), float(r + w / 2), layer_, float(std::max(0.0, r - w / 2)));
    if (!full) {
      const int32_t as = angle(s), ae = angle(to);
      if (as == ae) {
        // Too short for the angle's resolution: a straight draw.
        Draw(s, to, line);
        return;
      }
      e->StartAngle = ccw ? as : ae;
      e->StopAngle = ccw ? ae : as;
    }
    Add(std::move(e));
  }

  static TFPoint F(TDPoint p) { return {float(p.X), float(p.Y)}; }

  double Width(const TAperture& a) const {
    if (a.Shape == 'M' || a.Params.empty()) return 0;
    if (a.Shape == 'R' || a.Shape == 'O') return std::min(a.Params[0], a.Params.size() > 1 ? a.Params[1] : 0.0) * K();
    return a.Params[0] * K();
  }

  void NoAperture(int line) {
    if (!noApertureReported_) Error(line, "drawing with no aperture selected");
    noApertureReported_ = true;
  }

  void Draw(TDPoint from, TDPoint to, int line) {
    const TAperture* a = Current();
    if (!a) {
      NoAperture(line);
      return;
    }
    const double w = Width(*a);
    // A zero-size aperture draws a hairline; one that runs along the edge
    // of the region just made is that region's outline (our own writer
    // draws it) and adds nothing.
    if (w < 0.5 && (clear_ || OnLastZone(from, to))) return;
    if (clear_) {
      AddClear(StrokePolygon(from, to, w));
      return;
    }
    if (std::fabs(from.X - to.X) < 0.5 && std::fabs(from.Y - to.Y) < 0.5) {
      // A dot: the aperture's circle.
      if (w < 1) return;
      auto e = NewObjekt();
      InitCircle(*e, F(from), float(w / 2), layer_, float(w / 2));
      e->Fill = 1;
      Add(std::move(e));
      return;
    }
    auto e = NewObjekt();
    InitTrack(*e, RoundInt(w), layer_);
    AddPoint(*e, F(from));
    AddPoint(*e, F(to));
    Add(std::move(e));
  }

  bool OnLastZone(TDPoint a, TDPoint b) {
    if (list_.empty() || list_.back()->Kind != kKindZone) return false;
    const TObjekt& z = *list_.back();
    if (lastZoneKeys_.first != &z) {
      lastZoneKeys_.first = &z;
      lastZoneKeys_.second.clear();
      for (const TFPoint& p : z.Points) lastZoneKeys_.second.insert(Key(D(p)));
    }
    return lastZoneKeys_.second.count(Key(a)) && lastZoneKeys_.second.count(Key(b));
  }
  static uint64_t Key(TDPoint p) {
    return (uint64_t(int64_t(std::llround(p.X))) << 32) ^ uint64_t(uint32_t(int32_t(std::llround(p.Y))));
  }

  void CloseContour() {
    std::vector<TDPoint> pts;
    pts.swap(contour_);
    // Fewer than three distinct vertices enclose nothing.
    std::vector<TDPoint> distinct;
    for (const TDPoint& p : pts)
      if (distinct.empty() || Distance(distinct.back(), p) >= 0.5) distinct.push_back(p);
    if (distinct.size() > 1 && Distance(distinct.front(), distinct.back()) < 0.5) distinct.pop_back();
    if (distinct.size() < 3) return;
    regionContours_.push_back(std::move(distinct));
  }

  void EndRegion(int line) {
    if (!regionOpen_) {
      Error(line, "region end without a region");
      return;
    }
    CloseContour();
    regionOpen_ = false;
    FlushRegion();
  }

  // The contours of one region: a contour inside an odd number of the
  // others is a hole of the smallest one around it, as the even-odd rule
  // that writers of text and logos rely on fills them.
  void FlushRegion() {
    std::vector<TDPolygon> cs;
    cs.swap(regionContours_);
    if (clear_ || cs.size() == 1 || cs.size() > 2000) {
      for (TDPolygon& c : cs) {
        if (clear_) AddClear(std::move(c));
        else AddZone(c);
      }
      return;
    }
    const size_t n = cs.size();
    std::vector<TDBox> boxes(n);
    std::vector<double> areas(n);
    for (size_t i = 0; i < n; ++i) {
      boxes[i] = BoxOf(cs[i]);
      areas[i] = (boxes[i].MaxX - boxes[i].MinX) * (boxes[i].MaxY - boxes[i].MinY);
    }
    std::vector<int> depth(n, 0);
    std::vector<size_t> parent(n, SIZE_MAX);
    for (size_t i = 0; i < n; ++i)
      for (size_t j = 0; j < n; ++j) {
        if (i == j || !boxes[j].Contains(boxes[i]) || !PointInDPolygon(cs[j], cs[i][0])) continue;
        ++depth[i];
        if (parent[i] == SIZE_MAX || areas[j] < areas[parent[i]]) parent[i] = j;
      }
    std::vector<std::vector<const TDPolygon*>> holes(n);
    for (size_t i = 0; i < n; ++i)
      if (depth[i] % 2 == 1 && parent[i] != SIZE_MAX) holes[parent[i]].push_back(&cs[i]);
    for (size_t i = 0; i < n; ++i) {
      if (depth[i] % 2 == 1 && parent[i] != SIZE_MAX) continue;
      AddZone(holes[i].empty() ? cs[i] : MergeHoles(cs[i], holes[i]));
    }
  }

  void AddZone(const std::vector<TDPoint>& pts) {
    auto e = NewObjekt();
    InitZone(*e, 0, layer_);
    e->Points.reserve(pts.size());
    for (const TDPoint& p : pts) AddPoint(*e, F(p));
    Add(std::move(e));
  }

  void AddClear(TDPolygon poly) {
    if (poly.size() < 3) return;
    if (clears_.size() >= kMaxElements) {
      if (!tooMany_) Error(0, "too many elements; the rest of the file is skipped");
      tooMany_ = true;
      stopped_ = true;
      return;
    }
    clears_.push_back({std::move(poly), list_.size()});
  }

  void Add(std::unique_ptr<TObjekt> e) {
    if (list_.size() >= kMaxElements) {
      if (!tooMany_) Error(0, "too many elements; the rest of the file is skipped");
      tooMany_ = true;
      stopped_ = true;
      return;
    }
    e->Clearance = kDefaultClearance;
    list_.push_back(std::move(e));
  }

  // ---- flashes ----

  void Flash(TDPoint at, int line) {
    const TAperture* a = Current();
    if (!a) {
      NoAperture(line);
      return;
    }
    const auto& p = a->Params;
    const double k = K();
    const auto param = [&](size_t n) { return n < p.size() ? p[n] * k : 0.0; };
    if (a->Shape == 'M') {
      FlashMacro(*a, at, line);
      return;
    }
    if (clear_) {
      AddClear(FlashPolygon(*a, at));
      return;
    }
    switch (a->Shape) {
      case 'C': {
        auto e = NewObjekt();
        InitThtPad(*e, F(at), layer_, kShapeRound, float(param(1) / 2), float(param(0) / 2));
        Add(std::move(e));
        return;
      }
      case 'R': {
        const double w = param(0), h = param(1);
        auto e = NewObjekt();
        if (RoundInt(w / 2) == RoundInt(h / 2) && param(2) > 0)
          InitThtPad(*e, F(at), layer_, kShapeSquare, float(param(2) / 2), float(w / 2));
        else InitSmdPad(*e, F(at), float(w), layer_, float(h));
        Add(std::move(e));
        return;
      }
      case 'O': {
        const double w = param(0), h = param(1), mn = std::min(w, h), mx = std::max(w, h);
        if (2 * RoundInt(mn) == RoundInt(mx)) {
          auto e = NewObjekt();
          InitThtPad(*e, F(at), layer_, w > h ? kShapeRoundedH : kShapeRoundedV, float(param(2) / 2), float(mn / 2));
          Add(std::move(e));
          return;
        }
        if (mn < 1) return;
        const double half = (mx - mn) / 2;
        const TDPoint a0 = w > h ? TDPoint{at.X - half, at.Y} : TDPoint{at.X, at.Y - half};
        const TDPoint a1 = w > h ? TDPoint{at.X + half, at.Y} : TDPoint{at.X, at.Y + half};
        auto e = NewObjekt();
        if (half < 0.5) {
          InitCircle(*e, F(at), float(mn / 2), layer_, float(mn / 2));
          e->Fill = 1;
        } else {
          InitTrack(*e, RoundInt(mn), layer_);
          AddPoint(*e, F(a0));
          AddPoint(*e, F(a1));
        }
        Add(std::move(e));
        return;
      }
      case 'P': {
        const TDPolygon poly = FlashPolygon(*a, at);
        if (poly.size() >= 3) AddZone(poly);
        return;
      }
      default: return;
    }
  }

  // The outline of a standard aperture flashed at a point.
  TDPolygon FlashPolygon(const TAperture& a, TDPoint at) const {
    const auto& p = a.Params;
    const double k = K();
    const auto param = [&](size_t n) { return n < p.size() ? p[n] * k : 0.0; };
    switch (a.Shape) {
      case 'C': return CirclePolygon(at, param(0) / 2);
      case 'R': return RectanglePolygon(at, param(0), param(1), 0, at);
      case 'O': {
        const double w = param(0), h = param(1), mn = std::min(w, h), half = (std::max(w, h) - mn) / 2;
        const TDPoint a0 = w > h ? TDPoint{at.X - half, at.Y} : TDPoint{at.X, at.Y - half};
        const TDPoint a1 = w > h ? TDPoint{at.X + half, at.Y} : TDPoint{at.X, at.Y + half};
        return StrokePolygon(a0, a1, mn);
      }
      case 'P': {
        const int n = p.size() > 1 ? int(p[1]) : 0;
        if (n < 3 || n > int(kMaxPolygonVertices)) return {};
        const double rot = p.size() > 2 ? p[2] : 0;
        return RegularPolygon(at, param(0) / 2, n, rot);
      }
      default: return {};
    }
  }

  static TDPolygon RegularPolygon(TDPoint c, double r, int n, double rotDeg) {
    TDPolygon out;
    out.reserve(size_t(n));
    for (int v = 0; v < n; ++v) {
      const double a = (rotDeg + 360.0 * v / n) * kPi / 180;
      out.push_back({c.X + r * std::cos(a), c.Y + r * std::sin(a)});
    }
    return out;
  }

  static TDPoint Rot(TDPoint p, double deg) {
    if (deg == 0) return p;
    const double t = deg * kPi / 180, cs = std::cos(t), sn = std::sin(t);
    return {p.X * cs - p.Y * sn, p.X * sn + p.Y * cs};
  }

  void FlashMacro(const TAperture& a, TDPoint at, int line) {
    const double k = K();
    const auto at2 = [&](double x, double y, double rot) {
      const TDPoint q = Rot({x * k, y * k}, rot);
      return TDPoint{at.X + q.X, at.Y + q.Y};
    };
    // The filled circles this flash made, for exposure-off circles that
    // turn one of them into a ring.
    std::vector<TObjekt*> circles;
    for (const TMacroPrimitive& pr : a.Primitives) {
      const auto& v = pr.Values;
      const auto val = [&](size_t n) { return n < v.size() ? v[n] : 0.0; };
      const auto tooBig = [&](double x) { return !(std::fabs(x * k) <= kMaxUnits); };
      // Exposure: 1 on, 0 off, 2 the opposite of the polarity of the flash.
      bool dark = !clear_;
      if (pr.Code != 6 && pr.Code != 7) {
        const int exp = int(val(0));
        if (exp == 0 || exp == 2) dark = !dark;
      }
      switch (pr.Code) {
        case 1: {
          const double d = val(1);
          if (tooBig(d) || tooBig(val(2)) || tooBig(val(3))) break;
          const TDPoint c = at2(val(2), val(3), val(4));
          const double r = d * k / 2;
          if (!dark) {
            // An opening in a circle of this flash around the same centre
            // makes it a ring.
            bool done = false;
            for (TObjekt* ci : circles)
              if (std::fabs(ci->Pos.X - c.X) < 1 && std::fabs(ci->Pos.Y - c.Y) < 1 && r < ci->SizeA) {
                ci->SizeB = float(r);
                ci->Fill = 0;
                done = true;
              }
            if (!done) AddClear(CirclePolygon(c, r));
            break;
          }
          if (RoundInt(r) < 1) break;
          auto e = NewObjekt();
          InitCircle(*e, F(c), float(r), layer_, float(r));
          e->Fill = 1;
          circles.push_back(e.get());
          Add(std::move(e));
          break;
        }
        case 2:
        case 20: {
          const double w = val(1) * k;
          if (tooBig(val(1)) || tooBig(val(2)) || tooBig(val(3)) || tooBig(val(4)) || tooBig(val(5))) break;
          const TDPoint p0 = at2(val(2), val(3), val(6)), p1 = at2(val(4), val(5), val(6));
          if (!dark) {
            AddClear(LinePolygon(p0, p1, w));
            break;
          }
          if (w < 1 || Distance(p0, p1) < 0.5) break;
          auto e = NewObjekt();
          InitTrack(*e, RoundInt(w), layer_);
          e->TrackEnds = 3;
          AddPoint(*e, F(p0));
          AddPoint(*e, F(p1));
          Add(std::move(e));
          break;
        }
        case 21:
        case 22: {
          if (tooBig(val(1)) || tooBig(val(2)) || tooBig(val(3)) || tooBig(val(4))) break;
          const double w = val(1) * k, h = val(2) * k;
          // Code 22 gives the lower-left corner.
          const double cx = pr.Code == 21 ? val(3) * k : val(3) * k + w / 2;
          const double cy = pr.Code == 21 ? val(4) * k : val(4) * k + h / 2;
          TDPolygon poly = RectanglePolygon({cx, cy}, w, h, val(5), {0, 0});
          for (TDPoint& q : poly) q = {q.X + at.X, q.Y + at.Y};
          Shape(std::move(poly), dark);
          break;
        }
        case 4: {
          const double n = val(1);
          if (!(n >= 1) || n > double(kMaxContour) || v.size() < 2 + 2 * (size_t(n) + 1)) {
            Error(line, "bad outline primitive in a macro");
            break;
          }
          const size_t count = size_t(n) + 1;
          const double rot = v.size() > 2 + 2 * count ? v[2 + 2 * count] : 0;
          TDPolygon poly;
          poly.reserve(count);
          bool bad = false;
          for (size_t q = 0; q < count; ++q) {
            bad = bad || tooBig(v[2 + 2 * q]) || tooBig(v[3 + 2 * q]);
            poly.push_back(at2(v[2 + 2 * q], v[3 + 2 * q], rot));
          }
          if (!bad) Shape(std::move(poly), dark);
          break;
        }
        case 5: {
          const double n = val(1);
          if (!(n >= 3) || n > double(kMaxPolygonVertices) || tooBig(val(4)) || tooBig(val(2)) || tooBig(val(3))) {
            Error(line, "bad polygon primitive in a macro");
            break;
          }
          const TDPoint c = at2(val(2), val(3), val(5));
          Shape(RegularPolygon(c, val(4) * k / 2, int(n), val(5)), dark);
          break;
        }
        case 6: {
          // Moire: rings and a cross-hair.
          if (tooBig(val(0)) || tooBig(val(1)) || tooBig(val(2)) || tooBig(val(3)) || tooBig(val(4)) ||
              tooBig(val(6)) || tooBig(val(7)))
            break;
          const TDPoint c = at2(val(0), val(1), val(8));
          const double od = val(2) * k, th = val(3) * k, gap = val(4) * k;
          const double rings = std::min(val(5), double(kMaxRings));
          for (int ring = 0; ring < int(rings); ++ring) {
            const double outer = od / 2 - ring * (th + gap), inner = outer - th;
            if (outer <= 0) break;
            if (clear_) {
              AddClear(CirclePolygon(c, outer));
              continue;
            }
            auto e = NewObjekt();
            InitCircle(*e, F(c), float(outer), layer_, float(std::max(0.0, inner)));
            Add(std::move(e));
          }
          const double cht = val(6) * k, chl = val(7) * k;
          for (int axis = 0; axis < 2; ++axis) {
            const TDPoint d = Rot(axis == 0 ? TDPoint{chl / 2, 0} : TDPoint{0, chl / 2}, val(8));
            const TDPoint p0{c.X - d.X, c.Y - d.Y}, p1{c.X + d.X, c.Y + d.Y};
            if (clear_) {
              AddClear(LinePolygon(p0, p1, cht));
              continue;
            }
            if (cht < 1 || chl < 1) continue;
            auto e = NewObjekt();
            InitTrack(*e, RoundInt(cht), layer_);
            e->TrackEnds = 3;
            AddPoint(*e, F(p0));
            AddPoint(*e, F(p1));
            Add(std::move(e));
          }
          break;
        }
        case 7: {
          // Thermal: a ring cut by a cross of gaps, as four zones.
          if (tooBig(val(0)) || tooBig(val(1)) || tooBig(val(2)) || tooBig(val(3)) || tooBig(val(4))) break;
          const TDPoint c = at2(val(0), val(1), val(5));
          const double ro = val(2) * k / 2, ri = val(3) * k / 2, g = val(4) * k / 2;
          if (!(ro > ri) || ri < 0 || g >= ro) break;
          const double ao = std::asin(std::min(1.0, g / ro)), ai = ri > g ? std::asin(g / ri) : kPi / 4;
          for (int q = 0; q < 4; ++q) {
            const double base = q * kPi / 2 + val(5) * kPi / 180;
            TDPolygon poly;
            poly.push_back({c.X + ro * std::cos(base + ao), c.Y + ro * std::sin(base + ao)});
            for (const TDPoint& p : ArcPoints(c, ro, base + ao, kPi / 2 - 2 * ao)) poly.push_back(p);
            if (ri > g) {
              poly.push_back({c.X + ri * std::cos(base + kPi / 2 - ai), c.Y + ri * std::sin(base + kPi / 2 - ai)});
              for (const TDPoint& p : ArcPoints(c, ri, base + kPi / 2 - ai, -(kPi / 2 - 2 * ai))) poly.push_back(p);
            } else {
              // The inner ring vanishes in the gaps: the quarter ends at the
              // corner between them.
              const TDPoint corner = Rot({g, g}, base * 180 / kPi);
              poly.push_back({c.X + corner.X, c.Y + corner.Y});
            }
            Shape(std::move(poly), !clear_);
          }
          break;
        }
        case 0: break;
        default: Unsupported(line, "macro primitive " + std::to_string(pr.Code)); break;
      }
    }
  }

  static TDPolygon LinePolygon(TDPoint a, TDPoint b, double w) {
    const double dx = b.X - a.X, dy = b.Y - a.Y, len = std::hypot(dx, dy);
    if (len < 1e-9) return {};
    const double nx = -dy / len * w / 2, ny = dx / len * w / 2;
    return {{a.X + nx, a.Y + ny}, {b.X + nx, b.Y + ny}, {b.X - nx, b.Y - ny}, {a.X - nx, a.Y - ny}};
  }

  void Shape(TDPolygon poly, bool dark) {
    if (poly.size() < 3) return;
    if (dark) AddZone(poly);
    else AddClear(std::move(poly));
  }

  // ---- after the file ----

  void Finish() {
    CleanZones();
    GroundPlane();
    CutClears();
    ImageTransforms();
  }

  // Near-duplicate vertices go; zones of fewer than three vertices go;
  // regular octagons become octagonal pads.
  void CleanZones() {
    for (auto& up : list_) {
      TObjekt& e = *up;
      if (e.Kind != kKindZone) continue;
      if (e.Points.size() > 2) {
        TPointList kept;
        kept.reserve(e.Points.size());
        for (const TFPoint& p : e.Points)
          if (kept.empty() || std::fabs(p.X - kept.back().X) > 50 || std::fabs(p.Y - kept.back().Y) > 50)
            kept.push_back(p);
        if (kept.size() > 1 && std::fabs(kept.back().X - kept[0].X) <= 50 && std::fabs(kept.back().Y - kept[0].Y) <= 50)
          kept.pop_back();
        e.Points.swap(kept);
      }
      if (e.Points.size() < 3) {
        e.Mark = 1;
        continue;
      }
      if (e.Points.size() == 8) Octagon(up);
    }
    const size_t before = list_.size();
    std::erase_if(list_, [](const std::unique_ptr<TObjekt>& e) { return e->Kind == kKindZone && e->Mark; });
    // Clear shapes keep their place among the elements that stay.
    if (list_.size() != before) RenumberClears();
  }

  void RenumberClears() {
    // The zones removed were all dark; a clear shape after them keeps its
    // order relative to the others, which is all the cutting needs. The
    // positions only shrink, so clamp them.
    for (TClearShape& c : clears_) c.Before = std::min(c.Before, list_.size());
  }

  void Octagon(std::unique_ptr<TObjekt>& up) {
    const TPointList& pts = up->Points;
    const double first = Length(pts[0], pts[1]);
    if (!(first > 0) || first > 900000) return;
    for (size_t i = 1; i < 8; ++i) {
      const double len = Length(pts[i], pts[(i + 1) % 8]);
      if (std::fabs(len - first) > 0.01 * first) return;
    }
    // A regular octagon: its corners also lie on one circle.
    TDPoint c{0, 0};
    for (const TFPoint& p : pts) c = {c.X + p.X / 8.0, c.Y + p.Y / 8.0};
    const double r0 = Distance(c, D(pts[0]));
    for (const TFPoint& p : pts)
      if (std::fabs(Distance(c, D(p)) - r0) > 0.01 * r0) return;
    // The radius is the distance from the centre to the nearest edge (for
    // a regular octagon half the distance of its 1st and 6th corner; for
    // our own octagons, whose corner edges are a little longer, their
    // radius).
    double r = 1e300;
    for (size_t i = 0; i < 8; ++i) {
      const TFPoint a = pts[i], b = pts[(i + 1) % 8];
      const double len = Length(a, b);
      r = std::min(r, std::fabs((double(b.X) - a.X) * (a.Y - c.Y) - (double(a.X) - c.X) * (double(b.Y) - a.Y)) / len);
    }
    auto pad = NewObjekt();
    InitThtPad(*pad, F(c), layer_, kShapeOctagon, 0, float(r));
    // Turned so that its edges run as the zone's do.
    const TPointList& o = pad->Points;
    const double want = std::atan2(double(pts[1].Y) - pts[0].Y, double(pts[1].X) - pts[0].X) * 180 / kPi;
    const double have = std::atan2(double(o[1].Y) - o[0].Y, double(o[1].X) - o[0].X) * 180 / kPi;
    double turn = std::fmod(want - have, 45.0);
    if (turn > 22.5) turn -= 45;
    if (turn < -22.5) turn += 45;
    if (std::fabs(turn) > 0.01) RotatePoints(pad->Points, pad->Pos, turn);
    pad->Clearance = up->Clearance;
    up = std::move(pad);
    ++rep_.Octagons;
  }

  static TDPoint D(TFPoint p) { return {p.X, p.Y}; }
  static double Length(TFPoint a, TFPoint b) { return std::hypot(double(a.X) - b.X, double(a.Y) - b.Y); }

  // Our own writer's ground plane: a board-sized dark rectangle, then the
  // clearances in clear polarity. The plane comes back switched on for the
  // rectangle; the clearances are the plane's own and go.
  void GroundPlane() {
    // Our writer names its copper layers so.
    static const char* const kOurCopper[] = {"COPPER_TOP", "COPPER_BOTTOM", "COPPER_INNER1", "COPPER_INNER2"};
    if (std::none_of(std::begin(kOurCopper), std::end(kOurCopper), [&](const char* n) { return layerName_ == n; }))
      return;
    if (clears_.empty() || list_.empty() || clears_[0].Before != 1) return;
    const TObjekt& z = *list_[0];
    if (z.Kind != kKindZone || z.Points.size() != 4) return;
    TDBox b;
    for (const TFPoint& p : z.Points) b.Add(D(p));
    for (const TFPoint& p : z.Points)
      if ((std::fabs(p.X - b.MinX) > 1 && std::fabs(p.X - b.MaxX) > 1) ||
          (std::fabs(p.Y - b.MinY) > 1 && std::fabs(p.Y - b.MaxY) > 1))
        return;
    // Everything else must lie within the rectangle.
    for (const TClearShape& c : clears_)
      if (!Inside(b, BoxOf(c.Poly))) return;
    rep_.GroundPlane = true;
    rep_.PlaneMin = {b.MinX, b.MinY};
    rep_.PlaneMax = {b.MaxX, b.MaxY};
    list_.erase(list_.begin());
    clears_.clear();
  }

  static bool Inside(const TDBox& outer, const TDBox& in) {
    return in.MinX >= outer.MinX - 1 && in.MaxX <= outer.MaxX + 1 && in.MinY >= outer.MinY - 1 &&
           in.MaxY <= outer.MaxY + 1;
  }

  // Clear shapes cut the dark copper made before them. A shape inside a
  // zone becomes a hole of that zone: its contour is joined to the zone's
  // by a bridge there and back, which the even-odd filling leaves out.
  // Tracks and arcs lose the parts of their centre lines inside the shape;
  // pads and filled circles wholly inside it go.
  void CutClears() {
    if (clears_.empty()) return;
    const size_t n = list_.size();
    // Each element's place holds the pieces it was cut into.
    std::vector<TObjektList> pieces(n);
    std::vector<TDBox> boxes(n);
    std::vector<TDPolygon> zonePolys(n);
    std::vector<std::vector<size_t>> holes(n);
    for (size_t i = 0; i < n; ++i) {
      boxes[i] = BoxOfElement(*list_[i]);
      if (list_[i]->Kind == kKindZone)
        for (const TFPoint& p : list_[i]->Points) zonePolys[i].push_back(D(p));
      pieces[i].push_back(std::move(list_[i]));
    }
    std::vector<TDBox> cboxes;
    cboxes.reserve(clears_.size());
    for (const TClearShape& c : clears_) cboxes.push_back(BoxOf(c.Poly));
    size_t pairs = 0;
    for (size_t s = 0; s < clears_.size(); ++s) {
      const TClearShape& c = clears_[s];
      const TDBox& cb = cboxes[s];
      bool cut = false;
      pairs += std::min(c.Before, n);
      if (pairs > kMaxCutPairs) {
        Error(0, "too many clear shapes to cut; " + std::to_string(clears_.size() - s) + " left uncut");
        rep_.ClearDropped += clears_.size() - s;
        break;
      }
      for (size_t i = 0; i < std::min(c.Before, n); ++i) {
        if (pieces[i].empty() || !boxes[i].Meets(cb)) continue;
        if (!zonePolys[i].empty()) {
          if (!boxes[i].Contains(cb)) continue;
          // Tested at the first vertex and a few spread over the contour.
          bool inside = PointInDPolygon(zonePolys[i], c.Poly[0]);
          for (size_t q = 1; inside && q < c.Poly.size(); q += std::max<size_t>(1, c.Poly.size() / 8))
            inside = PointInDPolygon(zonePolys[i], c.Poly[q]);
          if (!inside) continue;
          AddHole(holes[i], s, cboxes);
          cut = true;
          continue;
        }
        TObjektList kept;
        bool changed = false;
        for (auto& e : pieces[i]) changed = CutElement(e, c.Poly, cb, kept) || changed;
        pieces[i].swap(kept);
        if (!changed) continue;
        cut = true;
        TDBox nb;
        for (const auto& e : pieces[i]) {
          const TDBox eb = BoxOfElement(*e);
          nb.Add({eb.MinX, eb.MinY});
          nb.Add({eb.MaxX, eb.MaxY});
        }
        boxes[i] = nb;
      }
      if (cut) ++rep_.ClearCuts;
      else ++rep_.ClearDropped;
    }
    list_.clear();
    for (size_t i = 0; i < n; ++i) {
      if (!holes[i].empty() && !pieces[i].empty()) {
        std::vector<const TDPolygon*> hs;
        for (size_t h : holes[i]) hs.push_back(&clears_[h].Poly);
        TObjekt& e = *pieces[i][0];
        const TDPolygon merged = MergeHoles(zonePolys[i], hs);
        e.Points.clear();
        e.Points.reserve(merged.size());
        for (const TDPoint& p : merged) e.Points.push_back(F(p));
      }
      for (auto& e : pieces[i]) list_.push_back(std::move(e));
    }
  }

  // Holes of one zone must not lie inside each other: the even-odd filling
  // would fill the inner one again. A hole inside one already there adds
  // nothing; one around holes already there replaces them.
  void AddHole(std::vector<size_t>& holes, size_t s, const std::vector<TDBox>& boxes) {
    const TDPolygon& p = clears_[s].Poly;
    const TDBox& pb = boxes[s];
    const auto within = [](const TDPolygon& in, const TDBox& inBox, const TDPolygon& out, const TDBox& outBox) {
      if (!outBox.Contains(inBox)) return false;
      for (size_t q = 0; q < in.size(); q += std::max<size_t>(1, in.size() / 8))
        if (!PointInDPolygon(out, in[q])) return false;
      return true;
    };
    // Only the holes nearby are compared; far more than that would be slow
    // and are left as they are.
    size_t compared = 0;
    for (size_t k = holes.size(); k-- > 0 && compared < 64;) {
      const TDPolygon& h = clears_[holes[k]].Poly;
      const TDBox& hb = boxes[holes[k]];
      if (!hb.Meets(pb)) continue;
      ++compared;
      if (within(p, pb, h, hb)) return;
      if (within(h, hb, p, pb)) holes.erase(holes.begin() + std::ptrdiff_t(k));
    }
    holes.push_back(s);
  }

  // One contour for a zone with holes: each hole, the rightmost first, is
  // joined by a bridge there and back from its rightmost corner straight to
  // the right, to the nearest edge of what was joined so far. The bridge
  // runs through copper only, and the even-odd filling leaves the holes
  // out.
  static TDPolygon MergeHoles(const TDPolygon& outer, std::vector<const TDPolygon*> holes) {
    const auto rightmost = [](const TDPolygon& p) {
      size_t k = 0;
      for (size_t i = 1; i < p.size(); ++i)
        if (p[i].X > p[k].X) k = i;
      return k;
    };
    std::sort(holes.begin(), holes.end(),
              [&](const TDPolygon* a, const TDPolygon* b) { return (*a)[rightmost(*a)].X > (*b)[rightmost(*b)].X; });
    TDPolygon poly = outer;
    for (const TDPolygon* hp : holes) {
      const TDPolygon& h = *hp;
      const size_t mk = rightmost(h);
      const TDPoint m = h[mk];
      size_t best = SIZE_MAX;
      double bestX = 1e300;
      for (size_t i = 0; i < poly.size(); ++i) {
        const TDPoint a = poly[i], b = poly[(i + 1) % poly.size()];
        if ((a.Y > m.Y) == (b.Y > m.Y)) continue;
        const double x = a.X + (m.Y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
        if (x >= m.X && x < bestX) {
          bestX = x;
          best = i;
        }
      }
      if (best == SIZE_MAX) {
        // No edge to the right (the hole is not inside after all): joined
        // at the outer contour's first corner.
        best = poly.size() - 1;
        bestX = poly[best].X;
      }
      const TDPoint at{bestX, m.Y};
      TDPolygon piece;
      piece.reserve(h.size() + 3);
      piece.push_back(at);
      for (size_t k = 0; k <= h.size(); ++k) piece.push_back(h[(mk + k) % h.size()]);
      piece.push_back(at);
      poly.insert(poly.begin() + std::ptrdiff_t(best + 1), piece.begin(), piece.end());
    }
    return poly;
  }

  static TDBox BoxOfElement(const TObjekt& e) {
    TDBox b;
    if (e.Kind == kKindCircle) {
      b.Add({e.Pos.X - e.SizeA, e.Pos.Y - e.SizeA});
      b.Add({e.Pos.X + e.SizeA, e.Pos.Y + e.SizeA});
      return b;
    }
    for (const TFPoint& p : e.Points) b.Add(D(p));
    const double g = e.Kind == kKindTrack ? e.Width / 2.0 : 0;
    if (e.Points.empty()) b.Add(D(e.Pos));
    b.MinX -= g;
    b.MinY -= g;
    b.MaxX += g;
    b.MaxY += g;
    return b;
  }

  // Cuts one element by a clear polygon: its remaining pieces go to `kept`.
  // Returns whether anything changed.
  bool CutElement(std::unique_ptr<TObjekt>& e, const TDPolygon& poly, const TDBox& pb, TObjektList& kept) {
    const TDBox eb = BoxOfElement(*e);
    if (!eb.Meets(pb)) {
      kept.push_back(std::move(e));
      return false;
    }
    if (e->Kind == kKindTrack) return CutTrack(e, poly, kept);
    if (e->Kind == kKindCircle && !e->Fill) return CutArc(e, poly, kept);
    // Pads and filled circles go when wholly inside.
    std::vector<TDPoint> probe;
    if (e->Kind == kKindCircle) {
      for (int k = 0; k < 8; ++k)
        probe.push_back({e->Pos.X + e->SizeA * std::cos(k * kPi / 4), e->Pos.Y + e->SizeA * std::sin(k * kPi / 4)});
    } else {
      for (const TFPoint& p : e->Points) probe.push_back(D(p));
    }
    probe.push_back(D(e->Pos));
    bool inside = pb.Contains(eb);
    for (size_t k = 0; inside && k < probe.size(); ++k) inside = PointInDPolygon(poly, probe[k]);
    if (inside) return true;
    kept.push_back(std::move(e));
    return false;
  }

  static double EdgeDistance(const TDPolygon& poly, TDPoint p) {
    double best = 1e300;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const TDPoint a = poly[j], b = poly[i];
      const double dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy;
      double t = len2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      best = std::min(best, std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy));
    }
    return best;
  }

  // The parameters (0 ... 1) along a to b to keep of a stroke of width w
  // cut by the polygon, as intervals: a part of the centre line inside the
  // polygon goes, unless it runs within half the width of the polygon's
  // edge, where a sliver of the stroke stays outside.
  static std::vector<std::pair<double, double>> Outside(TDPoint a, TDPoint b, const TDPolygon& poly, double w) {
    std::vector<double> ts = {0.0, 1.0};
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const TDPoint p = poly[j], q = poly[i];
      const double ex = q.X - p.X, ey = q.Y - p.Y;
      const double den = dx * ey - dy * ex;
      if (std::fabs(den) < 1e-12) continue;
      const double t = ((p.X - a.X) * ey - (p.Y - a.Y) * ex) / den;
      const double u = ((p.X - a.X) * dy - (p.Y - a.Y) * dx) / den;
      if (t > 0 && t < 1 && u >= 0 && u <= 1) ts.push_back(t);
    }
    std::sort(ts.begin(), ts.end());
    std::vector<std::pair<double, double>> out;
    for (size_t k = 0; k + 1 < ts.size(); ++k) {
      const double t0 = ts[k], t1 = ts[k + 1];
      if (t1 - t0 < 1e-9) continue;
      const double tm = (t0 + t1) / 2;
      const TDPoint mid{a.X + dx * tm, a.Y + dy * tm};
      if (PointInDPolygon(poly, mid) && EdgeDistance(poly, mid) >= w / 2 - 1) continue;
      if (!out.empty() && std::fabs(out.back().second - t0) < 1e-9) out.back().second = t1;
      else out.push_back({t0, t1});
    }
    return out;
  }

  bool CutTrack(std::unique_ptr<TObjekt>& e, const TDPolygon& poly, TObjektList& kept) {
    const TPointList& pts = e->Points;
    bool changed = false;
    std::vector<std::pair<TDPoint, TDPoint>> parts;
    for (size_t k = 0; k + 1 < pts.size(); ++k) {
      const TDPoint a = D(pts[k]), b = D(pts[k + 1]);
      const auto out = Outside(a, b, poly, e->Width);
      if (out.size() == 1 && out[0].first == 0 && out[0].second == 1) {
        parts.push_back({a, b});
        continue;
      }
      changed = true;
      for (const auto& [t0, t1] : out) {
        const TDPoint p{a.X + (b.X - a.X) * t0, a.Y + (b.Y - a.Y) * t0};
        const TDPoint q{a.X + (b.X - a.X) * t1, a.Y + (b.Y - a.Y) * t1};
        if (Distance(p, q) >= 0.5) parts.push_back({p, q});
      }
    }
    if (pts.size() < 2) {
      // A single point: a dot, gone when inside.
      if (!pts.empty() && PointInDPolygon(poly, D(pts[0]))) return true;
      kept.push_back(std::move(e));
      return false;
    }
    if (!changed) {
      kept.push_back(std::move(e));
      return false;
    }
    for (const auto& [p, q] : parts) {
      auto t = ScratchCopy(*e);
      t->Points = {F(p), F(q)};
      kept.push_back(std::move(t));
    }
    return true;
  }

  bool CutArc(std::unique_ptr<TObjekt>& e, const TDPolygon& poly, TObjektList& kept) {
    const double m = (double(e->SizeA) + e->SizeB) / 2;
    const bool full = e->StartAngle == e->StopAngle;
    const double a0 = full ? 0 : e->StartAngle / 1000.0;
    double sweep = full ? 360 : (e->StopAngle - e->StartAngle) / 1000.0;
    if (sweep <= 0) sweep += 360;
    const int steps = std::clamp(int(sweep * 2), 8, 720);
    const auto at = [&](double deg) {
      return TDPoint{e->Pos.X + m * std::cos(deg * kPi / 180), e->Pos.Y + m * std::sin(deg * kPi / 180)};
    };
    std::vector<char> in(size_t(steps) + 1);
    bool any = false;
    for (int k = 0; k <= steps; ++k) {
      in[size_t(k)] = PointInDPolygon(poly, at(a0 + sweep * k / steps));
      any = any || in[size_t(k)];
    }
    if (!any) {
      kept.push_back(std::move(e));
      return false;
    }
    // Runs of samples outside, with their ends refined by halving.
    const auto edge = [&](double outDeg, double inDeg) {
      for (int r = 0; r < 20; ++r) {
        const double mid = (outDeg + inDeg) / 2;
        (PointInDPolygon(poly, at(mid)) ? inDeg : outDeg) = mid;
      }
      return outDeg;
    };
    int k = 0;
    while (k <= steps) {
      if (in[size_t(k)]) {
        ++k;
        continue;
      }
      const int first = k;
      while (k <= steps && !in[size_t(k)]) ++k;
      const int last = k - 1;
      double s = a0 + sweep * first / steps, t = a0 + sweep * last / steps;
      if (first > 0) s = edge(s, a0 + sweep * (first - 1) / steps);
      if (last < steps) t = edge(t, a0 + sweep * (last + 1) / steps);
      if (t - s < 0.01) continue;
      auto piece = ScratchCopy(*e);
      const auto norm = [](double deg) {
        int32_t v = RoundInt(deg * 1000) % 360000;
        return v < 0 ? v + 360000 : v;
      };
      piece->StartAngle = norm(s);
      piece->StopAngle = norm(t);
      if (piece->StartAngle == piece->StopAngle) continue;
      kept.push_back(std::move(piece));
    }
    return true;
  }

  // Image mirroring, rotation, scaling and offset of the whole file, and a
  // negative image: its copper is cut out of the layer's plane.
  void ImageTransforms() {
    if (negative_) {
      for (auto& e : list_) e->Cutout = 1;
      rep_.GroundPlane = true;
      TDBox b;
      for (auto& e : list_)
        for (const TFPoint& p : e->Points) b.Add(D(p));
      if (list_.empty()) rep_.GroundPlane = false;
      rep_.PlaneMin = {b.MinX, b.MinY};
      rep_.PlaneMax = {b.MaxX, b.MaxY};
    }
    const bool scale = scaleA_ != 1 || scaleB_ != 1;
    if (!(scale || mirrorA_ || mirrorB_ || rotation_ != 0 || offA_ != 0 || offB_ != 0)) return;
    for (auto& up : list_) {
      TObjekt& e = *up;
      if (scale) {
        e.Pos = {float(e.Pos.X * scaleA_), float(e.Pos.Y * scaleB_)};
        for (TFPoint& p : e.Points) p = {float(p.X * scaleA_), float(p.Y * scaleB_)};
      }
      if (mirrorA_) MirrorHorizontally(e, 0);
      if (mirrorB_) MirrorVertically(e, 0);
      // RotateObjekt turns clockwise; the image rotation is counter-clockwise.
      if (rotation_ != 0) RotateObjekt(e, {0, 0}, -rotation_);
      if (offA_ != 0 || offB_ != 0) MoveObjekt(e, offA_ * K(), offB_ * K());
    }
  }

  // ---- state ----
  std::string name_;
  uint8_t layer_;
  TGerberReport& rep_;
  TObjektList list_;
  std::vector<TClearShape> clears_;
  std::map<std::string, TApertureMacro> macros_;
  TApertureMacro* currentMacro_ = nullptr;
  std::unordered_map<int, TAperture> apertures_;
  std::map<std::string, bool> unsupportedSeen_;
  std::string layerName_;
  int current_ = -1;
  int op_ = 2;
  int interp_ = 1;
  bool multiQuadrant_ = false;
  bool clear_ = false;
  bool unitSet_ = false;
  bool regionOpen_ = false;
  bool stopped_ = false;
  bool tooMany_ = false;
  bool noApertureReported_ = false;
  std::vector<TDPoint> contour_;
  std::vector<TDPolygon> regionContours_;
  std::pair<const TObjekt*, std::unordered_set<uint64_t>> lastZoneKeys_{nullptr, {}};
  TDPoint pos_{0, 0};
  bool mirrorA_ = false, mirrorB_ = false, negative_ = false;
  double rotation_ = 0, offA_ = 0, offB_ = 0, scaleA_ = 1, scaleB_ = 1;
  struct TStepRepeat {
    bool On = false;
    size_t X = 1, Y = 1;
    double I = 0, J = 0;
    size_t FirstElement = 0, FirstClear = 0;
  } sr_;
};

void Count(TGerberReport& rep, const TObjektList& list, size_t from) {
  for (size_t i = from; i < list.size(); ++i) switch (list[i]->Kind) {
      case kKindTrack: ++rep.Tracks; break;
      case kKindCircle:
        if (list[i]->Fill) ++rep.Circles;
        else ++rep.Arcs;
        break;
      case kKindThtPad: ++rep.ThtPads; break;
      case kKindSmdPad: ++rep.SmdPads; break;
      case kKindZone: ++rep.Zones; break;
      default: break;
    }
}
}  // namespace

bool LooksLikeGerber(std::string_view text) { return text.find("%FS") != std::string_view::npos; }

TGerberReport ReadGerberText(std::string_view text, const std::string& name, uint8_t layer, TObjektList& out) {
  TGerberReport rep;
  rep.Name = name;
  if (text.size() >= kGerberMaxBytes) {
    rep.Refused = "the file " + name + " is too large (" + std::to_string(text.size()) + " bytes; the limit is " +
                  std::to_string(kGerberMaxBytes) + ")";
    return rep;
  }
  TReader r(name, layer, rep);
  r.Run(text);
  const size_t from = out.size();
  for (auto& e : r.Elements()) out.push_back(std::move(e));
  Count(rep, out, from);
  return rep;
}

TGerberReport ParseGerberFile(const std::string& path, uint8_t layer, TObjektList& out) {
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(path, ec); !ec && size >= kGerberMaxBytes) {
    TGerberReport rep;
    rep.Name = path;
    rep.Refused = "the file " + path + " is too large (" + std::to_string(size) + " bytes; the limit is " +
                  std::to_string(kGerberMaxBytes) + ")";
    return rep;
  }
  const TFileBytes read = ReadRegularFile(path, kGerberMaxBytes);
  if (!read.Ok()) {
    TGerberReport rep;
    rep.Name = path;
    rep.Refused = ReadFaultMessage(read, path);
    return rep;
  }
  return ReadGerberText(std::string_view(reinterpret_cast<const char*>(read.Bytes.data()), read.Bytes.size()), path,
                        layer, out);
}

}  // namespace bs
