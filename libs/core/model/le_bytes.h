// Little-endian reading and writing of fixed-width values at byte offsets.
#pragma once

#include <cstdint>
#include <cstring>

namespace bs::le {

inline void PutU8(uint8_t* p, uint8_t v) { p[0] = v; }
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutU64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutI16(uint8_t* p, int16_t v) { PutU16(p, static_cast<uint16_t>(v)); }
inline void PutI32(uint8_t* p, int32_t v) { PutU32(p, static_cast<uint32_t>(v)); }
inline void PutF32(uint8_t* p, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  PutU32(p, u);
}
inline void PutF64(uint8_t* p, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  PutU64(p, u);
}

inline uint8_t GetU8(const uint8_t* p) { return p[0]; }
inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t GetU64(const uint8_t* p) {
  return static_cast<uint64_t>(GetU32(p)) | (static_cast<uint64_t>(GetU32(p + 4)) << 32);
}
inline int16_t GetI16(const uint8_t* p) { return static_cast<int16_t>(GetU16(p)); }
inline int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }
inline float GetF32(const uint8_t* p) {
  uint32_t u = GetU32(p);
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}
inline double GetF64(const uint8_t* p) {
  uint64_t u = GetU64(p);
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

}  // namespace bs::le
