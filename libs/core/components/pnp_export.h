// The component list with placement coordinates as a text file
// ("Component-Data Export"): the columns in a chosen order, the filters, the
// number formats, the settings kept for it, and a fabrication preset that
// assembly houses read by its column names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "components/components.h"
#include "io/ini_file.h"

namespace bs {

// The columns, by their codes in the settings.
enum class TPnpColumn : int { Number = 1, Id, Value, Layer, Position, Rotation, Package, Comment };

struct TPnpOptions {
  std::vector<TPnpColumn> Columns = {TPnpColumn::Number, TPnpColumn::Id,       TPnpColumn::Value,
                                     TPnpColumn::Layer,  TPnpColumn::Position, TPnpColumn::Rotation};
  char Separator = '\t';  // ',', ';' or tab
  TByteString TopText =
      "\xd8"
      "1";  // "Ш1" in Windows-1251
  TByteString BottomText =
      "\xd8"
      "2";           // "Ш2"
  int Unit = 0;      // 0 millimetres, 1 mil
  int Decimals = 2;  // 0 ... 4
  bool SuppressZeros = false;
  bool RPrefix = false;
  // The filters.
  bool Smd = true, Tht = false, Top = true, Bottom = true, PlacedOnly = false;
  // Coordinates from the zero point ("Use origin in CAM-export"), else from
  // the board's bottom-left corner.
  bool UseOrigin = true;
};

inline constexpr const char* kPnpDefaultTop =
    "\xd8"
    "1";
inline constexpr const char* kPnpDefaultBottom =
    "\xd8"
    "2";

// Section "BT_Export": read with every value checked (codes 1 ... 8 each at
// most once, separator comma, semicolon or tab, decimals 0 ... 4, unit 0 or
// 1; anything else keeps the default); the filters are not kept.
TPnpOptions ReadPnpOptions(const TIniFile& ini);
// Erases the section and writes it again.
void WritePnpOptions(TIniFile& ini, const TPnpOptions& o);

// Whether the filters let the component through.
bool PnpRowPasses(const TListEintrag& e, const TPnpOptions& o);

// One coordinate (units) in the chosen unit and decimals: mm = units /
// 10000, mil = units / 254; "." as decimal point; trailing zeros and then a
// trailing point removed with SuppressZeros.
std::string PnpNumber(double units, const TPnpOptions& o);

// The placement point as written: from the zero point, or from the board's
// bottom-left corner.
TDPoint PnpPosition(TDPoint point, const TPlatine& board, bool useOrigin);

// A field as written: quoted (doubling its quotes) when it holds the
// separator, a double quote, CR or LF.
std::string PnpField(const std::string& field, char separator);

// The rows of the kept components in list order (no line ends).
std::vector<std::string> PnpRows(const std::vector<TListEintrag>& entries, const TPlatine& board, const TPnpOptions& o);

// The whole file in Windows-1251 with CR LF line ends: the comment lines
// (the project's file name and `stamp`, the unit, the column names) and the
// rows.
std::string PnpFileText(const std::vector<TListEintrag>& entries, const TPlatine& board, const TPnpOptions& o,
                        const std::string& projectName, const std::string& stamp);

// The fabrication preset: a header row "Designator,Val,Package,Mid X,Mid
// Y,Rotation,Layer", millimetres, placed components only, comma separator
// with quoting, UTF-8, no comment lines. The rotation is counter-clockwise
// as seen from the top, 0 ... 360, for parts on both sides.
std::string PnpFabricationText(const std::vector<TListEintrag>& entries, const TPlatine& board, bool useOrigin);

// The placement rotation (clockwise on top, as the component's rotation
// counts it) as the counter-clockwise angle seen from the top.
double FabricationRotation(double placeRotation, bool top);

// Writes the text through a temporary file; false with the reason when it
// cannot be written (an existing file is then left as it was).
bool WritePnpFile(const std::string& path, const std::string& text, std::string* reason = nullptr);

}  // namespace bs
