#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace bs {

namespace {

constexpr int kEdgeScrollMargin = 8;

TDPoint Origin(const TPlatine& board) { return {double(board.OriginX), double(board.OriginY)}; }

// The model point under a pixel, written as (x, -y).
TDPoint CentreAt(const TPlatine& board, TDPoint pixel) {
  const TDPoint m = PixelToModel(board, pixel);
  return {m.X, -m.Y};
}

// A centre (x, -y) moved onto the board.
TDPoint ClampToBoard(const TPlatine& board, TDPoint c) {
  return {std::clamp(c.X, 0.0, double(std::max(board.Width, 0))),
          std::clamp(c.Y, 0.0, double(std::max(board.Height, 0)))};
}

TDPoint RectCentre(const TURect& r) { return {(double(r.Left) + r.Right) / 2, -(double(r.Top) + r.Bottom) / 2}; }

void DeselectLayer(TObjektList& elements, int layer) {
  for (const auto& e : elements) {
    if (e->Layer != layer) continue;
    e->Selected = 0;
    if (e->Kind == kKindText)
      for (const auto& s : e->SubElements) s->Selected = 0;
  }
}

bool ValidLayer(int layer) { return layer >= 1 && layer <= kLayerCount; }

}  // namespace

// ---- mapping ----

TDPoint ModelToPixel(const TPlatine& board, TDPoint model) {
  return {model.X * board.Zoom - board.ScrollX, -model.Y * board.Zoom - board.ScrollY};
}

TDPoint PixelToModel(const TPlatine& board, TDPoint pixel, bool snap) {
  const TDPoint m = ScreenToModel({pixel.X + board.ScrollX, pixel.Y + board.ScrollY}, board.Zoom);
  return snap ? SnapToGrid(m, board.Grid, Origin(board)) : m;
}

TPixelSize SurfaceSize(const TPlatine& board) {
  return {RoundInt(board.Width * board.Zoom + 1), RoundInt(board.Height * board.Zoom + 1)};
}

void ClampScroll(TPlatine& board, TViewport vp) {
  const TPixelSize s = SurfaceSize(board);
  board.ScrollX = std::clamp(board.ScrollX, 0, std::max(0, s.Width - vp.Width));
  board.ScrollY = std::clamp(board.ScrollY, 0, std::max(0, s.Height - vp.Height));
}

bool ScrollBy(TPlatine& board, TViewport vp, int dx, int dy) {
  const int32_t x = board.ScrollX, y = board.ScrollY;
  board.ScrollX += dx;
  board.ScrollY += dy;
  ClampScroll(board, vp);
  return board.ScrollX != x || board.ScrollY != y;
}

int ScrollStep(int clientSize) { return std::max(1, clientSize / 16); }

TPixelOffset EdgeScrollDelta(const TPlatine& board, TViewport vp, TDPoint pointer) {
  const TPixelSize s = SurfaceSize(board);
  TPixelOffset d;
  if (pointer.X < kEdgeScrollMargin && board.ScrollX > 0) d.X = -ScrollStep(vp.Width);
  else if (pointer.X >= vp.Width - kEdgeScrollMargin && board.ScrollX < s.Width - vp.Width) d.X = ScrollStep(vp.Width);
  if (pointer.Y < kEdgeScrollMargin && board.ScrollY > 0) d.Y = -ScrollStep(vp.Height);
  else if (pointer.Y >= vp.Height - kEdgeScrollMargin && board.ScrollY < s.Height - vp.Height)
    d.Y = ScrollStep(vp.Height);
  return d;
}

// ---- zoom ----

double NormaliseZoom(double zoom) {
  const double z = std::round(zoom * 100000) / 100000;
  if (!(z >= kMinZoom)) return kMinZoom;  // also catches NaN
  return std::min(z, kMaxZoom);
}

TDPoint ViewCentre(const TPlatine& board, TViewport vp) { return CentreAt(board, {vp.Width / 2.0, vp.Height / 2.0}); }

void SetZoom(TPlatine& board, TViewport vp, std::optional<TDPoint> centre, double zoom) {
  const TDPoint c = centre ? *centre : ViewCentre(board, vp);
  board.Zoom = NormaliseZoom(zoom);
  board.ScrollX = RoundInt(board.Zoom * (c.X - vp.Width / 2.0 / board.Zoom));
  board.ScrollY = RoundInt(board.Zoom * (c.Y - vp.Height / 2.0 / board.Zoom));
  ClampScroll(board, vp);
}

