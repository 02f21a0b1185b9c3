#include "model/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/messages.h"

namespace bs {

namespace {
// Reads the regular file at `path`: at most `limit` bytes, where a longer
// file is unreadable, or with `head` just its first `limit` bytes.
TFileBytes Read(const std::string& path, size_t limit, bool head) {
  TFileBytes r;
  // Without O_NONBLOCK, opening a FIFO waits until something opens it for
  // writing; with it the open returns at once and fstat tells what it is.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    r.Fault = errno == ENOENT || errno == ENOTDIR ? TReadFault::Missing : TReadFault::Unreadable;
    r.Reason = std::strerror(errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    r.Fault = TReadFault::NotAFile;
    ::close(fd);
    return r;
  }
  if (st.st_size > 0) r.Bytes.reserve(std::min(size_t(st.st_size), limit));
  uint8_t buffer[1 << 16];
  for (;;) {
    const size_t want = head ? std::min(sizeof buffer, limit - r.Bytes.size()) : sizeof buffer;
    if (want == 0) break;
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || r.Bytes.size() + size_t(n) > limit) {
      r.Fault = TReadFault::Unreadable;
      r.Reason = n < 0 ? std::strerror(errno) : std::strerror(EFBIG);
      r.Bytes.clear();
      break;
    }
    if (n == 0) break;
    r.Bytes.insert(r.Bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return r;
}
}  // namespace

TFileBytes ReadRegularFile(const std::string& path, size_t limit) { return Read(path, limit, false); }

TFileBytes ReadRegularFileHead(const std::string& path, size_t count) { return Read(path, count, true); }

std::string ReadFaultMessage(const TFileBytes& read, const std::string& path) {
  return FormatMessage(read.Fault == TReadFault::NotAFile ? msg::kNotARegularFile : msg::kCannotRead, {path});
}

}  // namespace bs
