#include <gtest/gtest.h>

#include <sstream>

#include "args.h"
#include "cli.h"

namespace bs::cli {
namespace {

TEST(Args, OptionsFlagsAndPositionals) {
  TArgs a;
  a.Flag("--json").Option("--board");
  EXPECT_EQ(a.Parse({"in.bsm6", "--board", "2", "--json", "out", "--", "--json"}), "");
  EXPECT_TRUE(a.Has("--json"));
  EXPECT_EQ(a.Value("--board"), "2");
  EXPECT_EQ(a.Positional(), (std::vector<std::string>{"in.bsm6", "out", "--json"}));
  long long n = 0;
  EXPECT_EQ(a.IntValue("--board", 0, 10, n), "");
  EXPECT_EQ(n, 2);

  TArgs b;
  b.Option("--board");
  EXPECT_EQ(b.Parse({"--board=x"}), "");
  EXPECT_NE(b.IntValue("--board", 0, 10, n), "");
}

TEST(Args, RepeatedOptionsKeepEveryValueInOrder) {
  TArgs a;
  a.Repeated("--set").Option("--board");
  EXPECT_EQ(a.Parse({"--set", "A=1", "--board", "1", "--set=B=2", "--board", "3"}), "");
  EXPECT_EQ(a.Values("--set"), (std::vector<std::string>{"A=1", "B=2"}));
  EXPECT_EQ(a.Value("--board"), "3");  // a plain option keeps its last value
  EXPECT_TRUE(a.Values("--board").empty());
}

TEST(Args, Errors) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--nope"}, "unknown option --nope"},
      {{"--board"}, "option --board needs a value"},
      {{"--json=1"}, "option --json takes no value"},
  };
  for (const auto& c : cases) {
    TArgs a;
    a.Flag("--json").Option("--board");
    EXPECT_EQ(a.Parse(c.args), c.error);
  }
}

TEST(Numbers, ParseIntAndNumber) {
  long long i = 0;
  EXPECT_TRUE(ParseInt("-12", -100, 100, i));
  EXPECT_EQ(i, -12);
  EXPECT_FALSE(ParseInt("12x", 0, 100, i));
  EXPECT_FALSE(ParseInt("101", 0, 100, i));
  EXPECT_FALSE(ParseInt("", 0, 100, i));
  double d = 0;
  EXPECT_TRUE(ParseNumber("1,5", d));
  EXPECT_EQ(d, 1.5);
  EXPECT_FALSE(ParseNumber("inf", d));
  EXPECT_FALSE(ParseNumber("1.5mm", d));
}

TEST(Cli, HelpVersionAndErrors) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--version"}, out, err), 0);
  EXPECT_EQ(out.str().rfind("Boardsmith ", 0), 0u);
  out.str("");
  for (const auto& c : Subcommands()) {
    out.str("");
    EXPECT_EQ(RunCli({c.name, "--help"}, out, err), 0) << c.name;
    EXPECT_NE(out.str().find("Usage: boardsmith-cli " + c.name), std::string::npos) << c.name;
  }
  EXPECT_EQ(RunCli({}, out, err), 2);
  err.str("");
  EXPECT_EQ(RunCli({"synth", "--elements", "abc", "x.bsm6"}, out, err), 2);
  EXPECT_NE(err.str().find("--elements needs a whole number"), std::string::npos);
  err.str("");
  EXPECT_EQ(RunCli({"info", "a", "b"}, out, err), 2);
  EXPECT_NE(err.str().find("expects one FILE"), std::string::npos);
}

}  // namespace
}  // namespace bs::cli
