#include "render/coverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where the processor has AVX2, the shapes run in a second copy compiled for
// it (the same operations, three-operand and with one-instruction rounding),
// chosen once when the program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__ELF__)
#define BS_COVER_CLONES [[gnu::target_clones("avx2", "default")]]
#else
#define BS_COVER_CLONES
#endif
// The helpers go into each copy.
#if defined(__GNUC__)
#define BS_INLINE [[gnu::always_inline]] inline
#else
#define BS_INLINE inline
#endif

namespace bs {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// The x range of a disc on the horizontal line at height dy from its centre.
BS_INLINE bool DiscSpan(double cx, double dy, double r, double& lo, double& hi) {
  const double q = r * r - dy * dy;
  if (q < 0) return false;
  const double h = std::sqrt(q);
  lo = cx - h;
  hi = cx + h;
  return true;
}

// v is the distance of the pixel centre inside the shape's edge plus half a
// pixel: 0 or less is outside, 1 or more wholly inside. Clamping the level
// gives the same as testing v <= 0 and v >= 1 first: below 0 it is under a
// half, from 1 on it reaches 255.5.
BS_INLINE uint8_t Level(double v) { return static_cast<uint8_t>(int(std::min(std::max(v * 255 + 0.5, 0.0), 255.0))); }

// Rounding towards minus and plus infinity for values well inside the int
// range (the callers cut them to the clip first).
BS_INLINE int FloorInt(double v) {
  const int i = int(v);
  return i - (v < i);
}
BS_INLINE int CeilInt(double v) {
  const int i = int(v);
  return i + (v > i);
}

// Pixel rows and columns whose centres lie in [lo, hi], cut to [min, max).
BS_INLINE bool PixelRange(double lo, double hi, int min, int max, int& first, int& last) {
  if (!(lo <= hi)) return false;
  const double l = lo - 0.5, h = hi - 0.5;
  // ceil(l) < min exactly when l <= min - 1, floor(h) >= max when h >= max.
  if (!(l <= max - 1) || !(h >= min)) return false;
  first = l <= min - 1 ? min : CeilInt(l);
  last = h >= max ? max - 1 : FloorInt(h);
  return first <= last;
}

// The pixels of xa ... xb whose centres lie in [innerLo, innerHi]: wholly
// covered, known without a distance. None when ia > ib.
BS_INLINE void FullRun(int xa, int xb, double innerLo, double innerHi, int& ia, int& ib) {
  if (!PixelRange(innerLo, innerHi, xa, xb + 1, ia, ib)) ia = xb + 1, ib = xb;
}

#if defined(__SSE2__)
// The levels of four values, each as Level gives it, in four bytes.
BS_INLINE uint32_t Levels(__m128d v01, __m128d v23) {
  const __m128d k255 = _mm_set1_pd(255), half = _mm_set1_pd(0.5), zero = _mm_setzero_pd();
  const __m128d t01 = _mm_min_pd(_mm_max_pd(_mm_add_pd(_mm_mul_pd(v01, k255), half), zero), k255);
  const __m128d t23 = _mm_min_pd(_mm_max_pd(_mm_add_pd(_mm_mul_pd(v23, k255), half), zero), k255);
  const __m128i i = _mm_unpacklo_epi64(_mm_cvttpd_epi32(t01), _mm_cvttpd_epi32(t23));
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(i, i), i)));
}

BS_INLINE __m128d Abs(__m128d v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }

// The same from four single-precision values.
BS_INLINE uint32_t Levels(__m128 v) {
  const __m128 k255 = _mm_set1_ps(255);
  const __m128 t = _mm_min_ps(_mm_max_ps(_mm_add_ps(_mm_mul_ps(v, k255), _mm_set1_ps(0.5f)), _mm_setzero_ps()), k255);
  __m128i k = _mm_cvttps_epi32(t);
  k = _mm_packs_epi32(k, k);
  return uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(k, k)));
}
#endif

#if defined(__SSE2__)
BS_INLINE uint32_t MaxBytes(uint32_t a, uint32_t b) {
  return uint32_t(_mm_cvtsi128_si32(_mm_max_epu8(_mm_cvtsi32_si128(int(a)), _mm_cvtsi32_si128(int(b)))));
}
#endif

// The low n bytes of a group of four (n < 4).
BS_INLINE uint32_t FirstBytes(uint32_t k, int n) { return n >= 4 ? k : k & ((1u << (8 * n)) - 1); }

// Raises the covers of pixels from ... to - 1 of a buffer row (line[0] for
// pixel x0) to those of a shape: four at a time through shape.Four where
// the processor has it, else one by one through shape.One (centre x), which
// gives the same levels. The row needs three bytes to spare beyond `to`.
// Taking the larger cover makes the buffer the union of the shapes drawn
// into it.
template <class Shape>
BS_INLINE void Covers(uint8_t* line, int x0, int from, int to, const Shape shape) {
#if defined(__SSE2__)
  for (int x = from; x < to; x += 4) {
    const double c = x + 0.5;
    uint32_t k = FirstBytes(shape.Four(_mm_set_pd(c + 1, c), _mm_set_pd(c + 3, c + 2)), to - x), old;
    std::memcpy(&old, line + (x - x0), 4);
    if (old) k = MaxBytes(k, old);
    std::memcpy(line + (x - x0), &k, 4);
  }
#else
  for (int x = from; x < to; ++x) line[x - x0] = std::max(line[x - x0], shape.One(x + 0.5));
#endif
}

// The covers of pixels xa ... xb, of which ia ... ib are wholly covered.
template <class Shape>
BS_INLINE void Fringe(uint8_t* line, int x0, int xa, int xb, int ia, int ib, const Shape& shape) {
  if (ia > ib) {
    Covers(line, x0, xa, xb + 1, shape);
    return;
  }
  if (ia > xa) Covers(line, x0, xa, ia, shape);
  std::memset(line + (ia - x0), 255, size_t(ib - ia + 1));
  if (ib < xb) Covers(line, x0, ib + 1, xb + 1, shape);
}

// A row's covers without their empty ends.
template <class Sink>
BS_INLINE void Trimmed(int y, int x, const uint8_t* covers, int len, Sink& sink) {
  int a = 0, b = len;
  while (a < b && covers[a] == 0) ++a;
  while (b > a && covers[b - 1] == 0) --b;
  if (a < b) sink.Row(y, x + a, b - a, covers + a);
}

// The shapes' covers along one row, yc being the row's centre.

#if defined(__SSE2__)
BS_INLINE __m128d Splat(double v) { return _mm_set1_pd(v); }
#endif

