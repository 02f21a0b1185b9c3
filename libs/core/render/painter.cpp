#include "render/painter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <unordered_map>

#include "model/geometry.h"
#include "model/layers.h"
#include "model/placement.h"
#include "render/grid.h"
#include "render/hatch.h"
#include "render/raster_surface.h"

namespace bs {

namespace {
constexpr double kPi = std::numbers::pi;

// Asks for an element's record and its points ahead of their use: the
// elements of a band lie all over memory, and drawing them one after the
// other would wait for each.
void Prefetch(const void* p, size_t bytes) {
#if defined(__GNUC__)
  for (size_t at = 0; at < bytes; at += 64) __builtin_prefetch(static_cast<const char*>(p) + at);
#else
  (void)p, (void)bytes;
#endif
}
void PrefetchRecord(const TObjekt& e) { Prefetch(&e, sizeof(TObjekt)); }
void PrefetchPoints(const TObjekt& e) {
  Prefetch(e.Points.data(), e.Points.size() * sizeof(TFPoint));
  Prefetch(e.SubElements.data(), e.SubElements.size() * sizeof(e.SubElements[0]));
}

// What one element drawing call needs to know.
struct TDraw {
  TSurface& s;
  const TPlatine& board;
  TViewMap v;
  const TPaintSettings& set;
  TPaintTarget target;
  bool dragPreview = false;

  TPx P(double x, double y) const { return {x * v.Zoom - v.ScrollX, -y * v.Zoom - v.ScrollY}; }
  TPx P(TFPoint p) const { return P(p.X, p.Y); }
  double L(double units) const { return units * v.Zoom; }
  // Selected as the picture shows it: never in a manufacturing picture.
  bool ShownSelected(const TObjekt& e) const { return e.Selected && !set.Artwork; }

  // The points on the picture, in a buffer reused from element to element
  // (valid until the next call).
  const TPxPath& Path(const TPointList& pts) const {
    pathBuffer.resize(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) pathBuffer[i] = P(pts[i]);
    return pathBuffer;
  }
  mutable TPxPath pathBuffer = {};

  // A straight line and a quadrilateral through buffers reused from call to
  // call.
  void Stroke2(TPx a, TPx b, double width, TCap cap, TColour c) {
    pairBuffer.assign({a, b});
    s.StrokePath(pairBuffer, width, cap, false, c);
  }
  void FillQuad(TPx a, TPx b, TPx c, TPx d, TColour colour) {
    quadBuffer.assign({a, b, c, d});
    s.FillSimplePolygon(quadBuffer, colour);
  }
  TPxPath pairBuffer = {};
  TPxPath quadBuffer = {};

  TColour ZoneBack() const { return set.Scheme.Background(); }

  void Tht(const TObjekt& e, double g, TColour c) {
    if (IsBareHole(e) && g == 0) return;
    const double r = double(e.SizeA) + g;
    switch (e.Shape) {
      case kShapeRound: s.FillCircle(P(e.Pos), L(r), c); return;
      case kShapeRoundedH:
      case kShapeRoundedV:
        if (e.Points.size() >= 2) Stroke2(P(e.Points[0]), P(e.Points[1]), L(2 * r), TCap::Round, c);
        return;
      case kShapeOctagon:
      case kShapeSquare:
      case kShapeOctagonH:
      case kShapeRectH:
      case kShapeOctagonV:
      case kShapeRectV:
        if (g == 0) {
          s.FillSimplePolygon(Path(e.Points), c);
        } else {
          TPointList grown = ThtOutline(e.Shape, e.Pos, e.SizeA, RoundInt(g));
          RotatePoints(grown, e.Pos, -PadRotation(e));
          s.FillSimplePolygon(Path(grown), c);
        }
        return;
      default: return;
    }
  }

  void Smd(const TObjekt& e, double g, TColour c) {
    if (e.Points.size() < 4) return;
    if (g == 0) {
      s.FillSimplePolygon(Path(e.Points), c);
      return;
    }
    const auto len = [](TFPoint a, TFPoint b) { return std::hypot(double(b.X) - a.X, double(b.Y) - a.Y); };
    s.FillSimplePolygon(
        Path(RotatedRectangle(e.Points, len(e.Points[0], e.Points[1]) + 2 * g, len(e.Points[1], e.Points[2]) + 2 * g)),
        c);
  }

  void FlatEnd(TFPoint from, TFPoint end, double w, TColour c) {
    const double dx = double(end.X) - from.X, dy = double(end.Y) - from.Y;
    const double len = std::hypot(dx, dy);
    if (len <= w / 2) return;  // a short end segment keeps its round cap
    const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux, h = w / 2;
    FillQuad(P(end.X + nx * h, end.Y + ny * h), P(end.X + nx * h + ux * h, end.Y + ny * h + uy * h),
             P(end.X - nx * h + ux * h, end.Y - ny * h + uy * h), P(end.X - nx * h, end.Y - ny * h), c);
  }

  void Track(const TObjekt& e, double g, TColour c) {
    if (e.Points.size() < 2) return;
    const double w = double(e.Width) + 2 * g;
    const TPxPath& path = Path(e.Points);
    s.StrokePath(path, L(w), TCap::Round, false, c);
    const size_t n = e.Points.size();
    if (e.TrackEnds & 1) FlatEnd(e.Points[1], e.Points[0], w, c);
    if (e.TrackEnds & 2) FlatEnd(e.Points[n - 2], e.Points[n - 1], w, c);
    if (set.ToolMode == 11 && e.Routed && g == 0 && L(e.Width) > 2) {
      const double centre = std::max(e.Width / (s.AntiAliased() ? 4.0 : 3.0), 1.0);
      s.StrokePath(path, L(centre), TCap::Round, false, set.Scheme.C[kColConnections]);
    }
  }

