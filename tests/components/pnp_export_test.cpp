#include "components/pnp_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "../edit/edit_fixture.h"
#include "io/project_file.h"
#include "model/codepage.h"

namespace bs::edit_test {
namespace {

TListEintrag Entry(const char* id, bool top, bool smd, bool placed, TDPoint point = {100000, -200000}) {
  TListEintrag e;
  e.Id = id;
  e.Value = "1k";
  e.Top = top;
  e.Smd = smd;
  e.Placed = placed;
  e.Rotation = placed ? "90" : "---";
  e.PlaceRotation = 90;
  e.Package = placed ? "0805" : "---";
  e.Point = point;
  return e;
}

TEST(PnpExport, NumbersInBothUnits) {
  struct Case {
    double units;
    int unit, decimals;
    bool strip;
    const char* text;
  };
  const Case cases[] = {
      {1000000, 0, 0, true, "100"},     {1000000, 0, 2, false, "100.00"}, {10000, 1, 2, false, "39.37"},
      {125000, 0, 3, true, "12.5"},     {-1, 0, 2, false, "0.00"},        {-254, 1, 1, false, "-1.0"},
      {123456, 0, 4, false, "12.3456"}, {1200000, 0, 2, true, "120"},
  };
  for (const Case& c : cases) {
    TPnpOptions o;
    o.Unit = c.unit;
    o.Decimals = c.decimals;
    o.SuppressZeros = c.strip;
    EXPECT_EQ(PnpNumber(c.units, o), c.text) << c.units << " " << c.unit;
  }
}

TEST(PnpExport, FieldsThatHoldTheSeparatorAreQuoted) {
  struct Case {
    const char* field;
    char separator;
    const char* written;
  };
  const Case cases[] = {
      {"4,7k", ',', "\"4,7k\""},
      {"4,7k", '\t', "4,7k"},
      {"a;b", ';', "\"a;b\""},
      {"say \"hi\"", '\t', "\"say \"\"hi\"\"\""},
      {"two\r\nlines", ',', "\"two\r\nlines\""},
      {"plain", ',', "plain"},
  };
  for (const Case& c : cases) EXPECT_EQ(PnpField(c.field, c.separator), c.written) << c.field;

  // The columns stay in place.
  TPnpOptions o;
  o.Separator = ',';
  o.Columns = {TPnpColumn::Id, TPnpColumn::Value, TPnpColumn::Layer};
  TListEintrag e = Entry("R1", true, true, true);
  e.Value = "4,7k";
  const TPlatine board;
  EXPECT_EQ(PnpRows({e}, board, o), std::vector<std::string>{"R1,\"4,7k\",\xd8"
                                                             "1"});
}

TEST(PnpExport, FiltersAndRows) {
  const std::vector<TListEintrag> list = {Entry("C1", true, true, true), Entry("J1", true, false, true),
                                          Entry("R1", false, true, false), Entry("U1", false, false, true)};
  struct Case {
    bool smd, tht, top, bottom, placedOnly;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {true, false, true, true, false, {"C1", "R1"}},  // the defaults: SMD parts on both sides
      {true, true, true, true, false, {"C1", "J1", "R1", "U1"}},
      {true, true, false, true, false, {"R1", "U1"}},
      {true, true, true, true, true, {"C1", "J1", "U1"}},
      {false, true, true, false, false, {"J1"}},
  };
  TPlatine board;
  for (const Case& c : cases) {
    TPnpOptions o;
    o.Smd = c.smd;
    o.Tht = c.tht;
    o.Top = c.top;
    o.Bottom = c.bottom;
    o.PlacedOnly = c.placedOnly;
    o.Columns = {TPnpColumn::Id};
    EXPECT_EQ(PnpRows(list, board, o), c.ids);
  }

  // Every column; a component without pick-and-place data writes "---".
  TPnpOptions o;
  o.Tht = true;
  o.RPrefix = true;
  o.Separator = ';';
  o.Columns = {TPnpColumn::Number, TPnpColumn::Position, TPnpColumn::Rotation, TPnpColumn::Package, TPnpColumn::Layer};
  board.OriginX = 50000;
  board.OriginY = -300000;
  board.Height = 1000000;
  const std::vector<std::string> rows = PnpRows({list[2], list[0]}, board, o);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0],
            "1;---;---;R---;---;\xd8"
            "2");
  EXPECT_EQ(rows[1],
            "2;5.00;10.00;R90;0805;\xd8"
            "1");
  // From the bottom-left corner instead of the zero point.
  o.UseOrigin = false;
  EXPECT_EQ(PnpRows({list[0]}, board, o)[0],
            "1;10.00;80.00;R90;0805;\xd8"
            "1");
}

