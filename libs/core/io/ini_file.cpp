#include "io/ini_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

#include "model/atomic_file.h"
#include "model/read_file.h"

namespace bs {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The text before the first CR or LF.
std::string_view FirstLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

TIniFile::TEntry* FindEntry(TIniFile::TSection& s, std::string_view key) {
  for (auto& e : s.Entries)
    if (SameIniName(e.Key, key)) return &e;
  return nullptr;
}

// A whole decimal number within the range of T, with an optional sign.
template <typename T>
std::optional<T> ParseNumber(const std::optional<std::string>& v) {
  if (!v || v->empty()) return std::nullopt;
  const char* first = v->data();
  const char* last = first + v->size();
  if (*first == '+') ++first;  // from_chars takes only '-'
  T value{};
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last) return std::nullopt;
  return value;
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

TIniFile TIniFile::Parse(std::string_view text) {
  TIniFile ini;
  // A byte-order mark would otherwise hide the first section header.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TSection* current = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      const std::string_view name = Trim(line.substr(1, close - 1));
      current = ini.FindSection(name);
      if (!current) current = &ini.sections_.emplace_back(TSection{std::string(name), {}});
      continue;
    }
    const size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty() || FindEntry(*current, key)) continue;
    current->Entries.push_back({std::string(key), std::string(Trim(line.substr(eq + 1)))});
  }
  return ini;
}

std::string TIniFile::Serialize() const {
  std::string out;
  for (const auto& s : sections_) {
    out += '[';
    out += s.Name;
    out += "]\r\n";
    for (const auto& e : s.Entries) {
      out += e.Key;
      out += '=';
      out += e.Value;
      out += "\r\n";
    }
  }
  return out;
}

bool TIniFile::Load(const std::string& path) {
  sections_.clear();
  const TFileBytes read = ReadRegularFile(path);
  if (!read.Ok()) return false;
  const std::string text(read.Bytes.begin(), read.Bytes.end());
  *this = Parse(text);
  return true;
}

bool TIniFile::Save(const std::string& path) const {
  const std::string text = Serialize();
  return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view section) const {
  for (const auto& s : sections_)
    if (SameIniName(s.Name, section)) return &s;
  return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(std::string_view section) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

bool TIniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

bool TIniFile::HasKey(std::string_view section, std::string_view key) const { return Find(section, key).has_value(); }

std::optional<std::string> TIniFile::Find(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const auto& e : s->Entries)
    if (SameIniName(e.Key, key)) return e.Value;
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = Find(section, key);
  return v ? std::move(*v) : std::string(def);
}

int TIniFile::ReadInt(std::string_view section, std::string_view key, int def) const {
  return ParseNumber<int>(Find(section, key)).value_or(def);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  const auto v = ParseNumber<int>(Find(section, key));
  return v ? *v != 0 : def;
}

double TIniFile::ReadDouble(std::string_view section, std::string_view key, double def) const {
  // from_chars also takes "inf" and "nan", which no setting means.
  const auto v = ParseNumber<double>(Find(section, key));
  return v && std::isfinite(*v) ? *v : def;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = FirstLine(value);
  TSection* s = FindSection(section);
  if (!s) s = &sections_.emplace_back(TSection{std::string(section), {}});
  if (TEntry* e = FindEntry(*s, key)) e->Value = value;
  else s->Entries.push_back({std::string(key), std::string(value)});
}

void TIniFile::WriteInt(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteDouble(std::string_view section, std::string_view key, double value) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  WriteString(section, key, ec == std::errc() ? std::string_view(buf, size_t(end - buf)) : "0");
}

void TIniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const TSection& s) { return SameIniName(s.Name, section); });
}

void TIniFile::EraseKey(std::string_view section, std::string_view key) {
  if (TSection* s = FindSection(section))
    std::erase_if(s->Entries, [&](const TEntry& e) { return SameIniName(e.Key, key); });
}

}  // namespace bs
