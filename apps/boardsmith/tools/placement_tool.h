// Prepared elements that follow the pointer by their reference point like a
// moved selection (grid steps, capture, board limits): the placement tool
// (mode 12) for pasted, duplicated, and later special forms and macros, and
// the text tool (mode 7) for new texts.
#pragma once

#include <optional>

#include "model/geometry.h"
#include "model/objekt.h"
#include "tools/tool.h"

namespace bs::app {

class TFollowTool : public TTool {
 public:
  using TTool::TTool;

  // The elements to place next, with the hint of the command that prepared them.
  void Prepare(TObjektList elements, const QString& hint);
  const TObjektList& Prepared() const { return prepared_; }
  TDPoint Delta() const { return delta_; }
  bool Following() const { return following_; }

  void Deactivate() override;
  void Move(const TPointer& p) override;
  void Modifiers(Qt::KeyboardModifiers mods) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  QString Hint() const override { return hint_; }
  bool KeyPanel() const override { return true; }

 protected:
  // The prepared elements start following the pointer (nudged a little, so
  // that they show at once) by the given point, or else by their reference
  // point; undo waits while they hang on it.
  void Follow(std::optional<TDPoint> by = std::nullopt, bool nudge = true);
  // Places copies of the prepared elements where they are shown (one undo
  // step); returns the placed elements, selected, or none.
  std::vector<TObjekt*> Place(const TPointer& p);
  // Nothing follows the pointer any more.
  void Drop();

 private:
  std::vector<const TObjekt*> Elements() const;

  TObjektList prepared_;
  QString hint_;
  TDPoint reference_{};
  TURect bounds_{};
  TDPoint delta_{};
  bool following_ = false;
  bool shown_ = false;
  TPointer last_{};
};

class TPlacementTool final : public TFollowTool {
 public:
  using TFollowTool::TFollowTool;
  void Activate() override;
  void Deactivate() override;
  // A click places the elements; they stay selected in the edit tool.
  void Press(const TPointer& p) override;

  // Elements dragged in from outside the drawing area (a macro from the
  // library): they follow the drag by the point (0, 0) of their own
  // coordinates, and the caller places them on the drop.
  void PrepareDrag(TObjektList elements, const QString& hint);
  bool DragPrepared() const { return drag_; }
  void DragMove(const TPointer& p);

 private:
  bool drag_ = false;
};

}  // namespace bs::app
