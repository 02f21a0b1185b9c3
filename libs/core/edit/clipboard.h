// The clipboard commands: copy, cut, paste, duplicate and delete on the
// active board of a project.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit/edit_types.h"
#include "model/objekt.h"
#include "project/project.h"

namespace bs {

// The editor's clipboard. It outlives board switches and holds the copied
// elements in the project element encoding (u32 file magic + version, i32
// element count, the element blocks with their connections and route links),
// so that the window can also hand the bytes to the system clipboard.
struct TClipboard {
  std::vector<uint8_t> Bytes;
  bool Empty() const;
};

// The clipboard bytes of a list of elements; references leading out of the
// list are dropped.
std::vector<uint8_t> EncodeClipboard(const TObjektList& list);

// The elements of clipboard bytes, unselected. Bytes that are not a
// clipboard of this program fail with a message and leave `out` empty.
bool DecodeClipboard(const std::vector<uint8_t>& bytes, TObjektList& out, std::string& error);

inline constexpr const char* kClipboardUnreadable = "The clipboard holds no elements that can be pasted.";

// Copy: the clipboard is replaced by deep copies of the selected elements.
// Connections and route links among them are kept, those to elements left
// behind are dropped. A component that was not copied whole loses its
// membership in the copy, and its copied labels become ordinary texts.
// Returns the number of elements copied.
size_t CopySelection(TProject& project, TClipboard& clipboard);

// Delete: removes the selected elements except component labels (never
// deleted on their own); a component left with nothing but its labels loses
// the labels too. Pads leave the connection lists of their partners.
TEditResult DeleteSelection(TProject& project);

// Cut: copy, then delete.
TEditResult CutSelection(TProject& project, TClipboard& clipboard);

// Paste, first half: deselects the board and returns the clipboard's elements
// for the placement tool, which moves them by their reference point and calls
// PlaceElements on a click. Fails with a message on unreadable bytes.
struct TPrepared {
  TObjektList Elements;
  std::string Error;
};
TPrepared PreparePaste(TProject& project, const TClipboard& clipboard);

// Duplicate: copy, then paste.
TPrepared DuplicateSelection(TProject& project, TClipboard& clipboard);

// The point by which prepared elements follow the pointer.
TDPoint PreparedReferencePoint(const TObjektList& prepared, const TPlatine& board);

// Paste, second half: appends deep copies of the prepared elements moved by
// (dx, dy), selected and nothing else. Their group numbers are raised by the
// board's highest group number and their component numbers by its highest
// component number, so that they never merge with existing ones; references
// among them point at the new copies. Copies that form two or more units
// (outermost groups, components, loose elements) are joined in a new group.
// The prepared elements stay as they are, to be placed again.
TEditResult PlaceElements(TProject& project, const TObjektList& prepared, double dx, double dy);

// The paste of elements that come from elsewhere (a text or drill import, a
// macro): a paste of `elements` with their reference point (grid rule of the
// active board) moved to `at`, as a click of the placement tool does
// (PlaceElements: numbers raised, references kept, one new group for two
// or more units, one undo step). The elements stay as they are.
TEditResult PasteImported(TProject& project, const TObjektList& elements, TDPoint at);

}  // namespace bs
