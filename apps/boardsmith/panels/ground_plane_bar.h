// The ground-plane bar: the automatic ground plane of the active copper
// layer on or off, and the distance (clearance) that new elements get.
#pragma once

#include <QToolBar>

#include <cstdint>

#include "model/geometry.h"
#include "project/project.h"

class QToolButton;

namespace bs::app {

class TLengthField;

class TGroundPlaneBar : public QToolBar {
  Q_OBJECT

 public:
  // The clearance of new elements before anything else is chosen: 0.4 mm.
  static constexpr int32_t kDefaultClearance = 4000;

  // Works on the active board of `project`, which must outlive the bar.
  explicit TGroundPlaneBar(TProject& project, QWidget* parent = nullptr);

  // Brings the bar in line with the active board and its active layer.
  void Refresh();
  void SetUnit(TDisplayUnit unit);

  // The clearance new elements get, and the one the user chose last.
  int32_t CurrentClearance() const { return current_; }
  int32_t RememberedClearance() const { return remembered_; }
  // Shows a clearance chosen by the program (such as the common clearance
  // of the selection): it becomes current, the remembered one stays.
  void ShowClearance(int32_t units);
  // Puts the remembered clearance back (when a tool is chosen).
  void RestoreRememberedClearance();

  QToolButton* PlaneButton() const { return plane_; }
  QToolButton* PolygonCutoutButton() const { return polygonCutout_; }
  QToolButton* RectangleCutoutButton() const { return rectangleCutout_; }
  // Which cut-out button is down (at most one; the tool they chose is active).
  void ShowCutout(bool polygon, bool rectangle);
  TLengthField* DistanceField() const { return distance_; }

 signals:
  // A ground plane was switched on or off: the board looks different.
  void PlaneSwitched();
  // The user chose a distance: the selected elements take it.
  void DistanceEdited(int32_t units);
  // A cut-out button was pressed: the zone tool (polygon) or the rectangle
  // tool makes cut-outs now.
  void CutoutChosen(bool rectangle);

 private:
  void TogglePlane();

  TProject& project_;
  QToolButton* plane_ = nullptr;
  TLengthField* distance_ = nullptr;
  class QAction* distanceAction_ = nullptr;
  class QAction* labelAction_ = nullptr;
  QToolButton* polygonCutout_ = nullptr;
  QToolButton* rectangleCutout_ = nullptr;
  class QAction* cutoutActions_[2] = {};
  int32_t current_ = kDefaultClearance;
  int32_t remembered_ = kDefaultClearance;
};

}  // namespace bs::app