void PushZoomHistory(TZoomHistory& history, const TPlatine& board) {
  history.push_back({board.ScrollX, board.ScrollY, board.Zoom});
}

bool ZoomPrevious(TPlatine& board, TZoomHistory& history, TViewport vp) {
  if (history.empty()) return false;
  const TZoomRecord r = history.back();
  history.pop_back();
  SetZoom(board, vp, std::nullopt, r.Zoom);
  board.ScrollX = r.ScrollX;
  board.ScrollY = r.ScrollY;
  ClampScroll(board, vp);
  return true;
}

std::optional<TDPoint> WheelZoom(TPlatine& board, TViewport vp, TDPoint cursor, bool zoomIn) {
  if (zoomIn ? board.Zoom >= kMaxZoom : board.Zoom <= kWheelZoomOutLimit) return std::nullopt;
  TDPoint c = CentreAt(board, cursor);
  if (zoomIn) c = ClampToBoard(board, c);
  SetZoom(board, vp, c, zoomIn ? board.Zoom * kWheelZoomFactor : board.Zoom / kWheelZoomFactor);
  return ModelToPixel(board, {c.X, -c.Y});
}

void ZoomToolClick(TPlatine& board, TZoomHistory& history, TViewport vp, TDPoint pixel) {
  PushZoomHistory(history, board);
  SetZoom(board, vp, ClampToBoard(board, CentreAt(board, pixel)), board.Zoom * kClickZoomFactor);
}

void ZoomToolRectangle(TPlatine& board, TZoomHistory& history, TViewport vp, TDPoint from, TDPoint to) {
  const double w = std::abs(to.X - from.X), h = std::abs(to.Y - from.Y);
  if (!(w > kZoomRectMinPixels && h > kZoomRectMinPixels)) {
    ZoomToolClick(board, history, vp, from);
    return;
  }
  PushZoomHistory(history, board);
  const TDPoint c = CentreAt(board, {(from.X + to.X) / 2, (from.Y + to.Y) / 2});
  // The rectangle is w / Zoom units wide, so vw / (w / Zoom) fits it in.
  const double zoom = board.Zoom * std::min(vp.Width / w, vp.Height / h);
  SetZoom(board, vp, c, zoom);
}

void ZoomStep(TPlatine& board, TZoomHistory& history, TViewport vp, bool zoomIn) {
  PushZoomHistory(history, board);
  SetZoom(board, vp, std::nullopt, zoomIn ? board.Zoom * kClickZoomFactor : board.Zoom / kClickZoomFactor);
}

bool ZoomBoard(TPlatine& board, TZoomHistory& history, TViewport vp) {
  if (board.Width <= 0 || board.Height <= 0) return false;
  PushZoomHistory(history, board);
  SetZoom(board, vp, std::nullopt, std::min((vp.Width - 10.0) / board.Width, (vp.Height - 10.0) / board.Height));
  return true;
}

bool ZoomObjects(TPlatine& board, TZoomHistory& history, TViewport vp, const TURect& all) {
  const double w = double(all.Right) - all.Left, h = double(all.Bottom) - all.Top;
  if (w < 50 || h < 50) return false;
  PushZoomHistory(history, board);
  SetZoom(board, vp, RectCentre(all), std::min((vp.Width - 20.0) / w, (vp.Height - 20.0) / h));
  return true;
}

bool ZoomSelection(TPlatine& board, TZoomHistory& history, TViewport vp, const TURect& selection, const TURect& all,
                   double fill) {
  const double w = double(selection.Right) - selection.Left;
  const double h = double(selection.Bottom) - selection.Top;
  if (w < 10 || h < 10) return false;
  // Enlarged so that the selection fills `fill` % of the view, but not
  // beyond the elements: there is nothing to see there.
  const double cx = (double(selection.Left) + selection.Right) / 2;
  const double cy = (double(selection.Top) + selection.Bottom) / 2;
  const double share = std::clamp(fill, 1.0, 100.0);
  const double hw = w * 100 / share / 2, hh = h * 100 / share / 2;
  const double left = std::max(cx - hw, double(all.Left));
  const double right = std::min(cx + hw, double(all.Right));
  const double top = std::max(cy - hh, double(all.Top));
  const double bottom = std::min(cy + hh, double(all.Bottom));
  const double ew = std::max(right - left, w), eh = std::max(bottom - top, h);
  PushZoomHistory(history, board);
  SetZoom(board, vp, RectCentre(selection), std::min((vp.Width - 20.0) / ew, (vp.Height - 20.0) / eh));
  return true;
}

