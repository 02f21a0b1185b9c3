#include "load.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

namespace bs::cli {

namespace fs = std::filesystem;

bool IsMacroPath(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".bmk";
}

int Fail(TContext& ctx, const std::string& command, const std::string& message) {
  std::string m = message;
  std::replace(m.begin(), m.end(), '\r', '\n');
  ctx.err << "boardsmith-cli " << command << ": " << m << "\n";
  return 1;
}

bool LoadProject(TContext& ctx, const std::string& command, const std::string& path, TProject& project, int& version) {
  const TFileCheck check = CheckFile(path);
  if (!check.Ok) {
    Fail(ctx, command, check.Message);
    return false;
  }
  const TReadResult r = ReadProjectFile(project, path, false);
  if (!r.Ok) {
    Fail(ctx, command, r.Error);
    return false;
  }
  version = r.Version;
  if (!r.Warning.empty()) Fail(ctx, command, r.Warning);
  return true;
}

bool LoadMacro(TContext& ctx, const std::string& command, const std::string& path, TMacro& macro) {
  const TFileCheck check = CheckFile(path);
  if (!check.Ok) {
    Fail(ctx, command, check.Message);
    return false;
  }
  const TMacroReadResult r = ReadMacroFile(path, macro);
  if (!r.Ok) {
    Fail(ctx, command, r.Error.empty() ? "The macro can not be loaded." : r.Error);
    return false;
  }
  return true;
}

bool MayWrite(TContext& ctx, const std::string& command, const std::string& path, bool force) {
  if (!force && fs::exists(path)) {
    Fail(ctx, command, "The file \"" + path + "\" already exists. Use --force to overwrite it.");
    return false;
  }
  return true;
}

TBoard* LoadBoard(TContext& ctx, const std::string& cmd, const TArgs& a, const std::string& path, TProject& p,
                  int& code) {
  long long board = -1;
  if (std::string e = a.IntValue("--board", 0, 1LL << 30, board); !e.empty()) {
    code = UsageError(ctx, cmd, e);
    return nullptr;
  }
  int version = 0;
  code = 1;
  if (!LoadProject(ctx, cmd, path, p, version)) return nullptr;
  if (board < 0) board = p.ActiveIndex;
  if (board < 0 || board >= static_cast<long long>(p.Boards.size())) {
    Fail(ctx, cmd,
         "the file has " + std::to_string(p.Boards.size()) + " board(s); there is no board " + std::to_string(board));
    return nullptr;
  }
  code = 0;
  p.ActiveIndex = int(board);
  return p.Boards[size_t(board)].get();
}

}  // namespace bs::cli
