// The element record and the operations on single elements.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/types.h"

namespace bs {

struct TPolygon;
struct TObjekt;

using TPointList = std::vector<TFPoint>;
using TGroupList = std::vector<int32_t>;
using TRefList = std::vector<TObjekt*>;
using TObjektList = std::vector<std::unique_ptr<TObjekt>>;

// Byte strings in the model are Windows-1251 text.
using TByteString = std::string;

// Pick-and-place data; only a component's ID label carries it.
struct TPlaceData {
  float PlaceOffsetX = 0;
  float PlaceOffsetY = 0;
  uint8_t PlaceCentre = 0;  // 0 copper, 1 silkscreen, 2 both
  double PlaceRotation = 0;
  TByteString Package;
  TByteString Comment;
  uint8_t PlaceEnabled = 0;
  friend bool operator==(const TPlaceData&, const TPlaceData&) = default;
};

inline constexpr uint32_t kThermalMagic = 123456789;
inline constexpr uint32_t kDefaultThtSpokes = 0x55555555;
inline constexpr uint32_t kDefaultSmdSpokes = 85;
inline constexpr int32_t kDefaultClearance = 4000;
inline constexpr size_t kHeaderSize = 77;

// One element of a board. There is no class hierarchy: Kind selects the
// behaviour of every operation. Slots that carry different fields for
// different kinds are anonymous unions with every name of the slot.
struct TObjekt {
  TObjekt();
  ~TObjekt();
  TObjekt(const TObjekt&) = delete;
  TObjekt& operator=(const TObjekt&) = delete;

  // ---- fixed header (stored as 77 bytes, in the order EncodeHeader
  // writes) ----
  // The fields that painting and searching read for every element come
  // first: with Shown from the in-memory fields they fill the record's
  // first 64 bytes, one cache line.
  uint8_t Kind = 0;
  uint8_t Selected = 0;
  uint8_t Layer = 0;
  union {
    uint8_t Shape = 0;  // THT pad: 1 ... 9
    uint8_t TrackEnds;  // track: bit 0 flat start, bit 1 flat end
    uint8_t LabelRole;  // text: bit 0 ID label, bit 1 value label
  };
  TFPoint Pos;
  float SizeA = 0;
  float SizeB = 0;
  union {
    int32_t Width = 0;  // track, zone: line width
    int32_t StopAngle;  // circle: 1/1000 degree
    int32_t Style;      // text: 0 narrow, 1 normal, 2 wide
  };
  int32_t Clearance = 0;
  union {
    int32_t StartAngle = 0;  // circle: 1/1000 degree
    uint32_t ThermalSpokes;  // pads: one spoke mask byte per copper layer
  };
  TPointList Points;
  int16_t ComponentNo = 0;
  union {
    uint8_t Fill = 0;           // circle: filled
    uint8_t ThermalIndividual;  // THT pad: spokes set per copper layer
    uint8_t LabelVisible;       // text: label shown
  };
  union {
    uint8_t Thermal = 0;  // pads: thermal spokes to the ground plane
    uint8_t Hatch;        // zone: hatched
    uint8_t MirrorH;      // text: mirrored horizontally
  };
  uint8_t Cutout = 0;
  uint8_t Via = 0;
  uint8_t Shown = 1;  // (in memory only)
  uint8_t Routed = 0;

  uint8_t Mark = 0;
  TGroupList Groups;
  uint8_t Reserved39 = 0;
  TRefList Connections;  // pads: rubber-band partners (not owned)
  union {
    uint8_t HatchAuto = 0;  // zone: hatch width follows outline width
    uint8_t MirrorV;        // text: mirrored vertically
  };
  union {
    int32_t ThermalWidth = 0;  // pads: spoke width in percent
    int32_t HatchWidth;        // zone: hatch line width
    int32_t Rotation;          // text: degrees, clockwise
  };
  uint8_t SolderMask = 0;
  std::array<uint8_t, 3> Reserved59{};
  uint32_t ThermalMagic = 0;
  std::array<uint8_t, 11> Reserved66{};

  // ---- stored tail ----
  TObjekt* RouteStart = nullptr;  // routed track: start pad (not owned)
  TObjekt* RouteEnd = nullptr;    // routed track: end pad (not owned)
  TObjektList SubElements;        // text: the stroke tracks
  TByteString Text;
  TByteString Text2;                  // element name
  std::unique_ptr<TPlaceData> Place;  // ID label only; null means all zero

