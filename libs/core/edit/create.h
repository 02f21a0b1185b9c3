// What the drawing tools create: tracks and zones drawn vertex by vertex
// with their bend modes, rectangles, circles, THT and SMD pads; the sizes
// they take from the tool fields, the favourite lists of those fields, the
// sizes applied to and read back from the selection.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "edit/edit_types.h"
#include "io/settings.h"
#include "model/geometry.h"
#include "project/project.h"

namespace bs {

// The sizes new elements get (units).
struct TNewSizes {
  int32_t TrackWidth = 8000;
  int32_t PadOuter = 18000;  // diameter
  int32_t PadDrill = 6000;   // diameter
  uint8_t PadShape = kShapeRound;
  bool ThroughPad = false;
  int32_t SmdWidth = 9000;
  int32_t SmdHeight = 18000;
  int32_t Clearance = kDefaultClearance;
};

// ---- tracks and zones ----

// The bend point between the last vertex and the pointer for bend modes 1
// to 5 (5: none); only when it differs from both.
std::optional<TDPoint> BendPoint(TDPoint last, TDPoint cursor, int mode);

// Records undo and starts a track (or an open zone) on the active layer at
// the point. A cut-out zone drawn on S1 or S2 goes to C1 or C2.
TObjekt& StartPolyline(TProject& project, TDPoint first, const TNewSizes& sizes, bool zone, bool cutout);
// Adds the bend point (when used) and the point; a click on the last vertex
// adds nothing. Returns whether vertices were added.
bool AddPolylineVertex(TObjekt& e, TDPoint cursor, int bendMode);
// Whether the point is the first vertex of the zone being drawn (a click
// there closes it).
bool OnFirstVertex(const TObjekt& e, TDPoint p);
// Del while drawing: removes the last vertex.
void RemoveLastVertex(TObjekt& e);
// Finishes the track or zone: kept and tidied with enough vertices (2 for
// a track, 3 for a zone, which is then closed), otherwise deleted with its
// undo step discarded. Returns whether it was kept.
bool FinishPolyline(TProject& project, TObjekt& e, bool optimise);

// ---- one-step creations (each records undo; nothing when invalid) ----

// A rectangle from corner to corner: a closed track of the track width, or
// a zone when filled (or a cut-out). Nothing when the diagonal is 1000
// units or less.
TObjekt* CreateRectangle(TProject& project, TDPoint a, TDPoint b, const TNewSizes& sizes, bool filled, bool cutout);
// A full circle of middle radius max(|dx|, |dy|) with the track width as its
// ring; nothing below 1000 units.
TObjekt* CreateCircle(TProject& project, TDPoint centre, TDPoint edge, const TNewSizes& sizes);
TObjekt& PlaceThtPad(TProject& project, TDPoint at, const TNewSizes& sizes);
TObjekt& PlaceSmdPad(TProject& project, TDPoint at, const TNewSizes& sizes);

// The same elements made on a layer without being added (previews); null
// where the creation above makes nothing.
std::unique_ptr<TObjekt> MakeRectangle(int layer, TDPoint a, TDPoint b, const TNewSizes& sizes, bool filled,
                                       bool cutout);
std::unique_ptr<TObjekt> MakeCircle(int layer, TDPoint centre, TDPoint edge, const TNewSizes& sizes);
std::unique_ptr<TObjekt> MakeThtPad(int layer, TDPoint at, const TNewSizes& sizes);
std::unique_ptr<TObjekt> MakeSmdPad(int layer, TDPoint at, const TNewSizes& sizes);

// F9 while a track is drawn goes on through this THT pad: the first on a
// copper layer whose outer radius holds the point in x and in y; null when
// none does.
TObjekt* ThtPadAt(TBoard& board, TDPoint p);

// ---- texts ----

// The fields of a text that its dialog edits.
struct TTextFields {
  TByteString Text;  // Windows-1251
  int32_t Height = 20000;
  int Thickness = 1;  // 0 thin, 1 normal, 2 bold
  int Style = 1;      // 0 narrow, 1 normal, 2 wide
  bool MirrorH = false;
  bool MirrorV = false;
  int32_t Rotation = 0;  // degrees, clockwise
  friend bool operator==(const TTextFields&, const TTextFields&) = default;
};
TTextFields TextFieldsOf(const TObjekt& text);
// Writes the fields into a text; its strokes are left for the caller to rebuild.
void SetTextFields(TObjekt& text, const TTextFields& fields);
// A new text with its strokes at `anchor` on the layer; null when the font
// makes no strokes of it.
std::unique_ptr<TObjekt> MakeText(const TTextFields& fields, TDPoint anchor, int layer, int32_t clearance);
// Gives a text new fields and rebuilds its strokes (about their old centre
// when the string stayed the same), recording undo. Fails with
// kTextNotGenerated, the text unchanged, when the font makes no strokes.
TEditResult ChangeText(TProject& project, TObjekt& text, const TTextFields& fields);

// ---- the favourite lists of the size fields ----

std::string TrackPresetCaption(int32_t width, TDisplayUnit unit, TLanguage language);
std::string PairPresetCaption(int32_t a, int32_t b, TDisplayUnit unit, TLanguage language);
// Whether a track-width entry counts as the current width.
bool TrackPresetMatches(int32_t entry, int32_t current, TDisplayUnit unit);
// Inserted in order (pairs by first, then second value); returns false when
// an equal entry is already there.
bool AddTrackPreset(std::vector<int32_t>& list, int32_t width);
bool AddPadPreset(std::vector<TPadSizePreset>& list, TPadSizePreset p);
bool AddSmdPreset(std::vector<TSmdSizePreset>& list, TSmdSizePreset p);

// ---- sizes and the selection ----

enum class TSizeField { TrackWidth, PadOuter, PadDrill, PadShape, SmdWidth, SmdHeight, Clearance };

// Applies a changed size field to every selected visible element it fits,
// recording undo first when any does.
TEditResult ApplySizeToSelection(TProject& project, TSizeField field, int32_t value);

// What the selected visible elements say about one field: nothing
// (no element contributes), one common value, or disagreement.
struct TFieldState {
  bool Contributes = false;
  bool Mixed = false;
  int32_t Value = 0;
};
struct TSelectionSizes {
  TFieldState TrackWidth, PadOuter, PadDrill, PadShape, SmdWidth, SmdHeight, Clearance;
  // Set when all selected pads share a shape: the Via of the last of them.
  std::optional<bool> ThroughPad;
};
TSelectionSizes SelectionSizes(const TBoard& board);

}  // namespace bs
