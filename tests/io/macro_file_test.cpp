#include "io/macro_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "io/macro_library.h"
#include "io/macro_session.h"
#include "model/geometry.h"
#include "model/le_bytes.h"
#include "render/text_strokes.h"

namespace bs {
namespace {

namespace fs = std::filesystem;

// ---- building elements ----

std::unique_ptr<TObjekt> Tht(float x, float y, uint8_t layer = kLayerC2) {
  auto e = NewObjekt();
  InitThtPad(*e, {x, y}, layer, kShapeRound, 4000, 8000);
  return e;
}

std::unique_ptr<TObjekt> Smd(float x, float y, uint8_t layer = kLayerC1) {
  auto e = NewObjekt();
  InitSmdPad(*e, {x, y}, 10000, layer, 5000);
  return e;
}

std::unique_ptr<TObjekt> Track(std::vector<TFPoint> pts, uint8_t layer = kLayerS1, uint8_t kind = kKindTrack) {
  auto e = NewObjekt();
  if (kind == kKindZone) InitZone(*e, 2000, layer);
  else InitTrack(*e, 2000, layer);
  e->Points = std::move(pts);
  e->Clearance = kDefaultClearance;
  return e;
}

std::unique_ptr<TObjekt> Circle(float x, float y, uint8_t layer = kLayerS1) {
  auto e = NewObjekt();
  InitCircle(*e, {x, y}, 5000, layer, 4000);
  e->StopAngle = 360000;
  return e;
}

// A text with its strokes; `role` 1 makes an ID label, 2 a value label.
std::unique_ptr<TObjekt> Label(const char* s, uint8_t role, TFPoint at, uint8_t layer = kLayerS1, int rotation = 0,
                               bool mirrorH = false, bool mirrorV = false) {
  auto t = NewObjekt();
  InitText(*t, at, s, mirrorV, mirrorH, layer, 1, 1, 15000, rotation);
  t->LabelRole = role;
  t->Clearance = kDefaultClearance;
  EXPECT_TRUE(BuildTextStrokes(*t, false));
  return t;
}

// The centre of the box around a text's stroke vertices.
TDPoint StrokeCentre(const TObjekt& t) {
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const auto& s : t.SubElements)
    for (const TFPoint& p : s->Points) {
      x0 = std::min<double>(x0, p.X);
      x1 = std::max<double>(x1, p.X);
      y0 = std::min<double>(y0, p.Y);
      y1 = std::max<double>(y1, p.Y);
    }
  return {(x0 + x1) / 2, (y0 + y1) / 2};
}

// Stroke vertices relative to their box centre: the drawn shape, wherever it lies.
std::vector<TDPoint> StrokeShape(const TObjekt& t) {
  const TDPoint c = StrokeCentre(t);
  std::vector<TDPoint> out;
  for (const auto& s : t.SubElements)
    for (const TFPoint& p : s->Points) out.push_back({p.X - c.X, p.Y - c.Y});
  return out;
}

// ---- writing old files by hand ----

struct TBytes {
  std::vector<uint8_t> b;
  uint8_t* Grow(size_t n) {
    b.resize(b.size() + n);
    return b.data() + b.size() - n;
  }
  TBytes& I16(int16_t v) { return le::PutI16(Grow(2), v), *this; }
  TBytes& I32(int32_t v) { return le::PutI32(Grow(4), v), *this; }
  TBytes& U32(uint32_t v) { return le::PutU32(Grow(4), v), *this; }
  TBytes& F32(float v) { return le::PutF32(Grow(4), v), *this; }
  TBytes& Raw(const std::vector<uint8_t>& v) { return b.insert(b.end(), v.begin(), v.end()), *this; }
  TBytes& Short(const std::string& s, size_t k) {
    uint8_t* p = Grow(k + 1);
    p[0] = static_cast<uint8_t>(s.size());
    std::copy(s.begin(), s.end(), p + 1);
    return *this;
  }
};

// An element of an old file, in its units (1/100 mm).
struct TOld {
  uint8_t kind;
  uint8_t layer;
  int32_t x, y, sizeA, sizeB, width;
  std::vector<TIPoint> points;  // tracks
};

// The old element headers: 49 bytes (versions 0 ... 2), 74 (3), 75 (4).
std::vector<uint8_t> OldHeader(int version, const TOld& o) {
  const size_t size = version <= 2 ? 49 : version == 3 ? 74 : 75;
  std::vector<uint8_t> h(size, 0);
  h[0] = o.kind;
  if (version <= 2) {
    le::PutI16(&h[1], static_cast<int16_t>(o.x));
    le::PutI16(&h[3], static_cast<int16_t>(o.y));
    le::PutI16(&h[5], static_cast<int16_t>(o.sizeA));
    le::PutI16(&h[7], static_cast<int16_t>(o.sizeB));
    le::PutI16(&h[9], static_cast<int16_t>(o.width));
    h[12] = o.layer;
  } else {
    le::PutI32(&h[1], o.x);
    le::PutI32(&h[5], o.y);
    le::PutI32(&h[9], o.sizeA);
    le::PutI32(&h[13], o.sizeB);
    le::PutI32(&h[17], o.width);
    h[22] = o.layer;
  }
  return h;
}

// A macro file of an old version holding the elements (tracks and SMD pads),
// with the description lines from version 4 on.
std::vector<uint8_t> OldMacro(int version, const std::vector<TOld>& elements) {
  TBytes f;
  f.U32(0xFFAA3300u + static_cast<uint32_t>(version));
  if (version <= 2) f.I16(static_cast<int16_t>(elements.size()));
  else f.I32(static_cast<int32_t>(elements.size()));
  for (const TOld& o : elements) {
    const bool track = o.kind == kKindTrack;
    if (version == 5) {
      TObjekt e;
      e.Kind = o.kind;
      e.Layer = o.layer;
      e.Pos = {float(o.x), float(o.y)};
      e.SizeA = float(o.sizeA);
      e.SizeB = float(o.sizeB);
      e.Width = o.width;
      EncodeHeader(e, f.Grow(kHeaderSize));
      f.U32(0).U32(0).I32(0);  // Text, Text2, no groups
      if (track) {
        f.I32(static_cast<int32_t>(o.points.size()));
        for (const TIPoint& p : o.points) f.F32(float(p.X)).F32(float(p.Y));
      } else {
        const float hw = o.sizeA / 2.0f, hh = o.sizeB / 2.0f;
        f.I32(4);
        f.F32(o.x - hw).F32(o.y + hh).F32(o.x + hw).F32(o.y + hh);
        f.F32(o.x + hw).F32(o.y - hh).F32(o.x - hw).F32(o.y - hh);
      }
      continue;
    }
    f.Raw(OldHeader(version, o));
    if (version == 4) f.U32(0);  // Text
    if (version == 2) f.I16(0);  // no groups
    if (version >= 3) f.I32(0);
    if (track) {
      if (version <= 2) {
        f.I16(static_cast<int16_t>(o.points.size()));
        for (const TIPoint& p : o.points) f.I16(static_cast<int16_t>(p.X)).I16(static_cast<int16_t>(p.Y));
      } else {
        f.I32(static_cast<int32_t>(o.points.size()));
        for (const TIPoint& p : o.points) f.I32(p.X).I32(p.Y);
      }
    }
  }
  // Versions 4 and 5 list the (empty) connections of every pad.
  if (version == 4 || version == 5)
    for (const TOld& o : elements)
      if (o.kind == kKindSmdPad) f.I32(0);
  if (version >= 4) f.Short("first line", 50).Short("second line", 50);
  return f.b;
}

TOld OldTrack(uint8_t layer) { return {kKindTrack, layer, 0, 0, 0, 0, 25, {{10, 20}, {30, 20}}}; }
TOld OldSmd(uint8_t layer) { return {kKindSmdPad, layer, 50, -40, 100, 60, 0, {}}; }

// ---- a macro with one element of each kind ----

TObjektList RichMacro() {
  TObjektList list;
  list.push_back(Tht(10000, 20000));
  list.push_back(Smd(30000, 20000));
  list[0]->Connections.push_back(list[1].get());
  list[1]->Connections.push_back(list[0].get());
  list.push_back(Track({{10000, 20000}, {30000, 20000}}, kLayerC1));
  list[2]->Routed = 1;
  list[2]->RouteStart = list[0].get();
  list[2]->RouteEnd = list[1].get();
  list[2]->Groups = {3, 4};
  list.push_back(Circle(20000, 30000));
  list.push_back(Track({{0, 0}, {40000, 0}, {40000, 40000}}, kLayerC1, kKindZone));
  list.push_back(Label("R12", 1, {12000, 35000}));
  TPlaceData& pd = EnsurePlace(*list.back());
  pd.PlaceOffsetX = 1500;
  pd.PlaceOffsetY = -700;
  pd.PlaceCentre = 2;
  pd.PlaceRotation = 90;
  pd.Package = "0805";
  pd.Comment = "hand placed";
  pd.PlaceEnabled = 1;
  list.push_back(Label("10k", 2, {12000, 45000}));
  for (const auto& e : list) {
    e->Selected = 1;
    e->ComponentNo = 1;
  }
  return list;
}

TMacro Read(const std::vector<uint8_t>& bytes, bool* ok = nullptr) {
  TMacro m;
  const TMacroReadResult r = ReadMacroBytes(bytes.data(), bytes.size(), m);
  if (ok) *ok = r.Ok;
  else EXPECT_TRUE(r.Ok) << r.Detail;
  return m;
}

// ---- the reference point ----

TEST(MacroReferencePoint, RulesInOrder) {
  struct Element {
    char kind;  // T THT pad, S SMD pad, L track, Z zone, C circle
    std::vector<TFPoint> at;
    bool selected = true;
  };
  struct Case {
    const char* name;
    std::vector<Element> elements;
    bool selectionOnly;
    TDPoint expected;
  };
  const Case cases[] = {
      {"two pads in a row: the first stays", {{'T', {{10000, 20000}}}, {'T', {{30000, 20000}}}}, false, {10000, 20000}},
      {"a pad left but lower does not count", {{'T', {{0, 0}}}, {'T', {{-10000, -10000}}}}, false, {0, 0}},
      {"a pad left and higher wins", {{'T', {{0, 0}}}, {'S', {{-10000, 10000}}}}, false, {-10000, 10000}},
      {"a pad directly above wins", {{'S', {{0, 0}}}, {'T', {{0, 10000}}}}, false, {0, 10000}},
      {"equal after rounding wins", {{'T', {{10, 10}}}, {'T', {{10.4f, 9.6f}}}}, false, {10.4f, 9.6f}},
      {"right after rounding loses", {{'T', {{10, 10}}}, {'T', {{10.6f, 10}}}}, false, {10, 10}},
      {"pads before tracks", {{'L', {{-50000, 50000}, {0, 0}}}, {'T', {{100, 100}}}}, false, {100, 100}},
      {"track and zone vertices",
       {{'L', {{5000, 5000}, {-5000, 6000}}}, {'Z', {{-5000, 7000}, {0, 0}, {1000, 1000}}}},
       false,
       {-5000, 7000}},
      {"tracks before circles", {{'C', {{-9000, 9000}}}, {'L', {{0, 0}, {100, 0}}}}, false, {0, 0}},
      {"circle centres last", {{'C', {{3000, 3000}}}, {'C', {{2000, 4000}}}}, false, {2000, 4000}},
      {"only the selection counts", {{'T', {{-50000, 50000}}, false}, {'T', {{1000, 1000}}}}, true, {1000, 1000}},
      {"an unselected pad leaves the rule to the tracks",
       {{'T', {{-50000, 50000}}, false}, {'L', {{0, 0}, {-100, 100}}}},
       true,
       {-100, 100}},
      {"without selection-only everything counts",
       {{'T', {{-50000, 50000}}, false}, {'T', {{1000, 1000}}}},
       false,
       {-50000, 50000}},
  };
  for (const Case& c : cases) {
    TObjektList list;
    for (const Element& s : c.elements) {
      switch (s.kind) {
        case 'T': list.push_back(Tht(s.at[0].X, s.at[0].Y)); break;
        case 'S': list.push_back(Smd(s.at[0].X, s.at[0].Y)); break;
        case 'L': list.push_back(Track(s.at)); break;
        case 'Z': list.push_back(Track(s.at, kLayerC1, kKindZone)); break;
        default: list.push_back(Circle(s.at[0].X, s.at[0].Y)); break;
      }
      list.back()->Selected = s.selected ? 1 : 0;
    }
    const TDPoint r = MacroReferencePoint(list, c.selectionOnly);
    EXPECT_FLOAT_EQ(float(r.X), float(c.expected.X)) << c.name;
    EXPECT_FLOAT_EQ(float(r.Y), float(c.expected.Y)) << c.name;
  }
}

TEST(MacroReferencePoint, TextOnlyUsesTheGridSnappedUpperLeftCorner) {
  TObjektList list;
  // Far taller than the grid, so that the upper and the lower edge snap differently.
  auto t = NewObjekt();
  InitText(*t, {123456, -54321}, "Hello", false, false, kLayerS1, 1, 1, 90000, 0);
  ASSERT_TRUE(BuildTextStrokes(*t, false));
  list.push_back(std::move(t));
  const TMacroGrid grid{12700, {5000, 0}};
  const TURect b = ListBounds(list, TPlatine{}, false);
  ASSERT_GT(b.Bottom - b.Top, 3 * 12700);
  const TDPoint r = MacroReferencePoint(list, false, grid);
  // On the grid through the zero point, within half a step of the corner with
  // the smaller x and the larger y.
  EXPECT_NEAR(std::remainder(r.X - 5000, 12700), 0, 1e-6);
  EXPECT_NEAR(std::remainder(r.Y, 12700), 0, 1e-6);
  EXPECT_LE(std::abs(r.X - b.Left), 12700 / 2.0);
  EXPECT_LE(std::abs(r.Y - b.Bottom), 12700 / 2.0);
}

// ---- writing and reading ----

TEST(MacroFile, WritesTheVersion6Layout) {
  TObjektList list;
  list.push_back(Smd(10000, 20000));
  list.push_back(Smd(30000, 20000));
  list[0]->Connections.push_back(list[1].get());
  list[0]->Selected = 1;
  const std::vector<uint8_t> bytes = EncodeMacro(list, false, "Resistor", "");
  // header, count, two SMD blocks (header, two empty strings, no groups, four
  // corners), one zero per pad, two short strings of 50.
  const size_t block = kHeaderSize + 4 + 4 + 4 + 4 + 4 * 8;
  ASSERT_EQ(bytes.size(), 4 + 4 + 2 * block + 2 * 4 + 2 * 51);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
            (std::vector<uint8_t>{0x06, 0x33, 0xAA, 0xFF, 2, 0, 0, 0}));
  TObjekt first;
  DecodeHeader(&bytes[8], first);
  EXPECT_EQ(first.Selected, 0);
  // The first pad is the reference point: its corners lie around (0, 0).
  EXPECT_EQ(le::GetF32(&bytes[8 + kHeaderSize + 16]), -5000.0f);
  EXPECT_EQ(le::GetF32(&bytes[8 + kHeaderSize + 20]), 2500.0f);
  const size_t tail = 8 + 2 * block;
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + tail, bytes.begin() + tail + 8), std::vector<uint8_t>(8, 0));
  EXPECT_EQ(bytes[tail + 8], 8);
  EXPECT_EQ(std::string(bytes.begin() + tail + 9, bytes.begin() + tail + 17), "Resistor");
  EXPECT_EQ(bytes[tail + 59], 0);
  // The board's list is not moved.
  EXPECT_EQ(Centre(*list[0]).X, 10000);
  EXPECT_EQ(list[0]->Selected, 1);
}

