// The command line of the import: gerber-read, drill-read and
// gerber-import, their reports, refusals and bad arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../cli/cli_run.h"
#include "io/project_file.h"

namespace bs::cli::test {
namespace {

class ImportCommands : public testing::Test {
 protected:
  std::filesystem::path dir_;
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("bs_import_cli_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::ofstream(P("c1.gbr")) << "%FSLAX34Y34*%\n%MOMM*%\n%ADD10C,1.6X0.8*%\n%ADD11C,0.25*%\nD10*\n"
                                  "X100000Y100000D03*\nD11*\nX0Y0D02*\nX50000Y0D01*\nX50000Y50000D01*\nQ1*\nM02*\n";
    std::ofstream(P("c2.gbr")) << "%FSLAX34Y34*%\n%MOMM*%\n%ADD10C,1.6*%\nD10*\nX100000Y100000D03*\nM02*\n";
    std::ofstream(P("d.drl")) << "M48\nMETRIC,LZ,000.000\nT1C0.8\n%\nT1\nX010Y010\nX020Y020\nM30\n";
    std::ofstream(P("junk.txt")) << "hello\n";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string P(const std::string& name) const { return (dir_ / name).string(); }
};

TEST_F(ImportCommands, ReadCommandsReportFormatElementsAndErrors) {
  const TRun g = Cli({"gerber-read", P("c1.gbr")});
  EXPECT_EQ(g.code, 0) << g.err;
  EXPECT_NE(g.out.find("mm, leading zeros omitted, X 3.4"), std::string::npos) << g.out;
  EXPECT_NE(g.out.find("2 tracks"), std::string::npos) << g.out;
  EXPECT_NE(g.out.find("line 11: bad command 'Q1'"), std::string::npos) << g.out;
  const TRun j = Cli({"gerber-read", P("c1.gbr"), "--json"});
  EXPECT_NE(j.out.find("\"tht_pads\":1"), std::string::npos) << j.out;
  const TRun d = Cli({"drill-read", P("d.drl"), "--json"});
  EXPECT_EQ(d.code, 0) << d.err;
  EXPECT_NE(d.out.find("\"x_mm\":10,\"y_mm\":10,\"diameter_mm\":0.8"), std::string::npos) << d.out;
}

TEST_F(ImportCommands, ImportWritesTheBoardAndRefusesToReplaceIt) {
  const std::string out = P("out.bsm6");
  const TRun r = Cli({"gerber-import", out, "--c1", P("c1.gbr"), "--c2", P("c2.gbr"), "--drill", P("d.drl")});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("2 pads drilled"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("1 vias"), std::string::npos) << r.out;
  TProject p;
  ASSERT_TRUE(ReadProjectFile(p, out, false).Ok);
  ASSERT_EQ(p.Boards.size(), 1u);
  EXPECT_EQ(p.Boards[0]->Caption, "XGerber ");
  const TRun again = Cli({"gerber-import", out, "--c1", P("c1.gbr")});
  EXPECT_EQ(again.code, 1);
  EXPECT_EQ(Cli({"gerber-import", out, "--c1", P("c1.gbr"), "--force"}).code, 0);
  // Into a project: the board is added beside the others.
  const std::string twice = P("twice.bsm6");
  EXPECT_EQ(Cli({"gerber-import", twice, "--c2", P("c2.gbr"), "--into", out}).code, 0);
  TProject q;
  ASSERT_TRUE(ReadProjectFile(q, twice, false).Ok);
  EXPECT_EQ(q.Boards.size(), 2u);
}

TEST_F(ImportCommands, BadArgumentsAndFiles) {
  struct TCase {
    const char* name;
    std::vector<std::string> args;
    int code;
    const char* message;
  };
  const std::vector<TCase> cases = {
      {"no file", {"gerber-import", P("o.bsm6")}, 2, "names no file"},
      {"no output", {"gerber-import"}, 2, "expects one OUT"},
      {"bad unit", {"gerber-import", P("o.bsm6"), "--drill", P("d.drl"), "--drill-unit", "feet"}, 2, "--drill-unit"},
      {"bad zeros", {"drill-read", P("d.drl"), "--drill-zeros", "some"}, 2, "--drill-zeros"},
      {"bad digits", {"drill-read", P("d.drl"), "--drill-digits", "24"}, 2, "--drill-digits"},
      {"board without into", {"gerber-import", P("o.bsm6"), "--c1", P("c1.gbr"), "--board", "0"}, 2, "--into"},
      {"missing file", {"gerber-import", P("o.bsm6"), "--c1", P("none.gbr")}, 1, "none.gbr"},
      {"not Gerber", {"gerber-import", P("o.bsm6"), "--c1", P("junk.txt")}, 1, "not to be a valid Gerber"},
      {"not Excellon", {"gerber-import", P("o.bsm6"), "--drill", P("junk.txt")}, 1, "not to be a valid Excellon"},
      {"no such board", {"gerber-import", P("o.bsm6"), "--c1", P("c1.gbr"), "--into", P("none.bsm6")}, 1, ""},
      {"gerber-read missing", {"gerber-read", P("none.gbr")}, 1, "none.gbr"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TRun r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << r.out << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(P("o.bsm6")));
  }
  // An invalid file is taken with --continue-invalid.
  EXPECT_EQ(Cli({"gerber-import", P("o.bsm6"), "--c1", P("junk.txt"), "--continue-invalid"}).code, 0);
}

}  // namespace
}  // namespace bs::cli::test
