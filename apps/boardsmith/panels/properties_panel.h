// The properties panel: shows the selected elements of the active board by
// kind and changes them in place, or the board itself when nothing is
// selected. The main window puts it into a dock and talks to it through
// RefreshPanel and SetPanelUnit; the panel talks back through
// TPropertiesHost. Between two refreshes the panel holds references to the
// selected elements: after every change of the board's elements (and
// before anything else reaches the panel) the window calls RefreshPanel
// while the panel is shown.
#pragma once

#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "edit/properties.h"

class QLabel;
class QColor;
class QStackedWidget;
class QTreeWidget;

namespace bs {
struct TProject;
struct TSettings;
}  // namespace bs

namespace bs::app {

// What the panel needs from the window around it.
class TPropertiesHost {
 public:
  virtual ~TPropertiesHost() = default;
  virtual TProject& Project() = 0;
  virtual TSettings& Settings() = 0;
  // The colour of a layer in the shown colour scheme (0x00BBGGRR).
  virtual uint32_t LayerColour(int layer) = 0;

  // Once before a number field's first modification, on entering the text
  // field, the angle field or a spoke-width slider, and before every click
  // on a check box, choice button, spoke button or flat-end button: the
  // window records an undo snapshot, marks the search results out of date
  // and refreshes the enabled commands.
  virtual void BeforeChange() = 0;
  // After a number field or spoke-width slider of the pad, track, zone or
  // circle page, or "Through pad", changed the elements: the toolbar size
  // fields follow the selection.
  virtual void Changed() = 0;
  // After the board page wrote the board's size, name or multilayer switch
  // (already applied to the project): tabs, layer buttons and view follow.
  virtual void BoardChanged() = 0;
  // The current-capacity button: the options dialog on its "Imax" page.
  virtual void ShowImaxSettings() = 0;
  // The drop-down menus of the pad shape, the pad size favourites and the
  // SMD size favourites, opened at a global position.
  virtual void PadShapeMenu(QPoint global) = 0;
  virtual void PadSizeMenu(QPoint global) = 0;
  virtual void SmdSizeMenu(QPoint global) = 0;
  // Repaints a model rectangle of the board, and the view once all of a
  // change is written.
  virtual void InvalidateArea(const TURect& model) = 0;
  virtual void Repaint() = 0;
  // A component label changed: the component list follows.
  virtual void ComponentsChanged() = 0;
};

class TPropertiesPage;
struct TPanelState;

class TPropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // The pages of the stack: the board, then one per selection list.
  enum TPageId { kPageTht, kPageSmd, kPageText, kPageCircle, kPageTrack, kPageZone, kPageBoard, kPageCount };

  explicit TPropertiesPanel(TPropertiesHost& host, QWidget* parent = nullptr);
  ~TPropertiesPanel() override;

  // "Properties    ": the heading of the dock the panel sits in.
  static QString Heading();

  // Rebuilds the selection lists from the active board, the kind list and
  // the shown page. Ignored while the panel itself notifies the host.
  void RefreshPanel();
  // Switches every length field to the display unit and shows the page again.
  void SetPanelUnit(TDisplayUnit unit);
  // Three flashes: 0xC0C0C0 for 100 ms, the panel's own colour for 50 ms.
  void Flash();
  bool Flashing() const { return flashStep_ >= 0; }
  // The single track's length line again (while one of its vertices is dragged).
  void RefreshTrackLength();

  TPageId ShownPage() const { return shown_; }
  QTreeWidget* KindList() const { return kindList_; }
  QString TypeCaption() const;
  // The selection list of a kind as the last refresh built it.
  const TRefList& List(TPropList list) const { return lists_[list]; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ChooseLine(int line);
  void ShowPage(TPageId page);
  void FlashStep(const QColor& own);

  std::unique_ptr<TPanelState> state_;
  TSelectionLists lists_;
  std::vector<TKindLine> lines_;
  QLabel* multiselect_ = nullptr;
  QTreeWidget* kindList_ = nullptr;
  QLabel* caption_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  std::array<TPropertiesPage*, kPageCount> pages_{};
  TPageId shown_ = kPageBoard;
  int flashStep_ = -1;
};

}  // namespace bs::app
