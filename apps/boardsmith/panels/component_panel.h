// The "Components-Panel": one row per component of the active board in ID
// order, with its number, ID, value, side, rotation, package and comment.
// Choosing a row selects the component on the board and selecting it on the
// board chooses its row; the ID and value cells are edited in place; a
// double click opens the component dialog; "Export..." writes the list.
#pragma once

#include <QTableWidget>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "components/components.h"

class QCheckBox;
class QPushButton;

namespace bs::app {

class TBTList : public QWidget {
  Q_OBJECT

 public:
  struct THooks {
    std::function<TBoard*()> Board;                        // the active board, or null
    std::function<void()> SelectionChanged;                // after the panel selected a component
    std::function<void(int16_t)> Edit;                     // the component dialog on a component
    std::function<void(int16_t, bool, QString)> SetLabel;  // a typed ID (true) or value
    std::function<void()> Export;                          // "Export..."
  };
  explicit TBTList(THooks hooks, QWidget* parent = nullptr);

  static QString Heading();

  // Builds the rows from the board again.
  void Rebuild();
  // The current row follows the board's selection.
  void ShowSelection();
  const std::vector<TListEintrag>& Entries() const { return entries_; }
  // The component of a row; 0 when there is none.
  int16_t ComponentOfRow(int row) const;
  int RowOfComponent(int16_t no) const;

  TComponentColumns Columns() const;
  void SetColumns(const TComponentColumns& widths);

  QTableWidget* Table() const { return table_; }
  QPushButton* ExportButton() const { return export_; }
  // The "Show:" box of a column (1 ... 6 except the ID and value columns).
  QCheckBox* ShowBox(int column) const;

 private:
  void Choose(int row);
  void CellEdited(int row, int column);
  void ApplyVisibility();

  THooks hooks_;
  QTableWidget* table_ = nullptr;
  QPushButton* export_ = nullptr;
  std::array<QCheckBox*, 7> show_ = {};
  TComponentColumns widths_ = kDefaultComponentColumns;
  std::vector<TListEintrag> entries_;
  bool filling_ = false;
};

}  // namespace bs::app
