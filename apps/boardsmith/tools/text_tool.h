// The text tool (mode 7): the text dialog first; the new text then follows
// the pointer and a click places it. With "Add number" the next text, with
// the next number, follows at once; otherwise the dialog asks again. Cancel
// or a right click ends the tool.
#pragma once

#include <QCoreApplication>

#include "edit/create.h"
#include "render/text_strokes.h"
#include "tools/placement_tool.h"

namespace bs::app {

class TTextDialog;

class TTextTool final : public TFollowTool {
  Q_DECLARE_TR_FUNCTIONS(TTextTool)

 public:
  TTextTool(TToolHost& host, TTextDialog& dialog) : TFollowTool(host), dialog_(dialog) {}

  void Activate() override;
  void Deactivate() override;
  // On another board the text asked for last follows the pointer again,
  // without the dialog.
  void Suspend() override;
  void Resume() override;
  void Press(const TPointer& p) override;
  QString Hint() const override;

 private:
  // Opens the dialog a moment later (once the tool button has settled).
  void AskLater();
  void Ask();
  // Builds the next text (with its number) and lets it follow the pointer.
  bool PrepareText();

  TTextDialog& dialog_;
  TTextFields fields_;
  TAutoNumber number_;
  bool active_ = false;
  bool asked_ = false;  // the dialog gave a text in this turn of the tool
  unsigned turn_ = 0;   // a dialog asked for by an earlier activation stays shut
};

}  // namespace bs::app
