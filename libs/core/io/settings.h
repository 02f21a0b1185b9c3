// The settings file: every section and key the editor keeps between runs,
// with its default, read from and written to a TIniFile; the folders of the
// settings and data files; the choice of the user-interface language.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/ini_file.h"
#include "model/types.h"
#include "render/colours.h"

namespace bs {

// ---- folders and files ----

inline constexpr const char* kSettingsFileName = "BOARDSMITH60.INI";
inline constexpr const char* kLanguageFileName = "CPRASHE.INI";
inline constexpr const char* kCustomColoursFileName = "COLORS.DAT";
inline constexpr const char* kDefaultMacroFolderName = "Makros";

// $XDG_CONFIG_HOME/boardsmith, else ~/.config/boardsmith: the settings file
// and the language file. A relative XDG value is ignored, as the XDG rules
// ask.
std::string SettingsFolder();
// $XDG_DATA_HOME/boardsmith, else ~/.local/share/boardsmith: the user colour
// schemes, the custom colours and the default macro root.
std::string DataFolder();
// $XDG_DOCUMENTS_DIR, else ~/Documents when it exists, else the home
// folder; always with a trailing '/'. The default of the remembered folders.
std::string DocumentsFolder();

std::string SettingsFilePath();  // SettingsFolder() + "/BOARDSMITH60.INI"
std::string LanguageFilePath();  // SettingsFolder() + "/CPRASHE.INI"
// "C_USER1.DAT" ... "C_USER3.DAT" in a data folder.
std::string UserSchemePath(const std::string& dataFolder, int scheme);
// The four colour schemes: 0 the standard one, 1 ... 3 from their files.
std::array<TColourScheme, 4> LoadColourSchemes(const std::string& dataFolder);
// Writes user scheme 1 ... 3 to its file in the data folder (creating the
// folder) through a temporary file that replaces the old file only when
// complete. Scheme 0, the fixed standard table, is never written: false.
bool SaveUserScheme(const std::string& dataFolder, int scheme, const TColourScheme& colours);

// The custom colours of the colour picker in "COLORS.DAT": one colour a
// line, its 0x00BBGGRR value in decimal, lines ending in CR LF. Reading is
// lenient: blanks, an optional "name=" before the value and "0x" hex values
// are accepted, unreadable lines and values above 0xFFFFFF are skipped, and
// at most kCustomColourCount colours are taken. A missing file gives none.
inline constexpr int kCustomColourCount = 16;
std::string CustomColoursPath(const std::string& dataFolder);
std::vector<TColour> LoadCustomColours(const std::string& dataFolder);
// Writes at most kCustomColourCount colours, creating the data folder.
bool SaveCustomColours(const std::string& dataFolder, const std::vector<TColour>& colours);

// The configured macro root when that folder exists, else data folder +
// "/Makros".
std::string EffectiveMacroRoot(const std::string& configured, const std::string& dataFolder);

// ---- language ----

// The language of a locale name such as "ru_RU.UTF-8": Russian for "ru...",
// French for "fr...", English for anything else (letters compared without
// case).
TLanguage LanguageFromLocale(std::string_view locale);
// Section "Sprache", key "Sprache" of the language file; a missing key or a
// value other than 0, 1 or 2 gives 0. Without a language file the locale
// decides.
TLanguage ChooseLanguage(const std::optional<TIniFile>& languageFile, std::string_view locale);
// The same for the file at `path`.
TLanguage ReadLanguage(const std::string& path, std::string_view locale);
// Stores the language in the language file at `path` (creating its folder),
// keeping whatever else the file holds. Returns whether it was written.
bool WriteLanguage(const std::string& path, TLanguage language);

// ---- the settings ----

// The 15 tool hotkeys, one character per tool in this order; '_' is no key.
enum TToolHotkey {
  kHotZoom,
  kHotTrack,
  kHotPad,
  kHotSmdPad,
  kHotCircle,
  kHotRectangle,
  kHotZone,
  kHotSpecialForm,
  kHotText,
  kHotConnections,
  kHotAutoroute,
  kHotTest,
  kHotMeasure,
  kHotPhotoview,
  kHotSolderMask,
  kToolHotkeyCount
};
std::string DefaultToolHotkeys(TLanguage language);
// 15 characters, none but '_' used twice.
bool ValidToolHotkeys(std::string_view keys);

// The kinds of file whose dialogs remember a folder, in the order of
// kFolderKeys.
enum TFolderKind { kFolderLayout, kFolderGerber, kFolderBitmap, kFolderTemplate, kFolderHpgl, kFolderKindCount };
inline constexpr std::array<const char*, kFolderKindCount> kFolderKeys{"Layout", "Gerber", "Bitmap", "Vorlage", "PLT"};

struct TPadSizePreset {
  int32_t Outer = 0;
  int32_t Drill = 0;
  friend bool operator==(const TPadSizePreset&, const TPadSizePreset&) = default;
};
struct TSmdSizePreset {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TSmdSizePreset&, const TSmdSizePreset&) = default;
};

