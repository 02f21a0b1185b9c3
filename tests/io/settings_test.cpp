#include "io/settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "io/ini_file.h"
#include "render/grid.h"

namespace bs {
namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("bs_settings_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

std::string FileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets an environment variable for the life of the object; nullptr unsets it.
class TEnvGuard {
 public:
  TEnvGuard(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~TEnvGuard() {
    if (old_) ::setenv(name_.c_str(), old_->c_str(), 1);
    else ::unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// ---- the INI file ----

TEST(IniFile, ReadsLinesEndingInLfOrCrLf) {
  const char* texts[] = {
      "[A]\nx=1\ny = two words \n[B]\nz=3\n",
      "[A]\r\nx=1\r\ny = two words \r\n[B]\r\nz=3\r\n",
      "\xEF\xBB\xBF[A]\r\nx=1\ny=two words\r\n\r\n; note\n# note\nno equals sign\n[ B ]\nz=3",
      "stray=0\n[A]\nx=1\nx=9\ny=two words\n[B]\nz=3\n[A]\ny=ignored\n",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const TIniFile ini = TIniFile::Parse(text);
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].Name, "A");
    EXPECT_EQ(ini.Sections()[1].Name, "B");
    EXPECT_EQ(ini.Sections()[0].Entries.size(), 2u);
    EXPECT_EQ(ini.ReadString("A", "x", "?"), "1");
    EXPECT_EQ(ini.ReadString("A", "y", "?"), "two words");
    EXPECT_EQ(ini.ReadString("B", "z", "?"), "3");
    EXPECT_FALSE(ini.HasKey("", "stray"));
  }
}

TEST(IniFile, LooksUpSectionsAndKeysWithoutCase) {
  const TIniFile ini = TIniFile::Parse("[Optionen]\r\nAutoSaveTime=5\r\n");
  const std::pair<const char*, const char*> spellings[] = {
      {"Optionen", "AutoSaveTime"}, {"OPTIONEN", "autosavetime"}, {"optionen", "AUTOSAVETIME"}};
  for (const auto& [section, key] : spellings) {
    SCOPED_TRACE(std::string(section) + "/" + key);
    EXPECT_TRUE(ini.HasSection(section));
    EXPECT_EQ(ini.ReadInt(section, key, 0), 5);
  }
  EXPECT_FALSE(ini.HasKey("Optionen", "AutoSave"));
  EXPECT_FALSE(ini.HasKey("Optionen ", "AutoSaveTime"));

  // Writing under another spelling replaces the value and keeps the name.
  TIniFile copy = ini;
  copy.WriteInt("OPTIONEN", "autosavetime", 7);
  EXPECT_EQ(copy.Serialize(), "[Optionen]\r\nAutoSaveTime=7\r\n");
}

TEST(IniFile, NumbersFallBackToTheDefault) {
  struct Case {
    const char* Text;  // nullptr: the key is missing
    int Int;
    bool Bool;
    double Double;
  };
  // Defaults: 42, true, 0.25.
  const Case cases[] = {
      {nullptr, 42, true, 0.25},
      {"", 42, true, 0.25},
      {"0", 0, false, 0},
      {"1", 1, true, 1},
      {"2", 2, true, 2},
      {"-17", -17, true, -17},
      {"+8", 8, true, 8},
      {"abc", 42, true, 0.25},
      {"12x", 42, true, 0.25},
      {"0x10", 42, true, 0.25},
      {"2147483647", 2147483647, true, 2147483647.0},
      {"2147483648", 42, true, 2147483648.0},
      {"1.5", 42, true, 1.5},
      {"-2.5e-3", 42, true, -0.0025},
      {"1,5", 42, true, 0.25},
      {"nan", 42, true, 0.25},
      {"inf", 42, true, 0.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text ? c.Text : "(missing)");
    TIniFile ini;
    if (c.Text) ini.WriteString("S", "k", c.Text);
    EXPECT_EQ(ini.ReadInt("S", "k", 42), c.Int);
    EXPECT_EQ(ini.ReadBool("S", "k", true), c.Bool);
    EXPECT_DOUBLE_EQ(ini.ReadDouble("S", "k", 0.25), c.Double);
  }
  // A false default shows that a non-number gives the default, not true.
  EXPECT_FALSE(TIniFile::Parse("[S]\nk=yes\n").ReadBool("S", "k", false));
}

TEST(IniFile, WritesCrLfInFirstWrittenOrder) {
  TIniFile ini;
  ini.WriteBool("Window", "WindowMax", true);
  ini.WriteInt("Optionen", "Undo", 9);
  ini.WriteDouble("Optionen", "Scale", 0.1);
  ini.WriteString("Window", "Name", "two\r\nlines");
  ini.WriteBool("Window", "WindowMax", false);
  EXPECT_EQ(ini.Serialize(),
            "[Window]\r\nWindowMax=0\r\nName=two\r\n"
            "[Optionen]\r\nUndo=9\r\nScale=0.1\r\n");
  EXPECT_EQ(TIniFile::Parse(ini.Serialize()).ReadDouble("Optionen", "Scale", 0), 0.1);
}

TEST(IniFile, ErasesSectionsAndKeys) {
  TIniFile ini = TIniFile::Parse("[A]\nk=1\nm=2\n[mru]\nMRU0=x\n[B]\nk=3\n");
  ini.EraseSection("MRU");
  ini.EraseKey("a", "K");
  ini.EraseKey("missing", "k");
  EXPECT_EQ(ini.Serialize(), "[A]\r\nm=2\r\n[B]\r\nk=3\r\n");
  ini.WriteString("MRU", "MRU0", "y");  // a rewritten section goes to the end
  EXPECT_EQ(ini.Serialize(), "[A]\r\nm=2\r\n[B]\r\nk=3\r\n[MRU]\r\nMRU0=y\r\n");
}

TEST(IniFile, SavesAndLoadsBytesUnchanged) {
  TempDir dir;
  const fs::path file = dir.path / "a.ini";
  TIniFile ini;
  EXPECT_FALSE(ini.Load(file.string()));
  EXPECT_TRUE(ini.Sections().empty());

  const std::string cp1251 = "\xCF\xEB\xE0\xF2\xE0 1";  // "Плата 1" in Windows-1251
  ini.WriteString("Ordner", "Layout", "/home/u/" + cp1251);
  ASSERT_TRUE(ini.Save(file.string()));
  EXPECT_EQ(FileBytes(file), "[Ordner]\r\nLayout=/home/u/" + cp1251 + "\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);  // no temporary left

  TIniFile back = TIniFile::Parse("[Old]\nk=1\n");
  ASSERT_TRUE(back.Load(file.string()));
  EXPECT_FALSE(back.HasSection("Old"));
  EXPECT_EQ(back.ReadString("ordner", "layout", ""), "/home/u/" + cp1251);
  EXPECT_FALSE(ini.Save((dir.path / "no" / "such" / "folder.ini").string()));
}

// A folder where the settings file should be reads as no file, not as an
// exception that would stop the program at start-up.
TEST(IniFile, AFolderInPlaceOfTheFileReadsAsNoFile) {
  TempDir dir;
  const fs::path folder = dir.path / "BOARDSMITH60.INI";
  fs::create_directories(folder);
  TIniFile ini = TIniFile::Parse("[Old]\nk=1\n");
  EXPECT_FALSE(ini.Load(folder.string()));
  EXPECT_TRUE(ini.Sections().empty());
  const TSettings s = LoadSettings(folder.string(), TSettingsContext{});
  EXPECT_EQ(s.Options.Undo, TSettings{}.Options.Undo);
}

// ---- the settings ----

const TSettingsContext kContext{"/data/bs", "/home/u/Documents/", TLanguage::English};

TSettings ReadText(const std::string& text, const TSettingsContext& context = kContext) {
  return ReadSettings(TIniFile::Parse(text), context);
}

std::string WrittenText(const TSettings& s) {
  TIniFile ini;
  WriteSettings(s, ini);
  return ini.Serialize();
}

// Every member differs from its default.
TSettings ChangedSettings() {
  TSettings s = DefaultSettings(kContext);
  s.Window = {false, -20, 30, 1024, 768};
  auto& o = s.Options;
  for (bool* b : {&o.AutoSave,
                  &o.PlatinenZoom,
                  &o.Bauteil,
                  &o.BezSichtbarDefault,
                  &o.WertSichtbarDefault,
                  &o.BlinkTest,
                  &o.TestLuftlinien,
                  &o.SchrifthoeheBegrenzen,
                  &o.BezWertFlip,
                  &o.TracksOptimieren,
                  &o.NullpunktOben,
                  &o.StrgZumFangen,
                  &o.AutoMasseDunkel,
                  &o.AlleAutoMassen,
                  &o.CAM_Nullpunkt,
                  &o.FK_Diagonal,
                  &o.FK_TextBox,
                  &o.FK_TextBig,
                  &o.FK_Transparent,
                  &o.FK_TextBlack,
                  &o.Fang,
                  &o.Punktraster,
                  &o.RasterSichtbar,
                  &o.MIL,
                  &o.Makro,
                  &o.DRC,
                  &o.Eigenschaften,
                  &o.Bauteile,
                  &o.Selector})
    *b = !*b;
  o.AutoSaveTime = 120000;
  o.Farbschema = 3;
  o.Undo = 9;
  o.Imax_CU = 70;
  o.Imax_DT = 10;
  o.BohrlochFarbe = 2;
  o.Hotkeys = "ZT_SRQ_NLCAXMVO";
  o.Transparent = 1;
  o.Gummiband = 2;
  o.RasterMarkierung = 10;
  o.RotWinkel = 900;
  o.UserRotWinkel = 150;
  o.MakroBreite = 200;
  o.MakroHoehe = 300;
  o.BauteileBreite = 150;
  s.Sizes = {2500, 20000, 8000, 6000, 12000};
  for (int i = 0; i < kFolderKindCount; ++i) s.Folders.Kinds[i].Last = "/last/" + std::to_string(i) + "/";
  s.Folders.Kinds[kFolderGerber] = {"/fixed/gerber/", "/fixed/gerber/"};
  s.Folders.EqualDir = false;
  s.Folders.Makro = "/macros";
  s.Folders.MakroOrdner = "/macros/ic/dil8.bmk";
  s.RecentFiles = {"/b/one.bsm6", "/b/two.bsm6", "/b/three.bsm6"};
  s.GridHotkeys[0] = 10000505;
  s.GridHotkeys[8] = 30500004;
  s.TrackPresets = {1000, 2500};
  s.UserGrids = {10000015, 10000256};
  s.PadPresets = {{12000, 6000}};
  s.SmdPresets = {{4000, 4000}, {6000, 3000}};
  return s;
}

TEST(Settings, WriteThenReadGivesTheSameSettings) {
  for (TLanguage lang : {TLanguage::Russian, TLanguage::English, TLanguage::French}) {
    TSettingsContext context = kContext;
    context.Language = lang;
    const TSettings defaults = DefaultSettings(context);
    EXPECT_EQ(ReadText(WrittenText(defaults), context), defaults) << int(lang);
    EXPECT_EQ(ReadText("", context), defaults) << int(lang);
  }
  const TSettings changed = ChangedSettings();
  EXPECT_EQ(ReadText(WrittenText(changed)), changed);
}

TEST(Settings, DefaultsAreStoredUnderTheirNames) {
  const TIniFile ini = TIniFile::Parse(WrittenText(DefaultSettings(kContext)));
  struct Case {
    const char* Section;
    const char* Key;
    const char* Value;
  };
  const Case cases[] = {
      {"Window", "WindowMax", "1"},
      {"Optionen", "AutoSaveTime", "300000"},
      {"Optionen", "Undo", "50"},
      {"Optionen", "Imax_CU", "35"},
      {"Optionen", "Imax_DT", "20"},
      {"Optionen", "CAM_Nullpunkt", "1"},
      {"Optionen", "FK_TextBig", "0"},
      {"Optionen", "RasterMarkierung", "4"},
      {"Optionen", "RotWinkel", "450"},
      {"Optionen", "UserRotWinkel", "225"},
      {"Optionen", "MakroBreite", "176"},
      {"Optionen", "MakroHoehe", "350"},
      {"Optionen", "BauteileBreite", "124"},
      {"Optionen", "Hotkeys", "ZTPSRQFNLCAXMVO"},
      {"Settings", "Track", "8000"},
      {"Settings", "Circle1", "18000"},
      {"Settings", "Circle2", "6000"},
      {"Settings", "SMDX", "9000"},
      {"Settings", "SMDY", "18000"},
      {"Ordner", "Layout", ""},
      {"Ordner", "PLT_Last", "/home/u/Documents/"},
      {"Ordner", "Vorlage_Last", "/home/u/Documents/"},
      {"Ordner", "EqualDir", "1"},
      {"Ordner", "Makro", "/data/bs/Makros"},
      {"Ordner", "MakroOrdner", ""},
      {"RasterHotkeys", "1", "10002545"},
      {"RasterHotkeys", "6", "20793754"},
      {"RasterHotkeys", "8", "10001005"},
      {"RasterHotkeys", "9", "10000105"},
      {"L_POPUP", "T0", "1500"},
      {"L_POPUP", "T8", "14000"},
      {"LA_POPUP", "S0", "%%%8000x4000"},
      {"LA_POPUP", "S9", "%%%30000x14000"},
      {"SMD_POPUP", "S0", "%%%3000x3000"},
      {"SMD_POPUP", "S8", "%%%12000x32000"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.Find(c.Section, c.Key), c.Value) << c.Section << "/" << c.Key;
  // Not written: the normal geometry of a maximised window, empty lists,
  // and entries past the end of a list.
  for (const auto& [section, key] : std::initializer_list<std::pair<const char*, const char*>>{{"Window", "WindowX"},
                                                                                               {"Window", "WindowH"},
                                                                                               {"MRU", "MRU0"},
                                                                                               {"R_POPUP", "T0"},
                                                                                               {"L_POPUP", "T9"},
                                                                                               {"LA_POPUP", "S10"},
                                                                                               {"SMD_POPUP", "S9"}})
    EXPECT_FALSE(ini.HasKey(section, key)) << section << "/" << key;
  EXPECT_EQ(ini.Sections().front().Name, "Window");
}

TEST(Settings, StoredGridHotkeysHaveTheBuiltInValues) {
  for (size_t i = 0; i < kDefaultStoredGridHotkeys.size(); ++i)
    EXPECT_DOUBLE_EQ(DecodeGridValue(kDefaultStoredGridHotkeys[i]).value_or(-1),
                     DecodeGridValue(kDefaultGridHotkeys[i]).value_or(-2))
        << "key " << i + 1;
  EXPECT_EQ(GridUnitsFromCode(ReadText("[RasterHotkeys]\n3=10006354\n").GridHotkeys[2]), 6350);
}

TEST(Settings, GarbageAndOutOfRangeValuesGiveDefaults) {
  const std::pair<const char*, const char*> cases[] = {
      {"Window", "WindowMax=yes"},
      {"Window", "WindowW=0"},
      {"Window", "WindowH=-5"},
      {"Window", "WindowX=left"},
      {"Optionen", "AutoSave=on"},
      {"Optionen", "Farbschema=4"},
      {"Optionen", "Farbschema=-1"},
      {"Optionen", "Undo=many"},
      {"Optionen", "BohrlochFarbe=3"},
      {"Optionen", "Gummiband=7"},
      {"Optionen", "RasterMarkierung=3"},
      {"Optionen", "RasterMarkierung=20"},
      {"Optionen", "RotWinkel=0"},
      {"Optionen", "UserRotWinkel=3600"},
      {"Optionen", "MakroBreite=0"},
      {"Optionen", "BauteileBreite=-1"},
      {"Optionen", "Hotkeys=ZTPS"},
      {"Optionen", "Hotkeys=ZZPSRQFNLCAXMVO"},
      {"Optionen", "Hotkeys=ZTPSRQFNLCAXM O"},
      {"Settings", "Track=0"},
      {"Settings", "Circle2=1.5"},
      {"Settings", "SMDY=-9000"},
      {"Ordner", "EqualDir=x"},
      {"Ordner", "Makro="},
      {"RasterHotkeys", "1=12345"},
      {"RasterHotkeys", "2=10000000"},
      {"RasterHotkeys", "3=10002549"},
      {"RasterHotkeys", "4=40002545"},
      {"L_POPUP", "T0=wide"},
      {"L_POPUP", "T0=-100"},
      {"LA_POPUP", "S0=%%%8000"},
      {"LA_POPUP", "S0=%%%8000x0"},
      {"SMD_POPUP", "S0=%%%x3000"},
      {"SMD_POPUP", "S0=%%%3000x3000x1"},
      {"R_POPUP", "T0=10000000"},
      {"R_POPUP", "T0=20000056"},  // 0 and 0.0005 mm
      {"R_POPUP", "T0=10000110"},
      {"MRU", "MRU0="},  // 11 mm
      {"MRU", "MRU4=/too/far.bsm6"},
  };
  const TSettings defaults = DefaultSettings(kContext);
  for (const auto& [section, line] : cases) {
    const std::string text = "[" + std::string(section) + "]\r\n" + line + "\r\n";
    EXPECT_EQ(ReadText(text), defaults) << text;
  }
}

TEST(Settings, RangesAreClamped) {
  struct Case {
    const char* Line;
    int TSettings::TOptions::*Member;
    int Expected;
  };
  const Case cases[] = {
      {"AutoSaveTime=1000", &TSettings::TOptions::AutoSaveTime, 60000},
      {"AutoSaveTime=99999999", &TSettings::TOptions::AutoSaveTime, 3600000},
      {"AutoSaveTime=600000", &TSettings::TOptions::AutoSaveTime, 600000},
      {"Undo=-3", &TSettings::TOptions::Undo, 0},
      {"Undo=9", &TSettings::TOptions::Undo, 9},
      {"Undo=500", &TSettings::TOptions::Undo, 50},
      {"Imax_CU=0", &TSettings::TOptions::Imax_CU, 1},
      {"Imax_CU=300", &TSettings::TOptions::Imax_CU, 299},
      {"Imax_DT=-40", &TSettings::TOptions::Imax_DT, 1},
      {"Imax_DT=1000", &TSettings::TOptions::Imax_DT, 299},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadText(std::string("[Optionen]\n") + c.Line + "\n").Options.*c.Member, c.Expected) << c.Line;
}

TEST(Settings, OtherLanguagesHaveOtherDefaultHotkeys) {
  const std::pair<TLanguage, const char*> cases[] = {{TLanguage::Russian, "ZLPSRQFNTCAXMVO"},
                                                     {TLanguage::English, "ZTPSRQFNLCAXMVO"},
                                                     {TLanguage::French, "ZLPSRQFNTCAXMVO"}};
  for (const auto& [lang, keys] : cases) {
    EXPECT_EQ(DefaultToolHotkeys(lang), keys);
    EXPECT_TRUE(ValidToolHotkeys(keys));
    TSettingsContext context = kContext;
    context.Language = lang;
    EXPECT_EQ(ReadText("", context).Options.Hotkeys, keys);
    EXPECT_EQ(ReadText("[Optionen]\nHotkeys=___SRQFNTCAXMVO\n", context).Options.Hotkeys, "___SRQFNTCAXMVO");
  }
}

TEST(Settings, MaximisedWindowKeepsTheNormalGeometryInTheFile) {
  TIniFile ini = TIniFile::Parse("[Window]\nWindowMax=0\nWindowX=5\nWindowY=6\nWindowW=700\nWindowH=500\n");
  TSettings s = ReadSettings(ini, kContext);
  EXPECT_EQ(s.Window, (TSettings::TWindow{false, 5, 6, 700, 500}));
  s.Window = {true, 1, 2, 3, 4};
  WriteSettings(s, ini);
  EXPECT_EQ(ReadSettings(ini, kContext).Window, (TSettings::TWindow{true, 5, 6, 700, 500}));
  s.Window.WindowMax = false;
  WriteSettings(s, ini);
  EXPECT_EQ(ReadSettings(ini, kContext).Window, s.Window);
}

TEST(Settings, FixedFolderIsWhereItsKindStarts) {
  const TSettings s = ReadText(
      "[Ordner]\nLayout=/fixed/\nLayout_Last=/old/\nGerber=\nGerber_Last=/gerber/\nMakro=/m\nMakroOrdner=/m/a.bmk\n");
  EXPECT_EQ(s.Folders.Kinds[kFolderLayout], (TSettings::TFolder{"/fixed/", "/fixed/"}));
  EXPECT_EQ(s.Folders.Kinds[kFolderGerber], (TSettings::TFolder{"", "/gerber/"}));
  EXPECT_EQ(s.Folders.Kinds[kFolderHpgl], (TSettings::TFolder{"", kContext.DocumentsFolder}));
  EXPECT_EQ(s.Folders.Makro, "/m");
  EXPECT_EQ(s.Folders.MakroOrdner, "/m/a.bmk");
}

TEST(Settings, RecentFilesAreReadFromFourKeysAndRewritten) {
  struct Case {
    const char* Text;
    std::vector<std::string> Expected;
  };
  const Case cases[] = {
      {"[MRU]\nMRU0=a\nMRU1=b\nMRU2=c\nMRU3=d\n", {"a", "b", "c", "d"}},
      {"[MRU]\nMRU3=d\nMRU1=b\n", {"b", "d"}},
      {"[MRU]\nMRU0=a\nMRU1=b\nMRU2=a\nMRU3=b\n", {"a", "b"}},  // a file added again moves up
      {"[MRU]\nMRU1=b\nMRU2=\nMRU4=e\n", {"b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadText(c.Text).RecentFiles, c.Expected) << c.Text;

  TIniFile ini = TIniFile::Parse("[MRU]\nMRU0=a\nMRU1=b\nMRU2=c\nMRU3=d\nOther=x\n");
  TSettings s = ReadSettings(ini, kContext);
  s.RecentFiles = {"z", "a"};
  WriteSettings(s, ini);
  const auto& mru =
      *std::find_if(ini.Sections().begin(), ini.Sections().end(), [](const auto& sec) { return sec.Name == "MRU"; });
  ASSERT_EQ(mru.Entries.size(), 2u);
  EXPECT_EQ(mru.Entries[0].Key + "=" + mru.Entries[0].Value, "MRU0=z");
  EXPECT_EQ(mru.Entries[1].Key + "=" + mru.Entries[1].Value, "MRU1=a");
}

TEST(Settings, UserGridsStopAtTheFirstMissingKeyAndAreRewrittenWhole) {
  struct Case {
    const char* Text;
    std::vector<int32_t> Expected;
  };
  const Case cases[] = {
      {"[R_POPUP]\nT0=10000505\nT1=10000015\nT3=10000256\n", {10000015, 10000505}},
      {"[R_POPUP]\nT1=10000505\n", {}},
      {"[r_popup]\nt0=10000256\nT1=bad\nT2=10000015\nT3=10000025\n", {10000015, 10000025, 10000256}},
      {"[R_POPUP]\nT0=10000505\nT1=20005000\n", {10000505}},                         // the same 0.5 mm in micrometres
      {"[R_POPUP]\nT0=10000014\nT1=20000010\nT2=10000100\n", {10000014, 10000100}},  // 0.001 mm twice, and 10 mm
  };
  for (const Case& c : cases) EXPECT_EQ(ReadText(c.Text).UserGrids, c.Expected) << c.Text;

  TIniFile ini = TIniFile::Parse("[R_POPUP]\nT0=10000015\nT1=10000105\nT2=10000505\n[Next]\nk=1\n");
  TSettings s = ReadSettings(ini, kContext);
  s.UserGrids = {10000256};
  WriteSettings(s, ini);
  EXPECT_EQ(ini.Find("R_POPUP", "T0"), "10000256");
  EXPECT_FALSE(ini.HasKey("R_POPUP", "T1"));
  EXPECT_FALSE(ini.HasKey("R_POPUP", "T2"));
  EXPECT_EQ(ini.Find("Next", "k"), "1");
  s.UserGrids.clear();
  WriteSettings(s, ini);
  EXPECT_FALSE(ini.HasSection("R_POPUP"));
}

TEST(Settings, PresetSectionsReplaceTheBuiltInLists) {
  const TSettings one = ReadText(
      "[LA_POPUP]\nS0=%%%9000x4500\nS2=%%%1x1\n[SMD_POPUP]\nS0=bad\nS1=2000X1000\n[L_POPUP]\nT0=700\nT1=300\n");
  EXPECT_EQ(one.PadPresets, (std::vector<TPadSizePreset>{{9000, 4500}}));
  EXPECT_EQ(one.SmdPresets, (std::vector<TSmdSizePreset>{{2000, 1000}}));
  EXPECT_EQ(one.TrackPresets, (std::vector<int32_t>{700, 300}));
  const TSettings none = ReadText("[LA_POPUP]\nS1=%%%9000x4500\n[L_POPUP]\n");
  EXPECT_EQ(none.PadPresets, kDefaultPadPresets);
  EXPECT_EQ(none.TrackPresets, kDefaultTrackPresets);
  EXPECT_EQ(kDefaultPadPresets.size(), 10u);
  EXPECT_EQ(kDefaultSmdPresets.size(), 9u);
}

TEST(Settings, SavingKeepsTheSectionsOfOtherWindows) {
  TempDir dir;
  const fs::path file = dir.path / "config" / kSettingsFileName;
  EXPECT_EQ(LoadSettings(file.string(), kContext), DefaultSettings(kContext));

  const TSettings changed = ChangedSettings();
  ASSERT_TRUE(SaveSettings(changed, file.string()));  // creates the folder
  std::ofstream(file, std::ios::app | std::ios::binary) << "[Autorouter]\r\nPasses=3\r\n";
  ASSERT_TRUE(SaveSettings(DefaultSettings(kContext), file.string()));

  const std::string bytes = FileBytes(file);
  EXPECT_EQ(bytes.rfind("[Window]\r\nWindowMax=1\r\nWindowX=-20\r\n", 0), 0u);
  EXPECT_NE(bytes.find("[Autorouter]\r\nPasses=3\r\n"), std::string::npos);
  for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1))
    ASSERT_EQ(bytes[i - 1], '\r') << "line feed without carriage return at " << i;
  EXPECT_EQ(LoadSettings(file.string(), kContext).Window, (TSettings::TWindow{true, -20, 30, 1024, 768}));
}

// ---- language, folders and files ----

TEST(Settings, LanguageComesFromTheLanguageFileElseTheLocale) {
  struct Case {
    const char* File;  // nullptr: no language file
    const char* Locale;
    TLanguage Expected;
  };
  const Case cases[] = {
      {nullptr, "ru_RU.UTF-8", TLanguage::Russian},
      {nullptr, "fr_CA", TLanguage::French},
      {nullptr, "FR", TLanguage::French},
      {nullptr, "en_US.UTF-8", TLanguage::English},
      {nullptr, "de_DE", TLanguage::English},
      {nullptr, "C", TLanguage::English},
      {nullptr, "", TLanguage::English},
      {nullptr, "r", TLanguage::English},
      {"[Sprache]\nSprache=1\n", "ru_RU", TLanguage::English},
      {"[Sprache]\r\nSprache=2\r\n", "en_GB", TLanguage::French},
      {"[SPRACHE]\nsprache=0\n", "fr_FR", TLanguage::Russian},
      {"[Sprache]\nSprache=3\n", "en_US", TLanguage::Russian},
      {"[Sprache]\nSprache=x\n", "en_US", TLanguage::Russian},
      {"", "fr_FR", TLanguage::Russian},  // a file without the key
  };
  TempDir dir;
  const fs::path file = dir.path / kLanguageFileName;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.File ? c.File : "(no file)") + " " + c.Locale);
    std::optional<TIniFile> ini;
    if (c.File) ini = TIniFile::Parse(c.File);
    EXPECT_EQ(ChooseLanguage(ini, c.Locale), c.Expected);
    fs::remove(file);
    if (c.File) std::ofstream(file, std::ios::binary) << c.File;
    EXPECT_EQ(ReadLanguage(file.string(), c.Locale), c.Expected);
  }
}

TEST(Settings, WrittenLanguageReadsBackAndKeepsTheRestOfTheFile) {
  TempDir dir;
  // The settings folder may not exist yet on a first run.
  const fs::path file = dir.path / "config" / "boardsmith" / kLanguageFileName;
  for (TLanguage lang : {TLanguage::French, TLanguage::Russian, TLanguage::English}) {
    ASSERT_TRUE(WriteLanguage(file.string(), lang));
    // The locale would say otherwise: the file decides.
    EXPECT_EQ(ReadLanguage(file.string(), lang == TLanguage::French ? "ru_RU" : "fr_FR"), lang);
  }
  EXPECT_EQ(FileBytes(file), "[Sprache]\r\nSprache=1\r\n");

  std::ofstream(file, std::ios::binary) << "[Other]\nKey=abc\n[SPRACHE]\nsprache=2\nMore=x\n";
  ASSERT_TRUE(WriteLanguage(file.string(), TLanguage::Russian));
  EXPECT_EQ(FileBytes(file), "[Other]\r\nKey=abc\r\n[SPRACHE]\r\nsprache=0\r\nMore=x\r\n");

  // A folder where the file should be: nothing is written.
  const fs::path blocked = dir.path / "blocked";
  fs::create_directories(blocked / kLanguageFileName);
  EXPECT_FALSE(WriteLanguage((blocked / kLanguageFileName).string(), TLanguage::French));
  EXPECT_TRUE(fs::is_directory(blocked / kLanguageFileName));
  // Read, it counts as no file: the locale decides.
  EXPECT_EQ(ReadLanguage((blocked / kLanguageFileName).string(), "fr_FR"), TLanguage::French);
}

TEST(Settings, FoldersFollowTheXdgVariables) {
  struct Case {
    const char* Config;
    const char* Data;
    std::string SettingsFolder;
    std::string DataFolder;
  };
  const Case cases[] = {
      {"/xdg/config", "/xdg/data", "/xdg/config/boardsmith", "/xdg/data/boardsmith"},
      {nullptr, nullptr, "/home/tester/.config/boardsmith", "/home/tester/.local/share/boardsmith"},
      {"", "relative/data", "/home/tester/.config/boardsmith", "/home/tester/.local/share/boardsmith"},
  };
  const TEnvGuard home("HOME", "/home/tester");
  for (const Case& c : cases) {
    const TEnvGuard config("XDG_CONFIG_HOME", c.Config);
    const TEnvGuard data("XDG_DATA_HOME", c.Data);
    EXPECT_EQ(SettingsFolder(), c.SettingsFolder);
    EXPECT_EQ(DataFolder(), c.DataFolder);
    EXPECT_EQ(SettingsFilePath(), c.SettingsFolder + "/BOARDSMITH60.INI");
    EXPECT_EQ(LanguageFilePath(), c.SettingsFolder + "/CPRASHE.INI");
  }
  {
    const TEnvGuard docs("XDG_DOCUMENTS_DIR", "/home/tester/Docs");
    EXPECT_EQ(DocumentsFolder(), "/home/tester/Docs/");
  }
  const TEnvGuard docs("XDG_DOCUMENTS_DIR", nullptr);
  EXPECT_EQ(DocumentsFolder(), "/home/tester/");  // no Documents folder there
  EXPECT_EQ(UserSchemePath("/d", 2), "/d/C_USER2.DAT");
}

TEST(Settings, ColourSchemesAndMacroRootComeFromTheDataFolder) {
  TempDir dir;
  const std::string data = dir.path.string();
  TColourScheme user;
  user.C[0] = 0xFFFFFF;
  ASSERT_TRUE(WriteColourScheme(UserSchemePath(data, 2), user));
  ASSERT_TRUE(WriteColourScheme(UserSchemePath(data, 0), user));  // scheme 0 is never read
  const auto schemes = LoadColourSchemes(data);
  EXPECT_EQ(schemes[0].C, TColourScheme{}.C);
  EXPECT_EQ(schemes[1].C, TColourScheme{}.C);
  EXPECT_EQ(schemes[2].C, user.C);
  EXPECT_EQ(schemes[3].C, TColourScheme{}.C);

  EXPECT_EQ(EffectiveMacroRoot(data, "/d"), data);
  EXPECT_EQ(EffectiveMacroRoot(data + "/missing", "/d"), "/d/Makros");
  EXPECT_EQ(EffectiveMacroRoot("", "/d"), "/d/Makros");
}

TEST(Settings, UserSchemesAreWrittenWholeAndOnlyForSchemesOneToThree) {
  TempDir dir;
  const std::string data = (dir.path / "new" / "data").string();  // created on writing
  TColourScheme user;
  user.C[0] = 0x00332211;
  user.C[11] = 0x00ABCDEF;
  ASSERT_TRUE(SaveUserScheme(data, 3, user));
  const std::string bytes = FileBytes(UserSchemePath(data, 3));
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x11\x22\x33\x00", 4));
  EXPECT_EQ(bytes.substr(44, 4), std::string("\xEF\xCD\xAB\x00", 4));
  EXPECT_EQ(LoadColourSchemes(data)[3].C, user.C);

  user.C[5] = 0x00000001;  // a second save replaces the file
  ASSERT_TRUE(SaveUserScheme(data, 3, user));
  EXPECT_EQ(LoadColourSchemes(data)[3].C, user.C);

  for (int scheme : {0, 4, -1}) EXPECT_FALSE(SaveUserScheme(data, scheme, user)) << scheme;
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(data)) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"C_USER3.DAT"});  // no temporary file stays behind

