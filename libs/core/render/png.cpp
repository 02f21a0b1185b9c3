#include "render/png.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include "model/atomic_file.h"

namespace bs {

namespace {
void AppendData(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}
}  // namespace

bool WritePng(const std::string& path, const TRaster& raster, double pixelsPerMetre) {
  if (raster.Width <= 0 || raster.Height <= 0) return false;
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<uint8_t> row(size_t(raster.Width) * 3);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &bytes, AppendData, NoFlush);
  png_set_IHDR(png, info, raster.Width, raster.Height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (pixelsPerMetre > 0) {
    const auto ppm = static_cast<png_uint_32>(std::lround(pixelsPerMetre));
    png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
  }
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (int y = 0; y < raster.Height; ++y) {
    const uint8_t* src = &raster.Pixels[size_t(y) * size_t(raster.Width) * 4];
    for (int x = 0; x < raster.Width; ++x) {
      row[3 * x] = src[4 * x];
      row[3 * x + 1] = src[4 * x + 1];
      row[3 * x + 2] = src[4 * x + 2];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return WriteFileAtomically(path, bytes);
}

}  // namespace bs
