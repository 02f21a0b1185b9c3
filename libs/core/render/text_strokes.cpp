#include "render/text_strokes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "model/geometry.h"
#include "render/stroke_font.h"

namespace bs {

namespace {
struct TBox {
  double minX = std::numeric_limits<double>::infinity(), minY = minX;
  double maxX = -std::numeric_limits<double>::infinity(), maxY = maxX;
  bool Empty() const { return maxX < minX; }
  TDPoint Centre() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
};

TBox StrokeBox(const TObjekt& text) {
  TBox b;
  for (const auto& s : text.SubElements)
    for (const TFPoint& p : s->Points) {
      b.minX = std::min<double>(b.minX, p.X);
      b.maxX = std::max<double>(b.maxX, p.X);
      b.minY = std::min<double>(b.minY, p.Y);
      b.maxY = std::max<double>(b.maxY, p.Y);
    }
  return b;
}

TByteString Trimmed(const TByteString& s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto b = std::find_if_not(s.begin(), s.end(), blank);
  const auto e = std::find_if_not(s.rbegin(), s.rend(), blank).base();
  return b < e ? TByteString(b, e) : TByteString();
}
}  // namespace

TTextMetrics TextMetrics(double height, int thickness, int style) {
  TTextMetrics m;
  m.Scale = height / 90;
  m.Factor = style == 0 ? 0.8 : style == 2 ? 1.6 : 1.2;
  switch (thickness) {
    case 0:
      m.StrokeWidth = RoundInt(m.Scale / 1.8 * 10);
      m.Gap = RoundInt(16 * m.Scale);
      break;
    case 2:
      m.StrokeWidth = RoundInt(m.Scale / 0.7 * 10);
      m.Gap = RoundInt(28 * m.Scale);
      break;
    default:
      m.StrokeWidth = RoundInt(m.Scale * 10);
      m.Gap = RoundInt(22 * m.Scale);
      break;
  }
  return m;
}

bool BuildTextStrokes(TObjekt& text, bool keepCentre, int32_t clearance) {
  const TBox oldBox = StrokeBox(text);
  text.SubElements.clear();

  // Heights beyond ten metres (or not numbers) come only from damaged data;
  // their metrics would not fit the integer widths of the strokes.
  if (!std::isfinite(text.SizeA) || std::fabs(text.SizeA) > 1e8) return false;
  const int thickness = text.SizeB >= 0 && text.SizeB <= 2 ? static_cast<int>(text.SizeB) : 1;
  const TTextMetrics m = TextMetrics(text.SizeA, thickness, text.Style);
  TByteString chars = Trimmed(text.Text);
  if (chars.empty()) chars = ".";

  double penX = text.Pos.X;
  const double penY = text.Pos.Y;
  TObjekt* stroke = nullptr;
  for (char ch : chars) {
    const auto code = static_cast<uint8_t>(ch);
    for (int i = 0;; ++i) {
      const std::optional<TIPoint> t = GlyphPoint(code, i);
      if (!t) {
        text.SubElements.clear();
        return false;
      }
      if (*t == kGlyphEnd) break;
      if (*t == kGlyphPenUp) {
        auto s = NewObjekt();
        InitTrack(*s, m.StrokeWidth, text.Layer);
        s->Clearance = clearance;
        text.SubElements.push_back(std::move(s));
        stroke = text.SubElements.back().get();
        continue;
      }
      if (!stroke) continue;  // points before the first pen-up have no stroke
      AddPoint(*stroke,
               {static_cast<float>(penX + t->X * m.Scale * m.Factor), static_cast<float>(penY + t->Y * m.Scale)});
    }
    stroke = nullptr;
    penX += std::round(GlyphWidth(code) * m.Scale * m.Factor) + m.Gap;
  }
  // Pen-ups that received no point leave empty strokes behind.
  std::erase_if(text.SubElements, [](const auto& s) { return s->Points.empty(); });

  for (const auto& s : text.SubElements) {
    if (text.MirrorV) MirrorVertically(*s, text.Pos.Y);
    if (text.MirrorH) MirrorHorizontally(*s, text.Pos.X);
    if (text.Rotation != 0) RotateObjekt(*s, {text.Pos.X, text.Pos.Y}, text.Rotation);
  }
  if (keepCentre && !oldBox.Empty()) {
    const TBox nb = StrokeBox(text);
    if (!nb.Empty()) {
      const TDPoint a = oldBox.Centre(), b = nb.Centre();
      for (const auto& s : text.SubElements) MoveObjekt(*s, a.X - b.X, a.Y - b.Y);
    }
  }
  return true;
}

double LimitTextHeight(double height, int thickness) {
  const double minimum = thickness == 0 ? 25000 : thickness == 2 ? 10000 : 15000;
  return std::max(height, minimum);
}

TByteString TAutoNumber::Next(const TByteString& typed) {
  if (!On) return typed;
  return typed + std::to_string(Counter++);
}

}  // namespace bs
