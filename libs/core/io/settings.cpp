#include "io/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <utility>

#include "cam/gerber.h"
#include "model/atomic_file.h"
#include "model/le_bytes.h"
#include "model/read_file.h"
#include "render/grid.h"

namespace bs {

namespace fs = std::filesystem;

const std::vector<int32_t> kDefaultTrackPresets{1500, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000};
const std::vector<TPadSizePreset> kDefaultPadPresets{{8000, 4000},   {10000, 5000},  {14000, 8000}, {14000, 10000},
                                                     {16000, 8000},  {16000, 10000}, {20000, 8000}, {20000, 10000},
                                                     {24000, 12000}, {30000, 14000}};
const std::vector<TSmdSizePreset> kDefaultSmdPresets{{3000, 3000},   {5000, 6000},   {6000, 9000},
                                                     {8000, 9000},   {9000, 16000},  {10000, 12000},
                                                     {12000, 17000}, {12000, 27000}, {12000, 32000}};

namespace {

using TOptions = TSettings::TOptions;

// ---- folders ----

std::string HomeFolder() {
  if (const char* h = std::getenv("HOME"); h && *h) return h;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback below the home folder.
std::string XdgFolder(const char* variable, const char* homeFallback) {
  if (const char* x = std::getenv(variable); x && x[0] == '/') return x;
  return HomeFolder() + "/" + homeFallback;
}

std::string WithTrailingSlash(std::string s) {
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

// ---- keys of [Optionen] ----

enum class TCheck {
  None,     // any number
  Clamp,    // clamped to Min ... Max
  InRange,  // outside Min ... Max: the default
  Marker,   // 0, 2, 4, 5 or 10, else the default
};

// One key: a switch (Flag) or a number (Number).
struct TOptionKey {
  const char* Name;
  bool TOptions::*Flag = nullptr;
  int TOptions::*Number = nullptr;
  TCheck Check = TCheck::None;
  int Min = 0;
  int Max = 0;
};

constexpr int kIntMax = 2147483647;

// In the order the file has them; "Hotkeys" follows as text.
const TOptionKey kOptionKeys[] = {
    {"AutoSave", &TOptions::AutoSave},
    // The options dialog edits the interval in minutes, 1 ... 60.
    {"AutoSaveTime", nullptr, &TOptions::AutoSaveTime, TCheck::Clamp, 60000, 3600000},
    {"Farbschema", nullptr, &TOptions::Farbschema, TCheck::InRange, 0, 3},
    {"PlatinenZoom", &TOptions::PlatinenZoom},
    // The dialog stores 0 ... 49; 50 is the default of a new file.
    {"Undo", nullptr, &TOptions::Undo, TCheck::Clamp, 0, 50},
    {"Imax_CU", nullptr, &TOptions::Imax_CU, TCheck::Clamp, 1, 299},
    {"Imax_DT", nullptr, &TOptions::Imax_DT, TCheck::Clamp, 1, 299},
    {"Bauteil", &TOptions::Bauteil},
    {"BezSichtbarDefault", &TOptions::BezSichtbarDefault},
    {"WertSichtbarDefault", &TOptions::WertSichtbarDefault},
    {"BohrlochFarbe", nullptr, &TOptions::BohrlochFarbe, TCheck::InRange, 0, 2},
    {"BlinkTest", &TOptions::BlinkTest},
    {"TestLuftlinien", &TOptions::TestLuftlinien},
    {"SchrifthoeheBegrenzen", &TOptions::SchrifthoeheBegrenzen},
    {"BezWertFlip", &TOptions::BezWertFlip},
    {"TracksOptimieren", &TOptions::TracksOptimieren},
    {"NullpunktOben", &TOptions::NullpunktOben},
    {"StrgZumFangen", &TOptions::StrgZumFangen},
    {"AutoMasseDunkel", &TOptions::AutoMasseDunkel},
    {"AlleAutoMassen", &TOptions::AlleAutoMassen},
    {"CAM_Nullpunkt", &TOptions::CAM_Nullpunkt},
    {"FK_Diagonal", &TOptions::FK_Diagonal},
    {"FK_TextBox", &TOptions::FK_TextBox},
    {"FK_TextBig", &TOptions::FK_TextBig},
    {"FK_Transparent", &TOptions::FK_Transparent},
    {"FK_TextBlack", &TOptions::FK_TextBlack},
    {"Transparent", nullptr, &TOptions::Transparent},
    {"Fang", &TOptions::Fang},
    {"Gummiband", nullptr, &TOptions::Gummiband, TCheck::InRange, 0, 2},
    {"ExportBitmapDPI", nullptr, &TOptions::ExportBitmapDPI, TCheck::InRange, 1, 12},
    {"ExportBitmapFarbe", &TOptions::ExportBitmapFarbe},
    {"RasterMarkierung", nullptr, &TOptions::RasterMarkierung, TCheck::Marker},
    {"Punktraster", &TOptions::Punktraster},
    {"RasterSichtbar", &TOptions::RasterSichtbar},
    {"RotWinkel", nullptr, &TOptions::RotWinkel, TCheck::InRange, 1, 3599},
    {"UserRotWinkel", nullptr, &TOptions::UserRotWinkel, TCheck::InRange, 1, 3599},
    {"MIL", &TOptions::MIL},
    {"Makro", &TOptions::Makro},
    {"MakroBreite", nullptr, &TOptions::MakroBreite, TCheck::InRange, 1, kIntMax},
    {"MakroHoehe", nullptr, &TOptions::MakroHoehe, TCheck::InRange, 1, kIntMax},
    {"DRC", &TOptions::DRC},
    {"Eigenschaften", &TOptions::Eigenschaften},
    {"Bauteile", &TOptions::Bauteile},
    {"BauteileBreite", nullptr, &TOptions::BauteileBreite, TCheck::InRange, 1, kIntMax},
    {"Selector", &TOptions::Selector},
};

int Checked(const TOptionKey& k, int value, int def) {
  switch (k.Check) {
    case TCheck::None: return value;
    case TCheck::Clamp: return std::clamp(value, k.Min, k.Max);
    case TCheck::InRange: return value >= k.Min && value <= k.Max ? value : def;
    case TCheck::Marker: return value == 0 || value == 2 || value == 4 || value == 5 || value == 10 ? value : def;
  }
  return def;
}

// ---- other sections ----

struct TSizeKey {
  const char* Name;
  int32_t TSettings::TToolSizes::*Member;
};
const TSizeKey kSizeKeys[] = {
    {"Track", &TSettings::TToolSizes::Track},     {"Circle1", &TSettings::TToolSizes::Circle1},
    {"Circle2", &TSettings::TToolSizes::Circle2}, {"SMDX", &TSettings::TToolSizes::SMDX},
    {"SMDY", &TSettings::TToolSizes::SMDY},
};

constexpr const char* kPresetPrefix = "%%%";

// A positive value read, or the default.
int Positive(const TIniFile& ini, std::string_view section, std::string_view key, int def) {
  const int v = ini.ReadInt(section, key, def);
  return v > 0 ? v : def;
}

std::optional<int32_t> ParsePositive(std::string_view s) {
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v <= 0) return std::nullopt;
  return v;
}

// "%%%" + a + "x" + b (the prefix may be missing); both numbers positive.
std::optional<std::pair<int32_t, int32_t>> ParseSizePair(std::string_view s) {
  if (s.starts_with(kPresetPrefix)) s.remove_prefix(3);
  const size_t x = s.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const auto a = ParsePositive(s.substr(0, x));
  const auto b = ParsePositive(s.substr(x + 1));
  if (!a || !b) return std::nullopt;
  return std::pair{*a, *b};
}

std::string SizePairText(int32_t a, int32_t b) { return kPresetPrefix + std::to_string(a) + "x" + std::to_string(b); }

// The values of the keys prefix + 0, prefix + 1, ... up to the first
// missing key.
std::vector<std::string> NumberedValues(const TIniFile& ini, std::string_view section, std::string_view prefix) {
  std::vector<std::string> values;
  for (int i = 0;; ++i) {
    auto v = ini.Find(section, std::string(prefix) + std::to_string(i));
    if (!v) break;
    values.push_back(std::move(*v));
  }
  return values;
}

// A preset section, when it exists and holds at least one valid entry,
// replaces the built-in list; invalid entries are skipped.
template <typename T, typename Parse>
void ReadPresets(const TIniFile& ini, std::string_view section, std::string_view prefix, Parse parse,
                 std::vector<T>& list) {
  std::vector<T> read;
  for (const auto& v : NumberedValues(ini, section, prefix))
    if (const std::optional<T> p = parse(v)) read.push_back(*p);
  if (!read.empty()) list = std::move(read);
}

// Replaces a section by the texts under prefix + 0, prefix + 1, ...; an
// empty list leaves no section, so the built-in list returns on reading.
template <typename T, typename Text>
void WritePresets(TIniFile& ini, std::string_view section, std::string_view prefix, const std::vector<T>& list,
                  Text text) {
  ini.EraseSection(section);
  for (size_t i = 0; i < list.size(); ++i)
    ini.WriteString(section, std::string(prefix) + std::to_string(i), text(list[i]));
}

// Saves the file, creating its folder first when needed.
bool SaveCreatingFolder(const TIniFile& ini, const std::string& path) {
  std::error_code ec;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  return ini.Save(path);
}

bool UsableGridCode(int32_t code) {
  const auto mm = DecodeGridValue(code);
  return mm && *mm > 0;
}

}  // namespace

// ---- folders and files ----

std::string SettingsFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config") + "/boardsmith"; }
std::string DataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") + "/boardsmith"; }

std::string DocumentsFolder() {
  if (const char* x = std::getenv("XDG_DOCUMENTS_DIR"); x && x[0] == '/') return WithTrailingSlash(x);
  const std::string home = HomeFolder();
  std::error_code ec;
  if (fs::is_directory(home + "/Documents", ec)) return home + "/Documents/";
  return WithTrailingSlash(home);
}

std::string SettingsFilePath() { return SettingsFolder() + "/" + kSettingsFileName; }
std::string LanguageFilePath() { return SettingsFolder() + "/" + kLanguageFileName; }

std::string UserSchemePath(const std::string& dataFolder, int scheme) {
  return dataFolder + "/C_USER" + std::to_string(scheme) + ".DAT";
}

std::array<TColourScheme, 4> LoadColourSchemes(const std::string& dataFolder) {
  std::array<TColourScheme, 4> schemes;
  for (int i = 1; i < 4; ++i) schemes[i] = ReadColourScheme(UserSchemePath(dataFolder, i));
  return schemes;
}

namespace {

bool MakeFolder(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec);
}

std::string_view TrimLine(std::string_view s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// One line of the custom colour file: decimal, or hex after "0x".
std::optional<TColour> ParseCustomColour(std::string_view line) {
  if (const size_t eq = line.find('='); eq != std::string_view::npos) line.remove_prefix(eq + 1);
  line = TrimLine(line);
  int base = 10;
  if (line.size() > 2 && line[0] == '0' && (line[1] == 'x' || line[1] == 'X')) {
    line.remove_prefix(2);
    base = 16;
  }
  uint32_t v = 0;
  const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), v, base);
  if (line.empty() || ec != std::errc() || end != line.data() + line.size() || v > 0xFFFFFF) return std::nullopt;
  return v;
}

}  // namespace

