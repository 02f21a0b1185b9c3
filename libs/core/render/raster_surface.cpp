#include "render/raster_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <agg_arc.h>
#include <agg_clip_liang_barsky.h>
#include <agg_conv_stroke.h>
#include <agg_ellipse.h>
#include <agg_gamma_functions.h>
#include <agg_path_storage.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_outline.h>
#include <agg_rasterizer_outline_aa.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_outline_aa.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_bin.h>
#include <agg_scanline_p.h>

#include "render/coverage.h"

namespace bs {

namespace {
constexpr unsigned kOpOr = 100;
constexpr unsigned kOpAnd = 101;
constexpr unsigned kOpMinus = 102;

// A blender for the custom-compositing pixel format: subtraction and the
// bitwise modes of the plain transparent look next to AGG's own operators.
struct TBlender {
  using color_type = agg::rgba8;
  using order_type = agg::order_rgba;
  using value_type = color_type::value_type;
  using calc_type = color_type::calc_type;
  using long_type = color_type::long_type;
  using base = agg::comp_op_adaptor_rgba<color_type, order_type>;

  static void blend_pix(unsigned op, value_type* p, value_type r, value_type g, value_type b, value_type a,
                        agg::cover_type cover) {
    if (op == kOpMinus) {
      // Subtracts the covered share of the colour, stopping at black.
      const unsigned k = unsigned(a) * cover;  // up to 255 * 255
      auto sub = [k](value_type& d, value_type s) {
        const unsigned take = (unsigned(s) * k + 255u * 255u / 2) / (255u * 255u);
        d = static_cast<value_type>(d > take ? d - take : 0);
      };
      sub(p[order_type::R], r);
      sub(p[order_type::G], g);
      sub(p[order_type::B], b);
      return;
    }
    if (op == kOpOr || op == kOpAnd) {
      if (unsigned(a) * cover < 128u * 255u) return;  // aliased: whole pixels only
      if (op == kOpOr) {
        p[order_type::R] |= r;
        p[order_type::G] |= g;
        p[order_type::B] |= b;
      } else {
        p[order_type::R] &= r;
        p[order_type::G] &= g;
        p[order_type::B] &= b;
      }
      return;
    }
    base::blend_pix(op, p, r, g, b, a, cover);
  }
};

using TPlainFormat = agg::pixfmt_rgba32;
using TCustomFormat = agg::pixfmt_custom_blend_rgba<TBlender, agg::rendering_buffer>;

agg::rgba8 Colour(TColour c, uint8_t alpha) { return agg::rgba8(Red(c), Green(c), Blue(c), alpha); }

agg::line_cap_e CapOf(TCap cap) {
  switch (cap) {
    case TCap::Square: return agg::square_cap;
    case TCap::Butt: return agg::butt_cap;
    default: return agg::round_cap;
  }
}
}  // namespace

struct TRasterSurface::TImpl {
  agg::rendering_buffer buffer;
  // Clipping in doubles: at high zoom, coordinates far outside the picture
  // would overflow the rasterizer's integer sub-pixels if clipped later.
  agg::rasterizer_scanline_aa<agg::rasterizer_sl_clip_dbl> ras;
  agg::scanline_p8 sl;    // packed spans: solid runs blend in one go
  agg::scanline_bin bin;  // the aliased look: whole pixels only
  agg::path_storage path;
  agg::conv_stroke<agg::path_storage> stroke{path};
  bool aliased = false;
  TCoverRasterizer cover{0, 0, 0, 0, false};
};

TRasterSurface::TRasterSurface(int width, int height, bool antiAliased)
    : impl_(std::make_unique<TImpl>()), raster_(std::max(width, 0), std::max(height, 0)), antiAliased_(antiAliased) {
  impl_->buffer.attach(raster_.Pixels.data(), raster_.Width, raster_.Height, raster_.Width * 4);
  impl_->aliased = !antiAliased_;
  // The aliased look takes a pixel when its larger part is covered, like
  // the direct shapes that take it when its centre is.
  if (impl_->aliased) impl_->ras.gamma(agg::gamma_threshold(0.5));
  ResetClip();
}

TRasterSurface::~TRasterSurface() = default;

void TRasterSurface::SetClip(int x0, int y0, int x1, int y1) {
  if (impl_) Flush();
  clip_[0] = std::max(0, x0);
  clip_[1] = std::max(0, y0);
  clip_[2] = std::min(raster_.Width, x1);
  clip_[3] = std::min(raster_.Height, y1);
  // Shapes are cut to the clip before they are rasterized, so that a huge
  // shape far outside the picture costs nothing.
  impl_->ras.clip_box(clip_[0] - 1, clip_[1] - 1, clip_[2] + 1, clip_[3] + 1);
  impl_->cover = TCoverRasterizer(clip_[0], clip_[1], clip_[2], clip_[3], !antiAliased_);
}

void TRasterSurface::ResetClip() { SetClip(0, 0, raster_.Width, raster_.Height); }

void TRasterSurface::Clear(TColour c) {
  for (size_t i = 0; i < raster_.Pixels.size(); i += 4) {
    raster_.Pixels[i] = Red(c);
    raster_.Pixels[i + 1] = Green(c);
    raster_.Pixels[i + 2] = Blue(c);
    raster_.Pixels[i + 3] = 255;
  }
}

namespace {
// Renders what is in the rasterizer in one colour with the surface's mode.
template <class Format, class Impl>
void RenderWith(Impl& impl, const int* clip, agg::rgba8 colour, unsigned op) {
  Format fmt(impl.buffer);
  if constexpr (std::is_same_v<Format, TCustomFormat>) fmt.comp_op(op);
  agg::renderer_base<Format> base(fmt);
  base.clip_box(clip[0], clip[1], clip[2] - 1, clip[3] - 1);
  if (impl.aliased) agg::render_scanlines_bin_solid(impl.ras, impl.bin, base, colour);
  else agg::render_scanlines_aa_solid(impl.ras, impl.sl, base, colour);
}
}  // namespace

void TRasterSurface::Render(TColour colour) {
  if (clip_[2] > clip_[0] && clip_[3] > clip_[1]) {
    const agg::rgba8 col = Colour(colour, alpha_);
    switch (compose_) {
      case TCompose::Normal: RenderWith<TPlainFormat>(*impl_, clip_, col, 0); break;
      case TCompose::Plus: RenderWith<TCustomFormat>(*impl_, clip_, col, agg::comp_op_plus); break;
      case TCompose::Minus: RenderWith<TCustomFormat>(*impl_, clip_, col, kOpMinus); break;
      case TCompose::Or: RenderWith<TCustomFormat>(*impl_, clip_, col, kOpOr); break;
      case TCompose::And: RenderWith<TCustomFormat>(*impl_, clip_, col, kOpAnd); break;
    }
  }
  impl_->ras.reset();
}

namespace {
// Blends the rows of the coverage rasterizer into the image.
template <class Format>
struct TBlendSink final : TCoverSink {
  Format fmt;
  agg::rgba8 colour;
  TBlendSink(agg::rendering_buffer& buffer, agg::rgba8 c, unsigned op) : fmt(buffer), colour(c) {
    if constexpr (std::is_same_v<Format, TCustomFormat>) fmt.comp_op(op);
  }
  void Row(int y, int x, int len, const uint8_t* covers) override {
    fmt.blend_solid_hspan(x, y, unsigned(len), colour, covers);
  }
  void Solid(int y, int x, int len) override { fmt.blend_hline(x, y, unsigned(len), colour, 255); }
};
}  // namespace

bool TRasterSurface::Direct() const {
  return alpha_ == 255 && (compose_ == TCompose::Normal || compose_ == TCompose::Or || compose_ == TCompose::And);
}

template <class F>
void TRasterSurface::DrawDirect(TColour c, F&& draw) {
  // Gathered shapes of another colour lie below this one.
  if (gathered_ && c != batchColour_) Flush();
  const agg::rgba8 col = Colour(c, alpha_);
  TCoverRasterizer& cover = impl_->cover;
  switch (compose_) {
    case TCompose::Normal: {
      TOpaqueSink sink(raster_, c);
      draw(cover, sink);
      break;
    }
    case TCompose::Or:
    case TCompose::And: {
      // The shapes take this one through the sink interface.
      TBlendSink<TCustomFormat> sink(impl_->buffer, col, compose_ == TCompose::Or ? kOpOr : kOpAnd);
      draw(cover, static_cast<TCoverSink&>(sink));
      break;
    }
    default: break;
  }
}

void TRasterSurface::Flush() {
  if (gathered_) Render(batchColour_);
  gathered_ = false;
}

void TRasterSurface::Start(TColour c) {
  if (batching_) {
    if (gathered_ && c != batchColour_) Flush();
    if (!gathered_) impl_->ras.reset();
    impl_->ras.filling_rule(agg::fill_non_zero);
    batchColour_ = c;
    gathered_ = true;
    return;
  }
  impl_->ras.reset();
  impl_->ras.filling_rule(agg::fill_non_zero);
}

void TRasterSurface::Finish(TColour c) {
  if (!batching_) Render(c);
}

void TRasterSurface::BeginBatch() {
  Flush();
  batching_ = true;
}

void TRasterSurface::EndBatch() {
  Flush();
  batching_ = false;
}

void TRasterSurface::FillRect(double x0, double y0, double x1, double y1, TColour c) {
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  Flush();
  if (compose_ == TCompose::Normal && alpha_ == 255) {
    // Opaque rectangles go straight into the rows, on whole pixels.
    const int ix0 = std::max(clip_[0], int(std::lround(x0))), ix1 = std::min(clip_[2], int(std::lround(x1)));
    const int iy0 = std::max(clip_[1], int(std::lround(y0))), iy1 = std::min(clip_[3], int(std::lround(y1)));
    if (ix1 <= ix0 || iy1 <= iy0) return;
    uint8_t px[4] = {Red(c), Green(c), Blue(c), 255};
    uint32_t word;
    std::memcpy(&word, px, 4);
    uint8_t* row = &raster_.Pixels[(size_t(iy0) * size_t(raster_.Width) + size_t(ix0)) * 4];
    const size_t stride = size_t(raster_.Width) * 4;
    if (ix1 - ix0 == 1) {
      // The grid's vertical lines: a pixel per row.
      for (int y = iy0; y < iy1; ++y, row += stride) std::memcpy(row, &word, 4);
      return;
    }
    for (int y = iy0; y < iy1; ++y, row += stride) FillPixels(row, ix1 - ix0, word);
    return;
  }
  auto& ras = impl_->ras;
  ras.reset();
  ras.filling_rule(agg::fill_non_zero);
  ras.move_to_d(x0, y0);
  ras.line_to_d(x1, y0);
  ras.line_to_d(x1, y1);
  ras.line_to_d(x0, y1);
  ras.close_polygon();
  Render(c);
}

namespace {
// Whether a small polygon's edges meet only at shared corners: then every
// fill rule gives the same shape.
bool IsSimplePolygon(const TPxPath& p) {
  const size_t n = p.size();
  if (n < 3 || n > 64) return false;
  auto cross = [](TPx a, TPx b, TPx c) { return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X); };
  for (size_t i = 0; i < n; ++i) {
    const TPx a = p[i], b = p[(i + 1) % n];
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours across the closing edge
      const TPx c = p[j], d = p[(j + 1) % n];
      const double d1 = cross(a, b, c), d2 = cross(a, b, d), d3 = cross(c, d, a), d4 = cross(c, d, b);
      if (((d1 > 0) != (d2 > 0) || d1 == 0 || d2 == 0) && ((d3 > 0) != (d4 > 0) || d3 == 0 || d4 == 0)) return false;
    }
  }
  return true;
}
}  // namespace