  // Hatch lines of a zone: vertical and horizontal lines on multiples of the
  // pitch, clipped to the polygon.
  void Hatch(const TObjekt& e, TColour c) {
    const double p = std::max(e.HatchAuto ? 2.0 * e.Width : double(e.HatchWidth), 5000.0);
    for (const auto& [a, b] : ZoneHatchSegments(e, p, 20000))
      Stroke2(P(a.X, a.Y), P(b.X, b.Y), L(p / 2), TCap::Butt, c);
  }

  void Zone(const TObjekt& e, double g, TColour c, bool gap) {
    if (e.Points.size() < 2) return;
    const TPxPath& path = Path(e.Points);
    const double w = double(e.Width) + 2 * g;
    const bool outlineOnly = !gap && (!e.Closed || (e.Cutout && ShownSelected(e) && !dragPreview));
    if (!outlineOnly) {
      const bool back = !gap && (e.Hatch || e.Cutout);
      s.FillPolygon(path, back ? ZoneBack() : c);
      if (!gap && e.Hatch && !e.Cutout && g == 0) Hatch(e, c);
    }
    s.StrokePath(path, L(w), TCap::Round, e.Closed != 0, c);
  }

  void Circle(const TObjekt& e, double g, TColour c) {
    const double m = (double(e.SizeA) + e.SizeB) / 2;
    const double w = double(e.SizeA) - e.SizeB + 2 * g;
    const TPx centre = P(e.Pos);
    if (e.StartAngle == e.StopAngle) {
      if (e.Fill) s.FillCircle(centre, L(m), c);
      s.StrokeCircle(centre, L(m), L(w), c);
      return;
    }
    const double a0 = e.StartAngle / 1000.0 * kPi / 180;
    double sweep = (e.StopAngle - e.StartAngle) / 1000.0;
    if (sweep < 0) sweep += 360;
    sweep = sweep * kPi / 180;
    if (e.Fill) s.FillPie(centre, L(m), a0, sweep, c);
    s.StrokeArc(centre, L(m), a0, sweep, L(w), TCap::Butt, c);
  }

  void Text(const TObjekt& e, double g, TColour c) {
    if (IsComponentLabel(e) && !e.LabelVisible) return;
    const auto& strokes = e.SubElements;
    // Strokes of one width with round ends (as the font makes them) are
    // drawn as one shape.
    bool together = !strokes.empty();
    for (const auto& s : strokes)
      together = together && s->Width == strokes[0]->Width && s->TrackEnds == 0 && !(set.ToolMode == 11 && s->Routed);
    if (together) {
      textBuffer.resize(strokes.size());
      size_t n = 0;
      for (size_t k = 0; k < strokes.size(); ++k) {
        if (k + 2 < strokes.size()) PrefetchRecord(*strokes[k + 2]);
        if (k + 1 < strokes.size()) PrefetchPoints(*strokes[k + 1]);
        const TPointList& pts = strokes[k]->Points;
        if (pts.size() < 2) continue;  // (a track needs two points)
        TPxPath& path = textBuffer[n++];
        path.resize(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) path[i] = P(pts[i]);
      }
      textBuffer.resize(n);
      s.StrokePaths(textBuffer, L(double(strokes[0]->Width) + 2 * g), c);
      return;
    }
    for (size_t k = 0; k < strokes.size(); ++k) {
      if (k + 2 < strokes.size()) PrefetchRecord(*strokes[k + 2]);
      if (k + 1 < strokes.size()) PrefetchPoints(*strokes[k + 1]);
      Track(*strokes[k], g, c);
    }
  }
  std::vector<TPxPath> textBuffer = {};

  // Draws the element grown by g in colour c.
  void Shape(const TObjekt& e, double g, TColour c, bool gap = false) {
    switch (e.Kind) {
      case kKindThtPad: Tht(e, g, c); break;
      case kKindSmdPad: Smd(e, g, c); break;
      case kKindTrack: Track(e, g, c); break;
      case kKindZone: Zone(e, g, c, gap); break;
      case kKindCircle: Circle(e, g, c); break;
      case kKindText: Text(e, g, c); break;
      default: break;
    }
  }

  // The element itself: cut-out elements only while selected or dragged.
  void Element(const TObjekt& e, TColour c) {
    if (!e.Shown) return;
    if (e.Cutout && !ShownSelected(e) && !dragPreview) return;
    Shape(e, 0, c);
  }

  void Spokes(const TObjekt& pad, int layer, TColour c) {
    TSpokeContext ctx;
    ctx.Layer = layer;
    ctx.GroundPlaneOn = true;
    for (const auto& r : ThermalSpokeRects(pad, ctx))
      FillQuad(P(r[0].X, r[0].Y), P(r[1].X, r[1].Y), P(r[2].X, r[2].Y), P(r[3].X, r[3].Y), c);
  }

