// The drawing surface the board painter draws on, in pixel coordinates
// (origin at the top-left of the surface, y down), with the few primitives
// the painter needs. Back-ends: the anti-aliased and the aliased raster
// surfaces here; the editor adds a QPainter one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bs {

// 24-bit colour in 0x00BBGGRR order (red in the low byte).
using TColour = uint32_t;

inline constexpr uint8_t Red(TColour c) { return c & 0xFF; }
inline constexpr uint8_t Green(TColour c) { return (c >> 8) & 0xFF; }
inline constexpr uint8_t Blue(TColour c) { return (c >> 16) & 0xFF; }
inline constexpr TColour Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return TColour(r) | (TColour(g) << 8) | (TColour(b) << 16);
}

struct TPx {
  double X = 0;
  double Y = 0;
};
using TPxPath = std::vector<TPx>;

// How new colour combines with what is drawn: Plus and Minus are the
// anti-aliased transparent mode, Or and And the plain one.
enum class TCompose { Normal, Plus, Minus, Or, And };
enum class TCap { Round, Square, Butt };

// An RGBA image, 4 bytes per pixel in the order R, G, B, A.
struct TRaster {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;
  TRaster() = default;
  TRaster(int w, int h) : Width(w), Height(h), Pixels(size_t(w) * size_t(h) * 4, 0) {}
  TColour At(int x, int y) const {
    const uint8_t* p = &Pixels[(size_t(y) * size_t(Width) + size_t(x)) * 4];
    return Rgb(p[0], p[1], p[2]);
  }
};

class TSurface {
 public:
  virtual ~TSurface() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool AntiAliased() const = 0;

  virtual void SetCompose(TCompose mode) = 0;
  virtual void SetAlpha(uint8_t alpha) = 0;  // 255: opaque
  // Restricts drawing to a pixel rectangle (x0, y0 inclusive, x1, y1 exclusive).
  virtual void SetClip(int x0, int y0, int x1, int y1) = 0;
  virtual void ResetClip() = 0;
  // Rows per band when a whole picture is best painted band by band (each
  // band clipped in turn); 0 paints it in one go.
  virtual int BandHeight() const { return 0; }

  virtual void FillRect(double x0, double y0, double x1, double y1, TColour c) = 0;
  // Whether FillRect sets whole pixels to the colour as it is now (opaque,
  // no compositing), so that a rectangle filled over another one of the
  // same corners leaves nothing of the first, and rectangles sharing an
  // edge neither overlap nor leave a gap.
  virtual bool FillsWholePixels() const { return false; }
  // All paths filled together with the even-odd rule.
  virtual void FillPaths(const std::vector<TPxPath>& paths, TColour c) = 0;
  void FillPolygon(const TPxPath& path, TColour c) { FillPaths({path}, c); }
  // A polygon that does not cross itself (pads, spokes): the fill rule does
  // not matter, which lets a batch merge it with other shapes.
  virtual void FillSimplePolygon(const TPxPath& path, TColour c) { FillPolygon(path, c); }

  // Shapes drawn between BeginBatch and EndBatch may be rasterized together,
  // as one union, when they have the same colour: a picture of many small
  // shapes is then drawn in far fewer passes. Drawing order is kept.
  virtual void BeginBatch() {}
  virtual void EndBatch() {}
  // A polyline (closed when asked) stroked with round joins.
  virtual void StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) = 0;
  // Open polylines of one width with round caps and joins as one shape (a
  // text's strokes): where they meet, their edges need not be laid over
  // each other.
  virtual void StrokePaths(const std::vector<TPxPath>& paths, double width, TColour c) {
    for (const TPxPath& p : paths) StrokePath(p, width, TCap::Round, false, c);
  }
  virtual void FillCircle(TPx centre, double r, TColour c) = 0;
  virtual void StrokeCircle(TPx centre, double r, double width, TColour c) = 0;
  // Arcs and pies run counter-clockwise as seen (y up on screen) from angle a0
  // by the sweep, both in radians; a point at angle a lies at
  // (x + r cos a, y - r sin a).
  virtual void StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) = 0;
  virtual void FillPie(TPx centre, double r, double a0, double sweep, TColour c) = 0;
  // Copies `src` (placed at the surface origin) except its pixels of colour `key`.
  virtual void BlitKeyed(const TRaster& src, TColour key) = 0;
};

}  // namespace bs
