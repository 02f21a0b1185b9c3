// The 77-byte stored element header.
#include <cstring>

#include "model/le_bytes.h"
#include "model/objekt.h"

namespace bs {

namespace {
// Byte offsets of the stored header.
enum : size_t {
  kOffKind = 0,
  kOffPosX = 1,
  kOffPosY = 5,
  kOffSizeA = 9,
  kOffSizeB = 13,
  kOffWidth = 17,
  kOffSelected = 21,
  kOffLayer = 22,
  kOffShape = 23,
  kOffPoints = 24,
  kOffComponentNo = 28,
  kOffMark = 30,
  kOffStartAngle = 31,
  kOffGroups = 35,
  kOffReserved39 = 39,
  kOffFill = 40,
  kOffClearance = 41,
  kOffConnections = 45,
  kOffRouted = 49,
  kOffThermal = 50,
  kOffHatchAuto = 51,
  kOffCutout = 52,
  kOffThermalWidth = 53,
  kOffVia = 57,
  kOffSolderMask = 58,
  kOffReserved59 = 59,
  kOffThermalMagic = 62,
  kOffReserved66 = 66,
};
static_assert(kOffReserved66 + 11 == kHeaderSize);
}  // namespace

void EncodeHeader(const TObjekt& e, uint8_t* out) {
  using namespace le;
  std::memset(out, 0, kHeaderSize);  // reference slots stay zero
  PutU8(out + kOffKind, e.Kind);
  PutF32(out + kOffPosX, e.Pos.X);
  PutF32(out + kOffPosY, e.Pos.Y);
  PutF32(out + kOffSizeA, e.SizeA);
  PutF32(out + kOffSizeB, e.SizeB);
  PutI32(out + kOffWidth, e.Width);
  PutU8(out + kOffSelected, e.Selected);
  PutU8(out + kOffLayer, e.Layer);
  PutU8(out + kOffShape, e.Shape);
  PutI16(out + kOffComponentNo, e.ComponentNo);
  PutU8(out + kOffMark, e.Mark);
  PutU32(out + kOffStartAngle, e.ThermalSpokes);
  PutU8(out + kOffReserved39, e.Reserved39);
  PutU8(out + kOffFill, e.Fill);
  PutI32(out + kOffClearance, e.Clearance);
  PutU8(out + kOffRouted, e.Routed);
  PutU8(out + kOffThermal, e.Thermal);
  PutU8(out + kOffHatchAuto, e.HatchAuto);
  PutU8(out + kOffCutout, e.Cutout);
  PutI32(out + kOffThermalWidth, e.ThermalWidth);
  PutU8(out + kOffVia, e.Via);
  PutU8(out + kOffSolderMask, e.SolderMask);
  std::memcpy(out + kOffReserved59, e.Reserved59.data(), e.Reserved59.size());
  PutU32(out + kOffThermalMagic, e.ThermalMagic);
  std::memcpy(out + kOffReserved66, e.Reserved66.data(), e.Reserved66.size());
}

void DecodeHeader(const uint8_t* in, TObjekt& e) {
  using namespace le;
  e.Kind = GetU8(in + kOffKind);
  e.Pos = {GetF32(in + kOffPosX), GetF32(in + kOffPosY)};
  e.SizeA = GetF32(in + kOffSizeA);
  e.SizeB = GetF32(in + kOffSizeB);
  e.Width = GetI32(in + kOffWidth);
  e.Selected = GetU8(in + kOffSelected);
  e.Layer = GetU8(in + kOffLayer);
  e.Shape = GetU8(in + kOffShape);
  e.ComponentNo = GetI16(in + kOffComponentNo);
  e.Mark = GetU8(in + kOffMark);
  e.ThermalSpokes = GetU32(in + kOffStartAngle);
  e.Reserved39 = GetU8(in + kOffReserved39);
  e.Fill = GetU8(in + kOffFill);
  e.Clearance = GetI32(in + kOffClearance);
  e.Routed = GetU8(in + kOffRouted);
  e.Thermal = GetU8(in + kOffThermal);
  e.HatchAuto = GetU8(in + kOffHatchAuto);
  e.Cutout = GetU8(in + kOffCutout);
  e.ThermalWidth = GetI32(in + kOffThermalWidth);
  e.Via = GetU8(in + kOffVia);
  e.SolderMask = GetU8(in + kOffSolderMask);
  std::memcpy(e.Reserved59.data(), in + kOffReserved59, e.Reserved59.size());
  e.ThermalMagic = GetU32(in + kOffThermalMagic);
  std::memcpy(e.Reserved66.data(), in + kOffReserved66, e.Reserved66.size());
}

}  // namespace bs