  // The element grown by its clearance; a cut-out by nothing.
  void Gap(const TObjekt& e, TColour c) {
    if (!e.Cutout && e.Clearance == 0) return;
    if (IsComponentLabel(e) && !e.LabelVisible) return;
    Shape(e, e.Cutout ? 0 : e.Clearance, c, true);
  }
};

TColour GroundPlaneColour(const TPaintSettings& set, int layer) {
  const TColour c = set.Scheme.Layer(layer);
  return set.DarkenGroundPlane ? Darkened(c, 0.4) : c;
}

TColour DrillColour(const TPaintSettings& set) {
  return set.Drillings == 1 ? 0xFFFFFF : set.Drillings == 2 ? 0x000000 : set.Scheme.Background();
}

// The model rectangle the surface shows.
struct TModelRect {
  double minX, minY, maxX, maxY;
};

bool Meets(const TURect& r, const TModelRect& m) {
  return r.Right >= m.minX && r.Left <= m.maxX && r.Bottom >= m.minY && r.Top <= m.maxY;
}
}  // namespace

TViewMap ViewMapOf(const TPlatine& board) { return {board.Zoom, double(board.ScrollX), double(board.ScrollY)}; }

TColour ElementColour(const TObjekt& e, const TPaintSettings& set, TPaintTarget target) {
  TColour c = set.Scheme.Layer(e.Layer);
  if (IsVia(e)) c = set.Scheme.C[kColThroughPads];
  if (set.ToolMode == 15 && NeedsSolderMaskOpening(e)) c = set.Scheme.Layer(kLayerO);
  if (e.Selected && !set.Artwork) c = set.BlinkDark ? Darkened(set.Scheme.Selection(), 0.2) : set.Scheme.Selection();
  if (target == TPaintTarget::BitmapExport && set.Monochrome) c = 0x000000;
  return c;
}

TURect CullBounds(const TObjekt& e) {
  double minX = std::numeric_limits<double>::infinity(), minY = minX, maxX = -minX, maxY = -minX;
  auto take = [&](double x, double y, double grow) {
    minX = std::min(minX, x - grow);
    maxX = std::max(maxX, x + grow);
    minY = std::min(minY, y - grow);
    maxY = std::max(maxY, y + grow);
  };
  const double gap = std::max<double>(e.Clearance, 0) + 600;
  switch (e.Kind) {
    case kKindThtPad: {
      // Spokes of elongated pads reach the corner of the grown pad box.
      const double reach = 3.0 * std::fabs(double(e.SizeA)) + 2 * gap;
      take(e.Pos.X, e.Pos.Y, reach);
      break;
    }
    case kKindSmdPad:
    case kKindZone:
    case kKindTrack: {
      const double grow = (e.Kind == kKindSmdPad ? std::max(std::fabs(double(e.SizeA)), std::fabs(double(e.SizeB)))
                                                 : std::fabs(double(e.Width))) +
                          gap;
      for (const TFPoint& p : e.Points) take(p.X, p.Y, grow);
      break;
    }
    case kKindCircle:
      take(e.Pos.X, e.Pos.Y, std::max(std::fabs(double(e.SizeA)), std::fabs(double(e.SizeB))) + gap);
      break;
    case kKindText:
      for (size_t k = 0; k < e.SubElements.size(); ++k) {
        if (k + 2 < e.SubElements.size()) Prefetch(e.SubElements[k + 2].get(), 64);
        if (k + 1 < e.SubElements.size()) PrefetchPoints(*e.SubElements[k + 1]);
        const TObjekt* s = e.SubElements[k].get();
        // The box of the points grown once: the same as growing each point
        // (points that are no numbers count on neither axis).
        constexpr float kBig = std::numeric_limits<float>::infinity();
        float x0 = kBig, x1 = -kBig, y0 = kBig, y1 = -kBig;
        for (const TFPoint& p : s->Points) {
          x0 = std::min(x0, p.X), x1 = std::max(x1, p.X);
          y0 = std::min(y0, p.Y), y1 = std::max(y1, p.Y);
        }
        const double grow = std::fabs(double(s->Width)) + gap;
        if (x0 <= x1) minX = std::min(minX, x0 - grow), maxX = std::max(maxX, x1 + grow);
        if (y0 <= y1) minY = std::min(minY, y0 - grow), maxY = std::max(maxY, y1 + grow);
      }
      break;
    default: take(e.Pos.X, e.Pos.Y, 0); break;
  }
  if (!(maxX >= minX) || !std::isfinite(minX + maxX + minY + maxY)) return TURect{1, 1, 0, 0};  // meets nothing
  auto clampI = [](double v) { return static_cast<int32_t>(std::clamp(v, -2e9, 2e9)); };
  return {clampI(std::floor(minX)), clampI(std::floor(minY)), clampI(std::ceil(maxX)), clampI(std::ceil(maxY))};
}

void DrawElement(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                 const TPaintSettings& settings, TPaintTarget target) {
  TDraw d{s, board, view, settings, target};
  d.Element(e, ElementColour(e, settings, target));
}

void DrawElementInColour(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                         const TPaintSettings& settings, TColour colour) {
  TDraw d{s, board, view, settings, TPaintTarget::Other};
  d.Element(e, colour);
}

void DrawElementClearance(TSurface& s, const TObjekt& e, const TPlatine& board, const TViewMap& view,
                          const TPaintSettings& settings, TColour colour) {
  TDraw d{s, board, view, settings, TPaintTarget::Other};
  d.Gap(e, colour);
}

void DrawThermalSpokes(TSurface& s, const TObjekt& pad, const TPlatine& board, const TViewMap& view, int layer,
                       TColour colour) {
  TPaintSettings settings;
  TDraw d{s, board, view, settings, TPaintTarget::Other};
  d.Spokes(pad, layer, colour);
}

namespace {
class TBoardPaint {
 public:
  // Paints pixel rows y0 ... y1 - 1 of columns x0 ... x1 - 1 in bands of
  // `band` rows.
  TBoardPaint(TSurface& s, const TBoard& b, const TViewMap& v, const TPaintSettings& set, TPaintTarget t, int x0,
              int y0, int x1, int y1, int band)
      : s_(s), b_(b), p_(b.Platine), set_(set), target_(t), d_{s, b.Platine, v, set, t} {
    for (int y = y0; y < y1; y += band) {
      const int yEnd = std::min(y + band, y1);
      bands_.push_back({x0,
                        y,
                        x1,
                        yEnd,
                        {(v.ScrollX + x0) / v.Zoom, -(v.ScrollY + yEnd) / v.Zoom, (v.ScrollX + x1) / v.Zoom,
                         -(v.ScrollY + y) / v.Zoom}});
    }
    const auto& list = b.Elements;
    cull_.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      // The records and their points lie all over memory: asked for ahead.
      if (i + 8 < list.size()) Prefetch(list[i + 8].get(), 64);
      if (i + 4 < list.size()) PrefetchPoints(*list[i + 4]);
      const TObjekt& e = *list[i];
      cull_.push_back(CullBounds(e));
      if (e.Selected && !set_.Artwork) only_ = selectedCount_++ == 0 ? &e : nullptr;
    }
    roles_.resize(list.size());
    SortIntoBands(band);
    RubberBandLines();
    if (target_ == TPaintTarget::Screen) Markers();
  }

