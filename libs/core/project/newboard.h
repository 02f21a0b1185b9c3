// The boards that the new-board dialog describes: an empty working space, or
// one with a rectangular or round board outline and a margin around it.
#pragma once

#include <optional>
#include <string>

#include "project/project.h"

namespace bs {

inline constexpr int32_t kMaxBoardSide = 5000000;  // 500 mm

enum class TNewBoardKind { Empty, Rectangle, Round };

// The dialog's values, in millimetres.
struct TNewBoardRequest {
  TNewBoardKind Kind = TNewBoardKind::Empty;
  TByteString Name = "New board";
  double WidthMm = 160;  // working space (Empty) or outline (Rectangle)
  double HeightMm = 100;
  double MarginMm = 20;  // Rectangle and Round
  double DiameterMm = 100;
};

// Working space, outline and zero point in units.
struct TNewBoardLayout {
  int32_t Width = 0;
  int32_t Height = 0;
  bool WidthTooBig = false;  // shown in red by the dialog
  bool HeightTooBig = false;
  int32_t Margin = 0;
  int32_t OutlineWidth = 0;  // rectangle outline, or the circle's diameter
  int32_t OutlineHeight = 0;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
};

TNewBoardLayout ComputeNewBoardLayout(const TNewBoardRequest& request, bool originTopLeft);

// An error message for values the dialog must not accept: an empty name, a
// value outside its range, or "The board is too big!". Empty when the values
// are fine.
std::string ValidateNewBoard(const TNewBoardRequest& request);

// Adds the board and its outline (layer O, width 0, clearance 0) and sets its
// zero point. The request must have passed ValidateNewBoard.
TBoard& AddNewBoard(TProject& project, const TNewBoardRequest& request, bool originTopLeft);

// The "new board" command after the dialog's OK: validates, adds the board,
// sets the change flag and reports it. Returns the error message (the dialog
// stays open) or an empty string.
std::string NewBoardCommand(TProject& project, const TNewBoardRequest& request, bool originTopLeft,
                            const TProjectUi& ui);

// The "new project" command after the project was closed: the board of the
// dialog, or without one (Cancel) the default board "Board 1"; the project
// is then unnamed and unchanged.
void NewProjectBoards(TProject& project, const std::optional<TNewBoardRequest>& request, TLanguage lang,
                      bool originTopLeft);

}  // namespace bs
