#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/objekt.h"

namespace bs {
namespace {

std::vector<uint8_t> Encode(const TObjekt& e) {
  std::vector<uint8_t> b(kHeaderSize);
  EncodeHeader(e, b.data());
  return b;
}

TEST(ObjektHeader, StoresEveryFieldAtItsOffset) {
  TObjekt e;
  e.Kind = kKindThtPad;
  e.Pos = {1.5f, -2.0f};
  e.SizeA = 10000.0f;
  e.SizeB = 0.25f;
  e.Width = 0x11223344;
  e.Selected = 1;
  e.Layer = 3;
  e.Shape = 9;
  e.Points = {{1, 2}, {3, 4}};  // lists never reach the stored bytes
  e.ComponentNo = -2;
  e.Mark = 0x5A;
  e.ThermalSpokes = 0x55AA33CC;
  e.Groups = {7};
  e.Reserved39 = 0x39;
  e.ThermalIndividual = 1;
  e.Clearance = 4000;
  e.Routed = 1;
  e.Thermal = 1;
  e.HatchAuto = 1;
  e.Cutout = 1;
  e.ThermalWidth = 100;
  e.Via = 1;
  e.SolderMask = 1;
  e.Reserved59 = {0xA1, 0xA2, 0xA3};
  e.ThermalMagic = kThermalMagic;
  for (int i = 0; i < 11; ++i) e.Reserved66[i] = static_cast<uint8_t>(0xB0 + i);

  // clang-format off
  const std::vector<uint8_t> expected = {
      0x02,                                      //  0 Kind
      0x00, 0x00, 0xC0, 0x3F,                    //  1 Pos.X = 1.5f
      0x00, 0x00, 0x00, 0xC0,                    //  5 Pos.Y = -2.0f
      0x00, 0x40, 0x1C, 0x46,                    //  9 SizeA = 10000.0f
      0x00, 0x00, 0x80, 0x3E,                    // 13 SizeB = 0.25f
      0x44, 0x33, 0x22, 0x11,                    // 17 Width
      0x01,                                      // 21 Selected
      0x03,                                      // 22 Layer
      0x09,                                      // 23 Shape
      0x00, 0x00, 0x00, 0x00,                    // 24 Points reference
      0xFE, 0xFF,                                // 28 ComponentNo = -2
      0x5A,                                      // 30 Mark
      0xCC, 0x33, 0xAA, 0x55,                    // 31 ThermalSpokes
      0x00, 0x00, 0x00, 0x00,                    // 35 Groups reference
      0x39,                                      // 39 Reserved39
      0x01,                                      // 40 ThermalIndividual
      0xA0, 0x0F, 0x00, 0x00,                    // 41 Clearance = 4000
      0x00, 0x00, 0x00, 0x00,                    // 45 Connections reference
      0x01,                                      // 49 Routed
      0x01,                                      // 50 Thermal
      0x01,                                      // 51 HatchAuto
      0x01,                                      // 52 Cutout
      0x64, 0x00, 0x00, 0x00,                    // 53 ThermalWidth = 100
      0x01,                                      // 57 Via
      0x01,                                      // 58 SolderMask
      0xA1, 0xA2, 0xA3,                          // 59 Reserved59
      0x15, 0xCD, 0x5B, 0x07,                    // 62 ThermalMagic = 123456789
      0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA,  // 66 Reserved66
  };
  // clang-format on
  ASSERT_EQ(expected.size(), kHeaderSize);
  EXPECT_EQ(Encode(e), expected);

  TObjekt back;
  DecodeHeader(expected.data(), back);
  EXPECT_EQ(Encode(back), expected);
  EXPECT_TRUE(back.Points.empty());
  EXPECT_EQ(back.ComponentNo, -2);
  EXPECT_EQ(back.ThermalSpokes, 0x55AA33CCu);
}

TEST(ObjektHeader, SharedSlotsCarryTheKindsOwnNames) {
  // A circle's stop angle and a text's style live where a track's width is.
  std::vector<uint8_t> raw(kHeaderSize, 0);
  raw[17] = 0xA0;
  raw[18] = 0x86;
  raw[19] = 0x01;  // 100000
  raw[31] = 0x10;
  raw[32] = 0x27;  // 10000
  TObjekt c;
  DecodeHeader(raw.data(), c);
  EXPECT_EQ(c.StopAngle, 100000);
  EXPECT_EQ(c.StartAngle, 10000);
  EXPECT_EQ(c.Width, 100000);
}

TEST(ObjektHeader, ArbitraryBytesRoundTrip) {
  std::vector<uint8_t> raw(kHeaderSize);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>(i * 37 + 11);
  for (size_t slot : {24u, 35u, 45u}) std::memset(&raw[slot], 0, 4);  // references are not kept
  TObjekt e;
  DecodeHeader(raw.data(), e);
  EXPECT_EQ(Encode(e), raw);
}

TEST(ObjektInit, NewElementIsZeroButShown) {
  auto e = NewObjekt();
  EXPECT_EQ(e->Kind, 0);
  EXPECT_EQ(e->Shown, 1);
  EXPECT_EQ(e->ComponentNo, 0);
  EXPECT_FALSE(e->Place);
  EXPECT_EQ(Encode(*e), std::vector<uint8_t>(kHeaderSize, 0));
}

TEST(ObjektInit, PadsGetThermalAndMaskDefaults) {
  TObjekt tht;
  InitThtPad(tht, {100, 200}, kLayerC2, kShapeSquare, 4000, 9000);
  EXPECT_EQ(tht.Kind, kKindThtPad);
  EXPECT_EQ(tht.SizeA, 9000);
  EXPECT_EQ(tht.SizeB, 4000);
  EXPECT_EQ(tht.ThermalSpokes, 0x55555555u);
  EXPECT_EQ(tht.ThermalWidth, 100);
  EXPECT_EQ(tht.ThermalMagic, kThermalMagic);
  EXPECT_EQ(tht.SolderMask, 1);
  EXPECT_EQ(tht.Points.size(), 4u);

  TObjekt smd;
  InitSmdPad(smd, {0, 0}, 2000, kLayerC1, 1000);
  EXPECT_EQ(smd.ThermalSpokes, 85u);
  EXPECT_EQ(smd.SolderMask, 1);
  const TPointList corners = {{-1000, 500}, {1000, 500}, {1000, -500}, {-1000, -500}};
  EXPECT_EQ(smd.Points, corners);  // top-left, top-right, bottom-right, bottom-left

  TObjekt zone;
  InitZone(zone, 300, kLayerC1);
  EXPECT_EQ(zone.Closed, 1);
  EXPECT_EQ(zone.HatchAuto, 1);
  EXPECT_EQ(zone.HatchWidth, 300);

  TObjekt text;
  InitText(text, {5, 6}, "R1", true, false, kLayerS1, 1, 1, 20000, 90);
  EXPECT_EQ(text.LabelVisible, 1);
  EXPECT_EQ(text.MirrorV, 1);
  EXPECT_EQ(text.MirrorH, 0);
  EXPECT_EQ(text.Rotation, 90);
  EXPECT_EQ(text.Style, 1);
}

struct OutlineCase {
  uint8_t shape;
  int32_t margin;
  TPointList expected;  // relative to the centre
};

TEST(ThtOutline, EveryShape) {
  // r = 1000; with margin 0: g = 1000, t = 2000, L = 585.
  const std::vector<OutlineCase> cases = {
      {kShapeRound, 0, {{-1000, 0}, {1000, 0}}},
      {kShapeRound, 200, {{-1200, 0}, {1200, 0}}},
      {kShapeOctagon,
       0,
       {{-1000, 415},
        {-415, 1000},
        {415, 1000},
        {1000, 415},
        {1000, -415},
        {415, -1000},
        {-415, -1000},
        {-1000, -415}}},
      {kShapeSquare, 0, {{-1000, 1000}, {1000, 1000}, {1000, -1000}, {-1000, -1000}}},
      {kShapeRoundedH, 200, {{-1000, 0}, {1000, 0}}},  // centre line ignores the margin
      {kShapeOctagonH,
       0,
       {{-2000, 415},
        {-1415, 1000},
        {1415, 1000},
        {2000, 415},
        {2000, -415},
        {1415, -1000},
        {-1415, -1000},
        {-2000, -415}}},
      {kShapeRectH, 200, {{-2200, 1200}, {2200, 1200}, {2200, -1200}, {-2200, -1200}}},
      {kShapeRoundedV, 0, {{0, 1000}, {0, -1000}}},
      {kShapeOctagonV,
       0,
       {{-1000, 1415},
        {-415, 2000},
        {415, 2000},
        {1000, 1415},
        {1000, -1415},
        {415, -2000},
        {-415, -2000},
        {-1000, -1415}}},
      {kShapeRectV, 0, {{-1000, 2000}, {1000, 2000}, {1000, -2000}, {-1000, -2000}}},
      {0, 0, {}},
      {10, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "shape " << int(c.shape) << " margin " << c.margin);
    TPointList pts = ThtOutline(c.shape, {50000, -30000}, 1000, c.margin);
    for (TFPoint& p : pts) p = {p.X - 50000, p.Y + 30000};
    EXPECT_EQ(pts, c.expected);
  }
}

TEST(ObjektCopy, DeepCopiesListsAndKeepsHeader) {
  TObjekt label;
  InitText(label, {1, 2}, "IC1", false, false, kLayerS1, 1, 1, 20000, 0);
  label.LabelRole = 1;
  label.Text2 = "name";
  label.Groups = {4, 5};
  EnsurePlace(label).Package = "DIP8";
  label.Place->PlaceRotation = 90;
  auto stroke = NewObjekt();
  InitTrack(*stroke, 100, kLayerS1);
  AddPoint(*stroke, {0, 0});
  AddPoint(*stroke, {10, 10});
  label.SubElements.push_back(std::move(stroke));

  auto copy = CloneObjekt(label);
  EXPECT_EQ(label.Copied, 1);
  EXPECT_EQ(Encode(*copy), Encode(label));
  EXPECT_EQ(copy->Text, "IC1");
  EXPECT_EQ(copy->Text2, "name");
  EXPECT_EQ(copy->Groups, label.Groups);
  ASSERT_EQ(copy->SubElements.size(), 1u);
  EXPECT_NE(copy->SubElements[0].get(), label.SubElements[0].get());
  EXPECT_EQ(copy->SubElements[0]->Points, label.SubElements[0]->Points);
  ASSERT_TRUE(copy->Place);
  EXPECT_EQ(*copy->Place, *label.Place);
  EXPECT_NE(copy->Place.get(), label.Place.get());

  // An ordinary text carries no placement data even if some was left over.
  label.LabelRole = 0;
  EXPECT_FALSE(CloneObjekt(label)->Place);
}

TEST(ObjektCopy, PadKeepsConnectionsAndZoneIsClosed) {
  TObjekt partner, pad;
  InitSmdPad(pad, {0, 0}, 100, kLayerC1, 100);
  pad.Connections.push_back(&partner);
  EXPECT_EQ(CloneObjekt(pad)->Connections, TRefList{&partner});

  TObjekt zone;
  InitZone(zone, 100, kLayerC1);
  zone.Closed = 0;  // still being drawn
  AddPoint(zone, {0, 0});
  AddPoint(zone, {1, 0});
  auto z = CloneObjekt(zone);
  EXPECT_EQ(z->Closed, 1);
  EXPECT_EQ(z->Points, zone.Points);
}

TEST(ObjektMemory, ElementRecordStaysSmall) {
  // A board of a million elements must fit comfortably in memory.
  EXPECT_LE(sizeof(TObjekt), 384u);
}

}  // namespace
}  // namespace bs
