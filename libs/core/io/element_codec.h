// The element encoding shared by project and macro files: writing the
// current layout and reading every older one, with the conversions that
// bring old elements up to date.
#pragma once

#include <cstdint>
#include <vector>

#include "io/byte_stream.h"
#include "model/objekt.h"
#include "model/platine.h"

namespace bs {

inline constexpr uint32_t kFileMagic = 0xFFAA3300u;
inline constexpr int kCurrentFileVersion = 6;

// Writes the element blocks of `list` (the count is written by the caller),
// then the connection lists of the pads and the route links of routed tracks
// (`withLinks`; macros write a zero connection count per pad instead and no
// route links).
void WriteElementBlocks(TByteWriter& w, const std::vector<const TObjekt*>& list, bool withLinks);

// The number of bytes WriteElementBlocks writes for the list, for reserving.
size_t ElementBlocksSize(const std::vector<const TObjekt*>& list, bool withLinks);

// Reads `count` elements of the given file version with their connections
// and route links into `list`, converting old layouts, units and defaults.
// Throws TReadError when the data is damaged or ends early.
void ReadElementBlocks(TByteReader& r, int version, size_t count, TObjektList& list);

// The conversions that follow reading a board's elements: legacy lines
// become tracks (versions 0 ... 4), via pairs are merged (versions 3 and 4),
// pad outlines are generated (versions 0 ... 4), old group numbers become
// groups (versions 0 and 1), the copper sides are exchanged (versions 0 ... 3)
// and circle angles in whole degrees become thousandths.
void ConvertOldElements(TObjektList& list, int version);

// Spoke masks of THT pads copied to every copper layer; pads off copper
// lose their thermal connection (versions 0 ... 5).
void PadFixUp(TObjektList& list);

// Replaces legacy texts (system-font texts) by stroke texts of about the same
// size and place; `pixelsPerInch` is the screen resolution their font
// height refers to.
void ConvertLegacyTexts(TObjektList& list, const TPlatine& board, double pixelsPerInch = 96);

}  // namespace bs
