#include "cam/picture.h"

#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "render/raster_surface.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace bs {

namespace fs = std::filesystem;

std::optional<TPictureFormat> PictureFormatOf(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".bmp") return TPictureFormat::Bmp;
  if (ext == ".jpg" || ext == ".jpeg") return TPictureFormat::Jpeg;
  if (ext == ".gif") return TPictureFormat::Gif;
  return std::nullopt;
}

TPictureSize PictureSize(const TPlatine& board, int dpi) {
  auto side = [dpi](int32_t units) { return std::llround(dpi * (double(units) / kUnitsPerMm) / 25.4); };
  return {side(board.Width), side(board.Height)};
}

long long PictureMemoryKb(const TPictureSize& size, bool colour) {
  const long long kb = std::llround(double(size.Width) * double(size.Height) / 1024);
  return colour ? kb * 3 : kb / 8;
}

long long PixelsPerMetre(int dpi) { return std::llround(dpi / 0.0254); }

long long MaxPictureSide(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::Jpeg: return JPEG_MAX_DIMENSION;
    case TPictureFormat::Gif: return 65535;  // 16-bit sizes
    case TPictureFormat::Bmp: break;
  }
  return 1LL << 30;
}

namespace {
constexpr long long kBmpHeaderBytes = 14 + 40;

long long BmpStride(long long width, bool colour) { return colour ? (width * 3 + 3) / 4 * 4 : (width + 31) / 32 * 4; }
long long BmpPaletteBytes(bool colour) { return colour ? 0 : 8; }
}  // namespace

TPictureResult CheckPicture(const TPlatine& board, const TPictureOptions& o) {
  if (o.Dpi < kPictureMinDpi || o.Dpi > kPictureMaxDpi) return {TPictureStatus::BadDpi, {}};
  const TPictureSize size = PictureSize(board, o.Dpi);
  if (size.Width <= 0 || size.Height <= 0) return {TPictureStatus::Empty, {}};
  const long long side = MaxPictureSide(o.Format);
  if (size.Width > side || size.Height > side) return {TPictureStatus::TooLarge, {}};
  if (o.Format == TPictureFormat::Bmp) {
    // The file size is a 32-bit field.
    const long long bytes = kBmpHeaderBytes + BmpPaletteBytes(o.Colour) + BmpStride(size.Width, o.Colour) * size.Height;
    if (bytes > 0xFFFFFFFFLL) return {TPictureStatus::TooLarge, {}};
  }
  return {};
}

bool PictureAntiAliased(const TPictureOptions& o) {
  return o.Colour && o.AntiAliased && o.Format != TPictureFormat::Gif;
}

TPaintSettings PicturePaintSettings(const TPictureOptions& o) {
  TPaintSettings s = o.Paint;
  s.ShowGrid = false;
  s.ToolMode = 0;
  s.BlinkDark = false;
  // Nothing selected, no rubber bands, zero point or markers: the painter
  // leaves them out, the board keeps them.
  s.Artwork = true;
  if (!o.Colour) {
    s.Monochrome = true;
    s.Drillings = 1;  // white holes
    // Ground planes and their spokes take the layer colour: black too.
    for (TColour& c : s.Scheme.C) c = 0x000000;
    s.Scheme.C[kColBackground] = 0xFFFFFF;
  }
  return s;
}

bool PaintPictureBands(const TBoard& board, const TPictureOptions& o, const TPictureSize& size, bool bottomUp,
                       const TBandSink& sink) {
  if (size.Width <= 0 || size.Height <= 0 || board.Platine.Width <= 0) return true;
  const int w = int(size.Width), h = int(size.Height);
  const int rows = std::clamp(o.BandRows, 1, h);
  const TPaintSettings settings = PicturePaintSettings(o);
  // The whole board spans the picture's width.
  const double zoom = double(w) / board.Platine.Width;
  TRasterSurface surface(w, rows, PictureAntiAliased(o));
  const int bands = (h + rows - 1) / rows;
  for (int k = 0; k < bands; ++k) {
    const int band = bottomUp ? bands - 1 - k : k;
    const int y0 = band * rows, n = std::min(rows, h - y0);
    surface.Clear(settings.Scheme.Background());
    PaintBoard(surface, board, TViewMap{zoom, 0, double(y0)}, settings, TPaintTarget::BitmapExport);
    TRaster& r = surface.Raster();
    if (o.Mirrored)
      for (int y = 0; y < n; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(&r.Pixels[size_t(y) * size_t(w) * 4]);
        std::reverse(row, row + w);
      }
    if (!sink(r, y0, n)) return false;
  }
  return true;
}

