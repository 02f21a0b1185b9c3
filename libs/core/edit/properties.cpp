#include "edit/properties.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "edit/units.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

// The value `get` gives for the first element, or none when another element
// of the list gives a different one.
template <class F>
auto Common(const TRefList& list, F get) -> std::optional<decltype(get(*list.front()))> {
  if (list.empty()) return std::nullopt;
  auto v = get(*list.front());
  for (size_t i = 1; i < list.size(); ++i)
    if (!(get(*list[i]) == v)) return std::nullopt;
  return v;
}

// A length compared in whole units but passed on with the leader's exact
// value, so that writing it back changes nothing.
template <class F>
std::optional<double> CommonLength(const TRefList& list, F get) {
  if (!Common(list, [&](const TObjekt& e) { return RoundInt(get(e)); })) return std::nullopt;
  return get(*list.front());
}

std::optional<bool> CommonFlag(const TRefList& list, uint8_t TObjekt::*field) {
  return Common(list, [field](const TObjekt& e) { return e.*field != 0; });
}

bool AnyOnCopper(const TRefList& list) {
  return std::any_of(list.begin(), list.end(), [](const TObjekt* e) { return IsCopperLayer(e->Layer); });
}

TDPoint FromZero(TDPoint p, const TPlatine& board) { return {p.X - board.OriginX, p.Y - board.OriginY}; }

// A position field written back: round(value + zero point) per axis.
TDPoint ToModel(TDPoint shown, const TPlatine& board) {
  return {double(RoundInt(shown.X + board.OriginX)), double(RoundInt(shown.Y + board.OriginY))};
}

void Touch(const TTouched& touched, const TObjekt& e) {
  if (touched) touched(e);
}

// Cut-out areas exist only on copper layers.
void WriteCutout(TObjekt& e, const std::optional<bool>& cutout) {
  if (!IsCopperLayer(e.Layer)) e.Cutout = 0;
  else if (cutout) e.Cutout = *cutout ? 1 : 0;
}

// Pads on other layers take no thermal spokes; a thermal pad keeps at least
// 0.1 mm from the ground plane.
void WriteThermal(TObjekt& e, const std::optional<bool>& thermal) {
  if (thermal) e.Thermal = IsCopperLayer(e.Layer) && *thermal ? 1 : 0;
  if (e.Thermal) e.Clearance = std::max(e.Clearance, 1000);
}

TThermalGroup ReadGroup(const TRefList& pads, int activeLayer) {
  TThermalGroup g;
  const TObjekt& l = *pads.front();
  g.Shown = pads.size() == 1 && l.Thermal && IsCopperLayer(l.Layer);
  g.Width = l.ThermalWidth;
  g.Individual = l.Kind == kKindThtPad && l.ThermalIndividual;
  g.Spokes = ShownSpokes(l, activeLayer);
  return g;
}

}  // namespace

// ---- the selection by kind ----

TSelectionLists BuildSelectionLists(const TObjektList& elements) {
  TSelectionLists lists;
  for (const auto& pe : elements) {
    TObjekt& e = *pe;
    if (!e.Selected) continue;
    switch (e.Kind) {
      case kKindThtPad: lists[kListTht].push_back(&e); break;
      case kKindSmdPad: lists[kListSmd].push_back(&e); break;
      case kKindText:
        if (!IsComponentLabel(e) || e.LabelVisible) lists[kListText].push_back(&e);
        break;
      case kKindCircle: lists[kListCircle].push_back(&e); break;
      case kKindTrack: lists[kListTrack].push_back(&e); break;
      case kKindZone: lists[kListZone].push_back(&e); break;
      default: break;
    }
  }
  return lists;
}

std::vector<TKindLine> KindLines(const TSelectionLists& lists) {
  std::vector<TKindLine> lines;
  for (int i = 0; i < kListCount; ++i)
    if (!lists[size_t(i)].empty()) lines.push_back({static_cast<TPropList>(i), lists[size_t(i)].size()});
  return lines;
}

// ---- pads and spokes ----