void TRasterSurface::FillPaths(const std::vector<TPxPath>& paths, TColour c) {
  if (batching_ && paths.size() == 1 && IsSimplePolygon(paths[0])) {
    FillSimplePolygon(paths[0], c);  // joins the batch
    return;
  }
  Flush();  // the even-odd rule cannot join a batch
  auto& ras = impl_->ras;
  ras.reset();
  ras.filling_rule(agg::fill_even_odd);
  for (const TPxPath& p : paths) {
    if (p.size() < 2) continue;
    ras.move_to_d(p[0].X, p[0].Y);
    for (size_t i = 1; i < p.size(); ++i) ras.line_to_d(p[i].X, p[i].Y);
    ras.close_polygon();
  }
  Render(c);
}

void TRasterSurface::FillSimplePolygon(const TPxPath& path, TColour c) {
  if (path.size() < 3) return;
  if (Direct()) {
    bool done = false;
    DrawDirect(c, [&](TCoverRasterizer& r, auto& sink) { done = r.ConvexPolygon(path.data(), path.size(), sink); });
    if (done) return;
  }
  // Every shape of a batch turns the same way, so that the union of
  // overlapping shapes has no holes under the non-zero rule.
  double area = 0;
  for (size_t i = 0, j = path.size() - 1; i < path.size(); j = i++)
    area += path[j].X * path[i].Y - path[i].X * path[j].Y;
  Start(c);
  auto& ras = impl_->ras;
  if (area >= 0) {
    ras.move_to_d(path[0].X, path[0].Y);
    for (size_t i = 1; i < path.size(); ++i) ras.line_to_d(path[i].X, path[i].Y);
  } else {
    ras.move_to_d(path.back().X, path.back().Y);
    for (size_t i = path.size() - 1; i-- > 0;) ras.line_to_d(path[i].X, path[i].Y);
  }
  ras.close_polygon();
  Finish(c);
}

