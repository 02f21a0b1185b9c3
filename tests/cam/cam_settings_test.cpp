// The settings sections of the manufacturing output: "Gerber" and
// "Excellon".
#include <gtest/gtest.h>

#include "cam/gerber.h"
#include "io/ini_file.h"
#include "io/settings.h"

namespace bs {
namespace {

TEST(CamSettings, DefaultsOfAFreshInstallation) {
  const TSettings s = ReadSettings(TIniFile::Parse(""), {});
  EXPECT_EQ(s.Gerber.LS_Offset_LA, 30);
  EXPECT_EQ(s.Gerber.LS_Offset_SMD, 10);
  EXPECT_EQ(s.Gerber.LS_Offset_Sonstige, 10);
  EXPECT_EQ(s.Gerber.SMD_Maske_Offset, 0);
  EXPECT_EQ(s.Gerber.Endings[0], "_Ф1_верх.gbr");
  EXPECT_EQ(s.Gerber.Endings[10], "_smd_маска_низ.gbr");
  EXPECT_TRUE(s.Excellon.Zoll);
  EXPECT_FALSE(s.Excellon.MM32 || s.Excellon.MM33 || s.Excellon.Zero || s.Excellon.Komma || s.Excellon.M71 ||
               s.Excellon.Kommentare || s.Excellon.G90);
}

TEST(CamSettings, ReadBackWhatWasWrittenKeepingOtherSections) {
  TSettings s = ReadSettings(TIniFile::Parse(""), {});
  s.Gerber.LS_Offset_LA = 5;
  s.Gerber.SMD_Maske_Offset = -7;
  s.Gerber.Endings[6] = "_outline.gbr";
  s.Excellon.Zoll = false;
  s.Excellon.MM33 = true;
  s.Excellon.Komma = true;
  TIniFile ini = TIniFile::Parse("[Fraesen]\r\nX=1\r\n");
  WriteSettings(s, ini);
  EXPECT_EQ(ini.ReadString("Gerber", "U", ""), "_outline.gbr");
  EXPECT_EQ(ini.ReadInt("Gerber", "SMD_Maske_Offset", 0), -7);
  EXPECT_TRUE(ini.ReadBool("Excellon", "MM33", false));
  EXPECT_EQ(ini.ReadInt("Fraesen", "X", 0), 1);
  const TSettings back = ReadSettings(TIniFile::Parse(ini.Serialize()), {});
  EXPECT_EQ(back.Gerber, s.Gerber);
  EXPECT_EQ(back.Excellon, s.Excellon);
}

TEST(CamSettings, OutOfRangeValuesFallBack) {
  const TSettings s = ReadSettings(TIniFile::Parse("[Gerber]\nLS_Offset_LA=-3\nSMD_Maske_Offset=-999\n"
                                                   "LS_Offset_SMD=1000\n[Excellon]\nMM32=1\nZoll=1\n"),
                                   {});
  EXPECT_EQ(s.Gerber.LS_Offset_LA, 30);
  EXPECT_EQ(s.Gerber.SMD_Maske_Offset, -999);
  EXPECT_EQ(s.Gerber.LS_Offset_SMD, 10);
  // Two formats at once: the first one counts.
  EXPECT_TRUE(s.Excellon.MM32);
  EXPECT_FALSE(s.Excellon.Zoll);
}

}  // namespace
}  // namespace bs
