// The "DRC-Panel": the design rule check's rules, its two runs (the whole
// board or what the window shows), the progress, and the list of findings.
// Selected findings are hatched on the board; a double click zooms to one.
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "checks/drc.h"
#include "model/geometry.h"
#include "view/board_view.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace bs::app {

class TLengthField;

class TDrcPanel : public QWidget {
  Q_OBJECT

 public:
  // What the panel needs of the window: the timers to pause while a check
  // runs, and how to drop the selection before zooming to a finding.
  struct THooks {
    std::function<std::vector<QTimer*>()> Timers;
    std::function<void()> Deselect;
  };
  // Checks the board the view shows.
  TDrcPanel(TBoardView& view, THooks hooks, QWidget* parent = nullptr);
  ~TDrcPanel() override;

  // The panel's caption, translated.
  static QString Heading();

  TDrcRules Rules() const;
  void SetRules(const TDrcRules& rules);
  void SetUnit(TDisplayUnit unit);

  // "Complete..." (false) and "Window..." (true).
  void Run(bool window);
  // The list is emptied and the board loses its hatching.
  void Clear();
  // The view shows another board (or none): the findings belong to the old
  // one and go.
  void BoardShown(const TBoard* board);

  const std::vector<TDrcFinding>& Findings() const { return findings_; }
  QListWidget* List() const { return list_; }
  QString Caption() const;

 private:
  void Hatch();
  void ZoomTo(int row);
  void Fill();

  TBoardView& view_;
  QPointer<TBoardView> viewAlive_;
  THooks hooks_;
  const TBoard* board_ = nullptr;  // the board of the findings
  std::vector<TDrcFinding> findings_;

  struct TRuleRow {
    QCheckBox* Box = nullptr;
    TLengthField* Field = nullptr;  // none for rules without a limit
  };
  std::array<TRuleRow, 11> rows_{};
  QPushButton* complete_ = nullptr;
  QPushButton* window_ = nullptr;
  QPushButton* selectAll_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* caption_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace bs::app