  size_t Bands() const { return bands_.size(); }

  // Paints band k: the elements that reach into it and nothing outside it.
  // A picture painted in bands of rows keeps each band in the processor's
  // cache while its many small shapes are drawn.
  void RunBand(size_t k) {
    const TBandRect& r = bands_[k];
    s_.SetClip(r.x0, r.y0, r.x1, r.y1);
    visibleRows_[0] = r.y0;
    visibleRows_[1] = r.y1;
    visibleCols_[0] = r.x0;
    visibleCols_[1] = r.x1;
    visible_ = r.visible;
    inBand_ = &inBands_[k];
    Run();
  }

 private:
  void Run() {
    const TColour bg = set_.Scheme.Background();
    // The board area and the area outside it.
    const TPx tl = d_.P(0, 0), br = d_.P(p_.Width, -double(p_.Height));
    const double right = std::round(br.X + 1), bottom = std::round(br.Y + 1);
    boardRect_ = {tl.X, tl.Y, right, bottom};
    const std::vector<int> planes = PlaneLayers();
    // Where rectangles are whole pixels, the area outside the board is
    // filled around it, and the board not at all when a plane on the
    // picture itself covers it: every pixel is set once.
    const bool whole =
        s_.FillsWholePixels() && std::isfinite(tl.X + tl.Y + right + bottom) && tl.X <= right && tl.Y <= bottom;
    const TColour outside = set_.Scheme.Contrast();
    const double w = s_.Width(), h = s_.Height();
    if (whole) {
      s_.FillRect(0, 0, w, tl.Y, outside);
      s_.FillRect(0, bottom, w, h, outside);
      s_.FillRect(0, tl.Y, tl.X, bottom, outside);
      s_.FillRect(right, tl.Y, w, bottom, outside);
    } else {
      s_.FillRect(0, 0, w, h, outside);
    }
    if (!whole || planes.size() != 1) s_.FillRect(tl.X, tl.Y, right, bottom, bg);

    GroundPlanes(planes);
    // (The scanned template joins here.)
    if (set_.ShowGrid) {
      TPlatine view = p_;
      view.Zoom = d_.v.Zoom;
      view.ScrollX = static_cast<int32_t>(std::lround(d_.v.ScrollX));
      view.ScrollY = static_cast<int32_t>(std::lround(d_.v.ScrollY));
      TGridStyle style;
      style.Dots = set_.GridDots;
      style.MarkerEvery = set_.GridMarker;
      style.LineColour = set_.Scheme.C[kColGridLines];
      style.DotColour = set_.Scheme.C[kColGridDots];
      DrawGrid(s_, view, style);
    }

    if (set_.Transparent)
      s_.SetCompose(set_.Scheme.DarkBackground() ? (s_.AntiAliased() ? TCompose::Plus : TCompose::Or)
                                                 : (s_.AntiAliased() ? TCompose::Minus : TCompose::And));
    const int* order = LayerPaintOrder(p_.ActiveLayer);
    // Every layer's elements share a colour: one batch per layer.
    s_.BeginBatch();
    for (int k = 0; k < 7; ++k)
      if (IsCopperLayer(order[k])) LayerElements(order[k]);
    for (uint32_t i : *inBand_)
      if (roles_[i].Flags & kViaPass) Draw(i);
    for (int k = 0; k < 7; ++k)
      if (!IsCopperLayer(order[k])) LayerElements(order[k]);
    s_.EndBatch();
    s_.SetCompose(TCompose::Normal);

    s_.BeginBatch();
    for (uint32_t i : *inBand_)
      if (roles_[i].Flags & kSelected) Draw(i);
    s_.EndBatch();
    if (set_.ToolMode == 15)
      for (uint32_t i : *inBand_)
        if (roles_[i].Flags & kMaskPass) Draw(i);
    Drills();
    Handles();
    ComponentMarkers();
    RubberBands();
    ZeroPoint();
  }

  void Draw(uint32_t i) { d_.Element(Element(i), roles_[i].Colour); }
  const TObjekt& Element(uint32_t i) const { return *b_.Elements[i]; }

