#include "render/coverage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bs {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// The x range of a disc on the horizontal line at height dy from its centre.
bool DiscSpan(double cx, double dy, double r, double& lo, double& hi) {
  const double q = r * r - dy * dy;
  if (q < 0) return false;
  const double h = std::sqrt(q);
  lo = cx - h;
  hi = cx + h;
  return true;
}

}  // namespace

TCoverRasterizer::TCoverRasterizer(int x0, int y0, int x1, int y1, bool binary)
    : x0_(x0), y0_(y0), x1_(x1), y1_(y1), binary_(binary) {}

// v is the distance of the pixel centre inside the shape's edge plus half a
// pixel: 0 or less is outside, 1 or more wholly inside.
uint8_t TCoverRasterizer::Cover(double v) const {
  if (binary_) return v >= 0.5 ? 255 : 0;
  if (v <= 0) return 0;
  if (v >= 1) return 255;
  return static_cast<uint8_t>(v * 255 + 0.5);
}

void TCoverRasterizer::Emit(int y, int xFrom, TCoverSink& sink) {
  // Drops the empty ends so that the sink blends only what is covered.
  size_t a = 0, b = row_.size();
  while (a < b && row_[a] == 0) ++a;
  while (b > a && row_[b - 1] == 0) --b;
  if (a < b) sink.Row(y, xFrom + int(a), int(b - a), row_.data() + a);
}

namespace {
// Pixel rows and columns whose centres lie in [lo, hi], cut to [min, max).
bool PixelRange(double lo, double hi, int min, int max, int& first, int& last) {
  if (!(lo <= hi)) return false;
  const double f = std::ceil(lo - 0.5), l = std::floor(hi - 0.5);
  first = f < min ? min : int(f);
  last = l >= max ? max - 1 : int(l);
  return first <= last;
}

// Fills the covers of pixels xa ... xb: 255 for those whose centres lie in
// [innerLo, innerHi] (wholly covered, known without a distance), the others
// from `cover` at their centre's x.
template <class F>
void FillRow(std::vector<uint8_t>& row, int xa, int xb, double innerLo, double innerHi, F&& cover) {
  row.resize(size_t(xb - xa + 1));
  int ia = xb + 1, ib = xb;
  if (innerLo <= innerHi) {
    ia = std::max(xa, int(std::ceil(innerLo - 0.5)));
    ib = std::min(xb, int(std::floor(innerHi - 0.5)));
    if (ia > ib) ia = xb + 1, ib = xb;
  }
  for (int x = xa; x < std::min(ia, xb + 1); ++x) row[size_t(x - xa)] = cover(x + 0.5);
  if (ia <= ib) std::fill(row.begin() + (ia - xa), row.begin() + (ib - xa + 1), uint8_t(255));
  for (int x = std::max(ib + 1, xa); x <= xb; ++x) row[size_t(x - xa)] = cover(x + 0.5);
}
}  // namespace

void TCoverRasterizer::Disc(TPx c, double r, TCoverSink& sink) {
  const double reach = binary_ ? r : r + 0.5;
  int ya, yb;
  if (!(r > 0) || !PixelRange(c.Y - reach, c.Y + reach, y0_, y1_, ya, yb)) return;
  for (int y = ya; y <= yb; ++y) {
    const double dy = y + 0.5 - c.Y;
    double lo, hi;
    int xa, xb;
    if (!DiscSpan(c.X, dy, reach, lo, hi) || !PixelRange(lo, hi, x0_, x1_, xa, xb)) continue;
    if (binary_) {
      sink.Solid(y, xa, xb - xa + 1);
      continue;
    }
    double inLo = lo, inHi = hi;
    if (!DiscSpan(c.X, dy, r - 0.5, inLo, inHi)) inLo = kInf, inHi = -kInf;
    FillRow(row_, xa, xb, inLo, inHi, [&](double xc) {
      const double dx = xc - c.X;
      return Cover(r + 0.5 - std::sqrt(dx * dx + dy * dy));
    });
    Emit(y, xa, sink);
  }
}