bool SaveUserScheme(const std::string& dataFolder, int scheme, const TColourScheme& colours) {
  if (scheme < 1 || scheme > 3 || !MakeFolder(dataFolder)) return false;
  std::vector<uint8_t> raw(4 * colours.C.size());
  for (size_t i = 0; i < colours.C.size(); ++i) le::PutU32(raw.data() + 4 * i, colours.C[i]);
  return WriteFileAtomically(UserSchemePath(dataFolder, scheme), raw);
}

std::string CustomColoursPath(const std::string& dataFolder) { return dataFolder + "/" + kCustomColoursFileName; }

std::vector<TColour> LoadCustomColours(const std::string& dataFolder) {
  std::vector<TColour> colours;
  const TFileBytes read = ReadRegularFile(CustomColoursPath(dataFolder), 1 << 20);
  std::istringstream in(std::string(read.Bytes.begin(), read.Bytes.end()));
  for (std::string line; colours.size() < size_t(kCustomColourCount) && std::getline(in, line);)
    if (const auto c = ParseCustomColour(line)) colours.push_back(*c);
  return colours;
}

bool SaveCustomColours(const std::string& dataFolder, const std::vector<TColour>& colours) {
  if (!MakeFolder(dataFolder)) return false;
  std::string text;
  for (size_t i = 0; i < colours.size() && i < size_t(kCustomColourCount); ++i)
    text += std::to_string(colours[i] & 0xFFFFFF) + "\r\n";
  return WriteFileAtomically(CustomColoursPath(dataFolder), std::vector<uint8_t>(text.begin(), text.end()));
}

