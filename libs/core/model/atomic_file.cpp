#include "model/atomic_file.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace bs {

namespace fs = std::filesystem;

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  const fs::path target(path);
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string tmp = (dir / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()))).string();
  int error = 0;
  // Keeps the first failure's reason; later steps may fail only because of it.
  auto step = [&error](bool ok) {
    if (!ok && error == 0) error = errno != 0 ? errno : EIO;
    return ok;
  };
  errno = 0;
  FILE* f = std::fopen(tmp.c_str(), "wb");
  bool ok = step(f != nullptr);
  if (f) {
    ok = step(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) && ok;
    ok = step(std::fflush(f) == 0) && ok;
    ok = step(::fsync(::fileno(f)) == 0) && ok;
    ok = step(std::fclose(f) == 0) && ok;
    if (ok) ok = step(std::rename(tmp.c_str(), path.c_str()) == 0);
    if (!ok) std::remove(tmp.c_str());
  }
  if (!ok && reason) *reason = std::strerror(error);
  return ok;
}

}  // namespace bs
