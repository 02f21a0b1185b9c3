#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"
#include "example_board.h"
#include "io/macro_file.h"
#include "io/project_file.h"

namespace bs::cli {
namespace {

namespace fs = std::filesystem;

using test::Cli;
using test::Slurp;
using test::TRun;

bool Balanced(const std::string& json) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      if (--depth < 0) return false;
    }
  }
  return depth == 0 && !inString;
}

struct CommandsTest : testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("bs_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string P(const std::string& name) const { return (dir / name).string(); }
};

TEST_F(CommandsTest, DemoInfoAndDump) {
  ASSERT_EQ(Cli({"demo", P("demo.bsm6")}).code, 0);
  const TRun again = Cli({"demo", P("demo.bsm6")});
  EXPECT_EQ(again.code, 1);  // no silent overwrite
  EXPECT_NE(again.err.find("already exists"), std::string::npos);
  EXPECT_EQ(Cli({"demo", P("demo.bsm6"), "--force"}).code, 0);

  const TRun info = Cli({"info", P("demo.bsm6")});
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_NE(info.out.find("board 0 \"Timer\": 70 x 50 mm"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("rubber bands: 4, routed tracks: 0, components: 7"), std::string::npos);

  const TRun json = Cli({"info", "--json", P("demo.bsm6")});
  ASSERT_EQ(json.code, 0);
  EXPECT_TRUE(Balanced(json.out));
  for (const char* key : {"\"version\":6", "\"name\":\"Timer\"", "\"origin\":[50000,-450000]", "\"ground_plane\":[3]",
                          "\"by_kind\":{", "\"tht_pad\":23"})
    EXPECT_NE(json.out.find(key), std::string::npos) << key;

  const TRun dump = Cli({"dump", P("demo.bsm6"), "--json"});
  ASSERT_EQ(dump.code, 0);
  EXPECT_TRUE(Balanced(dump.out));
  for (const char* key : {"\"board\":0", "\"ThermalSpokes\":1431655765", "\"TrackEnds\":0", "\"LabelRole\":1",
                          "\"Package\":\"DIP8\"", "\"StopAngle\":60000", "\"Connections\":[", "\"RouteStart\":-1"})
    EXPECT_NE(dump.out.find(key), std::string::npos) << key;
  const TRun noBoard = Cli({"dump", P("demo.bsm6"), "--board", "3", "--json"});
  EXPECT_EQ(noBoard.code, 1);
  EXPECT_NE(noBoard.err.find("there is no board 3"), std::string::npos);
}

// textio paste places a file's elements as the editor's import and paste
// do; export --selected needs a selection.
TEST_F(CommandsTest, TextioPasteAndSelectedExport) {
  ASSERT_EQ(Cli({"demo", P("demo.bsm6")}).code, 0);
  const TRun none = Cli({"textio", "export", P("demo.bsm6"), "--selected", P("none.txt")});
  EXPECT_EQ(none.code, 1);
  EXPECT_NE(none.err.find("no element of the board is selected"), std::string::npos);
  EXPECT_FALSE(fs::exists(P("none.txt")));

  std::ofstream(P("in.txt")) << "PAD,POS=0/0,SIZE=18000,DRILL=8000;  \r\n"
                             << "TRACK,LAYER=1,WIDTH=8000,P0=0/0,P1=100000/0;\r\n";
  const TRun pasted = Cli({"textio", "paste", P("in.txt"), P("demo.bsm6"), "--at", "300000,-300000", P("out.bsm6")});
  ASSERT_EQ(pasted.code, 0) << pasted.err;
  EXPECT_NE(pasted.out.find("2 element(s) pasted"), std::string::npos);
  EXPECT_NE(Cli({"info", P("out.bsm6")}).out.find("elements: 59"), std::string::npos);
  // The two come last, moved together: the track keeps its length.
  ASSERT_EQ(Cli({"textio", "export", P("out.bsm6"), P("back.txt")}).code, 0);
  std::istringstream back(Slurp(P("back.txt")));
  std::vector<std::string> lines;
  for (std::string line; std::getline(back, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].rfind("PAD,", 0), 0u);
  const std::string& track = lines.back();
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  ASSERT_EQ(std::sscanf(track.substr(track.find("P0=")).c_str(), "P0=%d/%d,P1=%d/%d", &x0, &y0, &x1, &y1), 4) << track;
  EXPECT_EQ(x1 - x0, 100000);
  EXPECT_EQ(y1, y0);

  struct TBad {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  std::ofstream(P("empty.txt")) << "HELLO;\r\n";
  const TBad bad[] = {
      {{"textio", "paste", P("in.txt"), P("demo.bsm6"), P("x.bsm6")}, 2, "--at"},
      {{"textio", "paste", P("empty.txt"), P("demo.bsm6"), "--at", "0,0", P("x.bsm6")}, 1, "No valid data found."},
      {{"textio", "import", P("in.txt"), "--selected", P("x.bsm6")}, 2, "--selected applies to export only"},
  };
  for (const TBad& b : bad) {
    const TRun r = Cli(b.args);
    EXPECT_EQ(r.code, b.code) << b.says;
    EXPECT_NE(r.err.find(b.says), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(P("x.bsm6")));
}

TEST_F(CommandsTest, ConvertOldVersionsAndMacros) {
  TProject p;
  BuildExampleProject(p);
  for (const auto& e : p.Active()->Elements) e->LabelRole = 0;  // version 5 had no placement data
  std::vector<uint8_t> bytes = EncodeProject(p);
  bytes[0] = 5;  // the same layout read as version 5 (hundredths of a millimetre)
  { std::ofstream(P("old.bsm"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size()); }
  EXPECT_NE(Cli({"info", P("old.bsm")}).out.find("project file version 5"), std::string::npos);
  ASSERT_EQ(Cli({"convert", P("old.bsm"), P("new.bsm6")}).code, 0);
  const TRun info = Cli({"info", "--json", P("new.bsm6")});
  EXPECT_NE(info.out.find("\"version\":6"), std::string::npos);
  EXPECT_NE(info.out.find("\"width\":70000000"), std::string::npos);  // scaled by 100
  EXPECT_EQ(Cli({"convert", P("old.bsm"), P("new.bsm6")}).code, 1);   // exists

  // A converted current file is unchanged byte for byte.
  ASSERT_EQ(Cli({"demo", P("demo.bsm6")}).code, 0);
  ASSERT_EQ(Cli({"convert", P("demo.bsm6"), P("same.bsm6")}).code, 0);
  EXPECT_EQ(Slurp(P("demo.bsm6")), Slurp(P("same.bsm6")));

  // Macros go through as macros.
  ASSERT_TRUE(WriteMacroFile(P("m.bmk"), p.Active()->Elements, false, "Timer", "demo"));
  ASSERT_EQ(Cli({"convert", P("m.bmk"), P("m2.bmk")}).code, 0);
  const TRun minfo = Cli({"info", P("m2.bmk")});
  EXPECT_EQ(minfo.code, 0) << minfo.err;
  EXPECT_NE(minfo.out.find("macro, file version 6"), std::string::npos);
  EXPECT_NE(minfo.out.find("\"Timer\" \"demo\""), std::string::npos);
  EXPECT_TRUE(Balanced(Cli({"dump", "--json", P("m2.bmk")}).out));
}

TEST_F(CommandsTest, BadFilesFailClearly) {
  std::ofstream(P("junk.bsm6")) << "not a board at all";
  const TRun r = Cli({"info", P("junk.bsm6")});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("\"junk.bsm6\" is not a Boardsmith file."), std::string::npos);
  EXPECT_EQ(Cli({"dump", "--json", P("missing.bsm6")}).code, 1);

  ASSERT_EQ(Cli({"demo", P("d.bsm6")}).code, 0);
  std::string cut = Slurp(P("d.bsm6"));
  cut.resize(cut.size() / 2);
  std::ofstream(P("cut.bsm6"), std::ios::binary) << cut;
  const TRun c = Cli({"convert", P("cut.bsm6"), P("out.bsm6")});
  EXPECT_EQ(c.code, 1);
  EXPECT_NE(c.err.find("is damaged or incomplete"), std::string::npos);
  EXPECT_FALSE(fs::exists(P("out.bsm6")));
}

TEST_F(CommandsTest, RenderAndGlyphPictures) {
  ASSERT_EQ(Cli({"demo", "--kinds", P("kinds.bsm6")}).code, 0);
  const TRun r = Cli({"render", P("kinds.bsm6"), P("k.png"), "--dpi", "100", "--plain", "--layers", "1,3,7"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Slurp(P("k.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
  ASSERT_EQ(Cli({"render", P("kinds.bsm6"), P("w.png"), "--zoom", "0.004", "--width", "300", "--height", "200",
                 "--scroll", "100,50", "--active-layer", "1"})
                .code,
            0);
  EXPECT_EQ(Cli({"glyphs", P("g.png")}).code, 0);
  struct Bad {
    std::vector<std::string> args;
    std::string message;
  };
  const Bad bad[] = {
      {{"render", P("kinds.bsm6"), P("x.png"), "--dpi", "100", "--zoom", "1"}, "either --dpi or --zoom"},
      {{"render", P("kinds.bsm6"), P("x.png"), "--width", "100"}, "--width and --height together"},
      {{"render", P("kinds.bsm6"), P("x.png"), "--layers", "1,9"}, "layer numbers 1 ... 7"},
      {{"render", P("kinds.bsm6"), P("x.png"), "--zoom", "50"}, "would be"},
  };
  for (const auto& b : bad) {
    const TRun run = Cli(b.args);
    EXPECT_NE(run.code, 0);
    EXPECT_NE(run.err.find(b.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(P("x.png")));
  }
}

TEST_F(CommandsTest, SynthIsDeterministic) {
  ASSERT_EQ(Cli({"synth", "--elements", "400", "--seed", "7", P("a.bsm6")}).code, 0);
  ASSERT_EQ(Cli({"synth", "--elements", "400", "--seed", "7", P("b.bsm6")}).code, 0);
  ASSERT_EQ(Cli({"synth", "--elements", "400", "--seed", "8", "--multilayer", P("c.bsm6")}).code, 0);
  EXPECT_EQ(Slurp(P("a.bsm6")), Slurp(P("b.bsm6")));
  EXPECT_NE(Slurp(P("a.bsm6")), Slurp(P("c.bsm6")));
  const TRun info = Cli({"info", "--json", P("c.bsm6")});
  EXPECT_NE(info.out.find("\"multilayer\":true"), std::string::npos);
  EXPECT_NE(info.out.find("\"ground_plane\":[3]"), std::string::npos);
}

TEST_F(CommandsTest, MacroTreeSavePlace) {
  // A small board of two pads.
  TProject p;
  ResetProject(p, TLanguage::English, true);
  for (float x : {10000.f, 30000.f}) {
    auto pad = NewObjekt();
    InitThtPad(*pad, {x, -20000}, kLayerC1, kShapeRound, 3000, 9000);
    p.Active()->Elements.push_back(std::move(pad));
  }
  const std::vector<uint8_t> bytes = EncodeProject(p);
  {
    std::ofstream(P("b.bsm6"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  std::filesystem::create_directories(P("lib/sub"));
  const TRun saved = Cli({"macro", "save", P("b.bsm6"), "--text1", "Two pads", P("lib/m.bmk")});
  EXPECT_EQ(saved.code, 0) << saved.err;
  EXPECT_EQ(saved.out, "2 element(s) written to " + P("lib/m.bmk") + "\n");
  EXPECT_EQ(Cli({"macro", "save", P("b.bsm6"), P("lib/m.bmk")}).code, 1);  // exists
  // Files keep no selection: --selected finds nothing to save.
  const TRun none = Cli({"macro", "save", P("b.bsm6"), "--selected", P("lib/sub/one.bmk")});
  EXPECT_EQ(none.code, 1);
  EXPECT_NE(none.err.find("no element of the board is selected"), std::string::npos);
  ASSERT_EQ(Cli({"macro", "save", P("b.bsm6"), P("lib/sub/one.bmk")}).code, 0);
  TMacro m;
  ASSERT_TRUE(ReadMacroFile(P("lib/m.bmk"), m).Ok);
  ASSERT_EQ(m.Elements.size(), 2u);
  EXPECT_FLOAT_EQ(m.Elements[1]->Pos.X, 20000);
  EXPECT_EQ(m.Text1, "Two pads");
  ASSERT_TRUE(ReadMacroFile(P("lib/sub/one.bmk"), m).Ok);

  const TRun tree = Cli({"macro", "tree", P("lib")});
  EXPECT_EQ(tree.out, "m\nsub/\n  one\n");
  const TRun json = Cli({"macro", "tree", P("lib"), "--json"});
  EXPECT_NE(json.out.find("\"name\":\"one\""), std::string::npos) << json.out;
  EXPECT_TRUE(Balanced(json.out));

  const TRun place =
      Cli({"macro", "place", P("lib/m.bmk"), P("b.bsm6"), "--at", "100000,-50000", "--vias", P("placed.bsm6")});
  ASSERT_EQ(place.code, 0) << place.err;
  EXPECT_EQ(place.out, "2 element(s) placed, written to " + P("placed.bsm6") + "\n");
  TProject q;
  ASSERT_TRUE(ReadProjectFile(q, P("placed.bsm6"), false).Ok);
  const TObjektList& l = q.Active()->Elements;
  ASSERT_EQ(l.size(), 4u);
  // THT pads on C1 count as a bottom macro: placed on the top side they are
  // mirrored onto C2, the reference point staying at the drop position.
  EXPECT_EQ(std::min(l[2]->Pos.X, l[3]->Pos.X), 100000);
  EXPECT_EQ(std::max(l[2]->Pos.X, l[3]->Pos.X), 120000);
  for (size_t i : {2, 3}) {
    EXPECT_FLOAT_EQ(l[i]->Pos.Y, -50000);
    EXPECT_EQ(l[i]->Layer, kLayerC2);
    EXPECT_EQ(l[i]->Via, 1);
  }
  EXPECT_EQ(l[0]->Via, 0);
  EXPECT_EQ(l[2]->Groups, l[3]->Groups);
  EXPECT_FALSE(l[2]->Groups.empty());

  struct Bad {
    std::vector<std::string> args;
    int code;
  };
  for (const Bad& b : std::vector<Bad>{
           {{"macro"}, 2},
           {{"macro", "frob"}, 2},
           {{"macro", "tree"}, 2},
           {{"macro", "tree", P("nothing")}, 1},
           {{"macro", "save", P("b.bsm6"), P("x.txt")}, 2},
           {{"macro", "save", P("b.bsm6"), "--text1", std::string(51, 'x'), P("x.bmk")}, 2},
           {{"macro", "save", P("b.bsm6"), "--board", "4", P("x.bmk")}, 1},
           {{"macro", "place", P("lib/m.bmk"), P("b.bsm6"), P("x.bsm6")}, 2},
           {{"macro", "place", P("lib/m.bmk"), P("b.bsm6"), "--at", "5", P("x.bsm6")}, 2},
           {{"macro", "place", P("lib/m.bmk"), P("b.bsm6"), "--at", "0,0", "--side", "up", P("x.bsm6")}, 2},
           {{"macro", "place", P("b.bsm6"), P("b.bsm6"), "--at", "0,0", P("x.bsm6")}, 1},
           {{"macro", "place", P("lib/m.bmk"), P("b.bsm6"), "--at", "0,0", P("placed.bsm6")}, 1},
       }) {
    SCOPED_TRACE(b.args.back());
    EXPECT_EQ(Cli(b.args).code, b.code);
  }
  EXPECT_FALSE(std::filesystem::exists(P("x.bmk")));
  EXPECT_FALSE(std::filesystem::exists(P("x.bsm6")));
}

}  // namespace
}  // namespace bs::cli
