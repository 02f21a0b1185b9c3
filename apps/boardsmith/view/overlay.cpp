#include "view/overlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/view.h"
#include "view/qpainter_surface.h"

namespace bs::app {

namespace {
constexpr double kPi = std::numbers::pi;
// The red lines of a captured position stop this far from the cursor.
constexpr double kCaptureGap = 20;
constexpr double kMeasureCross = 20;
constexpr double kMeasureArc = 20;
constexpr double kZeroRing = 6;
constexpr int kBoxOffset = 20;
constexpr int kLabelOffset = 16;

QColor Q(TColour c, int alpha = 255) { return QColor(Red(c), Green(c), Blue(c), alpha); }

// White on a dark background, black on a light one.
TColour CrossColour(const TColourScheme& s) { return s.DarkBackground() ? 0xFFFFFF : 0x000000; }

// The colour of the circle about the last vertex or the zero point.
TColour CircleColour(const TColourScheme& s) {
  const TColour c = CrossColour(s);
  return s.DarkBackground() ? Darkened(c, 0.2) : Darkened(~c & 0xFFFFFF, 0.4);
}

QPointF PixelCentre(QPointF p) { return {std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5}; }

// The two ends of the line through p in direction (dx, dy) across the view.
std::pair<QPointF, QPointF> AcrossView(QPointF p, double dx, double dy, QSize view) {
  const double reach = double(view.width()) + view.height();
  return {QPointF(p.x() - dx * reach, p.y() - dy * reach), QPointF(p.x() + dx * reach, p.y() + dy * reach)};
}

// Cuts the segment to the rectangle (Liang-Barsky); false when it misses.
bool Clip(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const QPointF a0 = a;
  a = QPointF(a0.x() + t0 * dx, a0.y() + t0 * dy);
  b = QPointF(a0.x() + t1 * dx, a0.y() + t1 * dy);
  return true;
}

void AddCircle(std::vector<QRect>& pieces, QPointF c, double r, int pad, QRect clip) {
  const int n = std::clamp(int(std::ceil(2 * kPi * r / 12)), 8, 2000);
  QPointF last(c.x() + r, c.y());
  for (int i = 1; i <= n; ++i) {
    const double t = 2 * kPi * i / n;
    const QPointF next(c.x() + r * std::cos(t), c.y() + r * std::sin(t));
    AddSegment(pieces, last, next, pad, clip);
    last = next;
  }
}

// The union of many rectangles, merged pairwise so that it does not grow
// one rectangle at a time.
QRegion UnionOf(const std::vector<QRect>& rects) {
  std::vector<QRegion> level;
  for (const QRect& r : rects) level.emplace_back(r);
  while (level.size() > 1) {
    std::vector<QRegion> next;
    for (size_t i = 0; i < level.size(); i += 2)
      next.push_back(i + 1 < level.size() ? level[i] + level[i + 1] : level[i]);
    level.swap(next);
  }
  return level.empty() ? QRegion() : level.front();
}

QFont BoxFont(const TBoxStyle& style) {
  QFont f;
  f.setPixelSize(style.Big ? 14 : 12);
  return f;
}

QColor RowColour(int row, const TBoxStyle& style) {
  const int pair = (row - 1) / 2;  // rows 1-2, 3-4, 5-6
  if (style.Black) return Q(pair == 0 ? 0xFFFFFF : pair == 1 ? 0x00FFFF : 0xFFDCBE);
  return Q(pair == 0 ? 0x000000 : pair == 1 ? 0xFF0000 : 0x0000FF);
}
}  // namespace

void AddSegment(std::vector<QRect>& pieces, QPointF a, QPointF b, int pad, QRect clip) {
  if (!Clip(a, b, QRectF(clip).adjusted(-pad, -pad, pad, pad))) return;
  const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
  // Straight along an axis: one rectangle; otherwise short pieces.
  const bool axis = std::fabs(b.x() - a.x()) < 1 || std::fabs(b.y() - a.y()) < 1;
  const int n = axis ? 1 : std::max(1, int(std::ceil(length / 8)));
  for (int i = 0; i < n; ++i) {
    const QPointF p(a.x() + (b.x() - a.x()) * i / n, a.y() + (b.y() - a.y()) * i / n);
    const QPointF q(a.x() + (b.x() - a.x()) * (i + 1) / n, a.y() + (b.y() - a.y()) * (i + 1) / n);
    const QRect piece = QRectF(p, q).normalized().toAlignedRect().adjusted(-pad, -pad, pad + 1, pad + 1);
    pieces.push_back(piece & clip);
  }
}

double MeasureAngle(QPointF s, QPointF c) {
  const double dx = std::fabs(c.x() - s.x()), dy = std::fabs(c.y() - s.y());
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(dy, dx) * 180 / kPi;
}

void PaintCrosshair(QPainter& p, QSize view, const TCrosshair& c, const TCrosshairLook& look) {
  p.save();
  const bool dark = look.Scheme.DarkBackground();
  const TColour colour = CrossColour(look.Scheme);
  const QPointF at = PixelCentre(c.At);
  const double w = view.width(), h = view.height();
  p.setRenderHint(QPainter::Antialiasing, false);

  if (c.Measure) {
    // The measured rectangle, its legs, the cross at the start, the line and
    // the arc of the angle.
    const QPointF s = PixelCentre(*c.Measure);
    p.fillRect(QRectF(s, at).normalized(), Q(colour, dark ? 70 : 60));
    p.setPen(QPen(Q(colour), 1, Qt::DotLine));
    p.drawLine(s, QPointF(at.x(), s.y()));
    p.drawLine(s, QPointF(s.x(), at.y()));
    p.setPen(QPen(Q(colour), 1));
    p.drawLine(QPointF(s.x() - kMeasureCross, s.y()), QPointF(s.x() + kMeasureCross, s.y()));
    p.drawLine(QPointF(s.x(), s.y() - kMeasureCross), QPointF(s.x(), s.y() + kMeasureCross));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Q(colour), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(s, at);
    if (at != s) {
      // From the horizontal on the side of the cursor to the line.
      const double dx = at.x() - s.x(), dy = at.y() - s.y();
      const double base = dx >= 0 ? 0 : 180;
      const double line = std::atan2(-dy, dx) * 180 / kPi;  // counter-clockwise as seen
      double sweep = line - base;
      while (sweep > 180) sweep -= 360;
      while (sweep < -180) sweep += 360;
      p.setPen(QPen(Q(colour), 1));
      p.drawArc(QRectF(s.x() - kMeasureArc, s.y() - kMeasureArc, 2 * kMeasureArc, 2 * kMeasureArc),
                int(std::lround(base * 16)), int(std::lround(sweep * 16)));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
  }

  if (c.From) {
    const QPointF f = *c.From;
    const double r = std::hypot(at.x() - f.x(), at.y() - f.y());
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Q(CircleColour(look.Scheme)), 2));
    p.setBrush(Qt::NoBrush);
    if (r > 0) p.drawEllipse(f, r, r);
    p.setPen(QPen(Q(colour), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(f, at);
    if (c.Tick && r > 0) {
      const double nx = -(at.y() - f.y()) / r * 10, ny = (at.x() - f.x()) / r * 10;
      p.setPen(QPen(Q(colour), 1));
      p.drawLine(QPointF(f.x() - nx, f.y() - ny), QPointF(f.x() + nx, f.y() + ny));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
  }

  if (look.Diagonals) {
    if (look.AntiAliased) {
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(QPen(Q(colour), dark ? 0.4 : 0.2));
    } else {
      p.setPen(QPen(Q(colour), 1, Qt::DotLine));
    }
    for (double sign : {1.0, -1.0}) {
      const auto [a, b] = AcrossView(at, 1, sign, view);
      p.drawLine(a, b);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
  }

  p.setPen(QPen(Q(colour), 1));
  p.drawLine(QPointF(0, at.y()), QPointF(w, at.y()));
  p.drawLine(QPointF(at.x(), 0), QPointF(at.x(), h));

  if (c.Captured) {
    p.setPen(QPen(QColor(255, 0, 0), 1));
    for (double side : {-1.0, 1.0}) {
      const double y = at.y() + side, x = at.x() + side;
      p.drawLine(QPointF(0, y), QPointF(at.x() - kCaptureGap, y));
      p.drawLine(QPointF(at.x() + kCaptureGap, y), QPointF(w, y));
      p.drawLine(QPointF(x, 0), QPointF(x, at.y() - kCaptureGap));
      p.drawLine(QPointF(x, at.y() + kCaptureGap), QPointF(x, h));
    }
  }

  if (c.Ring) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Q(~colour & 0xFFFFFF), 4));
    p.drawEllipse(at, kZeroRing, kZeroRing);
    p.setPen(QPen(Q(colour), 2));
    p.drawEllipse(at, kZeroRing, kZeroRing);
  }
  p.restore();
}

QRegion CrosshairRegion(QSize view, const TCrosshair& c, const TCrosshairLook& look) {
  const QRect clip(QPoint(0, 0), view);
  const QPointF at = PixelCentre(c.At);
  const int x = int(std::floor(at.x())), y = int(std::floor(at.y()));
  std::vector<QRect> r;
  r.push_back(QRect(0, y - 2, view.width(), 5) & clip);
  r.push_back(QRect(x - 2, 0, 5, view.height()) & clip);
  if (look.Diagonals)
    for (double sign : {1.0, -1.0}) {
      const auto [a, b] = AcrossView(at, 1, sign, view);
      AddSegment(r, a, b, 2, clip);
    }
  if (c.From) {
    const double radius = std::hypot(at.x() - c.From->x(), at.y() - c.From->y());
    AddSegment(r, *c.From, at, 3, clip);
    AddCircle(r, *c.From, radius, 3, clip);
    if (c.Tick) r.push_back(QRect(c.From->toPoint() - QPoint(12, 12), QSize(25, 25)) & clip);
  }
  if (c.Ring) r.push_back(QRect(x - 10, y - 10, 21, 21) & clip);
  if (c.Measure) {
    const QPointF s = PixelCentre(*c.Measure);
    r.push_back(QRectF(s, at).normalized().toAlignedRect().adjusted(-2, -2, 2, 2) & clip);
    r.push_back(
        QRectF(s.x() - kMeasureCross - 2, s.y() - kMeasureCross - 2, 2 * kMeasureCross + 5, 2 * kMeasureCross + 5)
            .toAlignedRect() &
        clip);
  }
  return UnionOf(r);
}

QRect CoordinateBoxRect(QSize view, QPointF cursor, const std::vector<TBoxRow>& rows, const TBoxStyle& style,
                        bool preferLeft) {
  const QFontMetrics fm(BoxFont(style));
  const int h = style.Big ? 14 : 12;
  // As wide as a sample length row, or a wider row.
  int width = fm.horizontalAdvance("dX:  999,999 mil");
  int height = 2;
  for (const TBoxRow& row : rows) {
    width = std::max(width, fm.horizontalAdvance(row.Label + "  " + row.Value));
    if (row.Row == 3) height += 2;
    if (row.Row == 5) height += 4;
    height += h + 2;
  }
  width += 4 + 4;  // a margin of 2 pixels each side and 4 besides
  const int cx = int(std::floor(cursor.x())), cy = int(std::floor(cursor.y()));
  int left = cx + kBoxOffset, top = cy + kBoxOffset;
  if (preferLeft || left + width > view.width()) left = cx - kBoxOffset - width;
  if (top + height > view.height()) top = cy - kBoxOffset - height;
  return QRect(left, top, width, height);
}

void PaintCoordinateBox(QPainter& p, const QRect& box, const std::vector<TBoxRow>& rows, const TBoxStyle& style) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  if (style.Black) {
    p.fillRect(box, QColor(0, 0, 0, style.Transparent ? 180 : 255));
  } else {
    p.fillRect(box, Q(0xE1FFFF, style.Transparent ? 240 : 255));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
  }
  p.setFont(BoxFont(style));
  const int h = style.Big ? 14 : 12;
  int y = box.top() + 2;
  for (const TBoxRow& row : rows) {
    if (row.Row == 3) y += 2;
    if (row.Row == 5) y += 4;
    const QRect line(box.left() + 4, y, box.width() - 8, h + 2);
    p.setPen(RowColour(row.Row, style));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, row.Label);
    p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, row.Value);
    y += h + 2;
  }
  p.restore();
}

