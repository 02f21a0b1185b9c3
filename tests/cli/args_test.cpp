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
  EXPECT_EQ(RunCli({"demo", "--help"}, out, err), 0);
  EXPECT_NE(out.str().find("Usage: boardsmith-cli demo"), std::string::npos);
  EXPECT_EQ(RunCli({}, out, err), 2);
  err.str("");
  EXPECT_EQ(RunCli({"demo", "--width", "abc"}, out, err), 2);
  EXPECT_NE(err.str().find("--width needs a number"), std::string::npos);
  err.str("");
  EXPECT_EQ(RunCli({"demo", "--outline", "round", "--diameter", "600"}, out, err), 1);
  EXPECT_NE(err.str().find("The diameter must lie between"), std::string::npos);
}

}  // namespace
}  // namespace bs::cli
