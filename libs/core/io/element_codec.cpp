#include "io/element_codec.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>

#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/placement.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

// ---- writing ----

void WritePoints(TByteWriter& w, const TPointList& pts) {
  w.I32(static_cast<int32_t>(pts.size()));
  uint8_t* p = w.Grow(8 * pts.size());
  for (const TFPoint& pt : pts) {
    le::PutF32(p, pt.X);
    le::PutF32(p + 4, pt.Y);
    p += 8;
  }
}

void WriteHeader(TByteWriter& w, const TObjekt& e) { EncodeHeader(e, w.Grow(kHeaderSize)); }

void WriteElement(TByteWriter& w, const TObjekt& e) {
  WriteHeader(w, e);
  w.StoredString(e.Text);
  w.StoredString(e.Text2);
  w.I32(static_cast<int32_t>(e.Groups.size()));
  for (int32_t g : e.Groups) w.I32(g);
  if (HasPointList(e.Kind)) WritePoints(w, e.Points);
  if (e.Kind == kKindText) {
    w.I32(static_cast<int32_t>(e.SubElements.size()));
    for (const auto& s : e.SubElements) {
      WriteHeader(w, *s);
      WritePoints(w, s->Points);
    }
  }
  if (IsIdLabel(e)) {
    static const TPlaceData kNone;
    const TPlaceData& pd = e.Place ? *e.Place : kNone;
    w.F32(pd.PlaceOffsetX);
    w.F32(pd.PlaceOffsetY);
    w.U8(pd.PlaceCentre);
    w.F64(pd.PlaceRotation);
    w.StoredString(pd.Package);
    w.StoredString(pd.Comment);
    w.U8(pd.PlaceEnabled);
  }
}

// ---- reading: old headers ----

bool Bad(double v) { return !std::isfinite(v) || v < -1e7 || v > 1e7; }
float Sanitised(double v) { return Bad(v) ? 0.0f : static_cast<float>(v); }

// Fields common to the old headers, in their file units (1/100 mm).
struct TOldFields {
  uint8_t kind = 0;
  double posX = 0, posY = 0, sizeA = 0, sizeB = 0;
  int32_t width = 0;
  uint8_t layer = 0, shape = 0;
  int32_t startAngle = 0;
  int16_t componentNo = 0;
  uint8_t reserved39 = 0, fill = 0;
  double clearance = 0;
  uint8_t routed = 0, mirrorH = 0, mirrorV = 0, cutout = 0;
  TByteString text;
};

TOldFields Header49(const uint8_t* h) {
  using namespace le;
  TOldFields f;
  f.kind = h[0];
  f.posX = GetI16(h + 1);
  f.posY = GetI16(h + 3);
  f.sizeA = GetI16(h + 5);
  f.sizeB = GetI16(h + 7);
  f.width = GetI16(h + 9);
  f.layer = h[12];
  f.shape = h[13];
  if (f.kind == kKindLegacyText) f.text.assign(reinterpret_cast<const char*>(h + 15), std::min<size_t>(h[14], 14));
  f.componentNo = GetI16(h + 34);
  f.startAngle = GetI16(h + 37);
  f.reserved39 = h[43];
  return f;
}

// The 32-bit fields that the 74- and 75-byte headers share at the same offsets.
TOldFields WideCommon(const uint8_t* h) {
  using namespace le;
  TOldFields f;
  f.kind = h[0];
  f.posX = GetI32(h + 1);
  f.posY = GetI32(h + 5);
  f.sizeA = GetI32(h + 9);
  f.sizeB = GetI32(h + 13);
  f.width = GetI32(h + 17);
  f.layer = h[22];
  f.shape = h[23];
  return f;
}

TOldFields Header74(const uint8_t* h) {
  using namespace le;
  TOldFields f = WideCommon(h);
  if (f.kind == kKindLegacyText) f.text.assign(reinterpret_cast<const char*>(h + 25), std::min<size_t>(h[24], 15));
  f.startAngle = GetI32(h + 47);
  f.reserved39 = h[55];
  f.fill = h[56];
  f.clearance = GetI32(h + 57);
  return f;
}

