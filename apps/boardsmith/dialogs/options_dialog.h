// The general-settings dialog: nine pages of options that it edits on a copy
// of the settings and of the four colour schemes.
#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "io/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

namespace bs::app {

class TOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  enum TPage {
    kPageGeneral,
    kPageColours,
    kPageFolders,
    kPageMacroFolder,
    kPageUndo,
    kPageImax,
    kPageHotkeys,
    kPageCrosshair,
    kPageAutoSave,
    kPageCount
  };
  using TSchemes = std::array<TColourScheme, 4>;

  // `dataFolder` holds the user schemes, the custom colours and the default
  // macro root.
  TOptionsDialog(const TSettings& settings, const TSchemes& schemes, std::string dataFolder, QWidget* parent = nullptr);

  void ShowPage(int page);
  int Page() const;

  // After OK: the settings with every page taken over, and the schemes with
  // the edited table in place of the chosen one.
  const TSettings& Settings() const { return settings_; }
  const TSchemes& Schemes() const { return schemes_; }

 public slots:
  // Takes the pages over; a fixed folder that does not exist is reported
  // and keeps the dialog open.
  void accept() override;

 signals:
  // The colour table shown on the Colors page changed (scheme chosen or a
  // colour edited), for a preview on the board.
  void ColoursShown(const bs::TColourScheme& colours);

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildColoursPage();
  QWidget* BuildFoldersPage();
  QWidget* BuildMacroFolderPage();
  QWidget* BuildUndoPage();
  QWidget* BuildImaxPage();
  QWidget* BuildHotkeysPage();
  QWidget* BuildCrosshairPage();
  QWidget* BuildAutoSavePage();
  QCheckBox* Switch(const QString& caption, bool TSettings::TOptions::*member);

  void ChooseScheme(int scheme);
  void PickColour(int entry);
  void ShowColours();
  void EnableFolders();
  void HotkeyEdited(int tool);
  QString PickFolder(const QString& title, const QString& start);

  TSettings settings_;
  TSchemes schemes_;
  TSchemes stored_;  // the schemes as they were when the dialog opened
  std::string dataFolder_;
  int scheme_ = 0;              // the scheme shown on the Colors page
  bool coloursEdited_ = false;  // since it was chosen
  std::string hotkeys_;

  QListWidget* pageList_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  std::vector<std::pair<QCheckBox*, bool TSettings::TOptions::*>> switches_;
  QRadioButton* unitMil_ = nullptr;
  QComboBox* drillings_ = nullptr;
  QComboBox* schemeBox_ = nullptr;
  std::array<QToolButton*, 12> colourFields_{};
  QPushButton* resetScheme_ = nullptr;
  QLabel* fixedNote_ = nullptr;
  std::array<QLineEdit*, kFolderKindCount> folders_{};
  std::array<QToolButton*, kFolderKindCount> browse_{};
  QCheckBox* equalDir_ = nullptr;
  QLineEdit* macroRoot_ = nullptr;
  QSpinBox* undo_ = nullptr;
  QSpinBox* imaxCu_ = nullptr;
  QSpinBox* imaxDt_ = nullptr;
  std::array<QLineEdit*, kToolHotkeyCount> hotkeyFields_{};
  QRadioButton* blackBox_ = nullptr;
  QSpinBox* autoSaveMinutes_ = nullptr;
};

}  // namespace bs::app