TEST(MacroFile, RoundTripOfTextsPadsAndLabels) {
  TObjektList list = RichMacro();
  const std::string longLine(60, 'a');
  TMacro m = Read(EncodeMacro(list, false, longLine, "second line"));
  EXPECT_EQ(m.Version, 6);
  EXPECT_EQ(m.Text1, std::string(50, 'a'));
  EXPECT_EQ(m.Text2, "second line");
  ASSERT_EQ(m.Elements.size(), list.size());
  const double dx = -10000, dy = -20000;  // the THT pad is the reference point
  for (size_t i = 0; i < list.size(); ++i) {
    const TObjekt& a = *list[i];
    const TObjekt& b = *m.Elements[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(b.Kind, a.Kind);
    EXPECT_EQ(b.Layer, a.Layer);
    EXPECT_EQ(b.Selected, 0);
    EXPECT_EQ(b.Routed, 0);
    EXPECT_EQ(b.ComponentNo, a.ComponentNo);
    EXPECT_EQ(b.Groups, a.Groups);
    EXPECT_EQ(b.Text, a.Text);
    EXPECT_TRUE(b.Connections.empty());
    EXPECT_DOUBLE_EQ(Centre(b).X, Centre(a).X + dx);
    EXPECT_DOUBLE_EQ(Centre(b).Y, Centre(a).Y + dy);
    ASSERT_EQ(b.Points.size(), a.Points.size());
    for (size_t k = 0; k < a.Points.size(); ++k)
      EXPECT_EQ(b.Points[k], (TFPoint{float(a.Points[k].X + dx), float(a.Points[k].Y + dy)}));
    ASSERT_EQ(b.SubElements.size(), a.SubElements.size());
    for (size_t s = 0; s < a.SubElements.size(); ++s) {
      EXPECT_EQ(b.SubElements[s]->Selected, 0);
      EXPECT_EQ(b.SubElements[s]->Points.front().X, float(a.SubElements[s]->Points.front().X + dx));
    }
    EXPECT_EQ(b.Place != nullptr, IsIdLabel(a));
    if (b.Place) {
      EXPECT_EQ(*b.Place, *a.Place);
    }
  }
  // The written elements were copies.
  EXPECT_EQ(list[2]->Routed, 1);
  EXPECT_EQ(list[0]->Connections.size(), 1u);
}

TEST(MacroFile, SelectionOnlyWritesTheSelectedElementsAroundTheirOwnReference) {
  TObjektList list = RichMacro();
  for (const auto& e : list) e->Selected = 0;
  list[1]->Selected = 1;  // SMD pad at (30000, 20000)
  list[3]->Selected = 1;  // circle at (20000, 30000)
  TMacro m = Read(EncodeMacro(list, true, "", ""));
  ASSERT_EQ(m.Elements.size(), 2u);
  EXPECT_EQ(Centre(*m.Elements[0]), (TDPoint{0, 0}));
  EXPECT_EQ(Centre(*m.Elements[1]), (TDPoint{-10000, 10000}));
}

TEST(MacroFile, WriteAndReadThroughAFileAndSaveClearsModified) {
  const fs::path path = fs::temp_directory_path() / ("boardsmith_macro_" + std::to_string(::getpid()) + ".bmk");
  TMacro m;
  m.Elements = RichMacro();
  m.Text1 = "one";
  m.Modified = true;
  ASSERT_TRUE(SaveMacro(path.string(), m));
  EXPECT_FALSE(m.Modified);
  TMacro back;
  const TMacroReadResult r = ReadMacroFile(path.string(), back);
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(back.Path, path.string());
  EXPECT_EQ(back.Elements.size(), m.Elements.size());
  EXPECT_EQ(back.Text1, "one");
  fs::remove(path);
  EXPECT_FALSE(ReadMacroFile(path.string(), back).Ok);
  EXPECT_FALSE(SaveMacro((path / "no" / "such.bmk").string(), m));
}

TEST(MacroFile, OldVersionsConvertLayersUnitsAndTexts) {
  struct Case {
    int version;
    uint8_t fileLayer, layer;
  };
  const Case cases[] = {
      {0, kLayerS2, kLayerS2}, {1, kLayerC1, kLayerC2}, {2, kLayerC2, kLayerC1}, {3, kLayerC1, kLayerC2},
      {3, kLayerI1, kLayerC2}, {4, kLayerI1, kLayerC2}, {4, kLayerI2, kLayerS1}, {4, kLayerC1, kLayerC1},
      {5, kLayerI1, kLayerI1}, {5, kLayerI2, kLayerI2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("version " + std::to_string(c.version) + " layer " + std::to_string(c.fileLayer));
    TMacro m = Read(OldMacro(c.version, {OldTrack(c.fileLayer)}));
    EXPECT_EQ(m.Version, c.version);
    ASSERT_EQ(m.Elements.size(), 1u);
    const TObjekt& t = *m.Elements[0];
    EXPECT_EQ(t.Layer, c.layer);
    EXPECT_EQ(t.Width, 2500);
    EXPECT_EQ(t.Points, (TPointList{{1000, 2000}, {3000, 2000}}));
    EXPECT_EQ(m.Text1, c.version >= 4 ? "first line" : "");
    EXPECT_EQ(m.Text2, c.version >= 4 ? "second line" : "");
  }
}

TEST(MacroFile, Version4PadsOnLayer5LoadOnLayer3WithTheirOutline) {
  TMacro m = Read(OldMacro(4, {OldSmd(kLayerI1), OldTrack(kLayerI1), OldSmd(kLayerI2)}));
  ASSERT_EQ(m.Elements.size(), 3u);
  const TObjekt& pad = *m.Elements[0];
  EXPECT_EQ(pad.Layer, kLayerC2);
  EXPECT_EQ(m.Elements[1]->Layer, kLayerC2);
  EXPECT_EQ(Centre(pad), (TDPoint{5000, -4000}));
  EXPECT_EQ(pad.Points.size(), 4u);
  EXPECT_EQ(pad.ThermalMagic, kThermalMagic);
  EXPECT_EQ(m.Elements[2]->Layer, kLayerS1);
}

TEST(MacroFile, ShortOrDamagedFilesFailCleanly) {
  TObjektList rich = RichMacro();
  const std::vector<std::vector<uint8_t>> files = {
      EncodeMacro(rich, false, "one", "two"),
      OldMacro(1, {OldTrack(kLayerC1), OldTrack(kLayerS1)}),
      OldMacro(3, {OldTrack(kLayerC1)}),
      OldMacro(4, {OldSmd(kLayerI1), OldTrack(kLayerI1)}),
      OldMacro(5, {OldSmd(kLayerC1), OldTrack(kLayerS1)}),
  };
  for (size_t f = 0; f < files.size(); ++f) {
    const std::vector<uint8_t>& full = files[f];
    for (size_t n = 0; n < full.size(); ++n) {
      TMacro m;
      m.Elements.push_back(Smd(0, 0));
      m.Text1 = "old";
      const TMacroReadResult r = ReadMacroBytes(full.data(), n, m);
      ASSERT_FALSE(r.Ok) << "file " << f << " cut at " << n;
      EXPECT_EQ(r.Error, "The macro can not be loaded.");
      EXPECT_TRUE(m.Elements.empty());
      EXPECT_TRUE(m.Text1.empty());
    }
    // Any single damaged byte either loads or fails, never more.
    for (size_t i = 0; i < full.size(); ++i)
      for (uint8_t v : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
        std::vector<uint8_t> bad = full;
        bad[i] = v;
        TMacro m;
        if (!ReadMacroBytes(bad.data(), bad.size(), m).Ok) {
          EXPECT_TRUE(m.Elements.empty());
        }
      }
  }
}

TEST(MacroFile, HeadersThatAreNotReadFail) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> huge = {0x06, 0x33, 0xAA, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  huge.resize(200, 0);
  const Case cases[] = {
      {"newer version", {0x07, 0x33, 0xAA, 0xFF, 0, 0, 0, 0}},
      {"not a macro", {0x06, 0x33, 0xAB, 0xFF, 0, 0, 0, 0}},
      {"negative count", {0x06, 0x33, 0xAA, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"negative old count", {0x01, 0x33, 0xAA, 0xFF, 0xFF, 0xFF}},
      {"count beyond the data", huge},
  };
  for (const Case& c : cases) {
    TMacro m;
    const TMacroReadResult r = ReadMacroBytes(c.bytes.data(), c.bytes.size(), m);
    EXPECT_FALSE(r.Ok) << c.name;
    EXPECT_EQ(r.Error, kMacroNotLoaded) << c.name;
    EXPECT_FALSE(r.Detail.empty()) << c.name;
  }
  // An empty version-6 macro is a macro.
  TMacro m;
  const std::vector<uint8_t> empty = TBytes{}.U32(0xFFAA3306u).I32(0).Short("", 50).Short("", 50).b;
  EXPECT_TRUE(ReadMacroBytes(empty.data(), empty.size(), m).Ok);
}

// ---- board side ----

TEST(MacroSide, DetectedFromSilkscreenThenCopper) {
  struct Case {
    const char* name;
    std::vector<std::pair<char, uint8_t>> elements;  // S SMD pad, T THT pad, L track
    bool top;
  };
  const Case cases[] = {
      {"silkscreen on top", {{'L', kLayerS1}, {'S', kLayerC2}}, true},
      {"silkscreen at the bottom", {{'L', kLayerS2}, {'S', kLayerC1}}, false},
      {"silkscreen on both sides leaves it to the copper", {{'L', kLayerS1}, {'L', kLayerS2}, {'S', kLayerC1}}, true},
      {"SMD pads on top copper", {{'S', kLayerC1}}, true},
      {"SMD pads on bottom copper", {{'S', kLayerC2}}, false},
      {"SMD macro with a track on the bottom copper", {{'S', kLayerC1}, {'L', kLayerC2}}, false},
      {"THT pads on the bottom copper sit on top", {{'T', kLayerC2}}, true},
      {"THT pads on the top copper", {{'T', kLayerC1}}, false},
      {"copper on both sides", {{'T', kLayerC1}, {'T', kLayerC2}}, false},
      {"inner layers only", {{'L', kLayerI1}}, false},
      {"empty", {}, false},
  };
  for (const Case& c : cases) {
    TObjektList list;
    for (auto [kind, layer] : c.elements) {
      if (kind == 'S') list.push_back(Smd(0, 0, layer));
      else if (kind == 'T') list.push_back(Tht(0, 0, layer));
      else list.push_back(Track({{0, 0}, {1000, 0}}, layer));
    }
    EXPECT_EQ(MacroIsTop(list), c.top) << c.name;
  }
}

TEST(MacroSide, FlippingAnSmdMacroMirrorsItToTheBottom) {
  TObjektList list;
  list.push_back(Smd(0, 0));
  list.push_back(Smd(20000, 0));
  list.push_back(Track({{-5000, 5000}, {25000, 5000}}, kLayerS1));
  list.push_back(Label("IC1", 1, {0, 10000}));
  EnsurePlace(*list[3]).PlaceOffsetX = 1500;
  EnsurePlace(*list[3]).PlaceOffsetY = 700;
  ASSERT_TRUE(MacroIsTop(list));

  EXPECT_FALSE(ApplyMacroSide(list, true));
  EXPECT_EQ(Centre(*list[1]), (TDPoint{20000, 0}));

  ASSERT_TRUE(ApplyMacroSide(list, false));
  EXPECT_FALSE(MacroIsTop(list));
  EXPECT_EQ(list[0]->Layer, kLayerC2);
  EXPECT_EQ(list[1]->Layer, kLayerC2);
  EXPECT_EQ(list[2]->Layer, kLayerS2);
  EXPECT_EQ(list[3]->Layer, kLayerS2);
  EXPECT_EQ(list[3]->SubElements.front()->Layer, kLayerS2);
  EXPECT_EQ(list[3]->MirrorH, 1);
  // Mirrored about x = 0, the left pad is the new reference point.
  EXPECT_EQ(Centre(*list[0]), (TDPoint{20000, 0}));
  EXPECT_EQ(Centre(*list[1]), (TDPoint{0, 0}));
  EXPECT_EQ(list[2]->Points, (TPointList{{25000, 5000}, {-5000, 5000}}));
  EXPECT_EQ(list[3]->Place->PlaceOffsetX, -1500);
  EXPECT_EQ(list[3]->Place->PlaceOffsetY, 700);

  ASSERT_TRUE(ApplyMacroSide(list, true));
  EXPECT_EQ(list[0]->Layer, kLayerC1);
  EXPECT_EQ(list[3]->Layer, kLayerS1);
  EXPECT_EQ(Centre(*list[0]), (TDPoint{0, 0}));
  EXPECT_EQ(list[2]->Points, (TPointList{{-5000, 5000}, {25000, 5000}}));
  EXPECT_EQ(list[3]->Place->PlaceOffsetX, 1500);
}

// ---- rotation ----

TEST(MacroRotate, LabelsStayReadable) {
  struct Case {
    uint8_t role;
    int rotation;
    bool mirrorH, mirrorV, readable;
    int expected;
  };
  const Case cases[] = {
      {1, 0, false, false, true, 270},   {1, 270, false, false, true, 0},  {1, 315, false, false, true, 45},
      {1, 316, false, false, true, 226}, {1, 134, false, false, true, 44}, {1, 135, false, false, true, 225},
      {2, 90, false, false, true, 0},    {1, 90, true, true, true, 0},     {1, 0, true, false, true, 90},
      {1, 45, true, false, true, 315},   {2, 224, false, true, true, 134}, {1, 225, true, false, true, 315},
      {1, 0, false, false, false, 90},   {0, 0, false, false, true, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "role " << int(c.role) << " rotation " << c.rotation << " mirrors "
                                      << c.mirrorH << c.mirrorV << " readable " << c.readable);
    TMacro m;
    m.Elements.push_back(Tht(0, 0));  // keeps the reference point at (0, 0)
    m.Elements.push_back(Label("U7", c.role, {5000, 8000}, kLayerS1, c.rotation, c.mirrorH, c.mirrorV));
    const TDPoint before = StrokeCentre(*m.Elements[1]);
    RotateMacro(m, true, c.readable);
    const TObjekt& t = *m.Elements[1];
    EXPECT_EQ(t.Rotation, c.expected);
    EXPECT_TRUE(m.Modified);
    // The label stays where the quarter turn took it ...
    const TDPoint after = StrokeCentre(t);
    EXPECT_NEAR(after.X, before.Y, 2);
    EXPECT_NEAR(after.Y, -before.X, 2);
    // ... drawn as a label of its new rotation.
    auto fresh = Label("U7", c.role, {0, 0}, kLayerS1, c.expected, c.mirrorH, c.mirrorV);
    const std::vector<TDPoint> want = StrokeShape(*fresh), got = StrokeShape(t);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i].X, want[i].X, 2) << i;
      EXPECT_NEAR(got[i].Y, want[i].Y, 2) << i;
    }
  }
}

