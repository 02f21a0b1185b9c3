// Raster back-ends of the drawing surface: anti-aliased, and aliased for the
// plain look and for two-colour work rasters. Both draw with Anti-Grain
// Geometry into an RGBA image.
#pragma once

#include <memory>

#include "render/surface.h"

namespace bs {

class TRasterSurface final : public TSurface {
 public:
  TRasterSurface(int width, int height, bool antiAliased);
  ~TRasterSurface() override;

  int Width() const override { return raster_.Width; }
  int Height() const override { return raster_.Height; }
  bool AntiAliased() const override { return antiAliased_; }

  void SetCompose(TCompose mode) override {
    Flush();
    compose_ = mode;
  }
  void SetAlpha(uint8_t alpha) override {
    Flush();
    alpha_ = alpha;
  }
  void SetClip(int x0, int y0, int x1, int y1) override;
  void ResetClip() override;
  int BandHeight() const override { return band_; }
  // 0 paints pictures in one go (for tests comparing both ways).
  void SetBandHeight(int rows) { band_ = rows; }

  void FillRect(double x0, double y0, double x1, double y1, TColour c) override;
  bool FillsWholePixels() const override { return compose_ == TCompose::Normal && alpha_ == 255; }
  void FillPaths(const std::vector<TPxPath>& paths, TColour c) override;
  void FillSimplePolygon(const TPxPath& path, TColour c) override;
  void BeginBatch() override;
  void EndBatch() override;
  void StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) override;
  void StrokePaths(const std::vector<TPxPath>& paths, double width, TColour c) override;
  void FillCircle(TPx centre, double r, TColour c) override;
  void StrokeCircle(TPx centre, double r, double width, TColour c) override;
  void StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) override;
  void FillPie(TPx centre, double r, double a0, double sweep, TColour c) override;
  void BlitKeyed(const TRaster& src, TColour key) override;

  // Fills the whole image (ignoring clip, compositing and alpha).
  void Clear(TColour c);
  const TRaster& Raster() const { return raster_; }
  TRaster& Raster() { return raster_; }
  TColour Pixel(int x, int y) const { return raster_.At(x, y); }

 private:
  struct TImpl;
  // Prepares the rasterizer for a shape of colour c: in a batch the shape
  // joins the ones gathered so far (drawing them first if their colour
  // differs), otherwise it starts afresh.
  void Start(TColour c);
  // Draws the shape (or, in a batch, leaves it gathered).
  void Finish(TColour c);
  // Draws what a batch has gathered.
  void Flush();
  void Render(TColour c);
  // Whether shapes may skip the general rasterizer and go through the
  // per-pixel coverage of coverage.h: opaque and in a mode where drawing a
  // pixel twice in the same colour changes nothing.
  bool Direct() const;
  // Draws through the coverage rasterizer in colour c; `draw` receives the
  // rasterizer and the sink that blends the rows into the image.
  template <class F>
  void DrawDirect(TColour c, F&& draw);

  std::unique_ptr<TImpl> impl_;
  bool batching_ = false;
  bool gathered_ = false;
  TColour batchColour_ = 0;
  TRaster raster_;
  bool antiAliased_;
  TCompose compose_ = TCompose::Normal;
  uint8_t alpha_ = 255;
  int clip_[4] = {0, 0, 0, 0};
  int band_ = 256;
};

}  // namespace bs