TOldFields Header75(const uint8_t* h) {
  using namespace le;
  TOldFields f = WideCommon(h);
  f.startAngle = GetI32(h + 31);
  f.reserved39 = h[39];
  f.fill = h[40];
  f.clearance = GetI32(h + 41);
  f.routed = h[53];
  f.mirrorH = h[54];
  f.mirrorV = h[55];
  f.cutout = h[56];
  return f;
}

// Builds an element from old header fields with the unit conversion and the
// defaults of the versions before 5.
void FromOldFields(const TOldFields& f, int version, TObjekt& e) {
  e.Kind = f.kind;
  e.Pos = {Sanitised(f.posX), Sanitised(f.posY)};
  e.SizeA = Sanitised(f.sizeA);
  e.SizeB = Sanitised(f.sizeB);
  e.Width = f.width;
  e.Layer = f.layer;
  e.Shape = f.shape;
  e.StartAngle = f.startAngle;
  e.ComponentNo = f.componentNo;
  e.Reserved39 = f.reserved39;
  e.Fill = f.fill;
  e.Clearance = static_cast<int32_t>(Sanitised(f.clearance));
  e.Routed = f.routed;
  e.Cutout = f.cutout;
  e.Text = f.text;
  if (e.Kind == kKindText) {
    e.MirrorH = f.mirrorH;
    e.MirrorV = f.mirrorV;
  } else {
    e.Thermal = 0;
    e.HatchAuto = 0;
  }
  e.SolderMask = IsPad(e) ? 1 : 0;
  e.ThermalMagic = 0;
  e.ThermalWidth = 0;
  if (version == 4 && e.Kind == kKindText) {
    const int32_t old = e.StartAngle;
    e.Rotation = old == 1 ? 90 : old == 2 ? 180 : old == 3 ? 270 : 0;
    e.StartAngle = 0;
    e.LabelRole = 0;
    e.Fill = 0;  // LabelVisible is set below
  }
}

// Unit conversion of header values (versions 0 ... 5): 1/100 mm to units.
void ScaleHeader(TObjekt& e) {
  e.Pos = {Sanitised(e.Pos.X) * 100, Sanitised(e.Pos.Y) * 100};
  e.SizeA = Sanitised(e.SizeA) * 100;
  const bool text = e.Kind == kKindText;
  e.SizeB = text ? Sanitised(e.SizeB) : Sanitised(e.SizeB) * 100;
  e.Clearance = static_cast<int32_t>(Sanitised(e.Clearance)) * 100;
  if (e.Kind != kKindCircle && !text && std::abs(static_cast<double>(e.Width)) < 1e7) e.Width *= 100;
}

// Defaults of fields that old versions lack.
void ApplyOldDefaults(TObjekt& e, int version) {
  if (version <= 4) {
    if (e.Kind == kKindZone) {
      e.Hatch = 0;
      e.HatchAuto = 1;
      e.HatchWidth = 60;
    }
  }
  if (IsPad(e) && (version <= 4 || e.ThermalMagic != kThermalMagic)) {
    e.ThermalWidth = 100;
    e.ThermalSpokes = kDefaultSmdSpokes;
    e.ThermalMagic = kThermalMagic;
    e.Thermal = 0;
  }
  if (version <= 4) {
    if (e.Kind == kKindThtPad) e.ThermalIndividual = 0;
    if (e.Kind == kKindTrack) e.TrackEnds = 0;
  }
  if (e.Kind == kKindText && (version == 4 || version == 5)) {
    e.LabelRole = 0;
    e.LabelVisible = 1;
  }
  if (version <= 2) {
    e.Clearance = kDefaultClearance;
    e.Via = 0;
    if (e.Kind == kKindCircle) {
      e.StartAngle = 0;
      e.StopAngle = 0;
      e.Fill = 0;
    }
  }
}

