#include "components/components.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "edit/create.h"
#include "edit/undo.h"
#include "edit/units.h"
#include "model/codepage.h"
#include "model/objekt_list.h"
#include "model/placement.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

constexpr int16_t kLargestComponentNumber = 32767;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Trailing digits compared by value without converting them: fewer
// significant digits is smaller, then the digits decide.
int CompareDigits(std::string_view a, std::string_view b) {
  while (!a.empty() && a.front() == '0') a.remove_prefix(1);
  while (!b.empty() && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return c == 0 ? 0 : (c < 0 ? -1 : 1);
}

std::vector<const TObjekt*> Const(const std::vector<TObjekt*>& v) { return {v.begin(), v.end()}; }

std::vector<const TObjekt*> Body(const std::vector<TObjekt*>& elements) {
  std::vector<const TObjekt*> body;
  for (const TObjekt* e : elements)
    if (e->Kind != kKindText) body.push_back(e);
  return body;
}

// Where aligning puts the two labels' anchors; none without an outline.
struct TLabelTargets {
  TDPoint Id, Value;
};
std::optional<TLabelTargets> LabelTargets(const std::vector<TObjekt*>& elements, const TObjekt& id,
                                          const TObjekt& value, const TPlatine& board) {
  const std::optional<TURect> r = UnitedOutlineBounds(Body(elements), board);
  if (!r) return std::nullopt;
  const double left = r->Left, right = r->Right, upper = r->Bottom;
  const double width = right - left, height = double(r->Bottom) - r->Top;
  const int32_t hI = int32_t(std::lround(id.SizeA)), hV = int32_t(std::lround(value.SizeA));
  const int32_t q = (hI + hV) / 4;
  const bool tall = height > width;
  TLabelTargets t;
  if (tall) {
    t.Id = {right + q, upper - hI};
    t.Value = {right + q, upper - q - hI - hV};
  } else {
    t.Value = {left, upper + q};
    t.Id = {left, upper + 2.0 * q + hV};
  }
  // Mirrored labels run to the left of their anchor.
  auto shift = [&](const TObjekt& label, TDPoint& p) {
    if (label.Layer == kLayerC2 || label.Layer == kLayerS2) p.X += tall ? -width - 2.0 * q : width;
  };
  shift(id, t.Id);
  shift(value, t.Value);
  return t;
}

void MoveAnchor(TObjekt& label, TDPoint to) { MoveObjekt(label, to.X - label.Pos.X, to.Y - label.Pos.Y); }

int LabelLayer(int chosen, bool top) { return chosen != 0 ? chosen : (top ? kLayerS1 : kLayerS2); }

TEditResult Failed(const char* message) {
  TEditResult r;
  r.Status = TEditStatus::Failed;
  r.Message = message;
  return r;
}

}  // namespace

std::vector<TComponent> CollectComponents(const TObjektList& list) {
  std::vector<TComponent> out;
  std::unordered_map<int16_t, size_t> index;
  for (const auto& e : list) {
    if (e->ComponentNo == 0) continue;
    auto [it, added] = index.try_emplace(e->ComponentNo, out.size());
    if (added) {
      out.emplace_back();
      out.back().No = e->ComponentNo;
    }
    TComponent& c = out[it->second];
    c.Elements.push_back(e.get());
    if (!c.Id && IsIdLabel(*e)) c.Id = e.get();
    if (!c.Value && IsValueLabel(*e)) c.Value = e.get();
  }
  return out;
}

TComponent FindComponent(const TObjektList& list, int16_t no) {
  TComponent c;
  c.No = no;
  if (no == 0) return c;
  for (const auto& e : list) {
    if (e->ComponentNo != no) continue;
    c.Elements.push_back(e.get());
    if (!c.Id && IsIdLabel(*e)) c.Id = e.get();
    if (!c.Value && IsValueLabel(*e)) c.Value = e.get();
  }
  return c;
}

std::optional<int16_t> NewComponentNumber(TObjektList& list) {
  auto largest = [&list] {
    int32_t n = 0;
    for (const auto& e : list) n = std::max<int32_t>(n, e->ComponentNo);
    return n;
  };
  int32_t next = std::max(largest() + 1, 2);
  if (next > kLargestComponentNumber) {
    RenumberGroupsAndComponents(list);
    next = std::max(largest() + 1, 2);
  }
  if (next > kLargestComponentNumber) return std::nullopt;
  return static_cast<int16_t>(next);
}

