// Running boardsmith-cli commands in the test process, as a user would run
// them, and reading back the files they write.
#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace bs::cli::test {

struct TRun {
  int code;
  std::string out, err;
};

inline TRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace bs::cli::test