std::string EffectiveMacroRoot(const std::string& configured, const std::string& dataFolder) {
  std::error_code ec;
  if (!configured.empty() && fs::is_directory(configured, ec)) return configured;
  return dataFolder + "/" + kDefaultMacroFolderName;
}

// ---- language ----

TLanguage LanguageFromLocale(std::string_view locale) {
  const auto startsWith = [&](std::string_view p) { return locale.size() >= 2 && SameIniName(locale.substr(0, 2), p); };
  if (startsWith("ru")) return TLanguage::Russian;
  if (startsWith("fr")) return TLanguage::French;
  return TLanguage::English;
}

TLanguage ChooseLanguage(const std::optional<TIniFile>& languageFile, std::string_view locale) {
  if (!languageFile) return LanguageFromLocale(locale);
  const int v = languageFile->ReadInt("Sprache", "Sprache", 0);
  return v >= 0 && v <= 2 ? TLanguage(v) : TLanguage::Russian;
}

namespace {
// A folder in place of the language file counts as no file: reading it
// would fail with an exception, writing it cannot work.
bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}
}  // namespace

TLanguage ReadLanguage(const std::string& path, std::string_view locale) {
  std::optional<TIniFile> ini;
  if (TIniFile f; !IsFolder(path) && f.Load(path)) ini = std::move(f);
  return ChooseLanguage(ini, locale);
}

