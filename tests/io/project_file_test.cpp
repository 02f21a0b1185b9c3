#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "io/byte_stream.h"
#include "io/element_codec.h"
#include "io/project_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "render/text_strokes.h"

namespace bs {
namespace {

namespace fs = std::filesystem;

// A project with every element kind, links between elements and project info.
void BuildRichProject(TProject& p) {
  ResetProject(p, TLanguage::English, false);
  TBoard& b = *p.Active();
  b.Platine.GroundPlane[kLayerC2] = 1;
  b.Platine.Template1File = "scan.bmp";
  auto add = [&](std::unique_ptr<TObjekt> e) -> TObjekt& {
    e->Clearance = 4000;
    b.Elements.push_back(std::move(e));
    return *b.Elements.back();
  };
  auto pad = NewObjekt();
  InitThtPad(*pad, {100000, -100000}, kLayerC2, kShapeOctagonH, 4000, 9000);
  pad->ComponentNo = 1;
  pad->Thermal = 1;
  pad->ThermalSpokes = 0x11223344;
  TObjekt& p1 = add(std::move(pad));
  auto smd = NewObjekt();
  InitSmdPad(*smd, {200000, -100000}, 12000, kLayerC1, 8000);
  smd->ComponentNo = 1;
  TObjekt& p2 = add(std::move(smd));
  p1.Connections = {&p2};
  p2.Connections = {&p1};
  auto track = NewObjekt();
  InitTrack(*track, 5000, kLayerC2);
  AddPoint(*track, {100000, -100000});
  AddPoint(*track, {150000.5f, -100000});
  track->Routed = 1;
  track->RouteStart = &p1;
  track->RouteEnd = &p2;
  track->TrackEnds = 2;
  track->Groups = {1, 2};  // dense, as a save leaves them
  track->Text2 = "GND";
  add(std::move(track));
  auto zone = NewObjekt();
  InitZone(*zone, 2000, kLayerC1);
  for (TFPoint q : {TFPoint{0, 0}, TFPoint{50000, 0}, TFPoint{50000, -50000}}) AddPoint(*zone, q);
  zone->Hatch = 1;
  zone->Groups = {2};
  add(std::move(zone));
  auto circle = NewObjekt();
  InitCircle(*circle, {300000, -300000}, 20000, kLayerS1, 18000);
  circle->StartAngle = 45000;
  circle->StopAngle = 300000;
  add(std::move(circle));
  auto label = NewObjekt();
  InitText(*label, {90000, -80000},
           "IC\xB9"
           "1",
           false, true, kLayerS2, 1, 1, 15000, 90);
  label->LabelRole = 1;
  label->ComponentNo = 1;
  TPlaceData& pd = EnsurePlace(*label);
  pd.PlaceOffsetX = 1.5f;
  pd.PlaceRotation = 270;
  pd.Package = "SO8";
  pd.Comment = "main";
  pd.PlaceEnabled = 1;
  ASSERT_TRUE(BuildTextStrokes(*label, false));
  add(std::move(label));
  AddBoard(p, "Second", 500000, 400000, true).Platine.Multilayer = 1;
  auto inner = NewObjekt();
  InitTrack(*inner, 3000, kLayerI1);
  AddPoint(*inner, {1, 2});
  AddPoint(*inner, {3, 4});
  p.Active()->Elements.push_back(std::move(inner));
  SwitchBoard(p, 0);
  p.Info = {"Title", "Author", "Company", std::string(1900, 'c')};
}

TEST(ProjectFile, WriteReadWriteIsIdentical) {
  TProject p;
  BuildRichProject(p);
  const std::vector<uint8_t> first = EncodeProject(p);
  ASSERT_EQ(std::vector<uint8_t>(first.begin(), first.begin() + 4), (std::vector<uint8_t>{0x06, 0x33, 0xAA, 0xFF}));

  TProject q;
  const TReadResult r = ReadProjectBytes(q, first.data(), first.size(), false, "x.bsm6");
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.Version, 6);
  EXPECT_TRUE(r.Warning.empty());
  EXPECT_EQ(EncodeProject(q), first);

