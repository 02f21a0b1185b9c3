// Macro files (.bmk): reusable groups of elements stored relative to their
// reference point, with two description lines; and the operations on a
// loaded macro (board side, rotation).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/project_file.h"
#include "model/messages.h"
#include "model/objekt.h"
#include "model/types.h"

namespace bs {

inline constexpr size_t kMacroTextMax = 50;

// The one message of every failed macro read.
using msg::kMacroNotLoaded;

struct TMacro {
  TObjektList Elements;
  TByteString Text1;  // first description line (at most 50 characters)
  TByteString Text2;  // second description line
  int Version = -1;   // file version it was read from
  std::string Path;   // the file it was loaded from
  // The description texts, the rotation or the component data changed since
  // the macro was loaded or last written.
  bool Modified = false;
};

struct TMacroReadResult {
  bool Ok = false;
  std::string Error;   // "The macro can not be loaded." when not Ok
  std::string Detail;  // why: what was wrong with the file
};

// Reads a macro file of any version 0 ... 6 with the conversions of old
// versions; a damaged or short file leaves `macro` empty and fails.
//
// Layout: u32 0xFFAA3300 + version; the element count (i16 for versions
// 0 ... 2, i32 from version 3 on); the element blocks, connection lists and
// route links of a project board of the same version; from version 4 on two
// short strings of 50 (the description lines). A header whose upper three
// bytes are not those of the file magic, or a version above 6, fails too.
TMacroReadResult ReadMacroBytes(const uint8_t* data, size_t size, TMacro& macro, const TReadOptions& opt = {});
// The same from a file; `macro.Path` becomes `path` whether or not it loads.
TMacroReadResult ReadMacroFile(const std::string& path, TMacro& macro, const TReadOptions& opt = {});

// What the reference point needs to know for its last rule (the grid-snapped
// upper-left corner of the bounding rectangle).
struct TMacroGrid {
  double Grid = 12700;
  TDPoint Origin{0, 0};
};

// The reference point of the elements (of the selected ones when
// `selectionOnly`): the pad centres, else the track and zone vertices, else
// the circle centres, taking each candidate in list order that lies not
// right of and not below the current one (compared in whole units); else the
// grid-snapped upper-left corner of their bounding rectangle.
TDPoint MacroReferencePoint(const TObjektList& list, bool selectionOnly, const TMacroGrid& grid = {});

// The version-6 bytes of a macro holding the elements (or the selected ones)
// moved by minus their reference point. Cleans the list up first.
std::vector<uint8_t> EncodeMacro(TObjektList& list, bool selectionOnly, const TByteString& text1,
                                 const TByteString& text2, const TMacroGrid& grid = {});
// Writes the macro file through a temporary file; false when it cannot be written.
bool WriteMacroFile(const std::string& path, TObjektList& list, bool selectionOnly, const TByteString& text1,
                    const TByteString& text2, const TMacroGrid& grid = {});
// Writes the whole loaded macro with its description texts to `path` and
// clears its modified flag; false (flag unchanged) when it cannot be written.
bool SaveMacro(const std::string& path, TMacro& macro, const TMacroGrid& grid = {});

// ---- the loaded macro ----

// Whether the macro sits on the top side: decided by its silkscreen when all
// of it lies on one silkscreen layer (top for layer 2); else by its copper on
// layers 1 and 3 when all of that lies on one of them (top for layer 1 when
// the macro has SMD pads, for layer 3 when it has none); else bottom.
bool MacroIsTop(const TObjektList& list);

// Moves the macro to the other board side: mirrors it about x = 0, moves it
// so that its new reference point lies at (0, 0), negates the ID labels'
// placement X offset and exchanges the layers 1 <-> 3 and 2 <-> 4.
void FlipMacro(TObjektList& list, const TMacroGrid& grid = {});

// Flips the macro when its detected side is not `top`; returns whether it did.
bool ApplyMacroSide(TObjektList& list, bool top, const TMacroGrid& grid = {});

// Turns the macro by 90 degrees clockwise about (0, 0). With
// `alwaysReadable`, component ID and value labels that would read upside
// down turn by 180 degrees more, their strokes rebuilt in place. The macro is
// then moved to its new reference point; the ID labels' placement rotation
// changes by -90 on the top side and +90 on the bottom side (kept in
// 0 ... 360, 360 itself becoming 0). Marks the macro modified.
void RotateMacro(TMacro& macro, bool top, bool alwaysReadable, const TMacroGrid& grid = {});

// Shows or hides the component ID and value labels (placed copies leave
// hidden labels out).
void ShowMacroLabels(TObjektList& list, bool shown);

}  // namespace bs
