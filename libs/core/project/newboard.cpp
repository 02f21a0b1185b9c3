#include "project/newboard.h"

#include <cmath>

#include "model/codepage.h"

namespace bs {

namespace {
std::string RangeError(const char* field, double value, double lo, double hi) {
  if (std::isfinite(value) && value >= lo && value <= hi) return {};
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s must lie between %g mm and %g mm.", field, lo, hi);
  return buf;
}
}  // namespace

TNewBoardLayout ComputeNewBoardLayout(const TNewBoardSpec& spec, bool originTopLeft) {
  TNewBoardLayout l;
  switch (spec.Kind) {
    case TNewBoardKind::Empty:
      l.Width = MmToUnits(spec.WidthMm);
      l.Height = MmToUnits(spec.HeightMm);
      l.OriginX = 0;
      l.OriginY = originTopLeft ? 0 : -l.Height;
      break;
    case TNewBoardKind::Rectangle:
      l.Margin = MmToUnits(spec.MarginMm);
      l.OutlineWidth = MmToUnits(spec.WidthMm);
      l.OutlineHeight = MmToUnits(spec.HeightMm);
      l.Width = l.OutlineWidth + 2 * l.Margin;
      l.Height = l.OutlineHeight + 2 * l.Margin;
      l.OriginX = l.Margin;
      l.OriginY = originTopLeft ? -l.Margin : -l.Margin - l.OutlineHeight;
      break;
    case TNewBoardKind::Round:
      l.Margin = MmToUnits(spec.MarginMm);
      l.OutlineWidth = l.OutlineHeight = MmToUnits(spec.DiameterMm);
      l.Width = l.Height = l.OutlineWidth + 2 * l.Margin;
      l.OriginX = l.Margin;
      l.OriginY = originTopLeft ? -l.Margin : -l.Margin - l.OutlineHeight;
      break;
  }
  l.WidthTooBig = l.Width > kMaxBoardSide;
  l.HeightTooBig = l.Height > kMaxBoardSide;
  return l;
}

std::string ValidateNewBoard(const TNewBoardSpec& spec) {
  std::string err;
  switch (spec.Kind) {
    case TNewBoardKind::Empty:
    case TNewBoardKind::Rectangle:
      err = RangeError("The width", spec.WidthMm, 1, 500);
      if (err.empty()) err = RangeError("The height", spec.HeightMm, 1, 500);
      if (err.empty() && spec.Kind == TNewBoardKind::Rectangle)
        err = RangeError("The distance", spec.MarginMm, 0, 500);
      break;
    case TNewBoardKind::Round:
      err = RangeError("The diameter", spec.DiameterMm, 1, 500);
      if (err.empty()) err = RangeError("The distance", spec.MarginMm, 0, 99.99);
      break;
  }
  if (!err.empty()) return err;
  const TNewBoardLayout l = ComputeNewBoardLayout(spec, false);
  if (l.WidthTooBig || l.HeightTooBig) return "The board is too big!";
  return {};
}

TBoard& AddNewBoard(TProject& project, const TNewBoardSpec& spec, bool originTopLeft) {
  const TNewBoardLayout l = ComputeNewBoardLayout(spec, originTopLeft);
  TBoard& board = AddBoard(project, spec.Name, l.Width, l.Height, originTopLeft);
  board.Platine.OriginX = l.OriginX;
  board.Platine.OriginY = l.OriginY;
  const float m = static_cast<float>(l.Margin);
  const float w = static_cast<float>(l.OutlineWidth), h = static_cast<float>(l.OutlineHeight);
  if (spec.Kind == TNewBoardKind::Rectangle) {
    auto track = NewObjekt();
    InitTrack(*track, 0, kLayerO);
    for (TFPoint p : {TFPoint{m, -m}, TFPoint{m + w, -m}, TFPoint{m + w, -m - h},
                      TFPoint{m, -m - h}, TFPoint{m, -m}})
      AddPoint(*track, p);
    track->Clearance = 0;
    board.Elements.push_back(std::move(track));
  } else if (spec.Kind == TNewBoardKind::Round) {
    auto circle = NewObjekt();
    const float r = w / 2;
    InitCircle(*circle, {m + r, -(m + r)}, r, kLayerO, r);
    circle->Clearance = 0;
    board.Elements.push_back(std::move(circle));
  }
  return board;
}

std::string NewBoardCommand(TProject& project, const TNewBoardSpec& spec, bool originTopLeft,
                            const TProjectUi& ui) {
  std::string err = ValidateNewBoard(spec);
  if (!err.empty()) return err;
  TBoard& board = AddNewBoard(project, spec, originTopLeft);
  project.Changed = true;
  if (ui.Inform)
    ui.Inform("A new Board named \"" + Cp1251ToUtf8(StoredBoardName(board)) + "\" was added.");
  return {};
}

void NewProjectBoards(TProject& project, const std::optional<TNewBoardSpec>& spec,
                      TLanguage lang, bool originTopLeft) {
  if (spec && ValidateNewBoard(*spec).empty())
    AddNewBoard(project, *spec, originTopLeft);
  else
    AddBoard(project, DefaultBoardName(lang), 1600000, 1000000, originTopLeft);
  project.FileName.clear();
  project.Changed = false;
}

}  // namespace bs