  ASSERT_EQ(q.Boards.size(), 2u);
  EXPECT_EQ(q.ActiveIndex, 0);
  EXPECT_FALSE(q.Changed);
  EXPECT_EQ(q.Info.Comment.size(), 1900u);
  EXPECT_EQ(q.Boards[1]->Caption, "Second ");
  EXPECT_EQ(q.Boards[1]->Platine.Multilayer, 1);
  const TObjektList& l = q.Boards[0]->Elements;
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(l[0]->Connections, TRefList{l[1].get()});
  EXPECT_EQ(l[1]->Connections, TRefList{l[0].get()});
  EXPECT_EQ(l[2]->RouteStart, l[0].get());
  EXPECT_EQ(l[2]->RouteEnd, l[1].get());
  EXPECT_EQ(l[2]->Points[1].X, 150000.5f);
  EXPECT_EQ(l[2]->TrackEnds, 2);
  EXPECT_EQ(l[2]->Text2, "GND");
  EXPECT_EQ(l[0]->ThermalSpokes, 0x11223344u);
  ASSERT_TRUE(l[5]->Place);
  EXPECT_EQ(l[5]->Place->Package, "SO8");
  EXPECT_EQ(l[5]->Place->PlaceRotation, 270);
  EXPECT_EQ(l[5]->Text,
            "IC\xB9"
            "1");
  EXPECT_FALSE(l[5]->SubElements.empty());
}

TEST(ProjectFile, HeaderCheck) {
  struct Case {
    std::vector<uint8_t> head;
    bool ok;
    std::string message;
  };
  const Case cases[] = {
      {{0x06, 0x33, 0xAA, 0xFF}, true, ""},
      {{0x00, 0x33, 0xAA, 0xFF}, true, ""},
      {{0x07, 0x33, 0xAA, 0xFF},
       false,
       "\"b.bsm6\" was created with a newer version of Boardsmith (Version 7).\rYour version of Boardsmith "
       "is not able to open this file."},
      {{0x0C, 0x33, 0xAA, 0xFF}, false, "\"b.bsm6\" is not a Boardsmith file."},
      {{0xFF, 0x32, 0xAA, 0xFF}, false, "\"b.bsm6\" is not a Boardsmith file."},
      {{0x06, 0x33}, false, "\"b.bsm6\" is not a Boardsmith file."},
  };
  for (const auto& c : cases) {
    const TFileCheck r = CheckFileHeader(c.head.data(), c.head.size(), "/some/dir/b.bsm6");
    EXPECT_EQ(r.Ok, c.ok);
    EXPECT_EQ(r.Message, c.message);
  }
  // A file that fails the check leaves the project alone.
  TProject p;
  ResetProject(p, TLanguage::English, false);
  p.Changed = true;
  const std::vector<uint8_t> bad = {0x07, 0x33, 0xAA, 0xFF, 1, 0, 0, 0};
  EXPECT_FALSE(ReadProjectBytes(p, bad.data(), bad.size(), false, "b.bsm6").Ok);
  EXPECT_EQ(p.Boards.size(), 1u);
  EXPECT_TRUE(p.Changed);
}

TEST(ProjectFile, DamagedFilesNeverCrashAndKeepCompleteBoards) {
  TProject p;
  BuildRichProject(p);
  const std::vector<uint8_t> good = EncodeProject(p);
  size_t firstBoardEnd = 0;
  {
    TProject one;
    BuildRichProject(one);
    one.Boards.pop_back();
    firstBoardEnd = EncodeProject(one).size() - (4 + 3 * 101 + 4 + 1900);
  }
  for (size_t cut = 4; cut < good.size(); cut += (cut < 600 ? 1 : 37)) {
    TProject q;
    q.FileName = "old.bsm6";
    const TReadResult r = ReadProjectBytes(q, good.data(), cut, false, "old.bsm6");
    ASSERT_FALSE(r.Ok) << cut;
    EXPECT_EQ(r.Error, "The file \"old.bsm6\" is damaged or incomplete.");
    EXPECT_TRUE(q.FileName.empty());
    ASSERT_GE(q.Boards.size(), 1u);
    EXPECT_NE(q.Active(), nullptr);
    if (cut > firstBoardEnd) {
      EXPECT_EQ(q.Boards[0]->Elements.size(), 6u) << cut;
    }
  }
  // Counts far beyond the data are refused before anything is allocated.
  std::vector<uint8_t> huge = {0x06, 0x33, 0xAA, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  TProject q;
  EXPECT_FALSE(ReadProjectBytes(q, huge.data(), huge.size(), false, "h.bsm6").Ok);
}

TEST(ProjectFile, LinksOutsideTheListAreIgnored) {
  TProject p;
  ResetProject(p, TLanguage::English, false);
  auto pad = NewObjekt();
  InitThtPad(*pad, {0, 0}, kLayerC1, kShapeRound, 100, 500);
  p.Active()->Elements.push_back(std::move(pad));
  std::vector<uint8_t> bytes = EncodeProject(p);
  // The pad's connection count is the last i32 before the active index and
  // the project info; give it two indices, -1 and 5.
  const size_t tail = 4 + 3 * 101 + 4;
  const size_t countAt = bytes.size() - tail - 4;
  ASSERT_EQ(le::GetI32(&bytes[countAt]), 0);
  std::vector<uint8_t> patched(bytes.begin(), bytes.begin() + countAt);
  for (int32_t v : {2, -1, 5}) {
    uint8_t b[4];
    le::PutI32(b, v);
    patched.insert(patched.end(), b, b + 4);
  }
  patched.insert(patched.end(), bytes.end() - tail, bytes.end());
  TProject q;
  ASSERT_TRUE(ReadProjectBytes(q, patched.data(), patched.size(), false, "l.bsm6").Ok);
  EXPECT_TRUE(q.Active()->Elements[0]->Connections.empty());
}

// The stored index of the active board is checked against the boards read:
// one outside them, the count of boards included, gives the first board.
TEST(ProjectFile, ActiveBoardIndexOutsideTheBoardsGivesTheFirst) {
  TProject p;
  BuildRichProject(p);
  ASSERT_EQ(p.Boards.size(), 2u);
  std::vector<uint8_t> bytes = EncodeProject(p);
  // The index follows the boards; title, author and company (101 bytes
  // each) and the comment with its length follow it.
  const size_t at = bytes.size() - (3 * 101 + 4 + p.Info.Comment.size()) - 4;
  ASSERT_EQ(le::GetI32(&bytes[at]), p.ActiveIndex);
  const std::pair<int32_t, int> cases[] = {{1, 1}, {2, 0}, {3, 0}, {-1, 0}, {INT32_MIN, 0}};
  for (const auto& [stored, active] : cases) {
    le::PutI32(&bytes[at], stored);
    TProject q;
    ASSERT_TRUE(ReadProjectBytes(q, bytes.data(), bytes.size(), false, "a.bsm6").Ok) << stored;
    EXPECT_EQ(q.ActiveIndex, active) << stored;
    EXPECT_EQ(q.Active(), q.Boards[size_t(active)].get()) << stored;
  }
}

// Writes old-format files by hand.
struct OldFile {
  TByteWriter w;
  explicit OldFile(int version) { w.U32(kFileMagic + version); }
  void I16(int16_t v) {
    uint8_t* p = w.Grow(2);
    le::PutI16(p, v);
  }
  // An old header of the given size with fields at the given offsets.
  uint8_t* Header(size_t size) { return w.Grow(size); }
};

TEST(ProjectFile, Version2SingleBoardInHundredthsOfMillimetres) {
  OldFile f(2);
  f.w.I32(1600);  // width and height in 1/100 mm
  f.w.I32(1000);
  f.I16(3);
  // A track on layer 1 (becomes layer 3) with two groups.
  uint8_t* h = f.Header(49);
  h[0] = kKindTrack;
  le::PutI16(h + 9, 25);  // width
  h[12] = 1;
  f.I16(1);
  f.I16(7);
  f.I16(2);
  for (int16_t v : {10, -20, 30, -20}) f.I16(v);
  // A legacy line on layer 3 (becomes 1).
  h = f.Header(49);
  h[0] = kKindLegacyLine;
  le::PutI16(h + 1, 1);
  le::PutI16(h + 3, -2);
  le::PutI16(h + 5, 3);
  le::PutI16(h + 7, -4);
  le::PutI16(h + 9, 10);
  h[12] = 3;
  f.I16(0);
  // A circle of whole degrees (made full by the old defaults).
  h = f.Header(49);
  h[0] = kKindCircle;
  le::PutI16(h + 1, 100);
  le::PutI16(h + 3, -100);
  le::PutI16(h + 5, 50);
  le::PutI16(h + 7, 40);
  h[12] = 2;
  f.I16(0);

  TProject p;
  const std::vector<uint8_t>& b = f.w.Bytes();
  const TReadResult r = ReadProjectBytes(p, b.data(), b.size(), false, "old.bsm", {TLanguage::French});
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_FALSE(r.Warning.empty());  // the copper sides were exchanged
  ASSERT_EQ(p.Boards.size(), 1u);
  const TBoard& board = *p.Active();
  EXPECT_EQ(board.Caption, "Carte 1 ");
  EXPECT_EQ(board.Platine.Width, 160000);
  EXPECT_EQ(board.Platine.OriginY, -100000);
  EXPECT_EQ(board.Platine.ActiveLayer, kLayerC2);
  ASSERT_EQ(board.Elements.size(), 3u);
  const TObjekt& t = *board.Elements[0];
  EXPECT_EQ(t.Layer, kLayerC2);
  EXPECT_EQ(t.Width, 2500);
  EXPECT_EQ(t.Clearance, 4000);
  EXPECT_EQ(t.Points, (TPointList{{1000, -2000}, {3000, -2000}}));
  EXPECT_EQ(t.Groups.size(), 1u);  // renumbered from 7
  const TObjekt& line = *board.Elements[1];
  EXPECT_EQ(line.Kind, kKindTrack);
  EXPECT_EQ(line.Layer, kLayerC1);
  EXPECT_EQ(line.Points, (TPointList{{100, -200}, {300, -400}}));
  const TObjekt& c = *board.Elements[2];
  EXPECT_EQ(c.SizeA, 5000);
  EXPECT_EQ(c.SizeB, 4000);
  EXPECT_EQ(c.StopAngle, 0);
}

TEST(ProjectFile, Version1ComponentNumbersBecomeGroups) {
  OldFile f(1);
  f.w.I32(100);
  f.w.I32(100);
  f.I16(3);
  for (int16_t comp : {5, 5, 0}) {
    uint8_t* h = f.Header(49);
    h[0] = kKindTrack;
    h[12] = 2;
    le::PutI16(h + 34, comp);
    f.I16(2);
    for (int16_t v : {0, 0, 10, 0}) f.I16(v);
  }
  TProject p;
  ASSERT_TRUE(ReadProjectBytes(p, f.w.Bytes().data(), f.w.Bytes().size(), false, "g.bsm").Ok);
  const TObjektList& l = p.Active()->Elements;
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0]->ComponentNo, 0);
  EXPECT_EQ(l[0]->Groups, (TGroupList{1}));
  EXPECT_EQ(l[1]->Groups, (TGroupList{1}));
  EXPECT_TRUE(l[2]->Groups.empty());
}

