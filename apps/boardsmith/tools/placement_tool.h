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
  void Follow(std::optional<TDPoint> by = std::nullopt);
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
  void Activate() override { Follow(); }
  // A click places the elements; they stay selected in the edit tool.
  void Press(const TPointer& p) override;
};

}  // namespace bs::app