// A disc: r + 0.5 less the distance from the centre.
struct TDiscCover {
  double cx, dy2, outer;
  BS_INLINE uint8_t One(double xc) const {
    const double dx = xc - cx;
    return Level(outer - std::sqrt(dx * dx + dy2));
  }
#if defined(__SSE2__)
  BS_INLINE __m128d Two(__m128d xc) const {
    const __m128d dx = _mm_sub_pd(xc, Splat(cx));
    return _mm_sub_pd(Splat(outer), _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), Splat(dy2))));
  }
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const { return Levels(Two(a), Two(b)); }
#endif
};

// A circle line: half its width plus 0.5 less the distance from the circle.
struct TRingCover {
  double cx, dy2, r, edge;
  BS_INLINE uint8_t One(double xc) const {
    const double dx = xc - cx;
    return Level(edge - std::abs(std::sqrt(dx * dx + dy2) - r));
  }
#if defined(__SSE2__)
  BS_INLINE __m128d Two(__m128d xc) const {
    const __m128d dx = _mm_sub_pd(xc, Splat(cx));
    return _mm_sub_pd(Splat(edge), Abs(_mm_sub_pd(_mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), Splat(dy2))), Splat(r))));
  }
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const { return Levels(Two(a), Two(b)); }
#endif
};

// A steep line: the distance across it grows by `across` per pixel from
// the centre cx of the row.
struct TSteepCover {
  double cx, across, edge;
  BS_INLINE uint8_t One(double xc) const { return Level(edge - std::abs(xc - cx) * across); }
#if defined(__SSE2__)
  BS_INLINE __m128d Two(__m128d xc) const {
    return _mm_sub_pd(Splat(edge), _mm_mul_pd(Abs(_mm_sub_pd(xc, Splat(cx))), Splat(across)));
  }
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const { return Levels(Two(a), Two(b)); }
#endif
};

// A line: edge less the distance across it, |nx * x + rest| along the row.
struct TLineCover {
  double nx, rest, edge;
  BS_INLINE uint8_t One(double xc) const { return Level(edge - std::abs(nx * xc + rest)); }
#if defined(__SSE2__)
  BS_INLINE __m128d Two(__m128d xc) const {
    return _mm_sub_pd(Splat(edge), Abs(_mm_add_pd(_mm_mul_pd(Splat(nx), xc), Splat(rest))));
  }
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const { return Levels(Two(a), Two(b)); }
#endif
};

// The same cover for every pixel.
struct TConstCover {
  uint8_t k;
  BS_INLINE uint8_t One(double) const { return k; }
#if defined(__SSE2__)
  BS_INLINE uint32_t Four(__m128d, __m128d) const { return k * 0x01010101u; }
#endif
};

// An upright rectangle from left to right: 0.5 less the larger of the
// distances outside its sides along the row and dy across it.
struct TBoxCover {
  double left, right, dy;
  BS_INLINE uint8_t One(double xc) const { return Level(0.5 - std::max(std::max(left - xc, xc - right), dy)); }
#if defined(__SSE2__)
  BS_INLINE __m128d Two(__m128d xc) const {
    const __m128d d = _mm_max_pd(_mm_max_pd(_mm_sub_pd(Splat(left), xc), _mm_sub_pd(xc, Splat(right))), Splat(dy));
    return _mm_sub_pd(_mm_set1_pd(0.5), d);
  }
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const { return Levels(Two(a), Two(b)); }
#endif
};

// A convex polygon: 0.5 less the largest signed distance from its edges,
// nx[i] * x + rest[i] along the row.
struct TPolygonCover {
  const double* nx;
  const double* rest;
  size_t m;
  BS_INLINE uint8_t One(double xc) const {
    double sd = -kInf;
    for (size_t i = 0; i < m; ++i) sd = std::max(sd, nx[i] * xc + rest[i]);
    return Level(0.5 - sd);
  }
#if defined(__SSE2__)
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const {
    // The largest of the same values, whatever the order of comparison.
    __m128d sa = _mm_set1_pd(-kInf), sb = sa;
    for (size_t i = 0; i < m; ++i) {
      const __m128d n = Splat(nx[i]), r = Splat(rest[i]);
      sa = _mm_max_pd(sa, _mm_add_pd(_mm_mul_pd(n, a), r));
      sb = _mm_max_pd(sb, _mm_add_pd(_mm_mul_pd(n, b), r));
    }
    const __m128d half = _mm_set1_pd(0.5);
    return Levels(_mm_sub_pd(half, sa), _mm_sub_pd(half, sb));
  }
#endif
};

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
  BS_INLINE bool Span(double yc, double reach, double& lo, double& hi) const {
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

// The cover of a pixel beyond a segment's end: `outer` less the distance
// (dx, dy) to the end point. Pixels clearly outside or inside need no root.
// Where the cover falls well between two levels, the plain root gives the
// same level as the exactly rounded distance, which is only worked out when
// the root lands close to a step.
BS_INLINE uint8_t EndCover(double outer, double inner2, double dx, double dy) {
  const double q = dx * dx + dy * dy;
  if (q >= outer * outer) return 0;
  if (q <= inner2) return 255;
  if (outer < 1e5) {
    const double v = outer - std::sqrt(q);
    const double t = v * 255 + 0.5;
    const double frac = t - FloorInt(t);
    if (frac > 1e-6 && frac < 1 - 1e-6) return Level(v);
  }
  return Level(outer - std::hypot(dx, dy));
}

// A segment with round ends: reach (half the width plus 0.5) less the
// distance across it beside it, or from the nearer end point beyond it.
struct TSegmentCover {
  double ux, uy, len, ax, bx, reach, inner2, dya, dyb, acrossRow, alongRow;
  BS_INLINE uint8_t One(double xc) const {
    const double along = ux * xc + alongRow;
    if (along >= 0 && along <= len) return Level(reach - std::abs(acrossRow - uy * xc));
    return along < 0 ? EndCover(reach, inner2, xc - ax, dya) : EndCover(reach, inner2, xc - bx, dyb);
  }
#if defined(__SSE2__)
  BS_INLINE uint32_t Four(__m128d a, __m128d b) const {
    int alone01 = 0, alone23 = 0;
    const __m128d v01 = Value(a, alone01), v23 = Value(b, alone23);
    const int alone = alone01 | alone23 << 2;
    if (!alone) return Levels(v01, v23);
    // A root close to a step: the exact distance for those pixels (for all
    // four with huge distances), the others as they are.
    double xs[4];
    _mm_storeu_pd(xs, a);
    _mm_storeu_pd(xs + 2, b);
    uint8_t k[4];
    const uint32_t levels = Levels(v01, v23);
    std::memcpy(k, &levels, 4);
    const int exact = reach < 1e5 ? alone : 15;
    for (int i = 0; i < 4; ++i)
      if (exact & (1 << i)) k[i] = One(xs[i]);
    uint32_t out;
    std::memcpy(&out, k, 4);
    return out;
  }
  // reach less the distance across the line of the segment.
  BS_INLINE __m128d Side(__m128d xc) const {
    return _mm_sub_pd(Splat(reach), Abs(_mm_sub_pd(Splat(acrossRow), _mm_mul_pd(Splat(uy), xc))));
  }
  // The values of two pixels as One and EndCover find them; `alone` has a
  // bit for each pixel whose level EndCover would find from the exactly
  // rounded distance (both for huge distances).
  BS_INLINE __m128d Value(__m128d xc, int& alone) const {
    const __m128d zero = _mm_setzero_pd(), vr = Splat(reach);
    const __m128d along = _mm_add_pd(_mm_mul_pd(Splat(ux), xc), Splat(alongRow));
    const __m128d beside = _mm_and_pd(_mm_cmpge_pd(along, zero), _mm_cmple_pd(along, Splat(len)));
    const __m128d side = Side(xc);
    if (_mm_movemask_pd(beside) == 3) return side;
    const __m128d before = _mm_cmplt_pd(along, zero);
    auto pick = [&](double atA, double atB) {
      return _mm_or_pd(_mm_and_pd(before, Splat(atA)), _mm_andnot_pd(before, Splat(atB)));
    };
    const __m128d dx = _mm_sub_pd(xc, pick(ax, bx)), dy = pick(dya, dyb);
    const __m128d end = _mm_sub_pd(vr, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy))));
    // Between 0 and 1 the level is 255 * v + 0.5 cut to a whole number;
    // within a millionth of a step the root's last bit might matter.
    const __m128d t = _mm_add_pd(_mm_mul_pd(end, _mm_set1_pd(255)), _mm_set1_pd(0.5));
    const __m128d frac = _mm_sub_pd(t, _mm_cvtepi32_pd(_mm_cvttpd_epi32(t)));
    const __m128d nearStep =
        _mm_or_pd(_mm_cmple_pd(frac, _mm_set1_pd(1e-6)), _mm_cmpge_pd(frac, _mm_set1_pd(1 - 1e-6)));
    const __m128d between = _mm_and_pd(_mm_cmpgt_pd(end, zero), _mm_cmplt_pd(end, _mm_set1_pd(1)));
    alone = reach < 1e5 ? _mm_movemask_pd(_mm_andnot_pd(beside, _mm_and_pd(between, nearStep))) : 3;
    return _mm_or_pd(_mm_and_pd(beside, side), _mm_andnot_pd(beside, end));
  }
