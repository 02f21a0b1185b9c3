// A small streaming JSON writer for the command line's machine-readable output.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bs::cli {

class TJson {
 public:
  explicit TJson(std::ostream& out) : out_(out) {}

  TJson& BeginObject() { return Open('{'); }
  TJson& EndObject() { return Close('}'); }
  TJson& BeginArray() { return Open('['); }
  TJson& EndArray() { return Close(']'); }
  // The key of the next value inside an object.
  TJson& Key(std::string_view k);
  TJson& String(std::string_view utf8);
  TJson& Int(long long v);
  TJson& Bool(bool v);
  TJson& Float(float v);    // shortest text that reads back as the same float
  TJson& Double(double v);  // the same for doubles; null for NaN and infinities
  TJson& Null();

 private:
  TJson& Open(char c);
  TJson& Close(char c);
  void Separate();
  std::ostream& out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace bs::cli