TEST(MacroRotate, PlacementRotationAndReferencePoint) {
  struct Case {
    bool top;
    double before, after;
  };
  for (const Case c : {Case{true, 0, 270}, Case{true, 90, 0}, Case{true, 45.5, 315.5}, Case{false, 0, 90},
                       Case{false, 270, 0}, Case{false, 300, 30}}) {
    TMacro m;
    m.Elements.push_back(Tht(0, 0));
    m.Elements.push_back(Tht(0, -20000));
    m.Elements.push_back(Label("R1", 1, {0, 5000}));
    EnsurePlace(*m.Elements[2]).PlaceRotation = c.before;
    RotateMacro(m, c.top, false);
    EXPECT_DOUBLE_EQ(m.Elements[2]->Place->PlaceRotation, c.after) << c.top << " " << c.before;
    // The lower pad turned to the left of the other one and became the reference point.
    EXPECT_NEAR(Centre(*m.Elements[0]).X, 20000, 1e-3);
    EXPECT_NEAR(Centre(*m.Elements[0]).Y, 0, 1e-3);
    EXPECT_NEAR(Centre(*m.Elements[1]).X, 0, 1e-3);
    EXPECT_NEAR(Centre(*m.Elements[1]).Y, 0, 1e-3);
  }
}

// ---- the library ----

