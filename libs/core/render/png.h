// Writing a raster as a PNG picture.
#pragma once

#include <string>

#include "render/surface.h"

namespace bs {

// Writes the raster as an 8-bit RGB PNG through a temporary file; false when
// it cannot be written.
bool WritePng(const std::string& path, const TRaster& raster, double pixelsPerMetre = 0);

}  // namespace bs