// A version-4 board record of 490 bytes.
void OldRecord4(TByteWriter& w, int32_t width, int32_t height) {
  uint8_t* r = w.Grow(490);
  std::fill(r, r + 490, 0);
  le::PutI32(r + 4, width);
  le::PutI32(r + 8, height);
  r[12] = 1;  // ground plane C1
  le::PutF64(r + 14, 127.0);
  le::PutF64(r + 22, 0.1);
  le::PutI32(r + 38, 3);
  r[42] = r[43] = r[44] = r[45] = 1;
  le::PutI32(r + 482, 5000);    // OriginX
  le::PutI32(r + 486, -80000);  // OriginY
}

TEST(ProjectFile, Version4ViaPairsTextsAndRecord) {
  OldFile f(4);
  f.w.I32(1);
  f.w.ShortString("Old", 30);
  OldRecord4(f.w, 1000, 800);
  f.w.I32(4);
  auto pad = [&](int32_t x, int32_t partner) {
    uint8_t* h = f.Header(75);
    std::fill(h, h + 75, 0);
    h[0] = kKindThtPad;
    le::PutI32(h + 1, x);
    le::PutI32(h + 5, -100);
    le::PutI32(h + 9, 80);
    le::PutI32(h + 13, 40);
    h[22] = 1;
    h[23] = kShapeRound;
    f.w.StoredString("");
    f.w.I32(0);  // groups
    f.w.I32(partner);
  };
  pad(100, 1);  // via pair: 0 and 1
  pad(100, 0);
  pad(500, -1);
  // A text with one stroke and the old rotation code 2 (180 degrees).
  uint8_t* h = f.Header(75);
  std::fill(h, h + 75, 0);
  h[0] = kKindText;
  le::PutI32(h + 9, 150);  // height
  le::PutI32(h + 13, 1);   // thickness code, not scaled
  le::PutI32(h + 17, 1);   // style
  h[22] = 2;
  le::PutI32(h + 31, 2);
  h[54] = 1;  // MirrorH
  f.w.StoredString("T");
  f.w.I32(0);
  f.w.I32(1);
  uint8_t* s = f.Header(75);
  std::fill(s, s + 75, 0);
  s[0] = kKindTrack;
  le::PutI32(s + 17, 15);
  s[22] = 2;
  f.w.I32(2);
  for (int32_t v : {0, 0, 10, 10}) f.w.I32(v);
  // Connections: pads 0, 1 and 2 (the third is connected to the second).
  f.w.I32(0);
  f.w.I32(1);
  f.w.I32(2);
  f.w.I32(1);
  f.w.I32(1);
  f.w.I32(0);  // active board
  f.w.ShortString("t", 100);
  f.w.ShortString("a", 100);
  f.w.ShortString("c", 100);
  f.w.I32(0);

  TProject p;
  const TReadResult r = ReadProjectBytes(p, f.w.Bytes().data(), f.w.Bytes().size(), false, "v4.bsm");
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_TRUE(r.Warning.empty());
  const TBoard& b = *p.Active();
  EXPECT_EQ(b.Caption, "Old ");
  EXPECT_EQ(b.Platine.Width, 100000);
  EXPECT_EQ(b.Platine.Grid, 12700);
  EXPECT_DOUBLE_EQ(b.Platine.Zoom, 0.001);
  EXPECT_EQ(b.Platine.OriginX, 500);
  EXPECT_EQ(b.Platine.OriginY, -8000);
  EXPECT_EQ(b.Platine.GroundPlane[kLayerC1], 1);  // no layer exchange from version 4 on
  EXPECT_EQ(b.Platine.LayerVisible[kLayerI1], 1);
  EXPECT_EQ(p.Info.Title, "t");
  ASSERT_EQ(b.Elements.size(), 3u);
  const TObjekt& via = *b.Elements[0];
  const TObjekt& other = *b.Elements[1];
  EXPECT_EQ(via.Via, 1);
  EXPECT_EQ(via.SizeA, 8000);
  EXPECT_EQ(via.Points.size(), 2u);  // outline generated
  EXPECT_EQ(via.ThermalSpokes, 0x55555555u);
  EXPECT_EQ(via.SolderMask, 1);
  EXPECT_EQ(via.Connections, TRefList{b.Elements[1].get()});
  EXPECT_EQ(other.Connections, TRefList{b.Elements[0].get()});
  EXPECT_EQ(other.Via, 0);
  const TObjekt& text = *b.Elements[2];
  EXPECT_EQ(text.Rotation, 180);
  EXPECT_EQ(text.MirrorH, 1);
  EXPECT_EQ(text.SizeA, 15000);
  EXPECT_EQ(text.SizeB, 1);
  EXPECT_EQ(text.LabelVisible, 1);
  ASSERT_EQ(text.SubElements.size(), 1u);
  EXPECT_EQ(text.SubElements[0]->Width, 1500);
  EXPECT_EQ(text.SubElements[0]->Points[1], (TFPoint{1000, 1000}));
}

