// A project: the ordered boards of one project file, the active board, the
// project description and the change flag, with the board commands.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/objekt.h"
#include "model/platine.h"

namespace bs {

inline constexpr size_t kBoardNameMax = 30;

// One element of an undo snapshot: a frozen copy without references, moved
// by an offset. Snapshots share the frozen copies of elements that did not
// change between them (or only moved), so that a step costs memory in
// proportion to what it changed.
struct TUndoElement {
  std::shared_ptr<const TObjekt> Base;
  TDPoint Offset;
};

// One entry of a board's undo or redo stack: the whole board as it was.
struct TUndoSnapshot {
  std::vector<TUndoElement> Elements;
  // The references between the elements, by index: for each pad with
  // rubber bands its index, their count and the partners' indices; for each
  // routed track its index and those of its start and end pad (or -1).
  std::vector<int32_t> Connections;
  std::vector<int32_t> Routes;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

// One entry of a board's zoom history.
struct TZoomRecord {
  int32_t ScrollX = 0;
  int32_t ScrollY = 0;
  double Zoom = 0;
  friend bool operator==(const TZoomRecord&, const TZoomRecord&) = default;
};
// Unbounded, newest at the back; not saved with the board.
using TZoomHistory = std::vector<TZoomRecord>;

struct TBoard {
  TByteString Caption;  // tab caption: the name as entered plus one blank
  TPlatine Platine;     // always current, also for the active board
  TObjektList Elements;
  std::deque<TUndoSnapshot> UndoStack;  // newest at the back
  std::deque<TUndoSnapshot> RedoStack;
  TZoomHistory ZoomHistory;
};

// The text without leading and trailing blanks.
TByteString TrimBlanks(const TByteString& s);
// The name stored for a caption: surrounding blanks removed, cut to 30 bytes.
TByteString StoredBoardName(const TByteString& caption);
inline TByteString StoredBoardName(const TBoard& b) { return StoredBoardName(b.Caption); }

struct TProjectInfo {
  TByteString Title;    // at most 100 characters
  TByteString Author;   // at most 100 characters
  TByteString Company;  // at most 100 characters
  TByteString Comment;  // at most 1900 characters
};

// Undo settings and the editor's state that undo depends on.
struct TUndoControl {
  int Depth = 50;         // the undo stack holds at most Depth + 1 snapshots
  bool Recording = true;  // off while one step creates several elements
  bool Blocked = false;   // a track or zone is drawn, or a placement runs
};

struct TProject {
  std::vector<std::unique_ptr<TBoard>> Boards;
  TUndoControl Undo;
  int ActiveIndex = -1;  // -1 while no board is active
  std::string FileName;
  TProjectInfo Info;
  bool Changed = false;
  std::string LastDirectory;

  TBoard* Active() {
    return ActiveIndex >= 0 && ActiveIndex < static_cast<int>(Boards.size()) ? Boards[ActiveIndex].get() : nullptr;
  }
};

enum class TAnswer { Yes, No, Cancel };

// How the project talks to the user; texts are UTF-8. The application shows
// message boxes, the command line answers by itself.
struct TProjectUi {
  std::function<bool(const std::string&)> Confirm;            // OK / Cancel
  std::function<TAnswer(const std::string&)> AskYesNoCancel;  // Yes / No / Cancel
  std::function<void(const std::string&)> Inform;             // information box
};

// The name of the first board of a project: "Board 1" in the given language.
TByteString DefaultBoardName(TLanguage lang);
// The prefix of a copied board's name.
TByteString CopyBoardPrefix(TLanguage lang);

// Appends a board with caption name + " ", the defaults of a new record and
// an empty element list, and makes it active.
TBoard& AddBoard(TProject& project, const TByteString& name, int32_t width, int32_t height, bool originTopLeft);

// The project of a fresh start: one empty board "Board 1" of 160 x 100 mm.
void ResetProject(TProject& project, TLanguage lang, bool originTopLeft);

// Makes the board at `index` active. Every board's record is kept current,
// so nothing needs to be carried over.
void SwitchBoard(TProject& project, int index);

// Adds a copy of the active board (record, elements with connections and
// route links inside the copy) and makes it active.
TBoard& CopyActiveBoard(TProject& project, TLanguage lang);

// Asks and deletes the active board; refuses the last board with a message.
// Returns whether a board was deleted.
bool DeleteActiveBoard(TProject& project, const TProjectUi& ui);

enum class TBoardMove { ToEnd, Right, ToStart, Left };
// Moves the active board in the tab order; it stays active. Returns false
// (and changes nothing) at the respective end.
bool MoveActiveBoard(TProject& project, TBoardMove move);

// The question shown before inner-layer elements are deleted.
extern const char* const kInnerLayerDeleteQuestion;

enum class TApplyResult { Applied, MultilayerKept };
// Applies the board page of the properties panel: size in units, name (an
// empty one keeps the old name) and the multilayer switch. Switching
// multilayer off deletes every element of layers I1 and I2 and their ground
// planes; when such elements exist
// `confirmInnerDelete` is asked first, and on a refusal multilayer stays on
// (the other values are applied).
TApplyResult ApplyBoardProperties(TProject& project, int32_t width, int32_t height, const TByteString& name,
                                  bool multilayer, const std::function<bool()>& confirmInnerDelete);

// Closes the project, asking "Save changes?" when needed; `saveAs` saves and
// reports whether the save completed. Returns whether the project was closed
// (all boards gone, project info cleared).
bool CloseProject(TProject& project, const TProjectUi& ui, const std::function<bool()>& saveAs);

// Makes a project read into `from` the open one: its boards, active board,
// file name, description and change flag replace those of `into`, whose old
// boards and undo stacks are freed. The undo settings and the last folder of
// `into` stay.
void TakeOverProject(TProject& into, TProject&& from);

}  // namespace bs
