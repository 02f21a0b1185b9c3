// The pages of the properties panel: one per element kind and one for the
// board. A page shows the values of its list (the leader's, mixed where the
// elements disagree) and writes its fields back to every element of the
// list after each change.
#pragma once

#include <QWidget>

#include <optional>

#include "edit/properties.h"
#include "panels/properties_fields.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QToolButton;

namespace bs {
struct TBoard;
}

namespace bs::app {

class TPropertiesHost;
class TThermalBox;
struct TCentreFields;

// What the pages share with the panel.
struct TPanelState {
  explicit TPanelState(TPropertiesHost& host) : Host(host) {}
  TPropertiesHost& Host;
  bool Filling = false;    // the panel writes its own fields: their events are ignored
  bool Notifying = false;  // inside a notification to the host: no refresh
  TDisplayUnit Unit = TDisplayUnit::Mm;
};

class TPropertiesPage : public QWidget {
  Q_OBJECT

 public:
  TPropertiesPage(TPanelState& state, QWidget* parent);

  // Shows the values of the list (the board page shows the active board).
  void Load(const TRefList& list);
  // Switches the length fields; the panel loads the page again afterwards.
  void SetUnit(TDisplayUnit unit);

 protected:
  // Fills the fields from list_ (the filling guard is set).
  virtual void Fill() = 0;
  bool eventFilter(QObject* watched, QEvent* event) override;

  TBoard* Board() const;
  bool Filling() const { return state_.Filling; }
  // The notifications, with the panel's own refresh suppressed meanwhile.
  void Before();
  void NotifyChanged();
  // Repaints an element's area; Apply functions call it before and after
  // writing each element.
  TTouched Touched();
  void Repaint();

  // Field builders: the field announces its first change and applies the
  // page (then `notify` sends Changed) after each confirmed value.
  TMixedLength* Length(const char* name, double minMm, double maxMm, int decimals, double stepMm, bool notify);
  TMixedNumber* Number(const char* name, double min, double max, int decimals, double step, bool notify);
  // A check box whose click announces, ends the mixed state and applies.
  QCheckBox* Check(const QString& text, const char* name, std::function<void()> after = {});
  // Announces the change of a widget that is entered (text field, angle
  // field, slider): once when it gets the focus, or for a change without it.
  void Entered(QWidget* w);
  void ChangeWithoutFocus(QWidget* w);
  QButtonGroup* Choices(std::initializer_list<std::pair<QString, int>> buttons, const char* name, QWidget* parent,
                        bool vertical);
  // The thermal group of a pad page: the slider and the spoke buttons apply
  // the page.
  TThermalBox* ThermalBox(bool layerChoice);
  // Rows of the page: a caption and its field, two widgets side by side,
  // or one widget across; the rows end with the stretch below them.
  void Row(const QString& caption, QWidget* field);
  void Row(QWidget* left, QWidget* right);
  void Row(QWidget* across);
  void CentreRows(TCentreFields& centre);
  void EndRows();

  // Applies the page after a change of one of its fields.
  virtual void Apply() = 0;
  void ApplyAndNotify();

  TPanelState& state_;
  TRefList list_;
  QGridLayout* grid_ = nullptr;
  int row_ = 0;

 private:
  QWidget* focused_ = nullptr;  // the entered widget that holds the focus
};

// RAII: the filling guard while the program writes the panel's fields.
class TFilling {
 public:
  explicit TFilling(TPanelState& s) : s_(s), old_(s.Filling) { s.Filling = true; }
  ~TFilling() { s_.Filling = old_; }
  TFilling(const TFilling&) = delete;
  TFilling& operator=(const TFilling&) = delete;

 private:
  TPanelState& s_;
  bool old_;
};

// The thermal group of a single pad: the spoke-width slider and its line,
// the layer choice of a via and the spoke buttons.
class TThermalBox : public QWidget {
  Q_OBJECT

 public:
  TThermalBox(bool layerChoice, QWidget* parent);
  QSlider* Slider() const { return slider_; }
  QLabel* WidthLine() const { return widthLine_; }
  QButtonGroup* LayerChoice() const { return layers_; }
  QWidget* LayerChoiceBox() const { return layerBox_; }
  TSpokePicker* Spokes() const { return spokes_; }

