// The test tool (mode 8): a click on copper highlights everything joined to
// it through copper and the ground plane (and rubber bands, with the option
// "Consider connections (rubberbands) in TEST mode"); SHIFT adds to the
// highlight. A right click goes back to editing.
#pragma once

#include <QCoreApplication>

#include "tool.h"

namespace bs::app {

class TTestTool final : public TTool {
  Q_DECLARE_TR_FUNCTIONS(TTestTool)

 public:
  explicit TTestTool(TToolHost& host) : TTool(host) {}

  void Press(const TPointer& p) override;
  QString Hint() const override;
};

}  // namespace bs::app
