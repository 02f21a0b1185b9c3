// A small reader and writer of settings files made of "[Section]" headers
// and "Key=Value" lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bs {

// The sections and keys keep the order in which they were read or first
// written. Section and key names are looked up without regard to ASCII case;
// an existing name keeps its spelling when its value is replaced. Values are
// kept as bytes, with no conversion of their encoding.
//
// Reading accepts lines ending in LF or CR LF. Blanks and tabs around names
// and values are dropped, as are lines starting with ';' or '#', lines with
// no '=', and keys before the first section. A section or key that appears
// twice is read once: the keys of a repeated section join the first one,
// and the first value of a repeated key counts. Writing ends every line in
// CR LF.
class TIniFile {
 public:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };

  static TIniFile Parse(std::string_view text);
  std::string Serialize() const;

  // Replaces the contents with those of a file. Returns false, leaving the
  // contents empty, when the file cannot be read.
  bool Load(const std::string& path);
  // Writes the whole file through a temporary file that replaces the old one
  // only when complete.
  bool Save(const std::string& path) const;

  const std::vector<TSection>& Sections() const { return sections_; }
  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // A missing key or a value that is not a whole decimal number within the
  // range of int gives `def`.
  int ReadInt(std::string_view section, std::string_view key, int def) const;
  // Stored as an integer: 0 is false, any other number true; a missing key
  // or a value that is no number gives `def`.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // A decimal number with '.' as separator; anything else gives `def`.
  double ReadDouble(std::string_view section, std::string_view key, double def) const;

  // Sets a key, adding the section and key at the end when they are new. A
  // value is stored up to its first line break, which could not be read back.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // The shortest text that reads back as the same double.
  void WriteDouble(std::string_view section, std::string_view key, double value);

  void EraseSection(std::string_view section);
  void EraseKey(std::string_view section, std::string_view key);

 private:
  const TSection* FindSection(std::string_view section) const;
  TSection* FindSection(std::string_view section);

  std::vector<TSection> sections_;
};

// Whether two names are equal when ASCII letters are compared without case.
bool SameIniName(std::string_view a, std::string_view b);

}  // namespace bs
