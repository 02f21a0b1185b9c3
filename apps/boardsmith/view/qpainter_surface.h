// The drawing surface over a QPainter: the plain look of the drawing area
// and, later, printing.
#pragma once

#include <QPainter>

#include "render/surface.h"

namespace bs::app {

class TQPainterSurface final : public TSurface {
 public:
  // Draws with `painter` on a device of the given size in pixels.
  TQPainterSurface(QPainter& painter, int width, int height, bool antiAliased = false);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool AntiAliased() const override { return antiAliased_; }

  void SetCompose(TCompose mode) override;
  void SetAlpha(uint8_t alpha) override { alpha_ = alpha; }
  void SetClip(int x0, int y0, int x1, int y1) override;
  void ResetClip() override;

  void FillRect(double x0, double y0, double x1, double y1, TColour c) override;
  void FillPaths(const std::vector<TPxPath>& paths, TColour c) override;
  void StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) override;
  void FillCircle(TPx centre, double r, TColour c) override;
  void StrokeCircle(TPx centre, double r, double width, TColour c) override;
  void StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) override;
  void FillPie(TPx centre, double r, double a0, double sweep, TColour c) override;
  void BlitKeyed(const TRaster& src, TColour key) override;

 private:
  QColor Colour(TColour c) const;
  QPen Pen(double width, TCap cap, TColour c) const;

  QPainter& p_;
  int width_;
  int height_;
  bool antiAliased_;
  uint8_t alpha_ = 255;
};

}  // namespace bs::app
