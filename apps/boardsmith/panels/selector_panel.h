// The "Selector-Panel": the elements of the active board of one kind,
// grouped by one value (drill, ring, size, shape, line width, text height,
// stroke thickness, content) in a two-level tree. Choosing a group, or
// entries of one group, selects those elements and zooms to them. Any
// change of the board turns the tree grey (stale); it is built again before
// it is used.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "components/search.h"
#include "project/project.h"

class QComboBox;
class QLabel;
class QSlider;
class QTreeWidget;
class QTreeWidgetItem;

namespace bs::app {

class TSelector : public QWidget {
  Q_OBJECT

 public:
  struct THooks {
    std::function<TBoard*()> Board;
    std::function<void(double fill)> Selected;  // the board's selection changed: zoom and repaint
    std::function<bool()> Mil;                  // the base unit
    std::function<TLanguage()> Language;
  };
  explicit TSelector(THooks hooks, QWidget* parent = nullptr);

  static QString Heading();

  TSelectorSettings Settings() const;
  void SetSettings(const TSelectorSettings& s);

  // Builds the tree again from the board; the chosen node stays chosen (by
  // its place in the tree, never by a pointer into the old board).
  void Rebuild();
  // The board changed: the tree is grey and is built again before its next use.
  void MarkStale();
  bool Stale() const { return stale_; }
  // Selects the chosen nodes' elements on the board (building the tree again
  // first when it is stale) and zooms to them.
  void Apply();

  QTreeWidget* Tree() const { return tree_; }
  QComboBox* Kind() const { return kind_; }
  QComboBox* Sort() const { return sort_; }
  QComboBox* Layers() const { return layers_; }
  QSlider* Zoom() const { return zoom_; }
  QLabel* Count() const { return count_; }
  const std::vector<TSearchGroup>& Groups() const { return groups_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillSorts();
  TSearchOptions Options() const;
  // The chosen nodes as (group, entry) places; entry -1 for a group node.
  std::vector<std::pair<int, int>> ChosenPlaces() const;
  void Choose(const std::vector<std::pair<int, int>>& places, std::optional<int> expanded);
  void ShowStale(bool stale);

  THooks hooks_;
  QComboBox *kind_ = nullptr, *sort_ = nullptr, *layers_ = nullptr;
  QSlider* zoom_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QLabel* count_ = nullptr;
  std::vector<TSearchGroup> groups_;
  bool stale_ = true;
  bool filling_ = false;
};

}  // namespace bs::app
