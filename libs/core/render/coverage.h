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
#include <vector>

#include "render/surface.h"

namespace bs {

// Receives the covered pixels of one row: covers[i] (0 ... 255) belongs to
// pixel (x + i, y). Rows arrive already cut to the clip rectangle.
class TCoverSink {
 public:
  virtual void Row(int y, int x, int len, const uint8_t* covers) = 0;
  // A run of wholly covered pixels (the plain look's only kind).
  virtual void Solid(int y, int x, int len) = 0;

 protected:
  ~TCoverSink() = default;
};

class TCoverRasterizer {
 public:
  // Pixels outside [x0, x1) x [y0, y1) are never reported. A binary
  // rasterizer reports whole pixels only (255 where the pixel centre lies in
  // the shape), an anti-aliased one the covered share.
  TCoverRasterizer(int x0, int y0, int x1, int y1, bool binary);

  void Disc(TPx centre, double r, TCoverSink& sink);
  // A circle line of the given width around radius r.
  void Ring(TPx centre, double r, double width, TCoverSink& sink);
  // A polyline of the given width with round caps and joins: the union of
  // discs swept along it.
  void RoundStroke(const TPx* points, size_t n, bool closed, double width, TCoverSink& sink);
  // A straight line with flat ends.
  void Line(TPx a, TPx b, double width, TCoverSink& sink);
  // A line one pixel wide, a pixel per row or column, whatever the clip.
  void PixelLine(TPx a, TPx b, TCoverSink& sink);
  // A convex polygon (either orientation; repeated points allowed). Returns
  // false and draws nothing when the polygon is not convex or has no area.
  bool ConvexPolygon(const TPx* points, size_t n, TCoverSink& sink);

 private:
  void Segment(TPx a, TPx b, double width, TCoverSink& sink);
  void Emit(int y, int xFrom, TCoverSink& sink);
  void Merge(int y, int xFrom);
  uint8_t Cover(double v) const;

  int x0_, y0_, x1_, y1_;
  bool binary_;
  std::vector<uint8_t> row_;
  // The cover buffer of a stroke drawn as one union.
  struct TUnion {
    bool Active = false;
    int X = 0, Y = 0, W = 0;          // its pixel rectangle's corner and width
    std::vector<uint8_t> Covers;      // all zero between strokes
    std::vector<int> Lo, Hi;          // the touched range of each row
  } union_;
};

}  // namespace bs