// A folder of its own below the system's temporary folder, removed afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("boardsmith_macros_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::create_directories(path_);
  }
  ~TTempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }
  void File(const fs::path& rel, const std::vector<uint8_t>& bytes = {}) const {
    fs::create_directories((path_ / rel).parent_path());
    std::ofstream(path_ / rel, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void Folder(const fs::path& rel) const { fs::create_directories(path_ / rel); }

 private:
  fs::path path_;
};

TEST(MacroLibrary, NaturalOrder) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"a2", "a10", -1},      {"A1", "a2", -1},
      {"abc", "ABC", 0},      {"x01", "x1", 0},
      {"x9y", "x10a", -1},    {"abc", "abcd", -1},
      {"b", "a10", 1},        {"99999999999999999999999", "100000000000000000000000", -1},
      {"R 2k2", "R 10k", -1}, {"", "a", -1},
      {"0", "00", 0},         {"1a", "1B", -1},
  };
  for (const Case& c : cases) {
    const int r = NaturalCompare(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(NaturalCompare(c.b, c.a), -r) << c.a << " / " << c.b;
  }
  // Ties are broken so that the order is total.
  EXPECT_TRUE(NaturalLess("x01", "x1"));
  EXPECT_FALSE(NaturalLess("x1", "x01"));
  EXPECT_TRUE(NaturalLess("ABC", "abc"));
}