  // What the passes of a paint do with an element, found once per paint:
  // the layer whose pass draws it (0 for none), the layers its ground-plane
  // gap is cut into, and the other passes that take it.
  enum : uint8_t { kViaPass = 1, kSelected = 2, kMaskPass = 4, kSpokes = 8, kDrill = 16 };
  struct TRoles {
    uint8_t Layer = 0;
    uint8_t Planes = 0;  // bit l: occupies layer l
    uint8_t Flags = 0;
    TColour Colour = 0;  // its element colour
  };
  TRoles RolesOf(const TObjekt& e) const {
    // Solder-mask openings are drawn in their own pass in that mode only.
    const bool opens = set_.ToolMode == 15 && NeedsSolderMaskOpening(e), via = IsVia(e);
    TRoles r;
    const bool sel = e.Selected && !set_.Artwork;
    if (!sel && !via && !opens && !e.Cutout && e.Layer >= 1 && e.Layer <= 7) r.Layer = e.Layer;
    // As OccupiesLayer has it: a through pad lies on every copper layer.
    const unsigned inner = p_.Multilayer ? (1u << kLayerI1) | (1u << kLayerI2) : 0;
    if (via) r.Planes = uint8_t((1u << kLayerC1) | (1u << kLayerC2) | inner);
    else if (e.Layer >= 1 && e.Layer <= 7) r.Planes = uint8_t(1u << e.Layer);
    if (via && !sel && !opens && ShownOnScreen(e, p_)) r.Flags |= kViaPass;
    if (sel) r.Flags |= kSelected;
    if (opens && ShownOnScreen(e, p_)) r.Flags |= kMaskPass;
    if (IsPad(e) && e.Thermal) r.Flags |= kSpokes;
    if (e.Kind == kKindThtPad && e.SizeB > 0 && e.Shown && (sel || ShownOnScreen(e, p_))) r.Flags |= kDrill;
    r.Colour = ElementColour(e, set_, target_);
    return r;
  }

  // The elements of each band, in list order: those whose cull rectangle
  // meets the band. Only the bands about an element's rows are tested, and
  // only the elements that reach into a band get their roles.
  void SortIntoBands(int band) {
    inBands_.resize(bands_.size());
    const TViewMap& v = d_.v;
    const double top = bands_.empty() ? 0 : bands_[0].y0, rows = std::max(band, 1);
    const double last = double(bands_.size()) - 1;
    for (uint32_t i = 0; i < cull_.size(); ++i) {
      if (i + 8 < cull_.size()) Prefetch(b_.Elements[i + 8].get(), 64);
      const TURect& r = cull_[i];
      const double from = std::floor((-double(r.Bottom) * v.Zoom - v.ScrollY - top) / rows) - 1;
      const double to = std::floor((-double(r.Top) * v.Zoom - v.ScrollY - top) / rows) + 1;
      if (!(from <= last) || !(to >= 0)) continue;
      bool placed = false;
      for (size_t k = size_t(std::max(from, 0.0)), end = size_t(std::min(to, last)); k <= end; ++k)
        if (Meets(r, bands_[k].visible)) inBands_[k].push_back(i), placed = true;
      if (placed) roles_[i] = RolesOf(Element(i));
    }
  }

  // Calls f(i) for the elements of the band that `take` picks, in order,
  // with their records and points asked for a few elements ahead.
  template <class Take, class F>
  void ForEach(Take&& take, F&& f) {
    picked_.clear();
    for (uint32_t i : *inBand_)
      if (take(i)) picked_.push_back(i);
    const size_t n = picked_.size();
    for (size_t j = 0; j < n; ++j) {
      // Two steps: the points' address is in the record.
      if (j + 8 < n) PrefetchRecord(Element(picked_[j + 8]));
      if (j + 4 < n) PrefetchPoints(Element(picked_[j + 4]));
      f(picked_[j]);
    }
  }

  void LayerElements(int layer) {
    if (!p_.LayerVisible[layer]) return;
    ForEach([&](uint32_t i) { return roles_[i].Layer == layer; }, [&](uint32_t i) { Draw(i); });
  }

  // One layer's plane: its colour over the board, the gaps, the spokes.
  void PlaneOnto(TDraw& d, int layer, TColour gapColour) {
    const TColour gp = GroundPlaneColour(set_, layer);
    d.s.FillRect(boardRect_.minX, boardRect_.minY, boardRect_.maxX, boardRect_.maxY, gp);
    const uint8_t on = uint8_t(1u << layer);
    d.s.BeginBatch();
    ForEach([&](uint32_t i) { return (roles_[i].Planes & on) != 0; },
            [&](uint32_t i) { d.Gap(Element(i), gapColour); });
    for (uint32_t i : *inBand_)
      if ((roles_[i].Flags & kSpokes) && (roles_[i].Planes & on)) d.Spokes(Element(i), layer, gp);
    d.s.EndBatch();
  }

  // The layers whose ground plane is painted, in painting order.
  std::vector<int> PlaneLayers() const {
    std::vector<int> layers;
    const int active = p_.ActiveLayer;
    const bool all = set_.AllGroundPlanes && s_.AntiAliased();
    if (all) {
      const int* order = LayerPaintOrder(active);
      for (int k = 0; k < 7; ++k)
        if (IsCopperLayer(order[k]) && p_.GroundPlane[order[k]] && p_.LayerVisible[order[k]])
          layers.push_back(order[k]);
    } else if (active >= 1 && active <= 7 && IsCopperLayer(active) && p_.GroundPlane[active]) {
      layers.push_back(active);
    }
    return layers;
  }