#endif
};

}  // namespace

void FillPixels(uint8_t* p, int len, uint32_t word) {
  int i = 0;
#if defined(__SSE2__)
  if (len >= 4) {
    const __m128i four = _mm_set1_epi32(int(word));
    for (; i + 4 <= len; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 4 * i), four);
  }
#endif
  for (; i < len; ++i) std::memcpy(p + 4 * i, &word, 4);
}

namespace {
// Blends colour (r, g, b) into the pixels of the covers: each channel
// becomes (old * (255 - k) + new * k + 127) / 255 for the cover k; a wholly
// covered pixel also becomes opaque, the alpha of the others stays.
BS_INLINE void BlendPixels(uint8_t* p, int n, const uint8_t* covers, unsigned r, unsigned g, unsigned b,
                           uint32_t word) {
  for (int i = 0; i < n; ++i) {
    uint8_t* q = p + 4 * i;
    const unsigned k = covers[i];
    if (k == 255) {
      std::memcpy(q, &word, 4);
    } else if (k) {
      q[0] = uint8_t((q[0] * (255 - k) + r * k + 127) / 255);
      q[1] = uint8_t((q[1] * (255 - k) + g * k + 127) / 255);
      q[2] = uint8_t((q[2] * (255 - k) + b * k + 127) / 255);
    }
  }
}

#if defined(__SSE2__)
// The same four pixels at a time in 16-bit lanes: the sum stays below
// 65536, and the division by 255 is a multiply-high by 0x8081 shifted by 7,
// exact for every 16-bit value.
class TQuadBlender {
 public:
  TQuadBlender(unsigned r, unsigned g, unsigned b, uint32_t word)
      : colour_(_mm_set_epi16(0, short(b), short(g), short(r), 0, short(b), short(g), short(r))),
        four_(_mm_set1_epi32(int(word))) {}
  // Four pixels from p with the covers k4 (neither all 0 nor all 255).
  BS_INLINE void Blend(uint8_t* p, uint32_t k4) const {
    const __m128i zero = _mm_setzero_si128(), alpha = _mm_set1_epi32(int(0xFF000000u));
    __m128i* at = reinterpret_cast<__m128i*>(p);
    const __m128i old = _mm_loadu_si128(at);
    __m128i k = _mm_cvtsi32_si128(int(k4));
    k = _mm_unpacklo_epi8(k, k);
    k = _mm_unpacklo_epi16(k, k);  // each pixel's cover in its four bytes
    const __m128i lo = Mix(_mm_unpacklo_epi8(old, zero), _mm_unpacklo_epi8(k, zero));
    const __m128i hi = Mix(_mm_unpackhi_epi8(old, zero), _mm_unpackhi_epi8(k, zero));
    const __m128i keepAlpha = _mm_and_si128(_mm_or_si128(old, _mm_cmpeq_epi8(k, _mm_set1_epi8(char(0xFF)))), alpha);
    _mm_storeu_si128(at, _mm_or_si128(_mm_andnot_si128(alpha, _mm_packus_epi16(lo, hi)), keepAlpha));
  }
  BS_INLINE void Fill(uint8_t* p) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four_); }

 private:
  BS_INLINE __m128i Mix(__m128i old, __m128i k) const {
    const __m128i sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(old, _mm_sub_epi16(_mm_set1_epi16(255), k)), _mm_mullo_epi16(colour_, k)),
        _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_mulhi_epu16(sum, _mm_set1_epi16(short(0x8081))), 7);
  }
  __m128i colour_, four_;
};
#endif
}  // namespace

TOpaqueSink::TOpaqueSink(TRaster& image, TColour c)
    : Raster(image), Base(image.Pixels.data()), Stride(size_t(image.Width) * 4), R(Red(c)), G(Green(c)), B(Blue(c)) {
  const uint8_t px[4] = {R, G, B, 255};
  std::memcpy(&Word, px, 4);
}

void TOpaqueSink::Row(int y, int x, int len, const uint8_t* covers) {
  uint8_t* p = At(y, x);
  int i = 0;
#if defined(__SSE2__)
  const TQuadBlender quad(R, G, B, Word);
  for (; i + 4 <= len; i += 4) {
    uint32_t k4;
    std::memcpy(&k4, covers + i, 4);
    if (k4 == 0xFFFFFFFFu) quad.Fill(p + 4 * i);
    else if (k4) quad.Blend(p + 4 * i, k4);
  }
#endif
  BlendPixels(p + 4 * i, len - i, covers + i, R, G, B, Word);
}

