// The measure tool (mode 13): press and drag; the crosshair shows the
// rectangle, the distance and the angle between the press point and the
// cursor. Nothing on the board changes.
#pragma once

#include <QCoreApplication>

#include <optional>

#include "tool.h"

namespace bs::app {

struct TCursorMark;

class TMeasureTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TMeasureTool)

 public:
  explicit TMeasureTool(TToolHost& host) : TTool(host) {}

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  void Move(const TPointer& p) override;
  void Release(const TPointer& p) override;
  void Modifiers(Qt::KeyboardModifiers mods) override;
  void Paint(QPainter& p) const override;
  QRegion OverlayRegion() const override;
  QString Hint() const override;
  bool KeyPanel() const override { return true; }

  // The measurement shown: the press point and the cursor (model units).
  std::optional<TDPoint> Start() const { return start_; }
  TDPoint Cursor() const { return at_; }

 private:
  void Follow(const TPointer& p);
  void ShowValues();
  TCursorMark Mark() const;

  bool shown_ = false;
  bool captured_ = false;
  TDPoint at_{};
  std::optional<TDPoint> start_;
  TPointer last_{};
};

}  // namespace bs::app
