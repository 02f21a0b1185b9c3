// Operations on element lists: copying sets, deleting, partners, numbering,
// clean-up and selection.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "model/objekt.h"

namespace bs {

// Redirects the references of copied elements. The sources in `src` marked
// Copied were copied in list order and appended to `dst` starting at
// `firstIndex`. Connections and route links that point at a copied source
// are redirected to its copy; those that lead out of the copied set are
// dropped. Clears the Copied marks of `src` afterwards.
void RemapReferences(const TObjektList& src, TObjektList& dst, size_t firstIndex);

// Deep copy of a whole list whose references point inside the copy.
TObjektList CopyList(const TObjektList& src);

// Deletes the element at `index`: it leaves the Connections of every pad and
// the route links of every track, then it is freed.
void DeleteObjektAt(TObjektList& list, size_t index);

// Whether the list holds the element (callers that keep element pointers
// check them after undo or a board change replaced the elements).
bool Holds(const TObjektList& list, const TObjekt* e);
// Deletes that element as DeleteObjektAt does; false when the list does not hold it.
bool DeleteObjekt(TObjektList& list, const TObjekt* e);

// Deletes every element for which `doomed` returns true, with the same
// reference clean-up, in one pass. Returns the number deleted.
size_t DeleteObjekte(TObjektList& list, const std::function<bool(const TObjekt&)>& doomed);

// The element and every other element of the list with the same non-zero
// ComponentNo or the same positive innermost group number.
std::vector<TObjekt*> Partners(const TObjektList& list, TObjekt& e);

// All elements with ComponentNo = n.
std::vector<TObjekt*> ComponentMembers(const TObjektList& list, int n);

// 1 + the largest number in use, at least 2.
int32_t NextFreeComponentNo(const TObjektList& list);
// Group numbers at every depth count, so that a fresh number never equals an
// outer group number that ungrouping would later uncover.
int32_t NextFreeGroupNo(const TObjektList& list);

// Removes elements that cannot be drawn (tracks and zones with fewer than two
// points, kind or layer 0, texts without strokes), takes the via flag off THT
// pads on silkscreen layers and repairs circles whose inner radius exceeds the
// outer one. Returns whether anything was removed.
bool CleanUpList(TObjektList& list);

// Renumbers groups and components densely from 1, keeping their order.
void RenumberGroupsAndComponents(TObjektList& list);

// SolderMask back to the defaults of new elements: 1 for pads on copper
// layers, 0 for everything else.
void ResetSolderMask(TObjektList& list);

// Selects (or deselects) an element with its partners; `alone` (the Alt key)
// selects the element by itself. A hidden component label cannot be selected
// this way; a component label is always selected alone. Texts pass the state
// on to their strokes.
void SelectWithPartners(const TObjektList& list, TObjekt& e, bool alone);
void DeselectWithPartners(const TObjektList& list, TObjekt& e, bool alone);

}  // namespace bs