BS_INLINE void TOpaqueSink::BlendAndClear(int y, int x, int n, uint8_t* covers) {
  uint8_t* p = At(y, x);
#if defined(__SSE2__)
  const TQuadBlender quad(R, G, B, Word);
  const int inside = Raster.Width - x;  // the last group may reach beyond the image
  for (int i = 0; i < n; i += 4) {
    uint32_t k4;
    std::memcpy(&k4, covers + i, 4);
    if (k4 == 0) continue;
    std::memset(covers + i, 0, 4);
    if (i + 4 > inside) {
      const uint8_t k[4] = {uint8_t(k4), uint8_t(k4 >> 8), uint8_t(k4 >> 16), uint8_t(k4 >> 24)};
      BlendPixels(p + 4 * i, inside - i, k, R, G, B, Word);
    } else if (k4 == 0xFFFFFFFFu) {
      quad.Fill(p + 4 * i);
    } else {
      quad.Blend(p + 4 * i, k4);
    }
  }
#else
  BlendPixels(p, n, covers, R, G, B, Word);
  std::memset(covers, 0, size_t(n));
#endif
}

TCoverRasterizer::TCoverRasterizer(int x0, int y0, int x1, int y1, bool binary)
    : x0_(x0), y0_(y0), x1_(x1), y1_(y1), binary_(binary) {}

template <class Shape>
BS_INLINE void TCoverRasterizer::Merge(int y, int xa, int xb, int ia, int ib, const Shape& shape) {
  TUnion& u = union_;
  const size_t r = size_t(y - u.Y);
  u.Lo[r] = std::min(u.Lo[r], xa);
  u.Hi[r] = std::max(u.Hi[r], xb);
  Fringe(&u.Covers[r * size_t(u.W)], u.X, xa, xb, ia, ib, shape);
}

// Any sink takes the rows' covers, without their empty ends.
template <class Sink>
class TCoverRasterizer::TRows {
 public:
  TRows(TCoverRasterizer& r, Sink& sink) : r_(r), sink_(sink) {}
  template <class Shape>
  void Row(int y, int xa, int xb, int ia, int ib, const Shape& shape) {
    if (r_.union_.Active) {
      r_.Merge(y, xa, xb, ia, ib, shape);
      return;
    }
    std::vector<uint8_t>& row = r_.row_;
    const size_t n = size_t(xb - xa + 1);
    if (row.size() < n + 4) row.resize(n + 4);
    std::memset(row.data(), 0, n + 4);
    Fringe(row.data(), xa, xa, xb, ia, ib, shape);
    Trimmed(y, xa, row.data(), int(n), sink_);
  }

 private:
  TCoverRasterizer& r_;
  Sink& sink_;
};

#if defined(__SSE2__)
// The usual opaque sink has the rows blended into the image as their covers
// come, four pixels at a time. A group reaching beyond the row takes no
// cover there, which leaves those pixels as they are.
template <>
class TCoverRasterizer::TRows<TOpaqueSink> {
 public:
  TRows(TCoverRasterizer& r, TOpaqueSink& sink)
      : r_(r),
        pixels_(sink.Raster.Pixels.data()),
        stride_(size_t(sink.Raster.Width) * 4),
        width_(sink.Raster.Width),
        quad_(sink.R, sink.G, sink.B, sink.Word),
        word_(sink.Word),
        rgb_{sink.R, sink.G, sink.B} {}
  template <class Shape>
  BS_INLINE void Row(int y, int xa, int xb, int ia, int ib, const Shape& shape) {
    if (r_.union_.Active) {
      r_.Merge(y, xa, xb, ia, ib, shape);
      return;
    }
    uint8_t* line = pixels_ + size_t(y) * stride_;
    if (ia > ib) {
      Groups(line, xa, xb + 1, shape);
      return;
    }
    if (ia > xa) Groups(line, xa, ia, shape);
    FillPixels(line + 4 * ia, ib - ia + 1, word_);
    if (ib < xb) Groups(line, ib + 1, xb + 1, shape);
  }

 private:
  template <class Shape>
  BS_INLINE void Groups(uint8_t* line, int from, int to, const Shape shape) {
    // The pixel centres of a group, moved on by four.
    __m128d c01 = _mm_set_pd(from + 1.5, from + 0.5), c23 = _mm_add_pd(c01, _mm_set1_pd(2));
    const __m128d four = _mm_set1_pd(4);
    int x = from;
    // Whole groups inside the row first.
    for (const int whole = std::min(to, width_) - 4; x <= whole; x += 4) {
      const uint32_t k = shape.Four(c01, c23);
      c01 = _mm_add_pd(c01, four), c23 = _mm_add_pd(c23, four);
      if (k == 0) continue;
      uint8_t* p = line + 4 * x;
      if (k == 0xFFFFFFFFu) quad_.Fill(p);
      else quad_.Blend(p, k);
    }
    if (x >= to) return;
    // The last, short group (or the one reaching beyond the image).
    const uint32_t k = FirstBytes(shape.Four(c01, c23), to - x);
    if (k == 0) return;
    uint8_t* p = line + 4 * x;
    if (x + 4 > width_) {
      const uint8_t kk[4] = {uint8_t(k), uint8_t(k >> 8), uint8_t(k >> 16), uint8_t(k >> 24)};
      BlendPixels(p, std::min(to, width_) - x, kk, rgb_[0], rgb_[1], rgb_[2], word_);
    } else {
      quad_.Blend(p, k);
    }
  }

  TCoverRasterizer& r_;
  uint8_t* pixels_;
  size_t stride_;
  int width_;
  TQuadBlender quad_;
  uint32_t word_;
  uint8_t rgb_[3];
};
#endif

void TCoverRasterizer::BeginUnion(int xa, int xb, int ya, int yb) {
  TUnion& u = union_;
  u.Active = true;
  u.X = xa;
  u.Y = ya;
  u.W = ((xb - xa + 4) & ~3) + 4;  // whole groups of four, and one to spare
  u.H = yb - ya + 1;
  const size_t need = size_t(u.W) * size_t(u.H);
  if (u.Covers.size() < need) u.Covers.resize(need, 0);
  u.Lo.assign(size_t(u.H), std::numeric_limits<int>::max());
  u.Hi.assign(size_t(u.H), std::numeric_limits<int>::min());
}

