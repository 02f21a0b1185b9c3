// Reading a file (or its first bytes) into memory. Only regular files are read: a folder,
// a FIFO or a device is refused without waiting on it, so that opening a
// wrong path never hangs waiting for a writer or reads without end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bs {

enum class TReadFault { None, Missing, NotAFile, Unreadable };

struct TFileBytes {
  std::vector<uint8_t> Bytes;
  TReadFault Fault = TReadFault::None;
  std::string Reason;  // the system's reason when the file could not be read
  bool Ok() const { return Fault == TReadFault::None; }
};

// The bytes of the regular file at `path`, at most `limit` of them (more
// counts as unreadable).
TFileBytes ReadRegularFile(const std::string& path, size_t limit = size_t{1} << 31);
// The first `count` bytes of the regular file at `path` (fewer when it is
// shorter), for a look at a file's header.
TFileBytes ReadRegularFileHead(const std::string& path, size_t count);

// The user's message for a failed read: "… is not a file that can be
// opened." for folders, FIFOs and devices, else "… can not be read.".
std::string ReadFaultMessage(const TFileBytes& read, const std::string& path);

}  // namespace bs
