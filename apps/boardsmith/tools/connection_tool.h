// The connection tool (mode 9): draws and deletes rubber bands between pads.
// The pad under the pointer is highlighted; a click chooses the first pad,
// a click on a second pad toggles the rubber band between them, a click on
// a rubber band deletes it. A dotted line runs from the first pad to the
// pointer meanwhile.
#pragma once

#include <QCoreApplication>
#include <QPoint>

#include "tools/tool.h"

namespace bs::app {

class TConnectionTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TConnectionTool)

 public:
  using TTool::TTool;

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void RightClick(const TPointer& p) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  QString Hint() const override;

  TObjekt* FirstPad() const { return first_; }

 private:
  void Reset();
  void Mark(TObjekt* e, bool on);
  // The rubber band under the pointer, highlighted by its two pads.
  void HoverBand(TObjekt* a, TObjekt* b);
  // The pads still on the board (undo replaces them).
  void Validate();

  TObjekt* first_ = nullptr;
  TObjekt* hovered_ = nullptr;
  TObjekt* bandA_ = nullptr;
  TObjekt* bandB_ = nullptr;
  QPoint pointer_;
};

}  // namespace bs::app
