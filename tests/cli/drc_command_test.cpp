#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_run.h"
#include "io/project_file.h"

namespace bs::cli {
namespace {

namespace fs = std::filesystem;

using test::Cli;
using test::Slurp;
using test::TRun;

struct DrcCommandTest : testing::Test {
  fs::path dir;
  std::string board, clean;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("bs_drc_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A 50 mm board with one track 1.5 mm wide, 0.15 mm thin in the
    // left half, and its twin 0.25 mm wide.
    board = Write("thin.bsm6", 1500);
    clean = Write("clean.bsm6", 2500);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string P(const std::string& name) const { return (dir / name).string(); }
  std::string Write(const std::string& name, int32_t width) {
    TProject p;
    TBoard& b = AddBoard(p, "DRC", 500000, 500000, false);
    auto t = NewObjekt();
    InitTrack(*t, width, kLayerC1);
    AddPoint(*t, {100000, -250000});
    AddPoint(*t, {200000, -250000});
    b.Elements.push_back(std::move(t));
    EXPECT_TRUE(WriteProject(p, P(name)).Ok);
    return P(name);
  }
};

TEST_F(DrcCommandTest, ListsFindingsAndSaysSoInTheExitStatus) {
  const TRun found = Cli({"drc", board});
  EXPECT_EQ(found.code, 3) << found.err;
  EXPECT_EQ(found.out, "4  C1  97350,-252750,202650,-247250  Track too thin\n1 errors\n");

  const TRun none = Cli({"drc", clean});
  EXPECT_EQ(none.code, 0) << none.err;
  EXPECT_EQ(none.out, "0 errors\n");

  const TRun json = Cli({"drc", board, "--json"});
  EXPECT_EQ(json.code, 3);
  EXPECT_NE(json.out.find("{\"count\":1,\"findings\":[{\"kind\":4,\"layer\":1,"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"marker\":[97350,-252750,202650,-247250],\"elements\":[0],\"outline\":[[["),
            std::string::npos)
      << json.out;
}

TEST_F(DrcCommandTest, RulesFromAFileAndFromTheCommandLine) {
  std::ofstream(P("rules.ini")) << "[Optionen]\nTrackMin=1\n[DRC]\nWTrackMin=1000\n";
  const struct {
    std::vector<std::string> extra;
    int code;
  } cases[] = {
      {{"--rules", P("rules.ini")}, 0},
      {{"--rules", P("rules.ini"), "--set", "WTrackMin=1600"}, 3},  // --set after the file
      {{"--set", "TrackMin=false"}, 0},
      {{"--set", "trackmin=0", "--set", "TrackMin=1"}, 3},  // the last one counts
      {{"--set", "WTrackMin=0.15mm"}, 0},
      {{"--set", "WTrackMin=0,16mm"}, 3},
      {{"--window", "300000,-400000,400000,-100000"}, 0},  // the track lies elsewhere
      {{"--window", "400000,-100000,150000,-400000"}, 3},  // corners in any order
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"drc", board};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const TRun r = Cli(args);
    EXPECT_EQ(r.code, c.code) << testing::PrintToString(c.extra) << r.err;
  }
}

TEST_F(DrcCommandTest, BadArgumentsFailWithAMessage) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* message;
  } cases[] = {
      {{"drc", board, "--set", "WKupfer=abc"}, 2, "WKupfer takes whole units from 0 to 999900"},
      {{"drc", board, "--set", "WKupfer=-1"}, 2, "WKupfer takes whole units"},
      {{"drc", board, "--set", "WKupfer=100mm"}, 2, "WKupfer takes whole units"},
      {{"drc", board, "--set", "Kupfer=maybe"}, 2, "Kupfer takes true or false"},
      {{"drc", board, "--set", "Copper=1"}, 2, "there is no rule \"Copper\""},
      {{"drc", board, "--set", "Kupfer"}, 2, "--set needs NAME=VALUE"},
      {{"drc", board, "--window", "1,2,3"}, 2, "--window needs X0,Y0,X1,Y1"},
      {{"drc", board, "--rules", P("missing.ini")}, 1, "can not be read"},
      {{"drc", board, "--board", "4"}, 1, "there is no board 4"},
      {{"drc", P("missing.bsm6")}, 1, "missing.bsm6"},
      {{"drc"}, 2, "expects one FILE"},
  };
  for (const auto& c : cases) {
    const TRun r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << testing::PrintToString(c.args);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST_F(DrcCommandTest, PictureWithTheFindingsHatched) {
  ASSERT_EQ(Cli({"drc", board, "--png", P("drc.png")}).code, 3);
  ASSERT_EQ(Cli({"render", board, P("plain.png")}).code, 0);
  // The same picture as "render" draws, and the hatch on top.
  EXPECT_NE(Slurp(P("drc.png")), Slurp(P("plain.png")));
  ASSERT_EQ(Cli({"drc", clean, "--png", P("clean.png")}).code, 0);
  ASSERT_EQ(Cli({"render", clean, P("clean_plain.png")}).code, 0);
  EXPECT_EQ(Slurp(P("clean.png")), Slurp(P("clean_plain.png")));

  const TRun again = Cli({"drc", board, "--png", P("drc.png")});
  EXPECT_EQ(again.code, 1);
  EXPECT_NE(again.err.find("already exists"), std::string::npos);
  EXPECT_EQ(Cli({"drc", board, "--png", P("drc.png"), "--force"}).code, 3);
}

}  // namespace
}  // namespace bs::cli