  void GroundPlanes(const std::vector<int>& layers) {
    const TColour bg = set_.Scheme.Background();
    if (layers.empty()) return;  // (and no work picture either)
    if (layers.size() == 1) {
      PlaneOnto(d_, layers[0], bg);
      return;
    }
    // Several planes: each drawn alone, then laid over with the background
    // as the transparent key so that every layer's copper shows.
    if (!work_) work_ = std::make_unique<TRasterSurface>(s_.Width(), s_.Height(), s_.AntiAliased());
    TRasterSurface& work = *work_;
    work.SetClip(int(std::floor(visibleCols_[0])), int(std::floor(visibleRows_[0])), int(std::ceil(visibleCols_[1])),
                 int(std::ceil(visibleRows_[1])));
    for (int layer : layers) {
      work.FillRect(0, 0, s_.Width(), s_.Height(), bg);
      TDraw d{work, p_, d_.v, set_, target_};
      PlaneOnto(d, layer, bg);
      s_.BlitKeyed(work.Raster(), bg);
    }
  }

  void Drills() {
    const bool aa = s_.AntiAliased();
    const TColour drill = DrillColour(set_);
    std::vector<THole>& holes = holes_;
    holes.clear();
    for (uint32_t i : *inBand_) {
      if (!(roles_[i].Flags & kDrill)) continue;
      const TObjekt& e = Element(i);
      const double d = d_.L(e.SizeB);
      double r = aa ? std::max(d, 0.5) : d - 1;
      if (aa && !IsBareHole(e)) r = std::min(r, d_.L(e.SizeA) - 1);
      if (r > 0) holes.push_back({d_.P(e.Pos), r, d, &e});
    }
    // Holes first, then their rims and crosses, each in one batch.
    s_.BeginBatch();
    for (const THole& h : holes) s_.FillCircle(h.c, h.r, drill);
    s_.EndBatch();
    s_.BeginBatch();
    for (const THole& h : holes) {
      const TObjekt& e = *h.e;
      const bool bare = IsBareHole(e);
      const TColour rim = e.Selected && !set_.Artwork ? set_.Scheme.Selection() : bare ? set_.Scheme.Contrast() : drill;
      s_.StrokeCircle(h.c, h.r, 1, rim);
      const double arm = (h.d - 1) / 1.6 - 2;
      if (bare && arm > 0) {
        const TColour xc = e.Selected && !set_.Artwork ? 0xFF00FF : set_.Scheme.Layer(e.Layer);
        const TPx c = h.c;
        d_.Stroke2({c.X - arm, c.Y - arm}, {c.X + arm, c.Y + arm}, 1, TCap::Butt, xc);
        d_.Stroke2({c.X - arm, c.Y + arm}, {c.X + arm, c.Y - arm}, 1, TCap::Butt, xc);
      }
    }
    s_.EndBatch();
  }

  void Handles() {
    if (set_.Artwork) return;
    if (target_ == TPaintTarget::MacroPreview || set_.ToolMode == 11 || set_.ToolMode == 8 || set_.ToolMode == 15)
      return;
    if (!only_) return;
    const TObjekt* only = only_;
    const TObjekt& e = *only;
    const double px3 = 3;
    if (e.Kind == kKindTrack || e.Kind == kKindZone) {
      const double r = std::max(d_.L(e.Width / 2.1), px3);
      const double ring = std::max(d_.L(RoundInt(e.Width / 2.1 * 0.7)), 1.0);
      const size_t n = e.Points.size();
      const size_t segments = e.Kind == kKindZone ? n : (n ? n - 1 : 0);
      for (size_t i = 0; i < segments && n >= 2; ++i) {
        const TFPoint a = e.Points[i], b = e.Points[(i + 1) % n];
        s_.StrokeCircle(d_.P((double(a.X) + b.X) / 2, (double(a.Y) + b.Y) / 2), ring, 1, 0xFF0000);
      }
      for (const TFPoint& p : e.Points) {
        s_.FillCircle(d_.P(p), r, 0xFF0000);
        s_.StrokeCircle(d_.P(p), r, 1, 0xFFFFFF);
      }
    } else if (e.Kind == kKindCircle) {
      const double m = (double(e.SizeA) + e.SizeB) / 2;
      const double r = std::max(d_.L((double(e.SizeA) - e.SizeB) / 2), px3);
      auto onMean = [&](int32_t a) {
        const double t = a / 1000.0 * kPi / 180;
        return d_.P(e.Pos.X + m * std::cos(t), e.Pos.Y + m * std::sin(t));
      };
      // A circle edited by itself shows its centre and the legs to its ends.
      if (e.ComponentNo == 0 && e.Groups.empty()) {
        const double w = s_.AntiAliased() ? 1.5 : 1, arm = d_.L(e.SizeB / 5.0);
        const TPx c = d_.P(e.Pos);
        const TColour k = set_.Scheme.Contrast();
        d_.Stroke2({c.X - arm, c.Y}, {c.X + arm, c.Y}, w, TCap::Butt, k);
        d_.Stroke2({c.X, c.Y - arm}, {c.X, c.Y + arm}, w, TCap::Butt, k);
        d_.Stroke2(onMean(e.StartAngle), c, w, TCap::Butt, k);
        d_.Stroke2(c, onMean(e.StopAngle), w, TCap::Butt, k);
      }
      for (int32_t a : {e.StartAngle, e.StopAngle}) s_.FillCircle(onMean(a), r, 0xFF0000);
    }
  }