std::string RotationText(double degrees) {
  if (!std::isfinite(degrees)) return "0";
  const long long tenths = std::llround(degrees * 10);
  char buf[40];
  if (tenths % 10 == 0) std::snprintf(buf, sizeof buf, "%lld", tenths / 10);
  else
    std::snprintf(buf, sizeof buf, "%s%lld.%lld", tenths < 0 ? "-" : "", std::llabs(tenths) / 10,
                  std::llabs(tenths) % 10);
  return buf;
}

TListEintrag MakeListEntry(const TComponent& c, const TPlatine& board) {
  TListEintrag l;
  l.No = c.No;
  const std::vector<const TObjekt*> members = Const(c.Elements);
  l.Top = ComponentOnTop(members);
  l.Smd = ComponentIsSmd(members);
  if (c.Value) l.Value = c.Value->Text;
  if (c.Id) {
    l.Id = c.Id->Text;
    const TPlaceData place = c.Id->Place ? *c.Id->Place : TPlaceData{};
    l.Placed = place.PlaceEnabled != 0;
    l.Comment = place.Comment;
    l.PlaceRotation = place.PlaceRotation;
    l.Rotation = l.Placed ? RotationText(place.PlaceRotation) : "---";
    l.Package = l.Placed ? place.Package : "---";
    l.Point = PlacementPoint(members, board);
  } else {
    l.Rotation = "---";
    l.Package = "---";
  }
  return l;
}

std::vector<TListEintrag> ComponentList(const TObjektList& list, const TPlatine& board) {
  std::vector<TListEintrag> out;
  for (const TComponent& c : CollectComponents(list)) out.push_back(MakeListEntry(c, board));
  std::sort(out.begin(), out.end(), ComponentIdLess);
  return out;
}

bool ComponentIdLess(const TListEintrag& a, const TListEintrag& b) {
  auto split = [](std::string_view s) {
    size_t i = s.size();
    while (i > 0 && IsDigit(s[i - 1])) --i;
    return std::pair{s.substr(0, i), s.substr(i)};
  };
  const auto [ta, da] = split(a.Id);
  const auto [tb, db] = split(b.Id);
  if (const int c = CompareFoldedCp1251(ta, tb); c != 0) return c < 0;
  if (const int c = CompareDigits(da, db); c != 0) return c < 0;
  if (const int c = CompareFoldedCp1251(a.Id, b.Id); c != 0) return c < 0;
  return a.No < b.No;
}

// ---- the components panel ----

TComponentColumns ReadComponentColumns(const TIniFile& ini) {
  TComponentColumns w = kDefaultComponentColumns;
  for (size_t i = 0; i < w.size(); ++i) {
    const int v = ini.ReadInt("BTList", "W" + std::to_string(i), w[i]);
    // A width a window could not show is taken as the default.
    if (v != 0 && std::abs(v) <= 2000) w[i] = v;
  }
  return w;
}

void WriteComponentColumns(TIniFile& ini, const TComponentColumns& widths) {
  for (size_t i = 0; i < widths.size(); ++i) ini.WriteInt("BTList", "W" + std::to_string(i), widths[i]);
}

// ---- labels ----

std::unique_ptr<TObjekt> NewComponentLabel(const TByteString& text, uint8_t role, int layer, const TLabelStyle& style) {
  TTextFields f;
  f.Text = text;
  f.Height = style.Height;
  f.Style = style.Style;
  f.Thickness = style.Thickness;
  f.MirrorH = layer == kLayerC2 || layer == kLayerS2;
  auto t = MakeText(f, {0, 0}, layer, kDefaultClearance);
  if (!t) return t;
  t->LabelRole = role;
  t->LabelVisible = (role == 1 ? style.IdVisible : style.ValueVisible) ? 1 : 0;
  return t;
}

bool AlignComponentLabels(const std::vector<TObjekt*>& elements, TObjekt& id, TObjekt& value, const TPlatine& board) {
  const std::optional<TLabelTargets> t = LabelTargets(elements, id, value, board);
  if (!t) return false;
  MoveAnchor(id, t->Id);
  MoveAnchor(value, t->Value);
  return true;
}

