#include "tools/edit_tool.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "edit/pick.h"
#include "edit/undo.h"
#include "io/settings.h"
#include "model/codepage.h"
#include "model/objekt_list.h"
#include "render/painter.h"
#include "render/raster_surface.h"
#include "render/view.h"
#include "tools/tool_geometry.h"
#include "tools/tool_palette.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "view/overlay.h"

namespace bs::app {

namespace {
// The elements drawn as the drag preview into a transparent picture of the
// view's pixels in `area`. The board's own raster back-end draws them
// twice, opaque, on black and on white: where a pixel is covered by a,
// black shows a * colour and white a * colour + (1 - a) * 255, which gives
// the picture's alpha and its premultiplied colour; the preview's
// translucency is applied to both. Much faster than drawing many thousands
// of elements through QPainter.
QImage PreviewOverlay(const std::vector<TObjekt*>& moving, const TPlatine& board, QRect area,
                      const TPaintSettings& settings, bool antiAliased) {
  const std::vector<const TObjekt*> elements(moving.begin(), moving.end());
  TViewMap map = ViewMapOf(board);
  map.ScrollX += area.left();
  map.ScrollY += area.top();
  TRasterSurface onBlack(area.width(), area.height(), antiAliased), onWhite(area.width(), area.height(), antiAliased);
  onBlack.Clear(0x000000);
  onWhite.Clear(0xFFFFFF);
  // Drawn opaque (the fast way through the raster back-end), made
  // translucent here.
  DrawDragPreview(onBlack, elements, board, map, settings, false);
  DrawDragPreview(onWhite, elements, board, map, settings, false);
  const int translucency = DragPreviewAlpha(settings, antiAliased);
  QImage out(area.size(), QImage::Format_ARGB32_Premultiplied);
  const uint8_t* k = onBlack.Raster().Pixels.data();
  const uint8_t* w = onWhite.Raster().Pixels.data();
  for (int y = 0; y < area.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < area.width(); ++x, k += 4, w += 4) {
      const int a = std::clamp(255 - std::min({w[0] - k[0], w[1] - k[1], w[2] - k[2]}), 0, 255);
      auto scaled = [&](int v) { return (std::min(v, a) * translucency + 127) / 255; };
      row[x] = qRgba(scaled(k[0]), scaled(k[1]), scaled(k[2]), scaled(a));
    }
  }
  return out;
}

// The union of the elements' cull boxes: what they cover on screen.
TURect CullCover(const std::vector<TObjekt*>& elements) {
  TURect cover{1, 1, 0, 0};
  for (const TObjekt* e : elements) Unite(cover, CullBounds(*e));
  return cover;
}

// The box moved by a delta, grown to whole units.
TURect Shifted(const TURect& r, TDPoint d) {
  return {int32_t(std::floor(r.Left + d.X)), int32_t(std::floor(r.Top + d.Y)), int32_t(std::ceil(r.Right + d.X)),
          int32_t(std::ceil(r.Bottom + d.Y))};
}
}  // namespace

namespace {
TDPoint D(TFPoint p) { return {p.X, p.Y}; }
TFPoint F(TDPoint p) { return {float(p.X), float(p.Y)}; }
TDPoint Minus(TDPoint a, TDPoint b) { return {a.X - b.X, a.Y - b.Y}; }
TDPoint Plus(TDPoint a, TDPoint b) { return {a.X + b.X, a.Y + b.Y}; }
double Snapped(double v, double grid) { return grid > 0 ? grid * std::round(v / grid) : v; }
TDPoint GridSteps(TDPoint d, double grid) { return {Snapped(d.X, grid), Snapped(d.Y, grid)}; }
bool IsNodeKind(const TObjekt& e) { return e.Kind == kKindTrack || e.Kind == kKindZone; }

// The zero-point marker is a cross of 15 pixels each way.
constexpr int kMarkerArm = 15;
constexpr int kMarkerGrip = 3;
// Handles of segment midpoints are reported as this plus the segment.
constexpr int kMidpointHandle = 10000;

// The only selected element, or null.
TObjekt* OnlySelected(const TBoard& board) {
  TObjekt* only = nullptr;
  for (const auto& e : board.Elements) {
    if (!e->Selected) continue;
    if (only) return nullptr;
    only = e.get();
  }
  return only;
}
}  // namespace

