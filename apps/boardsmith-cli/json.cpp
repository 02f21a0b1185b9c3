#include "json.h"

#include <cmath>
#include <cstdio>

namespace bs::cli {

void TJson::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ << ',';
    first_.back() = false;
  }
}

TJson& TJson::Open(char c) {
  Separate();
  out_ << c;
  first_.push_back(true);
  return *this;
}

TJson& TJson::Close(char c) {
  out_ << c;
  first_.pop_back();
  if (first_.empty()) out_ << '\n';
  return *this;
}

TJson& TJson::Key(std::string_view k) {
  String(k);
  out_ << ':';
  afterKey_ = true;
  return *this;
}

TJson& TJson::String(std::string_view s) {
  Separate();
  out_ << '"';
  for (unsigned char c : s) {
    switch (c) {
      case '"': out_ << "\\\""; break;
      case '\\': out_ << "\\\\"; break;
      case '\n': out_ << "\\n"; break;
      case '\r': out_ << "\\r"; break;
      case '\t': out_ << "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out_ << buf;
        } else {
          out_ << static_cast<char>(c);
        }
    }
  }
  out_ << '"';
  return *this;
}

TJson& TJson::Int(long long v) {
  Separate();
  out_ << v;
  return *this;
}

TJson& TJson::Bool(bool v) {
  Separate();
  out_ << (v ? "true" : "false");
  return *this;
}

TJson& TJson::Null() {
  Separate();
  out_ << "null";
  return *this;
}

TJson& TJson::Float(float v) {
  if (!std::isfinite(v)) return Null();
  Separate();
  char buf[32];
  for (int prec = 6; prec <= 9; ++prec) {
    std::snprintf(buf, sizeof buf, "%.*g", prec, static_cast<double>(v));
    if (std::strtof(buf, nullptr) == v) break;
  }
  out_ << buf;
  return *this;
}

TJson& TJson::Double(double v) {
  if (!std::isfinite(v)) return Null();
  Separate();
  char buf[40];
  for (int prec = 15; prec <= 17; ++prec) {
    std::snprintf(buf, sizeof buf, "%.*g", prec, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  out_ << buf;
  return *this;
}

}  // namespace bs::cli