uint8_t ApparentPadShape(const TObjekt& pad) {
  const double rot = PadRotation(pad);
  const bool upright = (rot >= 45 && rot <= 135) || (rot >= 225 && rot <= 315);
  const uint8_t s = pad.Shape;
  if (!upright) return s;
  if (s >= kShapeRoundedH && s <= kShapeRectH) return static_cast<uint8_t>(s + 3);
  if (s >= kShapeRoundedV && s <= kShapeRectV) return static_cast<uint8_t>(s - 3);
  return s;
}

uint8_t RotateMaskLeft(uint8_t mask, int n) {
  n &= 7;
  return static_cast<uint8_t>((mask << n) | (mask >> ((8 - n) & 7)));
}

uint8_t RotateMaskRight(uint8_t mask, int n) { return RotateMaskLeft(mask, 8 - (n & 7)); }

int SpokeSteps(const TObjekt& pad) { return RoundInt(PadRotation(pad) / 45) % 8; }

int SpokeMaskByte(const TObjekt& pad, int activeLayer) {
  if (pad.Kind == kKindSmdPad) return 0;
  return SpokeByte(IsVia(pad) && pad.ThermalIndividual ? activeLayer : pad.Layer);
}

uint8_t ShownSpokes(const TObjekt& pad, int activeLayer) {
  const int byte = SpokeMaskByte(pad, activeLayer);
  if (byte < 0) return 0;
  return RotateMaskLeft(static_cast<uint8_t>(pad.ThermalSpokes >> (8 * byte)), SpokeSteps(pad));
}

void StoreSpokes(TObjekt& pad, uint8_t screenMask, int activeLayer) {
  const uint32_t mask = RotateMaskRight(screenMask, SpokeSteps(pad));
  if (pad.Kind == kKindSmdPad) {
    pad.ThermalSpokes = mask;
  } else if (!pad.ThermalIndividual) {
    pad.ThermalSpokes = mask | (mask << 8) | (mask << 16) | (mask << 24);
  } else if (const int byte = SpokeMaskByte(pad, activeLayer); byte >= 0) {
    pad.ThermalSpokes = (pad.ThermalSpokes & ~(0xFFu << (8 * byte))) | (mask << (8 * byte));
  }
}

// ---- THT pads ----

TThtProps ReadThtPage(const TRefList& pads, const TPlatine& board) {
  TThtProps v;
  if (pads.empty()) return v;
  const TObjekt& l = *pads.front();
  v.Single = pads.size() == 1;
  v.Centre = FromZero({l.Pos.X, l.Pos.Y}, board);
  v.Shape = Common(pads, ApparentPadShape);
  v.Outer = CommonLength(pads, [](const TObjekt& e) { return 2.0 * e.SizeA; });
  v.Drill = CommonLength(pads, [](const TObjekt& e) { return 2.0 * e.SizeB; });
  v.Via = CommonFlag(pads, &TObjekt::Via);
  v.Thermal = CommonFlag(pads, &TObjekt::Thermal);
  v.AnyOnCopper = AnyOnCopper(pads);
  v.LeaderVia = l.Via != 0;
  v.Group = ReadGroup(pads, board.ActiveLayer);
  return v;
}

bool RaiseOuterToDrill(TThtProps& v) {
  if (!v.Outer || !v.Drill || RoundInt(*v.Outer / 2) >= RoundInt(*v.Drill / 2)) return false;
  v.Outer = v.Drill;
  return true;
}

void ApplyThtPage(const TThtProps& v, const TRefList& pads, const TPlatine& board, const TTouched& touched) {
  for (TObjekt* e : pads) {
    Touch(touched, *e);
    if (v.Single) {
      const TDPoint p = ToModel(v.Centre, board);
      e->Pos = {static_cast<float>(p.X), static_cast<float>(p.Y)};
    }
    if (v.Outer) e->SizeA = static_cast<float>(RoundInt(*v.Outer / 2));
    if (v.Drill) e->SizeB = static_cast<float>(RoundInt(*v.Drill / 2));
    if (v.Via) e->Via = IsCopperLayer(e->Layer) && *v.Via ? 1 : 0;
    WriteThermal(*e, v.Thermal);
    if (v.Group.Shown) {
      e->ThermalWidth = v.Group.Width;
      e->ThermalIndividual = v.Group.Individual ? 1 : 0;
      StoreSpokes(*e, v.Group.Spokes, board.ActiveLayer);
    }
    // The outline follows the new centre and size; the rotation is read from
    // the old outline, which a new centre does not change.
    RebuildThtOutline(*e, std::nullopt, 0);
    Touch(touched, *e);
  }
}