TEditTool::TEditTool(TToolHost& host) : TTool(host) {}
TEditTool::~TEditTool() = default;

void TEditTool::Activate() { SetState(TState::Idle); }

void TEditTool::Deactivate() {
  if (state_ == TState::Moving || state_ == TState::Pressed) RestoreMoved();
  if ((state_ == TState::NodeDrag || state_ == TState::SegmentDrag || state_ == TState::AngleDrag ||
       state_ == TState::RadiusDrag) &&
      node_)
    EndNodeDrag();
  name_.clear();
  SetState(TState::Idle);
}

void TEditTool::SetState(TState s) {
  state_ = s;
  if (s == TState::Idle) {
    node_ = nullptr;
    moving_.clear();
    followers_.clear();
    followerTracks_.clear();
    followerCopies_.clear();
    preview_ = {};
    hidden_ = false;
    recorded_ = false;
    host_.ShowDragValues({});
  }
  host_.ShowHint(Hint());
  host_.ShowKeyPanel(KeyPanel());
}

QString TEditTool::Hint() const {
  switch (state_) {
    case TState::NodeDrag:
    case TState::SegmentDrag: return tr("EDIT:  Move the node; ALT = 45° corners, CTRL = free position");
    case TState::RubberBand: return tr("EDIT:  Draw a selection area; every element it touches is selected");
    default: return TToolPalette::Hint(kToolEdit);
  }
}

bool TEditTool::KeyPanel() const {
  return state_ == TState::Moving || state_ == TState::NodeDrag || state_ == TState::SegmentDrag ||
         state_ == TState::AngleDrag || state_ == TState::RadiusDrag;
}

QString TEditTool::Length(double units) const {
  return QString::fromStdString(FormatLength(units, -1, DisplayUnitOf(host_.Settings())));
}

void TEditTool::Invalidate(const TObjekt& e) { host_.BoardView().InvalidateArea(CullBounds(e)); }

void TEditTool::ClearSelection() {
  for (const auto& e : Board()->Elements)
    if (e->Selected) {
      Invalidate(*e);
      SetSelected(*e, false);
    }
}

bool TEditTool::OnZeroMarker(QPoint pixel) {
  const TPlatine& b = Board()->Platine;
  const QPointF z = PixelOf(b, {double(b.OriginX), double(b.OriginY)});
  const double dx = std::fabs(pixel.x() + 0.5 - (std::floor(z.x()) + 0.5));
  const double dy = std::fabs(pixel.y() + 0.5 - (std::floor(z.y()) + 0.5));
  return (dx <= kMarkerArm && dy <= kMarkerGrip) || (dy <= kMarkerArm && dx <= kMarkerGrip);
}

// ---- press ----

void TEditTool::Press(const TPointer& p) {
  TBoard* board = Board();
  if (!board) return;
  press_ = last_ = p;
  recorded_ = false;
  name_.clear();
  if (OnZeroMarker(p.Pixel)) {
    zeroAt_ = {double(board->Platine.OriginX), double(board->Platine.OriginY)};
    SetState(TState::ZeroDrag);
    DragZero(p);
    return;
  }
  TObjektList& list = board->Elements;
  const int index = PickElement(*board, p.Model, false, true);
  if (index < 0) {
    if (!p.Shift()) {
      ClearSelection();
      host_.SelectionChanged();
    }
    bandEnd_ = p.Model;
    SetState(TState::RubberBand);
    return;
  }
  TObjekt& e = *list[size_t(index)];
  const bool wasSelected = e.Selected != 0;
  // The only selected track, zone or circle: its handles first.
  if (wasSelected && !p.Shift() && OnlySelected(*board) == &e && (IsNodeKind(e) || e.Kind == kKindCircle)) {
    const int handle = NodeHitTest(e, p.Model, board->Platine.Zoom);
    if (handle >= 0) {
      StartNodeDrag(e, handle, p);
      return;
    }
  }
  if (p.Shift()) {
    Invalidate(e);
    if (wasSelected) DeselectWithPartners(list, e, p.Alt());
    else SelectWithPartners(list, e, p.Alt());
    for (TObjekt* partner : Partners(list, e)) Invalidate(*partner);
    host_.SelectionChanged();
  } else if (!wasSelected) {
    ClearSelection();
    SelectWithPartners(list, e, p.Alt());
    for (const auto& o : list)
      if (o->Selected) Invalidate(*o);
    host_.SelectionChanged();
  }
  if (!e.Selected) {
    SetState(TState::Idle);
    return;
  }
  reference_ = NearestSnapPoint(e, p.Model);
  if (reference_.X == -1 && reference_.Y == -1) reference_ = AnchorPoint(e);
  delta_ = {0, 0};
  SetState(TState::Pressed);
}

