#include "edit/node_ops.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "edit/undo.h"
#include "model/geometry.h"
#include "model/objekt_list.h"

namespace bs {

namespace {

bool IsPolyline(const TObjekt& e) { return e.Kind == kKindTrack || e.Kind == kKindZone; }

bool OnBoard(const TBoard& board, const TObjekt& e) { return Holds(board.Elements, &e); }

// The active board when `e` is one of its tracks or zones and `node` one of
// its vertices; null otherwise.
TBoard* NodeBoard(TProject& project, const TObjekt& e, size_t node) {
  TBoard* board = project.Active();
  if (!board || !IsPolyline(e) || node >= e.Points.size() || !OnBoard(*board, e)) return nullptr;
  return board;
}

TEditResult Failed(const std::string& message) {
  TEditResult r;
  r.Status = TEditStatus::Failed;
  r.Message = message;
  return r;
}

constexpr const char* kNotANode = "The node does not exist.";

TEditResult Done(const std::string& message = {}) {
  TEditResult r;
  r.Status = TEditStatus::Done;
  r.Message = message;
  return r;
}

TFPoint OnGrid(const TPlatine& board, TFPoint p) {
  const TDPoint s = SnapToGrid({p.X, p.Y}, board.Grid, {double(board.OriginX), double(board.OriginY)});
  return {static_cast<float>(s.X), static_cast<float>(s.Y)};
}

}  // namespace

TNodeMenu NodeMenuState(const TObjekt& e, size_t node) {
  TNodeMenu m;
  const size_t n = e.Points.size();
  if (!IsPolyline(e) || node >= n) return m;
  const bool track = e.Kind == kKindTrack;
  m.RemoveNode = n > (track ? 2u : 3u);
  m.AddNode = m.SnapNode = m.SnapAllNodes = true;
  m.SplitTrack = track && node > 0 && node + 1 < n;
  m.JoinTracks = track && (node == 0 || node + 1 == n);
  return m;
}

TEditResult RemoveNode(TProject& project, TObjekt& e, size_t node) {
  if (!NodeBoard(project, e, node)) return Failed(kNotANode);
  if (!NodeMenuState(e, node).RemoveNode) return {};
  RecordUndo(project);
  e.Points.erase(e.Points.begin() + static_cast<std::ptrdiff_t>(node));
  return Done();
}

TEditResult AddNode(TProject& project, TObjekt& e, size_t node) {
  TBoard* board = NodeBoard(project, e, node);
  if (!board) return Failed(kNotANode);
  const TFPoint at = e.Points[node];
  TFPoint p{at.X - 254, at.Y + 254};
  if (node > 0) {
    const TFPoint prev = e.Points[node - 1];
    p = {static_cast<float>((double(prev.X) + at.X) / 2), static_cast<float>((double(prev.Y) + at.Y) / 2)};
  }
  RecordUndo(project);
  e.Points.insert(e.Points.begin() + static_cast<std::ptrdiff_t>(node), OnGrid(board->Platine, p));
  return Done();
}

TEditResult SnapNodeToGrid(TProject& project, TObjekt& e, size_t node) {
  TBoard* board = NodeBoard(project, e, node);
  if (!board) return Failed(kNotANode);
  const TFPoint to = OnGrid(board->Platine, e.Points[node]);
  if (to == e.Points[node]) return {};
  RecordUndo(project);
  e.Points[node] = to;
  return Done();
}

TEditResult SnapAllNodesToGrid(TProject& project, TObjekt& e) {
  TBoard* board = NodeBoard(project, e, 0);
  if (!board) return Failed(kNotANode);
  TPointList snapped = e.Points;
  for (TFPoint& p : snapped) p = OnGrid(board->Platine, p);
  if (snapped == e.Points) return {};
  RecordUndo(project);
  e.Points = std::move(snapped);
  return Done();
}

TEditResult SplitTrack(TProject& project, TObjekt& e, size_t node) {
  TBoard* board = NodeBoard(project, e, node);
  if (!board) return Failed(kNotANode);
  if (!NodeMenuState(e, node).SplitTrack) return {};
  RecordUndo(project);
  auto part = NewObjekt();
  InitTrack(*part, e.Width, e.Layer);
  part->Cutout = e.Cutout;
  part->Clearance = e.Clearance;
  part->Points.assign(e.Points.rbegin(), e.Points.rend() - static_cast<std::ptrdiff_t>(node));
  e.Points.resize(node + 1);
  board->Elements.push_back(std::move(part));
  return Done();
}

TEditResult JoinTracks(TProject& project, TObjekt& e, size_t node, const TEditOptions& options) {
  TBoard* board = NodeBoard(project, e, node);
  if (!board) return Failed(kNotANode);
  if (!NodeMenuState(e, node).JoinTracks) return {};
  const bool atStart = node == 0;
  const TDPoint v{e.Points[node].X, e.Points[node].Y};
  auto near = [&](TFPoint p) { return Distance(v, {p.X, p.Y}) <= kJoinDistance; };
  TObjekt* other = nullptr;
  bool otherAtStart = false;
  for (const auto& o : board->Elements) {
    if (o.get() == &e || o->Kind != kKindTrack || o->Layer != e.Layer || o->Points.empty()) continue;
    if (near(o->Points.front()) || near(o->Points.back())) {
      other = o.get();
      otherAtStart = near(o->Points.front());
      break;
    }
  }
  if (!other) return Failed(kNoAdjacentTrack);
  RecordUndo(project);
  // The other track's vertices in path order, starting at the end that meets.
  TPointList path = other->Points;
  if (!otherAtStart) std::reverse(path.begin(), path.end());
  e.Points[node] = path.front();
  if (atStart) e.Points.insert(e.Points.begin(), path.rbegin(), std::prev(path.rend()));
  else e.Points.insert(e.Points.end(), std::next(path.begin()), path.end());
  DeleteObjekte(board->Elements, [other](const TObjekt& o) { return &o == other; });
  NormalisePointList(e, board->Elements, options.OptimiseTracks, board->Platine.Multilayer != 0);
  return Done(kTracksJoined);
}

}  // namespace bs