// ---- SMD pads ----

namespace {
double Edge(const TObjekt& e, size_t from) {
  return e.Points.size() < 4
             ? 0
             : Distance({e.Points[from].X, e.Points[from].Y}, {e.Points[from + 1].X, e.Points[from + 1].Y});
}
}  // namespace

TSmdProps ReadSmdPage(const TRefList& pads, const TPlatine& board) {
  TSmdProps v;
  if (pads.empty()) return v;
  v.Single = pads.size() == 1;
  v.Centre = FromZero(Centre(*pads.front()), board);
  v.SizeX = CommonLength(pads, [](const TObjekt& e) { return Edge(e, 0); });
  v.SizeY = CommonLength(pads, [](const TObjekt& e) { return Edge(e, 1); });
  v.Thermal = CommonFlag(pads, &TObjekt::Thermal);
  v.AnyOnCopper = AnyOnCopper(pads);
  v.Group = ReadGroup(pads, board.ActiveLayer);
  return v;
}

void ApplySmdPage(const TSmdProps& v, const TRefList& pads, const TPlatine& board, const TTouched& touched) {
  for (TObjekt* e : pads) {
    Touch(touched, *e);
    if (v.Single) {
      const TDPoint to = ToModel(v.Centre, board), from = Centre(*e);
      MoveObjekt(*e, to.X - from.X, to.Y - from.Y);
    }
    if (v.SizeX || v.SizeY) ResizeSmdPad(*e, v.SizeX, v.SizeY);
    WriteThermal(*e, v.Thermal);
    if (v.Group.Shown) {
      e->ThermalWidth = v.Group.Width;
      StoreSpokes(*e, v.Group.Spokes, board.ActiveLayer);
    }
    Touch(touched, *e);
  }
}

// ---- texts ----

int32_t ThinnestStroke(const TRefList& texts) {
  int32_t thinnest = 0;
  bool any = false;
  for (const TObjekt* t : texts) {
    if (t->SubElements.empty()) continue;
    const int32_t w = t->SubElements.front()->Width;
    thinnest = any ? std::min(thinnest, w) : w;
    any = true;
  }
  return thinnest;
}

TTextProps ReadTextPage(const TRefList& texts) {
  TTextProps v;
  if (texts.empty()) return v;
  v.Text = Common(texts, [](const TObjekt& e) { return e.Text; });
  v.Height = CommonLength(texts, [](const TObjekt& e) { return double(e.SizeA); });
  v.Rotation = Common(texts, [](const TObjekt& e) { return e.Rotation; });
  v.MirrorH = CommonFlag(texts, &TObjekt::MirrorH);
  v.MirrorV = CommonFlag(texts, &TObjekt::MirrorV);
  v.Style = Common(texts, [](const TObjekt& e) { return e.Style; });
  v.Thickness = Common(texts, [](const TObjekt& e) { return RoundInt(e.SizeB); });
  v.Cutout = CommonFlag(texts, &TObjekt::Cutout);
  v.ThinnestStroke = ThinnestStroke(texts);
  return v;
}

bool LimitPageTextHeight(TTextProps& v, const TRefList& texts) {
  if (!v.Height || texts.empty()) return false;
  int32_t c = 0;
  if (v.Thickness) {
    c = *v.Thickness;
  } else {
    c = RoundInt(texts.front()->SizeB);
    for (const TObjekt* t : texts) c = std::min(c, RoundInt(t->SizeB));
  }
  const double limited = LimitTextHeight(*v.Height, c);
  if (limited <= *v.Height) return false;
  v.Height = limited;
  return true;
}

