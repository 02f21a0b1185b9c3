#include "project/project.h"

#include <algorithm>

#include "model/codepage.h"
#include "model/messages.h"
#include "model/objekt_list.h"

namespace bs {

const char* const kInnerLayerDeleteQuestion = msg::kDeleteInnerLayers;

TByteString TrimBlanks(const TByteString& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == TByteString::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

TByteString StoredBoardName(const TByteString& caption) { return TrimBlanks(caption).substr(0, kBoardNameMax); }

TByteString DefaultBoardName(TLanguage lang) {
  switch (lang) {
    case TLanguage::Russian: return Utf8ToCp1251("Плата 1");
    case TLanguage::French: return "Carte 1";
    default: return "Board 1";
  }
}

TByteString CopyBoardPrefix(TLanguage lang) {
  switch (lang) {
    case TLanguage::Russian: return Utf8ToCp1251("Копия ");
    case TLanguage::French: return "Copie de ";
    default: return "Copy of ";
  }
}

TBoard& AddBoard(TProject& project, const TByteString& name, int32_t width, int32_t height, bool originTopLeft) {
  auto board = std::make_unique<TBoard>();
  board->Caption = name + " ";
  board->Platine = NewPlatine(width, height, originTopLeft);
  project.Boards.push_back(std::move(board));
  SwitchBoard(project, static_cast<int>(project.Boards.size()) - 1);
  return *project.Boards.back();
}

void ResetProject(TProject& project, TLanguage lang, bool originTopLeft) {
  project.Boards.clear();
  project.ActiveIndex = -1;
  project.Info = {};
  AddBoard(project, DefaultBoardName(lang), 1600000, 1000000, originTopLeft);
  project.Changed = false;
}

void SwitchBoard(TProject& project, int index) {
  if (index < 0 || index >= static_cast<int>(project.Boards.size())) return;
  project.ActiveIndex = index;
}

TBoard& CopyActiveBoard(TProject& project, TLanguage lang) {
  TBoard& src = *project.Active();
  auto copy = std::make_unique<TBoard>();
  copy->Caption = CopyBoardPrefix(lang) + StoredBoardName(src) + " ";
  copy->Platine = src.Platine;
  copy->Elements = CopyList(src.Elements);
  project.Boards.push_back(std::move(copy));
  SwitchBoard(project, static_cast<int>(project.Boards.size()) - 1);
  project.Changed = true;
  return *project.Boards.back();
}

bool DeleteActiveBoard(TProject& project, const TProjectUi& ui) {
  TBoard* board = project.Active();
  if (!board) return false;
  if (project.Boards.size() <= 1) {
    if (ui.Inform) ui.Inform(msg::kLastBoard);
    return false;
  }
  const std::string question = "Delete board \"" + Cp1251ToUtf8(StoredBoardName(*board)) + "\" ?";
  const bool ok = !ui.Confirm || ui.Confirm(question);
  project.Changed = true;
  if (!ok) return false;
  const int index = project.ActiveIndex;
  project.Boards.erase(project.Boards.begin() + index);
  project.ActiveIndex = -1;
  SwitchBoard(project, std::min(index, static_cast<int>(project.Boards.size()) - 1));
  return true;
}

bool MoveActiveBoard(TProject& project, TBoardMove move) {
  const int n = static_cast<int>(project.Boards.size());
  const int from = project.ActiveIndex;
  if (from < 0 || from >= n) return false;
  int to = from;
  switch (move) {
    case TBoardMove::ToEnd: to = n - 1; break;
    case TBoardMove::Right: to = std::min(from + 1, n - 1); break;
    case TBoardMove::ToStart: to = 0; break;
    case TBoardMove::Left: to = std::max(from - 1, 0); break;
  }
  if (to == from) return false;
  auto board = std::move(project.Boards[from]);
  project.Boards.erase(project.Boards.begin() + from);
  project.Boards.insert(project.Boards.begin() + to, std::move(board));
  project.ActiveIndex = to;
  project.Changed = true;
  return true;
}

TApplyResult ApplyBoardProperties(TProject& project, int32_t width, int32_t height, const TByteString& name,
                                  bool multilayer, const std::function<bool()>& confirmInnerDelete) {
  TBoard& board = *project.Active();
  TPlatine& p = board.Platine;
  TApplyResult result = TApplyResult::Applied;
  p.Width = width;
  p.Height = height;
  // A board always has a name: an empty one keeps the old.
  if (!TrimBlanks(name).empty()) board.Caption = TrimBlanks(name) + " ";
  if (p.Multilayer && !multilayer) {
    auto inner = [](const TObjekt& e) { return e.Layer == kLayerI1 || e.Layer == kLayerI2; };
    const bool any =
        std::any_of(board.Elements.begin(), board.Elements.end(), [&](const auto& e) { return inner(*e); });
    if (any && confirmInnerDelete && !confirmInnerDelete()) {
      multilayer = true;
      result = TApplyResult::MultilayerKept;
    } else {
      DeleteObjekte(board.Elements, inner);
      p.GroundPlane[kLayerI1] = p.GroundPlane[kLayerI2] = 0;
    }
  }
  if (static_cast<bool>(p.Multilayer) != multilayer) {
    p.Multilayer = multilayer ? 1 : 0;
    p.LayerVisible[kLayerI1] = p.LayerVisible[kLayerI2] = p.Multilayer;
  }
  project.Changed = true;
  return result;
}

bool CloseProject(TProject& project, const TProjectUi& ui, const std::function<bool()>& saveAs) {
  const TBoard* active = project.Active();
  const bool hasContent = (active && !active->Elements.empty()) || project.Boards.size() > 1;
  if (hasContent && project.Changed) {
    const TAnswer a = ui.AskYesNoCancel ? ui.AskYesNoCancel(msg::kSaveChanges) : TAnswer::Cancel;
    if (a == TAnswer::Cancel) return false;
    if (a == TAnswer::Yes && !(saveAs && saveAs())) return false;
  }
  project.ActiveIndex = -1;
  project.Boards.clear();
  project.Info = {};
  return true;
}

void TakeOverProject(TProject& into, TProject&& from) {
  into.Boards = std::move(from.Boards);
  from.Boards.clear();
  into.ActiveIndex = from.ActiveIndex;
  into.FileName = std::move(from.FileName);
  into.Info = std::move(from.Info);
  into.Changed = from.Changed;
}

}  // namespace bs