TEST(ProjectFile, Version3LayersRecordAndLegacyText) {
  OldFile f(3);
  f.w.I32(1);
  f.w.ShortString("V3", 30);
  uint8_t* r = f.Header(482);
  std::fill(r, r + 482, 0);
  le::PutI32(r + 4, 1000);
  le::PutI32(r + 8, 500);
  r[12] = 1;  // ground plane of layer 1 in the old numbering
  le::PutF64(r + 14, 127.0);
  le::PutF64(r + 22, 0.1);
  le::PutI32(r + 38, 1);
  le::PutI32(r + 450, 300);  // Template1Dpi
  f.w.I32(3);
  // Pads connected to each other on old layer 1, no via pair.
  for (int i = 0; i < 2; ++i) {
    uint8_t* h = f.Header(74);
    std::fill(h, h + 74, 0);
    h[0] = kKindThtPad;
    le::PutI32(h + 1, 100 * i);
    le::PutI32(h + 9, 60);
    le::PutI32(h + 13, 30);
    h[22] = 1;
    h[23] = kShapeSquare;
    le::PutI32(h + 57, 50);  // clearance
    f.w.I32(0);
    f.w.I32(-1);  // no partner
  }
  // A legacy text, orientation 0, font height -20 (1/100 mm).
  uint8_t* h = f.Header(74);
  std::fill(h, h + 74, 0);
  h[0] = kKindLegacyText;
  le::PutI32(h + 1, 300);
  le::PutI32(h + 5, -300);
  le::PutI32(h + 17, -20);
  h[22] = 2;
  h[24] = 2;
  h[25] = 'H';
  h[26] = 'I';
  f.w.I32(0);
  // Connection lists of the THT pads only.
  f.w.I32(1);
  f.w.I32(1);
  f.w.I32(1);
  f.w.I32(0);
  f.w.I32(0);  // active board
  f.w.I32(0);  // an old zero point
  f.w.I32(0);

  TProject p;
  const TReadResult res = ReadProjectBytes(p, f.w.Bytes().data(), f.w.Bytes().size(), false, "v3.bsm");
  ASSERT_TRUE(res.Ok) << res.Error;
  EXPECT_FALSE(res.Warning.empty());
  const TBoard& b = *p.Active();
  EXPECT_EQ(b.Platine.GroundPlane[kLayerC2], 1);  // exchanged with layer 1
  EXPECT_EQ(b.Platine.GroundPlane[kLayerC1], 0);
  EXPECT_EQ(b.Platine.Template1Dpi, 300);
  EXPECT_EQ(b.Platine.LayerVisible[kLayerO], 1);
  ASSERT_EQ(b.Elements.size(), 3u);
  EXPECT_EQ(b.Elements[0]->Layer, kLayerC2);
  EXPECT_EQ(b.Elements[0]->Clearance, 5000);
  EXPECT_EQ(b.Elements[0]->Via, 0);
  EXPECT_EQ(b.Elements[0]->Points.size(), 4u);
  EXPECT_EQ(b.Elements[0]->Connections, TRefList{b.Elements[1].get()});
  EXPECT_EQ(b.Elements[1]->ThermalSpokes, 0x55555555u);  // the pad fix-up copies byte 0
  const TObjekt& t = *b.Elements[2];
  EXPECT_EQ(t.Kind, kKindText);
  EXPECT_EQ(t.Text, "HI");
  EXPECT_EQ(t.Layer, kLayerS1);
  EXPECT_EQ(t.SizeB, 2);  // bold
  EXPECT_NEAR(t.SizeA, 2000 / 96.0 * 72 * 0.9, 0.01);
  // The upper-left corner of the new text lies on the old anchor.
  const TURect box = BoundingRect(t, b.Platine);
  EXPECT_NEAR(box.Left, 30000, 1);
  EXPECT_NEAR(box.Bottom, -30000, 1);
}

