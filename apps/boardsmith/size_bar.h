// The size fields of the drawing tools: track width, THT pad outer and
// drill diameter, SMD pad width and height. They show and change the tool
// sizes of the settings.
#pragma once

#include <QToolBar>

#include "io/settings.h"
#include "model/geometry.h"

namespace bs::app {

class TLengthField;

class TSizeBar : public QToolBar {
  Q_OBJECT

 public:
  enum TField { kTrack, kPadOuter, kPadDrill, kSmdWidth, kSmdHeight, kFieldCount };

  // Works on `sizes`, which must outlive the bar.
  explicit TSizeBar(TSettings::TToolSizes& sizes, QWidget* parent = nullptr);

  void SetUnit(TDisplayUnit unit);
  // Shows the sizes again (after they were changed elsewhere).
  void Refresh();
  TLengthField* Field(TField f) const { return fields_[f]; }

 private:
  void Edited(TField f, int32_t units);

  TSettings::TToolSizes& sizes_;
  TLengthField* fields_[kFieldCount] = {};
};

}  // namespace bs::app