  // A data folder that cannot be made: nothing is written.
  std::ofstream(dir.path / "plain") << "x";
  EXPECT_FALSE(SaveUserScheme((dir.path / "plain").string(), 1, user));
}

TEST(Settings, CustomColoursAreReadLenientlyAndWrittenOnePerLine) {
  TempDir dir;
  const std::string data = dir.path.string();
  EXPECT_EQ(CustomColoursPath(data), data + "/COLORS.DAT");
  EXPECT_TRUE(LoadCustomColours(data).empty());  // no file yet

  std::string seventeen;
  for (int i = 1; i <= 17; ++i) seventeen += std::to_string(i) + "\n";
  std::vector<TColour> sixteen;
  for (TColour i = 1; i <= 16; ++i) sixteen.push_back(i);
  const std::pair<std::string, std::vector<TColour>> cases[] = {
      {"255\r\n16711680\r\n", {255, 0xFF0000}},
      {"  0x0000ff \n\t42\n", {255, 42}},
      {"ColorA=12\nColorB = 0x10\n", {12, 16}},
      {"junk\n\n-1\n16777216\n12abc\n0x\n7", {7}},  // bad lines are skipped
      {seventeen, sixteen},
  };
  for (const auto& [text, colours] : cases) {
    std::ofstream(CustomColoursPath(data), std::ios::binary) << text;
    EXPECT_EQ(LoadCustomColours(data), colours) << text;
  }

  std::vector<TColour> many{0, 0xFFFFFF, 0x123456};
  ASSERT_TRUE(SaveCustomColours(data, many));
  EXPECT_EQ(FileBytes(CustomColoursPath(data)), "0\r\n16777215\r\n1193046\r\n");
  EXPECT_EQ(LoadCustomColours(data), many);
  many.resize(20, 0x00FF00);
  ASSERT_TRUE(SaveCustomColours(data, many));
  many.resize(16);
  EXPECT_EQ(LoadCustomColours(data), many);
}

TEST(Settings, ToolHotkeysAreFifteenKeysUsedOnce) {
  const std::pair<const char*, bool> cases[] = {
      {"ZTPSRQFNLCAXMVO", true},   {"_______________", true},  {"Z_P_RQFNLCAXMV_", true},   {"ZTPSRQFNLCAXMV", false},
      {"ZTPSRQFNLCAXMVOO", false}, {"ZTPSRQFNLCAXMVZ", false}, {"ZTPSRQFNLCAXMV\t", false},
  };
  for (const auto& [keys, valid] : cases) EXPECT_EQ(ValidToolHotkeys(keys), valid) << keys;
}

}  // namespace
}  // namespace bs