TEST(PnpExport, FileTextAndSettings) {
  TPnpOptions o;
  const TPlatine board;
  std::string text = PnpFileText({Entry("C1", true, true, true)}, board, o, "demo.bsm6", "01.02.2026 10:00:00");
  EXPECT_EQ(text.rfind("* Partlist from file: demo.bsm6 / 01.02.2026 10:00:00\r\n*\r\n", 0), 0u);
  EXPECT_NE(text.find("* All coordinates in " + Utf8ToCp1251("мм  ") + "\r\n*\r\n"), std::string::npos);
  EXPECT_NE(text.find("* \xb9\t" + Utf8ToCp1251("Обозн")), std::string::npos);
  EXPECT_NE(text.find(Utf8ToCp1251("Поз-X") + "\t" + Utf8ToCp1251("Поз-Y")), std::string::npos);
  EXPECT_EQ(text.find('\n') - 1, text.find('\r'));
  o.Columns = {TPnpColumn::Id};
  text = PnpFileText({}, board, o, "x", "now");
  EXPECT_EQ(text.find("All coordinates"), std::string::npos);

  // Written and read back; bad values in the file keep the defaults.
  TPnpOptions w;
  w.Columns = {TPnpColumn::Comment, TPnpColumn::Id};
  w.Separator = ';';
  w.Unit = 1;
  w.Decimals = 4;
  w.SuppressZeros = w.RPrefix = true;
  w.TopText = "T";
  TIniFile ini;
  WritePnpOptions(ini, w);
  const TPnpOptions r = ReadPnpOptions(ini);
  EXPECT_EQ(r.Columns, w.Columns);
  EXPECT_EQ(r.Separator, ';');
  EXPECT_EQ(r.Unit, 1);
  EXPECT_EQ(r.Decimals, 4);
  EXPECT_TRUE(r.SuppressZeros && r.RPrefix);
  EXPECT_EQ(r.TopText, "T");

  struct Bad {
    const char* key;
    int value;
  };
  for (const Bad b : {Bad{"R1", 8}, Bad{"R1", 9}, Bad{"Delimiter", 'x'}, Bad{"NK", 7}, Bad{"Unit", 3}}) {
    TIniFile bad;
    WritePnpOptions(bad, w);
    bad.WriteInt("BT_Export", b.key, b.value);
    const TPnpOptions d = ReadPnpOptions(bad), defaults;
    const std::string key = b.key;
    if (key[0] == 'R') {
      EXPECT_EQ(d.Columns, defaults.Columns) << key << b.value;
    } else if (key == "Delimiter") {
      EXPECT_EQ(d.Separator, '\t');
    } else if (key == "NK") {
      EXPECT_EQ(d.Decimals, 2);
    } else {
      EXPECT_EQ(d.Unit, 0);
    }
  }
}

TEST(PnpExport, FabricationPreset) {
  struct Case {
    double rotation;
    bool top;
    double ccw;
  };
  for (const Case c :
       {Case{0, true, 0}, Case{90, true, 270}, Case{90, false, 90}, Case{270, false, 270}, Case{45.5, true, 314.5}})
    EXPECT_DOUBLE_EQ(FabricationRotation(c.rotation, c.top), c.ccw) << c.rotation << c.top;

  TPlatine board;
  TListEintrag bottom = Entry("U1", false, true, true, {123456, -200000});
  bottom.Value = "LM358, dual";
  const std::string text =
      PnpFabricationText({Entry("C1", true, true, true), Entry("R9", true, true, false), bottom}, board, true);
  EXPECT_EQ(text,
            "Designator,Val,Package,Mid X,Mid Y,Rotation,Layer\r\n"
            "C1,1k,0805,10,-20,270,Top\r\n"
            "U1,\"LM358, dual\",0805,12.3456,-20,90,Bottom\r\n");
}

// Placement data from a file that no editor could have written is taken as
// no offset, a rotation in [0, 360) and the copper centre.
struct PlacementReadTest : EditTest {};

TEST_F(PlacementReadTest, DamagedValuesAreMadeSafe) {
  TObjekt& id = Label(0, 0, "R1", 2, 1);
  TPlaceData& p = EnsurePlace(id);
  p.PlaceOffsetX = std::numeric_limits<float>::quiet_NaN();
  p.PlaceOffsetY = 3e9f;
  p.PlaceRotation = -90;
  p.PlaceCentre = 7;
  const std::vector<uint8_t> bytes = EncodeProject(this->p);
  TProject read;
  ASSERT_TRUE(ReadProjectBytes(read, bytes.data(), bytes.size(), false, "x.bsm6").Error.empty());
  const TObjekt* label = nullptr;
  for (const auto& e : read.Active()->Elements)
    if (IsIdLabel(*e)) label = e.get();
  ASSERT_NE(label, nullptr);
  ASSERT_TRUE(label->Place);
  EXPECT_EQ(label->Place->PlaceOffsetX, 0);
  EXPECT_EQ(label->Place->PlaceOffsetY, 0);
  EXPECT_EQ(label->Place->PlaceRotation, 270);
  EXPECT_EQ(label->Place->PlaceCentre, 0);
}

}  // namespace
}  // namespace bs::edit_test