void TCursorMark::Paint(QPainter& p) const {
  if (!Shown) return;
  PaintCrosshair(p, View, Cross, Look);
  if (ShowBox && !Rows.empty())
    PaintCoordinateBox(p, CoordinateBoxRect(View, Cross.At, Rows, Style, PreferLeft), Rows, Style);
}

QRegion TCursorMark::Region() const {
  if (!Shown) return {};
  QRegion r = CrosshairRegion(View, Cross, Look);
  if (ShowBox && !Rows.empty()) r += CoordinateBoxRect(View, Cross.At, Rows, Style, PreferLeft) & QRect(QPoint(), View);
  return r;
}

void PaintRubberBand(QPainter& p, const QRect& r, const TColourScheme& scheme) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Q(scheme.Contrast()), 1, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.restore();
}

QRegion FrameRegion(const QRect& r) {
  if (r.isNull()) return {};
  QRegion frame(r.adjusted(-1, -1, 1, 1));
  if (r.width() > 4 && r.height() > 4) frame -= QRegion(r.adjusted(2, 2, -2, -2));
  return frame;
}

QRect NameLabelRect(QSize view, QPoint pointer, const QString& name) {
  const QFontMetrics fm{QFont()};
  const QSize size(fm.horizontalAdvance(name) + 8, fm.height() + 4);
  int left = pointer.x() + kLabelOffset;
  if (left + size.width() > view.width()) left = pointer.x() - kLabelOffset - size.width();
  int top = pointer.y() + kLabelOffset / 2;
  if (top + size.height() > view.height()) top = pointer.y() - kLabelOffset / 2 - size.height();
  return QRect(QPoint(left, top), size);
}

