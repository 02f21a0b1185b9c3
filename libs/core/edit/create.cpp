#include "edit/create.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "edit/undo.h"
#include "model/objekt_list.h"
#include "render/text_strokes.h"

namespace bs {

namespace {
TFPoint F(TDPoint p) { return {static_cast<float>(p.X), static_cast<float>(p.Y)}; }
double Sign(double v) { return v < 0 ? -1 : 1; }  // zero counts as positive

// A cut-out drawn on a silkscreen layer cuts the copper of that side.
uint8_t CutoutLayer(int layer) {
  if (layer == kLayerS1) return kLayerC1;
  if (layer == kLayerS2) return kLayerC2;
  return static_cast<uint8_t>(layer);
}

TObjekt& Append(TBoard& board, std::unique_ptr<TObjekt> e) {
  board.Elements.push_back(std::move(e));
  return *board.Elements.back();
}

}  // namespace

std::optional<TDPoint> BendPoint(TDPoint p, TDPoint c, int mode) {
  const double dx = c.X - p.X, dy = c.Y - p.Y, m = std::min(std::abs(dx), std::abs(dy));
  TDPoint b;
  switch (mode) {
    case 1: b = {c.X - m * Sign(dx), c.Y - m * Sign(dy)}; break;
    case 2: b = {p.X + m * Sign(dx), p.Y + m * Sign(dy)}; break;
    case 3: b = {p.X, c.Y}; break;
    case 4: b = {c.X, p.Y}; break;
    default: return std::nullopt;
  }
  const auto same = [](TDPoint u, TDPoint v) { return u.X == v.X && u.Y == v.Y; };
  if (same(b, p) || same(b, c)) return std::nullopt;
  return b;
}

TObjekt& StartPolyline(TProject& project, TDPoint first, const TNewSizes& sizes, bool zone, bool cutout) {
  RecordUndo(project);
  TBoard& board = *project.Active();
  auto e = NewObjekt();
  const int layer = board.Platine.ActiveLayer;
  if (zone) {
    InitZone(*e, sizes.TrackWidth, static_cast<uint8_t>(layer));
    e->Closed = 0;
    if (cutout) {
      e->Cutout = 1;
      e->Layer = CutoutLayer(layer);
    }
  } else {
    InitTrack(*e, sizes.TrackWidth, static_cast<uint8_t>(layer));
  }
  e->Clearance = sizes.Clearance;
  AddPoint(*e, F(first));
  return Append(board, std::move(e));
}

bool AddPolylineVertex(TObjekt& e, TDPoint cursor, int bendMode) {
  if (e.Points.empty()) {
    AddPoint(e, F(cursor));
    return true;
  }
  const TFPoint last = e.Points.back(), c = F(cursor);
  if (c == last) return false;
  if (const auto b = BendPoint({last.X, last.Y}, cursor, bendMode); b && !(F(*b) == last)) AddPoint(e, F(*b));
  AddPoint(e, c);
  return true;
}

bool OnFirstVertex(const TObjekt& e, TDPoint p) { return !e.Points.empty() && e.Points.front() == F(p); }

void RemoveLastVertex(TObjekt& e) {
  if (!e.Points.empty()) e.Points.pop_back();
}

bool FinishPolyline(TProject& project, TObjekt& e, bool optimise) {
  TBoard& board = *project.Active();
  const bool zone = e.Kind == kKindZone;
  // A zone closed on its first vertex holds that vertex once.
  if (zone && e.Points.size() > 1 && e.Points.back() == e.Points.front()) e.Points.pop_back();
  const size_t needed = zone ? 3 : 2;
  if (e.Points.size() >= needed) {
    if (zone) e.Closed = 1;
    NormalisePointList(e, board.Elements, optimise, board.Platine.Multilayer != 0);
    if (e.Points.size() >= needed) return true;
  }
  DeleteObjekt(board.Elements, &e);
  DiscardLastUndo(project);
  return false;
}

std::unique_ptr<TObjekt> MakeRectangle(int layer, TDPoint a, TDPoint b, const TNewSizes& sizes, bool filled,
                                       bool cutout) {
  if (std::hypot(b.X - a.X, b.Y - a.Y) <= 1000) return nullptr;
  auto e = NewObjekt();
  const TFPoint corners[4] = {F(a), {F(b).X, F(a).Y}, F(b), {F(a).X, F(b).Y}};
  if (filled || cutout) {
    InitZone(*e, sizes.TrackWidth, static_cast<uint8_t>(layer));
    for (TFPoint c : corners) AddPoint(*e, c);
    e->Closed = 1;
    if (cutout) {
      e->Cutout = 1;
      e->Layer = CutoutLayer(layer);
    }
  } else {
    InitTrack(*e, sizes.TrackWidth, static_cast<uint8_t>(layer));
    for (TFPoint c : corners) AddPoint(*e, c);
    AddPoint(*e, corners[0]);
  }
  e->Clearance = sizes.Clearance;
  return e;
}

std::unique_ptr<TObjekt> MakeCircle(int layer, TDPoint centre, TDPoint edge, const TNewSizes& sizes) {
  const double r = std::max(std::abs(edge.X - centre.X), std::abs(edge.Y - centre.Y));
  if (r < 1000) return nullptr;
  auto e = NewObjekt();
  const double w = sizes.TrackWidth;
  // A ring wider than the circle is a disc: the inner radius stops at 0.
  InitCircle(*e, F(centre), static_cast<float>(r + w / 2), static_cast<uint8_t>(layer),
             static_cast<float>(std::max(0.0, r - w / 2)));
  e->Clearance = sizes.Clearance;
  return e;
}

std::unique_ptr<TObjekt> MakeThtPad(int layer, TDPoint at, const TNewSizes& sizes) {
  auto e = NewObjekt();
  InitThtPad(*e, F(at), static_cast<uint8_t>(layer), sizes.PadShape, sizes.PadDrill / 2.0f, sizes.PadOuter / 2.0f);
  e->Via = sizes.ThroughPad && IsCopperLayer(layer);
  e->Clearance = sizes.Clearance;
  return e;
}

std::unique_ptr<TObjekt> MakeSmdPad(int layer, TDPoint at, const TNewSizes& sizes) {
  auto e = NewObjekt();
  InitSmdPad(*e, F(at), static_cast<float>(sizes.SmdWidth), static_cast<uint8_t>(layer),
             static_cast<float>(sizes.SmdHeight));
  e->Clearance = sizes.Clearance;
  return e;
}

namespace {
// Records undo and appends a made element; nothing without one.
TObjekt* Create(TProject& project, std::unique_ptr<TObjekt> e) {
  if (!e) return nullptr;
  RecordUndo(project);
  return &Append(*project.Active(), std::move(e));
}
int ActiveLayer(TProject& project) { return project.Active()->Platine.ActiveLayer; }
}  // namespace

TObjekt* CreateRectangle(TProject& project, TDPoint a, TDPoint b, const TNewSizes& sizes, bool filled, bool cutout) {
  return Create(project, MakeRectangle(ActiveLayer(project), a, b, sizes, filled, cutout));
}

TObjekt* CreateCircle(TProject& project, TDPoint centre, TDPoint edge, const TNewSizes& sizes) {
  return Create(project, MakeCircle(ActiveLayer(project), centre, edge, sizes));
}

TObjekt& PlaceThtPad(TProject& project, TDPoint at, const TNewSizes& sizes) {
  return *Create(project, MakeThtPad(ActiveLayer(project), at, sizes));
}

TObjekt& PlaceSmdPad(TProject& project, TDPoint at, const TNewSizes& sizes) {
  return *Create(project, MakeSmdPad(ActiveLayer(project), at, sizes));
}

TObjekt* ThtPadAt(TBoard& board, TDPoint p) {
  for (const auto& e : board.Elements) {
    if (e->Kind != kKindThtPad || !IsCopperLayer(e->Layer)) continue;
    const double r = e->SizeA;  // outer radius
    if (std::abs(p.X - e->Pos.X) <= r && std::abs(p.Y - e->Pos.Y) <= r) return e.get();
  }
  return nullptr;
}

// ---- texts ----

TTextFields TextFieldsOf(const TObjekt& t) {
  TTextFields f;
  f.Text = t.Text;
  f.Height = static_cast<int32_t>(std::lround(t.SizeA));
  f.Thickness = static_cast<int>(std::lround(t.SizeB));
  f.Style = t.Style;
  f.MirrorH = t.MirrorH != 0;
  f.MirrorV = t.MirrorV != 0;
  f.Rotation = t.Rotation;
  return f;
}

void SetTextFields(TObjekt& e, const TTextFields& f) {
  e.Text = f.Text;
  e.SizeA = static_cast<float>(f.Height);
  e.SizeB = static_cast<float>(f.Thickness);
  e.Style = f.Style;
  e.MirrorH = f.MirrorH;
  e.MirrorV = f.MirrorV;
  e.Rotation = f.Rotation;
}

std::unique_ptr<TObjekt> MakeText(const TTextFields& f, TDPoint anchor, int layer, int32_t clearance) {
  auto e = NewObjekt();
  InitText(*e, F(anchor), f.Text, f.MirrorV, f.MirrorH, static_cast<uint8_t>(layer), f.Style,
           static_cast<float>(f.Thickness), static_cast<float>(f.Height), f.Rotation);
  e->Clearance = clearance;
  if (!BuildTextStrokes(*e, false, clearance) || e->SubElements.empty()) return nullptr;
  return e;
}

TEditResult ChangeText(TProject& project, TObjekt& text, const TTextFields& fields) {
  TEditResult r;
  if (fields == TextFieldsOf(text)) return r;
  // Built on a copy first, so that a string the font cannot draw changes nothing.
  auto trial = ScratchCopy(text);
  const bool sameString = trial->Text == fields.Text;
  SetTextFields(*trial, fields);
  if (!BuildTextStrokes(*trial, sameString, text.Clearance) || trial->SubElements.empty()) {
    r.Status = TEditStatus::Failed;
    r.Message = kTextNotGenerated;
    return r;
  }
  RecordUndo(project);
  SetTextFields(text, fields);
  BuildTextStrokes(text, sameString, text.Clearance);
  r.Status = TEditStatus::Done;
  r.ComponentsChanged = IsComponentLabel(text);
  return r;
}

// ---- favourites ----

std::string TrackPresetCaption(int32_t width, TDisplayUnit unit, TLanguage language) {
  char buf[64];
  if (unit == TDisplayUnit::Mil) std::snprintf(buf, sizeof buf, "%.1f   mil", width / 10000.0 * 39.37);
  else std::snprintf(buf, sizeof buf, "%.2f   %s", width / 10000.0, MillimetreSign(language));
  return buf;
}

std::string PairPresetCaption(int32_t a, int32_t b, TDisplayUnit unit, TLanguage language) {
  char buf[96];
  if (unit == TDisplayUnit::Mil)
    std::snprintf(buf, sizeof buf, "%.1f  x  %.1f mil", a / 10000.0 * 39.37, b / 10000.0 * 39.37);
  else std::snprintf(buf, sizeof buf, "%.2f  x  %.2f %s", a / 10000.0, b / 10000.0, MillimetreSign(language));
  return buf;
}

bool TrackPresetMatches(int32_t entry, int32_t current, TDisplayUnit unit) {
  if (unit == TDisplayUnit::Mil) return std::abs(int64_t(entry) - current) < 25;
  return std::lround(entry / 100.0) == std::lround(current / 100.0);  // 0.01 mm
}

bool AddTrackPreset(std::vector<int32_t>& list, int32_t width) {
  if (std::find(list.begin(), list.end(), width) != list.end()) return false;
  list.insert(std::upper_bound(list.begin(), list.end(), width), width);
  return true;
}

namespace {
template <class T, class Key>
bool InsertSorted(std::vector<T>& list, const T& p, Key key) {
  if (std::find(list.begin(), list.end(), p) != list.end()) return false;
  const auto at =
      std::upper_bound(list.begin(), list.end(), p, [&](const T& a, const T& b) { return key(a) < key(b); });
  list.insert(at, p);
  return true;
}
}  // namespace

bool AddPadPreset(std::vector<TPadSizePreset>& list, TPadSizePreset p) {
  return InsertSorted(list, p, [](const TPadSizePreset& v) { return std::pair(v.Outer, v.Drill); });
}

bool AddSmdPreset(std::vector<TSmdSizePreset>& list, TSmdSizePreset p) {
  return InsertSorted(list, p, [](const TSmdSizePreset& v) { return std::pair(v.Width, v.Height); });
}

// ---- sizes and the selection ----

namespace {
bool Fits(const TObjekt& e, TSizeField field) {
  switch (field) {
    case TSizeField::TrackWidth: return e.Kind == kKindTrack || e.Kind == kKindZone || e.Kind == kKindCircle;
    case TSizeField::PadOuter:
    case TSizeField::PadDrill:
    case TSizeField::PadShape: return e.Kind == kKindThtPad;
    case TSizeField::SmdWidth:
    case TSizeField::SmdHeight: return e.Kind == kKindSmdPad;
    case TSizeField::Clearance: return true;
  }
  return false;
}

void Apply(TObjekt& e, TSizeField field, int32_t value) {
  switch (field) {
    case TSizeField::TrackWidth:
      if (e.Kind == kKindCircle) {
        const double m = (double(e.SizeA) + e.SizeB) / 2;  // the middle radius stays
        e.SizeA = static_cast<float>(m + value / 2.0);
        e.SizeB = static_cast<float>(std::max(0.0, m - value / 2.0));
      } else {
        e.Width = value;
      }
      break;
    case TSizeField::PadOuter:
      e.SizeA = value / 2.0f;
      e.SizeB = std::min(e.SizeB, e.SizeA);
      RebuildThtOutline(e, std::nullopt, 0);
      break;
    case TSizeField::PadDrill:
      e.SizeB = value / 2.0f;
      e.SizeA = std::max(e.SizeA, e.SizeB);
      RebuildThtOutline(e, std::nullopt, 0);
      break;
    case TSizeField::PadShape: RebuildThtOutline(e, static_cast<uint8_t>(value), 0); break;
    case TSizeField::SmdWidth: ResizeSmdPad(e, double(value), std::nullopt); break;
    case TSizeField::SmdHeight: ResizeSmdPad(e, std::nullopt, double(value)); break;
    case TSizeField::Clearance: e.Clearance = value; break;
  }
}

double SmdSide(const TObjekt& e, size_t from) {
  if (e.Points.size() < 4) return 0;
  const TFPoint a = e.Points[from], b = e.Points[from + 1];
  return std::hypot(double(b.X) - a.X, double(b.Y) - a.Y);
}

void Take(TFieldState& f, double value) {
  const int32_t v = static_cast<int32_t>(std::lround(value));
  if (f.Contributes && f.Value != v) f.Mixed = true;
  f.Contributes = true;
  f.Value = v;
}
}  // namespace

TEditResult ApplySizeToSelection(TProject& project, TSizeField field, int32_t value) {
  TBoard* board = project.Active();
  if (!board) return {};
  std::vector<TObjekt*> targets;
  for (const auto& e : board->Elements)
    if (e->Selected && ShownOnScreen(*e, board->Platine) && Fits(*e, field)) targets.push_back(e.get());
  if (targets.empty()) return {};
  RecordUndo(project);
  for (TObjekt* e : targets) Apply(*e, field, value);
  TEditResult r;
  r.Status = TEditStatus::Done;
  return r;
}

TSelectionSizes SelectionSizes(const TBoard& board) {
  TSelectionSizes s;
  const TObjekt* lastPad = nullptr;
  for (const auto& pe : board.Elements) {
    const TObjekt& e = *pe;
    if (!e.Selected || !ShownOnScreen(e, board.Platine)) continue;
    switch (e.Kind) {
      case kKindThtPad:
        Take(s.PadOuter, 2.0 * e.SizeA);
        Take(s.PadDrill, 2.0 * e.SizeB);
        Take(s.PadShape, e.Shape);
        lastPad = &e;
        break;
      case kKindTrack:
      case kKindZone: Take(s.TrackWidth, e.Width); break;
      case kKindCircle: Take(s.TrackWidth, double(e.SizeA) - e.SizeB); break;
      case kKindSmdPad:
        Take(s.SmdWidth, SmdSide(e, 0));
        Take(s.SmdHeight, SmdSide(e, 1));
        break;
      default: break;
    }
    Take(s.Clearance, e.Clearance);
  }
  if (lastPad && !s.PadShape.Mixed) s.ThroughPad = lastPad->Via != 0;
  return s;
}

}  // namespace bs
