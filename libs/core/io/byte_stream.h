// Bounds-checked little-endian reading from a byte buffer and appending
// writing to one. The reader throws TReadError when the data runs out, so
// that a damaged file can never make a reader run past its end.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/le_bytes.h"

namespace bs {

struct TReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TByteReader {
 public:
  TByteReader(const uint8_t* data, size_t size) : p_(data), end_(data + size), begin_(data) {}

  size_t Remaining() const { return static_cast<size_t>(end_ - p_); }
  size_t Offset() const { return static_cast<size_t>(p_ - begin_); }
  bool AtEnd() const { return p_ == end_; }

  const uint8_t* Take(size_t n) {
    if (n > Remaining()) throw TReadError("unexpected end of data");
    const uint8_t* at = p_;
    p_ += n;
    return at;
  }
  void Skip(size_t n) { Take(n); }
  uint8_t U8() { return *Take(1); }
  int16_t I16() { return le::GetI16(Take(2)); }
  uint32_t U32() { return le::GetU32(Take(4)); }
  int32_t I32() { return le::GetI32(Take(4)); }
  float F32() { return le::GetF32(Take(4)); }
  double F64() { return le::GetF64(Take(8)); }

  // A count of items of at least `itemSize` bytes each that must still fit
  // in the data; anything else means the file is damaged.
  size_t Count(int64_t n, size_t itemSize) {
    if (n < 0) throw TReadError("negative count");
    if (itemSize > 0 && static_cast<uint64_t>(n) > Remaining() / itemSize)
      throw TReadError("count beyond the end of the data");
    return static_cast<size_t>(n);
  }

  // u32 length + bytes.
  std::string StoredString() {
    const size_t n = Count(U32() & 0x7FFFFFFFu, 1);
    const uint8_t* s = Take(n);
    return std::string(reinterpret_cast<const char*>(s), n);
  }
  // Length byte + k character bytes.
  std::string ShortString(size_t k) {
    const uint8_t* s = Take(k + 1);
    const size_t n = std::min<size_t>(s[0], k);
    return std::string(reinterpret_cast<const char*>(s + 1), n);
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  const uint8_t* begin_;
};

class TByteWriter {
 public:
  std::vector<uint8_t>& Bytes() { return buf_; }
  void Reserve(size_t n) { buf_.reserve(n); }
  uint8_t* Grow(size_t n) {
    buf_.resize(buf_.size() + n);
    return buf_.data() + buf_.size() - n;
  }
  void Append(const uint8_t* p, size_t n) { buf_.insert(buf_.end(), p, p + n); }
  void U8(uint8_t v) { buf_.push_back(v); }
  void I32(int32_t v) { le::PutI32(Grow(4), v); }
  void U32(uint32_t v) { le::PutU32(Grow(4), v); }
  void F32(float v) { le::PutF32(Grow(4), v); }
  void F64(double v) { le::PutF64(Grow(8), v); }
  // u32 length + at most the first 255 bytes.
  void StoredString(const std::string& s) {
    const size_t n = std::min<size_t>(s.size(), 255);
    U32(static_cast<uint32_t>(n));
    Append(reinterpret_cast<const uint8_t*>(s.data()), n);
  }
  // Length byte + k bytes, the unused ones zero.
  void ShortString(const std::string& s, size_t k) {
    const size_t n = std::min(s.size(), k);
    uint8_t* p = Grow(k + 1);
    p[0] = static_cast<uint8_t>(n);
    std::copy(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n), p + 1);
    std::fill(p + 1 + n, p + 1 + k, 0);
  }

 private:
  std::vector<uint8_t> buf_;
};

}  // namespace bs