bool ComponentLabelsAligned(const std::vector<TObjekt*>& elements, const TObjekt& id, const TObjekt& value,
                            const TPlatine& board) {
  const std::optional<TLabelTargets> t = LabelTargets(elements, id, value, board);
  if (!t) return false;
  auto near = [](const TObjekt& label, TDPoint p) {
    return std::abs(label.Pos.X - p.X) <= 1000 && std::abs(label.Pos.Y - p.Y) <= 1000;
  };
  return near(id, t->Id) && near(value, t->Value);
}

// ---- the component dialog ----

uint32_t ChangedComponentFields(const TComponentData& a, const TComponentData& b) {
  uint32_t f = 0;
  auto mark = [&f](bool differs, uint32_t bit) {
    if (differs) f |= bit;
  };
  mark(a.Id != b.Id, kFieldId);
  mark(a.Value != b.Value, kFieldValue);
  mark(a.IdLayer != b.IdLayer, kFieldIdLayer);
  mark(a.ValueLayer != b.ValueLayer, kFieldValueLayer);
  mark(a.IdVisible != b.IdVisible, kFieldIdVisible);
  mark(a.ValueVisible != b.ValueVisible, kFieldValueVisible);
  mark(a.Height != b.Height, kFieldHeight);
  mark(a.Style != b.Style, kFieldStyle);
  mark(a.Thickness != b.Thickness, kFieldThickness);
  mark(a.Place.PlaceEnabled != b.Place.PlaceEnabled, kFieldPlaceEnabled);
  mark(a.Place.PlaceRotation != b.Place.PlaceRotation, kFieldRotation);
  mark(a.Place.Package != b.Place.Package, kFieldPackage);
  mark(a.Place.Comment != b.Place.Comment, kFieldComment);
  mark(a.Place.PlaceCentre != b.Place.PlaceCentre, kFieldCentre);
  mark(a.Place.PlaceOffsetX != b.Place.PlaceOffsetX, kFieldOffsetX);
  mark(a.Place.PlaceOffsetY != b.Place.PlaceOffsetY, kFieldOffsetY);
  return f;
}

TComponentData ComponentDataOf(const TComponent& c) {
  TComponentData d;
  if (const TObjekt* id = c.Id) {
    d.Id = id->Text;
    d.IdLayer = id->Layer;
    d.IdVisible = id->LabelVisible != 0;
    d.Height = int32_t(std::lround(id->SizeA));
    d.Style = id->Style;
    d.Thickness = int(std::lround(id->SizeB));
    if (id->Place) d.Place = *id->Place;
  }
  if (const TObjekt* v = c.Value) {
    d.Value = v->Text;
    d.ValueLayer = v->Layer;
    d.ValueVisible = v->LabelVisible != 0;
    if (!c.Id) {
      d.Height = int32_t(std::lround(v->SizeA));
      d.Style = v->Style;
      d.Thickness = int(std::lround(v->SizeB));
    }
  }
  return d;
}

bool EnsureComponentLabels(TObjektList& list, TComponent& c, const TLabelStyle& style, const TPlatine& board) {
  if (c.Id && c.Value) return false;
  const bool top = ComponentOnTop(Const(c.Elements));
  const bool bothNew = !c.Id && !c.Value;
  auto make = [&](const char* text, uint8_t role, int layer) -> TObjekt* {
    auto t = NewComponentLabel(text, role, LabelLayer(layer, top), style);
    if (!t) return nullptr;
    t->ComponentNo = c.No;
    TObjekt* made = t.get();
    list.push_back(std::move(t));
    c.Elements.push_back(made);
    return made;
  };
  if (!c.Id) c.Id = make(kNewIdText, 1, style.IdLayer);
  if (!c.Value) c.Value = make(kNewValueText, 2, style.ValueLayer);
  if (bothNew && c.Id && c.Value) AlignComponentLabels(c.Elements, *c.Id, *c.Value, board);
  return true;
}