TEST(MacroLibrary, ScanSortsNaturallyAndSkipsHiddenAndOtherFiles) {
  TTempFolder lib;
  for (const char* f : {"a10.bmk", "a2.bmk", "A1.BMK", "notes.txt", ".hidden.bmk", ".git/x.bmk", "Sub 10/z.bmk",
                        "Sub 10/y 2.bmk", "sub 9/deeper/q.bmk", "sub 9/deeper/q.bmk.bak"})
    lib.File(f);
  lib.Folder("empty");
  std::vector<std::string> status;
  const std::vector<TMacroNode> tree =
      ScanMacroLibrary(lib.Path().string(), [&](const std::string& s) { status.push_back(s); });

  auto names = [](const std::vector<TMacroNode>& nodes) {
    std::vector<std::string> out;
    for (const TMacroNode& n : nodes) out.push_back(n.Name + (n.Folder ? "/" : ""));
    return out;
  };
  ASSERT_EQ(names(tree), (std::vector<std::string>{"A1", "a2", "a10", "empty/", "sub 9/", "Sub 10/"}));
  EXPECT_EQ(tree[0].Path, (lib.Path() / "A1.BMK").string());
  EXPECT_EQ(tree[5].Path, (lib.Path() / "Sub 10").string());
  EXPECT_EQ(names(tree[5].Children), (std::vector<std::string>{"y 2", "z"}));
  ASSERT_EQ(names(tree[4].Children), (std::vector<std::string>{"deeper/"}));
  EXPECT_EQ(names(tree[4].Children[0].Children), (std::vector<std::string>{"q"}));
  EXPECT_TRUE(tree[3].Children.empty());

  // One status line per folder scanned, the path in lower case.
  EXPECT_EQ(status.size(), 5u);
  std::string sub10 = (lib.Path() / "Sub 10").string();
  for (char& ch : sub10) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_NE(std::find(status.begin(), status.end(), "Laoding macros...\r" + sub10), status.end());

  EXPECT_TRUE(ScanMacroLibrary((lib.Path() / "missing").string()).empty());
}