void FinishRead(TObjekt& e) {
  e.PrintMark = 0;
  e.Selected = 0;
  e.Closed = 1;
}

void ReadPointsF32(TByteReader& r, TPointList& pts, double scale) {
  const size_t n = r.Count(r.I32(), 8);
  pts.resize(n);
  const uint8_t* p = r.Take(8 * n);
  for (size_t i = 0; i < n; ++i, p += 8)
    pts[i] = {static_cast<float>(le::GetF32(p) * scale), static_cast<float>(le::GetF32(p + 4) * scale)};
}

void ReadPointsInt(TByteReader& r, TPointList& pts, bool sixteenBit) {
  const size_t n = sixteenBit ? r.Count(r.I16(), 4) : r.Count(r.I32(), 8);
  pts.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const double x = sixteenBit ? r.I16() : r.I32();
    const double y = sixteenBit ? r.I16() : r.I32();
    pts[i] = {static_cast<float>(x * 100), static_cast<float>(y * 100)};
  }
}

void ReadGroups(TByteReader& r, TGroupList& groups, bool sixteenBit) {
  const size_t n = sixteenBit ? r.Count(r.I16(), 2) : r.Count(r.I32(), 4);
  groups.resize(n);
  for (size_t i = 0; i < n; ++i) groups[i] = sixteenBit ? r.I16() : r.I32();
}

void ReadPlacement(TByteReader& r, TObjekt& e) {
  TPlaceData& pd = EnsurePlace(e);
  pd.PlaceOffsetX = r.F32();
  pd.PlaceOffsetY = r.F32();
  pd.PlaceCentre = r.U8();
  pd.PlaceRotation = r.F64();
  pd.Package = r.StoredString();
  pd.Comment = r.StoredString();
  pd.PlaceEnabled = r.U8();
  // Damaged values would put the component anywhere: offsets that are not
  // finite or lie beyond 1 m count as none, the rotation is brought into
  // [0, 360) and an unknown centre choice counts as copper.
  auto offset = [](float& v) {
    if (!std::isfinite(v) || std::abs(v) > 1e7f) v = 0;
  };
  offset(pd.PlaceOffsetX);
  offset(pd.PlaceOffsetY);
  pd.PlaceRotation = std::isfinite(pd.PlaceRotation) ? Normalised360(pd.PlaceRotation) : 0;
  if (pd.PlaceCentre > 2) pd.PlaceCentre = 0;
}

// Smallest possible element blocks, to bound counts by the remaining bytes.
size_t MinBlockSize(int version) {
  if (version <= 2) return 49;
  if (version == 3) return 74 + 4;
  if (version == 4) return 75 + 4 + 4;
  return kHeaderSize + 4 + 4 + 4;
}

