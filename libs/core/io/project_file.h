// The project file (.bsm6): checking, reading every version, writing the
// current one, and the save steps around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/project.h"

namespace bs {

// The outcome of looking at a file's first four bytes.
struct TFileCheck {
  bool Ok = false;
  int Version = -1;     // 0 ... 6 when Ok
  std::string Message;  // why the file cannot be opened (caption "Open")
};
TFileCheck CheckFileHeader(const uint8_t* data, size_t size, const std::string& path);
TFileCheck CheckFile(const std::string& path);

struct TReadOptions {
  TLanguage Language = TLanguage::English;  // name of the board of versions 0 ... 2
  double PixelsPerInch = 96;                // for legacy texts
};

struct TReadResult {
  bool Ok = false;
  int Version = -1;
  std::string Error;    // the file is not ours, damaged or incomplete
  std::string Warning;  // the copper sides of an old layout were exchanged
};

// Reads a project file's bytes. Without `import` the project is replaced by
// the file's boards; with it they are appended. A file that fails the header
// check changes nothing. A damaged or truncated file keeps the boards read
// completely so far (at least one board remains) and clears the project's
// file name, so that a later save never overwrites the original.
TReadResult ReadProjectBytes(TProject& project, const uint8_t* data, size_t size, bool import, const std::string& path,
                             const TReadOptions& opt = {});
TReadResult ReadProjectFile(TProject& project, const std::string& path, bool import, const TReadOptions& opt = {});

// The version-6 bytes of the project as it is (no clean-up).
std::vector<uint8_t> EncodeProject(const TProject& project);

// The clean-up before a manual save of the active board: elements whose
// partner set lies wholly outside the working space are deleted and the
// list is cleaned up. Returns the number of elements deleted.
size_t RemoveElementsOutsideBoard(TBoard& board);
// How many elements that clean-up would delete.
size_t CountElementsOutsideBoard(const TBoard& board);

struct TWriteResult {
  bool Ok = false;
  std::string Error;  // "The file "…" can not be written:" and the system's reason
};

// Writes the project: unless autosaving, removes what lies outside the
// board and cleans the active board up; renumbers its groups and
// components; writes the file through a temporary file in the same folder
// that replaces the target only when complete; unless autosaving, clears
// the change flag. On failure the old file and the flag stay as they were.
TWriteResult WriteProject(TProject& project, const std::string& path, bool autosave = false);

// The name with its extension replaced by ".bsm6" (when it is not that,
// compared case-insensitively).
std::string WithProjectExtension(const std::string& path);
// The autosave copy of a project file: board.bsm6 -> board.bsm6.bak.
std::string AutosaveName(const std::string& path);

// The save command for a chosen name: adjusts the extension (asking whether
// to keep an original of another extension, deleting it on No), asks before
// elements outside the working space are deleted (Cancel saves nothing),
// writes, and makes the name the project's. Returns whether the save
// completed.
bool SaveProjectAs(TProject& project, const std::string& path, const TProjectUi& ui);

}  // namespace bs