bool ApplyTextPage(const TTextProps& v, const TRefList& texts, const TTouched& touched) {
  bool label = false;
  for (TObjekt* e : texts) {
    Touch(touched, *e);
    const TByteString old = e->Text;
    if (v.Text) e->Text = *v.Text;
    if (v.Height) e->SizeA = static_cast<float>(RoundInt(*v.Height));
    if (v.Rotation) e->Rotation = *v.Rotation;
    if (v.MirrorH) e->MirrorH = *v.MirrorH ? 1 : 0;
    if (v.MirrorV) e->MirrorV = *v.MirrorV ? 1 : 0;
    if (v.Style) e->Style = *v.Style;
    if (v.Thickness) e->SizeB = static_cast<float>(*v.Thickness);
    WriteCutout(*e, v.Cutout);
    // The new strokes keep the clearance of the old ones and the text's
    // selection; an unchanged string keeps its place on the board.
    const int32_t clearance = e->SubElements.empty() ? e->Clearance : e->SubElements.front()->Clearance;
    BuildTextStrokes(*e, e->Text == old, clearance);
    SetSelected(*e, e->Selected != 0);
    label = label || IsComponentLabel(*e);
    Touch(touched, *e);
  }
  return label;
}

// ---- circles ----

TCircleProps ReadCirclePage(const TRefList& circles, const TPlatine& board) {
  TCircleProps v;
  if (circles.empty()) return v;
  const TObjekt& l = *circles.front();
  v.Single = circles.size() == 1;
  v.Centre = FromZero({l.Pos.X, l.Pos.Y}, board);
  v.Width = CommonLength(circles, [](const TObjekt& e) { return double(e.SizeA) - e.SizeB; });
  v.Diameter = CommonLength(circles, [](const TObjekt& e) { return double(e.SizeA) + e.SizeB; });
  if (auto a = Common(circles, [](const TObjekt& e) { return e.StartAngle; })) v.Start = *a / 1000.0;
  if (auto a = Common(circles, [](const TObjekt& e) { return e.StopAngle; })) v.Stop = *a / 1000.0;
  v.Fill = CommonFlag(circles, &TObjekt::Fill);
  v.Cutout = CommonFlag(circles, &TObjekt::Cutout);
  return v;
}

void ApplyCirclePage(const TCircleProps& v, const TRefList& circles, const TPlatine& board, const TTouched& touched) {
  for (TObjekt* e : circles) {
    Touch(touched, *e);
    if (v.Single) {
      const TDPoint p = ToModel(v.Centre, board);
      e->Pos = {static_cast<float>(p.X), static_cast<float>(p.Y)};
    }
    const double d = v.Diameter.value_or(double(e->SizeA) + e->SizeB);
    const double w = v.Width.value_or(double(e->SizeA) - e->SizeB);
    e->SizeA = static_cast<float>(RoundInt((d + w) / 2));
    e->SizeB = static_cast<float>(RoundInt((d - w) / 2));
    if (v.Start) e->StartAngle = RoundInt(*v.Start * 1000);
    if (v.Stop) e->StopAngle = RoundInt(*v.Stop * 1000);
    if (v.Fill) e->Fill = *v.Fill ? 1 : 0;
    WriteCutout(*e, v.Cutout);
    Touch(touched, *e);
  }
}

// ---- tracks ----

TTrackProps ReadTrackPage(const TRefList& tracks) {
  TTrackProps v;
  if (tracks.empty()) return v;
  v.Width = Common(tracks, [](const TObjekt& e) { return e.Width; });
  v.FlatStart = Common(tracks, [](const TObjekt& e) { return (e.TrackEnds & 1) != 0; });
  v.FlatEnd = Common(tracks, [](const TObjekt& e) { return (e.TrackEnds & 2) != 0; });
  v.Cutout = CommonFlag(tracks, &TObjekt::Cutout);
  return v;
}

void ApplyTrackPage(const TTrackProps& v, const TRefList& tracks, const TTouched& touched) {
  auto setBit = [](uint8_t& bits, uint8_t bit, const std::optional<bool>& on) {
    if (on) bits = *on ? (bits | bit) : (bits & ~bit);
  };
  for (TObjekt* e : tracks) {
    Touch(touched, *e);
    if (v.Width) e->Width = RoundInt(*v.Width);
    setBit(e->TrackEnds, 1, v.FlatStart);
    setBit(e->TrackEnds, 2, v.FlatEnd);
    WriteCutout(*e, v.Cutout);
    Touch(touched, *e);
  }
}

