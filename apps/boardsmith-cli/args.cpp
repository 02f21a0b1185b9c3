#include "args.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace bs::cli {

TArgs& TArgs::Flag(const std::string& name) {
  known_[name] = false;
  return *this;
}

TArgs& TArgs::Option(const std::string& name) {
  known_[name] = true;
  return *this;
}

TArgs& TArgs::Repeated(const std::string& name) {
  known_[name] = true;
  repeated_[name] = true;
  return *this;
}

std::string TArgs::Parse(const std::vector<std::string>& args) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-' ||
        (a[1] != '-' && !std::isalpha(static_cast<unsigned char>(a[1])))) {
      positional_.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = a, value;
    bool inlineValue = false;
    if (const size_t eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inlineValue = true;
    }
    auto it = known_.find(name);
    if (it == known_.end()) return "unknown option " + name;
    if (!it->second) {
      if (inlineValue) return "option " + name + " takes no value";
      values_[name] = "";
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) return "option " + name + " needs a value";
      value = args[++i];
    }
    values_[name] = value;
    if (repeated_.count(name)) allValues_[name].push_back(value);
  }
  return {};
}

std::vector<std::string> TArgs::Values(const std::string& name) const {
  auto it = allValues_.find(name);
  return it == allValues_.end() ? std::vector<std::string>{} : it->second;
}

bool TArgs::Has(const std::string& name) const { return values_.count(name) != 0; }

std::optional<std::string> TArgs::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string TArgs::IntValue(const std::string& name, long long lo, long long hi, long long& out) const {
  auto v = Value(name);
  if (!v) return {};
  if (!ParseInt(*v, lo, hi, out))
    return "option " + name + " needs a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
           ", not \"" + *v + "\"";
  return {};
}

bool ParseInt(const std::string& text, long long lo, long long hi, long long& out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool ParseNumber(const std::string& text, double& out) {
  if (text.empty()) return false;
  std::string t = text;
  for (char& c : t)
    if (c == ',') c = '.';
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
  out = v;
  return true;
}

std::string PointOption(const TArgs& a, const std::string& name, double& x, double& y) {
  const auto at = a.Value(name);
  if (!at) return name + " X,Y is required";
  const size_t comma = at->find(',');
  if (comma == std::string::npos || !ParseNumber(at->substr(0, comma), x) || !ParseNumber(at->substr(comma + 1), y))
    return name + " needs X,Y";
  return {};
}

}  // namespace bs::cli