TEST(MacroLibrary, NodePaths) {
  TTempFolder lib;
  lib.File("Sub 10/z.bmk");
  lib.File("A1.BMK");
  lib.Folder("Sub 10/inner");
  const std::string root = lib.Path().string();
  EXPECT_EQ(MacroNodePath(root, {"Sub 10", "z"}), (lib.Path() / "Sub 10" / "z.bmk").string());
  EXPECT_EQ(MacroNodePath(root, {"Sub 10", "inner"}), (lib.Path() / "Sub 10" / "inner").string());
  EXPECT_EQ(MacroNodePath(root, {"Sub 10"}), (lib.Path() / "Sub 10").string());
  EXPECT_EQ(MacroNodePath(root, {"A1"}), (lib.Path() / "A1.BMK").string());

  // A configured library folder counts only when it exists.
  EXPECT_EQ(MacroLibraryRoot("/data", root), root);
  EXPECT_EQ(MacroLibraryRoot("/data", (lib.Path() / "gone").string()), "/data/Makros");
  EXPECT_EQ(MacroLibraryRoot("/data", ""), "/data/Makros");
}

TEST(MacroLibrary, RenameMessages) {
  TTempFolder lib;
  lib.File("a.bmk");
  lib.File("b.bmk");
  lib.Folder("F.old");
  lib.Folder("H");
  struct Step {
    const char* from;
    const char* caption;
    const char* message;  // empty: renamed
    const char* to;
  };
  const Step steps[] = {
      {"a.bmk", "b", "\"b\" already exists.", "a.bmk"},
      {"a.bmk", "c", "", "c.bmk"},
      {"F.old", "G", "", "G"},
      {"G", "H", "\"H\" already exists.", "G"},
      {"missing.bmk", "d", "Cannot rename file.", nullptr},
      {"c.bmk", "", "Cannot rename file.", "c.bmk"},
  };
  for (const Step& s : steps) {
    const TRenameResult r = RenameMacroNode((lib.Path() / s.from).string(), s.caption);
    EXPECT_EQ(r.Ok, std::string(s.message).empty()) << s.from << " -> " << s.caption;
    EXPECT_EQ(r.Message, s.message) << s.from << " -> " << s.caption;
    if (s.to) {
      EXPECT_TRUE(fs::exists(lib.Path() / s.to)) << s.to;
    }
    if (r.Ok) {
      EXPECT_EQ(r.NewPath, (lib.Path() / s.to).string());
      EXPECT_FALSE(fs::exists(lib.Path() / s.from));
    }
  }
}