double TrackLength(const TObjekt& track) {
  double sum = 0;
  for (size_t i = 1; i < track.Points.size(); ++i)
    sum += Distance({track.Points[i - 1].X, track.Points[i - 1].Y}, {track.Points[i].X, track.Points[i].Y});
  return sum;
}

// ---- zones ----

TZoneProps ReadZonePage(const TRefList& zones) {
  TZoneProps v;
  if (zones.empty()) return v;
  v.Width = Common(zones, [](const TObjekt& e) { return e.Width; });
  v.Hatch = CommonFlag(zones, &TObjekt::Hatch);
  v.HatchAuto = CommonFlag(zones, &TObjekt::HatchAuto);
  v.HatchWidth = Common(zones, [](const TObjekt& e) { return e.HatchWidth; });
  v.Cutout = CommonFlag(zones, &TObjekt::Cutout);
  return v;
}

bool CapHatchWidth(TZoneProps& v, const TRefList& zones) {
  if (!v.HatchWidth) return false;
  std::optional<double> cap;
  for (const TObjekt* z : zones)
    if (z->Hatch && !z->HatchAuto) cap = std::min(cap.value_or(2.0 * z->Width), 2.0 * z->Width);
  if (!cap || *v.HatchWidth <= *cap) return false;
  v.HatchWidth = cap;
  return true;
}

void ApplyZonePage(const TZoneProps& v, const TRefList& zones, const TTouched& touched) {
  for (TObjekt* e : zones) {
    Touch(touched, *e);
    if (v.Width) e->Width = RoundInt(*v.Width);
    if (v.Hatch) e->Hatch = *v.Hatch ? 1 : 0;
    if (v.HatchAuto) e->HatchAuto = *v.HatchAuto ? 1 : 0;
    if (v.HatchWidth) e->HatchWidth = RoundInt(*v.HatchWidth);
    WriteCutout(*e, v.Cutout);
    Touch(touched, *e);
  }
}

// ---- derived lines ----

std::string GeneralNumber(double v, int digits) {
  if (!std::isfinite(v)) return "0";
  if (v == 0) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
  const int decimals = std::max(0, digits - 1 - exponent);
  if (decimals == 0) {
    const double step = std::pow(10.0, exponent - digits + 1);
    v = std::round(v / step) * step;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

double CurrentCapacity(double widthUnits, int copperMicrons, int temperatureRise) {
  const double t = copperMicrons / 1000.0;
  const double w = widthUnits / kUnitsPerMm;
  return 0.7 * 5.25 * std::sqrt(std::max(0.0, t * w * (t + w) * temperatureRise));
}

std::string CurrentCapacityText(double amperes) { return GeneralNumber(amperes, 3) + " A"; }

std::string CurrentSettingsText(int copperMicrons, int temperatureRise) {
  return " * (" + std::to_string(copperMicrons) + "µ / " + std::to_string(temperatureRise) + "°)";
}

std::string BoardAreaText(int32_t width, int32_t height, TDisplayUnit unit) {
  const bool mil = unit == TDisplayUnit::Mil;
  const double per = mil ? 25.4 : 10.0;  // mm per inch or per cm
  double area = (width / double(kUnitsPerMm) / per) * (height / double(kUnitsPerMm) / per);
  area = std::round(area * 1000) / 1000;
  return GeneralNumber(area, 4) + (mil ? " in²" : " cm²");
}

double SpokeWidthMm(const TObjekt& pad, int percent) {
  const double base = pad.Kind == kKindSmdPad ? std::min(pad.SizeA, pad.SizeB) / 3.0 : pad.SizeA / 1.5;
  return std::round(base / kUnitsPerMm * percent) / 100;
}

std::string SpokeWidthText(double mm, TDisplayUnit unit, const std::string& mmSuffix) {
  if (unit == TDisplayUnit::Mil) return GeneralNumber(std::round(mm * 39.37 * 10) / 10, 10) + " mil";
  return GeneralNumber(mm, 10) + mmSuffix;
}

}  // namespace bs