namespace {

// A file written under a temporary name beside its target and renamed onto
// it when complete (the pattern of WriteFileAtomically, for files written
// piece by piece); dropped unless committed.
class TAtomicOut {
 public:
  explicit TAtomicOut(const std::string& path) : path_(path) {
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    tmp_ = (dir / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()))).string();
    errno = 0;
    f_ = std::fopen(tmp_.c_str(), "wb");
    if (!f_) Fail();
  }
  ~TAtomicOut() {
    if (f_) std::fclose(f_);
    if (!committed_) std::remove(tmp_.c_str());
  }
  TAtomicOut(const TAtomicOut&) = delete;
  TAtomicOut& operator=(const TAtomicOut&) = delete;

  FILE* File() const { return f_; }
  const std::string& TempPath() const { return tmp_; }
  bool Good() const { return f_ && error_ == 0; }
  bool Write(const void* data, size_t n) {
    if (!Good()) return false;
    errno = 0;
    if (std::fwrite(data, 1, n, f_) != n) Fail();
    return Good();
  }
  // Takes a failure noticed elsewhere (by an encoder writing to File()).
  void Fail() {
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  }
  // Hands the file over to another writer that closes it itself.
  void Release() { f_ = nullptr; }
  // Flushes, closes and renames (when the file was not released, it is
  // closed here); false on any failure so far.
  bool Commit() {
    if (f_) {
      errno = 0;
      if (std::fflush(f_) != 0 || ::fsync(::fileno(f_)) != 0) Fail();
      if (std::fclose(f_) != 0) Fail();
      f_ = nullptr;
    }
    if (error_ != 0) return false;
    errno = 0;
    if (std::rename(tmp_.c_str(), path_.c_str()) != 0) {
      Fail();
      return false;
    }
    committed_ = true;
    return true;
  }
  std::string Reason() const { return std::strerror(error_ != 0 ? error_ : EIO); }

 private:
  std::string path_, tmp_;
  FILE* f_ = nullptr;
  int error_ = 0;
  bool committed_ = false;
};

TPictureResult CannotWrite(const TAtomicOut& out) { return {TPictureStatus::CannotWrite, out.Reason()}; }

void PutLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// ---- BMP ----

// Rows are stored bottom-up, so the bands are painted from the bottom band
// upwards and each band's rows written from its last row to its first.
TPictureResult WriteBmp(const std::string& path, const TBoard& board, const TPictureOptions& o,
                        const TPictureSize& size) {
  const bool colour = o.Colour;
  const long long stride = BmpStride(size.Width, colour);
  const long long offset = kBmpHeaderBytes + BmpPaletteBytes(colour);
  const long long imageBytes = stride * size.Height;
  const uint32_t ppm = uint32_t(PixelsPerMetre(o.Dpi));
  std::vector<uint8_t> head;
  head.push_back('B');
  head.push_back('M');
  PutLe(head, uint32_t(offset + imageBytes), 4);
  PutLe(head, 0, 4);
  PutLe(head, uint32_t(offset), 4);
  PutLe(head, 40, 4);
  PutLe(head, uint32_t(size.Width), 4);
  PutLe(head, uint32_t(size.Height), 4);  // positive: bottom-up
  PutLe(head, 1, 2);
  PutLe(head, colour ? 24 : 1, 2);
  PutLe(head, 0, 4);  // no compression
  PutLe(head, uint32_t(imageBytes), 4);
  PutLe(head, ppm, 4);
  PutLe(head, ppm, 4);
  PutLe(head, colour ? 0 : 2, 4);  // colours used
  PutLe(head, 0, 4);
  if (!colour) {
    PutLe(head, 0x00000000, 4);  // index 0 black
    PutLe(head, 0x00FFFFFF, 4);  // index 1 white
  }
  TAtomicOut out(path);
  if (!out.Write(head.data(), head.size())) return CannotWrite(out);
  std::vector<uint8_t> row(size_t(stride), 0);
  const int w = int(size.Width);
  const bool painted = PaintPictureBands(board, o, size, true, [&](const TRaster& r, int, int n) {
    for (int y = n - 1; y >= 0; --y) {
      const uint8_t* src = &r.Pixels[size_t(y) * size_t(w) * 4];
      if (colour) {
        for (int x = 0; x < w; ++x) {
          row[3 * size_t(x)] = src[4 * x + 2];
          row[3 * size_t(x) + 1] = src[4 * x + 1];
          row[3 * size_t(x) + 2] = src[4 * x];
        }
      } else {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < w; ++x)
          if (IsWhitePixel(Rgb(src[4 * x], src[4 * x + 1], src[4 * x + 2]))) row[size_t(x) >> 3] |= 0x80 >> (x & 7);
      }
      if (!out.Write(row.data(), row.size())) return false;
    }
    return true;
  });
  if (!painted || !out.Commit()) return CannotWrite(out);
  return {};
}