TEST(MacroLibrary, DeleteAsksWithTheFileName) {
  TTempFolder lib;
  lib.File("My part.bmk");
  const std::string path = (lib.Path() / "My part.bmk").string();
  EXPECT_EQ(DeleteMacroQuestion(path), "Delete file \"My part.bmk\" ?");
  EXPECT_TRUE(DeleteMacroFile(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(DeleteMacroFile(path));
}

TEST(MacroLibrary, LoadFitsTheMacroToThePreviewAndWritesBackChanges) {
  TTempFolder lib;
  TObjektList smd;
  smd.push_back(Smd(0, 0));
  smd.push_back(Smd(20000, 0));
  smd.push_back(Label("R1", 1, {0, 8000}));
  smd.push_back(Label("1k", 2, {0, 12000}));
  lib.File("smd.bmk", EncodeMacro(smd, false, "chip", ""));
  lib.File("other.BMK", EncodeMacro(smd, false, "other", ""));
  lib.File("broken.bmk", {0x06, 0x33, 0xAA, 0xFF, 1});
  const std::string smdPath = (lib.Path() / "smd.bmk").string();

  TMacro loaded;
  TMacroView view;
  view.Top = false;
  TMacroReadResult r = LoadMacro(loaded, smdPath, view);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(loaded.Path, smdPath);
  EXPECT_EQ(loaded.Elements[0]->Layer, kLayerC2);
  EXPECT_EQ(loaded.Elements[2]->Shown, 0);
  EXPECT_EQ(loaded.Elements[3]->Shown, 0);
  EXPECT_FALSE(loaded.Modified);

  // Not a macro file: nothing happens.
  r = LoadMacro(loaded, (lib.Path() / "notes.txt").string(), view);
  EXPECT_FALSE(r.Ok);
  EXPECT_TRUE(r.Error.empty());
  EXPECT_EQ(loaded.Path, smdPath);

  // A modified macro is written back before the next one is loaded.
  loaded.Text1 = "changed";
  loaded.Modified = true;
  view.Top = true;
  view.AddAsComponent = true;
  r = LoadMacro(loaded, (lib.Path() / "other.BMK").string(), view);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(loaded.Text1, "other");
  EXPECT_EQ(loaded.Elements[0]->Layer, kLayerC1);
  EXPECT_EQ(loaded.Elements[2]->Shown, 1);
  TMacro again;
  ASSERT_TRUE(ReadMacroFile(smdPath, again).Ok);
  EXPECT_EQ(again.Text1, "changed");

  r = LoadMacro(loaded, (lib.Path() / "broken.bmk").string(), view);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, "The macro can not be loaded.");
  EXPECT_TRUE(loaded.Elements.empty());
}

// ---- the macro shown in the library panel ----

// The bytes of a macro of one SMD pad with the given description.
std::vector<uint8_t> OnePad(const char* text1) {
  TObjektList list;
  list.push_back(Smd(0, 0));
  return EncodeMacro(list, false, text1, "");
}

std::vector<uint8_t> FileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The writer's temporary file cannot be created where a folder of its name
// stands: writing the macro then fails, for root too.
void BlockWriting(const fs::path& file) {
  fs::create_directories(file.parent_path() / ("." + file.filename().string() + ".tmp" + std::to_string(::getpid())));
}

TEST(MacroSession, AnUnreadableMacroCannotBeEditedOrWrittenBack) {
  TTempFolder lib;
  const std::vector<uint8_t> broken = {0x06, 0x33, 0xAA, 0xFF, 1};
  lib.File("broken.bmk", broken);
  lib.File("good.bmk", OnePad("good"));

  TMacroSession s;
  ASSERT_TRUE(s.Load((lib.Path() / "good.bmk").string()).Ok);
  const TMacroSession::TLoadResult r = s.Load((lib.Path() / "broken.bmk").string());
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, kMacroNotLoaded);
  EXPECT_FALSE(s.Loaded());
  EXPECT_TRUE(s.Path().empty());
  // Nothing the panel offers touches the unreadable file.
  s.Rotate(true);
  s.SetTexts("new", "text");
  s.MarkModified();
  s.SetSide(false);
  EXPECT_FALSE(s.Modified());
  EXPECT_TRUE(s.WriteBack().empty());
  EXPECT_FALSE(s.CanDelete((lib.Path() / "broken.bmk").string()));
  EXPECT_TRUE(s.PreviewElements().empty());
  EXPECT_EQ(FileBytes(lib.Path() / "broken.bmk"), broken);
  // Loading another file works as before.
  EXPECT_TRUE(s.Load((lib.Path() / "good.bmk").string()).Ok);
  EXPECT_EQ(s.Macro().Text1, "good");
}

TEST(MacroSession, EachSideShowsOnePictureEvenWhenTheLayersDoNotTellIt) {
  struct Case {
    const char* name;
    uint8_t layer;  // of a track and a pad; inner layers do not tell the side
  };
  const Case cases[] = {{"top silkscreen", kLayerS1}, {"inner layer", kLayerI1}};
  for (const Case& c : cases) {
    TTempFolder lib;
    TObjektList list;
    list.push_back(Track({{0, 0}, {10000, 0}, {10000, 5000}}, c.layer));
    list.push_back(Circle(3000, 2000, c.layer));
    lib.File("m.bmk", EncodeMacro(list, false, "", ""));
    TMacroSession s;
    ASSERT_TRUE(s.Load((lib.Path() / "m.bmk").string()).Ok) << c.name;
    const TPointList top = s.Macro().Elements[0]->Points;
    s.SetSide(false);
    const TPointList bottom = s.Macro().Elements[0]->Points;
    EXPECT_NE(top, bottom) << c.name;
    for (int i = 0; i < 3; ++i) {
      s.SetSide(true);
      EXPECT_EQ(s.Macro().Elements[0]->Points, top) << c.name;
      s.SetSide(true);  // the same side again changes nothing
      EXPECT_EQ(s.Macro().Elements[0]->Points, top) << c.name;
      s.SetSide(false);
      EXPECT_EQ(s.Macro().Elements[0]->Points, bottom) << c.name;
    }
    EXPECT_FALSE(s.Modified()) << c.name;
  }
}

