#include "model/atomic_file.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>

namespace bs {

namespace fs = std::filesystem;

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  const fs::path target(path);
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string tmp = (dir / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()))).string();
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  ok = ::fsync(::fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(tmp.c_str());
  return ok;
}

}  // namespace bs
