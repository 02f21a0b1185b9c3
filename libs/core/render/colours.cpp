#include "render/colours.h"

#include <cmath>
#include <fstream>

#include "model/le_bytes.h"

namespace bs {

bool TColourScheme::DarkBackground() const {
  const TColour b = Background();
  return Red(b) + Green(b) + Blue(b) < 383;
}

TColour Darkened(TColour c, double k) {
  auto f = [k](uint8_t v) { return static_cast<uint8_t>(std::lround(v * (1 - k))); };
  return Rgb(f(Red(c)), f(Green(c)), f(Blue(c)));
}

TColourScheme ReadColourScheme(const std::string& path) {
  TColourScheme s;
  std::ifstream in(path, std::ios::binary);
  uint8_t raw[48];
  if (!in.read(reinterpret_cast<char*>(raw), sizeof raw)) return TColourScheme{};
  for (int i = 0; i < 12; ++i) {
    const int32_t v = le::GetI32(raw + 4 * i);
    s.C[i] = v < 0 ? 0 : static_cast<TColour>(v);
  }
  return s;
}

bool WriteColourScheme(const std::string& path, const TColourScheme& scheme) {
  uint8_t raw[48];
  for (int i = 0; i < 12; ++i) le::PutU32(raw + 4 * i, scheme.C[i]);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(raw), sizeof raw);
  return static_cast<bool>(out);
}

}  // namespace bs