bool ApplyComponentData(TComponent& c, const TComponentData& d, uint32_t fields) {
  // Each label is built on a copy first, so that a text the font cannot
  // draw leaves both labels as they were.
  struct TNew {
    TObjekt* Label;
    std::unique_ptr<TObjekt> Built;
  };
  std::vector<TNew> built;
  for (const bool isId : {true, false}) {
    TObjekt* label = isId ? c.Id : c.Value;
    if (!label) continue;
    const uint32_t textBit = isId ? kFieldId : kFieldValue, layerBit = isId ? kFieldIdLayer : kFieldValueLayer;
    const uint32_t visibleBit = isId ? kFieldIdVisible : kFieldValueVisible;
    auto copy = ScratchCopy(*label);
    TTextFields f = TextFieldsOf(*copy);
    if (fields & textBit) f.Text = isId ? d.Id : d.Value;
    if (fields & kFieldHeight) f.Height = d.Height;
    if (fields & kFieldStyle) f.Style = d.Style;
    if (fields & kFieldThickness) f.Thickness = d.Thickness;
    const int layer = (fields & layerBit) ? (isId ? d.IdLayer : d.ValueLayer) : copy->Layer;
    if (fields & layerBit) f.MirrorH = layer == kLayerC2 || layer == kLayerS2;
    const bool textChanged = !(f == TextFieldsOf(*copy)) || layer != copy->Layer;
    if (fields & visibleBit) copy->LabelVisible = (isId ? d.IdVisible : d.ValueVisible) ? 1 : 0;
    if (textChanged) {
      const bool sameString = f.Text == copy->Text;
      SetTextFields(*copy, f);
      SetObjektLayer(*copy, static_cast<uint8_t>(layer));
      const int32_t clearance = label->SubElements.empty() ? label->Clearance : label->SubElements.front()->Clearance;
      if (!BuildTextStrokes(*copy, sameString, clearance) || copy->SubElements.empty()) return false;
    }
    built.push_back({label, std::move(copy)});
  }
  for (TNew& n : built) {
    const TObjekt& b = *n.Built;
    TObjekt& live = *n.Label;
    // The copy carries no references; the label's own stay.
    live.Text = b.Text;
    live.SizeA = b.SizeA;
    live.SizeB = b.SizeB;
    live.Style = b.Style;
    live.MirrorH = b.MirrorH;
    live.MirrorV = b.MirrorV;
    live.Rotation = b.Rotation;
    live.LabelVisible = b.LabelVisible;
    live.Layer = b.Layer;
    live.Pos = b.Pos;
    live.SubElements = std::move(n.Built->SubElements);
    SetSelected(live, live.Selected != 0);  // the new strokes show the label's selection
  }
  if (c.Id) {
    const uint32_t placeBits = kFieldPlaceEnabled | kFieldRotation | kFieldPackage | kFieldComment | kFieldCentre |
                               kFieldOffsetX | kFieldOffsetY;
    if (fields & placeBits) {
      TPlaceData& p = EnsurePlace(*c.Id);
      if (fields & kFieldPlaceEnabled) p.PlaceEnabled = d.Place.PlaceEnabled;
      if (fields & kFieldRotation) p.PlaceRotation = Normalised360(d.Place.PlaceRotation);
      if (fields & kFieldPackage) p.Package = d.Place.Package;
      if (fields & kFieldComment) p.Comment = d.Place.Comment;
      if (fields & kFieldCentre) p.PlaceCentre = d.Place.PlaceCentre;
      if (fields & kFieldOffsetX) p.PlaceOffsetX = d.Place.PlaceOffsetX;
      if (fields & kFieldOffsetY) p.PlaceOffsetY = d.Place.PlaceOffsetY;
    }
  }
  return true;
}

// ---- commands ----

