// Placing a macro on the active board (the drop of the macro library) and
// saving the board or its selection as a macro.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "edit/edit_types.h"
#include "io/macro_file.h"
#include "model/objekt.h"
#include "project/project.h"

namespace bs {

// The preview state and settings a drop depends on.
struct TMacroDrop {
  bool AddAsComponent = false;    // "Add as component": placed copies keep their component
  bool Vias = false;              // "Through-Pads (vias)": placed THT pads on copper become vias
  bool IdLabelVisible = true;     // BezSichtbarDefault: new components show their ID label
  bool ValueLabelVisible = true;  // WertSichtbarDefault: new components show their value label
  bool Top = true;                // board side of the preview: where new labels go (S1 or S2)
};

struct TMacroPlaced {
  TEditResult Edit;
  size_t First = 0;           // index of the first placed element in the board's list
  size_t Count = 0;           // number of placed elements (new labels included)
  int32_t GroupBase = 0;      // G: added to the macro's group numbers
  int32_t ComponentBase = 0;  // C: added to the macro's component numbers
  int32_t Group = 0;          // the new group joining the placed elements, 0 when none
  int32_t Component = 0;      // the component the placed elements became, 0 when none
  // With "Add as component" and one component at most: the caller opens the
  // component dialog on `Component`.
  bool OpenComponentDialog = false;
};

// Drops the macro (elements relative to its reference point) at `at` on the
// active board, recording one undo step:
// 1. G and C are the board's next free group and component numbers; the
//    board is deselected (one pass over the board).
// 2. Every macro element except hidden labels (Shown 0) is copied onto the
//    board, moved by `at`, shown and selected; G is added to each of its
//    group numbers; its component number becomes 0 without "Add as
//    component" (component labels then become plain texts) or is raised by
//    C when it is non-zero. With `Vias` every THT pad on a copper layer
//    becomes a via. The macro itself is left unchanged.
// 3. The placed elements join one new group unless they already form a
//    single group, a single component or a single element.
// 4. With "Add as component", unless they belong to more than one
//    component: missing ID and value labels are created (placed beside the
//    elements when both are new), all placed elements become one component
//    with their groups cleared, and the labels' visibility is preset from
//    `IdLabelVisible` and `ValueLabelVisible`.
TMacroPlaced PlaceMacro(TProject& project, const TObjektList& macro, TDPoint at, const TMacroDrop& drop);

using msg::kNoElementsOnBoard;
using msg::kSaveWholeLayout;

// Saves the active board's selected elements (all of them when nothing is
// selected and `wholeBoard` is set) as the macro file `path`, written from a
// cleaned-up copy: the board is never changed. Fails with kNoElementsOnBoard on an empty
// board; asks kSaveWholeLayout (NeedsConfirmation) when nothing is selected
// and `wholeBoard` is not set. A modified `loaded` macro is written back to
// its file first. Done means the file was written.
TEditResult SaveBoardAsMacro(TProject& project, const std::string& path, bool wholeBoard, const TByteString& text1 = {},
                             const TByteString& text2 = {}, TMacro* loaded = nullptr, size_t* written = nullptr);

// The grid rule of the reference point for a board.
TMacroGrid MacroGridOf(const TPlatine& board);

}  // namespace bs