template <class Sink>
BS_INLINE void TCoverRasterizer::EndUnion(Sink& sink) {
  TUnion& u = union_;
  u.Active = false;
  for (int r = 0; r < u.H; ++r) {
    const int lo = u.Lo[size_t(r)], hi = u.Hi[size_t(r)];
    if (lo > hi) continue;
    uint8_t* line = &u.Covers[size_t(r) * size_t(u.W)];
    const int a = (lo - u.X) & ~3, n = hi - u.X - a + 1;
    if constexpr (std::is_same_v<Sink, TOpaqueSink>) {
      sink.BlendAndClear(u.Y + r, u.X + a, n, line + a);
    } else {
      Trimmed(u.Y + r, lo, line + (lo - u.X), hi - lo + 1, sink);
      std::memset(line + a, 0, size_t(n + 3));
    }
  }
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::Disc(TPx c, double r, Sink& sink) {
  const double reach = binary_ ? r : r + 0.5;
  int ya, yb;
  if (!(r > 0) || !PixelRange(c.Y - reach, c.Y + reach, y0_, y1_, ya, yb)) return;
  TRows<Sink> out(*this, sink);
  for (int y = ya; y <= yb; ++y) {
    const double dy = y + 0.5 - c.Y;
    double lo, hi;
    int xa, xb;
    if (!DiscSpan(c.X, dy, reach, lo, hi) || !PixelRange(lo, hi, x0_, x1_, xa, xb)) continue;
    if (binary_) {
      sink.Solid(y, xa, xb - xa + 1);
      continue;
    }
    // (For r below 0.5 the inner radius is negative; its square still
    // marks a few pixels about the centre as wholly covered.)
    double inLo = lo, inHi = hi;
    if (!DiscSpan(c.X, dy, r - 0.5, inLo, inHi)) inLo = kInf, inHi = -kInf;
    int ia, ib;
    FullRun(xa, xb, inLo, inHi, ia, ib);
    out.Row(y, xa, xb, ia, ib, TDiscCover{c.X, dy * dy, r + 0.5});
  }
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::Ring(TPx c, double r, double width, Sink& sink) {
  const double h = width / 2;
  const double outer = binary_ ? r + h : r + h + 0.5;
  const double inner = binary_ ? r - h : r - h - 0.5;  // nothing inside this
  int ya, yb;
  if (!(outer > 0) || !PixelRange(c.Y - outer, c.Y + outer, y0_, y1_, ya, yb)) return;
  TRows<Sink> out(*this, sink);
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
      if (binary_) sink.Solid(y, xa, xb - xa + 1);
      else out.Row(y, xa, xb, xb + 1, xb, TRingCover{c.X, dy * dy, r, h + 0.5});
      if (holeLo > holeHi) break;  // one piece only
    }
  }
}

template <class Sink>
BS_INLINE void TCoverRasterizer::AxisSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink) {
  const double reach = h + 0.5, inner = h - 0.5;
  const double minX = std::min(a.X, b.X), maxX = std::max(a.X, b.X), minY = std::min(a.Y, b.Y),
               maxY = std::max(a.Y, b.Y);
  TRows<Sink> out(*this, sink);
  // Beyond the ends (and beside a lone point) the cover is that of the
  // disc about the nearer end.
  // `half` and `full` are the half widths of the disc's row and of its
  // wholly covered part (none below 0).
  auto capRow = [&](int y, double cx, double dy2, double half, double full, int from, int to) {
    int xa, xb;
    if (!PixelRange(cx - half, cx + half, std::max(from, x0_), std::min(to, x1_ - 1) + 1, xa, xb)) return;
    int ia, ib;
    FullRun(xa, xb, full >= 0 ? cx - full : kInf, full >= 0 ? cx + full : -kInf, ia, ib);
    out.Row(y, xa, xb, ia, ib, TDiscCover{cx, dy2, reach});
  };
  auto halves = [&](double dy2, double& half, double& full) {
    const double q = reach * reach - dy2, qi = inner * inner - dy2;
    if (q < 0) return false;
    half = std::sqrt(q);
    full = inner > 0 && qi >= 0 ? std::sqrt(qi) : -1;
    return true;
  };
  auto cap = [&](int y, double cx, double cy, int from, int to) {
    const double dy = y + 0.5 - cy;
    double half, full;
    if (halves(dy * dy, half, full)) capRow(y, cx, dy * dy, half, full, from, to);
  };
  constexpr int kAll = std::numeric_limits<int>::max();
  if (a.X == b.X) {
    // Upright: the rows beside it share their covers, by the distance from
    // its line.
    int xa, xb;
    if (!PixelRange(a.X - reach, a.X + reach, x0_, x1_, xa, xb)) return;
    int ia, ib;
    FullRun(xa, xb, inner > 0 ? a.X - inner : kInf, inner > 0 ? a.X + inner : -kInf, ia, ib);
    const TLineCover across{1, -a.X, reach};
    for (int y = ya; y <= yb; ++y) {
      const double yc = y + 0.5;
      if (yc < minY) cap(y, a.X, minY, -kAll, kAll);
      else if (yc > maxY) cap(y, a.X, maxY, -kAll, kAll);
      else out.Row(y, xa, xb, ia, ib, across);
    }
    return;
  }
  // Level: every row has the same cover beside the segment, the discs about
  // the ends beyond it. Pixels first ... last have their centres beside it.
  const int first = CeilInt(minX - 0.5), last = FloorInt(maxX - 0.5);
  for (int y = ya; y <= yb; ++y) {
    const double dy = std::abs(y + 0.5 - a.Y);
    double half, full;
    if (!(dy < reach) || !halves(dy * dy, half, full)) continue;
    capRow(y, minX, dy * dy, half, full, -kAll, first - 1);  // both ends' discs have the same rows
    capRow(y, maxX, dy * dy, half, full, last + 1, kAll);
    int xa, xb;
    if (!PixelRange(minX, maxX, x0_, x1_, xa, xb)) continue;
    if (dy <= inner) out.Row(y, xa, xb, xa, xb, TConstCover{255});
    else out.Row(y, xa, xb, xb + 1, xb, TConstCover{Level(reach - dy)});
  }
}

template <class Sink>
BS_INLINE void TCoverRasterizer::SoftSegment(TPx a, TPx b, double h, Sink& sink) {
  const double reach = h + 0.5;
  int ya, yb;
  if (!PixelRange(std::min(a.Y, b.Y) - reach, std::max(a.Y, b.Y) + reach, y0_, y1_, ya, yb)) return;
  if (a.X == b.X || a.Y == b.Y) {
    AxisSegment(a, b, h, ya, yb, sink);
    return;
  }
  const TCapsuleRows rows(a, b);
  // A short segment takes the columns of its box in every row: pixels there
  // beyond its reach come out empty, which costs less than finding each
  // row's ends.
  int boxA = 0, boxB = -1;
  const bool box = std::abs(b.X - a.X) + 2 * reach <= 8;
  if (box && !PixelRange(std::min(a.X, b.X) - reach, std::max(a.X, b.X) + reach, x0_, x1_, boxA, boxB)) return;
  // Where the end distance is certainly below h - 0.5 (wholly covered).
  const double inner = h - 0.5, inner2 = inner > 0 ? inner * inner * (1 - 1e-9) : -1;
  TRows<Sink> out(*this, sink);
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5;
    double lo, hi;
    int xa = boxA, xb = boxB;
    if (!box && (!rows.Span(yc, reach, lo, hi) || !PixelRange(lo, hi, x0_, x1_, xa, xb))) continue;
    int ia = xb + 1, ib = xb;
    double inLo, inHi;
    if (inner > 0 && rows.Span(yc, inner, inLo, inHi)) FullRun(xa, xb, inLo, inHi, ia, ib);
    // Beside the segment the distance is the one across it, linear along
    // the row; only beyond its ends is it the distance to an end point.
    const double da = yc - a.Y;
    out.Row(y, xa, xb, ia, ib,
            TSegmentCover{rows.ux, rows.uy, rows.len, a.X, b.X, reach, inner2, da, yc - b.Y,
                          rows.ux * da + rows.uy * a.X, rows.uy * da - rows.ux * a.X});
  }
}