// ---- JPEG ----

struct TJpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JpegErrorExit(j_common_ptr c) {
  auto* e = reinterpret_cast<TJpegError*>(c->err);
  (*c->err->format_message)(c, e->message);
  std::longjmp(e->jump, 1);
}

// Each libjpeg call that may fail runs in a function of its own with no
// C++ objects between the jump point and the call.
bool JpegStart(jpeg_compress_struct& c, TJpegError& e, FILE* f, int w, int h, bool colour, int dpi, int quality) {
  if (setjmp(e.jump)) return false;
  jpeg_stdio_dest(&c, f);
  c.image_width = JDIMENSION(w);
  c.image_height = JDIMENSION(h);
  c.input_components = colour ? 3 : 1;
  c.in_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  c.write_JFIF_header = TRUE;
  c.density_unit = 1;  // dots per inch
  c.X_density = UINT16(dpi);
  c.Y_density = UINT16(dpi);
  jpeg_start_compress(&c, TRUE);
  return true;
}

bool JpegRow(jpeg_compress_struct& c, TJpegError& e, JSAMPROW row) {
  if (setjmp(e.jump)) return false;
  jpeg_write_scanlines(&c, &row, 1);
  return true;
}

bool JpegFinish(jpeg_compress_struct& c, TJpegError& e) {
  if (setjmp(e.jump)) return false;
  jpeg_finish_compress(&c);
  return true;
}

TPictureResult WriteJpegOnce(const std::string& path, const TBoard& board, const TPictureOptions& o,
                             const TPictureSize& size, int quality) {
  TAtomicOut out(path);
  if (!out.Good()) return CannotWrite(out);
  jpeg_compress_struct c{};
  TJpegError e{};
  c.err = jpeg_std_error(&e.mgr);
  e.mgr.error_exit = JpegErrorExit;
  jpeg_create_compress(&c);
  const int w = int(size.Width);
  const bool colour = o.Colour;
  bool ok = JpegStart(c, e, out.File(), w, int(size.Height), colour, o.Dpi, quality);
  std::vector<uint8_t> row(static_cast<size_t>(w) * (colour ? 3 : 1));
  if (ok)
    ok = PaintPictureBands(board, o, size, false, [&](const TRaster& r, int, int n) {
      for (int y = 0; y < n; ++y) {
        const uint8_t* src = &r.Pixels[size_t(y) * size_t(w) * 4];
        for (int x = 0; x < w; ++x) {
          if (colour) std::copy(src + 4 * x, src + 4 * x + 3, &row[3 * size_t(x)]);
          else row[size_t(x)] = IsWhitePixel(Rgb(src[4 * x], src[4 * x + 1], src[4 * x + 2])) ? 255 : 0;
        }
        if (!JpegRow(c, e, row.data())) return false;
      }
      return true;
    });
  if (ok) ok = JpegFinish(c, e);
  jpeg_destroy_compress(&c);
  if (!ok) {
    // A failed write of the stdio destination ends in the encoder's error.
    if (std::ferror(out.File())) {
      out.Fail();
      return CannotWrite(out);
    }
    return {TPictureStatus::EncoderFailed, e.message};
  }
  if (!out.Commit()) return CannotWrite(out);
  return {};
}

TPictureResult WriteJpeg(const std::string& path, const TBoard& board, const TPictureOptions& o,
                         const TPictureSize& size) {
  TPictureResult r;
  for (int quality : {o.JpegQuality, 90, 80}) {
    r = WriteJpegOnce(path, board, o, size, quality);
    if (r.Status != TPictureStatus::EncoderFailed) break;
  }
  return r;
}

// ---- GIF ----