void TCoverRasterizer::Ring(TPx c, double r, double width, TCoverSink& sink) {
  const double h = width / 2;
  const double outer = binary_ ? r + h : r + h + 0.5;
  const double inner = binary_ ? r - h : r - h - 0.5;  // nothing inside this
  int ya, yb;
  if (!(outer > 0) || !PixelRange(c.Y - outer, c.Y + outer, y0_, y1_, ya, yb)) return;
  for (int y = ya; y <= yb; ++y) {
    const double dy = y + 0.5 - c.Y;
    double lo, hi;
    if (!DiscSpan(c.X, dy, outer, lo, hi)) continue;
    // The row in two pieces when it passes through the empty middle.
    double holeLo = kInf, holeHi = -kInf;
    if (inner > 0) DiscSpan(c.X, dy, inner, holeLo, holeHi);
    const double pieces[2][2] = {{lo, std::min(hi, holeLo)}, {std::max(lo, holeHi), hi}};
    for (const auto& piece : pieces) {
      int xa, xb;
      if (!PixelRange(piece[0], piece[1], x0_, x1_, xa, xb)) continue;
      if (binary_) {
        sink.Solid(y, xa, xb - xa + 1);
        if (holeLo > holeHi) break;
        continue;
      }
      row_.resize(size_t(xb - xa + 1));
      for (int x = xa; x <= xb; ++x) {
        const double dx = x + 0.5 - c.X;
        row_[size_t(x - xa)] = Cover(h + 0.5 - std::abs(std::sqrt(dx * dx + dy * dy) - r));
      }
      Emit(y, xa, sink);
      if (holeLo > holeHi) break;  // one piece only
    }
  }
}

namespace {
// Where the rows meet the points within some distance of a segment: the
// hull of the two end discs and the band between them, which is one piece.
struct TCapsuleRows {
  TPx a, b;
  double ux = 1, uy = 0, len = 0, invUx = 0, invUy = 0;
  TCapsuleRows(TPx from, TPx to) : a(from), b(to) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    len = std::hypot(dx, dy);
    if (len > 0) ux = dx / len, uy = dy / len;
    if (std::abs(ux) > 1e-12) invUx = 1 / ux;
    if (std::abs(uy) > 1e-12) invUy = 1 / uy;
  }
  bool Span(double yc, double reach, double& lo, double& hi) const {
    lo = kInf;
    hi = -kInf;
    if (!(reach > 0)) return false;
    const double r2 = reach * reach, da = yc - a.Y, db = yc - b.Y;
    if (da * da < r2) {
      const double w = std::sqrt(r2 - da * da);
      lo = std::min(lo, a.X - w), hi = std::max(hi, a.X + w);
    }
    if (db * db < r2) {
      const double w = std::sqrt(r2 - db * db);
      lo = std::min(lo, b.X - w), hi = std::max(hi, b.X + w);
    }
    if (len > 0) {
      // Across: -uy * (x - ax) + ux * da within +-reach; along: ux * (x -
      // ax) + uy * da within [0, len].
      double bl = -kInf, br = kInf;
      if (invUy != 0) {
        const double m = ux * da * invUy;
        const double x1 = a.X + m - reach * invUy, x2 = a.X + m + reach * invUy;
        bl = std::min(x1, x2), br = std::max(x1, x2);
      } else if (std::abs(ux * da) > reach) {
        br = -kInf;
      }
      if (invUx != 0) {
        const double m = -uy * da * invUx;
        const double x1 = a.X + m, x2 = a.X + m + len * invUx;
        bl = std::max(bl, std::min(x1, x2)), br = std::min(br, std::max(x1, x2));
      } else if (uy * da < 0 || uy * da > len) {
        br = -kInf;
      }
      if (bl <= br) lo = std::min(lo, bl), hi = std::max(hi, br);
    }
    return lo <= hi;
  }
};
}  // namespace