bool WriteLanguage(const std::string& path, TLanguage language) {
  if (IsFolder(path)) return false;
  TIniFile ini;
  ini.Load(path);
  ini.WriteInt("Sprache", "Sprache", static_cast<int>(language));
  return SaveCreatingFolder(ini, path);
}

// ---- hotkeys ----

std::string DefaultToolHotkeys(TLanguage language) {
  return language == TLanguage::English ? "ZTPSRQFNLCAXMVO" : "ZLPSRQFNTCAXMVO";
}

bool ValidToolHotkeys(std::string_view keys) {
  if (keys.size() != kToolHotkeyCount) return false;
  for (size_t i = 0; i < keys.size(); ++i) {
    const unsigned char c = keys[i];
    if (c <= ' ' || c >= 0x7F) return false;
    if (c != '_' && keys.find(char(c), i + 1) != std::string_view::npos) return false;
  }
  return true;
}

// ---- the settings ----

namespace {
// The keys of section "Excellon".
constexpr std::pair<const char*, bool TSettings::TExcellon::*> kExcellonKeys[] = {
    {"MM32", &TSettings::TExcellon::MM32},
    {"MM33", &TSettings::TExcellon::MM33},
    {"Zoll", &TSettings::TExcellon::Zoll},
    {"Zero", &TSettings::TExcellon::Zero},
    {"Komma", &TSettings::TExcellon::Komma},
    {"M71", &TSettings::TExcellon::M71},
    {"Kommentare", &TSettings::TExcellon::Kommentare},
    {"G90", &TSettings::TExcellon::G90},
};
}  // namespace

static_assert(kGerberOutputCount == 11, "one file-name ending per Gerber output");

std::array<std::string, 11> TSettings::DefaultGerberEndings() {
  std::array<std::string, 11> endings;
  for (size_t i = 0; i < endings.size(); ++i) endings[i] = kGerberOutputs[i].DefaultEnding;
  return endings;
}

std::array<std::string, 11> TSettings::CommonGerberEndings() {
  std::array<std::string, 11> endings;
  for (size_t i = 0; i < endings.size(); ++i) endings[i] = kGerberOutputs[i].CommonEnding;
  return endings;
}

TSettings DefaultSettings(const TSettingsContext& context) {
  TSettings s;
  s.Options.Hotkeys = DefaultToolHotkeys(context.Language);
  for (auto& f : s.Folders.Kinds) f.Last = context.DocumentsFolder;
  s.Folders.Makro = context.DataFolder + "/" + kDefaultMacroFolderName;
  return s;
}