 private:
  QSlider* slider_ = nullptr;
  QLabel* widthLine_ = nullptr;
  QWidget* layerBox_ = nullptr;
  QButtonGroup* layers_ = nullptr;
  TSpokePicker* spokes_ = nullptr;
};

// The centre fields "Center:" X and Y of the pages of single elements.
struct TCentreFields {
  TMixedLength* X = nullptr;
  TMixedLength* Y = nullptr;
  // Filled only for a single element, else empty and disabled.
  void Fill(bool single, TDPoint centre);
  TDPoint Value(TDPoint filled) const;
};

class TThtPage : public TPropertiesPage {
  Q_OBJECT

 public:
  TThtPage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  void FillGroup();
  void ThroughPadClicked();
  void LayerChoiceClicked(int id);

  TThtProps read_;
  TCentreFields centre_;
  QToolButton* shape_ = nullptr;
  QToolButton* sizes_ = nullptr;
  TMixedLength* outer_ = nullptr;
  TMixedLength* drill_ = nullptr;
  QCheckBox* via_ = nullptr;
  QCheckBox* thermal_ = nullptr;
  TThermalBox* group_ = nullptr;
};

class TSmdPage : public TPropertiesPage {
  Q_OBJECT

 public:
  TSmdPage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  TSmdProps read_;
  TCentreFields centre_;
  TMixedLength* sizeX_ = nullptr;
  TMixedLength* sizeY_ = nullptr;
  QToolButton* sizes_ = nullptr;
  QCheckBox* thermal_ = nullptr;
  TThermalBox* group_ = nullptr;
};

class TTextPage : public TPropertiesPage {
  Q_OBJECT

 public:
  TTextPage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  void SetTextMixed(bool mixed);
  void ShowThickness();

  TTextProps read_;
  QLineEdit* text_ = nullptr;
  bool textMixed_ = false;
  TMixedLength* height_ = nullptr;
  TMixedNumber* angle_ = nullptr;
  QCheckBox* mirrorH_ = nullptr;
  QCheckBox* mirrorV_ = nullptr;
  QButtonGroup* style_ = nullptr;
  QButtonGroup* thickness_ = nullptr;
  QCheckBox* cutout_ = nullptr;
  QLabel* strokeLine_ = nullptr;
};

class TCirclePage : public TPropertiesPage {
  Q_OBJECT

 public:
  TCirclePage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  TCircleProps read_;
  TCentreFields centre_;
  TMixedLength* width_ = nullptr;
  TMixedLength* diameter_ = nullptr;
  TMixedNumber* start_ = nullptr;
  TMixedNumber* stop_ = nullptr;
  QCheckBox* fill_ = nullptr;
  QCheckBox* cutout_ = nullptr;
  QLabel* noGerber_ = nullptr;
};

class TTrackPage : public TPropertiesPage {
  Q_OBJECT

 public:
  TTrackPage(TPanelState& state, QWidget* parent);
  // The length and node lines of a single track.
  void ShowLength();

 protected:
  void Fill() override;
  void Apply() override;

 private:
  void ShowCurrent();
  void ShowEnds();
  void EndClicked(bool start);

  TTrackProps read_;
  TMixedLength* width_ = nullptr;
  QWidget* single_ = nullptr;  // the lines shown for a single track
  QLabel* length_ = nullptr;
  QLabel* nodes_ = nullptr;
  QLabel* current_ = nullptr;
  QToolButton* currentSettings_ = nullptr;
  QToolButton* flatStart_ = nullptr;
  QToolButton* flatEnd_ = nullptr;
  // The end buttons: shown state (none: mixed) and the leader's state under it.
  std::optional<bool> ends_[2];
  bool leaderEnds_[2] = {false, false};
  QCheckBox* cutout_ = nullptr;
};

class TZonePage : public TPropertiesPage {
  Q_OBJECT

 public:
  TZonePage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  void Enable();

  TZoneProps read_;
  TMixedLength* width_ = nullptr;
  QLabel* nodesCaption_ = nullptr;
  QLabel* nodes_ = nullptr;
  QCheckBox* hatch_ = nullptr;
  QButtonGroup* pitch_ = nullptr;
  TMixedLength* hatchWidth_ = nullptr;
  QCheckBox* cutout_ = nullptr;
};

class TBoardPage : public TPropertiesPage {
  Q_OBJECT

 public:
  TBoardPage(TPanelState& state, QWidget* parent);

 protected:
  void Fill() override;
  void Apply() override;

 private:
  void ShowArea();
  void MultilayerClicked();

  TMixedLength* width_ = nullptr;
  TMixedLength* height_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLabel* area_ = nullptr;
  QCheckBox* multilayer_ = nullptr;
};

}  // namespace bs::app
