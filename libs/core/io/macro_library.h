// The macro library: a folder tree of macro files, the file commands of its
// panel and the loading of the macro shown in the preview.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/macro_file.h"

namespace bs {

inline constexpr const char* kMacroExtension = ".bmk";
inline constexpr const char* kMacroFolderName = "Makros";

// One node of the library tree: a folder, or a macro file shown without its
// extension.
struct TMacroNode {
  std::string Name;
  std::string Path;  // the folder or the file itself
  bool Folder = false;
  std::vector<TMacroNode> Children;  // folders only
};

// The library root: the configured folder when it exists, else the folder
// "Makros" in the application's data folder.
std::string MacroLibraryRoot(const std::string& dataFolder, const std::string& configured);

// Whether the name ends in ".bmk" (compared case-insensitively).
bool IsMacroFileName(const std::string& path);

// Natural order of names: case-insensitive, runs of digits compared by their
// value. Negative, zero or positive like strcmp; names that differ only in
// case or leading zeros compare equal.
int NaturalCompare(std::string_view a, std::string_view b);
// The tree's order: natural order, ties broken by the bytes of the names.
bool NaturalLess(std::string_view a, std::string_view b);

// Scans the folder below `root` recursively: folders and ".bmk" files, names
// beginning with "." skipped, every level in natural order. `status` receives
// "Laoding macros...\r" and the lower-case path of each folder scanned.
std::vector<TMacroNode> ScanMacroLibrary(const std::string& root,
                                         const std::function<void(const std::string&)>& status = {});

// The path of the node reached by `names` from the root: the file of that
// name with the macro extension when one exists, otherwise the folder.
std::string MacroNodePath(const std::string& root, const std::vector<std::string>& names);

struct TRenameResult {
  bool Ok = false;
  std::string NewPath;
  std::string Message;  // why the old caption stays
};

// Renames the file or folder of a node to the new caption; a file keeps its
// extension. Refused with "\"<caption>\" already exists." when the new path
// is taken, with "Cannot rename file." when renaming fails.
TRenameResult RenameMacroNode(const std::string& path, const std::string& newCaption);

// The question asked before deleting a macro file: Delete file "<name>" ?
std::string DeleteMacroQuestion(const std::string& path);
// Deletes the macro file; false when it could not be deleted.
bool DeleteMacroFile(const std::string& path);

// The preview state a loaded macro is fitted to.
struct TMacroView {
  bool Top = true;              // board side of the preview
  bool AddAsComponent = false;  // shows the component labels
  TMacroGrid Grid;
  TReadOptions Read;
};

// Loads the macro file at `path` into `loaded`: a path without the macro
// extension is ignored (Ok false, no error); a modified loaded macro whose
// file still exists is written back first; the new macro is put on the
// preview's side, its labels shown or hidden, its modified flag cleared. A
// failed read leaves `loaded` empty with the error to report.
TMacroReadResult LoadMacro(TMacro& loaded, const std::string& path, const TMacroView& view);

}  // namespace bs
