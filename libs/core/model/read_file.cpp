#include "model/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "model/messages.h"

namespace bs {

TFileBytes ReadRegularFile(const std::string& path, size_t limit) {
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
  if (st.st_size > 0 && static_cast<uint64_t>(st.st_size) <= limit) r.Bytes.reserve(size_t(st.st_size));
  uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
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

std::string ReadFaultMessage(const TFileBytes& read, const std::string& path) {
  return FormatMessage(read.Fault == TReadFault::NotAFile ? msg::kNotARegularFile : msg::kCannotRead, {path});
}

}  // namespace bs