void PaintNameLabel(QPainter& p, const QRect& r, const QString& name) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, QColor(255, 255, 225));
  p.setPen(Qt::black);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.drawText(r, Qt::AlignCenter, name);
  p.restore();
}

QRect ModelRectOnView(const TURect& r, const TPlatine& board, QSize view, int margin) {
  const TDPoint a = ModelToPixel(board, {double(r.Left), double(r.Bottom)});
  const TDPoint b = ModelToPixel(board, {double(r.Right), double(r.Top)});
  // Far-off corners are held near the view before they become whole pixels.
  auto px = [](double v, int size) { return int(std::clamp(v, -100.0, size + 100.0)); };
  return QRect(QPoint(px(std::floor(a.X), view.width()), px(std::floor(a.Y), view.height())),
               QPoint(px(std::ceil(b.X), view.width()), px(std::ceil(b.Y), view.height())))
             .adjusted(-margin, -margin, margin, margin) &
         QRect(QPoint(0, 0), view);
}

void PaintDragPreview(QPainter& p, QSize view, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                      TDPoint delta, const TPaintSettings& settings, bool antiAliased) {
  if (elements.empty()) return;
  p.save();
  // The elements stay where they are; the view looks at them shifted.
  TViewMap map = ViewMapOf(board);
  map.ScrollX -= delta.X * map.Zoom;
  map.ScrollY += delta.Y * map.Zoom;
  TQPainterSurface surface(p, view.width(), view.height(), antiAliased);
  DrawDragPreview(surface, elements, board, map, settings);
  p.restore();
}

QRegion DragPreviewRegion(QSize view, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                          TDPoint delta) {
  QRegion r;
  for (const TObjekt* e : elements) {
    TURect b = CullBounds(*e);
    if (b.Right < b.Left) continue;
    const auto shift = [](int32_t v, double d) { return int32_t(std::clamp(v + d, -2e9, 2e9)); };
    b = {shift(b.Left, std::floor(delta.X)), shift(b.Top, std::floor(delta.Y)), shift(b.Right, std::ceil(delta.X)),
         shift(b.Bottom, std::ceil(delta.Y))};
    r += ModelRectOnView(b, board, view, 3);
  }
  return r;
}

}  // namespace bs::app