  // ---- in memory only ----
  uint8_t Closed = 0;
  uint8_t PrintMark = 0;
  uint8_t Copied = 0;
  uint8_t PreviewViaMark = 0;
  int8_t CullState = -1;
  // Margin of the most recent THT outline generation (grown pads).
  int32_t OutlineMargin = 0;
  int32_t ScratchIndex = 0;
  TRefList NetList;
  std::unique_ptr<TPolygon> PolygonCache;
  std::unique_ptr<TPolygon> GrownPolygonCache;
  // The frozen copy an undo snapshot last took of this element (in memory
  // only, never copied): while the element is that copy moved by
  // UndoOffset, the next snapshot shares it instead of copying again.
  std::shared_ptr<const TObjekt> UndoBase;
  TDPoint UndoOffset;
};

// ---- element predicates ----
inline bool IsPad(const TObjekt& e) { return e.Kind == kKindThtPad || e.Kind == kKindSmdPad; }
inline bool IsIdLabel(const TObjekt& e) { return e.Kind == kKindText && (e.LabelRole & 1); }
inline bool IsValueLabel(const TObjekt& e) { return e.Kind == kKindText && (e.LabelRole & 2); }
inline bool IsComponentLabel(const TObjekt& e) { return e.Kind == kKindText && (e.LabelRole & 3); }
inline bool HasPointList(uint8_t kind) {
  return kind == kKindThtPad || kind == kKindZone || kind == kKindTrack || kind == kKindSmdPad;
}
// Innermost group number, or 0 when the element is in no group.
inline int32_t InnermostGroup(const TObjekt& e) { return e.Groups.empty() ? 0 : e.Groups.back(); }

// Placement data of an ID label, created on first write.
TPlaceData& EnsurePlace(TObjekt& e);

// ---- creation and initialisation ----
std::unique_ptr<TObjekt> NewObjekt();
void InitTrack(TObjekt& e, int32_t width, uint8_t layer);
void InitZone(TObjekt& e, int32_t width, uint8_t layer);
void InitThtPad(TObjekt& e, TFPoint centre, uint8_t layer, uint8_t shape, float drillRadius, float outerRadius);
void InitSmdPad(TObjekt& e, TFPoint centre, float width, uint8_t layer, float height);
void InitCircle(TObjekt& e, TFPoint centre, float outerRadius, uint8_t layer, float innerRadius);
// Sets the text fields; the strokes are built by the stroke font afterwards.
void InitText(TObjekt& e, TFPoint anchor, const TByteString& text, bool mirrorV, bool mirrorH, uint8_t layer,
              int32_t style, float thickness, float height, int32_t rotation);
void AddPoint(TObjekt& e, TFPoint p);
void AddGroupNumber(TObjekt& e, int32_t n);

// Outline points of a THT pad of the given shape around `centre` with radius
// r and growth margin m, before rotation. Unknown shapes give no points.
TPointList ThtOutline(uint8_t shape, TFPoint centre, float r, int32_t margin);

// Copies `src` into a freshly created `dst` (header, strings, lists, strokes,
// placement data). Connections and route links still point at the source's
// partners; RemapReferences redirects them. Marks the source as Copied.
void CopyObjekt(TObjekt& src, TObjekt& dst);
std::unique_ptr<TObjekt> CloneObjekt(TObjekt& src);
// The same copy without marking the source, for temporary geometric work.
void CopyObjektFields(const TObjekt& src, TObjekt& dst);
std::unique_ptr<TObjekt> ScratchCopy(const TObjekt& src);
// Whether `live` is what CopyObjektFields would copy of `base` (which holds
// no references) moved by MoveObjekt by some offset, ignoring the
// selection and the references; the offset is stored in `offset`.
bool SameAsMovedCopy(const TObjekt& live, const TObjekt& base, TDPoint& offset);

// ---- the 77-byte header ----
// Writes the header fields in the stored layout (little-endian, reference
// slots zero).
void EncodeHeader(const TObjekt& e, uint8_t* out);
// Reads the header fields from the stored layout; reference slots are ignored.
void DecodeHeader(const uint8_t* in, TObjekt& e);

}  // namespace bs