void TCoverRasterizer::Segment(TPx a, TPx b, double width, TCoverSink& sink) {
  const double h = width / 2;
  const double reach = binary_ ? h : h + 0.5;
  int ya, yb;
  if (!PixelRange(std::min(a.Y, b.Y) - reach, std::max(a.Y, b.Y) + reach, y0_, y1_, ya, yb)) return;
  const TCapsuleRows rows(a, b);
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5;
    double lo, hi;
    int xa, xb;
    if (!rows.Span(yc, reach, lo, hi) || !PixelRange(lo, hi, x0_, x1_, xa, xb)) continue;
    if (binary_) {
      sink.Solid(y, xa, xb - xa + 1);
      continue;
    }
    double inLo = lo, inHi = hi;
    if (!rows.Span(yc, h - 0.5, inLo, inHi)) inLo = kInf, inHi = -kInf;
    // Beside the segment the distance is the one across it, linear along
    // the row; only beyond its ends is it the distance to an end point.
    const double da = yc - a.Y, acrossRow = rows.ux * da + rows.uy * a.X, alongRow = rows.uy * da - rows.ux * a.X;
    FillRow(row_, xa, xb, inLo, inHi, [&](double xc) {
      const double along = rows.ux * xc + alongRow;
      double d;
      if (along >= 0 && along <= rows.len) {
        d = std::abs(acrossRow - rows.uy * xc);
      } else {
        const TPx end = along < 0 ? a : b;
        d = std::hypot(xc - end.X, yc - end.Y);
      }
      return Cover(h + 0.5 - d);
    });
    if (union_.Active) Merge(y, xa);
    else Emit(y, xa, sink);
  }
}

// Keeps the larger cover of each pixel: the union of shapes whose cover
// falls with the distance from them.
void TCoverRasterizer::Merge(int y, int xa) {
  TUnion& u = union_;
  const size_t at = size_t(y - u.Y) * size_t(u.W) + size_t(xa - u.X);
  for (size_t i = 0; i < row_.size(); ++i) u.Covers[at + i] = std::max(u.Covers[at + i], row_[i]);
  int& lo = u.Lo[size_t(y - u.Y)];
  int& hi = u.Hi[size_t(y - u.Y)];
  lo = std::min(lo, xa);
  hi = std::max(hi, xa + int(row_.size()) - 1);
}

void TCoverRasterizer::RoundStroke(const TPx* p, size_t n, bool closed, double width, TCoverSink& sink) {
  if (n == 0) return;
  if (n == 1) {
    Disc(p[0], width / 2, sink);
    return;
  }
  const size_t segments = closed && n > 2 ? n : n - 1;
  const double h = width / 2, reach = binary_ ? h : h + 0.5;
  double minX = kInf, maxX = -kInf, minY = kInf, maxY = -kInf;
  for (size_t i = 0; i < n; ++i) {
    minX = std::min(minX, p[i].X), maxX = std::max(maxX, p[i].X);
    minY = std::min(minY, p[i].Y), maxY = std::max(maxY, p[i].Y);
  }
  int xa, xb, ya, yb;
  if (!PixelRange(minX - reach, maxX + reach, x0_, x1_, xa, xb) ||
      !PixelRange(minY - reach, maxY + reach, y0_, y1_, ya, yb))
    return;
  const int w = xb - xa + 1, rows = yb - ya + 1;
  // Whole pixels taken twice look the same: the plain look needs no union.
  if (binary_ || segments == 1 || double(w) * double(rows) > 512.0 * 512.0) {
    // Very large strokes segment by segment: where two segments meet, their
    // soft edges blend twice, which an opaque colour does not show.
    for (size_t i = 0; i < segments; ++i) Segment(p[i], p[(i + 1) % n], width, sink);
    return;
  }
  // The segments are gathered into a cover buffer as one union, so that
  // every pixel is blended once.
  TUnion& u = union_;
  u.Active = true;
  u.X = xa;
  u.Y = ya;
  u.W = w;
  if (u.Covers.size() < size_t(w) * size_t(rows)) u.Covers.resize(size_t(w) * size_t(rows), 0);
  u.Lo.assign(size_t(rows), x1_);
  u.Hi.assign(size_t(rows), x0_ - 1);
  for (size_t i = 0; i < segments; ++i) Segment(p[i], p[(i + 1) % n], width, sink);
  u.Active = false;
  for (int r = 0; r < rows; ++r) {
    const int lo = u.Lo[size_t(r)], hi = u.Hi[size_t(r)];
    if (lo > hi) continue;
    uint8_t* line = &u.Covers[size_t(r) * size_t(w) + size_t(lo - xa)];
    row_.assign(line, line + (hi - lo + 1));
    std::fill(line, line + (hi - lo + 1), uint8_t(0));  // the buffer stays clear for the next stroke
    Emit(ya + r, lo, sink);
  }
}