inline constexpr int kMaxRecentFiles = 4;

// Grid hotkeys 1 ... 9 as the settings file spells them by default: the
// values of kDefaultGridHotkeys, keys 6 and 8 in other codes (20793754 for
// 79.375 micrometres, 10001005 for 1 mm).
inline constexpr std::array<int32_t, 9> kDefaultStoredGridHotkeys{10002545, 10001275, 10006354, 10031753, 10158752,
                                                                  20793754, 23968753, 10001005, 10000105};

extern const std::vector<int32_t> kDefaultTrackPresets;
extern const std::vector<TPadSizePreset> kDefaultPadPresets;
extern const std::vector<TSmdSizePreset> kDefaultSmdPresets;

// Where the defaults that depend on the machine come from.
struct TSettingsContext {
  std::string DataFolder;                   // the default macro root lies in it
  std::string DocumentsFolder;              // the default of the remembered folders
  TLanguage Language = TLanguage::English;  // the default tool hotkeys
};

// The members carry the names of their keys. Lengths are in units.
struct TSettings {
  struct TWindow {  // [Window]
    bool WindowMax = true;
    int WindowX = 10, WindowY = 10;
    int WindowW = 600, WindowH = 400;
    friend bool operator==(const TWindow&, const TWindow&) = default;
  } Window;

  struct TOptions {  // [Optionen]
    bool AutoSave = false;
    int AutoSaveTime = 300000;  // milliseconds
    int Farbschema = 0;         // colour scheme 0 ... 3
    bool PlatinenZoom = false;
    int Undo = 50;     // undo depth minus one
    int Imax_CU = 35;  // copper thickness, micrometres
    int Imax_DT = 20;  // temperature rise, degrees
    bool Bauteil = true;
    bool BezSichtbarDefault = true;
    bool WertSichtbarDefault = true;
    int BohrlochFarbe = 0;  // drill holes: 0 background, 1 white, 2 black
    bool BlinkTest = true;
    bool TestLuftlinien = false;
    bool SchrifthoeheBegrenzen = false;
    bool BezWertFlip = true;
    bool TracksOptimieren = true;
    bool NullpunktOben = false;
    bool StrgZumFangen = true;
    bool AutoMasseDunkel = true;
    bool AlleAutoMassen = true;
    bool CAM_Nullpunkt = true;
    bool FK_Diagonal = true;
    bool FK_TextBox = true;
    bool FK_TextBig = false;
    bool FK_Transparent = true;
    bool FK_TextBlack = true;
    std::string Hotkeys = DefaultToolHotkeys(TLanguage::English);
    int Transparent = 0;
    bool Fang = true;
    int Gummiband = 0;              // 0 ... 2
    int ExportBitmapDPI = 6;        // picture export resolution / 100 dpi, 1 ... 12
    bool ExportBitmapFarbe = true;  // picture export in colour
    int RasterMarkierung = 4;       // 0, 2, 4, 5 or 10
    bool Punktraster = false;
    bool RasterSichtbar = true;
    int RotWinkel = 450;      // tenths of a degree
    int UserRotWinkel = 225;  // tenths of a degree
    bool MIL = false;
    bool Makro = true;
    int MakroBreite = 176;  // pixels
    int MakroHoehe = 350;   // pixels
    bool DRC = false;
    bool Eigenschaften = false;
    bool Bauteile = false;
    int BauteileBreite = 124;  // pixels
    bool Selector = false;
    friend bool operator==(const TOptions&, const TOptions&) = default;
  } Options;

  struct TToolSizes {  // [Settings]
    int32_t Track = 8000;
    int32_t Circle1 = 18000;  // THT pad outer diameter
    int32_t Circle2 = 6000;   // THT pad drill
    int32_t SMDX = 9000;
    int32_t SMDY = 18000;
    friend bool operator==(const TToolSizes&, const TToolSizes&) = default;
  } Sizes;

