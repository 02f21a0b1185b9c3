// The Gerber export window: which output files of the active board to
// write, their names and options, and a log of the files created; with the
// window that edits the file-name endings.
#pragma once

#include <QDialog>

#include <array>

#include "cam/gerber.h"
#include "io/settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace bs::app {

class TLengthField;

// The remembered folder that the Gerber and drill exports start in: the
// project folder with "use the same folder for all file types", else the
// Gerber folder.
TSettings::TFolder& CamFolder(TSettings& settings);

// The file-name endings of the Gerber files, one per output. OK stores
// them in the settings; "Default..." puts the endings of a fresh
// installation back at once.
class TGerberDateinamenDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TGerberDateinamenDlg(TSettings::TGerber& settings, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  void Load();
  void ResetToDefaults();

  TSettings::TGerber& settings_;
  std::array<QLineEdit*, kGerberOutputCount> endings_{};
};

// Meant to live as long as the main window: the choices of one opening
// carry over to the next. The solder-mask and SMD-mask offsets are kept in
// the settings as they are edited.
class TGerberDlg : public QDialog {
  Q_OBJECT

 public:
  TGerberDlg(TProject& project, TSettings& settings, QWidget* parent = nullptr);

  // Shows the window for the project's active board, modally, until it is
  // closed. The caller switches to the pointer tool before and repaints the
  // board after.
  void Run();

  // Writes the checked files into the output folder and logs them. Returns
  // the number of files written.
  int Export();

  // The options of the window as the core takes them.
  TGerberOptions Options() const;
  // The output folder shown.
  QString Folder() const;
  void SetFolder(const QString& folder);
  // The file name of output `row` (prefix and ending).
  QString FileName(int row) const;

 private:
  void Prepare();
  void UpdateNames();
  void UpdateEnabled();
  void ChangeFolder();
  void EditEndings();
  void StoreOffsets();
  void Log(const QString& line);

  TProject& project_;
  TSettings& settings_;
  TGerberDateinamenDlg* endingsDlg_ = nullptr;

  std::array<QCheckBox*, kGerberOutputCount> rows_{};
  std::array<QLabel*, kGerberOutputCount> names_{};
  QLineEdit* prefix_ = nullptr;
  QLineEdit* folder_ = nullptr;
  QCheckBox* mirror_ = nullptr;
  QCheckBox* frame_ = nullptr;
  QCheckBox* punch_ = nullptr;
  QCheckBox* centrePunch_ = nullptr;
  QCheckBox* maskTht_ = nullptr;
  QCheckBox* maskSmd_ = nullptr;
  QCheckBox* maskOther_ = nullptr;
  QCheckBox* maskInverted_ = nullptr;
  TLengthField* offsetTht_ = nullptr;
  TLengthField* offsetSmd_ = nullptr;
  TLengthField* offsetOther_ = nullptr;
  TLengthField* smdOffset_ = nullptr;
  QCheckBox* smdInverted_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QPushButton* create_ = nullptr;
};

}  // namespace bs::app