void TCoverRasterizer::Line(TPx a, TPx b, double width, TCoverSink& sink) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len = std::hypot(dx, dy);
  if (!(std::abs(dy) >= std::abs(dx)) || !(len > 0)) {
    // Flat lines and dots as their rectangle: long runs per row.
    const double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0, h = width / 2;
    const TPx box[4] = {{a.X - uy * h, a.Y + ux * h}, {b.X - uy * h, b.Y + ux * h},
                        {b.X + uy * h, b.Y - ux * h}, {a.X + uy * h, a.Y - ux * h}};
    ConvexPolygon(box, 4, sink);
    return;
  }
  // A steep line row by row: a few pixels about the centre of each row,
  // covered by their distance across the line. The flat ends are taken as
  // horizontal, which a steep line's end differs from by less than a pixel.
  const double h = width / 2, across = std::abs(dy) / len;  // distance per pixel along the row
  const double reach = (binary_ ? h : h + 0.5) / across;
  const double slope = dx / dy;
  int ya, yb;
  if (!PixelRange(std::min(a.Y, b.Y), std::max(a.Y, b.Y), y0_, y1_, ya, yb)) return;
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5, cx = a.X + (yc - a.Y) * slope;
    int xa, xb;
    if (!PixelRange(cx - reach, cx + reach, x0_, x1_, xa, xb)) continue;
    row_.resize(size_t(xb - xa + 1));
    for (int x = xa; x <= xb; ++x) row_[size_t(x - xa)] = Cover(h + 0.5 - std::abs(x + 0.5 - cx) * across);
    Emit(y, xa, sink);
  }
}

void TCoverRasterizer::PixelLine(TPx a, TPx b, TCoverSink& sink) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  if (std::abs(dy) >= std::abs(dx)) {
    // One pixel per row, each row's x found from the row alone so that any
    // clip shows the same pixels.
    if (a.Y > b.Y) std::swap(a, b);
    const double slope = dy != 0 ? dx / dy : 0;
    const int ya = std::max(y0_, int(std::floor(a.Y))), yb = std::min(y1_ - 1, int(std::floor(b.Y)));
    for (int y = ya; y <= yb; ++y) {
      const double yc = std::clamp(y + 0.5, a.Y, b.Y);
      const int x = int(std::floor(a.X + (yc - a.Y) * slope));
      if (x >= x0_ && x < x1_) sink.Solid(y, x, 1);
    }
    return;
  }
  // One pixel per column, gathered into runs along each row.
  if (a.X > b.X) std::swap(a, b);
  const double slope = dy / dx;
  int xa = std::max(x0_, int(std::floor(a.X))), xb = std::min(x1_ - 1, int(std::floor(b.X)));
  if (std::abs(slope) > 1e-12) {
    // Only the columns whose row can lie within the clip.
    const double c0 = a.X + (y0_ - 1 - a.Y) / slope, c1 = a.X + (y1_ + 1 - a.Y) / slope;
    xa = std::max(xa, int(std::floor(std::min(c0, c1))) - 1);
    xb = std::min(xb, int(std::ceil(std::max(c0, c1))) + 1);
  }
  int runY = 0, runX = 0, runLen = 0;
  auto flush = [&] {
    if (runLen > 0 && runY >= y0_ && runY < y1_) sink.Solid(runY, runX, runLen);
    runLen = 0;
  };
  for (int x = xa; x <= xb; ++x) {
    const double xc = std::clamp(x + 0.5, a.X, b.X);
    const int y = int(std::floor(a.Y + (xc - a.X) * slope));
    if (runLen > 0 && y == runY) {
      ++runLen;
      continue;
    }
    flush();
    runY = y, runX = x, runLen = 1;
  }
  flush();
}

