// The "Macro-Library" panel: the folder tree of macro files, the preview of
// the chosen macro with its two description lines, and the buttons that save,
// delete, flip and rotate macros. A macro is placed by dragging the preview
// or its tree node onto the board.
#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <QWidget>

#include <functional>

#include "io/macro_session.h"
#include "render/painter.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QMimeData;

namespace bs::app {

// The drag data of a macro: its file path.
inline constexpr const char* kMacroMimeType = "application/x-boardsmith-macro";
QMimeData* MacroMimeData(const QString& path);

// The tree of folders and macro files; dragging a file node drags its macro.
class TMacroTree : public QTreeWidget {
  Q_OBJECT

 public:
  using QTreeWidget::QTreeWidget;

 signals:
  void DragMacro(QTreeWidgetItem* item);

 protected:
  void startDrag(Qt::DropActions supported) override;
};

// The loaded macro drawn to fit; dragging it places it, a double click edits
// its component data.
class TMacroPreview : public QWidget {
  Q_OBJECT

 public:
  explicit TMacroPreview(const TMacroSession& session, QWidget* parent = nullptr);
  TPaintSettings& Settings() { return settings_; }

 signals:
  void DragStarted();
  void DoubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  const TMacroSession& session_;
  TPaintSettings settings_;
  QPoint pressAt_;
  bool pressed_ = false;
};

class TMacroPanel : public QWidget {
  Q_OBJECT

 public:
  // What the panel needs of the window.
  struct THooks {
    std::function<void(const QString&)> Status;  // the status line while the tree is built
    std::function<void()> SaveAsMacro;           // the window's "Save as macro" command
    std::function<TMacroGrid()> Grid;            // the reference point's grid rule of the active board
    std::function<bool()> AlwaysReadable;        // labels stay readable after rotating
    std::function<void()> EditComponent;         // a double click on the preview or a file node
  };
  TMacroPanel(THooks hooks, QWidget* parent = nullptr);

  // The panel's caption, translated.
  static QString Heading();

  // Scans the root and shows its tree; then selects and loads the macro
  // `select` when it is in the tree.
  void BuildTree(const QString& root, const QString& select = {});
  QString Root() const { return root_; }
  // Adds the node of a newly saved macro file below the root (its folders
  // too) in tree order, and selects and loads it.
  void InsertMacro(const QString& path);
  // Selects the node of a file or folder and loads it; false when the tree
  // has no such node.
  bool SelectPath(const QString& path);
  // The file or folder of the selected node; empty when none.
  QString SelectedPath() const;
  // The folder of the selected node (its own for a folder): where a new
  // macro is saved by default.
  QString SelectedFolder() const;

  TMacroSession& Session() { return session_; }
  // The preview's board side, "Add as component" and the through-pad switch
  // as the settings have them.
  void SetAddAsComponent(bool on);
  bool AddAsComponent() const;
  void SetPreviewSettings(const TPaintSettings& settings);
  void SetPreviewHeight(int pixels);

  // Writes a modified macro back (shut-down, before another is saved); a
  // failure is reported and false returned.
  bool WriteBack();

  // "Delete macro", "TOP"/"BOT", "Rotate macro" as the buttons run them.
  void DeleteMacro();
  void ToggleSide();
  void RotateMacro();

  TMacroTree* Tree() const { return tree_; }
  TMacroPreview* Preview() const { return preview_; }
  QLineEdit* Text1() const { return text1_; }
  QLineEdit* Text2() const { return text2_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* SideButton() const { return side_; }
  QPushButton* RotateButton() const { return rotate_; }
  QPushButton* ViasButton() const { return vias_; }
  QCheckBox* ComponentBox() const { return component_; }

 signals:
  // A drag of the loaded macro starts (the board view takes the drop).
  void DragStarting();

 private:
  void Choose(QTreeWidgetItem* item);
  void Load(const QString& path);
  // Renames the file or folder of an edited node, or restores its caption.
  void Rename(QTreeWidgetItem* item);
  void ShowMacro();
  void RefreshButtons();
  void StartDrag();
  QTreeWidgetItem* FindItem(const QString& path) const;
  QTreeWidgetItem* MakeItem(const QString& name, const QString& path, bool folder) const;
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& name, const QString& path, bool folder);

  THooks hooks_;
  TMacroSession session_;
  QString root_;
  TMacroTree* tree_ = nullptr;
  TMacroPreview* preview_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* side_ = nullptr;
  QPushButton* rotate_ = nullptr;
  QPushButton* vias_ = nullptr;
  QCheckBox* component_ = nullptr;
  bool filling_ = false;  // the panel itself changes the tree or the fields
  QIcon folderIcon_, fileIcon_;
};

}  // namespace bs::app
