#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "dialogs/options_dialog.h"
#include "edit/undo.h"
#include "modal_helpers.h"
#include "view/board_view.h"
#include "widgets/number_field.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

using test::AnswerNextBox;
using test::OnNextDialog;

namespace fs = std::filesystem;
using TDialogAction = std::function<void(TOptionsDialog&)>;

std::string FileBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

template <typename T>
T* Child(QWidget& parent, const QString& name) {
  T* w = parent.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

template <typename T>
T* Captioned(QWidget& parent, const QString& caption) {
  for (T* b : parent.findChildren<T*>())
    if (b->text() == caption) return b;
  ADD_FAILURE() << "nothing captioned " << caption.toStdString();
  return nullptr;
}

// Brings the page that holds `w` to the front, as a user would before
// using it.
template <typename T>
T* Shown(TOptionsDialog& d, T* w) {
  auto* pages = d.findChild<QStackedWidget*>();
  for (int i = 0; i < pages->count(); ++i)
    if (pages->widget(i)->isAncestorOf(w)) d.ShowPage(i);
  EXPECT_TRUE(w->isVisible());
  return w;
}

void Click(TOptionsDialog& d, QAbstractButton* button) {
  Shown(d, button);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void Press(TOptionsDialog& d, QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

// Replaces the whole text of a spin box as typed by the user.
void TypeNumber(TOptionsDialog& d, QSpinBox* spin, const QString& number) {
  Shown(d, spin)->selectAll();
  QTest::keyClicks(spin, number);
}

// A letter key as typed.
void TypeKey(QWidget* w, char letter) { QTest::keyClick(w, char(std::tolower(static_cast<unsigned char>(letter)))); }

// Each test has folders of its own for the settings and the data files,
// and a main window that reads them.
struct OptionsDialogTest : testing::Test {
  fs::path dir = fs::temp_directory_path() /
                 ("bs_options_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  "_" + std::to_string(QCoreApplication::applicationPid()));
  fs::path data = dir / "data" / "boardsmith";
  QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
  std::unique_ptr<TMainWindow> w;

  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(data);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    w = std::make_unique<TMainWindow>();
    w->show();
  }
  void TearDown() override {
    w.reset();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_DATA_HOME", oldData);
    fs::remove_all(dir);
  }

  // Opens the dialog on `page`, lets `act` work in it (ending with OK or
  // Cancel) and returns what OpenOptions returned.
  bool Run(int page, const TDialogAction& act) {
    bool ran = false;
    OnNextDialog<TOptionsDialog>([&](TOptionsDialog& d) {
      ran = true;
      act(d);
    });
    const bool ok = w->OpenOptions(page);
    EXPECT_TRUE(ran);
    return ok;
  }

  QAction* MenuEntry(const QString& caption) {
    for (QAction* menu : w->menuBar()->actions())
      if (menu->menu())
        for (QAction* a : menu->menu()->actions())
          if (a->text() == caption) return a;
    return nullptr;
  }
};

TEST_F(OptionsDialogTest, UndoDepthTenStoresNineAndKeepsTenSteps) {
  ASSERT_TRUE(Run(TOptionsDialog::kPageUndo, [](TOptionsDialog& d) {
    EXPECT_EQ(d.Page(), TOptionsDialog::kPageUndo);
    auto* undo = Child<QSpinBox>(d, "undoDepth");
    EXPECT_EQ(undo->value(), 50);  // the default 50 + 1, held to the field's range
    EXPECT_EQ(undo->minimum(), 1);
    TypeNumber(d, undo, "10");
    Press(d, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(w->Settings().Options.Undo, 9);
  EXPECT_EQ(w->Project().Undo.Depth, 9);
  for (int i = 0; i < 15; ++i) RecordUndo(w->Project());
  EXPECT_EQ(w->Project().Active()->UndoStack.size(), 10u);
}

TEST_F(OptionsDialogTest, EverySwitchReachesItsSetting) {
  using O = TSettings::TOptions;
  const std::pair<const char*, bool O::*> switches[] = {
      {"Show Board-Zoom", &O::PlatinenZoom},
      {"Darken ground-plane", &O::AutoMasseDunkel},
      {"Show ground-plane of all layers simultaneous", &O::AlleAutoMassen},
      {"Blinking TEST mode", &O::BlinkTest},
      {"Consider connections (rubberbands) in TEST mode", &O::TestLuftlinien},
      {"Limit text height (track width min. 0.15 mm)", &O::SchrifthoeheBegrenzen},
      {"Component ID and value always readable after rotating", &O::BezWertFlip},
      {"Optimize nodes of a track automatically", &O::TracksOptimieren},
      {"CTRL-Key necessary to capture values during selections", &O::StrgZumFangen},
      {"Origin top/left (instead of bottom/left)", &O::NullpunktOben},
      {"Use origin in CAM-export (Gerber/Excellon/HPGL)", &O::CAM_Nullpunkt},
      {"Show 45° lines", &O::FK_Diagonal},
      {"Big Text", &O::FK_TextBig},
      {"Transparent", &O::FK_Transparent},
      {"Show coordinates on crosshair", &O::FK_TextBox},  // after the two it enables
      {"Activate AutoSave", &O::AutoSave},
  };
  const O before = w->Settings().Options;
  ASSERT_TRUE(Run(TOptionsDialog::kPageGeneral, [&](TOptionsDialog& d) {
    Click(d, Captioned<QRadioButton>(d, "White Background"));  // while the coordinates are on
    for (const auto& [caption, member] : switches) {
      auto* box = Captioned<QCheckBox>(d, QString::fromUtf8(caption));
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->isChecked(), before.*member) << caption;
      Click(d, box);
    }
    Click(d, Child<QRadioButton>(d, "unitMil"));
    QTest::keyClick(Shown(d, Child<QComboBox>(d, "drillings")), Qt::Key_End);
    TypeNumber(d, Child<QSpinBox>(d, "imaxCu"), "70");
    TypeNumber(d, Child<QSpinBox>(d, "imaxDt"), "5");
    Press(d, QDialogButtonBox::Ok);
  }));
  const O& after = w->Settings().Options;
  for (const auto& [caption, member] : switches) EXPECT_NE(after.*member, before.*member) << caption;
  EXPECT_TRUE(after.MIL);
  EXPECT_FALSE(after.FK_TextBlack);
  EXPECT_EQ(after.BohrlochFarbe, 2);
  EXPECT_EQ(after.Imax_CU, 70);
  EXPECT_EQ(after.Imax_DT, 5);
  // Applied at once.
  EXPECT_EQ(w->View()->Settings().Drillings, 2);
  EXPECT_EQ(w->View()->Settings().DarkenGroundPlane, after.AutoMasseDunkel);
}

TEST_F(OptionsDialogTest, ImaxPageShowsTheNoteInThreeLines) {
  Run(TOptionsDialog::kPageImax, [](TOptionsDialog& d) {
    bool found = false;
    for (QLabel* l : d.findChildren<QLabel*>())
      found |= l->text() ==
               "The calculation of the max. current-carrying capacity for a track,\nis only a coarse approximate "
               "value.\nThe real value is depending on many other factors and the environment.";
    EXPECT_TRUE(found);
    EXPECT_EQ(Child<QSpinBox>(d, "imaxCu")->maximum(), 299);
    Press(d, QDialogButtonBox::Cancel);
  });
}

TEST_F(OptionsDialogTest, AUsedHotkeyIsRefusedWithAMessage) {
  const std::string keys = w->Settings().Options.Hotkeys;
  char free = 'A';
  while (keys.find(free) != std::string::npos) ++free;
  QString message;
  ASSERT_TRUE(Run(TOptionsDialog::kPageHotkeys, [&](TOptionsDialog& d) {
    auto* track = Child<QLineEdit>(d, "hotkey1");
    EXPECT_EQ(track->text(), QString(QChar(keys[1])));
    AnswerNextBox(QMessageBox::Ok, &message);
    TypeKey(track, keys[0]);  // the zoom tool's key
    EXPECT_EQ(track->text(), QString(QChar(keys[1])));
    TypeKey(track, free);  // a key typed into the full field replaces it
    EXPECT_EQ(track->text(), QString(QChar(free)));
    auto* pad = Child<QLineEdit>(d, "hotkey2");
    pad->end(false);
    QTest::keyClick(pad, Qt::Key_Backspace);            // no key for the pad tool
    TypeKey(Child<QLineEdit>(d, "hotkey14"), keys[2]);  // the key freed just now
    Press(d, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(message, QString("The hotkey \"%1\" is already in use.").arg(QChar(keys[0])));
  std::string expected = keys;
  expected[1] = free;
  expected[2] = '_';
  expected[14] = keys[2];
  EXPECT_EQ(w->Settings().Options.Hotkeys, expected);
  EXPECT_TRUE(ValidToolHotkeys(expected));
}

TEST_F(OptionsDialogTest, CancelChangesNothing) {
  const TSettings before = w->Settings();
  const TColourScheme shown = w->View()->Settings().Scheme;
  EXPECT_FALSE(Run(TOptionsDialog::kPageColours, [&](TOptionsDialog& d) {
    QTest::keyClick(Child<QComboBox>(d, "scheme"), Qt::Key_Down);  // user scheme 1
    Click(d, Child<QPushButton>(d, "resetScheme"));
    OnNextDialog<QColorDialog>([](QColorDialog& picker) {
      picker.setCurrentColor(QColor(1, 2, 3));
      picker.accept();
    });
    Click(d, Child<QToolButton>(d, "colour0"));
    EXPECT_EQ(w->View()->Settings().Scheme.Background(), Rgb(1, 2, 3));  // shown on the board meanwhile
    TypeNumber(d, Child<QSpinBox>(d, "undoDepth"), "3");
    Click(d, Captioned<QCheckBox>(d, "Darken ground-plane"));
    Press(d, QDialogButtonBox::Cancel);
  }));
  EXPECT_EQ(w->Settings(), before);
  EXPECT_EQ(w->View()->Settings().Scheme.C, shown.C);
  EXPECT_FALSE(fs::exists(UserSchemePath(data.string(), 1)));
}

TEST_F(OptionsDialogTest, FoldersFollowEqualDirAndMustExist) {
  const fs::path gerber = dir / "gerber";
  fs::create_directories(gerber);
  QString missing, title;
  ASSERT_TRUE(MenuEntry("Directories...") != nullptr);
  OnNextDialog<TOptionsDialog>([&](TOptionsDialog& d) {
    EXPECT_EQ(d.Page(), TOptionsDialog::kPageFolders);
    auto* equal = Child<QCheckBox>(d, "equalDir");
    ASSERT_TRUE(equal->isChecked());  // the default
    for (int i = 0; i < kFolderKindCount; ++i) {
      EXPECT_EQ(Child<QLineEdit>(d, QString("folder%1").arg(i))->isEnabled(), i == 0) << i;
      EXPECT_EQ(Child<QToolButton>(d, QString("browse%1").arg(i))->isEnabled(), i == 0) << i;
    }
    Click(d, equal);
    for (int i = 0; i < kFolderKindCount; ++i)
      EXPECT_TRUE(Child<QLineEdit>(d, QString("folder%1").arg(i))->isEnabled()) << i;

    OnNextDialog<QFileDialog>([&](QFileDialog& picker) {
      title = picker.windowTitle();
      picker.setDirectory(QString::fromStdString(gerber.string()));
      static_cast<QDialog&>(picker).accept();  // "Choose"
    });
    Click(d, Child<QToolButton>(d, "browse1"));
    EXPECT_EQ(Child<QLineEdit>(d, "folder1")->text(), QString::fromStdString(gerber.string()));

    // A folder that does not exist keeps the dialog open on its page.
    auto* bitmap = Child<QLineEdit>(d, "folder2");
    QTest::keyClicks(bitmap, QString::fromStdString((dir / "nowhere").string()));
    d.ShowPage(TOptionsDialog::kPageGeneral);
    AnswerNextBox(QMessageBox::Ok, &missing);
    Press(d, QDialogButtonBox::Ok);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.Page(), TOptionsDialog::kPageFolders);
    bitmap->clear();

    d.ShowPage(TOptionsDialog::kPageMacroFolder);
    Click(d, Child<QPushButton>(d, "macroReset"));
    Press(d, QDialogButtonBox::Ok);
  });
  MenuEntry("Directories...")->trigger();
  EXPECT_EQ(title, "Please select a default-directory for Gerber");
  EXPECT_EQ(missing, QString::fromStdString("The folder \"" + (dir / "nowhere").string() + "\" does not exist."));
  const auto& f = w->Settings().Folders;
  EXPECT_FALSE(f.EqualDir);
  EXPECT_EQ(f.Kinds[kFolderGerber].Fixed, gerber.string());
  EXPECT_EQ(f.Kinds[kFolderGerber].Last, gerber.string());  // the next Gerber dialog starts there
  EXPECT_EQ(f.Kinds[kFolderBitmap].Fixed, "");
  EXPECT_EQ(f.Makro, data.string() + "/Makros");
}

TEST_F(OptionsDialogTest, EditedUserSchemeIsSavedOnSwitchingWithYesAndOnOk) {
  std::ofstream(data / "COLORS.DAT") << "255\r\n";  // one custom colour: red
  QString question;
  QColor customShown;
  ASSERT_TRUE(Run(TOptionsDialog::kPageColours, [&](TOptionsDialog& d) {
    auto* scheme = Child<QComboBox>(d, "scheme");
    EXPECT_EQ(scheme->itemText(0), "Standard");
    // The standard scheme is read-only, but its buttons show its real colours.
    const TColourScheme standard = w->View()->Settings().Scheme;
    for (int i = 0; i < 12; ++i) {
      auto* b = Child<QToolButton>(d, QString("colour%1").arg(i));
      EXPECT_FALSE(b->isEnabled()) << i;
      const QImage shown = b->icon().pixmap(QSize(40, 16), QIcon::Disabled).toImage();
      const QColor c = shown.pixelColor(shown.width() / 2, shown.height() / 2);
      EXPECT_EQ(Rgb(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())), standard.C[size_t(i)]) << i;
    }
    EXPECT_FALSE(Child<QPushButton>(d, "resetScheme")->isEnabled());

    QTest::keyClick(scheme, Qt::Key_Down);  // user scheme 1
    auto* c1 = Child<QToolButton>(d, "colour1");
    EXPECT_TRUE(c1->isEnabled());
    OnNextDialog<QColorDialog>([&](QColorDialog& picker) {
      customShown = QColorDialog::customColor(0);
      QColorDialog::setCustomColor(1, QColor(0, 0, 255));
      picker.setCurrentColor(QColor(0x56, 0x34, 0x12));
      picker.accept();
    });
    Click(d, c1);

    AnswerNextBox(QMessageBox::Yes, &question);
    QTest::keyClick(scheme, Qt::Key_Down);  // user scheme 2: save scheme 1
    EXPECT_EQ(scheme->currentIndex(), 2);

    // Scheme 2 edited and left with No: its file stays unwritten.
    Click(d, Child<QPushButton>(d, "resetScheme"));  // already the standard: no change
    OnNextDialog<QColorDialog>([](QColorDialog& picker) {
      picker.setCurrentColor(QColor(9, 9, 9));
      picker.accept();
    });
    Click(d, Child<QToolButton>(d, "colour0"));
    AnswerNextBox(QMessageBox::No);
    QTest::keyClick(scheme, Qt::Key_Up);  // back to scheme 1

    // Scheme 1 edited again and kept with OK: drawn and written.
    OnNextDialog<QColorDialog>([](QColorDialog& picker) {
      picker.setCurrentColor(QColor(0xFF, 0xFF, 0xFF));
      picker.accept();
    });
    Click(d, Child<QToolButton>(d, "colour0"));
    Press(d, QDialogButtonBox::Ok);
  }));
  EXPECT_EQ(question, "You have changed the colors.\nSave changes?");
  EXPECT_EQ(customShown, QColor(255, 0, 0));
  EXPECT_EQ(FileBytes(data / "COLORS.DAT").substr(0, 15), "255\r\n16711680\r\n");

  const std::string saved = FileBytes(UserSchemePath(data.string(), 1));
  ASSERT_EQ(saved.size(), 48u);
  EXPECT_EQ(saved.substr(4, 4), std::string("\x56\x34\x12\x00", 4));  // C1 as 0x00BBGGRR, little-endian
  EXPECT_EQ(saved.substr(0, 4), std::string("\xFF\xFF\xFF\x00", 4));  // the background edited before OK
  EXPECT_FALSE(fs::exists(UserSchemePath(data.string(), 2)));

  EXPECT_EQ(w->Settings().Options.Farbschema, 1);
  const TColourScheme& drawn = w->View()->Settings().Scheme;
  EXPECT_EQ(drawn.Background(), 0xFFFFFFu);
  EXPECT_EQ(drawn.Layer(1), 0x123456u);
}

TEST_F(OptionsDialogTest, AutoSaveMinutesSetTheTimer) {
  ASSERT_NE(MenuEntry("&AutoSave..."), nullptr);
  OnNextDialog<TOptionsDialog>([](TOptionsDialog& d) {
    EXPECT_EQ(d.Page(), TOptionsDialog::kPageAutoSave);
    auto* minutes = Child<QSpinBox>(d, "autoSaveMinutes");
    EXPECT_EQ(minutes->value(), 5);  // 300000 ms
    TypeNumber(d, minutes, "7");
    Click(d, Captioned<QCheckBox>(d, "Activate AutoSave"));
    Press(d, QDialogButtonBox::Ok);
  });
  MenuEntry("&AutoSave...")->trigger();
  EXPECT_EQ(w->Settings().Options.AutoSaveTime, 420000);
  EXPECT_TRUE(w->Settings().Options.AutoSave);
  bool running = false;
  for (QTimer* t : w->findChildren<QTimer*>()) running |= t->interval() == 420000 && t->isActive();
  EXPECT_TRUE(running);
}

// Typed numbers are never turned into other numbers: a plain spin box would
// drop the keystroke that leaves its range (51 -> 5) or that it cannot parse
// (1.5 -> 15). A number beyond the range is held to the limit, a fraction
// in a whole-number field is refused and the field keeps its value; a hint
// says so.
TEST_F(OptionsDialogTest, TypedNumbersAreHeldToTheLimitOrRefused) {
  using O = TSettings::TOptions;
  struct Case {
    int page;
    const char* field;
    const char* typed;
    int (*stored)(const O&);
    int value;
    const char* hint;  // the start of the hint, empty for none
  } cases[] = {
      {TOptionsDialog::kPageUndo, "undoDepth", "51", [](const O& o) { return o.Undo + 1; }, 50,
       "51 is out of range (1 to 50)"},
      {TOptionsDialog::kPageUndo, "undoDepth", "0", [](const O& o) { return o.Undo + 1; }, 1,
       "0 is out of range (1 to 50)"},
      {TOptionsDialog::kPageImax, "imaxCu", "300", [](const O& o) { return o.Imax_CU; }, 299,
       "300 is out of range (1 to 299)"},
      {TOptionsDialog::kPageAutoSave, "autoSaveMinutes", "1.5", [](const O& o) { return o.AutoSaveTime / 60000; }, 5,
       "\"1.5\" is not a valid value here"},
      {TOptionsDialog::kPageAutoSave, "autoSaveMinutes", "12", [](const O& o) { return o.AutoSaveTime / 60000; }, 12,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    const QString before = TNumberRules::LastHint();
    Run(c.page, [&](TOptionsDialog& d) {
      auto* spin = Child<QSpinBox>(d, c.field);
      TypeNumber(d, spin, c.typed);
      EXPECT_EQ(spin->text(), QString(c.typed) + spin->suffix());  // every keystroke kept
      Press(d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(c.stored(w->Settings().Options), c.value);
    const QString hint = TNumberRules::LastHint() != before ? TNumberRules::LastHint() : QString();
    if (*c.hint == 0) EXPECT_TRUE(hint.isEmpty()) << hint.toStdString();
    else EXPECT_TRUE(hint.startsWith(c.hint)) << hint.toStdString();
  }
}

TEST_F(OptionsDialogTest, GeneralSettingsEntryOpensTheFirstPage) {
  QAction* entry = MenuEntry("General settings...");
  ASSERT_NE(entry, nullptr);
  int page = -1;
  QStringList captions;
  OnNextDialog<TOptionsDialog>([&](TOptionsDialog& d) {
    page = d.Page();
    for (QListWidget* list : d.findChildren<QListWidget*>())
      for (int i = 0; i < list->count(); ++i) captions << list->item(i)->text();
    Press(d, QDialogButtonBox::Cancel);
  });
  entry->trigger();
  EXPECT_EQ(page, TOptionsDialog::kPageGeneral);
  EXPECT_EQ(captions, QStringList({"General settings", "Colors", "Working-Directories", "Macro-Directory", "Undo-Depth",
                                   "Imax", "Hotkeys", "Crosshair", "AutoSave"}));
}

}  // namespace
}  // namespace bs::app