TEST(ProjectFile, Version5ScalesUnitsAndResetsComponents) {
  TProject p;
  ResetProject(p, TLanguage::English, false);
  TBoard& b = *p.Active();
  b.Platine.Width = 1600;
  b.Platine.Height = 1000;
  b.Platine.Grid = 127;
  b.Platine.OriginY = -10000;
  auto pad = NewObjekt();
  InitSmdPad(*pad, {100, -100}, 60, kLayerC1, 40);
  pad->ComponentNo = 4;
  pad->ThermalMagic = 0;  // spokes not initialised in that file
  pad->Thermal = 1;
  pad->Clearance = 40;
  b.Elements.push_back(std::move(pad));
  auto arc = NewObjekt();
  InitCircle(*arc, {0, 0}, 100, kLayerS1, 90);
  arc->StartAngle = 0;
  arc->StopAngle = 500;  // half a degree is read as 500 degrees
  b.Elements.push_back(std::move(arc));
  std::vector<uint8_t> bytes = EncodeProject(p);
  bytes[0] = 0x05;
  TProject q;
  const TReadResult r = ReadProjectBytes(q, bytes.data(), bytes.size(), false, "v5.bsm");
  ASSERT_TRUE(r.Ok) << r.Error;
  const TBoard& qb = *q.Active();
  EXPECT_EQ(qb.Platine.Width, 160000);
  EXPECT_EQ(qb.Platine.Grid, 12700);
  EXPECT_EQ(qb.Platine.OriginY, -1000);
  const TObjekt& s = *qb.Elements[0];
  EXPECT_EQ(s.ComponentNo, 0);
  EXPECT_EQ(s.Points[0], (TFPoint{7000, -8000}));
  EXPECT_EQ(s.Clearance, 4000);
  EXPECT_EQ(s.Thermal, 0);
  EXPECT_EQ(s.ThermalSpokes, 85u);
  EXPECT_EQ(s.ThermalMagic, kThermalMagic);
  EXPECT_EQ(qb.Elements[1]->StopAngle, 500000);
}