void TRasterSurface::StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) {
  if (path.empty()) return;
  const bool thinPlainLine = !antiAliased_ && cap == TCap::Butt && !closed && path.size() == 2 && width <= 1.5;
  if (Direct() && thinPlainLine) {
    // The plain look's one-pixel lines.
    DrawDirect(c, [&](TCoverRasterizer& r, auto& sink) { r.PixelLine(path[0], path[1], sink); });
    return;
  }
  if (Direct()) {
    const double w = std::max(width, 1.0);
    if (cap == TCap::Round) {
      DrawDirect(c, [&](TCoverRasterizer& r, auto& sink) { r.RoundStroke(path.data(), path.size(), closed, w, sink); });
      return;
    }
    if (!closed && path.size() == 2) {
      // A straight line with flat or square ends.
      TPx a = path[0], b = path[1];
      if (cap == TCap::Square) {
        const double dx = b.X - a.X, dy = b.Y - a.Y, len = std::hypot(dx, dy), ext = w / 2;
        if (len > 0) {
          a = {a.X - dx / len * ext, a.Y - dy / len * ext};
          b = {b.X + dx / len * ext, b.Y + dy / len * ext};
        }
      }
      DrawDirect(c, [&](TCoverRasterizer& r, auto& sink) { r.Line(a, b, w, sink); });
      return;
    }
  }
  if (antiAliased_ && compose_ == TCompose::Normal && cap == TCap::Butt && !closed && path.size() == 2 && width <= 2 &&
      clip_[2] > clip_[0] && clip_[3] > clip_[1]) {
    // Hairlines (rubber bands, rims, markers) go through AGG's line
    // renderer, which needs no cells to sort. Its integer coordinates need
    // the segment cut to the picture first.
    double x1 = path[0].X, y1 = path[0].Y, x2 = path[1].X, y2 = path[1].Y;
    const agg::rect_d box(clip_[0] - 4, clip_[1] - 4, clip_[2] + 4, clip_[3] + 4);
    if (agg::clip_line_segment(&x1, &y1, &x2, &y2, box) >= 4) return;  // wholly outside
    Flush();
    TPlainFormat fmt(impl_->buffer);
    agg::renderer_base<TPlainFormat> base(fmt);
    base.clip_box(clip_[0], clip_[1], clip_[2] - 1, clip_[3] - 1);
    agg::line_profile_aa profile;
    profile.width(std::max(width, 1.0));
    agg::renderer_outline_aa<agg::renderer_base<TPlainFormat>> ren(base, profile);
    ren.color(Colour(c, alpha_));
    ren.clip_box(clip_[0] - 2, clip_[1] - 2, clip_[2] + 2, clip_[3] + 2);
    agg::rasterizer_outline_aa<decltype(ren)> lines(ren);
    lines.move_to_d(x1, y1);
    lines.line_to_d(x2, y2);
    lines.render(false);
    return;
  }
  // The path and the stroker live with the surface so that their storage is
  // reused from stroke to stroke.
  agg::path_storage& p = impl_->path;
  p.remove_all();
  p.move_to(path[0].X, path[0].Y);
  for (size_t i = 1; i < path.size(); ++i) p.line_to(path[i].X, path[i].Y);
  if (path.size() == 1) p.line_to(path[0].X + 1e-4, path[0].Y);  // a dot
  if (closed) p.close_polygon();
  auto& stroke = impl_->stroke;
  stroke.width(std::max(width, 1.0));
  stroke.line_join(agg::round_join);
  stroke.line_cap(CapOf(cap));
  Start(c);
  impl_->ras.add_path(stroke);
  Finish(c);
}