bool TCoverRasterizer::ConvexPolygon(const TPx* p, size_t n, TCoverSink& sink) {
  // The edges as outward half-planes nx * x + ny * y <= c.
  struct TEdge {
    double nx, ny, c;
  };
  TEdge edges[64];
  size_t m = 0;
  double area = 0, cx = 0, cy = 0;
  for (size_t i = 0; i < n; ++i) {
    const TPx a = p[i], b = p[(i + 1) % n];
    area += a.X * b.Y - b.X * a.Y;
    cx += a.X;
    cy += a.Y;
  }
  if (n < 3 || n > 64 || !(std::abs(area) > 1e-9)) return false;
  cx /= double(n);
  cy /= double(n);
  // Convex: every corner turns the same way and the edge direction reverses
  // horizontally at most twice (which rules out stars).
  int turn = 0, flips = 0, lastDx = 0;
  for (size_t i = 0; i < n; ++i) {
    const TPx a = p[i], b = p[(i + 1) % n], c = p[(i + 2) % n];
    const double ex = b.X - a.X, ey = b.Y - a.Y;
    const double cross = ex * (c.Y - b.Y) - ey * (c.X - b.X);
    const int t = cross > 1e-12 ? 1 : cross < -1e-12 ? -1 : 0;
    if (t != 0) {
      if (turn != 0 && t != turn) return false;
      turn = t;
    }
    const int sx = ex > 0 ? 1 : ex < 0 ? -1 : 0;
    if (sx != 0) {
      if (lastDx != 0 && sx != lastDx) ++flips;
      lastDx = sx;
    }
    const double len = std::hypot(ex, ey);
    if (len < 1e-12) continue;  // a repeated point
    double nx = ey / len, ny = -ex / len;
    if (nx * (cx - a.X) + ny * (cy - a.Y) > 0) nx = -nx, ny = -ny;
    edges[m++] = {nx, ny, nx * a.X + ny * a.Y};
  }
  if (flips > 2 || m < 3) return false;
  const double fringe = binary_ ? 0 : 0.5;
  double minY = kInf, maxY = -kInf;
  for (size_t i = 0; i < n; ++i) minY = std::min(minY, p[i].Y), maxY = std::max(maxY, p[i].Y);
  int ya, yb;
  if (!PixelRange(minY - fringe, maxY + fringe, y0_, y1_, ya, yb)) return true;
  // Each edge bounds the row from one side at x = at + slope * yc + f / nx
  // for a distance f from it.
  double at[64], slope[64], inv[64];
  for (size_t i = 0; i < m; ++i) {
    const TEdge& e = edges[i];
    inv[i] = std::abs(e.nx) > 1e-12 ? 1 / e.nx : 0;
    at[i] = e.c * inv[i];
    slope[i] = -e.ny * inv[i];
  }
  double rest[64];
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5;
    double lo = -kInf, hi = kInf;
    double inLo = -kInf, inHi = kInf;
    for (size_t i = 0; i < m; ++i) {
      rest[i] = edges[i].ny * yc - edges[i].c;
      if (inv[i] == 0) {  // a horizontal edge takes the row or not
        if (rest[i] > fringe) hi = -kInf;
        if (rest[i] > -0.5) inHi = -kInf;
        continue;
      }
      const double x = at[i] + slope[i] * yc;
      if (inv[i] > 0) {
        hi = std::min(hi, x + fringe * inv[i]);
        inHi = std::min(inHi, x - 0.5 * inv[i]);
      } else {
        lo = std::max(lo, x + fringe * inv[i]);
        inLo = std::max(inLo, x - 0.5 * inv[i]);
      }
    }
    int xa, xb;
    if (!PixelRange(lo, hi, x0_, x1_, xa, xb)) continue;
    if (binary_) {
      sink.Solid(y, xa, xb - xa + 1);
      continue;
    }
    FillRow(row_, xa, xb, inLo, inHi, [&](double xc) {
      double sd = -kInf;
      for (size_t i = 0; i < m; ++i) sd = std::max(sd, edges[i].nx * xc + rest[i]);
      return Cover(0.5 - sd);
    });
    Emit(y, xa, sink);
  }
  return true;
}

}  // namespace bs
