// The placement tool (mode 12): prepared elements (pasted, duplicated, and
// later special forms and macros) follow the pointer by their reference
// point like a moved selection, and a click places them.
#pragma once

#include "model/geometry.h"
#include "model/objekt.h"
#include "tool.h"

namespace bs::app {

class TPlacementTool final : public TTool {
 public:
  explicit TPlacementTool(TToolHost& host) : TTool(host) {}

  // The elements to place next (before the tool is chosen), with the hint
  // of the command that prepared them.
  void Prepare(TObjektList elements, const QString& hint);
  const TObjektList& Prepared() const { return prepared_; }
  TDPoint Delta() const { return delta_; }

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void Modifiers(Qt::KeyboardModifiers mods) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  QString Hint() const override { return hint_; }
  bool KeyPanel() const override { return true; }

 private:
  std::vector<const TObjekt*> Elements() const;

  TObjektList prepared_;
  QString hint_;
  TDPoint reference_{};
  TURect bounds_{};
  TDPoint delta_{};
  bool shown_ = false;
  TPointer last_{};
};

}  // namespace bs::app
