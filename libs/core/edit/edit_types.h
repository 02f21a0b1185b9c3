// What the edit operations need from the settings and what they report back
// to the window that calls them.
#pragma once

#include <string>

namespace bs {

// The options of the settings file the edit operations depend on.
struct TEditOptions {
  int FollowLevel = 0;         // rubber-band follow: 0 off, 1 small (0.5 mm), 2 large (1 mm)
  bool ReadableLabels = true;  // component labels never read upside down after rotating
  bool OptimiseTracks = true;  // tidying removes redundant collinear vertices
};

enum class TEditStatus {
  NoChange,           // nothing to do; the board and its undo stack are untouched
  Done,               // the board changed; one undo step was recorded
  NeedsConfirmation,  // the caller must ask `Message` (OK / Cancel) and call again confirmed
  Failed,             // nothing changed; `Message` says why
};

struct TEditResult {
  TEditStatus Status = TEditStatus::NoChange;
  std::string Message;             // UTF-8 text for the caller to show, may be empty
  bool ComponentsChanged = false;  // the component list needs a refresh

  bool Done() const { return Status == TEditStatus::Done; }
};

// The warning before components change sides or are mirrored.
inline constexpr const char* kComponentSideWarning =
    "The selection contains components. Mirroring components or moving them to the other board "
    "side can make them unusable, and their pick-and-place rotation will be wrong.\n\nContinue?";

}  // namespace bs