TComponentMade CreateComponent(TProject& project, const TLabelStyle& style) {
  TComponentMade out;
  TBoard* board = project.Active();
  if (!board) return out;
  TObjektList& list = board->Elements;
  std::vector<TObjekt*> selected;
  std::unordered_set<int16_t> numbers;
  for (const auto& e : list) {
    if (e->Selected) selected.push_back(e.get());
    if (e->ComponentNo != 0) numbers.insert(e->ComponentNo);
  }
  if (selected.empty()) return out;
  // Numbers run out only when every number is taken.
  if (numbers.size() >= size_t(kLargestComponentNumber - 1) && !NewComponentNumber(list)) {
    out.Edit = Failed(kTooManyComponents);
    return out;
  }
  RecordUndo(project);
  const std::optional<int16_t> no = NewComponentNumber(list);
  if (!no) {
    out.Edit = Failed(kTooManyComponents);
    return out;
  }
  // One ID and one value label: the first of each role.
  TObjekt *id = nullptr, *value = nullptr;
  for (TObjekt* e : selected) {
    if (!IsComponentLabel(*e)) continue;
    if (!id && IsIdLabel(*e)) {
      id = e;
      e->LabelRole = 1;
    } else if (!value && IsValueLabel(*e)) {
      value = e;
      e->LabelRole = 2;
    } else {
      e->LabelRole &= static_cast<uint8_t>(~3u);
      e->Place.reset();
    }
  }
  const bool top = ComponentOnTop(Const(selected));
  if (!id)
    if (auto t = NewComponentLabel(kNewIdText, 1, LabelLayer(style.IdLayer, top), style)) {
      id = t.get();
      out.NewId = true;
      list.push_back(std::move(t));
      selected.push_back(id);
    }
  if (!value)
    if (auto t = NewComponentLabel(kNewValueText, 2, LabelLayer(style.ValueLayer, top), style)) {
      value = t.get();
      out.NewValue = true;
      list.push_back(std::move(t));
      selected.push_back(value);
    }
  for (TObjekt* e : selected) {
    e->Groups.clear();
    e->ComponentNo = *no;
    SetSelected(*e, true);
  }
  if (out.NewId && out.NewValue) AlignComponentLabels(selected, *id, *value, board->Platine);
  out.No = *no;
  out.Edit.Status = TEditStatus::Done;
  out.Edit.ComponentsChanged = true;
  return out;
}

TEditResult DisintegrateComponent(TProject& project, int16_t no) {
  TEditResult r;
  TBoard* board = project.Active();
  if (!board || no == 0) return r;
  TObjektList& list = board->Elements;
  if (std::none_of(list.begin(), list.end(), [no](const auto& e) { return e->ComponentNo == no; })) return r;
  RecordUndo(project);
  DeleteObjekte(list, [no](const TObjekt& e) { return e.ComponentNo == no && IsComponentLabel(e); });
  for (const auto& e : list)
    if (e->ComponentNo == no) e->ComponentNo = 0;
  r.Status = TEditStatus::Done;
  r.ComponentsChanged = true;
  return r;
}

TEditResult SetComponentLabelText(TProject& project, int16_t no, bool id, const TByteString& text,
                                  const TLabelStyle& style) {
  TBoard* board = project.Active();
  if (!board) return {};
  TComponent c = FindComponent(board->Elements, no);
  if (c.Elements.empty()) return {};
  // A label needs something to draw.
  if (text.empty()) return Failed(msg::kTextNotGenerated);
  if (TObjekt* label = id ? c.Id : c.Value) {
    TTextFields f = TextFieldsOf(*label);
    f.Text = text;
    return ChangeText(project, *label, f);
  }
  // A missing label is made as "Add as component" makes it, on the side of
  // the component, beside it.
  const bool top = ComponentOnTop(Const(c.Elements));
  auto t = NewComponentLabel(text, id ? 1 : 2, LabelLayer(id ? style.IdLayer : style.ValueLayer, top), style);
  if (!t) return Failed(msg::kTextNotGenerated);
  RecordUndo(project);
  t->ComponentNo = no;
  TObjekt& made = *t;
  board->Elements.push_back(std::move(t));
  c.Elements.push_back(&made);
  TObjekt* other = id ? c.Value : c.Id;
  if (other) {
    const std::optional<TLabelTargets> at = id ? LabelTargets(c.Elements, made, *other, board->Platine)
                                               : LabelTargets(c.Elements, *other, made, board->Platine);
    if (at) MoveAnchor(made, id ? at->Id : at->Value);
  } else if (const std::optional<TURect> r = UnitedOutlineBounds(Body(c.Elements), board->Platine)) {
    MoveAnchor(made, {double(r->Left), double(r->Bottom) + style.Height / 4});
  }
  TEditResult r;
  r.Status = TEditStatus::Done;
  r.ComponentsChanged = true;
  return r;
}

void SelectComponent(TObjektList& list, int16_t no) {
  for (const auto& e : list) SetSelected(*e, no != 0 && e->ComponentNo == no);
}

std::vector<int16_t> SelectedComponents(const TObjektList& list) {
  std::vector<int16_t> out;
  std::unordered_set<int16_t> seen;
  for (const auto& e : list)
    if (e->Selected && e->ComponentNo != 0 && seen.insert(e->ComponentNo).second) out.push_back(e->ComponentNo);
  return out;
}

}  // namespace bs