bool TCoverRasterizer::IsShort(TPx a, TPx b, double reach) {
  // About the size of a glyph stroke's segment on a small text.
  return (std::abs(b.X - a.X) + 2 * reach + 1) * (std::abs(b.Y - a.Y) + 2 * reach + 1) <= 48;
}

BS_INLINE void TCoverRasterizer::ShortSegment(TPx a, TPx b, double h) {
  const double reach = h + 0.5;
  int xa, xb, ya, yb;
  if (!PixelRange(std::min(a.X, b.X) - reach, std::max(a.X, b.X) + reach, x0_, x1_, xa, xb) ||
      !PixelRange(std::min(a.Y, b.Y) - reach, std::max(a.Y, b.Y) + reach, y0_, y1_, ya, yb))
    return;
  TUnion& u = union_;
  // The nearest point of the segment is a + t * (b - a), t cut to 0 ... 1;
  // the pixel centres are taken from a, which keeps the numbers small.
  const double dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy;
  const double inv = len2 > 0 ? 1 / len2 : 0;
#if defined(__SSE2__)
  const __m128 vdx = _mm_set1_ps(float(dx)), vdy = _mm_set1_ps(float(dy)), vinv = _mm_set1_ps(float(inv));
  const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1);
  const __m128 vreach = _mm_set1_ps(float(reach)), steps = _mm_set_ps(3, 2, 1, 0);
#endif
  for (int y = ya; y <= yb; ++y) {
    const size_t r = size_t(y - u.Y);
    u.Lo[r] = std::min(u.Lo[r], xa);
    u.Hi[r] = std::max(u.Hi[r], xb);
    uint8_t* line = &u.Covers[r * size_t(u.W)] - u.X;
    const double py = y + 0.5 - a.Y;
#if defined(__SSE2__)
    const __m128 vpy = _mm_set1_ps(float(py)), along = _mm_mul_ps(vpy, vdy);
    for (int x = xa; x <= xb; x += 4) {
      const __m128 px = _mm_add_ps(_mm_set1_ps(float(x + 0.5 - a.X)), steps);
      const __m128 t = _mm_min_ps(_mm_max_ps(_mm_mul_ps(_mm_add_ps(_mm_mul_ps(px, vdx), along), vinv), zero), one);
      const __m128 ex = _mm_sub_ps(px, _mm_mul_ps(t, vdx)), ey = _mm_sub_ps(vpy, _mm_mul_ps(t, vdy));
      const __m128 v = _mm_sub_ps(vreach, _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(ex, ex), _mm_mul_ps(ey, ey))));
      const uint32_t levels = FirstBytes(Levels(v), xb + 1 - x);
      if (!levels) continue;
      uint32_t old;
      std::memcpy(&old, line + x, 4);
      const uint32_t out = old ? MaxBytes(levels, old) : levels;
      std::memcpy(line + x, &out, 4);
    }
#else
    for (int x = xa; x <= xb; ++x) {
      const double px = x + 0.5 - a.X;
      const double t = std::clamp((px * dx + py * dy) * inv, 0.0, 1.0);
      line[x] = std::max(line[x], Level(reach - std::hypot(px - t * dx, py - t * dy)));
    }
#endif
  }
}

template <class Sink>
BS_INLINE void TCoverRasterizer::SolidShortSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink) {
  int xa, xb;
  if (!PixelRange(std::min(a.X, b.X) - h, std::max(a.X, b.X) + h, x0_, x1_, xa, xb)) return;
  const double dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy;
  const double inv = len2 > 0 ? 1 / len2 : 0, h2 = h * h;
  // The pixels of a row within h of the segment are one run.
  auto in = [&](int x, double py) {
    const double px = x + 0.5 - a.X;
    const double t = std::clamp((px * dx + py * dy) * inv, 0.0, 1.0);
    const double ex = px - t * dx, ey = py - t * dy;
    return ex * ex + ey * ey <= h2;
  };
  for (int y = ya; y <= yb; ++y) {
    const double py = y + 0.5 - a.Y;
    int first = xa, last = xb;
    while (first <= last && !in(first, py)) ++first;
    while (last > first && !in(last, py)) --last;
    if (first <= last) sink.Solid(y, first, last - first + 1);
  }
}

