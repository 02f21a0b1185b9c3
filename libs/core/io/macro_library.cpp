#include "io/macro_library.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

#include "model/messages.h"

namespace bs {

namespace fs = std::filesystem;

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string LowerString(std::string s) {
  for (char& c : s) c = Lower(c);
  return s;
}

bool HasMacroExtension(const fs::path& p) { return LowerString(p.extension().string()) == kMacroExtension; }

void ScanFolder(const fs::path& dir, std::vector<TMacroNode>& out, std::set<fs::path>& visited,
                const std::function<void(const std::string&)>& status) {
  std::error_code ec;
  // A folder reached twice (through a link) is scanned once.
  const fs::path canonical = fs::canonical(dir, ec);
  if (ec || !visited.insert(canonical).second) return;
  if (status) status(FormatMessage(msg::kLoadingMacros, {LowerString(dir.string())}));
  fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
  if (ec) return;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const fs::path& p = it->path();
    const std::string name = p.filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) {
      TMacroNode node;
      node.Name = name;
      node.Path = p.string();
      node.Folder = true;
      ScanFolder(p, node.Children, visited, status);
      out.push_back(std::move(node));
    } else if (it->is_regular_file(kindError) && HasMacroExtension(p)) {
      TMacroNode node;
      node.Name = p.stem().string();
      node.Path = p.string();
      out.push_back(std::move(node));
    }
  }
  std::sort(out.begin(), out.end(),
            [](const TMacroNode& a, const TMacroNode& b) { return NaturalLess(a.Name, b.Name); });
}

}  // namespace

std::string MacroLibraryRoot(const std::string& dataFolder, const std::string& configured) {
  std::error_code ec;
  if (!configured.empty() && fs::is_directory(configured, ec)) return configured;
  return (fs::path(dataFolder) / kMacroFolderName).string();
}

bool IsMacroFileName(const std::string& path) { return HasMacroExtension(fs::path(path)); }

int NaturalCompare(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      // Compare the digit runs by value without converting them, so that
      // runs of any length work: fewer significant digits is smaller, then
      // the digits decide.
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      const size_t si = i, sj = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      const size_t li = i - si, lj = j - sj;
      if (li != lj) return li < lj ? -1 : 1;
      if (const int c = a.substr(si, li).compare(b.substr(sj, lj)); c != 0) return c < 0 ? -1 : 1;
      continue;
    }
    const auto ca = static_cast<unsigned char>(Lower(a[i])), cb = static_cast<unsigned char>(Lower(b[j]));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  const bool aLeft = i < a.size(), bLeft = j < b.size();
  return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

bool NaturalLess(std::string_view a, std::string_view b) {
  const int c = NaturalCompare(a, b);
  return c != 0 ? c < 0 : a < b;
}

std::vector<TMacroNode> ScanMacroLibrary(const std::string& root,
                                         const std::function<void(const std::string&)>& status) {
  std::vector<TMacroNode> nodes;
  std::set<fs::path> visited;
  ScanFolder(fs::path(root), nodes, visited, status);
  return nodes;
}

std::string MacroNodePath(const std::string& root, const std::vector<std::string>& names) {
  fs::path p(root);
  for (const std::string& n : names) p /= n;
  std::error_code ec;
  const fs::path file = fs::path(p.string() + kMacroExtension);
  if (fs::is_regular_file(file, ec)) return file.string();
  // The extension may be written in capitals.
  const std::string stem = p.filename().string();
  if (!stem.empty()) {
    fs::directory_iterator it(p.parent_path().empty() ? fs::path(".") : p.parent_path(), ec);
    if (!ec)
      for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const fs::path& q = it->path();
        std::error_code kindError;
        if (q.stem().string() == stem && HasMacroExtension(q) && it->is_regular_file(kindError))
          return (p.parent_path() / q.filename()).string();
      }
  }
  return p.string();
}

TRenameResult RenameMacroNode(const std::string& path, const std::string& newCaption) {
  TRenameResult res;
  const fs::path old(path);
  std::error_code ec;
  // Only a file has an extension to keep; a dot in a folder name is part of it.
  const bool isFile = fs::is_regular_file(old, ec);
  const fs::path target = old.parent_path() / (newCaption + (isFile ? old.extension().string() : ""));
  if (fs::exists(fs::symlink_status(target, ec))) {
    res.Message = FormatMessage(msg::kMacroNameExists, {newCaption});
    return res;
  }
  // An empty caption or one naming another folder is no rename within the tree.
  const bool valid =
      !newCaption.empty() && newCaption.find('/') == std::string::npos && newCaption != "." && newCaption != "..";
  if (valid) fs::rename(old, target, ec);
  if (!valid || ec) {
    res.Message = msg::kCannotRename;
    return res;
  }
  res.Ok = true;
  res.NewPath = target.string();
  return res;
}

std::string DeleteMacroQuestion(const std::string& path) {
  return FormatMessage(msg::kDeleteMacroFile, {fs::path(path).filename().string()});
}

bool DeleteMacroFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && fs::remove(path, ec) && !ec;
}

TMacroReadResult LoadMacro(TMacro& loaded, const std::string& path, const TMacroView& view) {
  if (!IsMacroFileName(path)) return {};
  std::error_code ec;
  if (loaded.Modified && !loaded.Path.empty() && fs::is_regular_file(loaded.Path, ec))
    SaveMacro(loaded.Path, loaded, view.Grid);
  TMacroReadResult res = ReadMacroFile(path, loaded, view.Read);
  if (!res.Ok) return res;
  ApplyMacroSide(loaded.Elements, view.Top, view.Grid);
  ShowMacroLabels(loaded.Elements, view.AddAsComponent);
  loaded.Modified = false;
  return res;
}

}  // namespace bs