void TRasterSurface::StrokePaths(const std::vector<TPxPath>& paths, double width, TColour c) {
  if (!Direct()) {
    TSurface::StrokePaths(paths, width, c);
    return;
  }
  const double w = std::max(width, 1.0);
  DrawDirect(c, [&](TCoverRasterizer& r, auto& sink) { r.RoundStrokes(paths.data(), paths.size(), w, sink); });
}

void TRasterSurface::FillCircle(TPx centre, double r, TColour c) {
  if (Direct()) {
    DrawDirect(c, [&](TCoverRasterizer& ras, auto& sink) { ras.Disc(centre, r, sink); });
    return;
  }
  agg::ellipse e(centre.X, centre.Y, r, r);
  Start(c);
  impl_->ras.add_path(e);
  Finish(c);
}

void TRasterSurface::StrokeCircle(TPx centre, double r, double width, TColour c) {
  if (Direct()) {
    DrawDirect(c, [&](TCoverRasterizer& ras, auto& sink) { ras.Ring(centre, r, std::max(width, 1.0), sink); });
    return;
  }
  agg::ellipse e(centre.X, centre.Y, r, r);
  agg::conv_stroke<agg::ellipse> stroke(e);
  stroke.width(std::max(width, 1.0));
  Start(c);
  impl_->ras.add_path(stroke);
  Finish(c);
}