TEST(MacroSession, DeleteActsOnlyOnTheLoadedMacroAndUnloadsIt) {
  TTempFolder lib;
  lib.File("a.bmk", OnePad("a"));
  lib.File("b.bmk", OnePad("b"));
  const std::string a = (lib.Path() / "a.bmk").string(), b = (lib.Path() / "b.bmk").string();
  TMacroSession s;
  ASSERT_TRUE(s.Load(a).Ok);
  s.SetTexts("changed", "");
  ASSERT_TRUE(s.Modified());
  // Another node, or a folder, is not the loaded macro.
  EXPECT_FALSE(s.CanDelete(b));
  EXPECT_FALSE(s.CanDelete(lib.Path().string()));
  EXPECT_FALSE(s.Delete(b).Ok);
  EXPECT_TRUE(fs::exists(b));
  ASSERT_TRUE(s.CanDelete(a));
  ASSERT_TRUE(s.Delete(a).Ok);
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(s.Loaded());
  // Shut-down writes nothing back, so the deleted file stays deleted.
  EXPECT_TRUE(s.WriteBack().empty());
  EXPECT_FALSE(fs::exists(a));
}

TEST(MacroSession, RenamingTheFileOrAFolderAboveItMovesTheLoadedPath) {
  TTempFolder lib;
  lib.File("ics/soic/so8.bmk", OnePad("so8"));
  lib.File("ics/soic8.bmk", OnePad("other"));
  TMacroSession s;
  ASSERT_TRUE(s.Load((lib.Path() / "ics/soic/so8.bmk").string()).Ok);

  TRenameResult r = RenameMacroNode((lib.Path() / "ics/soic/so8.bmk").string(), "so-8");
  ASSERT_TRUE(r.Ok);
  s.Renamed((lib.Path() / "ics/soic/so8.bmk").string(), r.NewPath);
  EXPECT_EQ(s.Path(), (lib.Path() / "ics/soic/so-8.bmk").string());
  // A sibling whose name merely begins like the folder is not below it.
  s.Renamed((lib.Path() / "ics/soic8.bmk").string(), (lib.Path() / "ics/x.bmk").string());
  EXPECT_EQ(s.Path(), (lib.Path() / "ics/soic/so-8.bmk").string());
  r = RenameMacroNode((lib.Path() / "ics").string(), "chips");
  ASSERT_TRUE(r.Ok);
  s.Renamed((lib.Path() / "ics").string(), r.NewPath);
  EXPECT_EQ(s.Path(), (lib.Path() / "chips/soic/so-8.bmk").string());

  // Changes go to the file where it now is, and nothing appears at the old place.
  s.SetTexts("moved", "");
  EXPECT_TRUE(s.WriteBack().empty());
  TMacro again;
  ASSERT_TRUE(ReadMacroFile(s.Path(), again).Ok);
  EXPECT_EQ(again.Text1, "moved");
  EXPECT_FALSE(fs::exists(lib.Path() / "ics"));
}

TEST(MacroSession, AFailedWriteBackIsReportedAndKeepsTheChanges) {
  TTempFolder lib;
  TObjektList smd;
  smd.push_back(Smd(0, 0));
  smd.push_back(Smd(20000, 0));
  lib.File("a.bmk", EncodeMacro(smd, false, "a", ""));
  lib.File("b.bmk", EncodeMacro(smd, false, "b", ""));
  const std::string a = (lib.Path() / "a.bmk").string(), b = (lib.Path() / "b.bmk").string();
  TMacroSession s;
  ASSERT_TRUE(s.Load(a).Ok);
  s.Rotate(false);
  ASSERT_TRUE(s.Modified());
  BlockWriting(lib.Path() / "a.bmk");

  EXPECT_EQ(s.WriteBack(), "The file \"" + a + "\" can not be written.");
  EXPECT_TRUE(s.Modified());
  // Choosing another macro stops at the failed write: the changes stay loaded.
  TMacroSession::TLoadResult r = s.Load(b);
  EXPECT_FALSE(r.Ok);
  EXPECT_TRUE(r.WriteBackFailed);
  EXPECT_EQ(r.Error, "The file \"" + a + "\" can not be written.");
  EXPECT_EQ(s.Path(), a);
  EXPECT_TRUE(s.Modified());
  // Unless the user lets them go.
  r = s.Load(b, true);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(s.Path(), b);
  EXPECT_FALSE(s.Modified());
  TMacro again;
  ASSERT_TRUE(ReadMacroFile(a, again).Ok);
  EXPECT_EQ(Centre(*again.Elements[1]), (TDPoint{20000, 0}));
}

TEST(MacroSession, TheViaPreviewNeverReachesTheFile) {
  TTempFolder lib;
  TObjektList list;
  list.push_back(Tht(0, 0));
  list.push_back(Tht(10000, 0, kLayerS1));  // a hole drawn on silkscreen stays as it is
  lib.File("tht.bmk", EncodeMacro(list, false, "", ""));
  TMacroSession s;
  ASSERT_TRUE(s.Load((lib.Path() / "tht.bmk").string()).Ok);
  s.Vias = true;
  const TObjektList preview = s.PreviewElements();
  ASSERT_EQ(preview.size(), 2u);
  EXPECT_EQ(preview[0]->Via, 1);
  EXPECT_EQ(preview[1]->Via, 0);
  EXPECT_EQ(s.Macro().Elements[0]->Via, 0);
  s.SetTexts("texts changed", "");
  ASSERT_TRUE(s.WriteBack().empty());
  TMacro again;
  ASSERT_TRUE(ReadMacroFile(s.Path(), again).Ok);
  EXPECT_EQ(again.Elements[0]->Via, 0);
  EXPECT_EQ(again.Text1, "texts changed");
}

}  // namespace
}  // namespace bs