TEST(ProjectFile, ImportAppendsBoardsAndIgnoresInfo) {
  TProject src;
  BuildRichProject(src);
  const std::vector<uint8_t> bytes = EncodeProject(src);
  TProject p;
  ResetProject(p, TLanguage::English, false);
  p.Info.Title = "mine";
  ASSERT_TRUE(ReadProjectBytes(p, bytes.data(), bytes.size(), true, "i.bsm6").Ok);
  EXPECT_EQ(p.Boards.size(), 3u);
  EXPECT_EQ(p.ActiveIndex, 2);
  EXPECT_EQ(p.Info.Title, "mine");
  EXPECT_TRUE(p.Changed);
}

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("bs_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
  std::string operator/(const std::string& name) const { return (path / name).string(); }
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ProjectFile, SaveRemovesComponentsOutsideTheBoardButAutosaveKeepsThem) {
  TempDir dir;
  TProject p;
  ResetProject(p, TLanguage::English, false);
  TBoard& b = *p.Active();
  for (float x : {-300000.0f, -200000.0f, 100000.0f}) {
    auto pad = NewObjekt();
    InitThtPad(*pad, {x, -100000}, kLayerC1, kShapeRound, 1000, 5000);
    pad->ComponentNo = x < 0 ? 1 : 2;
    b.Elements.push_back(std::move(pad));
  }
  b.Elements[0]->Connections = {b.Elements[2].get()};
  b.Elements[2]->Connections = {b.Elements[0].get()};
  p.Changed = true;

  ASSERT_TRUE(WriteProject(p, dir / "a.bsm6.bak", true).Ok);
  EXPECT_EQ(b.Elements.size(), 3u);
  EXPECT_TRUE(p.Changed);

  ASSERT_TRUE(WriteProject(p, dir / "a.bsm6").Ok);
  ASSERT_EQ(b.Elements.size(), 1u);
  EXPECT_TRUE(b.Elements[0]->Connections.empty());
  EXPECT_EQ(b.Elements[0]->ComponentNo, 1);  // renumbered
  EXPECT_FALSE(p.Changed);
  TProject back;
  ASSERT_TRUE(ReadProjectFile(back, dir / "a.bsm6", false).Ok);
  EXPECT_EQ(back.Active()->Elements.size(), 1u);

  // An element touching the edge from outside stays.
  auto edge = NewObjekt();
  InitThtPad(*edge, {-5000, -100000}, kLayerC1, kShapeSquare, 1000, 5000);
  b.Elements.push_back(std::move(edge));
  EXPECT_EQ(RemoveElementsOutsideBoard(b), 0u);
}

