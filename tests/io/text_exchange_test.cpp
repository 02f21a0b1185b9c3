#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "io/project_file.h"
#include "io/text_exchange.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "model/platine.h"
#include "render/text_strokes.h"

namespace bs {
namespace {

using TMaker = std::function<std::unique_ptr<TObjekt>()>;

std::unique_ptr<TObjekt> Track(std::vector<TFPoint> pts, int32_t width = 2540, uint8_t layer = kLayerC2) {
  auto e = NewObjekt();
  InitTrack(*e, width, layer);
  for (TFPoint p : pts) AddPoint(*e, p);
  e->Clearance = kDefaultClearance;
  return e;
}

std::unique_ptr<TObjekt> Zone(uint8_t hatch, uint8_t hatchAuto, int32_t hatchWidth) {
  auto e = NewObjekt();
  InitZone(*e, 2000, kLayerC1);
  for (TFPoint p : {TFPoint{200000, -200000}, TFPoint{300000, -200000}, TFPoint{300000, -300000}}) AddPoint(*e, p);
  e->Clearance = kDefaultClearance;
  e->Hatch = hatch;
  e->HatchAuto = hatchAuto;
  e->HatchWidth = hatchWidth;
  return e;
}

std::unique_ptr<TObjekt> ThtPad(TFPoint c, uint8_t layer, uint8_t shape, float drillR, float outerR,
                                double rotation = 0) {
  auto e = NewObjekt();
  InitThtPad(*e, c, layer, shape, drillR, outerR);
  e->Clearance = kDefaultClearance;
  if (rotation != 0) RotateObjekt(*e, {c.X, c.Y}, rotation);
  return e;
}

std::unique_ptr<TObjekt> SmdPad(TFPoint c, float w, float h, double rotation = 0) {
  auto e = NewObjekt();
  InitSmdPad(*e, c, w, kLayerC1, h);
  e->Clearance = kDefaultClearance;
  if (rotation != 0) RotateObjekt(*e, {c.X, c.Y}, rotation);
  return e;
}

std::unique_ptr<TObjekt> Circle(float outer, float inner, int32_t start, int32_t stop) {
  auto e = NewObjekt();
  InitCircle(*e, {250000, -80000}, outer, kLayerS1, inner);
  e->Clearance = kDefaultClearance;
  e->StartAngle = start;
  e->StopAngle = stop;
  return e;
}

std::unique_ptr<TObjekt> Text(const TByteString& s, bool mirror, uint8_t layer, int32_t style, float thickness,
                              int32_t rotation) {
  auto e = NewObjekt();
  InitText(*e, {20000, -20000}, s, mirror, mirror, layer, style, thickness, 15000, rotation);
  e->Clearance = kDefaultClearance;
  BuildTextStrokes(*e, false);
  return e;
}

template <typename F>
TMaker With(TMaker make, F change) {
  return [make, change] {
    auto e = make();
    change(*e);
    return e;
  };
}

struct TWriteCase {
  const char* what;
  TMaker make;
  std::string record;
};

// Every kind with its defaults left out and with every optional field written.
std::vector<TWriteCase> WriteCases() {
  return {
      {"track from (0,0) to (10000,-20000)",
       [] {
         return Track({{0, 0}, {10000, -20000}});
       },
       "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=10000/20000;"},
      {"track with clearance, cutout, solder mask, rounded coordinates",
       With(
           [] {
             return Track({{-5, -7}, {2.5f, 0.4f}});
           },
           [](TObjekt& e) { e.Clearance = 0, e.Cutout = 1, e.SolderMask = 1; }),
       "TRACK,LAYER=3,CLEAR=0,CUTOUT=true,SOLDERMASK=true,WIDTH=2540,P0=-5/7,P1=3/0;"},
      {"flat start in effect, flat end on a segment shorter than half the width",
       With(
           [] {
             return Track({{0, 0}, {10000, 0}, {10900, 0}}, 2000);
           },
           [](TObjekt& e) { e.TrackEnds = 3; }),
       "TRACK,LAYER=3,WIDTH=2000,FLATSTART=true,P0=0/0,P1=10000/0,P2=10900/0;"},
      {"flat end in effect, flat start on a segment of exactly half the width",
       With(
           [] {
             return Track({{0, 0}, {1000, 0}, {10000, 0}}, 2000);
           },
           [](TObjekt& e) { e.TrackEnds = 3; }),
       "TRACK,LAYER=3,WIDTH=2000,FLATEND=true,P0=0/0,P1=1000/0,P2=10000/0;"},
      {"zone, automatic hatch", [] { return Zone(0, 1, 2000); },
       "ZONE,LAYER=1,WIDTH=2000,P0=200000/200000,P1=300000/200000,P2=300000/300000;"},
      {"zone hatched with its own hatch width", [] { return Zone(1, 0, 3000); },
       "ZONE,LAYER=1,WIDTH=2000,HATCH=true,HATCH_AUTO=false,HATCH_WIDTH=3000,P0=200000/200000,"
       "P1=300000/200000,P2=300000/300000;"},
      {"zone not hatched, hatch width not automatic", [] { return Zone(0, 0, 3000); },
       "ZONE,LAYER=1,WIDTH=2000,HATCH_AUTO=false,P0=200000/200000,P1=300000/200000,"
       "P2=300000/300000;"},
      {"round THT pad of 1.6 mm with 0.8 mm drill",
       [] {
         return ThtPad({50000, -30000}, kLayerC1, kShapeRound, 4000, 8000);
       },
       "PAD,LAYER=1,POS=50000/30000,FORM=1,SIZE=16000,DRILL=8000;"},
      {"square pad turned by 45 degrees",
       [] {
         return ThtPad({50000, -50000}, kLayerC2, kShapeSquare, 4000, 9000, 45);
       },
       "PAD,LAYER=3,POS=50000/50000,FORM=3,SIZE=18000,DRILL=8000,ROTATION=4500;"},
      {"upright rounded pad turned by 90 degrees",
       [] {
         return ThtPad({75400, -50000}, kLayerC2, kShapeRoundedV, 4000, 9000, 90);
       },
       "PAD,LAYER=3,POS=75400/50000,FORM=7,SIZE=18000,DRILL=8000,ROTATION=9000;"},
      {"via with thermal spokes, mask byte 3 of 128 and more",
       With(
           [] {
             return ThtPad({1000, -2000}, kLayerC2, kShapeOctagon, 3000, 6000);
           },
           [](TObjekt& e) {
             e.Clearance = 5000, e.SolderMask = 0, e.Via = 1, e.Thermal = 1;
             e.ThermalIndividual = 1, e.ThermalSpokes = 0x80000001u, e.ThermalWidth = 80;
           }),
       "PAD,LAYER=3,CLEAR=5000,SOLDERMASK=false,POS=1000/2000,FORM=2,SIZE=12000,DRILL=6000,"
       "VIA=true,THERMAL=true,THERMAL_TRACKS_INDIVIDUAL=true,THERMAL_TRACKS=-2147483647,"
       "THERMAL_TRACKS_WIDTH=80;"},
      {"SMD pad turned by 30 degrees with thermal spokes",
       With(
           [] {
             return SmdPad({100000, -150000}, 12000, 16000, 30);
           },
           [](TObjekt& e) { e.Thermal = 1; }),
       "SMDPAD,LAYER=1,POS=100000/150000,SIZE_X=12000,SIZE_Y=16000,ROTATION=3000,THERMAL=true,"
       "THERMAL_TRACKS=85,THERMAL_TRACKS_WIDTH=100;"},
      {"SMD pad without solder mask",
       With(
           [] {
             return SmdPad({0, 0}, 5000, 3000);
           },
           [](TObjekt& e) { e.SolderMask = 0; }),
       "SMDPAD,LAYER=1,SOLDERMASK=false,POS=0/0,SIZE_X=5000,SIZE_Y=3000;"},
      {"filled arc", With([] { return Circle(30000, 28000, 45000, 300000); }, [](TObjekt& e) { e.Fill = 1; }),
       "CIRCLE,LAYER=2,CENTER=250000/80000,RADIUS=29000,WIDTH=2000,START=45000,STOP=300000,"
       "FILL=true;"},
      {"full ring with cutout", With([] { return Circle(20000, 10000, 0, 0); }, [](TObjekt& e) { e.Cutout = 1; }),
       "CIRCLE,LAYER=2,CUTOUT=true,CENTER=250000/80000,RADIUS=15000,WIDTH=10000;"},
      {"plain text", [] { return Text("X", false, kLayerS1, 1, 1, 0); },
       "TEXT,LAYER=2,POS=20000/20000,HEIGHT=15000,TEXT=|X|;"},
      {"mirrored, turned, wide and thin text with blanks and Windows-1251 bytes",
       [] { return Text("Ab c \xC0\xFF", true, kLayerS2, 2, 0, 90); },
       "TEXT,LAYER=4,POS=20000/20000,HEIGHT=15000,THICKNESS=0,STYLE=2,MIRROR_HORZ=true,"
       "MIRROR_VERT=true,ROTATION=90,TEXT=|Ab c \xC0\xFF|;"},
  };
}

TTextImportResult Read(std::string_view text, const TTextImportDefaults& d = {}) { return ReadTextExchange(text, d); }

// The records of what was read, one per line: the canonical form of the
// elements, to compare against.
std::string Rewritten(const TTextImportResult& r) {
  std::string s;
  for (const auto& e : r.Elements) s += (s.empty() ? "" : "\n") + WriteTextExchangeRecord(*e);
  return s;
}

TEST(TextExchangeWrite, RecordsOfEveryKind) {
  for (const auto& c : WriteCases()) EXPECT_EQ(WriteTextExchangeRecord(*c.make()), c.record) << c.what;
}

TEST(TextExchangeWrite, FileHasOneCrLfLinePerElementAndEmptyLinesForOtherKinds) {
  auto track = Track({{0, 0}, {1, -1}});
  auto legacy = NewObjekt();
  legacy->Kind = kKindLegacyLine;
  legacy->Layer = kLayerC1;
  auto pad = ThtPad({0, 0}, kLayerC1, kShapeRound, 1000, 2000);
  EXPECT_EQ(WriteTextExchangeRecord(*legacy), "");
  EXPECT_EQ(WriteTextExchange({track.get(), legacy.get(), pad.get()}),
            "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=1/1;\r\n\r\n"
            "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=4000,DRILL=2000;\r\n");
}

TEST(TextExchangeRoundTrip, EveryKindReadsBackToTheSameRecord) {
  for (const auto& c : WriteCases()) {
    SCOPED_TRACE(c.what);
    auto original = c.make();
    const TTextImportResult r = Read(WriteTextExchangeRecord(*original) + "\r\n");
    ASSERT_TRUE(r.Ok) << r.Error;
    ASSERT_EQ(r.Elements.size(), 1u);
    const TObjekt& e = *r.Elements[0];
    EXPECT_EQ(WriteTextExchangeRecord(e), c.record);
    EXPECT_EQ(e.Kind, original->Kind);
    EXPECT_EQ(e.Points.size(), original->Points.size());
    EXPECT_EQ(e.SizeA, original->SizeA);
    EXPECT_EQ(e.SizeB, original->SizeB);
    EXPECT_EQ(e.Text, original->Text);
    if (e.Kind == kKindText) {
      EXPECT_EQ(e.SubElements.size(), original->SubElements.size());
    }
    if (IsPad(e)) {
      EXPECT_NEAR(PadRotation(e), PadRotation(*original), 0.01);
    }
  }
}

TEST(TextExchangeRoundTrip, WholeFile) {
  std::vector<std::unique_ptr<TObjekt>> owned;
  std::vector<const TObjekt*> list;
  for (const auto& c : WriteCases()) {
    owned.push_back(c.make());
    list.push_back(owned.back().get());
  }
  const std::string text = WriteTextExchange(list);
  const TTextImportResult r = Read(text);
  ASSERT_TRUE(r.Ok) << r.Error;
  std::vector<const TObjekt*> back;
  for (const auto& e : r.Elements) back.push_back(e.get());
  EXPECT_EQ(WriteTextExchange(back), text);
}

TEST(TextExchangeRead, ExampleRecordsGiveTheirElements) {
  const TTextImportResult r = Read(
      "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=10000/20000;\r\n"
      "PAD,LAYER=1,POS=50000/30000,FORM=1,SIZE=16000,DRILL=8000;\r\n");
  ASSERT_TRUE(r.Ok) << r.Error;
  ASSERT_EQ(r.Elements.size(), 2u);
  const TObjekt& t = *r.Elements[0];
  EXPECT_EQ(t.Kind, kKindTrack);
  EXPECT_EQ(t.Points, (TPointList{{0, 0}, {10000, -20000}}));
  EXPECT_EQ(t.Width, 2540);
  EXPECT_EQ(t.Clearance, kDefaultClearance);
  const TObjekt& p = *r.Elements[1];
  EXPECT_EQ(p.Kind, kKindThtPad);
  EXPECT_EQ(p.Pos, (TFPoint{50000, -30000}));
  EXPECT_EQ(p.SizeA, 8000);
  EXPECT_EQ(p.SizeB, 4000);
  EXPECT_EQ(p.Layer, kLayerC1);
  EXPECT_EQ(p.SolderMask, 1);
}

struct TReadCase {
  const char* what;
  std::string text;
  std::string records;  // what was read, rewritten, one record per line
};

void ExpectReads(const std::vector<TReadCase>& cases, const TTextImportDefaults& d = {}) {
  for (const auto& c : cases) {
    const TTextImportResult r = Read(c.text, d);
    EXPECT_TRUE(r.Ok) << c.what << ": " << r.Error;
    EXPECT_EQ(Rewritten(r), c.records) << c.what;
  }
}

TEST(TextExchangeRead, LinesJoinUntilTheTextEndsWithSemicolon) {
  ExpectReads({
      {"record over three lines", "TRACK,LAYER=1,\r\nWIDTH=300,P0=0/0,\r\nP1=5/5;\r\n",
       "TRACK,LAYER=1,WIDTH=300,P0=0/0,P1=5/5;"},
      // Blanks after the closing semicolon still end the record: the next
      // record is never swallowed.
      {"blank after the semicolon", "TRACK,WIDTH=300,P0=0/0,P1=5/5; \t\r\nPAD,SIZE=100,DRILL=50;\r\n",
       "TRACK,LAYER=3,WIDTH=300,P0=0/0,P1=5/5;\nPAD,LAYER=1,POS=0/0,FORM=1,SIZE=100,DRILL=50;"},
      {"LF and lone CR end lines too", "PAD,SIZE=100,DRILL=50;\nPAD,SIZE=200,DRILL=50;\rPAD,SIZE=300,DRILL=50;",
       "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=100,DRILL=50;\n"
       "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=200,DRILL=50;\n"
       "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=300,DRILL=50;"},
      {"empty lines and a last record without semicolon", "\r\n\r\nPAD,SIZE=100,DRILL=50;\r\n\r\nPAD,SIZE=200,DRILL=50",
       "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=100,DRILL=50;\n"
       "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=200,DRILL=50;"},
      {"records without comma and unknown keywords yield nothing",
       "HELLO;\r\nVIA,SIZE=1;\r\nPAD,SIZE=100,DRILL=50;\r\n", "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=100,DRILL=50;"},
  });
}

TEST(TextExchangeRead, BlanksAndCaseCountOnlyInsideTheTextValue) {
  ExpectReads({
      {"track", " track , Layer = 1 ,width=3 00, p0 = 1 / 2 , p1=3/4 ;", "TRACK,LAYER=1,WIDTH=300,P0=1/2,P1=3/4;"},
      {"text", "Text , pos=0/0, height = 20000 , text=| a,b; C |;",
       "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=| a,b; C |;"},
      {"keyword with tab", "\tsmdpad,size_x=10,size_y=20;", "SMDPAD,LAYER=1,POS=0/0,SIZE_X=10,SIZE_Y=20;"},
      // Fields are never found inside the text value, and the value runs to
      // the record's last bar.
      {"a text that looks like fields", "TEXT,POS=0/0,HEIGHT=20000,TEXT=|ROTATION=90,LAYER=4,HEIGHT=x|;",
       "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=|ROTATION=90,LAYER=4,HEIGHT=x|;"},
      {"a text with bars", "TEXT,HEIGHT=20000,TEXT=|a|b|;", "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=|a|b|;"},
  });
}

TEST(TextExchangeRead, MissingFieldsTakeTheDefaults) {
  TTextImportDefaults d;
  d.ActiveLayer = kLayerI1;
  d.TrackWidth = 777;
  d.ZoneClearance = 7000;
  ExpectReads(
      {
          {"track: active layer, track width, clearance 4000", "TRACK,P0=0/0,P1=1/1;",
           "TRACK,LAYER=5,WIDTH=777,P0=0/0,P1=1/1;"},
          {"zone: the ground-plane clearance", "ZONE,P0=0/0,P1=1/1;",
           "ZONE,LAYER=5,CLEAR=7000,WIDTH=777,P0=0/0,P1=1/1;"},
          {"zone: WIDTH is found inside HATCH_WIDTH when it comes first", "ZONE,HATCH_WIDTH=500,P0=0/0,P1=1/1;",
           "ZONE,LAYER=5,CLEAR=7000,WIDTH=500,P0=0/0,P1=1/1;"},
          {"pad: layer 1, round, solder mask", "PAD,SIZE=100,DRILL=50;",
           "PAD,LAYER=1,POS=0/0,FORM=1,SIZE=100,DRILL=50;"},
          {"SMD pad", "SMDPAD,SIZE_X=10,SIZE_Y=20;", "SMDPAD,LAYER=1,POS=0/0,SIZE_X=10,SIZE_Y=20;"},
          {"circle", "CIRCLE,RADIUS=100,WIDTH=20;", "CIRCLE,LAYER=1,CENTER=0/0,RADIUS=100,WIDTH=20;"},
          {"text", "TEXT,HEIGHT=20000,TEXT=|A|;", "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=|A|;"},
          {"text without a closing bar is empty", "TEXT,HEIGHT=20000,TEXT=|A;",
           "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=||;"},
          {"text cut to the 255 bytes a project file keeps", "TEXT,HEIGHT=20000,TEXT=|" + std::string(300, 'x') + "|;",
           "TEXT,LAYER=1,POS=0/0,HEIGHT=20000,TEXT=|" + std::string(255, 'x') + "|;"},
      },
      d);
  const TTextImportResult zone = Read("ZONE,P0=0/0,P1=1/1;", d);
  ASSERT_TRUE(zone.Ok);
  EXPECT_EQ(zone.Elements[0]->HatchAuto, 1);
  EXPECT_EQ(zone.Elements[0]->HatchWidth, 777);
  const TTextImportResult pads = Read("PAD,SIZE=100,DRILL=50;\r\nSMDPAD,SIZE_X=10,SIZE_Y=20;", d);
  ASSERT_TRUE(pads.Ok);
  for (const auto& p : pads.Elements) {
    EXPECT_EQ(p->Clearance, kDefaultClearance);
    EXPECT_EQ(p->SolderMask, 1);
  }
}

TEST(TextExchangeRead, ValueEncodings) {
  ExpectReads({
      {"an integer ends at the first non-digit; any separator in a point", "TRACK,WIDTH=12ABC,P0=5/-3,P1=7X8;",
       "TRACK,LAYER=3,WIDTH=12,P0=5/-3,P1=7/8;"},
      {"a boolean is true when it starts with T",
       "TRACK,CUTOUT=Tru,SOLDERMASK=yes,FLATSTART=TRUE,FLATEND=false,P0=0/0,P1=30000/0;",
       "TRACK,LAYER=3,CUTOUT=true,WIDTH=2540,FLATSTART=true,P0=0/0,P1=30000/0;"},
      {"an empty boolean at the end of the record is false",
       "TRACK,P0=0/0,P1=1/1,CUTOUT=", "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=1/1;"},
      {"the 32-bit extremes", "TRACK,CLEAR=-2147483648,WIDTH=2147483647,P0=0/0,P1=1/1;",
       "TRACK,LAYER=3,CLEAR=-2147483648,WIDTH=2147483647,P0=0/0,P1=1/1;"},
      {"the first occurrence of a field counts", "TRACK,P0=0/0,P1=1/1,P1=9/9,P01=5/5;",
       "TRACK,LAYER=3,WIDTH=2540,P0=0/0,P1=1/1;"},
      {"pad rotation in 1/100 degree", "PAD,FORM=4,SIZE=100,DRILL=50,ROTATION=9000;",
       "PAD,LAYER=1,POS=0/0,FORM=4,SIZE=100,DRILL=50,ROTATION=9000;"},
  });
  const TTextImportResult r = Read(
      "PAD,SIZE=100,DRILL=50,THERMAL=T,THERMAL_TRACKS=-2147483647;\r\n"
      "CIRCLE,RADIUS=19000,WIDTH=2001;\r\n"
      "SMDPAD,POS=10/20,SIZE_X=100,SIZE_Y=50,ROTATION=-9000;\r\n");
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Elements[0]->ThermalSpokes, 0x80000001u);
  EXPECT_EQ(r.Elements[1]->SizeA, 20001);  // round(19000 + 1000.5)
  EXPECT_EQ(r.Elements[1]->SizeB, 18000);  // round(19000 - 1000.5)
  const TObjekt& smd = *r.Elements[2];
  EXPECT_NEAR(PadRotation(smd), 270, 1e-3);
  EXPECT_NEAR(Centre(smd).X, 10, 1e-3);
  EXPECT_NEAR(Centre(smd).Y, -20, 1e-3);
}

TEST(TextExchangeRead, PointsStopAtTheFirstGap) {
  struct Case {
    std::string record;
    size_t points;
  };
  const Case cases[] = {
      {"TRACK,P0=0/0,P1=1/1,P3=3/3;", 2},
      {"TRACK,P0=0/0,P2=2/2;", 1},
      {"TRACK,P1=1/1,P2=2/2;", 0},
      {"TRACK,P2=2/2,P1=1/1,P0=0/0;", 3},
  };
  for (const auto& c : cases) {
    TTextImportResult r = Read(c.record);
    ASSERT_TRUE(r.Ok) << c.record;
    EXPECT_EQ(r.Elements[0]->Points.size(), c.points) << c.record;
    CleanUpList(r.Elements);
    EXPECT_EQ(r.Elements.size(), c.points >= 2 ? 1u : 0u) << c.record;
  }
}

TEST(TextExchangeRead, TextGetsStrokesOnItsLayerWithItsClearance) {
  const TTextImportResult r = Read("TEXT,LAYER=4,CLEAR=3000,POS=100/200,HEIGHT=20000,TEXT=|Hi|;");
  ASSERT_TRUE(r.Ok) << r.Error;
  const TObjekt& t = *r.Elements[0];
  EXPECT_EQ(t.Pos, (TFPoint{100, -200}));
  ASSERT_FALSE(t.SubElements.empty());
  for (const auto& s : t.SubElements) {
    EXPECT_EQ(s->Layer, kLayerS2);
    EXPECT_EQ(s->Clearance, 3000);
  }
}

TEST(TextExchangeRead, BadValuesStopTheWholeImport) {
  const std::pair<std::string, std::string> cases[] = {
      {"\r\nTRACK,P0=0/0,P1=1/1;\r\nPAD,SIZE=X16000,DRILL=8000;\r\n", "Line 3: the value of \"SIZE\" is not a number."},
      {"PAD,SIZE=1,DRILL=1;\r\nTRACK,\r\nWIDTH=-;\r\n", "Line 2: the value of \"WIDTH\" is not a number."},
      {"TRACK,P0=+5/0;", "Line 1: the value of \"P0\" is not a number."},
      {"TRACK,P0=1;", "Line 1: the value of \"P0\" is not a number."},
      {"TRACK,P0=0/0,P1=1/=;", "Line 1: the value of \"P1\" is not a number."},
      {"CIRCLE,RADIUS=5,WIDTH=;", "Line 1: the value of \"WIDTH\" is not a number."},
      {"PAD,DRILL=8000;", "Line 1: the required field \"SIZE\" is missing."},
      {"SMDPAD,SIZE_X=1;", "Line 1: the required field \"SIZE_Y\" is missing."},
      {"CIRCLE,WIDTH=1;", "Line 1: the required field \"RADIUS\" is missing."},
      {"TEXT,POS=0/0,TEXT=|a|;", "Line 1: the required field \"HEIGHT\" is missing."},
      {"TRACK,CLEAR=2147483648;", "Line 1: the value of \"CLEAR\" is out of range."},
      {"TRACK,P0=0/-2147483649;", "Line 1: the value of \"P0\" is out of range."},
      {"TRACK,WIDTH=99999999999999999999999;", "Line 1: the value of \"WIDTH\" is out of range."},
      {"TRACK,LAYER=8;", "Line 1: the value of \"LAYER\" is out of range."},
      {"PAD,SIZE=1,DRILL=1,FORM=10;", "Line 1: the value of \"FORM\" is out of range."},
      {"TEXT,HEIGHT=1,STYLE=3;", "Line 1: the value of \"STYLE\" is out of range."},
      {"TEXT,HEIGHT=1,THICKNESS=-1;", "Line 1: the value of \"THICKNESS\" is out of range."},
  };
  for (const auto& [text, message] : cases) {
    const TTextImportResult r = Read(text);
    EXPECT_FALSE(r.Ok) << text;
    EXPECT_EQ(r.Error, message) << text;
    EXPECT_TRUE(r.Elements.empty()) << text;
  }
}

TEST(TextExchangeRead, NoUsableRecord) {
  for (const std::string text : {"", "\r\n\r\n", "   ;", "TRACKS;\r\nHELLO,WORLD;\r\n"}) {
    const TTextImportResult r = Read(text);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, kNoValidTextData) << text;
  }
}

