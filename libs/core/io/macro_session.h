// The macro shown in the library panel's preview, and what the panel's
// commands do to it: loading, writing back, the board side, rotation, the
// description texts, deleting and renaming files under it.
//
// Only a macro that was read successfully can be edited or written back: a
// failed read leaves nothing loaded, so that no command can overwrite an
// unreadable file with an empty macro.
#pragma once

#include <string>

#include "io/macro_library.h"
#include "model/objekt.h"
#include "model/types.h"

namespace bs {

class TMacroSession {
 public:
  // The preview state: board side, "Add as component", grid and read options.
  TMacroView View;
  // "Through-Pads (vias)": the preview shows and the drop places copper THT
  // pads as vias; the loaded macro itself never changes for it.
  bool Vias = false;

  const TMacro& Macro() const { return macro_; }
  // A macro was read successfully and is shown.
  bool Loaded() const { return loaded_; }
  // The file of the loaded macro; empty when none is loaded.
  const std::string& Path() const;
  bool Modified() const { return loaded_ && macro_.Modified; }

  struct TLoadResult {
    bool Ok = false;
    bool Ignored = false;          // not a macro file name: nothing changed
    bool WriteBackFailed = false;  // the modified macro could not be written; nothing changed
    std::string Error;             // the message to show
    std::string Detail;            // why a read failed
  };
  // Loads the macro file at `path`. A modified loaded macro is written back
  // first when its file still exists; when that fails the loaded macro stays
  // as it is (still modified) unless `discardChanges` is set. A failed read
  // leaves nothing loaded.
  TLoadResult Load(const std::string& path, bool discardChanges = false);

  // Writes a modified loaded macro back to its file when the file still
  // exists; an empty string when written or nothing was to be written, else
  // the message (the modified flag is then kept).
  std::string WriteBack();

  // Shows the macro on the given side: flips it when it is shown on the
  // other one. The side it is shown on is remembered, so each side has one
  // picture even when the layers do not tell the side.
  void SetSide(bool top);
  // "Rotate macro": 90 degrees clockwise; marks the macro modified.
  void Rotate(bool alwaysReadable);
  // The description texts (cut to 50 characters); marks the macro modified
  // when they change.
  void SetTexts(const TByteString& text1, const TByteString& text2);
  // "Add as component": shows or hides the component labels.
  void SetAddAsComponent(bool on);
  // Marks the loaded macro modified (its component data changed).
  void MarkModified();
  // The loaded macro's elements, for editing its component data (then
  // MarkModified); empty when nothing is loaded.
  TObjektList& EditElements() { return macro_.Elements; }

  // A copy of the macro as the preview draws it and the drop places it:
  // with "Through-Pads (vias)" copper THT pads become vias.
  TObjektList PreviewElements() const;

  // Whether "Delete macro" may act on the file `path` selected in the tree:
  // only the loaded macro's own file.
  bool CanDelete(const std::string& path) const;
  struct TDeleteResult {
    bool Ok = false;
    std::string Error;
  };
  // Deletes the loaded macro's file (which must be `path`) and unloads it,
  // so that nothing writes it back later.
  TDeleteResult Delete(const std::string& path);

  // A file or folder was renamed from `oldPath` to `newPath`: when it is the
  // loaded macro's file or a folder above it, the loaded path follows.
  void Renamed(const std::string& oldPath, const std::string& newPath);

  // Nothing is loaded any more (changes are dropped).
  void Unload();

 private:
  TMacro macro_;
  bool loaded_ = false;
  bool shownTop_ = true;  // the side the loaded macro is shown on
};

// The message of a macro that could not be written back.
std::string MacroNotSavedMessage(const std::string& path);

}  // namespace bs
