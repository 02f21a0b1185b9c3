#include "io/macro_file.h"

#include <cmath>
#include <exception>
#include <iterator>

#include "io/byte_stream.h"
#include "io/element_codec.h"
#include "model/atomic_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/placement.h"
#include "model/platine.h"
#include "model/read_file.h"
#include "render/text_strokes.h"

namespace bs {

namespace {

// A text's strokes lie on the text's layer; both move together.
void SetLayer(TObjekt& e, uint8_t layer) {
  e.Layer = layer;
  for (const auto& s : e.SubElements) s->Layer = layer;
}

void ClearMacro(TMacro& macro) {
  macro.Elements.clear();
  macro.Text1.clear();
  macro.Text2.clear();
  macro.Version = -1;
  macro.Modified = false;
}

// The candidate rule of the reference point: the first point offered is
// taken; a later one replaces it when it lies not right of and not below it,
// both compared in whole units.
struct TReferencePick {
  bool Any = false;
  TDPoint At;
  void Offer(TDPoint p) {
    if (!Any) {
      Any = true;
      At = p;
    } else if (RoundInt(p.X) <= RoundInt(At.X) && RoundInt(p.Y) >= RoundInt(At.Y)) {
      At = p;
    }
  }
};

void MoveAll(TObjektList& list, double dx, double dy) {
  for (const auto& e : list) MoveObjekt(*e, dx, dy);
}

void MoveToReferencePoint(TObjektList& list, const TMacroGrid& grid) {
  const TDPoint ref = MacroReferencePoint(list, false, grid);
  if (ref.X != 0 || ref.Y != 0) MoveAll(list, -ref.X, -ref.Y);
}

// A rotation in whole degrees brought into 0 ... 359.
int32_t Degrees360(int64_t a) {
  a %= 360;
  return static_cast<int32_t>(a < 0 ? a + 360 : a);
}

}  // namespace

TMacroReadResult ReadMacroBytes(const uint8_t* data, size_t size, TMacro& macro, const TReadOptions& opt) {
  TMacroReadResult res;
  ClearMacro(macro);
  TObjektList list;
  TByteString text1, text2;
  int version = -1;
  try {
    TByteReader r(data, size);
    const uint32_t header = r.U32();
    if ((header & 0xFFFFFF00u) != (kFileMagic & 0xFFFFFF00u)) throw TReadError("not a macro file");
    version = static_cast<int>(header & 0xFFu);
    if (version > kCurrentFileVersion)
      throw TReadError("file version " + std::to_string(version) + " is newer than this program reads");
    int64_t count = version <= 2 ? r.I16() : r.I32();
    if (count < 0) throw TReadError("negative element count");
    ReadElementBlocks(r, version, static_cast<size_t>(count), list);
    // Versions before 4 carry no description lines.
    if (version >= 4) {
      text1 = r.ShortString(kMacroTextMax);
      text2 = r.ShortString(kMacroTextMax);
    }
    ConvertOldElements(list, version);
    ConvertLegacyTexts(list, TPlatine{}, opt.PixelsPerInch);
  } catch (const std::exception& e) {
    // Whatever was read is dropped with `list`.
    res.Error = kMacroNotLoaded;
    res.Detail = e.what();
    return res;
  }
  if (version < 5) {
    // Macros before version 5 used layers 5 and 6 for what are now layers 3 and 2.
    for (const auto& e : list) {
      if (e->Layer == kLayerI1) SetLayer(*e, kLayerC2);
      else if (e->Layer == kLayerI2) SetLayer(*e, kLayerS1);
    }
  }
  if (version < 6) PadFixUp(list);
  CleanUpList(list);
  macro.Elements = std::move(list);
  macro.Text1 = std::move(text1);
  macro.Text2 = std::move(text2);
  macro.Version = version;
  res.Ok = true;
  return res;
}

TMacroReadResult ReadMacroFile(const std::string& path, TMacro& macro, const TReadOptions& opt) {
  macro.Path = path;
  const TFileBytes read = ReadRegularFile(path);
  if (!read.Ok()) {
    ClearMacro(macro);
    TMacroReadResult res;
    res.Error = kMacroNotLoaded;
    res.Detail = read.Fault == TReadFault::NotAFile ? "\"" + path + "\" is not a file that can be opened"
                                                    : "the file \"" + path + "\" can not be read";
    return res;
  }
  return ReadMacroBytes(read.Bytes.data(), read.Bytes.size(), macro, opt);
}

TDPoint MacroReferencePoint(const TObjektList& list, bool selectionOnly, const TMacroGrid& grid) {
  auto counts = [&](const TObjekt& e) { return !selectionOnly || e.Selected; };
  TReferencePick pick;
  for (const auto& e : list)
    if (counts(*e) && IsPad(*e)) pick.Offer(Centre(*e));
  if (pick.Any) return pick.At;
  for (const auto& e : list)
    if (counts(*e) && (e->Kind == kKindTrack || e->Kind == kKindZone))
      for (const TFPoint& p : e->Points) pick.Offer({p.X, p.Y});
  if (pick.Any) return pick.At;
  for (const auto& e : list)
    if (counts(*e) && e->Kind == kKindCircle) pick.Offer(Centre(*e));
  if (pick.Any) return pick.At;
  // TURect's Bottom is the larger y: the upper edge with the y axis up.
  const TURect b = ListBounds(list, TPlatine{}, selectionOnly);
  return SnapToGrid({static_cast<double>(b.Left), static_cast<double>(b.Bottom)}, grid.Grid, grid.Origin);
}

std::vector<uint8_t> EncodeMacro(TObjektList& list, bool selectionOnly, const TByteString& text1,
                                 const TByteString& text2, const TMacroGrid& grid) {
  CleanUpList(list);
  const TDPoint ref = MacroReferencePoint(list, selectionOnly, grid);
  TObjektList copies;
  std::vector<const TObjekt*> written;
  for (const auto& e : list) {
    if (selectionOnly && !e->Selected) continue;
    auto c = ScratchCopy(*e);
    MoveObjekt(*c, -ref.X, -ref.Y);
    c->Selected = 0;
    c->Routed = 0;
    for (const auto& s : c->SubElements) {
      s->Selected = 0;
      s->Routed = 0;
    }
    written.push_back(c.get());
    copies.push_back(std::move(c));
  }
  TByteWriter w;
  w.U32(kFileMagic + kCurrentFileVersion);
  w.I32(static_cast<int32_t>(written.size()));
  // Macros carry no connections (a zero count per pad) and no route links.
  WriteElementBlocks(w, written, false);
  w.ShortString(text1, kMacroTextMax);
  w.ShortString(text2, kMacroTextMax);
  return std::move(w.Bytes());
}

bool WriteMacroFile(const std::string& path, TObjektList& list, bool selectionOnly, const TByteString& text1,
                    const TByteString& text2, const TMacroGrid& grid) {
  return WriteFileAtomically(path, EncodeMacro(list, selectionOnly, text1, text2, grid));
}

bool SaveMacro(const std::string& path, TMacro& macro, const TMacroGrid& grid) {
  if (!WriteMacroFile(path, macro.Elements, false, macro.Text1, macro.Text2, grid)) return false;
  macro.Modified = false;
  return true;
}

bool MacroIsTop(const TObjektList& list) {
  bool s1 = false, s2 = false, c1 = false, c2 = false, smd = false;
  for (const auto& e : list) {
    switch (e->Layer) {
      case kLayerS1: s1 = true; break;
      case kLayerS2: s2 = true; break;
      case kLayerC1: c1 = true; break;
      case kLayerC2: c2 = true; break;
      default: break;
    }
    if (e->Kind == kKindSmdPad) smd = true;
  }
  if (s1 != s2) return s1;
  // A through-hole part is soldered on the bottom copper.
  if (c1 != c2) return smd ? c1 : c2;
  return false;
}

void FlipMacro(TObjektList& list, const TMacroGrid& grid) {
  for (const auto& e : list) MirrorHorizontally(*e, 0);
  MoveToReferencePoint(list, grid);
  for (const auto& e : list) {
    if (IsIdLabel(*e) && e->Place && e->Place->PlaceOffsetX != 0) e->Place->PlaceOffsetX = -e->Place->PlaceOffsetX;
    switch (e->Layer) {
      case kLayerC1: SetLayer(*e, kLayerC2); break;
      case kLayerC2: SetLayer(*e, kLayerC1); break;
      case kLayerS1: SetLayer(*e, kLayerS2); break;
      case kLayerS2: SetLayer(*e, kLayerS1); break;
      default: break;
    }
  }
}

bool ApplyMacroSide(TObjektList& list, bool top, const TMacroGrid& grid) {
  if (list.empty() || MacroIsTop(list) == top) return false;
  FlipMacro(list, grid);
  return true;
}

void RotateMacro(TMacro& macro, bool top, bool alwaysReadable, const TMacroGrid& grid) {
  for (const auto& e : macro.Elements) {
    RotateObjekt(*e, {0, 0}, 90);
    if (alwaysReadable && IsComponentLabel(*e) && ReadsUpsideDown(*e)) {
      e->Rotation = Degrees360(static_cast<int64_t>(e->Rotation) + 180);
      const int32_t clearance = e->SubElements.empty() ? e->Clearance : e->SubElements.front()->Clearance;
      BuildTextStrokes(*e, true, clearance);
    }
  }
  MoveToReferencePoint(macro.Elements, grid);
  for (const auto& e : macro.Elements) {
    if (!IsIdLabel(*e)) continue;
    double& r = EnsurePlace(*e).PlaceRotation;
    r += top ? -90 : 90;
    if (std::isfinite(r)) {
      r = std::fmod(r, 360.0);
      if (r < 0) r += 360;
      if (r >= 360) r -= 360;
    }
  }
  macro.Modified = true;
}

void ShowMacroLabels(TObjektList& list, bool shown) {
  for (const auto& e : list)
    if (IsComponentLabel(*e)) e->Shown = shown ? 1 : 0;
}

}  // namespace bs
