// Selecting, naming, removing what lies outside the board, and the
// solder-mask and through-pad switches of the active board.
#pragma once

#include <optional>

#include "edit/edit_types.h"
#include "model/objekt.h"
#include "project/project.h"

namespace bs {

inline constexpr const char* kNameCaption = "Name:";
inline constexpr const char* kSelectByNamePrefix = "Select: ";
inline constexpr const char* kResetSolderMaskQuestion =
    "This function will undo all manual changes to the solder mask,\nand reset the solder mask to "
    "default (all Pads and SMD-Pads).\n\nContinue?";
inline constexpr const char* kSolderMaskWasReset = "The solder mask was reset to its defaults.";

// Selects every element shown on screen. Returns whether any is selected.
bool SelectAll(TProject& project);

// The name the naming dialog starts with: that of the first selected
// element that has one (empty when none has).
TByteString FirstSelectedName(TProject& project);
// Gives every selected element the name without surrounding blanks; an
// empty name removes the names.
TEditResult NameSelection(TProject& project, const TByteString& name);

// The name the "Select: " entry offers: that of the element under the
// pointer, else that of the first selected named element; none disables it.
std::optional<TByteString> NameToSelect(TProject& project, const TObjekt* underPointer);
// Selects exactly the elements with the name. Returns how many there are.
size_t SelectByName(TProject& project, const TByteString& name);

// Deletes every unit whose bounding rectangle does not meet the board's
// working space (x 0 ... width, y -height ... 0; touching counts as meeting).
TEditResult DeleteOutsideBoard(TProject& project);

// The solder-mask tool: switches the element's solder-mask opening.
TEditResult ToggleSolderMask(TProject& project, TObjekt& e);

// "Through pad" on or off for the selected visible THT pads: on makes the
// pads on copper layers vias, off makes every one a plain pad.
TEditResult ApplyThroughPad(TProject& project, bool on);

// "Reset solder mask..." after the caller's kResetSolderMaskQuestion was
// confirmed: the defaults of new elements on every element of the board. No
// undo step; the project is marked changed. The caller confirms with
// kSolderMaskWasReset.
void ResetBoardSolderMask(TProject& project);

}  // namespace bs
