#include "components/pnp_export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "model/atomic_file.h"
#include "model/codepage.h"
#include "model/placement.h"

namespace bs {

namespace {

constexpr const char* kSection = "BT_Export";
constexpr const char* kNotPlaced = "---";

bool ValidSeparator(int c) { return c == ',' || c == ';' || c == '\t'; }

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  const size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

// The column names of the comment line, in Windows-1251.
std::string ColumnName(TPnpColumn c, char separator) {
  switch (c) {
    case TPnpColumn::Number: return Utf8ToCp1251("\u2116");
    case TPnpColumn::Id: return Utf8ToCp1251("Обозн");
    case TPnpColumn::Value: return Utf8ToCp1251("Номин");
    case TPnpColumn::Layer: return Utf8ToCp1251("Слой");
    case TPnpColumn::Position: return Utf8ToCp1251("Поз-X") + separator + Utf8ToCp1251("Поз-Y");
    case TPnpColumn::Rotation: return Utf8ToCp1251("Угол");
    case TPnpColumn::Package: return Utf8ToCp1251("Корпус");
    case TPnpColumn::Comment: return Utf8ToCp1251("Коммент");
  }
  return {};
}

}  // namespace

TPnpOptions ReadPnpOptions(const TIniFile& ini) {
  TPnpOptions o;
  std::vector<TPnpColumn> columns;
  std::set<int> seen;
  bool valid = true;
  for (int i = 0; i < 8; ++i) {
    const int code = ini.ReadInt(kSection, "R" + std::to_string(i), 0);
    if (code == 0) break;  // the list ends at the first missing key
    if (code < 1 || code > 8 || !seen.insert(code).second) {
      valid = false;
      break;
    }
    columns.push_back(static_cast<TPnpColumn>(code));
  }
  if (valid && !columns.empty()) o.Columns = columns;
  if (const int d = ini.ReadInt(kSection, "Delimiter", o.Separator); ValidSeparator(d)) o.Separator = char(d);
  o.TopText = ini.ReadString(kSection, "LayerTop", o.TopText);
  o.BottomText = ini.ReadString(kSection, "LayerBottom", o.BottomText);
  if (const int u = ini.ReadInt(kSection, "Unit", o.Unit); u == 0 || u == 1) o.Unit = u;
  if (const int d = ini.ReadInt(kSection, "NK", o.Decimals); d >= 0 && d <= 4) o.Decimals = d;
  o.SuppressZeros = ini.ReadBool(kSection, "ZeroDel", o.SuppressZeros);
  o.RPrefix = ini.ReadBool(kSection, "RPrefix", o.RPrefix);
  return o;
}

void WritePnpOptions(TIniFile& ini, const TPnpOptions& o) {
  ini.EraseSection(kSection);
  for (size_t i = 0; i < o.Columns.size(); ++i)
    ini.WriteInt(kSection, "R" + std::to_string(i), static_cast<int>(o.Columns[i]));
  ini.WriteInt(kSection, "Delimiter", static_cast<unsigned char>(o.Separator));
  ini.WriteString(kSection, "LayerTop", o.TopText);
  ini.WriteString(kSection, "LayerBottom", o.BottomText);
  ini.WriteInt(kSection, "Unit", o.Unit);
  ini.WriteInt(kSection, "NK", o.Decimals);
  ini.WriteBool(kSection, "ZeroDel", o.SuppressZeros);
  ini.WriteBool(kSection, "RPrefix", o.RPrefix);
}

bool PnpRowPasses(const TListEintrag& e, const TPnpOptions& o) {
  if (o.PlacedOnly && !e.Placed) return false;
  if (!(e.Smd ? o.Smd : o.Tht)) return false;
  return e.Top ? o.Top : o.Bottom;
}

std::string PnpNumber(double units, const TPnpOptions& o) {
  // Mil: one mil is exactly 254 units.
  const double v = o.Unit == 1 ? units / 254.0 : units / 10000.0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", std::clamp(o.Decimals, 0, 4), v);
  std::string s = buf;
  std::replace(s.begin(), s.end(), ',', '.');
  // A value that rounds to zero is written without a sign.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  if (o.SuppressZeros && s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return Trim(s);
}

TDPoint PnpPosition(TDPoint p, const TPlatine& board, bool useOrigin) {
  if (useOrigin) return {p.X - board.OriginX, p.Y - board.OriginY};
  return {p.X, p.Y + board.Height};
}

std::string PnpField(const std::string& field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) return field;
  std::string q = "\"";
  for (char c : field) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + '"';
}

