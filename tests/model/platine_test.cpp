#include <gtest/gtest.h>

#include <vector>

#include "model/le_bytes.h"
#include "model/platine.h"

namespace bs {
namespace {

std::vector<uint8_t> Encode(const TPlatine& p) {
  std::vector<uint8_t> b(kPlatineSize);
  EncodePlatine(p, b.data());
  return b;
}

TEST(Platine, NewBoardDefaultsAtTheirOffsets) {
  const std::vector<uint8_t> b = Encode(NewPlatine(1600000, 1000000, false));
  using namespace le;
  EXPECT_EQ(GetU32(&b[0]), 0u);  // element-list reference slot
  EXPECT_EQ(GetI32(&b[4]), 1600000);
  EXPECT_EQ(GetI32(&b[8]), 1000000);
  for (int i = 12; i < 19; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(GetF64(&b[19]), 12700.0);
  EXPECT_EQ(GetF64(&b[27]), 0.001);
  EXPECT_EQ(GetI32(&b[35]), 0);
  EXPECT_EQ(GetI32(&b[39]), 0);
  EXPECT_EQ(GetI32(&b[43]), 1);  // a new board starts on C1; the record's own default is C2
  EXPECT_EQ(TPlatine{}.ActiveLayer, 3);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 47, b.begin() + 54), (std::vector<uint8_t>{1, 1, 1, 1, 0, 0, 1}));
  EXPECT_EQ(b[54], 0);
  EXPECT_EQ(b[55], 0);
  EXPECT_EQ(b[56], 0);  // empty template file names
  EXPECT_EQ(b[257], 0);
  EXPECT_EQ(GetI32(&b[458]), 600);
  EXPECT_EQ(GetI32(&b[462]), 600);
  for (int off : {466, 470, 474, 478, 490}) EXPECT_EQ(GetI32(&b[off]), 0) << off;
  EXPECT_EQ(GetI32(&b[482]), 0x00FF00);
  EXPECT_EQ(GetI32(&b[486]), 0x00FF00);
  EXPECT_EQ(GetI32(&b[494]), -1000000);
  EXPECT_EQ(b[498], 0);

  EXPECT_EQ(NewPlatine(100, 200, true).OriginY, 0);
}

TEST(Platine, EveryFieldRoundTrips) {
  TPlatine p = NewPlatine(123, 456, false);
  p.GroundPlane[1] = p.GroundPlane[6] = 1;
  p.Grid = 6350.5;
  p.Zoom = 0.0123;
  p.ScrollX = -17;
  p.ScrollY = 99;
  p.ActiveLayer = 5;
  p.LayerVisible = {0, 0, 1, 0, 1, 1, 0, 1};
  p.Template1On = 1;
  p.Template1File = "C:\\scan\\top.bmp";
  p.Template2File = std::string(200, 'x');
  p.Template1Dpi = 1200;
  p.Template2OffsetY = -3000;
  p.Template2Colour = 0x123456;
  p.OriginX = 7;
  p.OriginY = -8;
  p.Multilayer = 1;
  const std::vector<uint8_t> b = Encode(p);
  EXPECT_EQ(b[56], 15);
  EXPECT_EQ(std::string(b.begin() + 57, b.begin() + 72), "C:\\scan\\top.bmp");
  EXPECT_EQ(b[72], 0);  // the unused rest of the name is zero
  EXPECT_EQ(DecodePlatine(b.data()), p);
}

TEST(Platine, ReadsOnlyTheLowByteOfTheActiveLayerAndCutsLongNames) {
  std::vector<uint8_t> b = Encode(NewPlatine(1, 1, false));
  b[43] = 1;
  b[44] = 0xFF;  // garbage above the low byte
  b[56] = 255;   // length beyond the 200 characters of the field
  const TPlatine p = DecodePlatine(b.data());
  EXPECT_EQ(p.ActiveLayer, 1);
  EXPECT_EQ(p.Template1File.size(), 200u);
}

}  // namespace
}  // namespace bs
