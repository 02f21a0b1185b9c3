// The size fields of the drawing tools: track width, THT pad outer and
// drill diameter, SMD pad width and height, each group with its favourites
// menu ("Add", "Remove" and the stored sizes), and "Flip" for SMD pads. They
// show and change the tool sizes of the settings, and show the sizes of the
// selection, highlighted.
#pragma once

#include <QToolBar>

#include "edit/create.h"
#include "io/settings.h"
#include "model/geometry.h"

class QMenu;
class QToolButton;

namespace bs::app {

class TLengthField;

// How a size field looks: normal, or showing what the selection says
// (its value, or mixed values).
enum class TFieldLook { Normal, Selection, Mixed };
void SetFieldLook(QWidget* field, TFieldLook look);

class TSizeBar : public QToolBar {
  Q_OBJECT

 public:
  enum TField { kTrack, kPadOuter, kPadDrill, kSmdWidth, kSmdHeight, kFieldCount };

  // Works on the sizes and favourites of `settings`, which must outlive the bar.
  explicit TSizeBar(TSettings& settings, QWidget* parent = nullptr);

  void SetUnit(TDisplayUnit unit);
  // Shows the remembered sizes again in the normal look.
  void Refresh();
  // Shows what the selected visible elements say; their common values become
  // the remembered ones when `takeOver`.
  void ShowSelection(const TSelectionSizes& sizes, bool takeOver);
  TLengthField* Field(TField f) const { return fields_[f]; }
  TFieldLook Look(TField f) const { return looks_[f]; }
  // The favourites menus (track widths, pad sizes, SMD sizes).
  QMenu* TrackMenu() const { return menus_[0]; }
  QMenu* PadMenu() const { return menus_[1]; }
  QMenu* SmdMenu() const { return menus_[2]; }

 signals:
  // The user changed a size (field, favourite or "Flip"); the selection
  // takes it.
  void SizeEdited(bs::TSizeField field, int32_t value);

 private:
  void Edited(TField f, int32_t units);
  void Emit(TField f);
  void FillMenu(int group);
  void SetLook(TField f, TFieldLook look);

  TSettings& settings_;
  TSettings::TToolSizes& sizes_;
  TLengthField* fields_[kFieldCount] = {};
  TFieldLook looks_[kFieldCount] = {};
  QMenu* menus_[3] = {};
};

}  // namespace bs::app