// The colours of a picture in the order first met; empty when there are more
// than 256.
std::vector<TColour> PictureColours(const TBoard& board, const TPictureOptions& o, const TPictureSize& size) {
  std::vector<TColour> colours;
  std::unordered_map<TColour, int> seen;
  const int w = int(size.Width);
  PaintPictureBands(board, o, size, false, [&](const TRaster& r, int, int n) {
    TColour last = 0xFFFFFFFF;
    for (size_t i = 0, end = size_t(n) * size_t(w); i < end; ++i) {
      const uint8_t* p = &r.Pixels[4 * i];
      const TColour c = Rgb(p[0], p[1], p[2]);
      if (c == last) continue;
      last = c;
      if (seen.emplace(c, 0).second) colours.push_back(c);
      if (colours.size() > 256) return false;
    }
    return true;
  });
  if (colours.size() > 256) colours.clear();
  return colours;
}

std::string GifReason(int code) {
  const char* s = GifErrorString(code);
  return s ? s : "GIF error " + std::to_string(code);
}

TPictureResult WriteGif(const std::string& path, const TBoard& board, const TPictureOptions& o,
                        const TPictureSize& size) {
  // Black and white: index 0 black, 1 white. Colour: the plain look's
  // colours, found by a first painting; should the painting ever use more
  // than 256, the 6 x 6 x 6 colour cube with the nearest entry.
  std::vector<TColour> palette;
  bool cube = false;
  if (!o.Colour) {
    palette = {0x000000, 0xFFFFFF};
  } else {
    palette = PictureColours(board, o, size);
    if (palette.empty()) {
      cube = true;
      for (int b = 0; b < 6; ++b)
        for (int g = 0; g < 6; ++g)
          for (int r = 0; r < 6; ++r) palette.push_back(Rgb(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
    }
  }
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  std::vector<GifColorType> entries(size_t(1) << bits, GifColorType{0, 0, 0});
  std::unordered_map<TColour, uint8_t> index;
  for (size_t i = 0; i < palette.size(); ++i) {
    entries[i] = {Red(palette[i]), Green(palette[i]), Blue(palette[i])};
    index.emplace(palette[i], uint8_t(i));
  }
  auto indexOf = [&](TColour c) -> uint8_t {
    if (!o.Colour) return IsWhitePixel(c) ? 1 : 0;
    if (cube) return uint8_t((Red(c) + 25) / 51 + 6 * ((Green(c) + 25) / 51) + 36 * ((Blue(c) + 25) / 51));
    const auto it = index.find(c);
    return it != index.end() ? it->second : 0;
  };

  TAtomicOut out(path);
  if (!out.Good()) return CannotWrite(out);
  int err = 0;
  GifFileType* gif = EGifOpenFileHandle(::dup(::fileno(out.File())), &err);
  if (!gif) return {TPictureStatus::EncoderFailed, GifReason(err)};
  ColorMapObject* map = GifMakeMapObject(int(entries.size()), entries.data());
  const int w = int(size.Width), h = int(size.Height);
  bool ok = map && EGifPutScreenDesc(gif, w, h, bits, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<size_t>(w));
  if (ok)
    ok = PaintPictureBands(board, o, size, false, [&](const TRaster& r, int, int n) {
      for (int y = 0; y < n; ++y) {
        const uint8_t* src = &r.Pixels[size_t(y) * size_t(w) * 4];
        for (int x = 0; x < w; ++x) line[size_t(x)] = indexOf(Rgb(src[4 * x], src[4 * x + 1], src[4 * x + 2]));
        if (EGifPutLine(gif, line.data(), w) != GIF_OK) return false;
      }
      return true;
    });
  const int lineError = gif->Error;
  if (map) GifFreeMapObject(map);
  // Closing writes the trailer and closes the duplicated descriptor.
  const bool closed = EGifCloseFile(gif, &err) == GIF_OK;
  if (!ok || !closed) {
    const int code = ok ? err : lineError;
    if (code == E_GIF_ERR_WRITE_FAILED || code == E_GIF_ERR_CLOSE_FAILED) {
      out.Fail();
      return CannotWrite(out);
    }
    return {TPictureStatus::EncoderFailed, GifReason(code)};
  }
  if (!out.Commit()) return CannotWrite(out);
  return {};
}

}  // namespace

TPictureResult WritePicture(const std::string& path, const TBoard& board, const TPictureOptions& o) {
  if (TPictureResult r = CheckPicture(board.Platine, o); !r.Ok()) return r;
  const TPictureSize size = PictureSize(board.Platine, o.Dpi);
  switch (o.Format) {
    case TPictureFormat::Bmp: return WriteBmp(path, board, o, size);
    case TPictureFormat::Jpeg: return WriteJpeg(path, board, o, size);
    case TPictureFormat::Gif: return WriteGif(path, board, o, size);
  }
  return {};
}

}  // namespace bs