// ---- board overview ----

TOverview OverviewGeometry(const TPlatine& board, TViewport vp) {
  TOverview o;
  const double longer = std::max(board.Width, board.Height);
  if (!(longer > 0) || !(board.Zoom > 0)) return o;
  o.Scale = longer / kOverviewSide;
  o.Width = board.Width / o.Scale;
  o.Height = board.Height / o.Scale;
  o.Left = (kOverviewAreaWidth - o.Width) / 2;
  o.Top = 0;
  o.FrameLeft = o.Left + board.ScrollX / board.Zoom / o.Scale;
  o.FrameTop = o.Top + board.ScrollY / board.Zoom / o.Scale;
  o.FrameWidth = vp.Width / board.Zoom / o.Scale;
  o.FrameHeight = vp.Height / board.Zoom / o.Scale;
  return o;
}

void ScrollToOverviewFrame(TPlatine& board, TViewport vp, double frameLeft, double frameTop) {
  const TOverview o = OverviewGeometry(board, vp);
  if (!(o.Scale > 0)) return;
  const double x = std::clamp(frameLeft, o.Left, std::max(o.Left, o.Left + o.Width - o.FrameWidth));
  const double y = std::clamp(frameTop, o.Top, std::max(o.Top, o.Top + o.Height - o.FrameHeight));
  board.ScrollX = RoundInt((x - o.Left) * o.Scale * board.Zoom);
  board.ScrollY = RoundInt((y - o.Top) * o.Scale * board.Zoom);
  ClampScroll(board, vp);
}

// ---- layers ----

bool ToggleLayerVisible(TPlatine& board, TObjektList& elements, int layer) {
  if (!ValidLayer(layer)) return false;
  if (layer == board.ActiveLayer && board.LayerVisible[layer]) return false;
  board.LayerVisible[layer] = board.LayerVisible[layer] ? 0 : 1;
  DeselectLayer(elements, layer);
  return true;
}

bool SetActiveLayer(TPlatine& board, TObjektList& elements, int layer) {
  if (!ValidLayer(layer)) return false;
  bool changed = false;
  if (!board.LayerVisible[layer]) changed = ToggleLayerVisible(board, elements, layer);
  if (board.ActiveLayer != layer) {
    board.ActiveLayer = layer;
    changed = true;
  }
  return changed;
}

TPlatine WithAllLayersVisible(const TPlatine& board) {
  TPlatine b = board;
  for (int l = 1; l <= kLayerCount; ++l) b.LayerVisible[l] = 1;
  return b;
}

bool ElementVisible(const TObjekt& e, const TPlatine& board, bool realisticView) {
  return realisticView ? ShownOnScreen(e, WithAllLayersVisible(board)) : ShownOnScreen(e, board);
}

// ---- grid ----

void SetGrid(TPlatine& board, double units) {
  if (units > 0) board.Grid = units;
}

// ---- zero point ----

TIPoint ZeroPointTopLeft() { return {0, 0}; }

TIPoint ZeroPointBottomLeft(const TPlatine& board) { return {0, -board.Height}; }

TIPoint ZeroPointAt(const TPlatine& board, TDPoint model, bool ctrl) {
  const TDPoint p = ctrl ? model : SnapToGrid(model, board.Grid, Origin(board));
  return {RoundInt(p.X), RoundInt(p.Y)};
}

bool SetZeroPoint(TPlatine& board, TIPoint p) {
  if (board.OriginX == p.X && board.OriginY == p.Y) return false;
  board.OriginX = p.X;
  board.OriginY = p.Y;
  return true;
}

// ---- coordinate read-out ----

TCoordinateText CoordinateReadout(const TPlatine& board, TDPoint model, TDisplayUnit unit) {
  const int32_t x = RoundInt(model.X - board.OriginX);
  const int32_t y = std::abs(RoundInt(model.Y - board.OriginY));
  return {FormatLength(x, -1, unit), FormatLength(y, -1, unit)};
}

}  // namespace bs
