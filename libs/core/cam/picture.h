// Pictures of a board: BMP, JPEG and GIF files of the whole board at a
// resolution in dots per inch, in colour or in black and white. The board
// is painted in bands of rows that go straight to the encoder, so a picture
// needs memory for one band, not for all its pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "project/project.h"
#include "render/painter.h"
#include "render/surface.h"

namespace bs {

enum class TPictureFormat { Bmp, Jpeg, Gif };

// The format named by the file's extension (.bmp, .jpg or .jpeg, .gif, any
// case); none for another one.
std::optional<TPictureFormat> PictureFormatOf(const std::string& path);

inline constexpr int kPictureMinDpi = 100;
inline constexpr int kPictureMaxDpi = 1200;
// Above this estimate (in kB) a picture is large: the user confirms it.
inline constexpr long long kPictureLargeKb = 25000;

struct TPictureSize {
  long long Width = 0;
  long long Height = 0;
};
// The pixel size of the whole board at `dpi`: each side in millimetres
// times dpi / 25.4, rounded.
TPictureSize PictureSize(const TPlatine& board, int dpi);
// The memory a whole bitmap of that size takes, in kB: pixels / 1024,
// rounded, then divided by 8 (whole kB) for black and white or times 3 for
// colour.
long long PictureMemoryKb(const TPictureSize& size, bool colour);
// The resolution in pixels per metre, rounded.
long long PixelsPerMetre(int dpi);

struct TPictureOptions {
  TPictureFormat Format = TPictureFormat::Bmp;
  int Dpi = 600;
  bool Colour = true;
  // Colour BMP and JPEG pictures only; black and white and GIF pictures are
  // always painted in the plain look.
  bool AntiAliased = true;
  // The board seen from below: the picture mirrored left to right.
  bool Mirrored = false;
  // Scheme, ground planes and transparency as on screen; the fields that
  // only the screen shows (grid, tool mode, blinking) are overridden.
  TPaintSettings Paint;
  int BandRows = 256;
  int JpegQuality = 100;
};

enum class TPictureStatus {
  Ok,
  BadDpi,         // outside kPictureMinDpi ... kPictureMaxDpi
  Empty,          // the board has no pixel at that resolution
  TooLarge,       // beyond what the file format can hold
  CannotWrite,    // the file could not be written (Reason: the system's reason)
  EncoderFailed,  // the JPEG or GIF encoder gave up (Reason: its message)
};

struct TPictureResult {
  TPictureStatus Status = TPictureStatus::Ok;
  std::string Reason;
  bool Ok() const { return Status == TPictureStatus::Ok; }
};

// The largest picture side (pixels) the format holds, and for BMP the
// largest file; a picture beyond them is refused before painting.
long long MaxPictureSide(TPictureFormat format);
// Whether the picture can be made: dpi range, an empty board, format limits.
TPictureResult CheckPicture(const TPlatine& board, const TPictureOptions& options);

// The paint settings of a picture: no grid, no tool-mode highlights, no
// selection look or screen overlays (the board's own flags are not touched);
// black and white paints every element, plane and spoke black and the background,
// gaps and drill holes white.
TPaintSettings PicturePaintSettings(const TPictureOptions& options);
// Whether the antialiased surface paints the picture.
bool PictureAntiAliased(const TPictureOptions& options);

// The conversion to one bit: white when the luminance
// (299 R + 587 G + 114 B) / 1000 is at least 128, else black.
inline bool IsWhitePixel(TColour c) {
  return 299 * unsigned(Red(c)) + 587 * unsigned(Green(c)) + 114 * unsigned(Blue(c)) >= 128 * 1000;
}

// Receives the bands of a picture: pixel rows firstRow ... firstRow + rows - 1
// are rows 0 ... rows - 1 of `band` (which may hold more rows below them).
// Returning false stops the painting.
using TBandSink = std::function<bool(const TRaster& band, int firstRow, int rows)>;

// Paints the picture of `board` of the given size in bands
// of options.BandRows rows, from the top or, with `bottomUp`, from the
// bottom band upwards, and hands each to the sink. False when the sink
// stopped it.
bool PaintPictureBands(const TBoard& board, const TPictureOptions& options, const TPictureSize& size, bool bottomUp,
                       const TBandSink& sink);

// Writes the picture of the board to `path` in options.Format: through a
// temporary file renamed at the end, so an existing file is replaced only
// by a complete new one and a failed run leaves no file behind. BMP: 1 bit
// (black and white) or 24 bits per pixel, with the resolution in pixels per
// metre; JPEG: quality options.JpegQuality, then 90 and 80 when the encoder
// fails, with the density in dots per inch; GIF: the exact colours of the
// plain look (2 for black and white).
TPictureResult WritePicture(const std::string& path, const TBoard& board, const TPictureOptions& options);

}  // namespace bs
