// The test tool (mode 8): a click on copper highlights everything joined to
// it through copper and the ground plane (and rubber bands, with the option
// "Consider connections (rubberbands) in TEST mode"); SHIFT adds to the
// highlight. A right click goes back to editing. With "Blinking TEST mode"
// the highlight blinks every 500 ms between the selection colour and that
// colour darkened.
#pragma once

#include <QCoreApplication>
#include <QTimer>

#include "tools/tool.h"

namespace bs::app {

class TTestTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TTestTool)

 public:
  explicit TTestTool(TToolHost& host);

  void Activate() override;
  void Deactivate() override;
  void Press(const TPointer& p) override;
  QString Hint() const override;
  bool Blinking() const { return blink_.isActive(); }
  QTimer* BlinkTimer() { return &blink_; }

 private:
  void SetDark(bool dark);

  QTimer blink_;
};

}  // namespace bs::app
