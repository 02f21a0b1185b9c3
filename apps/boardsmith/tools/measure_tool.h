// The measure tool (mode 13): press and drag; the crosshair shows the
// rectangle, the distance and the angle between the press point and the
// cursor. Nothing on the board changes.
#pragma once

#include <QCoreApplication>

#include <optional>

#include "tools/tool.h"

namespace bs::app {

class TMeasureTool final : public TCursorTool {
  Q_DECLARE_TR_FUNCTIONS(TMeasureTool)

 public:
  using TCursorTool::TCursorTool;

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void Release(const TPointer& p) override;
  QString Hint() const override;

  // The measurement shown: the press point and the cursor (model units).
  std::optional<TDPoint> Start() const { return start_; }
  TDPoint Cursor() const { return at_; }

 private:
  TCursorMark Mark() const override;

  std::optional<TDPoint> start_;
};

}  // namespace bs::app