TEST(ProjectFile, FailedWriteKeepsTheOldFileAndTheFlag) {
  TempDir dir;
  TProject p;
  ResetProject(p, TLanguage::English, false);
  const std::string target = dir / "keep.bsm6";
  ASSERT_TRUE(WriteProject(p, target).Ok);
  const std::string before = Slurp(target);
  p.Changed = true;
  const std::string missing = dir / "no/such/folder/x.bsm6";
  const TWriteResult w = WriteProject(p, missing);
  EXPECT_FALSE(w.Ok);
  EXPECT_EQ(w.Error, "The file \"" + missing + "\" can not be written:\rNo such file or directory");
  EXPECT_TRUE(p.Changed);
  EXPECT_EQ(Slurp(target), before);
  for (const auto& entry : fs::directory_iterator(dir.path))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
}

TEST(ProjectFile, SaveAsAdjustsTheExtension) {
  TempDir dir;
  const std::string old = dir / "board.bsm";
  std::ofstream(old) << "old";
  TProject p;
  ResetProject(p, TLanguage::English, false);
  std::vector<std::string> asked;
  TProjectUi ui;
  ui.AskYesNoCancel = [&](const std::string& q) {
    asked.push_back(q);
    return TAnswer::No;
  };
  ASSERT_TRUE(SaveProjectAs(p, old, ui));
  EXPECT_EQ(p.FileName, dir / "board.bsm6");
  EXPECT_TRUE(fs::exists(dir / "board.bsm6"));
  EXPECT_FALSE(fs::exists(old));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0],
            "The file will be saved with the new file extension \".bsm6\".\r\rDo you want to keep the older "
            "original file?");
  EXPECT_EQ(WithProjectExtension("x.BSM6"), "x.BSM6");
  EXPECT_EQ(AutosaveName("/a/board.bsm6"), "/a/board.bsm6.bak");
  EXPECT_EQ(AutosaveName("/a/board.bsm"), "/a/board.bsm6.bak");
}

}  // namespace
}  // namespace bs