std::unique_ptr<TObjekt> ReadOneElement(TByteReader& r, int version, std::vector<int32_t>& partner) {
  auto e = NewObjekt();
  int32_t partnerIndex = -1;
  if (version >= 5) {
    DecodeHeader(r.Take(kHeaderSize), *e);
    e->Text = r.StoredString();
    e->Text2 = r.StoredString();
    ReadGroups(r, e->Groups, false);
    const double scale = version == 5 ? 100 : 1;
    if (HasPointList(e->Kind)) ReadPointsF32(r, e->Points, scale);
    if (e->Kind == kKindText) {
      const size_t n = r.Count(r.I32(), kHeaderSize + 4);
      for (size_t i = 0; i < n; ++i) {
        auto s = NewObjekt();
        DecodeHeader(r.Take(kHeaderSize), *s);
        ReadPointsF32(r, s->Points, scale);
        if (version == 5) ScaleHeader(*s);
        FinishRead(*s);
        e->SubElements.push_back(std::move(s));
      }
    }
    if (version == 6 && IsIdLabel(*e)) ReadPlacement(r, *e);
    if (version == 5) {
      ScaleHeader(*e);
      e->ComponentNo = 0;
    }
  } else if (version == 4) {
    FromOldFields(Header75(r.Take(75)), version, *e);
    e->Text = r.StoredString();
    ReadGroups(r, e->Groups, false);
    if (e->Kind == kKindZone || e->Kind == kKindTrack) ReadPointsInt(r, e->Points, false);
    if (e->Kind == kKindText) {
      const size_t n = r.Count(r.I32(), 75 + 4);
      for (size_t i = 0; i < n; ++i) {
        auto s = NewObjekt();
        FromOldFields(Header75(r.Take(75)), version, *s);
        ReadPointsInt(r, s->Points, false);
        ScaleHeader(*s);
        ApplyOldDefaults(*s, version);
        FinishRead(*s);
        e->SubElements.push_back(std::move(s));
      }
    }
    if (e->Kind == kKindThtPad) partnerIndex = r.I32();
    ScaleHeader(*e);
  } else if (version == 3) {
    FromOldFields(Header74(r.Take(74)), version, *e);
    ReadGroups(r, e->Groups, false);
    if (e->Kind == kKindZone || e->Kind == kKindTrack) ReadPointsInt(r, e->Points, false);
    if (e->Kind == kKindThtPad) partnerIndex = r.I32();
    ScaleHeader(*e);
  } else {
    FromOldFields(Header49(r.Take(49)), version, *e);
    if (version == 2) ReadGroups(r, e->Groups, true);
    if (e->Kind == kKindZone || e->Kind == kKindTrack) ReadPointsInt(r, e->Points, true);
    ScaleHeader(*e);
  }
  ApplyOldDefaults(*e, version);
  FinishRead(*e);
  partner.push_back(partnerIndex);
  return e;
}

void AddConnection(TObjekt& pad, TObjekt* other) {
  if (std::find(pad.Connections.begin(), pad.Connections.end(), other) == pad.Connections.end())
    pad.Connections.push_back(other);
}

// Versions 3 and 4 stored a via as two THT pads that name each other as
// partner: the first becomes the via, the second is merged into it.
void MergeViaPairs(TObjektList& list, const std::vector<int32_t>& partner) {
  const size_t n = list.size();
  std::vector<char> drop(n, 0);
  for (size_t i = 0; i < n; ++i) {
    const int32_t j = partner[i];
    if (drop[i] || j < 0 || static_cast<size_t>(j) >= n || static_cast<size_t>(j) <= i) continue;
    if (partner[j] != static_cast<int32_t>(i) || drop[j]) continue;
    if (list[i]->Kind != kKindThtPad || list[j]->Kind != kKindThtPad) continue;
    TObjekt& first = *list[i];
    TObjekt& second = *list[j];
    first.Via = 1;
    for (TObjekt* c : second.Connections)
      if (c != &first) AddConnection(first, c);
    for (const auto& o : list) {
      if (o.get() == &second) continue;
      bool pointed = false;
      for (TObjekt*& c : o->Connections)
        if (c == &second) {
          c = &first;
          pointed = true;
        }
      if (pointed) {
        // Redirection may have made duplicates or a self-reference.
        std::vector<TObjekt*> unique;
        for (TObjekt* c : o->Connections)
          if (c != o.get() && std::find(unique.begin(), unique.end(), c) == unique.end()) unique.push_back(c);
        o->Connections = std::move(unique);
      }
    }
    second.Connections.clear();
    drop[j] = 1;
  }
  size_t k = 0;
  DeleteObjekte(list, [&](const TObjekt&) { return drop[k++] != 0; });
}

void ConvertLegacyLines(TObjektList& list) {
  for (auto& p : list) {
    if (p->Kind != kKindLegacyLine) continue;
    auto t = NewObjekt();
    InitTrack(*t, p->Width, p->Layer);
    t->Clearance = p->Clearance;
    t->ComponentNo = p->ComponentNo;
    t->Groups = p->Groups;
    AddPoint(*t, p->Pos);
    AddPoint(*t, {p->SizeA, p->SizeB});
    FinishRead(*t);
    p = std::move(t);  // nothing refers to lines
  }
}
}  // namespace

