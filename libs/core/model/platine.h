// The board record: working-space size, view state, layer switches and
// scanned-template settings of one board (499 bytes when stored).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace bs {

inline constexpr size_t kPlatineSize = 499;
inline constexpr size_t kTemplateFileMax = 200;

struct TPlatine {
  int32_t Width = 0;
  int32_t Height = 0;
  std::array<uint8_t, 8> GroundPlane{};  // index 1 ... 7 = layer; 0 unused
  double Grid = 12700;
  double Zoom = 0.001;
  int32_t ScrollX = 0;
  int32_t ScrollY = 0;
  int32_t ActiveLayer = 3;
  std::array<uint8_t, 8> LayerVisible{0, 1, 1, 1, 1, 0, 0, 1};  // index 1 ... 7
  uint8_t Template1On = 0;
  uint8_t Template2On = 0;
  std::string Template1File;
  std::string Template2File;
  int32_t Template1Dpi = 600;
  int32_t Template2Dpi = 600;
  int32_t Template1OffsetX = 0;
  int32_t Template2OffsetX = 0;
  int32_t Template1OffsetY = 0;
  int32_t Template2OffsetY = 0;
  int32_t Template1Colour = 0x00FF00;
  int32_t Template2Colour = 0x00FF00;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  uint8_t Multilayer = 0;

  friend bool operator==(const TPlatine&, const TPlatine&) = default;
};

// The record of a new board of the given size. The zero point is the lower
// left corner, or the upper left one when `originTopLeft` is set.
TPlatine NewPlatine(int32_t width, int32_t height, bool originTopLeft);

// Writes the stored layout (little-endian; the reference slot and the unused
// bytes of the template file names are zero).
void EncodePlatine(const TPlatine& p, uint8_t* out);
// Reads the stored layout; only the low byte of ActiveLayer counts and file
// name lengths above 200 are cut to 200.
TPlatine DecodePlatine(const uint8_t* in);

}  // namespace bs