  // The rubber bands as lines on the picture, found once for all bands.
  void RubberBandLines() {
    if (set_.Artwork) return;
    const auto& list = b_.Elements;
    for (size_t i = 0; i < list.size(); ++i) {
      if (i + 8 < list.size()) Prefetch(list[i + 8].get(), 128);  // (the partners are in the second line)
      const auto& e = list[i];
      if (!IsPad(*e) || !e->Shown) continue;
      const TDPoint a = Centre(*e);
      for (const TObjekt* o : e->Connections) {
        if (o < e.get() && std::find(o->Connections.begin(), o->Connections.end(), e.get()) != o->Connections.end())
          continue;  // the pair is drawn once
        if (!o->Shown) continue;
        TColour c = set_.Scheme.C[kColConnections];
        if ((set_.ToolMode == 9 || set_.ToolMode == 11) && e->Selected && o->Selected) c = 0xFF00FF;
        const TDPoint b = Centre(*o);
        rubberBands_.push_back({d_.P(a.X, a.Y), d_.P(b.X, b.Y), c});
      }
    }
  }

  // A cross at the placement point of every component whose elements are
  // all shown. Finding the point takes the outlines of the component's
  // elements; components whose cross surely misses the painted part of the
  // board are passed over.
  void Markers() {
    std::unordered_map<int32_t, std::vector<uint32_t>> components;
    for (uint32_t i = 0; i < b_.Elements.size(); ++i)
      if (Element(i).ComponentNo > 0) components[Element(i).ComponentNo].push_back(i);
    TModelRect painted = bands_.empty() ? TModelRect{} : bands_.front().visible;
    for (const TBandRect& r : bands_) {
      painted.minX = std::min(painted.minX, r.visible.minX), painted.maxX = std::max(painted.maxX, r.visible.maxX);
      painted.minY = std::min(painted.minY, r.visible.minY), painted.maxY = std::max(painted.maxY, r.visible.maxY);
    }
    std::vector<const TObjekt*> members;
    for (const auto& [n, indices] : components) {
      if (!std::all_of(indices.begin(), indices.end(), [&](uint32_t i) { return Element(i).Shown != 0; })) continue;
      if (!MarkerMayShow(indices, painted)) continue;
      members.clear();
      for (uint32_t i : indices) members.push_back(&Element(i));
      if (const auto at = PlacementPoint(members, p_)) markers_.push_back(*at);
    }
  }