  struct TFolder {
    std::string Fixed;  // "Layout" ...; empty: the dialogs remember the last folder
    std::string Last;   // "Layout_Last" ...: the current folder of the kind
    friend bool operator==(const TFolder&, const TFolder&) = default;
  };
  struct TFolders {  // [Ordner]
    std::array<TFolder, kFolderKindCount> Kinds;
    bool EqualDir = true;
    std::string Makro;        // macro root
    std::string MakroOrdner;  // the macro selected at shut-down
    friend bool operator==(const TFolders&, const TFolders&) = default;
  } Folders;

  std::vector<std::string> RecentFiles;                            // [MRU], most recent first
  std::array<int32_t, 9> GridHotkeys = kDefaultStoredGridHotkeys;  // [RasterHotkeys] 1 ... 9
  std::vector<int32_t> TrackPresets = kDefaultTrackPresets;        // [L_POPUP] T0 ...
  std::vector<int32_t> UserGrids;                                  // [R_POPUP] T0 ..., ascending
  std::vector<TPadSizePreset> PadPresets = kDefaultPadPresets;     // [LA_POPUP] S0 ...
  std::vector<TSmdSizePreset> SmdPresets = kDefaultSmdPresets;     // [SMD_POPUP] S0 ...

  // ---- manufacturing output ----
  // The file-name endings of a fresh installation, in the order of the
  // Gerber output files.
  static std::array<std::string, 11> DefaultGerberEndings();
  // The endings board houses expect (.GTL, .GBL, ...).
  static std::array<std::string, 11> CommonGerberEndings();
  struct TGerber {                // [Gerber]
    int LS_Offset_LA = 30;        // solder-mask offset of THT pads, 1/100 mm
    int LS_Offset_SMD = 10;       // ... of SMD pads
    int LS_Offset_Sonstige = 10;  // ... of other elements
    int SMD_Maske_Offset = 0;     // SMD-mask offset, 1/100 mm, may be negative
    // File-name endings in the order of the output files (keys K1, K2, B1,
    // B2, I1, I2, U, LS1, LS2, SMD1, SMD2).
    std::array<std::string, 11> Endings = DefaultGerberEndings();
    friend bool operator==(const TGerber&, const TGerber&) = default;
  } Gerber;

  struct TExcellon {          // [Excellon]
    bool MM32 = false;        // millimetres, format 3.2
    bool MM33 = false;        // millimetres, format 3.3
    bool Zoll = true;         // inch, format 2.4
    bool Zero = false;        // delete leading zeros
    bool Komma = false;       // decimal point
    bool M71 = false;         // M71/M72 instead of METRIC/INCH
    bool Kommentare = false;  // suppress comments
    bool G90 = false;         // suppress G90
    friend bool operator==(const TExcellon&, const TExcellon&) = default;
  } Excellon;

  friend bool operator==(const TSettings&, const TSettings&) = default;
};

// The settings of a missing file.
TSettings DefaultSettings(const TSettingsContext& context);

// Reads every section above; other sections are left to their windows.
// Missing keys give the defaults. Values out of range: the autosave
// interval, the undo depth and the two Imax values are clamped to their
// range, as the options dialog would; choices from a list (scheme, drill
// colour, rubber-band mode, grid marker), non-positive sizes and widths,
// invalid grid codes and invalid hotkey strings fall back to the default.
TSettings ReadSettings(const TIniFile& ini, const TSettingsContext& context);
// Writes every section above into `ini`, keeping its other sections. The
// window position and size are written only when the window is not
// maximised, so that the last normal geometry stays in the file. The recent
// files and the four preset lists replace their whole sections.
void WriteSettings(const TSettings& settings, TIniFile& ini);

// The settings file at `path`: a missing or unreadable file gives the
// defaults.
TSettings LoadSettings(const std::string& path, const TSettingsContext& context);
// Updates the file at `path` (creating its folder), keeping the sections
// of the other windows. Returns whether it was written.
bool SaveSettings(const TSettings& settings, const std::string& path);
// The same, with sections of other parts of the program (the design rule
// check's rules) written by `more` into the same file.
bool SaveSettings(const TSettings& settings, const std::string& path, const std::function<void(TIniFile&)>& more);

}  // namespace bs
