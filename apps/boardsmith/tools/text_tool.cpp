#include "tools/text_tool.h"

#include <QMessageBox>
#include <QTimer>

#include "dialogs/text_dialog.h"
#include "edit/units.h"
#include "io/settings.h"
#include "tools/tools.h"
#include "view/board_view.h"
#include "window/core_text.h"

namespace bs::app {

namespace {
// The delay between the tool's button and its dialog.
constexpr int kDialogDelayMs = 10;
}  // namespace

QString TTextTool::Hint() const { return tr("TEXT:  Place with left mouse button, abort with right mouse button"); }

void TTextTool::Activate() {
  active_ = true;
  asked_ = false;
  ++turn_;
  // Texts on the second side read mirrored from the first.
  if (const TBoard* b = Board()) {
    TTextFields f = dialog_.Fields();
    const int layer = b->Platine.ActiveLayer;
    f.MirrorH = layer == kLayerC2 || layer == kLayerS2;
    dialog_.SetFields(f);
  }
  AskLater();
}

void TTextTool::Deactivate() {
  active_ = false;
  ++turn_;
  TFollowTool::Deactivate();
}

void TTextTool::Suspend() { TFollowTool::Deactivate(); }

void TTextTool::Resume() {
  if (!active_) return Activate();
  if (asked_) PrepareText();
}

void TTextTool::AskLater() {
  const unsigned turn = turn_;
  QTimer::singleShot(kDialogDelayMs, host_.BoardView().viewport(), [this, turn] {
    if (active_ && turn == turn_) Ask();
  });
}

void TTextTool::Ask() {
  TSettings& s = host_.Settings();
  dialog_.SetUnit(DisplayUnitOf(s));
  dialog_.SetHeightLimit(s.Options.SchrifthoeheBegrenzen);
  dialog_.ShowNumbering(true);
  if (dialog_.exec() != QDialog::Accepted) {
    if (active_) host_.ChooseTool(kToolEdit);
    return;
  }
  if (!active_) return;
  fields_ = dialog_.Fields();
  number_ = dialog_.Numbering();
  asked_ = true;
  if (!PrepareText()) {
    QMessageBox::warning(host_.BoardView().window(), QStringLiteral("Boardsmith"), CoreText(kTextNotGenerated));
    AskLater();
  }
}

bool TTextTool::PrepareText() {
  const TBoard* board = Board();
  if (!board) return false;
  TTextFields f = fields_;
  TAutoNumber next = number_;
  f.Text = next.Next(fields_.Text);
  auto text = MakeText(f, {0, 0}, board->Platine.ActiveLayer, host_.NewSizes().Clearance);
  if (!text) return false;
  number_ = next;
  TObjektList list;
  list.push_back(std::move(text));
  Prepare(std::move(list), Hint());
  Follow(TDPoint{0, 0});  // by the text's anchor
  host_.BoardView().RefreshOverlay();
  return true;
}

void TTextTool::Press(const TPointer& p) {
  if (p.Button != Qt::LeftButton) return;
  const std::vector<TObjekt*> placed = Place(p);
  if (placed.empty()) return;
  // The tool goes on with the next text: nothing stays selected.
  for (TObjekt* e : placed) SetSelected(*e, false);
  host_.SelectionChanged();
  if (number_.On) {
    dialog_.SetCounter(number_.Counter);
    PrepareText();
  } else {
    asked_ = false;
    AskLater();
  }
}

}  // namespace bs::app