  // Whether a component's cross may reach into the painted model rectangle.
  // Unturned, the placement point is the centre of some of the outlines of
  // its elements other than texts, which lie within their cull rectangles,
  // or the origin when none of those has an outline, moved by the placement
  // offset; a turned placement is not bounded here.
  bool MarkerMayShow(const std::vector<uint32_t>& indices, const TModelRect& painted) const {
    const TObjekt* id = nullptr;
    TModelRect box{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    bool allOutlined = true;  // every element surely has an outline: the origin is out of the question
    for (uint32_t i : indices) {
      const TObjekt& e = Element(i);
      if (IsIdLabel(e) && !id) id = &e;
      if (e.Kind == kKindText) continue;
      const TURect& r = cull_[i];
      if (r.Left > r.Right) return true;  // no bounds known
      allOutlined = allOutlined && HasOutline(e);
      box = {std::min(box.minX, double(r.Left)), std::min(box.minY, double(r.Top)), std::max(box.maxX, double(r.Right)),
             std::max(box.maxY, double(r.Bottom))};
    }
    if (!id) return false;  // no placement point
    if (!(box.minX <= box.maxX)) return true;
    const TPlaceData place = id->Place ? *id->Place : TPlaceData{};
    if (int(std::lround(place.PlaceRotation)) % 90 != 0 || !std::isfinite(place.PlaceOffsetX + place.PlaceOffsetY))
      return true;
    // The arm of the cross and two pixels to spare.
    const double reach = 5000 + 2 / d_.v.Zoom;
    const double dx = place.PlaceOffsetX, dy = -double(place.PlaceOffsetY);
    auto meets = [&](double x0, double y0, double x1, double y1) {
      return x1 + dx + reach >= painted.minX && x0 + dx - reach <= painted.maxX && y1 + dy + reach >= painted.minY &&
             y0 + dy - reach <= painted.maxY;
    };
    return meets(box.minX, box.minY, box.maxX, box.maxY) || (!allOutlined && meets(0, 0, 0, 0));
  }

  // Whether the element surely has an outline: pads of the known shapes with
  // their points, tracks and zones with points.
  static bool HasOutline(const TObjekt& e) {
    switch (e.Kind) {
      case kKindThtPad:
        switch (e.Shape) {
          case kShapeRound:
          case kShapeRoundedH:
          case kShapeRoundedV: return e.Points.size() >= 2;
          case kShapeSquare:
          case kShapeRectH:
          case kShapeRectV:
          case kShapeOctagon:
          case kShapeOctagonH:
          case kShapeOctagonV: return !e.Points.empty();
          default: return false;
        }
      case kKindSmdPad:
      case kKindTrack:
      case kKindZone: return !e.Points.empty();
      default: return false;
    }
  }

  void ComponentMarkers() {
    if (set_.Artwork) return;
    const TColour c = set_.Scheme.Contrast();
    const double arm = d_.L(5000);
    s_.BeginBatch();
    for (const TDPoint& m : markers_) {
      const TPx p = d_.P(m.X, m.Y);
      if (p.Y + arm < visibleRows_[0] - 1 || p.Y - arm > visibleRows_[1] + 1) continue;
      d_.Stroke2({p.X - arm, p.Y}, {p.X + arm, p.Y}, 1, TCap::Butt, c);
      d_.Stroke2({p.X, p.Y - arm}, {p.X, p.Y + arm}, 1, TCap::Butt, c);
    }
    s_.EndBatch();
  }

  void RubberBands() {
    if (set_.Artwork) return;
    const double w = s_.AntiAliased() ? 1.5 : 1;
    s_.BeginBatch();
    for (const TRubberBand& band : rubberBands_) {
      if (std::max(band.a.Y, band.b.Y) < visibleRows_[0] - w || std::min(band.a.Y, band.b.Y) > visibleRows_[1] + w)
        continue;
      d_.Stroke2(band.a, band.b, w, TCap::Butt, band.c);
    }
    s_.EndBatch();
  }

  void ZeroPoint() {
    if (set_.Artwork) return;
    TPx z = d_.P(p_.OriginX, p_.OriginY);
    z = {std::floor(z.X) + 0.5, std::floor(z.Y) + 0.5};
    const bool aa = s_.AntiAliased();
    const double outer = aa ? 16 : 15;
    const TColour bg = set_.Scheme.Background(), fg = set_.Scheme.Contrast();
    d_.Stroke2({z.X - outer, z.Y}, {z.X + outer, z.Y}, 3, TCap::Butt, bg);
    d_.Stroke2({z.X, z.Y - outer}, {z.X, z.Y + outer}, 3, TCap::Butt, bg);
    d_.Stroke2({z.X - 15, z.Y}, {z.X + 15, z.Y}, 1, TCap::Butt, fg);
    d_.Stroke2({z.X, z.Y - 15}, {z.X, z.Y + 15}, 1, TCap::Butt, fg);
    if (aa) {
      s_.FillCircle(z, 2, bg);
      s_.StrokeCircle(z, 2, 3, fg);
    }
  }

  TSurface& s_;
  const TBoard& b_;
  const TPlatine& p_;
  const TPaintSettings& set_;
  TPaintTarget target_;
  TDraw d_;
  TModelRect visible_{};
  TModelRect boardRect_{};
  double visibleRows_[2] = {0, 0};
  double visibleCols_[2] = {0, 0};
  struct TBandRect {
    int x0, y0, x1, y1;
    TModelRect visible;  // the model rectangle the band shows
  };
  std::vector<TBandRect> bands_;
  std::vector<TURect> cull_;
  std::vector<TRoles> roles_;
  std::vector<std::vector<uint32_t>> inBands_;  // the elements that reach into each band, in list order
  const std::vector<uint32_t>* inBand_ = nullptr;
  std::vector<uint32_t> picked_;
  size_t selectedCount_ = 0;
  const TObjekt* only_ = nullptr;  // the one selected element, if only one is
  struct TRubberBand {
    TPx a, b;
    TColour c;
  };
  std::vector<TRubberBand> rubberBands_;
  std::vector<TDPoint> markers_;
  struct THole {
    TPx c;
    double r, d;
    const TObjekt* e;
  };
  std::vector<THole> holes_;
  std::unique_ptr<TRasterSurface> work_;  // for laying several ground planes over each other
};
}  // namespace

uint8_t DragPreviewAlpha(const TPaintSettings& settings, bool antiAliased) {
  return !antiAliased ? 255 : settings.Scheme.DarkBackground() ? 230 : 170;
}

void DrawDragPreview(TSurface& s, const std::vector<const TObjekt*>& elements, const TPlatine& board,
                     const TViewMap& view, const TPaintSettings& settings, bool translucent) {
  TDraw d{s, board, view, settings, TPaintTarget::Screen};
  d.dragPreview = true;
  if (translucent) s.SetAlpha(DragPreviewAlpha(settings, s.AntiAliased()));
  for (const TObjekt* e : elements) {
    const TColour c = ElementColour(*e, settings, TPaintTarget::Screen);
    if (e->Kind != kKindThtPad) {
      d.Shape(*e, 0, c);
      continue;
    }
    const TPx centre = d.P(e->Pos);
    const double drill = d.L(e->SizeB);
    if (IsBareHole(*e)) {
      // A bare hole shows as its circle with a cross of half its radius.
      const double arm = drill / 2;
      s.StrokeCircle(centre, drill, 1, c);
      d.Stroke2({centre.X - arm, centre.Y - arm}, {centre.X + arm, centre.Y + arm}, 1, TCap::Butt, c);
      d.Stroke2({centre.X - arm, centre.Y + arm}, {centre.X + arm, centre.Y - arm}, 1, TCap::Butt, c);
      continue;
    }
    d.Shape(*e, 0, c);
    if (drill > 0) s.StrokeCircle(centre, drill, 1, c);
  }
  s.SetAlpha(255);
}

void PaintBoard(TSurface& s, const TBoard& board, const TViewMap& view, const TPaintSettings& settings,
                TPaintTarget target) {
  PaintBoardRegion(s, board, view, settings, 0, 0, s.Width(), s.Height(), target);
}

void PaintBoardRegion(TSurface& s, const TBoard& board, const TViewMap& view, const TPaintSettings& settings, int x0,
                      int y0, int x1, int y1, TPaintTarget target) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, s.Width());
  y1 = std::min(y1, s.Height());
  if (x1 <= x0 || y1 <= y0) return;
  const int band = s.BandHeight() > 0 ? s.BandHeight() : y1 - y0;
  TBoardPaint paint(s, board, view, settings, target, x0, y0, x1, y1, band);
  for (size_t k = 0; k < paint.Bands(); ++k) paint.RunBand(k);
  s.ResetClip();
}

}  // namespace bs
