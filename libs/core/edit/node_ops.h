// The node commands of a single track or zone: remove, add and snap
// vertices, split a track at a vertex and join it with another track.
#pragma once

#include <cstddef>

#include "edit/edit_types.h"
#include "model/objekt.h"
#include "project/project.h"

namespace bs {

inline constexpr const char* kTracksJoined = "The tracks were joined.";
inline constexpr const char* kNoAdjacentTrack = "There is no adjacent track at this node.";

// How far (units) a track end may lie from the chosen vertex to be joined.
inline constexpr double kJoinDistance = 2000;

// Which entries the node menu of vertex `node` enables.
struct TNodeMenu {
  bool RemoveNode = false;  // a track keeps at least 2 vertices, a zone 3
  bool AddNode = false;
  bool SnapNode = false;
  bool SnapAllNodes = false;
  bool SplitTrack = false;  // inner vertices of a track
  bool JoinTracks = false;  // first or last vertex of a track
};
TNodeMenu NodeMenuState(const TObjekt& e, size_t node);

// Every command takes a track or zone of the active board and a vertex
// index; anything else fails without a change. Each records one undo step
// when it changes the element.

TEditResult RemoveNode(TProject& project, TObjekt& e, size_t node);
// Inserts a vertex before `node`, halfway to the previous vertex (254 units
// left of and above the first vertex), snapped to the grid.
TEditResult AddNode(TProject& project, TObjekt& e, size_t node);
TEditResult SnapNodeToGrid(TProject& project, TObjekt& e, size_t node);
TEditResult SnapAllNodesToGrid(TProject& project, TObjekt& e);
// Splits a track at an inner vertex: the track keeps the vertices up to the
// chosen one; a new track of the same width, layer, clearance and cut-out
// flag, appended to the board, runs from the last vertex back to the chosen
// one.
TEditResult SplitTrack(TProject& project, TObjekt& e, size_t node);
// Joins the track at its first or last vertex with the first other track on
// its layer whose first or last vertex lies within kJoinDistance: the chosen
// vertex moves onto that end, the other track's vertices continue the path
// and the other track is deleted; the result is tidied. Reports kTracksJoined,
// or fails with kNoAdjacentTrack.
TEditResult JoinTracks(TProject& project, TObjekt& e, size_t node, const TEditOptions& options);

}  // namespace bs