void TEditTool::StartNodeDrag(TObjekt& e, int handle, const TPointer& p) {
  node_ = &e;
  original_ = e.Points;
  inserted_ = false;
  if (e.Kind == kKindCircle) {
    handle_ = handle;
    originalAngles_[0] = e.StartAngle;
    originalAngles_[1] = e.StopAngle;
    originalSizes_[0] = e.SizeA;
    originalSizes_[1] = e.SizeB;
    startRadius_ = (double(e.SizeA) + e.SizeB) / 2;
    SetState(p.Alt() ? TState::RadiusDrag : TState::AngleDrag);
    return;
  }
  const size_t n = e.Points.size();
  if (handle >= kMidpointHandle) {
    segment_ = size_t(handle - kMidpointHandle);
    const TDPoint a = D(e.Points[segment_]), b = D(e.Points[(segment_ + 1) % n]);
    nodeStart_ = {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
    insert_ = !p.Alt();
    SetState(p.Alt() ? TState::SegmentDrag : TState::NodeDrag);
    return;
  }
  nodeIndex_ = size_t(handle);
  nodeStart_ = D(e.Points[nodeIndex_]);
  insert_ = false;
  SetState(TState::NodeDrag);
}

// ---- move ----

void TEditTool::Move(const TPointer& p) {
  if (!Board()) return;
  last_ = p;
  switch (state_) {
    case TState::Idle: Hover(p); break;
    case TState::RubberBand: bandEnd_ = p.Model; break;
    case TState::Pressed:
    case TState::Moving: DragMove(p); break;
    case TState::NodeDrag: DragNode(p); break;
    case TState::SegmentDrag: DragSegment(p); break;
    case TState::AngleDrag:
    case TState::RadiusDrag: DragCircle(p); break;
    case TState::ZeroDrag: DragZero(p); break;
  }
}

void TEditTool::Modifiers(Qt::KeyboardModifiers mods) {
  if (state_ == TState::Idle || state_ == TState::RubberBand) return;
  TPointer p = last_;
  p.Modifiers = mods;
  Move(p);
  host_.BoardView().RefreshOverlay();
}

void TEditTool::Hover(const TPointer& p) {
  TBoard* board = Board();
  QWidget* vp = host_.BoardView().viewport();
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (OnZeroMarker(p.Pixel)) {
    shape = Qt::OpenHandCursor;
  } else if (TObjekt* only = OnlySelected(*board); only && IsNodeKind(*only) && ShownOnScreen(*only, board->Platine)) {
    const int handle = NodeHitTest(*only, p.Model, board->Platine.Zoom);
    if (handle >= kMidpointHandle) shape = p.Alt() ? Qt::SizeAllCursor : Qt::CrossCursor;
    else if (handle >= 0) shape = Qt::CrossCursor;
  }
  if (vp->cursor().shape() != shape) vp->setCursor(shape);

  // The name of the element under the pointer; picking is left out while
  // no element has a name.
  name_.clear();
  if (!vp->rect().contains(p.Pixel)) return;
  if (std::none_of(board->Elements.begin(), board->Elements.end(), [](const auto& e) { return !e->Text2.empty(); }))
    return;
  const int index = PickElement(*board, p.Model, false, true);
  if (index < 0) return;
  const TObjekt& e = *board->Elements[size_t(index)];
  if (e.Text2.empty()) return;
  name_ = QString::fromStdString(Cp1251ToUtf8(e.Text2));
  nameRect_ = NameLabelRect(vp->size(), p.Pixel, name_);
}

void TEditTool::DragMove(const TPointer& p) {
  TBoard* board = Board();
  if (state_ == TState::Pressed) {
    // What moves and what follows, before the first change.
    moving_.clear();
    for (const auto& e : board->Elements)
      if (e->Selected) moving_.push_back(e.get());
    if (moving_.empty()) return;
    movingBounds_ = MovedBounds(*board, nullptr);
    const TPlatine& b = board->Platine;
    const bool larger = double(movingBounds_.Right) - movingBounds_.Left > b.Width ||
                        double(movingBounds_.Bottom) - movingBounds_.Top > b.Height;
    movingKeep_ = larger ? KeepTouchingRange(*board) : TDeltaRange{};
  }
  TMoveRequest r;
  r.Reference = reference_;
  r.Pointer = Minus(p.Model, press_.Model);
  if (movingBounds_.Left <= movingBounds_.Right) r.Bounds = movingBounds_;
  r.Keep = movingKeep_;
  r.Capture = CaptureOn(host_.Settings(), p);
  r.Ctrl = p.Ctrl();
  r.Skip = [](const TObjekt& e) { return e.Selected != 0; };
  const TMoveDelta d = MoveDelta(*board, r);
  if (state_ == TState::Pressed) {
    if (d.Delta.X == 0 && d.Delta.Y == 0) return;
    // The first real change: the moved elements leave the picture and are
    // drawn as a preview from now on, with the track ends that follow them.
    followers_ = SelectionFollowers();
    for (const TFollowVertex& f : followers_)
      if (std::find(followerTracks_.begin(), followerTracks_.end(), f.Track) == followerTracks_.end())
        followerTracks_.push_back(f.Track);
    for (TObjekt* t : followerTracks_) {
      followerCopies_.push_back(ScratchCopy(*t));
      followerCopies_.back()->Shown = 1;
    }
    ShowMoved(false);
    SetState(TState::Moving);
  }
  delta_ = d.Delta;
  // The following copies bend towards the delta.
  for (size_t k = 0; k < followerTracks_.size(); ++k) {
    TObjekt& copy = *followerCopies_[k];
    copy.Points = followerTracks_[k]->Points;
    for (const TFollowVertex& f : followers_)
      if (f.Track == followerTracks_[k]) copy.Points[f.Index] = F(Plus(D(copy.Points[f.Index]), delta_));
  }
  const TDPoint at = Plus(reference_, delta_);
  const auto unit = DisplayUnitOf(host_.Settings());
  host_.ShowDragValues(DragValuesText(CoordinateRows(board->Platine, at, reference_, unit)));
}

void TEditTool::FirstChange() {
  if (recorded_) return;
  RecordUndo(host_.Project());
  recorded_ = true;
}

void TEditTool::DragNode(const TPointer& p) {
  TBoard* board = Board();
  TObjekt& e = *node_;
  const TPlatine& b = board->Platine;
  TDPoint pos = Plus(p.Model, Minus(nodeStart_, press_.Model));
  const double moved = std::hypot(p.Pixel.x() - press_.Pixel.x(), p.Pixel.y() - press_.Pixel.y());
  const size_t n = e.Points.size();
  if (insert_ && moved < kInsertPixels) {
    pos = nodeStart_;
  } else {
    // The neighbours of the node (of the segment, before the insertion).
    std::optional<TDPoint> prev, next;
    if (insert_ && !inserted_) {
      prev = D(e.Points[segment_]);
      next = D(e.Points[(segment_ + 1) % n]);
    } else {
      if (nodeIndex_ > 0) prev = D(e.Points[nodeIndex_ - 1]);
      else if (e.Kind == kKindZone && n > 2) prev = D(e.Points[n - 1]);
      if (nodeIndex_ + 1 < n) next = D(e.Points[nodeIndex_ + 1]);
      else if (e.Kind == kKindZone && n > 2) next = D(e.Points[0]);
    }
    const TObjekt* self = &e;
    const auto captured = CaptureOn(host_.Settings(), p)
                              ? CapturePoint(*board, pos, [self](const TObjekt& o) { return &o == self; })
                              : std::nullopt;
    if (captured) {
      pos = *captured;
    } else if (p.Alt()) {
      if (const auto corner = CornerSnap(pos, prev, next, p.Ctrl())) pos = *corner;
    } else if (!p.Ctrl()) {
      pos = insert_ ? SnapToGrid(pos, b.Grid, {double(b.OriginX), double(b.OriginY)})
                    : Plus(nodeStart_, GridSteps(Minus(pos, nodeStart_), b.Grid));
    }
  }
  const TDPoint now = insert_ && !inserted_ ? nodeStart_ : D(e.Points[nodeIndex_]);
  if (now.X == pos.X && now.Y == pos.Y) return;
  Invalidate(e);
  FirstChange();
  if (insert_ && !inserted_) {
    // The new vertex goes in after the segment's first vertex.
    nodeIndex_ = segment_ + 1;
    e.Points.insert(e.Points.begin() + long(nodeIndex_), F(nodeStart_));
    inserted_ = true;
  }
  e.Points[nodeIndex_] = F(pos);
  Invalidate(e);
  host_.NodeMoved();
  const auto unit = DisplayUnitOf(host_.Settings());
  host_.ShowDragValues(DragValuesText(CoordinateRows(b, pos, nodeStart_, unit)));
}

void TEditTool::DragSegment(const TPointer& p) {
  TBoard* board = Board();
  TObjekt& e = *node_;
  const size_t n = original_.size();
  TDPoint d = Minus(p.Model, press_.Model);
  if (!p.Ctrl()) d = GridSteps(d, board->Platine.Grid);
  const size_t i = segment_, j = (segment_ + 1) % n;
  const TFPoint a = F(Plus(D(original_[i]), d)), b = F(Plus(D(original_[j]), d));
  if (e.Points[i].X == a.X && e.Points[i].Y == a.Y && e.Points[j].X == b.X && e.Points[j].Y == b.Y) return;
  Invalidate(e);
  FirstChange();
  e.Points[i] = a;
  e.Points[j] = b;
  Invalidate(e);
  const auto unit = DisplayUnitOf(host_.Settings());
  host_.ShowDragValues(DragValuesText(CoordinateRows(board->Platine, Plus(nodeStart_, d), nodeStart_, unit)));
}

void TEditTool::DragCircle(const TPointer& p) {
  TBoard* board = Board();
  TObjekt& e = *node_;
  const TDPoint centre = D(e.Pos);
  float sizeA = e.SizeA, sizeB = e.SizeB;
  int32_t angles[2] = {e.StartAngle, e.StopAngle};
  if (state_ == TState::RadiusDrag) {
    const double distance = Distance(centre, p.Model);
    const double m = std::max(0.0, HandleRadius(startRadius_, distance, board->Platine.Grid, p.Ctrl()));
    const double w = host_.Settings().Sizes.Track;
    sizeA = float(m + w / 2);
    sizeB = float(std::max(0.0, m - w / 2));
  } else {
    angles[handle_] = HandleAngle(centre, p.Model, p.Ctrl());
  }
  if (sizeA == e.SizeA && sizeB == e.SizeB && angles[0] == e.StartAngle && angles[1] == e.StopAngle) return;
  Invalidate(e);
  FirstChange();
  e.SizeA = sizeA;
  e.SizeB = sizeB;
  e.StartAngle = angles[0];
  e.StopAngle = angles[1];
  Invalidate(e);
  auto degrees = [](int32_t a) { return QString::number(a / 1000.0, 'f', 2) + "°"; };
  host_.ShowDragValues(QString("%1 %2   %3 %4   %5 %6")
                           .arg(tr("Start:"), degrees(e.StartAngle), tr("Stop:"), degrees(e.StopAngle), tr("Diameter:"),
                                Length(double(e.SizeA) + e.SizeB)));
}

void TEditTool::DragZero(const TPointer& p) {
  const TPlatine& b = Board()->Platine;
  const TCursorPosition c = CursorPosition(*Board(), p.Model, CaptureOn(host_.Settings(), p), p.Ctrl());
  zeroAt_ = {std::clamp(c.At.X, 0.0, double(std::max(b.Width, 0))),
             std::clamp(c.At.Y, -double(std::max(b.Height, 0)), 0.0)};
  const auto unit = DisplayUnitOf(host_.Settings());
  host_.ShowDragValues(DragValuesText(CoordinateRows(b, zeroAt_, TDPoint{double(b.OriginX), double(b.OriginY)}, unit)));
}

// ---- release ----

void TEditTool::Release(const TPointer& p) {
  if (!Board()) return;
  last_ = p;
  switch (state_) {
    case TState::Idle: return;
    case TState::Pressed: SetState(TState::Idle); return;
    case TState::RubberBand:
      bandEnd_ = p.Model;
      SelectInBand();
      SetState(TState::Idle);
      return;
    case TState::Moving:
      Move(p);
      EndMove();
      return;
    case TState::NodeDrag:
    case TState::SegmentDrag:
    case TState::AngleDrag:
    case TState::RadiusDrag:
      Move(p);
      EndNodeDrag();
      return;
    case TState::ZeroDrag:
      DragZero(p);
      EndZeroDrag();
      return;
  }
}

void TEditTool::RestoreMoved() {
  if (hidden_) ShowMoved(true);
}

void TEditTool::ShowMoved(bool shown) {
  for (TObjekt* e : moving_) e->Shown = shown;
  for (TObjekt* t : followerTracks_) t->Shown = shown;
  InvalidateMoving();
  hidden_ = !shown;
}

void TEditTool::InvalidateMoving() {
  // One box for all: many small areas would cost more to collect than to
  // paint again.
  TURect cover = CullCover(moving_);
  Unite(cover, CullCover(followerTracks_));
  if (cover.Left <= cover.Right) host_.BoardView().InvalidateArea(cover);
}

TURect TEditTool::MovedBounds(const TBoard& board, TURect* cover) const {
  // What the selected elements cover on screen holds their outlines; only
  // those reaching furthest are measured exactly.
  std::vector<const TObjekt*> selected;
  std::vector<TURect> covers;
  TURect all{1, 1, 0, 0};
  for (const auto& e : board.Elements)
    if (e->Selected) {
      selected.push_back(e.get());
      covers.push_back(CullBounds(*e));
      Unite(all, covers.back());
    }
  if (cover) *cover = all;
  return OutlineBoundsWithin(selected, covers, WithoutSpokes(board.Platine));
}

std::vector<TFollowVertex> TEditTool::SelectionFollowers() {
  TBoard* board = Board();
  return FollowingVertices(board->Elements, host_.Settings().Options.Gummiband, board->Platine.Multilayer != 0,
                           [](const TObjekt& e) { return e.Selected != 0; });
}

void TEditTool::EndMove() {
  const TDPoint d = delta_;
  const bool moved = d.X != 0 || d.Y != 0;
  if (moved) RecordUndo(host_.Project());
  RestoreMoved();  // where they were
  if (moved) {
    for (TObjekt* e : moving_) MoveObjekt(*e, d.X, d.Y);
    for (const TFollowVertex& f : followers_) f.Track->Points[f.Index] = F(Plus(D(f.Track->Points[f.Index]), d));
    InvalidateMoving();
  }
  SetState(TState::Idle);
  if (moved) host_.BoardEdited();
}

void TEditTool::EndNodeDrag() {
  TBoard* board = Board();
  TObjekt& e = *node_;
  Invalidate(e);
  bool changed = false;
  if (e.Kind == kKindCircle) {
    changed = e.StartAngle != originalAngles_[0] || e.StopAngle != originalAngles_[1] || e.SizeA != originalSizes_[0] ||
              e.SizeB != originalSizes_[1];
  } else {
    // A vertex inserted on a midpoint that ends where it started goes again.
    if (inserted_ && nodeIndex_ < e.Points.size() && D(e.Points[nodeIndex_]).X == nodeStart_.X &&
        D(e.Points[nodeIndex_]).Y == nodeStart_.Y)
      e.Points.erase(e.Points.begin() + long(nodeIndex_));
    if (recorded_)
      NormalisePointList(e, board->Elements, host_.Settings().Options.TracksOptimieren, board->Platine.Multilayer != 0);
    changed = e.Points.size() != original_.size() ||
              !std::equal(e.Points.begin(), e.Points.end(), original_.begin(),
                          [](TFPoint a, TFPoint b) { return a.X == b.X && a.Y == b.Y; });
  }
  Invalidate(e);
  if (recorded_ && !changed) DiscardLastUndo(host_.Project());
  const bool edited = recorded_ && changed;
  SetState(TState::Idle);
  if (edited) host_.BoardEdited();
}

void TEditTool::EndZeroDrag() {
  TBoard* board = Board();
  TPlatine& b = board->Platine;
  const TIPoint at{int32_t(std::lround(zeroAt_.X)), int32_t(std::lround(zeroAt_.Y))};
  SetState(TState::Idle);
  if (at.X == b.OriginX && at.Y == b.OriginY) return;
  RecordUndo(host_.Project());
  SetZeroPoint(b, at);
  host_.BoardView().Refresh();  // the grid and the rulers start from it
  host_.BoardEdited();
}

void TEditTool::SelectInBand() {
  TBoard* board = Board();
  const QRect r = BandRect();
  if (r.width() < 2 && r.height() < 2) return;
  bool any = false;
  for (const auto& e : board->Elements) {
    if (e->Selected || !ShownOnScreen(*e, board->Platine)) continue;
    if (!RectTouchesElement(*e, *board, press_.Model, bandEnd_)) continue;
    SelectWithPartners(board->Elements, *e, last_.Alt());
    any = true;
  }
  if (!any) return;
  for (const auto& e : board->Elements)
    if (e->Selected) Invalidate(*e);
  host_.SelectionChanged();
}

// ---- right button, double-click, keys ----

void TEditTool::RightClick(const TPointer& p) {
  TBoard* board = Board();
  if (!board || state_ != TState::Idle) return;
  TObjektList& list = board->Elements;
  const int index = PickElement(*board, p.Model, false, true);
  TObjekt* under = index >= 0 ? list[size_t(index)].get() : nullptr;
  if (under && !under->Selected) {
    ClearSelection();
    SelectWithPartners(list, *under, p.Alt());
    for (const auto& e : list)
      if (e->Selected) Invalidate(*e);
    host_.SelectionChanged();
  }
  const QPoint global = host_.BoardView().viewport()->mapToGlobal(p.Pixel);
  if (TObjekt* only = OnlySelected(*board); only && IsNodeKind(*only)) {
    const int handle = NodeHitTest(*only, p.Model, board->Platine.Zoom);
    if (handle >= 0 && handle < kMidpointHandle) {
      host_.NodeMenu(global, *only, size_t(handle));
      return;
    }
  }
  host_.ElementMenu(global, under, p.Model);
}

void TEditTool::DoubleClick(const TPointer& p) {
  TBoard* board = Board();
  if (!board || state_ != TState::Idle) return;
  const int index = PickElement(*board, p.Model, false, true);
  if (index >= 0) host_.ElementDoubleClicked(*board->Elements[size_t(index)]);
}

bool TEditTool::Key(const QKeyEvent& key, bool pressed) {
  if (!pressed || !Board() || state_ != TState::Idle) return false;
  const double g = Board()->Platine.Grid * ((key.modifiers() & Qt::ControlModifier) ? 0.1 : 1);
  switch (key.key()) {
    case Qt::Key_Delete: host_.DeleteSelection(); return true;
    case Qt::Key_Left: MoveSelection(-g, 0); return true;
    case Qt::Key_Right: MoveSelection(g, 0); return true;
    case Qt::Key_Up: MoveSelection(0, g); return true;
    case Qt::Key_Down: MoveSelection(0, -g); return true;
    default: return false;
  }
}

bool TEditTool::MoveSelection(double dx, double dy) {
  TBoard* board = Board();
  if (!board || !AnySelected(board->Elements)) return false;
  const TPlatine& p = board->Platine;
  TURect cover;
  const TURect bounds = MovedBounds(*board, &cover);
  TDPoint d{dx, dy};
  // The cover holds the outlines: when it stays on the board the move needs
  // no limit.
  const bool staysInside = cover.Left <= cover.Right && cover.Left + dx >= 0 && cover.Right + dx <= p.Width &&
                           cover.Top + dy >= -double(p.Height) && cover.Bottom + dy <= 0;
  if (!staysInside && bounds.Left <= bounds.Right) {
    const bool larger = double(bounds.Right) - bounds.Left > p.Width || double(bounds.Bottom) - bounds.Top > p.Height;
    d = LimitToBoard(d, bounds, p, true, larger ? KeepTouchingRange(*board) : TDeltaRange{});
  }
  if (d.X == 0 && d.Y == 0) return false;
  RecordUndo(host_.Project());
  const auto followers = SelectionFollowers();
  for (const TFollowVertex& f : followers) Invalidate(*f.Track);
  host_.BoardView().InvalidateArea(cover);
  for (const auto& e : board->Elements)
    if (e->Selected) MoveObjekt(*e, d.X, d.Y);
  host_.BoardView().InvalidateArea(Shifted(cover, d));
  for (const TFollowVertex& f : followers) {
    f.Track->Points[f.Index] = F(Plus(D(f.Track->Points[f.Index]), d));
    Invalidate(*f.Track);
  }
  host_.BoardEdited();
  return true;
}

// ---- overlay ----

QRect TEditTool::BandRect() const {
  const TBoard* board = host_.BoardView().Board();
  if (!board) return {};
  const QPointF a = PixelOf(board->Platine, press_.Model), b = PixelOf(board->Platine, bandEnd_);
  auto px = [](double v) { return int(std::lround(std::clamp(v, -1e6, 1e6))); };
  return QRect(QPoint(px(a.x()), px(a.y())), QPoint(px(b.x()), px(b.y()))).normalized();
}

std::vector<const TObjekt*> TEditTool::Followers() const {
  std::vector<const TObjekt*> out;
  for (const auto& c : followerCopies_) out.push_back(c.get());
  return out;
}

const TEditTool::TPreviewPicture& TEditTool::PreviewPicture() const {
  TBoardView& view = host_.BoardView();
  const TPlatine& b = view.Board()->Platine;
  if (preview_.Zoom == b.Zoom) return preview_;
  // Where the moved elements are on screen, within a view's size around
  // the view (further than a drag takes them in one go).
  const TURect cover = CullCover(moving_);
  const QSize size = view.viewport()->size();
  QRect area = QRect(-size.width(), -size.height(), 3 * size.width(), 3 * size.height());
  if (cover.Left <= cover.Right) {
    const TDPoint a = ModelToPixel(b, {double(cover.Left), double(cover.Bottom)});
    const TDPoint c = ModelToPixel(b, {double(cover.Right), double(cover.Top)});
    auto px = [](double v) { return int(std::clamp(v, -1e6, 1e6)); };
    area &= QRect(QPoint(px(std::floor(a.X)) - 2, px(std::floor(a.Y)) - 2),
                  QPoint(px(std::ceil(c.X)) + 2, px(std::ceil(c.Y)) + 2));
  } else {
    area = {};
  }
  preview_ = {};
  preview_.Zoom = b.Zoom;
  if (area.isEmpty()) return preview_;
  preview_.Anchor = PixelToModel(b, {double(area.left()), double(area.top())});
  preview_.Image = PreviewOverlay(moving_, b, area, view.Settings(), view.AntiAliased());
  return preview_;
}

QPoint TEditTool::PreviewPictureAt() const {
  const TPlatine& b = host_.BoardView().Board()->Platine;
  const TDPoint at = ModelToPixel(b, Plus(preview_.Anchor, delta_));
  return QPoint(int(std::lround(at.X)), int(std::lround(at.Y)));
}

TCursorMark TEditTool::ZeroMark() const {
  // The crosshair at the new place, with a line and a circle from the
  // current zero point and a ring at the cursor.
  const TPlatine& b = host_.BoardView().Board()->Platine;
  const TDPoint origin{double(b.OriginX), double(b.OriginY)};
  TCursorMark m = CursorMarkAt(host_, zeroAt_, false);
  m.Cross.From = PixelOf(b, origin);
  m.Cross.Ring = true;
  m.Rows = CoordinateRows(b, zeroAt_, origin, DisplayUnitOf(host_.Settings()));
  return m;
}

void TEditTool::Paint(QPainter& p) const {
  TBoardView& view = host_.BoardView();
  const TBoard* board = view.Board();
  if (!board) return;
  switch (state_) {
    case TState::RubberBand: PaintRubberBand(p, BandRect(), view.Settings().Scheme); break;
    case TState::Moving:
      if (!PreviewPicture().Image.isNull()) p.drawImage(PreviewPictureAt(), preview_.Image);
      PaintDragPreview(p, view.viewport()->size(), Followers(), board->Platine, delta_, view.Settings(),
                       view.AntiAliased());
      break;
    case TState::ZeroDrag: ZeroMark().Paint(p); break;
    case TState::Idle:
      if (!name_.isEmpty()) PaintNameLabel(p, nameRect_, name_);
      break;
    default: break;
  }
}

QRegion TEditTool::OverlayRegion() const {
  TBoardView& view = host_.BoardView();
  const TBoard* board = view.Board();
  if (!board) return {};
  switch (state_) {
    case TState::RubberBand: return FrameRegion(BandRect());
    case TState::Moving: {
      QRegion r = DragPreviewRegion(view.viewport()->size(), Followers(), board->Platine, delta_);
      if (!PreviewPicture().Image.isNull())
        r += QRect(PreviewPictureAt(), preview_.Image.size()) & view.viewport()->rect();
      return r;
    }
    case TState::ZeroDrag: return ZeroMark().Region();
    case TState::Idle: return name_.isEmpty() ? QRegion() : QRegion(nameRect_);
    default: return {};
  }
}

}  // namespace bs::app
