#include "render/grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/messages.h"
#include "render/view.h"

namespace bs {

namespace {

constexpr double kMmPerMil = 0.0254;
constexpr int32_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

std::string Printf(const char* fmt, int decimals, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, decimals, v);
  return buf;
}

// Removes trailing zeros after a decimal separator, and then the separator.
std::string TrimFraction(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

int IntegerDigits(double v) {
  int n = 1;
  for (double a = std::trunc(std::abs(v)); a >= 10; a = std::trunc(a / 10)) ++n;
  return n;
}

// 6 - (integer digits) decimals (none when there are six or more), trimmed.
std::string SixDigitText(double v) { return TrimFraction(Printf("%.*f", std::max(0, 6 - IntegerDigits(v)), v)); }

// Decimals of the plain (shortest faithful) printing of a value.
int PlainDecimals(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  const std::string s = buf;
  if (s.find_first_of("eE") != std::string::npos) return 99;
  const size_t dot = s.find('.');
  return dot == std::string::npos ? 0 : int(s.size() - dot - 1);
}

size_t CodePoints(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

TDisplayUnit Other(TDisplayUnit u) { return u == TDisplayUnit::Mil ? TDisplayUnit::Mm : TDisplayUnit::Mil; }

// Fills the part of a pixel rectangle that lies inside (0, 0) ... (w, h).
void FillClipped(TSurface& s, long long x0, long long y0, long long x1, long long y1, int w, int h, TColour c) {
  x0 = std::max<long long>(x0, 0);
  y0 = std::max<long long>(y0, 0);
  x1 = std::min<long long>(x1, w);
  y1 = std::min<long long>(y1, h);
  if (x0 < x1 && y0 < y1) s.FillRect(double(x0), double(y0), double(x1), double(y1), c);
}

bool IsMarker(long long index, int every) { return every > 0 && index % every == 0; }

}  // namespace

// ---- grid value codes ----

std::optional<double> DecodeGridValue(int32_t code) {
  if (code < 10000000 || code > 39999999) return std::nullopt;
  const int unit = code / 10000000;
  const int32_t digits = (code / 10) % 1000000;
  const int p = code % 10;
  if (p > 6) return std::nullopt;
  // The separator before the p-th of six digits leaves 7 - p of them behind it.
  double v = p == 0 ? double(digits) : double(digits) / kPow10[7 - p];
  if (unit == int(TGridUnit::Micrometre)) v /= 1000;
  if (unit == int(TGridUnit::Mil)) v = v * 25.4 / 1000;
  return v;
}

double GridUnitsFromCode(int32_t code) {
  const auto mm = DecodeGridValue(code);
  return mm ? *mm * kUnitsPerMm : 0;
}

std::optional<int32_t> EncodeGridValue(const std::string& typed, TGridUnit unit) {
  const size_t b = typed.find_first_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  const size_t e = typed.find_last_not_of(" \t");
  const std::string s = typed.substr(b, e - b + 1);
  const size_t sep = s.find_first_of(".,");
  std::string whole = s.substr(0, sep);
  std::string frac = sep == std::string::npos ? "" : s.substr(sep + 1);
  auto digitsOnly = [](const std::string& t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digitsOnly(whole) || !digitsOnly(frac) || (whole.empty() && frac.empty())) return std::nullopt;
  // Digits that carry nothing go first when the value would not fit.
  while (whole.size() + frac.size() > 6 && !whole.empty() && whole.front() == '0') whole.erase(0, 1);
  while (whole.size() + frac.size() > 6 && !frac.empty() && frac.back() == '0') frac.pop_back();
  if (whole.size() + frac.size() > 6) return std::nullopt;
  const std::string digits = whole + frac;
  const int32_t n = digits.empty() ? 0 : std::atoi(digits.c_str());
  const int p = frac.empty() ? 0 : 7 - int(frac.size());
  return int32_t(unit) * 10000000 + n * 10 + p;
}

// ---- user grids ----

bool SameUserGrid(double mmA, double mmB) { return std::abs(mmA - mmB) < 1e-10; }

bool GridMatches(double gridUnits, double mm) {
  return std::llround(gridUnits / kUnitsPerMm * 1e8) == std::llround(mm * 1e8);
}

std::string UserGridRangeError(double mm) {
  // The tolerance lets the limits themselves through whatever unit they were
  // typed in.
  if (!(mm >= kUserGridMinMm * (1 - 1e-9))) return msg::kGridTooSmall;
  if (!(mm <= kUserGridMaxMm * (1 + 1e-9))) return msg::kGridTooLarge;
  return {};
}

TUserGridInsert InsertUserGrid(std::vector<int32_t>& list, int32_t code) {
  const double mm = DecodeGridValue(code).value_or(0);
  size_t at = list.size();
  for (size_t i = 0; i < list.size(); ++i) {
    const double v = DecodeGridValue(list[i]).value_or(0);
    if (SameUserGrid(v, mm)) return {int(i), false};
    if (v > mm && at == list.size()) at = i;
  }
  list.insert(list.begin() + std::ptrdiff_t(at), code);
  return {int(at), true};
}

TUserGridAdd AddUserGrid(std::vector<int32_t>& list, const std::string& typed, TGridUnit unit) {
  TUserGridAdd r;
  const auto code = EncodeGridValue(typed, unit);
  if (!code) {
    r.Error = msg::kGridDigits;
    return r;
  }
  r.Error = UserGridRangeError(*DecodeGridValue(*code));
  if (!r.Error.empty()) return r;
  const TUserGridInsert ins = InsertUserGrid(list, *code);
  r.Index = ins.Index;
  r.Inserted = ins.Inserted;
  return r;
}

// ---- grid texts ----

std::string GridValueText(double mm, TDisplayUnit unit, TLanguage language) {
  if (unit == TDisplayUnit::Mil) {
    const double mil = std::round(mm / kMmPerMil * 100000) / 100000;
    return SixDigitText(mil) + " mil";
  }
  if (mm < 1 && PlainDecimals(mm) > 4) return SixDigitText(mm * 1000) + " " + MicrometreSign(language);
  return SixDigitText(mm) + " " + MillimetreSign(language);
}

std::string GridMenuText(double mm, TDisplayUnit base, TLanguage language) {
  return GridValueText(mm, base, language) + " (" + GridValueText(mm, Other(base), language) + ")";
}

std::string GridButtonText(double mm, TDisplayUnit base, TLanguage language) {
  std::string s = GridValueText(mm, base, language);
  const size_t width = base == TDisplayUnit::Mil ? 11 : 9;
  const size_t n = CodePoints(s);
  if (n < width) s.insert(0, width - n, ' ');
  return s;
}

// ---- rulers ----

TRulerScale RulerScale(double zoom, TDisplayUnit unit) {
  TRulerScale s;
  s.PixelsPerStep = RoundInt(zoom * 10000 * (unit == TDisplayUnit::Mil ? 2.54 : 1));
  const int d = s.PixelsPerStep;
  s.Major = d <= 4      ? 50000
            : d < 20    ? 10000
            : d < 50    ? 5000
            : d < 200   ? 1000
            : d < 500   ? 500
            : d < 2000  ? 100
            : d < 5000  ? 50
            : d < 20000 ? 10
            : d < 50000 ? 5
                        : 1;
  s.Step = 1;
  for (int r : {10, 100, 1000, 10000})
    if (r < s.Major) s.Step = r;
  return s;
}

std::vector<TRulerTick> RulerTicks(double zoom, TDisplayUnit unit, double zero, int length, int scroll, bool vertical) {
  std::vector<TRulerTick> ticks;
  if (!(zoom > 0) || !std::isfinite(zoom) || length <= 0) return ticks;
  const bool mil = unit == TDisplayUnit::Mil;
  const double k = mil ? kUnitsPerMil / 10.0 : kUnitsPerMm / 1000.0;  // units per ruler count
  // The vertical ruler counts downwards, against the model's y axis.
  const double z = vertical ? -zero : zero;
  const TRulerScale sc = RulerScale(zoom, unit);
  const long long e = sc.Major, r = sc.Step;
  auto valueAt = [&](double px) { return ((px + scroll) / zoom - z) / k; };
  const double lo = std::ceil(valueAt(0) / double(r)), hi = std::floor(valueAt(length) / double(r));
  if (!(std::abs(lo) < 1e15 && std::abs(hi) < 1e15)) return ticks;  // no sane view gets here
  const long long first = (long long)lo * r, last = (long long)hi * r;
  if (last < first || (last - first) / r > 1000000) return ticks;
  const bool fives = e == 50 || e == 500 || e == 5000 || e == 50000;
  for (long long v = first; v <= last; v += r) {
    const int pos = RoundInt((z + double(v) * k) * zoom - scroll);
    if (pos < 0 || pos >= length) continue;
    if (v % e == 0) {
      if (pos < kRulerLabelMargin) continue;
      const long long shown = vertical ? std::llabs(v) : v;
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.7g", mil ? double(shown) / 10 : double(shown) / 1000);
      ticks.push_back({pos, 14, buf});
    } else if (fives) {
      if ((5 * v) % e == 0) ticks.push_back({pos, 4, {}});
    } else if ((2 * v) % e == 0) {
      ticks.push_back({pos, 8, {}});
    } else if ((10 * v) % e == 0) {
      ticks.push_back({pos, 4, {}});
    }
  }
  return ticks;
}

std::vector<TRulerTick> HorizontalRulerTicks(const TPlatine& board, TDisplayUnit unit, int length) {
  return RulerTicks(board.Zoom, unit, board.OriginX, length, board.ScrollX, false);
}

std::vector<TRulerTick> VerticalRulerTicks(const TPlatine& board, TDisplayUnit unit, int length) {
  return RulerTicks(board.Zoom, unit, board.OriginY, length, board.ScrollY, true);
}

// ---- grid drawing ----

bool GridDrawn(const TPlatine& board) {
  if (!(board.Zoom > 0) || !(board.Grid > 0) || !std::isfinite(board.Zoom) || !std::isfinite(board.Grid)) return false;
  const double p = std::max(1 / board.Zoom, 1.0);
  return 6 * p < board.Grid;
}

void DrawGrid(TSurface& surface, const TPlatine& board, const TGridStyle& style) {
  if (!GridDrawn(board)) return;
  const double zoom = board.Zoom, g = board.Grid;
  const double p = std::max(1 / zoom, 1.0);
  // The board's part of the surface.
  const TPixelSize full = SurfaceSize(board);
  const int w = std::min(surface.Width(), full.Width - board.ScrollX);
  const int h = std::min(surface.Height(), full.Height - board.ScrollY);
  if (w <= 0 || h <= 0) return;

  // Rows and columns inside the visible area grown by 2p + 1 units, counted
  // from the zero point's row and column.
  const double margin = 2 * p + 1;
  const double xMin = board.ScrollX / zoom - margin, xMax = (w + board.ScrollX) / zoom + margin;
  const double yMax = -board.ScrollY / zoom + margin, yMin = -(h + board.ScrollY) / zoom - margin;
  const double ox = board.OriginX, oy = board.OriginY;
  const long long c0 = (long long)std::ceil((xMin - ox) / g), c1 = (long long)std::floor((xMax - ox) / g);
  const long long r0 = (long long)std::ceil((yMin - oy) / g), r1 = (long long)std::floor((yMax - oy) / g);
  if (c1 < c0 || r1 < r0) return;

  auto column = [&](long long i) { return (long long)std::llround((ox + double(i) * g) * zoom - board.ScrollX); };
  auto row = [&](long long j) { return (long long)std::llround(-(oy + double(j) * g) * zoom - board.ScrollY); };

  if (!style.Dots) {
    const TColour c = style.LineColour;
    // Marker lines are round(2 / Zoom) + 1 units wide.
    const int markerPx = std::max(1, RoundInt((RoundInt(2 / zoom) + 1) * zoom));
    for (long long j = r0; j <= r1; ++j) {
      const int lw = IsMarker(j, style.MarkerEvery) ? markerPx : 1;
      const long long y = row(j) - lw / 2;
      FillClipped(surface, 0, y, w, y + lw, w, h, c);
    }
    for (long long i = c0; i <= c1; ++i) {
      const int lw = IsMarker(i, style.MarkerEvery) ? markerPx : 1;
      const long long x = column(i) - lw / 2;
      FillClipped(surface, x, 0, x + lw, h, w, h, c);
    }
    return;
  }

  const TColour c = style.DotColour;
  for (long long j = r0; j <= r1; ++j) {
    const long long y = row(j);
    const bool markerRow = IsMarker(j, style.MarkerEvery);
    for (long long i = c0; i <= c1; ++i) {
      const long long x = column(i);
      if (markerRow && IsMarker(i, style.MarkerEvery)) {
        FillClipped(surface, x - 2, y, x + 3, y + 1, w, h, c);
        FillClipped(surface, x, y - 2, x + 1, y + 3, w, h, c);
      } else {
        FillClipped(surface, x, y, x + 1, y + 1, w, h, c);
      }
    }
  }
}

}  // namespace bs
