#include "model/objekt.h"

#include <bit>

#include "model/polygon.h"

namespace bs {

TObjekt::TObjekt() = default;
TObjekt::~TObjekt() = default;

TPlaceData& EnsurePlace(TObjekt& e) {
  if (!e.Place) e.Place = std::make_unique<TPlaceData>();
  return *e.Place;
}

std::unique_ptr<TObjekt> NewObjekt() { return std::make_unique<TObjekt>(); }

void InitTrack(TObjekt& e, int32_t width, uint8_t layer) {
  e.Kind = kKindTrack;
  e.Width = width;
  e.Layer = layer;
  e.Points.clear();
  e.Groups.clear();
  e.TrackEnds = 0;
  e.Routed = 0;
  e.RouteStart = e.RouteEnd = nullptr;
  e.Text.clear();
  e.Text2.clear();
  e.Cutout = 0;
  e.SolderMask = 0;
}

void InitZone(TObjekt& e, int32_t width, uint8_t layer) {
  e.Kind = kKindZone;
  e.Width = width;
  e.Layer = layer;
  e.Points.clear();
  e.Groups.clear();
  e.Closed = 1;
  e.Hatch = 0;
  e.HatchAuto = 1;
  e.HatchWidth = width;
  e.Cutout = 0;
  e.SolderMask = 0;
  e.Routed = 0;
}

TPointList ThtOutline(uint8_t shape, TFPoint centre, float r, int32_t margin) {
  const double g = static_cast<double>(r) + margin;
  const double t = margin + 2.0 * r;
  const double L = RoundInt(0.585 * g);
  auto octagon = [&](double ex, double ey) {
    return std::vector<TDPoint>{{-ex, ey - L}, {-ex + L, ey}, {ex - L, ey},   {ex, ey - L},
                                {ex, -ey + L}, {ex - L, -ey}, {-ex + L, -ey}, {-ex, -ey + L}};
  };
  auto rect = [](double ex, double ey) { return std::vector<TDPoint>{{-ex, ey}, {ex, ey}, {ex, -ey}, {-ex, -ey}}; };
  std::vector<TDPoint> off;
  switch (shape) {
    case kShapeRound: off = {{-g, 0}, {g, 0}}; break;
    case kShapeOctagon: off = octagon(g, g); break;
    case kShapeSquare: off = rect(g, g); break;
    case kShapeRoundedH: off = {{-r, 0}, {r, 0}}; break;
    case kShapeOctagonH: off = octagon(t, g); break;
    case kShapeRectH: off = rect(t, g); break;
    case kShapeRoundedV: off = {{0, r}, {0, -r}}; break;
    case kShapeOctagonV: off = octagon(g, t); break;
    case kShapeRectV: off = rect(g, t); break;
    default: break;
  }
  TPointList pts;
  pts.reserve(off.size());
  for (const TDPoint& o : off) pts.push_back({static_cast<float>(centre.X + o.X), static_cast<float>(centre.Y + o.Y)});
  return pts;
}

// What THT and SMD pads share when they are initialised.
static void InitPadDefaults(TObjekt& e, uint32_t spokes) {
  e.Groups.clear();
  e.Connections.clear();
  e.Thermal = 0;
  e.ThermalSpokes = spokes;
  e.ThermalWidth = 100;
  e.ThermalMagic = kThermalMagic;
  e.SolderMask = 1;
  e.Cutout = 0;
}

void InitThtPad(TObjekt& e, TFPoint centre, uint8_t layer, uint8_t shape, float drillRadius, float outerRadius) {
  e.Kind = kKindThtPad;
  e.Pos = centre;
  e.Layer = layer;
  e.Shape = shape;
  e.SizeA = outerRadius;
  e.SizeB = drillRadius;
  e.OutlineMargin = 0;
  e.Points = ThtOutline(shape, centre, outerRadius, 0);
  e.Via = 0;
  e.ThermalIndividual = 0;
  InitPadDefaults(e, kDefaultThtSpokes);
}

void InitSmdPad(TObjekt& e, TFPoint centre, float width, uint8_t layer, float height) {
  e.Kind = kKindSmdPad;
  e.Pos = centre;
  e.Layer = layer;
  e.SizeA = width;
  e.SizeB = height;
  const float hw = width / 2, hh = height / 2;
  e.Points = {{centre.X - hw, centre.Y + hh},
              {centre.X + hw, centre.Y + hh},
              {centre.X + hw, centre.Y - hh},
              {centre.X - hw, centre.Y - hh}};
  InitPadDefaults(e, kDefaultSmdSpokes);
}

void InitCircle(TObjekt& e, TFPoint centre, float outerRadius, uint8_t layer, float innerRadius) {
  e.Kind = kKindCircle;
  e.Pos = centre;
  e.SizeA = outerRadius;
  e.SizeB = innerRadius;
  e.Layer = layer;
  e.StartAngle = 0;
  e.StopAngle = 0;
  e.Fill = 0;
  e.Points.clear();
  e.Groups.clear();
  e.SolderMask = 0;
  e.Cutout = 0;
}

void InitText(TObjekt& e, TFPoint anchor, const TByteString& text, bool mirrorV, bool mirrorH, uint8_t layer,
              int32_t style, float thickness, float height, int32_t rotation) {
  e.Kind = kKindText;
  e.Pos = anchor;
  e.SizeA = height;
  e.SizeB = thickness;
  e.Style = style;
  e.MirrorV = mirrorV ? 1 : 0;
  e.MirrorH = mirrorH ? 1 : 0;
  e.Layer = layer;
  e.Rotation = rotation;
  e.Text = text;
  e.LabelRole = 0;
  e.LabelVisible = 1;
  e.Groups.clear();
  e.SubElements.clear();
  e.Routed = 0;
  e.Cutout = 0;
  e.SolderMask = 0;
}

void AddPoint(TObjekt& e, TFPoint p) { e.Points.push_back(p); }

void AddGroupNumber(TObjekt& e, int32_t n) { e.Groups.push_back(n); }

// Copies the fields of the 77-byte header (except the reference slots).
static void CopyHeaderFields(const TObjekt& s, TObjekt& d) {
  d.Kind = s.Kind;
  d.Pos = s.Pos;
  d.SizeA = s.SizeA;
  d.SizeB = s.SizeB;
  d.Width = s.Width;
  d.Selected = s.Selected;
  d.Layer = s.Layer;
  d.Shape = s.Shape;
  d.ComponentNo = s.ComponentNo;
  d.Mark = s.Mark;
  d.ThermalSpokes = s.ThermalSpokes;
  d.Reserved39 = s.Reserved39;
  d.Fill = s.Fill;
  d.Clearance = s.Clearance;
  d.Routed = s.Routed;
  d.Thermal = s.Thermal;
  d.HatchAuto = s.HatchAuto;
  d.Cutout = s.Cutout;
  d.ThermalWidth = s.ThermalWidth;
  d.Via = s.Via;
  d.SolderMask = s.SolderMask;
  d.Reserved59 = s.Reserved59;
  d.ThermalMagic = s.ThermalMagic;
  d.Reserved66 = s.Reserved66;
}

void CopyObjektFields(const TObjekt& src, TObjekt& dst) {
  CopyHeaderFields(src, dst);
  dst.Text = src.Text;
  dst.Text2 = src.Text2;
  switch (src.Kind) {
    case kKindZone:
      dst.Points = src.Points;
      dst.Closed = 1;
      break;
    case kKindTrack:
    case kKindThtPad:
    case kKindSmdPad: dst.Points = src.Points; break;
    case kKindText:
      dst.SubElements.clear();
      dst.SubElements.reserve(src.SubElements.size());
      for (const auto& sub : src.SubElements) dst.SubElements.push_back(ScratchCopy(*sub));
      break;
    default: break;
  }
  if (IsIdLabel(src) && src.Place) dst.Place = std::make_unique<TPlaceData>(*src.Place);
  else dst.Place.reset();
  if (IsPad(src)) dst.Connections = src.Connections;
  dst.Groups = src.Groups;
  dst.RouteStart = src.RouteStart;
  dst.RouteEnd = src.RouteEnd;
  dst.OutlineMargin = src.OutlineMargin;
  dst.ScratchIndex = src.ScratchIndex;
  dst.PrintMark = 0;
}

void CopyObjekt(TObjekt& src, TObjekt& dst) {
  CopyObjektFields(src, dst);
  src.Copied = 1;
}

std::unique_ptr<TObjekt> ScratchCopy(const TObjekt& src) {
  auto dst = NewObjekt();
  CopyObjektFields(src, *dst);
  return dst;
}

std::unique_ptr<TObjekt> CloneObjekt(TObjekt& src) {
  auto dst = NewObjekt();
  CopyObjekt(src, *dst);
  return dst;
}

namespace {
// Floats compare by their bits: a copy must give back -0 as -0.
bool Same(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }
bool Same(TFPoint a, TFPoint b) { return Same(a.X, b.X) && Same(a.Y, b.Y); }

// The fields CopyHeaderFields copies, but the position, the selection and,
// for legacy texts, the sizes (which a move changes).
bool SameHeader(const TObjekt& a, const TObjekt& b) {
  return a.Kind == b.Kind && a.Width == b.Width && a.Layer == b.Layer && a.Shape == b.Shape &&
         a.ComponentNo == b.ComponentNo && a.Mark == b.Mark && a.ThermalSpokes == b.ThermalSpokes &&
         a.Reserved39 == b.Reserved39 && a.Fill == b.Fill && a.Clearance == b.Clearance && a.Routed == b.Routed &&
         a.Thermal == b.Thermal && a.HatchAuto == b.HatchAuto && a.Cutout == b.Cutout &&
         a.ThermalWidth == b.ThermalWidth && a.Via == b.Via && a.SolderMask == b.SolderMask &&
         a.Reserved59 == b.Reserved59 && a.ThermalMagic == b.ThermalMagic && a.Reserved66 == b.Reserved66 &&
         (a.Kind == kKindLegacyText || (Same(a.SizeA, b.SizeA) && Same(a.SizeB, b.SizeB)));
}

// Where MoveObjekt puts a coordinate of `base` for the offset.
bool Moved(float live, float base, double offset) { return Same(live, static_cast<float>(base + offset)); }
bool Moved(TFPoint live, TFPoint base, TDPoint offset) {
  return Moved(live.X, base.X, offset.X) && Moved(live.Y, base.Y, offset.Y);
}
bool MovedPoints(const TPointList& live, const TPointList& base, TDPoint offset) {
  if (live.size() != base.size()) return false;
  for (size_t i = 0; i < live.size(); ++i)
    if (!Moved(live[i], base[i], offset)) return false;
  return true;
}

// Which coordinates MoveObjekt moves, by kind.
bool PosMoves(uint8_t kind) {
  return kind == kKindThtPad || kind == kKindLegacyText || kind == kKindCircle || kind == kKindText;
}
bool PointsMove(uint8_t kind) {
  return kind == kKindThtPad || kind == kKindZone || kind == kKindTrack || kind == kKindSmdPad;
}

bool SameMoved(const TObjekt& live, const TObjekt& base, TDPoint offset) {
  if (!SameHeader(live, base) || live.Text != base.Text || live.Text2 != base.Text2 || live.Groups != base.Groups ||
      live.OutlineMargin != base.OutlineMargin || live.ScratchIndex != base.ScratchIndex)
    return false;
  if (PosMoves(live.Kind) ? !Moved(live.Pos, base.Pos, offset) : !Same(live.Pos, base.Pos)) return false;
  if (live.Kind == kKindLegacyText &&
      !(Moved(live.SizeA, base.SizeA, offset.X) && Moved(live.SizeB, base.SizeB, offset.Y)))
    return false;
  if (PointsMove(live.Kind) && !MovedPoints(live.Points, base.Points, offset)) return false;
  if (live.Kind == kKindText) {
    // The strokes are tracks: they move with their points, as their text.
    if (live.SubElements.size() != base.SubElements.size()) return false;
    for (size_t i = 0; i < live.SubElements.size(); ++i)
      if (!SameMoved(*live.SubElements[i], *base.SubElements[i], offset)) return false;
  }
  const bool livePlace = IsIdLabel(live) && live.Place;
  if (livePlace != static_cast<bool>(base.Place)) return false;
  return !livePlace || *live.Place == *base.Place;
}
}  // namespace

bool SameAsMovedCopy(const TObjekt& live, const TObjekt& base, TDPoint& offset) {
  // The offset that would take the base's first moved coordinate to the
  // live one; every other coordinate is then checked against it.
  TDPoint off{0, 0};
  if (PosMoves(live.Kind)) {
    off = {double(live.Pos.X) - base.Pos.X, double(live.Pos.Y) - base.Pos.Y};
  } else if (PointsMove(live.Kind) && !live.Points.empty() && !base.Points.empty()) {
    off = {double(live.Points[0].X) - base.Points[0].X, double(live.Points[0].Y) - base.Points[0].Y};
  }
  if (!SameMoved(live, base, off)) return false;
  offset = off;
  return true;
}

}  // namespace bs
