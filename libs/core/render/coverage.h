// Pixel coverage of the small shapes a board is made of (discs, rings,
// round-capped strokes, convex polygons), computed row by row from the
// distance of each pixel centre to the shape's edge. A whole-board picture
// consists of tens of thousands of such shapes a few pixels across; this is
// far cheaper for them than a general scanline rasterizer with its sorted
// edge cells, and it costs in proportion to the pixels covered when they are
// large.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/surface.h"

namespace bs {

// Receives the covered pixels of one row: covers[i] (0 ... 255) belongs to
// pixel (x + i, y). Rows arrive already cut to the clip rectangle.
class TCoverSink {
 public:
  virtual void Row(int y, int x, int len, const uint8_t* covers) = 0;
  // A run of wholly covered pixels (the plain look's only kind, and the
  // middle of the anti-aliased rows).
  virtual void Solid(int y, int x, int len) = 0;

 protected:
  ~TCoverSink() = default;
};

// Sets len RGBA pixels from p to one 32-bit word.
void FillPixels(uint8_t* p, int len, uint32_t word);

// Paints one opaque colour straight into an RGBA image, blending the partly
// covered pixels: the usual painting. The rasterizer's templates see
// through it without a virtual call and blend its rows as they go.
class TOpaqueSink final : public TCoverSink {
 public:
  TOpaqueSink(TRaster& image, TColour c);
  void Row(int y, int x, int len, const uint8_t* covers) override;
  void Solid(int y, int x, int len) override {
    uint8_t* p = At(y, x);
    if (len > 4) {
      FillPixels(p, len, Word);
      return;
    }
    for (int i = 0; i < len; ++i) std::memcpy(p + 4 * i, &Word, 4);  // the short runs of small shapes
  }
  // Blends n covers from pixel (x, y) on and sets them back to zero; they
  // are read in groups of four, the last one possibly beyond n.
  void BlendAndClear(int y, int x, int n, uint8_t* covers);

  uint8_t* At(int y, int x) const { return Base + size_t(y) * Stride + size_t(x) * 4; }
  TRaster& Raster;
  uint8_t* const Base;  // the image's first pixel
  const size_t Stride;  // bytes per row
  const uint8_t R, G, B;
  uint32_t Word = 0;  // the colour as an opaque pixel
};

// The shapes are drawn into a TOpaqueSink or, through virtual calls, into
// any other sink.
class TCoverRasterizer {
 public:
  // Pixels outside [x0, x1) x [y0, y1) are never reported. A binary
  // rasterizer reports whole pixels only (255 where the pixel centre lies in
  // the shape), an anti-aliased one the covered share.
  TCoverRasterizer(int x0, int y0, int x1, int y1, bool binary);

  template <class Sink>
  void Disc(TPx centre, double r, Sink& sink);
  // A circle line of the given width around radius r.
  template <class Sink>
  void Ring(TPx centre, double r, double width, Sink& sink);
  // A polyline of the given width with round caps and joins: the union of
  // discs swept along it.
  template <class Sink>
  void RoundStroke(const TPx* points, size_t n, bool closed, double width, Sink& sink);
  // Open polylines of one width as one union of their strokes.
  template <class Sink>
  void RoundStrokes(const TPxPath* paths, size_t count, double width, Sink& sink);
  // A straight line with flat ends.
  template <class Sink>
  void Line(TPx a, TPx b, double width, Sink& sink);
  // A line one pixel wide, a pixel per row or column, whatever the clip.
  template <class Sink>
  void PixelLine(TPx a, TPx b, Sink& sink);
  // A convex polygon (either orientation; repeated points allowed). Returns
  // false and draws nothing when the polygon is not convex or has no area.
  template <class Sink>
  bool ConvexPolygon(const TPx* points, size_t n, Sink& sink);

 private:
  // The anti-aliased rows of a segment.
  template <class Sink>
  void SoftSegment(TPx a, TPx b, double h, Sink& sink);
  // The same for an upright or level segment, rows ya ... yb.
  template <class Sink>
  void AxisSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink);
  // The same for a short segment into the union being gathered: every
  // pixel of its small box takes the cover of its distance.
  void ShortSegment(TPx a, TPx b, double h);
  // An anti-aliased line at most 1.5 pixels wide with flat ends, row by
  // row by its distance across, whatever its direction.
  template <class Sink>
  void ThinLine(TPx a, TPx b, double width, Sink& sink);
  // The whole pixels of rows ya ... yb whose centres lie within h of a short
  // segment, found pixel by pixel in its box.
  template <class Sink>
  void SolidShortSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink);
  // The whole pixels of rows ya ... yb within h of an upright or level
  // segment.
  template <class Sink>
  void SolidAxisSegment(TPx a, TPx b, double h, int ya, int yb, Sink& sink);
  // Whether a segment's box of pixels is small enough for ShortSegment.
  static bool IsShort(TPx a, TPx b, double reach);
  // Where the anti-aliased rows of a shape go: row y, its pixels xa ... xb,
  // of which ia ... ib (none when ia > ib) are wholly covered, the others
  // taking their covers from the shape. While a union is gathered the rows
  // go into its buffer instead.
  template <class Sink>
  class TRows;
  template <class Shape>
  void Merge(int y, int xa, int xb, int ia, int ib, const Shape& shape);
  // A union of shapes over the pixel rectangle xa ... xb, ya ... yb, whose
  // every pixel is blended once, with the largest of its covers.
  void BeginUnion(int xa, int xb, int ya, int yb);
  template <class Sink>
  void EndUnion(Sink& sink);

  int x0_, y0_, x1_, y1_;
  bool binary_;
  std::vector<uint8_t> row_;
  struct TUnion {
    bool Active = false;
    int X = 0, Y = 0, W = 0, H = 0;  // first column and row, row length (padded), rows
    std::vector<uint8_t> Covers;     // all zero outside a union
    std::vector<int> Lo, Hi;         // the touched columns of each row
  } union_;
};

}  // namespace bs
