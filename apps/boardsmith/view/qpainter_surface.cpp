#include "view/qpainter_surface.h"

#include <QImage>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace bs::app {

namespace {
constexpr double kDegrees = 180 / std::numbers::pi;

Qt::PenCapStyle CapOf(TCap cap) {
  switch (cap) {
    case TCap::Square: return Qt::SquareCap;
    case TCap::Butt: return Qt::FlatCap;
    default: return Qt::RoundCap;
  }
}

QRectF Box(TPx c, double r) { return QRectF(c.X - r, c.Y - r, 2 * r, 2 * r); }
}  // namespace

TQPainterSurface::TQPainterSurface(QPainter& painter, int width, int height, bool antiAliased)
    : p_(painter), width_(width), height_(height), antiAliased_(antiAliased) {
  p_.setRenderHint(QPainter::Antialiasing, antiAliased_);
}

QColor TQPainterSurface::Colour(TColour c) const { return QColor(Red(c), Green(c), Blue(c), alpha_); }

QPen TQPainterSurface::Pen(double width, TCap cap, TColour c) const {
  QPen pen(Colour(c));
  pen.setWidthF(std::max(width, 1.0));
  pen.setCapStyle(CapOf(cap));
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void TQPainterSurface::SetCompose(TCompose mode) {
  switch (mode) {
    case TCompose::Normal: p_.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    case TCompose::Plus: p_.setCompositionMode(QPainter::CompositionMode_Plus); break;
    // Qt has no subtraction; the darkening mode is the closest blend.
    case TCompose::Minus: p_.setCompositionMode(QPainter::CompositionMode_Multiply); break;
    case TCompose::Or: p_.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case TCompose::And: p_.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
  }
}

void TQPainterSurface::SetClip(int x0, int y0, int x1, int y1) { p_.setClipRect(QRect(x0, y0, x1 - x0, y1 - y0)); }

void TQPainterSurface::ResetClip() { p_.setClipping(false); }

void TQPainterSurface::FillRect(double x0, double y0, double x1, double y1, TColour c) {
  p_.fillRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)).normalized(), Colour(c));
}

void TQPainterSurface::FillPaths(const std::vector<TPxPath>& paths, TColour c) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const TPxPath& poly : paths) {
    if (poly.size() < 2) continue;
    path.moveTo(poly[0].X, poly[0].Y);
    for (size_t i = 1; i < poly.size(); ++i) path.lineTo(poly[i].X, poly[i].Y);
    path.closeSubpath();
  }
  p_.fillPath(path, Colour(c));
}

void TQPainterSurface::StrokePath(const TPxPath& path, double width, TCap cap, bool closed, TColour c) {
  if (path.empty()) return;
  p_.setPen(Pen(width, cap, c));
  p_.setBrush(Qt::NoBrush);
  if (path.size() == 1) {
    p_.drawPoint(QPointF(path[0].X, path[0].Y));
    return;
  }
  QPolygonF poly;
  poly.reserve(int(path.size()));
  for (const TPx& q : path) poly << QPointF(q.X, q.Y);
  if (closed) p_.drawPolygon(poly);
  else p_.drawPolyline(poly);
}

void TQPainterSurface::FillCircle(TPx centre, double r, TColour c) {
  p_.setPen(Qt::NoPen);
  p_.setBrush(Colour(c));
  p_.drawEllipse(Box(centre, r));
}

void TQPainterSurface::StrokeCircle(TPx centre, double r, double width, TColour c) {
  p_.setPen(Pen(width, TCap::Round, c));
  p_.setBrush(Qt::NoBrush);
  p_.drawEllipse(Box(centre, r));
}

void TQPainterSurface::StrokeArc(TPx centre, double r, double a0, double sweep, double width, TCap cap, TColour c) {
  // Qt's angles run counter-clockwise as seen, in 1/16 degree.
  p_.setPen(Pen(width, cap, c));
  p_.setBrush(Qt::NoBrush);
  p_.drawArc(Box(centre, r), int(std::lround(a0 * kDegrees * 16)), int(std::lround(sweep * kDegrees * 16)));
}

void TQPainterSurface::FillPie(TPx centre, double r, double a0, double sweep, TColour c) {
  p_.setPen(Qt::NoPen);
  p_.setBrush(Colour(c));
  p_.drawPie(Box(centre, r), int(std::lround(a0 * kDegrees * 16)), int(std::lround(sweep * kDegrees * 16)));
}

void TQPainterSurface::BlitKeyed(const TRaster& src, TColour key) {
  QImage image(src.Width, src.Height, QImage::Format_ARGB32);
  for (int y = 0; y < src.Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < src.Width; ++x) {
      const TColour c = src.At(x, y);
      line[x] = c == key ? qRgba(0, 0, 0, 0) : qRgb(Red(c), Green(c), Blue(c));
    }
  }
  p_.drawImage(0, 0, image);
}

}  // namespace bs::app
