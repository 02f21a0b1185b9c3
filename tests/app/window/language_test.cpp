#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <filesystem>

#include "io/settings.h"
#include "model/codepage.h"
#include "model/layers.h"
#include "model/messages.h"
#include "panels/layer_bar.h"
#include "panels/size_bar.h"
#include "window/core_text.h"
#include "window/language.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;

// A command of the window's menus with the caption.
QAction* MenuEntry(TMainWindow& w, const QString& caption) {
  for (QAction* a : w.findChildren<QAction*>())
    if (a->text() == caption) return a;
  return nullptr;
}

// Triggers the action and closes the message box it opens. Returns the
// box's text, empty when no box opened.
QString TriggerClosingBox(QAction* action) {
  QString text;
  QTimer::singleShot(0, [&text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->close();
    }
  });
  action->trigger();
  QCoreApplication::processEvents();  // the timer fires now when no box ran it
  return text;
}

struct LanguageTest : testing::Test {
  // Every test starts in English without settings or language file and
  // leaves English installed for the tests that follow.
  void SetUp() override {
    fs::remove_all(SettingsFolder());
    InstallLanguage(TLanguage::English);
  }
  void TearDown() override {
    InstallLanguage(TLanguage::English);
    fs::remove_all(SettingsFolder());
  }
};

TEST_F(LanguageTest, WindowTextsBoardNamesAndHotkeysFollowTheLanguage) {
  struct Case {
    TLanguage Language;
    const char* File;       // the File menu's caption
    const char* CopyBoard;  // the Board menu's copy command
    const char* Board;      // the first board's tab
    const char* Copy;       // the tab of its copy
    const char* Hotkeys;    // the default tool hotkeys
    const char* Mm;         // the millimetre sign after lengths
  };
  const Case cases[] = {
      {TLanguage::Russian, "&Файл", "Копировать плату", "Плата 1 ", "Копия Плата 1 ", "ZLPSRQFNTCAXMVO", "мм"},
      {TLanguage::French, "&Fichier", "Copier la carte", "Carte 1 ", "Copie de Carte 1 ", "ZLPSRQFNTCAXMVO", "mm"},
      {TLanguage::English, "&File", "Copy board", "Board 1 ", "Copy of Board 1 ", "ZTPSRQFNLCAXMVO", "mm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(LanguageName(c.Language).toStdString());
    ASSERT_TRUE(InstallLanguage(c.Language));
    EXPECT_EQ(UiLanguage(), c.Language);
    TMainWindow w;
    w.show();
    EXPECT_EQ(w.menuBar()->actions().value(0)->text(), QString::fromUtf8(c.File));
    ASSERT_EQ(w.Tabs()->count(), 1);
    EXPECT_EQ(w.Tabs()->tabText(0), QString::fromUtf8(c.Board));
    // The model keeps the name in code page 1251.
    EXPECT_EQ(w.Project().Active()->Caption, Utf8ToCp1251(c.Board));
    EXPECT_EQ(w.Settings().Options.Hotkeys, c.Hotkeys);
    EXPECT_EQ(w.LayerBar()->ActiveButton(kLayerC1)->text(), QString::fromUtf8(LayerLabel(kLayerC1, c.Language).data()));
    // Lengths carry the sign of the language: the grid button and a size
    // field of the size bar.
    const QString mm = QString::fromUtf8(c.Mm);
    auto* grid = w.findChild<QToolButton*>("GridButton");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->text().endsWith(" " + mm)) << grid->text().toStdString();
    auto* field = w.SizeBar()->findChild<QDoubleSpinBox*>("SizeField0");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->suffix(), " " + mm);

    QAction* copy = MenuEntry(w, QString::fromUtf8(c.CopyBoard));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    ASSERT_EQ(w.Tabs()->count(), 2);
    EXPECT_EQ(w.Tabs()->tabText(1), QString::fromUtf8(c.Copy));
  }
}

