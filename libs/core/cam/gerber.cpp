#include "cam/gerber.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "model/atomic_file.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "render/hatch.h"

namespace bs {

namespace {
constexpr double kDeg = std::numbers::pi / 180;

TDPoint D(TFPoint p) { return {p.X, p.Y}; }

// Ties go to the even neighbour, as the file format's rounding is defined.
long long RoundEven(double v) { return std::llrint(v); }

// The largest coordinate three integer and four decimal digits hold:
// 999.9999 mm.
constexpr double kMaxCoordinate = 9999999;

double Length(TFPoint a, TFPoint b) { return std::hypot(double(b.X) - a.X, double(b.Y) - a.Y); }

// The square end of a track of pen width w at `end`, the last segment
// coming from `from`: the rectangle from the end point to half the width
// beyond it. None when the segment is not longer than half the width.
bool FlatEndCorners(TFPoint from, TFPoint end, double w, std::vector<TDPoint>& corners) {
  const double dx = double(end.X) - from.X, dy = double(end.Y) - from.Y;
  const double len = std::hypot(dx, dy);
  if (len <= w / 2) return false;
  const double ux = dx / len, uy = dy / len, nx = -uy, ny = ux, h = w / 2;
  corners = {{end.X + nx * h, end.Y + ny * h},
             {end.X + nx * h + ux * h, end.Y + ny * h + uy * h},
             {end.X - nx * h + ux * h, end.Y - ny * h + uy * h},
             {end.X - nx * h, end.Y - ny * h}};
  return true;
}
}  // namespace

TCamMapping CamMapping(const TPlatine& board, bool useOrigin, bool mirror) {
  TCamMapping m;
  m.OriginX = useOrigin ? board.OriginX : 0;
  m.OriginY = useOrigin ? board.OriginY : -double(board.Height);
  m.Mirror = mirror;
  m.MirrorWidth = useOrigin ? 0 : board.Width;
  return m;
}

std::string GerberMillimetres(int32_t units) { return UnitsAsMillimetres(units); }

std::string CoordinateDoesNotFit(double units, const std::string& path) {
  // To the unit; a position too far even for that (or no number) as is.
  const std::string mm = std::fabs(units) < 1e15 ? UnitsAsMillimetres(std::llround(units)) : std::to_string(units);
  return FormatMessage(msg::kCoordinateDoesNotFit, {mm, path});
}

// ---- the writer ----

void TGerberFile::BeginFile(const std::string& layerName) {
  Body.clear();
  Body.push_back("%LPD*%");
  Header.clear();
  Header.push_back("%FSLAX34Y34*%");
  Header.push_back("%MOMM*%");
  Header.push_back("%LN" + layerName + "*%");
  Header.push_back("G71*");
  Header.push_back("G01*");
  Apertures.clear();
  NextCode = 10;
  penwidth_ = -1;
  unfit_ = false;
}

std::string TGerberFile::Number(double units) {
  // Rounded first, so that the limit applies to the digits written; NaN
  // fails the test as well.
  const double r = std::nearbyint(units);
  if (!(std::fabs(r) <= kMaxCoordinate)) {
    if (!unfit_) {
      unfit_ = true;
      unfitUnits_ = units;
    }
    return "0";
  }
  return std::to_string(RoundEven(r));
}

std::string TGerberFile::Xy(double x, double y, bool map) {
  const TDPoint p = map ? Mapping.Map(x, y) : TDPoint{x, y};
  const std::string X = Number(p.X);
  return "X" + X + "Y" + Number(p.Y);
}

void TGerberFile::MoveTo(double x, double y) { Line(Xy(x, y) + "D02*"); }
void TGerberFile::DrawTo(double x, double y) { Line(Xy(x, y) + "D01*"); }
void TGerberFile::Flash() { Line("D03*"); }
void TGerberFile::RegionBegin() { Line("G36*"); }
void TGerberFile::RegionEnd() { Line("G37*"); }
void TGerberFile::ClearPolarity() { Line("%LPC*%"); }
void TGerberFile::DarkPolarity() { Line("%LPD*%"); }

void TGerberFile::PunchLayer() {
  Line("%LNAUGENFREISTANZEN*%");
  Line("%LPC*%");
}

void TGerberFile::Select(const TBlende& wanted) {
  const TBlende* found = nullptr;
  for (const TBlende& b : Apertures)
    if (b.SameAs(wanted)) {
      found = &b;
      break;
    }
  if (!found) {
    TBlende b = wanted;
    b.DCode = NextCode++;
    Apertures.push_back(b);
    found = &Apertures.back();
  }
  Line("G54D" + std::to_string(found->DCode) + "*");
}

void TGerberFile::SetPenwidth(int32_t d) {
  TBlende b;
  b.ApertureKind = TBlende::kStroke;
  b.Size = std::max(d, 0);
  Select(b);
  penwidth_ = b.Size;
}

void TGerberFile::FlashRoundPad(int32_t holeRadius, int32_t outerRadius) {
  TBlende b;
  b.ApertureKind = TBlende::kRoundPad;
  b.HoleRadius = holeRadius;
  b.Size = std::max(outerRadius, 0);
  Select(b);
  Flash();
}

void TGerberFile::FlashRectangle(int32_t sx, int32_t sy) {
  TBlende b;
  b.ApertureKind = TBlende::kRectangle;
  b.SizeX = std::max(sx, 0);
  b.SizeY = std::max(sy, 0);
  Select(b);
  Flash();
}

void TGerberFile::Arc(TDPoint centre, TDPoint start, TDPoint end, bool filled) {
  TDPoint c = Mapping.Map(centre.X, centre.Y), s = Mapping.Map(start.X, start.Y), e = Mapping.Map(end.X, end.Y);
  // Mirroring turns the arc around; swapping its ends keeps it
  // counter-clockwise.
  if (Mapping.Mirror) std::swap(s, e);
  const double cx = std::nearbyint(c.X), cy = std::nearbyint(c.Y), sx = std::nearbyint(s.X), sy = std::nearbyint(s.Y);
  const std::string startXy = Xy(sx, sy, false), endXy = Xy(e.X, e.Y, false);
  const std::string i = Number(cx - sx);
  const std::string move = "G01" + startXy + "D02*";
  const std::string draw = "G03" + endXy + "I" + i + "J" + Number(cy - sy) + "D01*";
  Line("G75*");
  Line(move);
  Line(draw);
  Line("G01*");
  if (!filled) return;
  // A partial arc's region is closed by the chord back to its start (a
  // region's contour must end where it began); a full circle closes itself.
  const bool closed = startXy == endXy;
  Line("G36*");
  Line("G75*");
  Line(move);
  Line(draw);
  Line("G01*");
  if (!closed) Line(startXy + "D01*");
  Line("G37*");
  // The chord is drawn with the pen as well, from the arc's end.
  if (!closed) Line(endXy + "D02*");
  Line(startXy + "D01*");
}

void TGerberFile::Polygon(const std::vector<TDPoint>& pts, bool closeAlways) {
  if (pts.empty()) return;
  RegionBegin();
  MoveTo(pts[0]);
  for (size_t i = 1; i < pts.size(); ++i) DrawTo(pts[i]);
  if (closeAlways || !(pts.back() == pts.front())) DrawTo(pts[0]);
  RegionEnd();
}

void TGerberFile::BoardRectangle(const TPlatine& board) {
  const double w = board.Width, h = board.Height;
  MoveTo(0, 0);
  DrawTo(w, 0);
  DrawTo(w, -h);
  DrawTo(0, -h);
  DrawTo(0, 0);
}

void TGerberFile::ThtPad(const TObjekt& e, int32_t offset, bool clearPass) {
  if (!clearPass && IsBareHole(e)) return;
  const int32_t outer = RoundInt(double(e.SizeA) + offset);
  switch (e.Shape) {
    case kShapeRound:
      MoveTo(e.Pos.X, e.Pos.Y);
      FlashRoundPad(RoundInt(e.SizeB), outer);
      return;
    case kShapeRoundedH:
    case kShapeRoundedV:
      if (e.Points.size() < 2) return;
      SetPenwidth(2 * outer);
      MoveTo(D(e.Points[0]));
      DrawTo(D(e.Points[1]));
      return;
    case kShapeOctagon:
    case kShapeSquare:
    case kShapeOctagonH:
    case kShapeRectH:
    case kShapeOctagonV:
    case kShapeRectV: {
      TPointList pts = e.Points;
      if (offset > 0) {
        pts = ThtOutline(e.Shape, e.Pos, e.SizeA, offset);
        RotatePoints(pts, e.Pos, -PadRotation(e));
      }
      std::vector<TDPoint> corners;
      corners.reserve(pts.size());
      for (const TFPoint& p : pts) corners.push_back(D(p));
      Polygon(corners, true);
      return;
    }
    default: return;
  }
}

void TGerberFile::SmdPad(const TObjekt& e, int32_t offset) {
  if (e.Points.size() < 4) return;
  TPointList pts = e.Points;
  if (offset != 0)
    pts = RotatedRectangle(e.Points, Length(e.Points[0], e.Points[1]) + 2.0 * offset,
                           Length(e.Points[1], e.Points[2]) + 2.0 * offset);
  double angle = AngleOf(D(pts[0]), D(pts[1])) / kDeg;
  if (angle >= 360) angle -= 360;
  const auto near = [&](double a) { return std::fabs(angle - a) <= 0.1; };
  const bool upright = near(90) || near(270);
  if (near(0) || near(180) || near(360) || upright) {
    const int32_t a = RoundInt(Length(pts[0], pts[1])), b = RoundInt(Length(pts[1], pts[2]));
    MoveTo((double(pts[0].X) + pts[2].X) / 2, (double(pts[0].Y) + pts[2].Y) / 2);
    if (upright) FlashRectangle(b, a);
    else FlashRectangle(a, b);
    return;
  }
  Polygon({D(pts[0]), D(pts[1]), D(pts[2]), D(pts[3])}, true);
}

void TGerberFile::Track(const TObjekt& e, int32_t offset) {
  if (e.Points.empty()) return;
  const int32_t w = e.Width + 2 * offset;
  SetPenwidth(w);
  MoveTo(D(e.Points[0]));
  for (size_t i = 1; i < e.Points.size(); ++i) DrawTo(D(e.Points[i]));
  const size_t n = e.Points.size();
  if (n < 2) return;
  std::vector<TDPoint> corners;
  if ((e.TrackEnds & 1) && FlatEndCorners(e.Points[1], e.Points[0], penwidth_, corners)) Polygon(corners, true);
  if ((e.TrackEnds & 2) && FlatEndCorners(e.Points[n - 2], e.Points[n - 1], penwidth_, corners)) Polygon(corners, true);
}

void TGerberFile::Zone(const TObjekt& e, int32_t offset, bool clearPass) {
  if (e.Points.empty()) return;
  const int32_t w = e.Width + 2 * offset;
  std::vector<TDPoint> pts;
  pts.reserve(e.Points.size());
  for (const TFPoint& p : e.Points) pts.push_back(D(p));
  if (!e.Hatch || e.Cutout || clearPass) {
    Polygon(pts, false);
  } else {
    const int32_t pitch = std::max(e.HatchAuto ? 2 * w : e.HatchWidth, 10);
    SetPenwidth(pitch / 2);
    for (const auto& [a, b] : ZoneHatchSegments(e, pitch, 1e6)) {
      MoveTo(a);
      DrawTo(b);
    }
  }
  SetPenwidth(w);
  MoveTo(pts[0]);
  for (size_t i = 1; i < pts.size(); ++i) DrawTo(pts[i]);
  if (!(pts.back() == pts.front())) DrawTo(pts[0]);
}

void TGerberFile::Circle(const TObjekt& e, int32_t offset) {
  const double outer = double(e.SizeA) + offset, inner = double(e.SizeB) - offset;
  const int32_t pen = RoundInt(outer - inner);
  const double r = outer - RoundInt(pen / 2.0);
  const TDPoint c = D(e.Pos);
  const auto at = [&](double millidegrees) {
    const double a = millidegrees / 1000.0 * kDeg;
    return TDPoint{c.X + r * std::cos(a), c.Y + r * std::sin(a)};
  };
  const long long span = std::llabs(static_cast<long long>(e.StopAngle) - e.StartAngle);
  TDPoint s, t;
  if (span < 100 || span > 359900) {
    s = t = at(0);
  } else {
    s = at(e.StartAngle);
    t = at(e.StopAngle);
  }
  SetPenwidth(pen);
  Arc(c, s, t, e.Fill != 0);
}

void TGerberFile::WriteElement(const TObjekt& e, int32_t offset, bool clearPass) {
  switch (e.Kind) {
    case kKindThtPad: ThtPad(e, offset, clearPass); break;
    case kKindSmdPad: SmdPad(e, offset); break;
    case kKindTrack: Track(e, offset); break;
    case kKindZone: Zone(e, offset, clearPass); break;
    case kKindCircle: Circle(e, offset); break;
    case kKindText:
      if (IsComponentLabel(e) && !e.LabelVisible) break;
      // The strokes are tracks; they share the text's cut-out flag, which
      // tracks do not consult.
      for (const auto& stroke : e.SubElements) Track(*stroke, offset);
      break;
    default: break;
  }
}

std::string TGerberFile::Text() const {
  std::string out;
  const auto add = [&](const std::string& line) {
    out += line;
    out += "\r\n";
  };
  for (const std::string& l : Header) add(l);
  for (const TBlende& b : Apertures) {
    const std::string d = "%ADD" + std::to_string(b.DCode);
    switch (b.ApertureKind) {
      case TBlende::kStroke: add(d + "C," + GerberMillimetres(b.Size) + "*%"); break;
      case TBlende::kRoundPad: add(d + "C," + GerberMillimetres(2 * b.Size) + "*%"); break;
      default: add(d + "R," + GerberMillimetres(b.SizeX) + "X" + GerberMillimetres(b.SizeY) + "*%"); break;
    }
  }
  for (const std::string& l : Body) add(l);
  add("M02*");
  return out;
}

std::string TGerberFile::CoordinateError() const {
  return unfit_ ? CoordinateDoesNotFit(unfitUnits_, FileName) : std::string();
}

std::string TGerberFile::EndFile() const {
  if (std::string e = CoordinateError(); !e.empty()) return e;
  const std::string text = Text();
  if (std::string reason; !WriteFileAtomically(FileName, std::vector<uint8_t>(text.begin(), text.end()), &reason))
    return FormatMessage(msg::kCannotWriteBecause, {FileName, reason});
  return {};
}

// ---- the output files ----

const std::array<TGerberOutput, kGerberOutputCount> kGerberOutputs{{
    {"C1 - Copper Top", kLayerC1, "COPPER_TOP", "K1", "_Ф1_верх.gbr", ".GTL", TGerberContent::Copper, "c1"},
    {"C2 - Copper Bottom", kLayerC2, "COPPER_BOTTOM", "K2", "_Ф2_низ.gbr", ".GBL", TGerberContent::Copper, "c2"},
    {"S1 - Silkscreen Top", kLayerS1, "SILK_TOP", "B1", "_Ш1_верх.gbr", ".GTO", TGerberContent::Plain, "s1"},
    {"S2 - Silkscreen Bottom", kLayerS2, "SILK_BOTTOM", "B2", "_Ш2_низ.gbr", ".GBO", TGerberContent::Plain, "s2"},
    {"I1 - Copper Inner 1", kLayerI1, "COPPER_INNER1", "I1", "_В1_внутри1.gbr", ".G1", TGerberContent::Copper, "i1"},
    {"I2 - Copper Inner 2", kLayerI2, "COPPER_INNER2", "I2", "_В2_внутри2.gbr", ".G2", TGerberContent::Copper, "i2"},
    {"O - Outline", kLayerO, "OUTLINE", "U", "_контур.gbr", ".GKO", TGerberContent::Plain, "o"},
    {"C1 - Solder mask", kLayerC1, "SOLDERMASK_TOP", "LS1", "_пайка_верх.gbr", ".GTS", TGerberContent::SolderMask,
     "mask1"},
    {"C2 - Solder mask", kLayerC2, "SOLDERMASK_BOTTOM", "LS2", "_пайка_низ.gbr", ".GBS", TGerberContent::SolderMask,
     "mask2"},
    {"C1 - SMD mask", kLayerC1, "SMDMASK_TOP", "SMD1", "_smd_маска_верх.gbr", ".GTP", TGerberContent::SmdMask, "smd1"},
    {"C2 - SMD mask", kLayerC2, "SMDMASK_BOTTOM", "SMD2", "_smd_маска_низ.gbr", ".GBP", TGerberContent::SmdMask,
     "smd2"},
}};

bool GerberOutputAvailable(const TBoard& board, int row) {
  const TGerberOutput& out = kGerberOutputs[size_t(row)];
  const bool multi = board.Platine.Multilayer != 0;
  for (const auto& e : board.Elements) {
    if (!OccupiesLayer(*e, out.Layer, multi)) continue;
    switch (out.Content) {
      case TGerberContent::SolderMask:
        if (e->SolderMask) return true;
        break;
      case TGerberContent::SmdMask:
        if (e->Kind == kKindSmdPad) return true;
        break;
      default: return true;
    }
  }
  return false;
}

int32_t LimitedSmdMaskOffset(double width, double height, int32_t o) {
  if (o >= 0) return o;
  if (width + 2.0 * o <= 500) o = -RoundInt((width - 500) / 2);
  if (height + 2.0 * o <= 500) o = -RoundInt((height - 500) / 2);
  return o;
}

void WriteGerberOutput(TGerberFile& f, const TBoard& board, int row, const TGerberOptions& opt) {
  const TGerberOutput& out = kGerberOutputs[size_t(row)];
  const TPlatine& p = board.Platine;
  const bool multi = p.Multilayer != 0;
  const int layer = out.Layer;
  f.Mapping = CamMapping(p, opt.UseOrigin, opt.Mirror);
  f.BeginFile(out.LayerName);
  if (opt.Frame) {
    f.SetPenwidth(20);
    f.BoardRectangle(p);
  }
  // The board rectangle as dark copper, and the rest of the file clear.
  const auto boardRegion = [&] {
    f.RegionBegin();
    f.BoardRectangle(p);
    f.RegionEnd();
  };
  const auto inverted = [&] {
    boardRegion();
    f.ClearPolarity();
  };
  const auto onLayer = [&](const TObjekt& e) { return OccupiesLayer(e, layer, multi); };

  switch (out.Content) {
    case TGerberContent::Plain:
      for (const auto& e : board.Elements)
        if (onLayer(*e) && !e->Cutout) f.WriteElement(*e, 0, false);
      break;

    case TGerberContent::Copper:
      if (p.GroundPlane[size_t(layer)]) {
        inverted();
        for (const auto& e : board.Elements)
          if (onLayer(*e)) f.WriteElement(*e, e->Cutout ? 0 : e->Clearance, true);
        f.DarkPolarity();
        TSpokeContext ctx;
        ctx.Layer = layer;
        ctx.GroundPlaneOn = true;
        for (const auto& e : board.Elements) {
          if (!onLayer(*e) || !IsPad(*e) || !e->Thermal) continue;
          if (e->Kind == kKindThtPad) f.SetPenwidth(RoundInt(e->SizeA / 1.5 * e->ThermalWidth / 100));
          else f.SetPenwidth(RoundInt(std::min(e->SizeA, e->SizeB) / 3.0 * e->ThermalWidth / 100));
          for (const auto& r : ThermalSpokeRects(*e, ctx)) {
            f.RegionBegin();
            f.MoveTo(r[0]);
            for (int k = 1; k < 4; ++k) f.DrawTo(r[size_t(k)]);
            f.DrawTo(r[0]);
            f.RegionEnd();
          }
        }
      }
      for (const auto& e : board.Elements)
        if (onLayer(*e) && !e->Cutout) f.WriteElement(*e, 0, false);
      if (opt.PunchHoles) {
        f.PunchLayer();
        for (const auto& e : board.Elements) {
          if (!onLayer(*e) || e->Kind != kKindThtPad) continue;
          f.MoveTo(e->Pos.X, e->Pos.Y);
          f.SetPenwidth(opt.CentrePunch ? 3000 : 2 * RoundInt(e->SizeB));
          f.Flash();
        }
      }
      break;

    case TGerberContent::SolderMask:
      if (opt.MaskInverted) inverted();
      for (const auto& e : board.Elements) {
        if (!onLayer(*e) || !e->SolderMask || e->Cutout) continue;
        if (e->Kind == kKindThtPad) {
          if (opt.MaskTht) f.WriteElement(*e, opt.MaskOffsetTht, false);
        } else if (e->Kind == kKindSmdPad) {
          if (opt.MaskSmd) f.WriteElement(*e, opt.MaskOffsetSmd, false);
        } else if (opt.MaskOther) {
          f.WriteElement(*e, opt.MaskOffsetOther, false);
        }
      }
      break;

    case TGerberContent::SmdMask:
      if (opt.SmdMaskInverted) inverted();
      for (const auto& e : board.Elements) {
        if (!onLayer(*e) || e->Kind != kKindSmdPad || e->Cutout || e->Points.size() < 4) continue;
        const int32_t o = LimitedSmdMaskOffset(Length(e->Points[0], e->Points[1]), Length(e->Points[1], e->Points[2]),
                                               opt.SmdMaskOffset);
        f.WriteElement(*e, o, false);
      }
      break;
  }
}

std::string GerberOutputText(const TBoard& board, int row, const TGerberOptions& opt) {
  TGerberFile f;
  WriteGerberOutput(f, board, row, opt);
  return f.Text();
}

}  // namespace bs