std::vector<std::string> PnpRows(const std::vector<TListEintrag>& entries, const TPlatine& board,
                                 const TPnpOptions& o) {
  std::vector<std::string> rows;
  const std::string sep(1, o.Separator);
  for (const TListEintrag& e : entries) {
    if (!PnpRowPasses(e, o)) continue;
    std::string row;
    bool first = true;
    auto add = [&](const std::string& field) {
      if (!first) row += sep;
      row += PnpField(field, o.Separator);
      first = false;
    };
    for (TPnpColumn c : o.Columns) {
      switch (c) {
        case TPnpColumn::Number: add(std::to_string(rows.size() + 1)); break;
        case TPnpColumn::Id: add(e.Id); break;
        case TPnpColumn::Value: add(e.Value); break;
        case TPnpColumn::Layer: add(e.Top ? o.TopText : o.BottomText); break;
        case TPnpColumn::Rotation: {
          std::string r = e.Rotation;
          std::replace(r.begin(), r.end(), ',', '.');
          add((o.RPrefix ? "R" : "") + r);
          break;
        }
        case TPnpColumn::Package: add(e.Package); break;
        case TPnpColumn::Comment: add(e.Comment); break;
        case TPnpColumn::Position:
          if (e.Placed && e.Point) {
            const TDPoint p = PnpPosition(*e.Point, board, o.UseOrigin);
            add(PnpNumber(p.X, o));
            add(PnpNumber(p.Y, o));
          } else {
            add(kNotPlaced);
            add(kNotPlaced);
          }
          break;
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string PnpFileText(const std::vector<TListEintrag>& entries, const TPlatine& board, const TPnpOptions& o,
                        const std::string& projectName, const std::string& stamp) {
  const std::string eol = "\r\n";
  std::string text = "* Partlist from file: " + projectName + " / " + stamp + eol + "*" + eol;
  if (std::find(o.Columns.begin(), o.Columns.end(), TPnpColumn::Position) != o.Columns.end())
    text += "* All coordinates in " + (o.Unit == 1 ? std::string("mil") : Utf8ToCp1251("мм  ")) + eol + "*" + eol;
  std::string names;
  for (size_t i = 0; i < o.Columns.size(); ++i) {
    if (i) names += o.Separator;
    names += ColumnName(o.Columns[i], o.Separator);
  }
  text += "* " + names + eol + "*" + eol;
  for (const std::string& row : PnpRows(entries, board, o)) text += row + eol;
  return text;
}

double FabricationRotation(double placeRotation, bool top) {
  // The placement rotation grows clockwise on the top side; on the bottom it
  // grows with a counter-clockwise turn as seen from the top.
  return Normalised360(top ? -placeRotation : placeRotation);
}

std::string PnpFabricationText(const std::vector<TListEintrag>& entries, const TPlatine& board, bool useOrigin) {
  std::string text = "Designator,Val,Package,Mid X,Mid Y,Rotation,Layer\r\n";
  TPnpOptions mm;
  mm.Unit = 0;
  mm.Decimals = 4;
  mm.SuppressZeros = true;
  auto field = [](const TByteString& s) { return PnpField(Cp1251ToUtf8(s), ','); };
  for (const TListEintrag& e : entries) {
    if (!e.Placed || !e.Point) continue;
    const TDPoint p = PnpPosition(*e.Point, board, useOrigin);
    const double rotation = FabricationRotation(std::round(e.PlaceRotation * 10) / 10, e.Top);
    char angle[32];
    std::snprintf(angle, sizeof angle, "%.1f", rotation >= 359.95 ? 0.0 : rotation);
    std::string a = angle;
    if (a.size() > 2 && a.compare(a.size() - 2, 2, ".0") == 0) a.resize(a.size() - 2);
    text += field(e.Id) + "," + field(e.Value) + "," + field(e.Package) + "," + PnpNumber(p.X, mm) + "," +
            PnpNumber(p.Y, mm) + "," + a + "," + (e.Top ? "Top" : "Bottom") + "\r\n";
  }
  return text;
}

bool WritePnpFile(const std::string& path, const std::string& text, std::string* reason) {
  return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()), reason);
}

}  // namespace bs