TSettings ReadSettings(const TIniFile& ini, const TSettingsContext& context) {
  TSettings s = DefaultSettings(context);

  auto& w = s.Window;
  w.WindowMax = ini.ReadBool("Window", "WindowMax", w.WindowMax);
  w.WindowX = ini.ReadInt("Window", "WindowX", w.WindowX);
  w.WindowY = ini.ReadInt("Window", "WindowY", w.WindowY);
  w.WindowW = Positive(ini, "Window", "WindowW", w.WindowW);
  w.WindowH = Positive(ini, "Window", "WindowH", w.WindowH);

  auto& o = s.Options;
  for (const TOptionKey& k : kOptionKeys) {
    if (k.Flag) o.*k.Flag = ini.ReadBool("Optionen", k.Name, o.*k.Flag);
    else o.*k.Number = Checked(k, ini.ReadInt("Optionen", k.Name, o.*k.Number), o.*k.Number);
  }
  if (std::string keys = ini.ReadString("Optionen", "Hotkeys", ""); ValidToolHotkeys(keys)) o.Hotkeys = keys;

  for (const TSizeKey& k : kSizeKeys) s.Sizes.*k.Member = Positive(ini, "Settings", k.Name, s.Sizes.*k.Member);

  auto& f = s.Folders;
  for (int i = 0; i < kFolderKindCount; ++i) {
    auto& kind = f.Kinds[i];
    kind.Fixed = ini.ReadString("Ordner", kFolderKeys[i], "");
    // A fixed folder is where the dialogs of its kind start; the remembered
    // one counts only without it.
    kind.Last =
        kind.Fixed.empty() ? ini.ReadString("Ordner", std::string(kFolderKeys[i]) + "_Last", kind.Last) : kind.Fixed;
  }
  f.EqualDir = ini.ReadBool("Ordner", "EqualDir", f.EqualDir);
  if (std::string root = ini.ReadString("Ordner", "Makro", ""); !root.empty()) f.Makro = root;
  f.MakroOrdner = ini.ReadString("Ordner", "MakroOrdner", "");

  // Each recent file is added to the front of the list, from MRU3 down to
  // MRU0, so MRU0 ends up first; a file added again moves to the front.
  for (int i = kMaxRecentFiles - 1; i >= 0; --i) {
    const std::string path = ini.ReadString("MRU", "MRU" + std::to_string(i), "");
    if (path.empty()) continue;
    std::erase(s.RecentFiles, path);
    s.RecentFiles.insert(s.RecentFiles.begin(), path);
  }

  for (int i = 0; i < 9; ++i) {
    const int code = ini.ReadInt("RasterHotkeys", std::to_string(i + 1), s.GridHotkeys[i]);
    if (UsableGridCode(code)) s.GridHotkeys[i] = code;
  }

  ReadPresets<int32_t>(ini, "L_POPUP", "T", ParsePositive, s.TrackPresets);
  // User grids keep ascending order without equal values, as the grid dialog
  // inserts them.
  for (const auto& v : NumberedValues(ini, "R_POPUP", "T")) {
    const auto code = ParsePositive(v);
    if (code && UsableGridCode(*code) && UserGridRangeError(*DecodeGridValue(*code)).empty())
      InsertUserGrid(s.UserGrids, *code);
  }
  ReadPresets<TPadSizePreset>(
      ini, "LA_POPUP", "S",
      [](std::string_view v) -> std::optional<TPadSizePreset> {
        const auto p = ParseSizePair(v);
        return p ? std::optional(TPadSizePreset{p->first, p->second}) : std::nullopt;
      },
      s.PadPresets);
  ReadPresets<TSmdSizePreset>(
      ini, "SMD_POPUP", "S",
      [](std::string_view v) -> std::optional<TSmdSizePreset> {
        const auto p = ParseSizePair(v);
        return p ? std::optional(TSmdSizePreset{p->first, p->second}) : std::nullopt;
      },
      s.SmdPresets);

  // Manufacturing output: offsets in 1/100 mm within the ranges of their
  // fields, file-name endings, Excellon choices.
  auto& g = s.Gerber;
  const auto offset = [&](const char* key, int def, int lo) {
    const int v = ini.ReadInt("Gerber", key, def);
    return v < lo || v > 999 ? def : v;
  };
  g.LS_Offset_LA = offset("LS_Offset_LA", g.LS_Offset_LA, 0);
  g.LS_Offset_SMD = offset("LS_Offset_SMD", g.LS_Offset_SMD, 0);
  g.LS_Offset_Sonstige = offset("LS_Offset_Sonstige", g.LS_Offset_Sonstige, 0);
  g.SMD_Maske_Offset = offset("SMD_Maske_Offset", g.SMD_Maske_Offset, -999);
  for (size_t i = 0; i < g.Endings.size(); ++i)
    g.Endings[i] = ini.ReadString("Gerber", kGerberOutputs[i].Key, g.Endings[i]);
  auto& x = s.Excellon;
  for (auto [key, member] : kExcellonKeys) x.*member = ini.ReadBool("Excellon", key, x.*member);
  // The three formats are one choice.
  if (int(x.MM32) + int(x.MM33) + int(x.Zoll) != 1) {
    const bool mm32 = x.MM32, mm33 = !mm32 && x.MM33;
    x.MM32 = mm32;
    x.MM33 = mm33;
    x.Zoll = !mm32 && !mm33;
  }
  return s;
}