size_t ElementBlocksSize(const std::vector<const TObjekt*>& list, bool withLinks) {
  size_t n = 0;
  for (const TObjekt* e : list) {
    n += kHeaderSize + 8 + std::min<size_t>(e->Text.size(), 255) + std::min<size_t>(e->Text2.size(), 255);
    n += 4 + 4 * e->Groups.size();
    if (HasPointList(e->Kind)) n += 4 + 8 * e->Points.size();
    if (e->Kind == kKindText) {
      n += 4;
      for (const auto& s : e->SubElements) n += kHeaderSize + 4 + 8 * s->Points.size();
    }
    if (IsIdLabel(*e)) n += 26 + (e->Place ? e->Place->Package.size() + e->Place->Comment.size() : 0);
    if (IsPad(*e)) n += 4 + (withLinks ? 4 * e->Connections.size() : 0);
    if (withLinks && e->Kind == kKindTrack && e->Routed) n += 8;
  }
  return n;
}

void WriteElementBlocks(TByteWriter& w, const std::vector<const TObjekt*>& list, bool withLinks) {
  std::unordered_map<const TObjekt*, int32_t> index;
  if (withLinks) {
    index.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) index.emplace(list[i], static_cast<int32_t>(i));
  }
  for (const TObjekt* e : list) WriteElement(w, *e);
  auto indexOf = [&](const TObjekt* p) {
    if (!p) return -1;
    auto it = index.find(p);
    return it == index.end() ? -1 : it->second;
  };
  for (const TObjekt* e : list) {
    if (!IsPad(*e)) continue;
    if (!withLinks) {
      w.I32(0);
      continue;
    }
    std::vector<int32_t> idx;
    for (const TObjekt* c : e->Connections)
      if (int32_t i = indexOf(c); i >= 0) idx.push_back(i);
    w.I32(static_cast<int32_t>(idx.size()));
    for (int32_t i : idx) w.I32(i);
  }
  if (!withLinks) return;
  for (const TObjekt* e : list) {
    if (e->Kind != kKindTrack || !e->Routed) continue;
    w.I32(indexOf(e->RouteStart));
    w.I32(indexOf(e->RouteEnd));
  }
}

void ReadElementBlocks(TByteReader& r, int version, size_t count, TObjektList& list) {
  TObjektList read;
  std::vector<int32_t> partner;
  count = r.Count(static_cast<int64_t>(count), MinBlockSize(version));
  read.reserve(count);
  partner.reserve(count);
  for (size_t i = 0; i < count; ++i) read.push_back(ReadOneElement(r, version, partner));

  const size_t n = read.size();
  auto at = [&](int32_t i) -> TObjekt* { return i >= 0 && static_cast<size_t>(i) < n ? read[i].get() : nullptr; };
  if (version >= 3) {
    for (const auto& e : read) {
      const bool lists = version == 3 ? e->Kind == kKindThtPad : IsPad(*e);
      if (!lists) continue;
      const size_t c = r.Count(r.I32(), 4);
      for (size_t k = 0; k < c; ++k)
        if (TObjekt* other = at(r.I32())) e->Connections.push_back(other);
    }
  }
  if (version >= 4) {
    for (const auto& e : read) {
      if (e->Kind != kKindTrack || !e->Routed) continue;
      e->RouteStart = at(r.I32());
      e->RouteEnd = at(r.I32());
    }
  }
  if (version == 3 || version == 4) MergeViaPairs(read, partner);
  for (auto& e : read) list.push_back(std::move(e));
}

