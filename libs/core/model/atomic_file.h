// Writing a whole file so that an existing one is replaced only by a
// complete new one. Every writer of the program (projects, settings,
// pictures, manufacturing files) goes through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bs {

// Writes bytes to `path` so that an existing file is replaced only by a
// complete new one. On failure `reason`, when given, receives the system's
// reason (no such folder, read-only, no space left, ...).
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason = nullptr);

}  // namespace bs