TEST_F(LanguageTest, RussianLayerButtonsAndTranslatedMessages) {
  ASSERT_TRUE(InstallLanguage(TLanguage::Russian));
  TMainWindow w;
  w.show();
  EXPECT_EQ(w.LayerBar()->ActiveButton(kLayerS2)->text(), QString::fromUtf8("Ш2"));
  // A message of the window itself speaks the language too.
  QAction* reset = MenuEntry(w, QString::fromUtf8("Сбросить маску пайки..."));
  ASSERT_NE(reset, nullptr);
  EXPECT_TRUE(TriggerClosingBox(reset).startsWith(QString::fromUtf8("Эта функция отменит")));
}

// Texts from the core are found again by their format and shown in the
// user's language with their values in place.
TEST_F(LanguageTest, CoreTextsAreTranslatedWithTheirValues) {
  struct TCase {
    TLanguage language;
    std::string english;
    const char* expected;
  };
  const TCase cases[] = {
      {TLanguage::Russian, FormatMessage(msg::kCannotRead, {"/home/u/a %2.bsm6"}),
       "Не удалось прочитать файл \"/home/u/a %2.bsm6\"."},
      {TLanguage::French, FormatMessage(msg::kNewerVersion, {"b.bsm6", "9"}),
       "\"b.bsm6\" a été créé avec une version plus récente de Boardsmith (version 9).\nVotre version de Boardsmith "
       "ne peut pas ouvrir ce fichier."},
      {TLanguage::Russian, msg::kSaveChanges, "Сохранить изменения?"},
      {TLanguage::English, FormatMessage(msg::kWidthRange, {"1", "500"}),
       "The width must lie between 1 mm and 500 mm."},
      // A text the core does not list stays as it is, with its line breaks.
      {TLanguage::Russian, "Something else.\rSecond line", "Something else.\nSecond line"},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(InstallLanguage(c.language));
    EXPECT_EQ(CoreText(c.english), QString::fromUtf8(c.expected)) << c.english;
  }
}

TEST_F(LanguageTest, ChoosingALanguageWritesTheLanguageFileForTheNextStart) {
  TMainWindow w;
  w.show();
  auto* menu = w.findChild<TLanguageMenu*>("LanguageMenu");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "&Language");
  const QString names[] = {"Русский", "English", "Français"};  // in the order of the stored numbers
  for (int i = 0; i < 3; ++i) EXPECT_EQ(menu->Entry(TLanguage(i))->text(), names[i]);
  EXPECT_TRUE(menu->Entry(TLanguage::English)->isChecked());
  EXPECT_FALSE(fs::exists(LanguageFilePath()));

  // Another language: written, announced for the next start, the window
  // stays English.
  const QString told = TriggerClosingBox(menu->Entry(TLanguage::French));
  EXPECT_EQ(told, "The new language is used when Boardsmith is started the next time.");
  EXPECT_EQ(ReadLanguage(LanguageFilePath(), "ru_RU"), TLanguage::French);
  EXPECT_EQ(StartupLanguage(), TLanguage::French);
  EXPECT_TRUE(menu->Entry(TLanguage::French)->isChecked());
  EXPECT_FALSE(menu->Entry(TLanguage::English)->isChecked());
  EXPECT_EQ(w.menuBar()->actions().value(0)->text(), "&File");
  EXPECT_EQ(UiLanguage(), TLanguage::English);

  // Back to the language in use: written without a message.
  EXPECT_EQ(TriggerClosingBox(menu->Entry(TLanguage::English)), "");
  EXPECT_EQ(ReadLanguage(LanguageFilePath(), "ru_RU"), TLanguage::English);

  // A language file that cannot be written: the user is told, the choice
  // of the next start stays checked.
  fs::remove(LanguageFilePath());
  fs::create_directories(LanguageFilePath());
  EXPECT_TRUE(TriggerClosingBox(menu->Entry(TLanguage::Russian)).startsWith("The language could not be saved"));
  EXPECT_TRUE(menu->Entry(TLanguage::English)->isChecked());
  EXPECT_FALSE(menu->Entry(TLanguage::Russian)->isChecked());
}

}  // namespace
}  // namespace bs::app