// A new board grows towards the elements up to the largest board; an element
// that overhangs that is kept, one wholly beyond it stops the import at its
// line. The elements are cleaned up first, as the import does.
TEST(TextExchangeImport, BoardGrowsUpToTheLargestBoard) {
  struct TCase {
    const char* what;
    std::string text;
    int32_t width, height;
    std::string error;
  };
  const TCase cases[] = {
      {"inside the default board", "SMDPAD,POS=500000/500000,SIZE_X=20000,SIZE_Y=10000;", 1600000, 1000000, ""},
      {"reaching 300 mm right and 200 mm down", "SMDPAD,POS=2990000/1995000,SIZE_X=20000,SIZE_Y=10000;", 3000000,
       2000000, ""},
      {"overhanging the largest board", "SMDPAD,POS=5000000/3000000,SIZE_X=20000,SIZE_Y=20000;", 5000000, 3010000, ""},
      {"beginning right at its edge", "SMDPAD,POS=5010000/5010000,SIZE_X=20000,SIZE_Y=20000;", 5000000, 5000000, ""},
      {"wholly right of it", "PAD,SIZE=100,DRILL=50;\r\n\r\nSMDPAD,POS=10500000/100000,SIZE_X=20000,SIZE_Y=10000;", 0,
       0, "Line 3: the element lies 1049 mm to the right, wholly beyond the largest board (500 x 500 mm)."},
      {"wholly below it, the record over two lines",
       "SMDPAD,POS=100000/100000,SIZE_X=1000,SIZE_Y=1000;\r\nSMDPAD,\r\nPOS=100000/6010000,SIZE_X=20000,SIZE_Y=20000;",
       0, 0, "Line 2: the element lies 600 mm down, wholly beyond the largest board (500 x 500 mm)."},
      {"after an element the clean-up removed",
       "TRACK,P0=20000000/0;\r\nSMDPAD,POS=7010000/100000,SIZE_X=20000,SIZE_Y=20000;", 0, 0,
       "Line 2: the element lies 700 mm to the right, wholly beyond the largest board (500 x 500 mm)."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TTextImportResult r = Read(c.text);
    ASSERT_TRUE(r.Ok) << r.Error;
    CleanUpList(r.Elements);
    const TImportBoardSize size = ImportBoardSize(r, NewPlatine(1600000, 1000000, false));
    EXPECT_EQ(size.Error, c.error);
    if (c.error.empty()) {
      EXPECT_EQ(size.Width, c.width);
      EXPECT_EQ(size.Height, c.height);
    }
  }
}

// "textio import": a track running out to 1100 mm gives a board of 500 mm
// that keeps it; an element wholly beyond stops the import and writes
// nothing.
TEST(TextExchangeImport, CommandLineKeepsTheBoardWithinTheLimit) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("bs_textio_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto import = [&](const std::string& records, std::string& err) {
    const std::string in = (dir / "in.txt").string(), out = (dir / "out.bsm6").string();
    std::ofstream(in, std::ios::binary) << records;
    std::ostringstream o, e;
    const int code = cli::RunCli({"textio", "import", in, out, "--force"}, o, e);
    err = e.str();
    return code;
  };
  std::string err;
  ASSERT_EQ(import("TRACK,LAYER=1,WIDTH=2000,P0=1000000/500000,P1=11000000/500000;\r\n", err), 0) << err;
  TProject p;
  ASSERT_TRUE(ReadProjectFile(p, (dir / "out.bsm6").string(), false).Ok);
  EXPECT_EQ(p.Active()->Platine.Width, 5000000);
  EXPECT_EQ(p.Active()->Platine.Height, 1000000);
  EXPECT_EQ(p.Active()->Elements.size(), 1u);

  std::filesystem::remove(dir / "out.bsm6");
  EXPECT_EQ(import("PAD,SIZE=100,DRILL=50;\r\nPAD,POS=6000000/0,SIZE=100,DRILL=50;\r\n", err), 1);
  EXPECT_NE(err.find("Line 2: the element lies"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bsm6"));
  std::filesystem::remove_all(dir);
}

// Either elements and no error, or an error and no elements.
void ExpectWellFormed(const TTextImportResult& r, const std::string& text) {
  if (r.Ok) {
    EXPECT_FALSE(r.Elements.empty()) << text;
    EXPECT_TRUE(r.Error.empty()) << text;
  } else {
    EXPECT_TRUE(r.Elements.empty()) << text;
    EXPECT_FALSE(r.Error.empty()) << text;
  }
}

TEST(TextExchangeRobustness, MalformedInputs) {
  const std::string cases[] = {
      ";",
      ",",
      "TRACK,",
      "TRACK,P0=",
      "TRACK,P0=-",
      "TRACK,P0=1/",
      "TRACK,P=1/1,P-1=2/2,PP0=3/3",
      "PAD,SIZE=,DRILL=",
      "TEXT,|",
      "TEXT,HEIGHT=1,TEXT=|abc",
      "TEXT,HEIGHT=2147483647,THICKNESS=0,STYLE=2,ROTATION=-2147483648,TEXT=|WWWWWWWWWW|;",
      "TEXT,HEIGHT=-5,TEXT=|\x01\x7F\x98\xFF|;",
      "PAD,SIZE=2147483647,DRILL=-2147483648,FORM=9,ROTATION=2147483647;",
      "SMDPAD,SIZE_X=-2147483648,SIZE_Y=2147483647,ROTATION=-2147483648;",
      "CIRCLE,RADIUS=2147483647,WIDTH=-2147483648,START=-1,STOP=2147483647;",
      std::string("PAD,SIZE=1\0,DRILL=1;", 20),
      "\r\r\r\n\n;\r;",
      "TRACK,P4294967296=1/1,P0=0/0,P1=1/1,P999999999=1/1,P1234567890123=1/1;",
      std::string(5000, 'P'),
      "TRACK," + std::string(3000, '='),
  };
  for (const auto& text : cases) {
    TTextImportResult r = Read(text);
    ExpectWellFormed(r, text);
    CleanUpList(r.Elements);
  }
}

TEST(TextExchangeRobustness, LongGaplessPointList) {
  std::string record = "TRACK";
  const int n = 20000;
  for (int i = 0; i < n; ++i) record += ",P" + std::to_string(i) + "=" + std::to_string(i) + "/0";
  const TTextImportResult r = Read(record + ";");
  ASSERT_TRUE(r.Ok) << r.Error;
  ASSERT_EQ(r.Elements[0]->Points.size(), static_cast<size_t>(n));
  EXPECT_EQ(r.Elements[0]->Points.back(), (TFPoint{n - 1.0f, 0}));
}

// Random edits of valid records: every outcome must be well formed.
TEST(TextExchangeRobustness, MutatedRecords) {
  std::vector<std::string> seeds;
  for (const auto& c : WriteCases()) seeds.push_back(c.record + "\r\n");
  const std::string alphabet = "0123456789-/=,;| \r\nPTXYZ_";
  std::mt19937 rng(20240611);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  for (int round = 0; round < 3000; ++round) {
    std::string s = seeds[pick(seeds.size())];
    if (pick(4) == 0) s += seeds[pick(seeds.size())];
    const int edits = 1 + static_cast<int>(pick(6));
    for (int k = 0; k < edits && !s.empty(); ++k) {
      const size_t at = pick(s.size());
      switch (pick(5)) {
        case 0: s[at] = alphabet[pick(alphabet.size())]; break;
        case 1: s[at] = static_cast<char>(pick(256)); break;
        case 2: s.insert(at, 1, alphabet[pick(alphabet.size())]); break;
        case 3: s.erase(at, 1 + pick(8)); break;
        default: s.insert(at, s.substr(pick(s.size()), 1 + pick(12))); break;
      }
    }
    TTextImportResult r = Read(s);
    ExpectWellFormed(r, s);
    CleanUpList(r.Elements);
    std::vector<const TObjekt*> list;
    for (const auto& e : r.Elements) list.push_back(e.get());
    const TTextImportResult again = Read(WriteTextExchange(list));
    if (!list.empty()) {
      EXPECT_TRUE(again.Ok) << s << "\n" << again.Error;
    }
  }
}

}  // namespace
}  // namespace bs
