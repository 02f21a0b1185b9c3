#include "project/newboard.h"

#include <cmath>
#include <cstdio>

#include "model/codepage.h"
#include "model/messages.h"

namespace bs {

namespace {
std::string RangeError(const char* format, double value, double lo, double hi) {
  if (std::isfinite(value) && value >= lo && value <= hi) return {};
  auto number = [](double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return std::string(buf);
  };
  return FormatMessage(format, {number(lo), number(hi)});
}
}  // namespace

TNewBoardLayout ComputeNewBoardLayout(const TNewBoardRequest& request, bool originTopLeft) {
  TNewBoardLayout l;
  switch (request.Kind) {
    case TNewBoardKind::Empty:
      l.Width = MmToUnits(request.WidthMm);
      l.Height = MmToUnits(request.HeightMm);
      l.OriginX = 0;
      l.OriginY = originTopLeft ? 0 : -l.Height;
      break;
    case TNewBoardKind::Rectangle:
      l.Margin = MmToUnits(request.MarginMm);
      l.OutlineWidth = MmToUnits(request.WidthMm);
      l.OutlineHeight = MmToUnits(request.HeightMm);
      l.Width = l.OutlineWidth + 2 * l.Margin;
      l.Height = l.OutlineHeight + 2 * l.Margin;
      l.OriginX = l.Margin;
      l.OriginY = originTopLeft ? -l.Margin : -l.Margin - l.OutlineHeight;
      break;
    case TNewBoardKind::Round:
      l.Margin = MmToUnits(request.MarginMm);
      l.OutlineWidth = l.OutlineHeight = MmToUnits(request.DiameterMm);
      l.Width = l.Height = l.OutlineWidth + 2 * l.Margin;
      l.OriginX = l.Margin;
      l.OriginY = originTopLeft ? -l.Margin : -l.Margin - l.OutlineHeight;
      break;
  }
  l.WidthTooBig = l.Width > kMaxBoardSide;
  l.HeightTooBig = l.Height > kMaxBoardSide;
  return l;
}

std::string ValidateNewBoard(const TNewBoardRequest& request) {
  if (TrimBlanks(request.Name).empty()) return msg::kBoardNameEmpty;
  std::string err;
  switch (request.Kind) {
    case TNewBoardKind::Empty:
    case TNewBoardKind::Rectangle:
      err = RangeError(msg::kWidthRange, request.WidthMm, 1, 500);
      if (err.empty()) err = RangeError(msg::kHeightRange, request.HeightMm, 1, 500);
      if (err.empty() && request.Kind == TNewBoardKind::Rectangle)
        err = RangeError(msg::kDistanceRange, request.MarginMm, 0, 500);
      break;
    case TNewBoardKind::Round:
      err = RangeError(msg::kDiameterRange, request.DiameterMm, 1, 500);
      if (err.empty()) err = RangeError(msg::kDistanceRange, request.MarginMm, 0, 99.99);
      break;
  }
  if (!err.empty()) return err;
  const TNewBoardLayout l = ComputeNewBoardLayout(request, false);
  if (l.WidthTooBig || l.HeightTooBig) return msg::kBoardTooBig;
  return {};
}

TBoard& AddNewBoard(TProject& project, const TNewBoardRequest& request, bool originTopLeft) {
  const TNewBoardLayout l = ComputeNewBoardLayout(request, originTopLeft);
  TBoard& board = AddBoard(project, request.Name, l.Width, l.Height, originTopLeft);
  board.Platine.OriginX = l.OriginX;
  board.Platine.OriginY = l.OriginY;
  const float m = static_cast<float>(l.Margin);
  const float w = static_cast<float>(l.OutlineWidth), h = static_cast<float>(l.OutlineHeight);
  if (request.Kind == TNewBoardKind::Rectangle) {
    auto track = NewObjekt();
    InitTrack(*track, 0, kLayerO);
    for (TFPoint p : {TFPoint{m, -m}, TFPoint{m + w, -m}, TFPoint{m + w, -m - h}, TFPoint{m, -m - h}, TFPoint{m, -m}})
      AddPoint(*track, p);
    track->Clearance = 0;
    board.Elements.push_back(std::move(track));
  } else if (request.Kind == TNewBoardKind::Round) {
    auto circle = NewObjekt();
    const float r = w / 2;
    InitCircle(*circle, {m + r, -(m + r)}, r, kLayerO, r);
    circle->Clearance = 0;
    board.Elements.push_back(std::move(circle));
  }
  return board;
}

std::string NewBoardCommand(TProject& project, const TNewBoardRequest& request, bool originTopLeft,
                            const TProjectUi& ui) {
  std::string err = ValidateNewBoard(request);
  if (!err.empty()) return err;
  TBoard& board = AddNewBoard(project, request, originTopLeft);
  project.Changed = true;
  if (ui.Inform) ui.Inform(FormatMessage(msg::kBoardAdded, {Cp1251ToUtf8(StoredBoardName(board))}));
  return {};
}

void NewProjectBoards(TProject& project, const std::optional<TNewBoardRequest>& request, TLanguage lang,
                      bool originTopLeft) {
  if (request && ValidateNewBoard(*request).empty()) AddNewBoard(project, *request, originTopLeft);
  else AddBoard(project, DefaultBoardName(lang), 1600000, 1000000, originTopLeft);
  project.FileName.clear();
  project.Changed = false;
}

}  // namespace bs
