#include "model/platine.h"

#include <algorithm>
#include <cstring>

#include "model/le_bytes.h"
#include "model/types.h"

namespace bs {

namespace {
enum : size_t {
  kOffWidth = 4,
  kOffHeight = 8,
  kOffGroundPlane = 12,
  kOffGrid = 19,
  kOffZoom = 27,
  kOffScrollX = 35,
  kOffScrollY = 39,
  kOffActiveLayer = 43,
  kOffLayerVisible = 47,
  kOffTemplate1On = 54,
  kOffTemplate2On = 55,
  kOffTemplate1File = 56,
  kOffTemplate2File = 257,
  kOffTemplate1Dpi = 458,
  kOffTemplate2Dpi = 462,
  kOffTemplate1OffsetX = 466,
  kOffTemplate2OffsetX = 470,
  kOffTemplate1OffsetY = 474,
  kOffTemplate2OffsetY = 478,
  kOffTemplate1Colour = 482,
  kOffTemplate2Colour = 486,
  kOffOriginX = 490,
  kOffOriginY = 494,
  kOffMultilayer = 498,
};
static_assert(kOffMultilayer + 1 == kPlatineSize);

void PutShortString(uint8_t* out, const std::string& s) {
  const size_t n = std::min(s.size(), kTemplateFileMax);
  out[0] = static_cast<uint8_t>(n);
  std::memcpy(out + 1, s.data(), n);
}

std::string GetShortString(const uint8_t* in) {
  const size_t n = std::min<size_t>(in[0], kTemplateFileMax);
  return std::string(reinterpret_cast<const char*>(in + 1), n);
}
}  // namespace

TPlatine NewPlatine(int32_t width, int32_t height, bool originTopLeft) {
  TPlatine p;
  p.Width = width;
  p.Height = height;
  p.OriginY = originTopLeft ? 0 : -height;
  // A new board starts on the top copper, where most users draw first; the
  // record's own default (C2) stays for what files leave out.
  p.ActiveLayer = kLayerC1;
  return p;
}

void EncodePlatine(const TPlatine& p, uint8_t* out) {
  using namespace le;
  std::memset(out, 0, kPlatineSize);
  PutI32(out + kOffWidth, p.Width);
  PutI32(out + kOffHeight, p.Height);
  for (int l = 1; l <= 7; ++l) out[kOffGroundPlane + l - 1] = p.GroundPlane[l];
  PutF64(out + kOffGrid, p.Grid);
  PutF64(out + kOffZoom, p.Zoom);
  PutI32(out + kOffScrollX, p.ScrollX);
  PutI32(out + kOffScrollY, p.ScrollY);
  PutI32(out + kOffActiveLayer, p.ActiveLayer & 0xFF);
  for (int l = 1; l <= 7; ++l) out[kOffLayerVisible + l - 1] = p.LayerVisible[l];
  out[kOffTemplate1On] = p.Template1On;
  out[kOffTemplate2On] = p.Template2On;
  PutShortString(out + kOffTemplate1File, p.Template1File);
  PutShortString(out + kOffTemplate2File, p.Template2File);
  PutI32(out + kOffTemplate1Dpi, p.Template1Dpi);
  PutI32(out + kOffTemplate2Dpi, p.Template2Dpi);
  PutI32(out + kOffTemplate1OffsetX, p.Template1OffsetX);
  PutI32(out + kOffTemplate2OffsetX, p.Template2OffsetX);
  PutI32(out + kOffTemplate1OffsetY, p.Template1OffsetY);
  PutI32(out + kOffTemplate2OffsetY, p.Template2OffsetY);
  PutI32(out + kOffTemplate1Colour, p.Template1Colour);
  PutI32(out + kOffTemplate2Colour, p.Template2Colour);
  PutI32(out + kOffOriginX, p.OriginX);
  PutI32(out + kOffOriginY, p.OriginY);
  out[kOffMultilayer] = p.Multilayer;
}

TPlatine DecodePlatine(const uint8_t* in) {
  using namespace le;
  TPlatine p;
  p.Width = GetI32(in + kOffWidth);
  p.Height = GetI32(in + kOffHeight);
  p.GroundPlane[0] = 0;
  for (int l = 1; l <= 7; ++l) p.GroundPlane[l] = in[kOffGroundPlane + l - 1];
  p.Grid = GetF64(in + kOffGrid);
  p.Zoom = GetF64(in + kOffZoom);
  p.ScrollX = GetI32(in + kOffScrollX);
  p.ScrollY = GetI32(in + kOffScrollY);
  p.ActiveLayer = in[kOffActiveLayer];
  p.LayerVisible[0] = 0;
  for (int l = 1; l <= 7; ++l) p.LayerVisible[l] = in[kOffLayerVisible + l - 1];
  p.Template1On = in[kOffTemplate1On];
  p.Template2On = in[kOffTemplate2On];
  p.Template1File = GetShortString(in + kOffTemplate1File);
  p.Template2File = GetShortString(in + kOffTemplate2File);
  p.Template1Dpi = GetI32(in + kOffTemplate1Dpi);
  p.Template2Dpi = GetI32(in + kOffTemplate2Dpi);
  p.Template1OffsetX = GetI32(in + kOffTemplate1OffsetX);
  p.Template2OffsetX = GetI32(in + kOffTemplate2OffsetX);
  p.Template1OffsetY = GetI32(in + kOffTemplate1OffsetY);
  p.Template2OffsetY = GetI32(in + kOffTemplate2OffsetY);
  p.Template1Colour = GetI32(in + kOffTemplate1Colour);
  p.Template2Colour = GetI32(in + kOffTemplate2Colour);
  p.OriginX = GetI32(in + kOffOriginX);
  p.OriginY = GetI32(in + kOffOriginY);
  p.Multilayer = in[kOffMultilayer];
  return p;
}

}  // namespace bs