template <class Sink>
BS_INLINE void TCoverRasterizer::SolidAxisSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink) {
  const double minX = std::min(a.X, b.X), maxX = std::max(a.X, b.X), minY = std::min(a.Y, b.Y),
               maxY = std::max(a.Y, b.Y), h2 = h * h;
  auto run = [&](int y, double lo, double hi) {
    int xa, xb;
    if (PixelRange(lo, hi, x0_, x1_, xa, xb)) sink.Solid(y, xa, xb - xa + 1);
  };
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5;
    if (a.X == b.X && yc >= minY && yc <= maxY) {
      run(y, a.X - h, a.X + h);  // beside an upright segment
      continue;
    }
    // Beyond an upright segment's ends the disc about the nearer end, and
    // for a level one the discs about both ends with the band between.
    const double dy = yc < minY ? yc - minY : yc > maxY ? yc - maxY : 0, q = h2 - dy * dy;
    if (q > 0) run(y, minX - std::sqrt(q), maxX + std::sqrt(q));
    else if (q == 0 && a.Y == b.Y) run(y, minX, maxX);
  }
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::RoundStroke(const TPx* p, size_t n, bool closed, double width, Sink& sink) {
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
  if (binary_) {
    // Whole pixels taken twice look the same: the plain look needs no union.
    for (size_t i = 0; i < segments; ++i) {
      const TPx a = p[i], b = p[(i + 1) % n];
      int sa, sb;
      if (!PixelRange(std::min(a.Y, b.Y) - h, std::max(a.Y, b.Y) + h, y0_, y1_, sa, sb)) continue;
      if (IsShort(a, b, h)) {
        SolidShortSegment(a, b, h, sa, sb, sink);
        continue;
      }
      if (a.X == b.X || a.Y == b.Y) {
        SolidAxisSegment(a, b, h, sa, sb, sink);
        continue;
      }
      const TCapsuleRows rows(a, b);
      for (int y = sa; y <= sb; ++y) {
        double lo, hi;
        int ca, cb;
        if (rows.Span(y + 0.5, h, lo, hi) && PixelRange(lo, hi, x0_, x1_, ca, cb)) sink.Solid(y, ca, cb - ca + 1);
      }
    }
    return;
  }
  const int w = xb - xa + 1, rows = yb - ya + 1;
  if ((segments == 1 && !IsShort(p[0], p[1], reach)) || double(w) * double(rows) > 512.0 * 512.0) {
    // Very large strokes segment by segment: where two segments meet, their
    // soft edges blend twice, which an opaque colour does not show.
    for (size_t i = 0; i < segments; ++i) {
      const TPx a = p[i], b = p[(i + 1) % n];
      SoftSegment(a, b, h, sink);
    }
    return;
  }
  // The segments are gathered into the tile as one union, so that every
  // pixel is blended once.
  BeginUnion(xa, xb, ya, yb);
  for (size_t i = 0; i < segments; ++i) {
    const TPx a = p[i], b = p[(i + 1) % n];
    if (IsShort(a, b, reach)) ShortSegment(a, b, h);
    else SoftSegment(a, b, h, sink);
  }
  EndUnion(sink);
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::ThinLine(TPx a, TPx b, double width, Sink& sink) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, len = std::sqrt(dx * dx + dy * dy);
  const double edge = width / 2 + 0.5;
  // The distance across the line is |nx * x + ny * y - c|. A steep line's
  // ends are cut along rows, a flat one's along columns: either differs
  // from the true flat end by less than a pixel on so thin a line.
  const double nx = -dy / len, ny = dx / len, c = nx * a.X + ny * a.Y;
  const bool steep = std::abs(dy) >= std::abs(dx);
  const double minX = std::min(a.X, b.X), maxX = std::max(a.X, b.X);
  const double rise = steep ? 0 : edge / std::abs(ny);  // how far the pixels reach beyond the ends' rows
  int ya, yb;
  if (!PixelRange(std::min(a.Y, b.Y) - rise, std::max(a.Y, b.Y) + rise, y0_, y1_, ya, yb)) return;
#if defined(__SSE2__)
  // The usual opaque sink takes the rows straight into the image, the
  // distances of four pixels at a time in single precision.
  [[maybe_unused]] const auto quad = [&] {
    if constexpr (std::is_same_v<Sink, TOpaqueSink>) return TQuadBlender(sink.R, sink.G, sink.B, sink.Word);
    else return 0;
  }();
  [[maybe_unused]] const __m128 vedge = _mm_set1_ps(float(edge)), sign = _mm_set1_ps(-0.0f);
  if constexpr (std::is_same_v<Sink, TOpaqueSink>) {
    if (steep && !union_.Active) {
      // A steep line has at most four pixels in a row, from the first whose
      // centre lies within reach of the line's centre cx there, at
      // distances |x - cx| * across.
      const double slope = dx / dy, across = std::abs(nx), reach = edge / across;
      const __m128 steps = _mm_set_ps(3, 2, 1, 0), vacross = _mm_set1_ps(float(across));
      for (int y = ya; y <= yb; ++y) {
        const double cx = a.X + (y + 0.5 - a.Y) * slope;
        if (!(cx > x0_ - reach - 1 && cx < x1_ + reach + 1)) continue;
        const int first = FloorInt(cx - reach - 0.5) + 1;
        const __m128 d = _mm_add_ps(_mm_set1_ps(float(first + 0.5 - cx)), steps);
        const uint32_t k = Levels(_mm_sub_ps(vedge, _mm_mul_ps(_mm_andnot_ps(sign, d), vacross)));
        if (first >= x0_ && first + 4 <= x1_) {
          if (k) quad.Blend(sink.At(y, first), k);
          continue;
        }
        for (int j = 0; j < 4; ++j) {  // at the sides of the clip, the pixels inside it
          const uint8_t kj = uint8_t(k >> (8 * j));
          if (kj && first + j >= x0_ && first + j < x1_)
            BlendPixels(sink.At(y, first + j), 1, &kj, sink.R, sink.G, sink.B, sink.Word);
        }
      }
      return;
    }
  }
  // A flat line's distances move on by nx from pixel to pixel.
  const float fx = float(nx);
  [[maybe_unused]] const __m128 steps = _mm_set_ps(3 * fx, 2 * fx, fx, 0), four = _mm_set1_ps(4 * fx);
#endif
  const double inv = std::abs(nx) > 1e-12 ? 1 / nx : 0;
  TRows<Sink> out(*this, sink);
  for (int y = ya; y <= yb; ++y) {
    const double rest = ny * (y + 0.5) - c;  // the distance is |nx * x + rest|
    double lo = steep ? -kInf : minX, hi = steep ? kInf : maxX;
    if (inv != 0) {
      const double x1 = (-rest - edge) * inv, x2 = (-rest + edge) * inv;
      lo = std::max(lo, std::min(x1, x2)), hi = std::min(hi, std::max(x1, x2));
    } else if (!(std::abs(rest) < edge)) {
      continue;
    }
    int xa, xb;
    if (!PixelRange(lo, hi, x0_, x1_, xa, xb)) continue;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<Sink, TOpaqueSink>) {
      if (!union_.Active) {
        uint8_t* line = sink.At(y, 0);
        __m128 d = _mm_add_ps(_mm_set1_ps(float(nx * (xa + 0.5) + rest)), steps);
        for (int x = xa; x <= xb; x += 4, d = _mm_add_ps(d, four)) {
          const uint32_t k = FirstBytes(Levels(_mm_sub_ps(vedge, _mm_andnot_ps(sign, d))), xb + 1 - x);
          if (!k) continue;
          if (x + 4 <= x1_) {
            quad.Blend(line + 4 * x, k);
            continue;
          }
          const uint8_t kk[4] = {uint8_t(k), uint8_t(k >> 8), uint8_t(k >> 16), uint8_t(k >> 24)};
          BlendPixels(line + 4 * x, x1_ - x, kk, sink.R, sink.G, sink.B, sink.Word);
        }
        continue;
      }
    }
#endif
    out.Row(y, xa, xb, xb + 1, xb, TLineCover{nx, rest, edge});
  }
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::RoundStrokes(const TPxPath* paths, size_t count, double width, Sink& sink) {
  const double h = width / 2, reach = h + 0.5;
  double minX = kInf, maxX = -kInf, minY = kInf, maxY = -kInf;
  for (size_t k = 0; k < count; ++k)
    for (const TPx& q : paths[k]) {
      minX = std::min(minX, q.X), maxX = std::max(maxX, q.X);
      minY = std::min(minY, q.Y), maxY = std::max(maxY, q.Y);
    }
  int xa, xb, ya, yb;
  if (binary_ || !PixelRange(minX - reach, maxX + reach, x0_, x1_, xa, xb) ||
      !PixelRange(minY - reach, maxY + reach, y0_, y1_, ya, yb) ||
      double(xb - xa + 1) * double(yb - ya + 1) > 512.0 * 512.0) {
    // Whole pixels need no union, and very large shapes go stroke by stroke.
    for (size_t k = 0; k < count; ++k) RoundStroke(paths[k].data(), paths[k].size(), false, width, sink);
    return;
  }
  BeginUnion(xa, xb, ya, yb);
  for (size_t k = 0; k < count; ++k) {
    const TPxPath& p = paths[k];
    if (p.size() == 1) Disc(p[0], h, sink);
    for (size_t i = 0; i + 1 < p.size(); ++i) {
      if (IsShort(p[i], p[i + 1], reach)) ShortSegment(p[i], p[i + 1], h);
      else SoftSegment(p[i], p[i + 1], h, sink);
    }
  }
  EndUnion(sink);
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::Line(TPx a, TPx b, double width, Sink& sink) {
  if (!binary_ && width <= 1.5 && (a.X != b.X || a.Y != b.Y)) {
    ThinLine(a, b, width, sink);
    return;
  }
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len = std::hypot(dx, dy);
  if (!(std::abs(dy) >= std::abs(dx)) || !(len > 0)) {
    // Flat lines and dots as their rectangle: long runs per row.
    const double ux = len > 0 ? dx / len : 1, uy = len > 0 ? dy / len : 0, h = width / 2;
    const TPx box[4] = {{a.X - uy * h, a.Y + ux * h},
                        {b.X - uy * h, b.Y + ux * h},
                        {b.X + uy * h, b.Y - ux * h},
                        {a.X + uy * h, a.Y - ux * h}};
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
  const double edge = h + 0.5;
  TRows<Sink> out(*this, sink);
  for (int y = ya; y <= yb; ++y) {
    const double yc = y + 0.5, cx = a.X + (yc - a.Y) * slope;
    int xa, xb;
    if (!PixelRange(cx - reach, cx + reach, x0_, x1_, xa, xb)) continue;
    if (binary_) {
      // Whole pixels: the run whose centres are within h across the line.
      auto in = [&](int x) { return edge - std::abs(x + 0.5 - cx) * across >= 0.5; };
      while (xa <= xb && !in(xa)) ++xa;
      while (xb >= xa && !in(xb)) --xb;
      if (xa <= xb) sink.Solid(y, xa, xb - xa + 1);
      continue;
    }
    out.Row(y, xa, xb, xb + 1, xb, TSteepCover{cx, across, edge});
  }
}

template <class Sink>
BS_COVER_CLONES void TCoverRasterizer::PixelLine(TPx a, TPx b, Sink& sink) {
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
      if (x < x0_ || x >= x1_) continue;
      if constexpr (std::is_same_v<Sink, TOpaqueSink>) std::memcpy(sink.At(y, x), &sink.Word, 4);
      else sink.Solid(y, x, 1);
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
  if constexpr (std::is_same_v<Sink, TOpaqueSink>) {
    // Straight into the image, a pixel per column.
    for (int x = xa; x <= xb; ++x) {
      const double xc = std::clamp(x + 0.5, a.X, b.X);
      const int y = int(std::floor(a.Y + (xc - a.X) * slope));
      if (y >= y0_ && y < y1_) std::memcpy(sink.At(y, x), &sink.Word, 4);
    }
    return;
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

template <class Sink>
BS_COVER_CLONES bool TCoverRasterizer::ConvexPolygon(const TPx* p, size_t n, Sink& sink) {
  // An upright rectangle (unturned pads, spokes) row by row: the distance
  // outside it is the larger of those across and along the row.
  if (n == 4 && ((p[0].X == p[1].X && p[1].Y == p[2].Y && p[2].X == p[3].X && p[3].Y == p[0].Y) ||
                 (p[0].Y == p[1].Y && p[1].X == p[2].X && p[2].Y == p[3].Y && p[3].X == p[0].X))) {
    const double left = std::min(p[0].X, p[2].X), right = std::max(p[0].X, p[2].X);
    const double top = std::min(p[0].Y, p[2].Y), bottom = std::max(p[0].Y, p[2].Y);
    if (!(left < right && top < bottom)) return false;
    const double fringe = binary_ ? 0 : 0.5;
    int xa, xb, ya, yb;
    if (!PixelRange(left - fringe, right + fringe, x0_, x1_, xa, xb) ||
        !PixelRange(top - fringe, bottom + fringe, y0_, y1_, ya, yb))
      return true;
    if (binary_) {
      for (int y = ya; y <= yb; ++y) sink.Solid(y, xa, xb - xa + 1);
      return true;
    }
    int ia, ib;
    FullRun(xa, xb, left + 0.5, right - 0.5, ia, ib);
    TRows<Sink> out(*this, sink);
    for (int y = ya; y <= yb; ++y) {
      const double yc = y + 0.5, dy = std::max(top - yc, yc - bottom);
      if (dy <= -0.5) out.Row(y, xa, xb, ia, ib, TBoxCover{left, right, dy});
      else out.Row(y, xa, xb, xb + 1, xb, TBoxCover{left, right, dy});
    }
    return true;
  }
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
  double at[64], slope[64], inv[64], nx[64], rest[64];
  for (size_t i = 0; i < m; ++i) {
    const TEdge& e = edges[i];
    inv[i] = std::abs(e.nx) > 1e-12 ? 1 / e.nx : 0;
    at[i] = e.c * inv[i];
    slope[i] = -e.ny * inv[i];
    nx[i] = e.nx;
  }
  TRows<Sink> out(*this, sink);
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
    int ia, ib;
    FullRun(xa, xb, inLo, inHi, ia, ib);
    out.Row(y, xa, xb, ia, ib, TPolygonCover{nx, rest, m});
  }
  return true;
}

// The sinks the shapes are drawn into.
#define BS_COVER_SHAPES(Sink)                                                           \
  template void TCoverRasterizer::Disc(TPx, double, Sink&);                             \
  template void TCoverRasterizer::Ring(TPx, double, double, Sink&);                     \
  template void TCoverRasterizer::RoundStroke(const TPx*, size_t, bool, double, Sink&); \
  template void TCoverRasterizer::RoundStrokes(const TPxPath*, size_t, double, Sink&);  \
  template void TCoverRasterizer::Line(TPx, TPx, double, Sink&);                        \
  template void TCoverRasterizer::PixelLine(TPx, TPx, Sink&);                           \
  template bool TCoverRasterizer::ConvexPolygon(const TPx*, size_t, Sink&);
BS_COVER_SHAPES(TCoverSink)
BS_COVER_SHAPES(TOpaqueSink)
#undef BS_COVER_SHAPES

}  // namespace bs
