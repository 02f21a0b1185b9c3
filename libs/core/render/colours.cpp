#include "render/colours.h"

#include <cmath>
#include <vector>

#include "model/atomic_file.h"
#include "model/le_bytes.h"
#include "model/read_file.h"

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
  const TFileBytes read = ReadRegularFileHead(path, 48);
  if (!read.Ok() || read.Bytes.size() < 48) return TColourScheme{};
  const uint8_t* raw = read.Bytes.data();
  for (int i = 0; i < 12; ++i) {
    const int32_t v = le::GetI32(raw + 4 * i);
    s.C[i] = v < 0 ? 0 : static_cast<TColour>(v);
  }
  return s;
}

bool WriteColourScheme(const std::string& path, const TColourScheme& scheme) {
  uint8_t raw[48];
  for (int i = 0; i < 12; ++i) le::PutU32(raw + 4 * i, scheme.C[i]);
  return WriteFileAtomically(path, std::vector<uint8_t>(raw, raw + sizeof raw));
}

}  // namespace bs