void TRasterSurface::StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) {
  // y points down here: the counter-clockwise sweep as seen is clockwise in
  // the image's own angles.
  agg::arc a(centre.X, centre.Y, r, r, -a0, -(a0 + sweep), false);
  agg::conv_stroke<agg::arc> stroke(a);
  stroke.width(std::max(width, 1.0));
  stroke.line_cap(CapOf(cap));
  Start(c);
  impl_->ras.add_path(stroke);
  Finish(c);
}

void TRasterSurface::FillPie(TPx centre, double r, double a0, double sweep, TColour c) {
  agg::arc a(centre.X, centre.Y, r, r, -a0, -(a0 + sweep), false);
  agg::path_storage p;
  p.move_to(centre.X, centre.Y);
  p.concat_path(a);
  p.close_polygon();
  p.arrange_orientations(0, agg::path_flags_ccw);
  Start(c);
  impl_->ras.add_path(p);
  Finish(c);
}

void TRasterSurface::BlitKeyed(const TRaster& src, TColour key) {
  Flush();
  const int w = std::min(src.Width, raster_.Width), h = std::min(src.Height, raster_.Height);
  for (int y = std::max(0, clip_[1]); y < std::min(h, clip_[3]); ++y) {
    const uint8_t* s = &src.Pixels[size_t(y) * size_t(src.Width) * 4];
    uint8_t* d = &raster_.Pixels[size_t(y) * size_t(raster_.Width) * 4];
    for (int x = std::max(0, clip_[0]); x < std::min(w, clip_[2]); ++x) {
      const uint8_t* sp = s + 4 * x;
      if (Rgb(sp[0], sp[1], sp[2]) == key) continue;
      uint8_t* dp = d + 4 * x;
      dp[0] = sp[0];
      dp[1] = sp[1];
      dp[2] = sp[2];
      dp[3] = 255;
    }
  }
}

}  // namespace bs