void ConvertOldElements(TObjektList& list, int version) {
  if (version <= 4) {
    ConvertLegacyLines(list);
    for (const auto& e : list) {
      if (e->Kind == kKindThtPad) {
        e->Points = ThtOutline(e->Shape, e->Pos, e->SizeA, 0);
        e->OutlineMargin = 0;
      } else if (e->Kind == kKindSmdPad) {
        const float hw = e->SizeA / 2, hh = e->SizeB / 2;
        e->Points = {{e->Pos.X - hw, e->Pos.Y + hh},
                     {e->Pos.X + hw, e->Pos.Y + hh},
                     {e->Pos.X + hw, e->Pos.Y - hh},
                     {e->Pos.X - hw, e->Pos.Y - hh}};
      }
    }
  }
  if (version <= 1) {
    // Old files grouped elements by ComponentNo.
    std::unordered_map<int16_t, int32_t> groupOf;
    int32_t next = NextFreeGroupNo(list);
    for (const auto& e : list) {
      if (e->ComponentNo == 0) continue;
      auto [it, fresh] = groupOf.emplace(e->ComponentNo, next);
      if (fresh) ++next;
      e->Groups.push_back(it->second);
      e->ComponentNo = 0;
    }
  }
  if (version <= 3) {
    for (const auto& e : list) {
      if (e->Layer == kLayerC1) e->Layer = kLayerC2;
      else if (e->Layer == kLayerC2) e->Layer = kLayerC1;
    }
  }
  for (const auto& e : list) {
    if (e->Kind == kKindCircle && e->StartAngle < 1000 && e->StopAngle < 1000) {
      // Damaged files may hold any negative value: clamp instead of overflowing.
      auto times1000 = [](int32_t a) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} * 1000, INT32_MIN, INT32_MAX));
      };
      e->StartAngle = times1000(e->StartAngle);
      e->StopAngle = times1000(e->StopAngle);
    }
  }
}

void PadFixUp(TObjektList& list) {
  for (const auto& e : list) {
    if (e->Kind == kKindThtPad) {
      const uint32_t b = e->ThermalSpokes & 0xFF;
      e->ThermalSpokes = b | (b << 8) | (b << 16) | (b << 24);
      if (!IsCopperLayer(e->Layer)) {
        e->Via = 0;
        e->Thermal = 0;
      }
    } else if (e->Kind == kKindSmdPad && !IsCopperLayer(e->Layer)) {
      e->Thermal = 0;
    }
  }
}

void ConvertLegacyTexts(TObjektList& list, const TPlatine& board, double pixelsPerInch) {
  bool any = false;
  for (auto& p : list) {
    if (p->Kind != kKindLegacyText) continue;
    any = true;
    const TObjekt& old = *p;
    const int orientation = old.StartAngle;
    auto t = NewObjekt();
    // The font height was stored negative (a character height); a positive
    // value is taken as the same size rather than drawing the text mirrored.
    const double height = std::fabs(static_cast<double>(old.Width)) / pixelsPerInch * 72 * 0.9;
    InitText(*t, old.Pos, old.Text, false, false, old.Layer, 1, 2, static_cast<float>(height),
             orientation == 90 || orientation == 180 || orientation == 270 ? orientation : 0);
    t->Clearance = old.Clearance;
    BuildTextStrokes(*t, false, old.Clearance);
    t->Groups = old.Groups;
    if (!t->SubElements.empty()) {
      const TURect b = BoundingRect(*t, board);
      // The corner that lay on the anchor, as seen on screen (y up: Bottom is the top).
      const double cx = (orientation == 90 || orientation == 180) ? b.Right : b.Left;
      const double cy = (orientation == 180 || orientation == 270) ? b.Top : b.Bottom;
      MoveObjekt(*t, old.Pos.X - cx, old.Pos.Y - cy);
      p = std::move(t);
    } else {
      p->Kind = kKindInvalid;  // removed below
    }
  }
  if (any) DeleteObjekte(list, [](const TObjekt& e) { return e.Kind == kKindInvalid || e.Kind == kKindLegacyText; });
}

}  // namespace bs