void WriteSettings(const TSettings& s, TIniFile& ini) {
  const auto& w = s.Window;
  ini.WriteBool("Window", "WindowMax", w.WindowMax);
  if (!w.WindowMax) {
    ini.WriteInt("Window", "WindowX", w.WindowX);
    ini.WriteInt("Window", "WindowY", w.WindowY);
    ini.WriteInt("Window", "WindowW", w.WindowW);
    ini.WriteInt("Window", "WindowH", w.WindowH);
  }

  for (const TOptionKey& k : kOptionKeys) {
    if (k.Flag) ini.WriteBool("Optionen", k.Name, s.Options.*k.Flag);
    else ini.WriteInt("Optionen", k.Name, s.Options.*k.Number);
  }
  ini.WriteString("Optionen", "Hotkeys", s.Options.Hotkeys);

  for (const TSizeKey& k : kSizeKeys) ini.WriteInt("Settings", k.Name, s.Sizes.*k.Member);

  for (int i = 0; i < kFolderKindCount; ++i) {
    ini.WriteString("Ordner", kFolderKeys[i], s.Folders.Kinds[i].Fixed);
    ini.WriteString("Ordner", std::string(kFolderKeys[i]) + "_Last", s.Folders.Kinds[i].Last);
  }
  ini.WriteBool("Ordner", "EqualDir", s.Folders.EqualDir);
  ini.WriteString("Ordner", "Makro", s.Folders.Makro);
  ini.WriteString("Ordner", "MakroOrdner", s.Folders.MakroOrdner);

  ini.EraseSection("MRU");
  for (size_t i = 0; i < s.RecentFiles.size(); ++i) ini.WriteString("MRU", "MRU" + std::to_string(i), s.RecentFiles[i]);

  for (int i = 0; i < 9; ++i) ini.WriteInt("RasterHotkeys", std::to_string(i + 1), s.GridHotkeys[i]);

  const auto number = [](int32_t v) { return std::to_string(v); };
  WritePresets(ini, "L_POPUP", "T", s.TrackPresets, number);
  WritePresets(ini, "R_POPUP", "T", s.UserGrids, number);
  WritePresets(ini, "LA_POPUP", "S", s.PadPresets,
               [](const TPadSizePreset& p) { return SizePairText(p.Outer, p.Drill); });
  WritePresets(ini, "SMD_POPUP", "S", s.SmdPresets,
               [](const TSmdSizePreset& p) { return SizePairText(p.Width, p.Height); });

  const auto& g = s.Gerber;
  ini.WriteInt("Gerber", "LS_Offset_LA", g.LS_Offset_LA);
  ini.WriteInt("Gerber", "LS_Offset_SMD", g.LS_Offset_SMD);
  ini.WriteInt("Gerber", "LS_Offset_Sonstige", g.LS_Offset_Sonstige);
  ini.WriteInt("Gerber", "SMD_Maske_Offset", g.SMD_Maske_Offset);
  for (size_t i = 0; i < g.Endings.size(); ++i) ini.WriteString("Gerber", kGerberOutputs[i].Key, g.Endings[i]);
  for (auto [key, member] : kExcellonKeys) ini.WriteBool("Excellon", key, s.Excellon.*member);
}

TSettings LoadSettings(const std::string& path, const TSettingsContext& context) {
  TIniFile ini;
  ini.Load(path);  // a missing file reads as an empty one
  return ReadSettings(ini, context);
}

bool SaveSettings(const TSettings& settings, const std::string& path) { return SaveSettings(settings, path, {}); }

bool SaveSettings(const TSettings& settings, const std::string& path, const std::function<void(TIniFile&)>& more) {
  TIniFile ini;
  ini.Load(path);
  WriteSettings(settings, ini);
  if (more) more(ini);
  return SaveCreatingFolder(ini, path);
}

}  // namespace bs
