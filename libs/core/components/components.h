// Components: the sets of elements that belong together under one component
// number, with their ID and value labels and their pick-and-place data. Here
// they are found, listed and sorted, made from a selection, taken apart, and
// their labels created and placed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/edit_types.h"
#include "io/ini_file.h"
#include "model/geometry.h"
#include "model/messages.h"
#include "model/objekt.h"
#include "model/platine.h"
#include "project/project.h"

namespace bs {

using msg::kApplyToAllComponents;
using msg::kCreateComponentQuestion;
using msg::kDisintegrateQuestion;
using msg::kTooManyComponents;

// One component of a board.
struct TComponent {
  int16_t No = 0;
  std::vector<TObjekt*> Elements;  // in list order
  TObjekt* Id = nullptr;           // its ID label, null when it has none
  TObjekt* Value = nullptr;        // its value label
};

// Every component of the list in the order of its first element, found in
// one pass (each element is looked at once).
std::vector<TComponent> CollectComponents(const TObjektList& list);
// The elements of one component; an empty component when there are none.
TComponent FindComponent(const TObjektList& list, int16_t no);

// The number for a new component: one more than the largest in use, at
// least 2. When that would pass 32767 the components are numbered densely
// again first; none when the board already holds 32767 components.
std::optional<int16_t> NewComponentNumber(TObjektList& list);

// The components panel's line of one component.
struct TListEintrag {
  int16_t No = 0;
  TByteString Id;  // empty without ID label
  TByteString Value;
  TByteString Rotation;      // with pick-and-place data: the rotation to 0.1 degree; else "---"
  double PlaceRotation = 0;  // the placement rotation itself, degrees
  TByteString Package;       // with pick-and-place data: the package; else "---"
  TByteString Comment;
  bool Top = false;
  bool Smd = false;
  bool Placed = false;           // pick-and-place data used
  std::optional<TDPoint> Point;  // the placement point; none without ID label
};

TListEintrag MakeListEntry(const TComponent& c, const TPlatine& board);
// The entries of every component, sorted by ComponentIdLess.
std::vector<TListEintrag> ComponentList(const TObjektList& list, const TPlatine& board);

// The order of the list: by the ID's text part (without case, Windows-1251),
// then its trailing digits by value ("R2" before "R10"; leading zeros and
// any length of digits allowed), then the whole ID without case, then the
// component number. A strict weak order.
bool ComponentIdLess(const TListEintrag& a, const TListEintrag& b);

// The rotation rounded to 0.1 degree in its shortest form: "90", "45.5".
std::string RotationText(double degrees);

// ---- the components panel ----

// The panel's column widths in pixels (settings section "BTList", keys W0 ...
// W6); a negative width hides its column.
using TComponentColumns = std::array<int, 7>;
inline constexpr TComponentColumns kDefaultComponentColumns = {24, 46, 46, 34, 40, 62, 70};
TComponentColumns ReadComponentColumns(const TIniFile& ini);
void WriteComponentColumns(TIniFile& ini, const TComponentColumns& widths);

// ---- labels ----

// How new labels look and where they go.
struct TLabelStyle {
  int32_t Height = 13000;  // 1.3 mm
  int Style = 1;           // 0 narrow, 1 normal, 2 wide
  int Thickness = 1;       // 0 thin, 1 normal, 2 bold
  int IdLayer = 0;         // 0: S1 for a top component, S2 for a bottom one
  int ValueLayer = 0;
  bool IdVisible = true;
  bool ValueVisible = true;
};

inline constexpr const char* kNewIdText = "ID";
inline constexpr const char* kNewValueText = "Value";

// A new ID (role 1) or value (role 2) label: mirrored on C2 and S2.
std::unique_ptr<TObjekt> NewComponentLabel(const TByteString& text, uint8_t role, int layer, const TLabelStyle& style);

// Places the component's two labels beside the union of the outlines of its
// other elements: to the right when that is taller than wide, else above.
// False (labels left where they are) when those elements have no outline.
bool AlignComponentLabels(const std::vector<TObjekt*>& elements, TObjekt& id, TObjekt& value, const TPlatine& board);
// Whether both labels lie within 1000 units of where aligning puts them.
bool ComponentLabelsAligned(const std::vector<TObjekt*>& elements, const TObjekt& id, const TObjekt& value,
                            const TPlatine& board);

// ---- the component dialog ----

// What the component dialog shows and edits.
struct TComponentData {
  TByteString Id, Value;
  int IdLayer = kLayerS1, ValueLayer = kLayerS1;
  bool IdVisible = true, ValueVisible = true;
  int32_t Height = 13000;  // of both labels
  int Style = 1;
  int Thickness = 1;
  TPlaceData Place;  // pick-and-place data of the ID label
  friend bool operator==(const TComponentData&, const TComponentData&) = default;
};

// The dialog's fields, one bit each: the fields a user changed are written
// into the other selected components too.
enum TComponentField : uint32_t {
  kFieldId = 1u << 0,
  kFieldValue = 1u << 1,
  kFieldIdLayer = 1u << 2,
  kFieldValueLayer = 1u << 3,
  kFieldIdVisible = 1u << 4,
  kFieldValueVisible = 1u << 5,
  kFieldHeight = 1u << 6,
  kFieldStyle = 1u << 7,
  kFieldThickness = 1u << 8,
  kFieldPlaceEnabled = 1u << 9,
  kFieldRotation = 1u << 10,
  kFieldPackage = 1u << 11,
  kFieldComment = 1u << 12,
  kFieldCentre = 1u << 13,
  kFieldOffsetX = 1u << 14,
  kFieldOffsetY = 1u << 15,
  kFieldAll = (1u << 16) - 1,
};
// The bits of the fields in which two sets of data differ.
uint32_t ChangedComponentFields(const TComponentData& before, const TComponentData& after);

TComponentData ComponentDataOf(const TComponent& c);
// Makes sure the component has an ID and a value label (made as "Add as
// component" makes them, both placed automatically when both are new);
// returns whether it made one.
bool EnsureComponentLabels(TObjektList& list, TComponent& c, const TLabelStyle& style, const TPlatine& board);
// Writes the chosen fields into the component's labels: texts, layers (a
// label on C2 or S2 is mirrored), visibility and text properties (the
// strokes are rebuilt about their old centre) and the pick-and-place data.
// A text that the font cannot draw is left as it was; false then.
bool ApplyComponentData(TComponent& c, const TComponentData& d, uint32_t fields);

// ---- commands ----

struct TComponentMade {
  TEditResult Edit;
  int16_t No = 0;      // the new component
  bool NewId = false;  // a label was created
  bool NewValue = false;
};

// "Add as component" on a selection that is not one component: records one
// undo step; keeps the first selected ID and value label (other labels lose
// their role and placement data), creates the missing ones (selected; both
// placed automatically when both are new), clears the groups of every
// selected element and gives them all a new component number. Fails with
// kTooManyComponents when no number is left.
TComponentMade CreateComponent(TProject& project, const TLabelStyle& style);

// "Disintegrate Component": records one undo step, deletes the component's
// labels (with its pick-and-place data) and leaves its other elements as
// plain elements.
TEditResult DisintegrateComponent(TProject& project, int16_t no);

// The ID (`id` true) or value text of a component typed into the list: the
// label gets the text and new strokes; a missing label is created as "Add as
// component" creates it. Records one undo step.
TEditResult SetComponentLabelText(TProject& project, int16_t no, bool id, const TByteString& text,
                                  const TLabelStyle& style);

// Selects exactly the elements of component `no`.
void SelectComponent(TObjektList& list, int16_t no);
// The distinct components that have a selected element, in list order.
std::vector<int16_t> SelectedComponents(const TObjektList& list);

}  // namespace bs
