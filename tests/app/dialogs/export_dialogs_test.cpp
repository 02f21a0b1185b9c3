#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "../../cam/cam_fixture.h"
#include "cam/drill_list.h"
#include "cam/excellon.h"
#include "cam/gerber.h"
#include "dialogs/drill_list_window.h"
#include "dialogs/excellon_dialog.h"
#include "dialogs/gerber_dialog.h"
#include "io/project_file.h"
#include "modal_helpers.h"
#include "widgets/length_field.h"

namespace bs::app {
namespace {

using test::AnswerNextBox;
using test::OnNextDialog;

namespace fs = std::filesystem;
using bs::test::Lines;

std::string FileText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

template <typename T>
T* Child(QWidget& parent, const QString& name) {
  T* w = parent.findChild<T*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

// Clicks a check box until it shows `on`.
void SetBox(QWidget& parent, const char* name, bool on) {
  auto* box = Child<QCheckBox>(parent, name);
  ASSERT_TRUE(box->isEnabled()) << name;
  if (box->isChecked() != on) Click(box);
  ASSERT_EQ(box->isChecked(), on) << name;
}

// Answers the next message boxes, one after the other, and keeps their
// texts.
void AnswerBoxes(std::vector<QMessageBox::StandardButton> buttons, QStringList* texts = nullptr) {
  if (buttons.empty()) return;
  OnNextDialog<QMessageBox>([buttons, texts](QMessageBox& box) {
    if (texts) texts->push_back(box.text());
    QTest::mouseClick(box.button(buttons.front()), Qt::LeftButton);
    AnswerBoxes({buttons.begin() + 1, buttons.end()}, texts);
  });
}

// Types a length into a field as the user would, confirmed with Enter.
void TypeLength(TLengthField* f, const QString& text) {
  f->selectAll();
  QTest::keyClicks(f, text);
  QTest::keyClick(f, Qt::Key_Return);
}

// Each test has folders of its own for the settings, the data files and
// the output; the demo project is read with the core's reader.
struct ExportDialogsTest : testing::Test {
  fs::path dir = fs::temp_directory_path() /
                 ("bs_export_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(QCoreApplication::applicationPid()));
  fs::path out = dir / "out";
  QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
  TProject project;
  TSettings settings;

  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(out);
    fs::create_directories(dir / "docs");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    settings = DefaultSettings(TSettingsContext{(dir / "data").string(), (dir / "docs").string() + "/"});
    project.FileName = std::string(BOARDSMITH_SOURCE_DIR) + "/examples/demo.bsm6";
    const TReadResult r = ReadProjectFile(project, project.FileName, false);
    ASSERT_TRUE(r.Ok) << r.Error;
    ASSERT_NE(project.Active(), nullptr);
  }
  void TearDown() override {
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_DATA_HOME", oldData);
    fs::remove_all(dir);
  }

  const TBoard& Board() { return *project.Active(); }

  // Replaces the project by one board.
  void UseBoard(bs::test::TCamBoard&& b) {
    project.Boards.clear();
    project.Boards.push_back(std::make_unique<TBoard>(std::move(b.board)));
    project.ActiveIndex = 0;
  }

  // Rows that the demo board offers.
  std::vector<int> AvailableRows() {
    std::vector<int> rows;
    for (int i = 0; i < kGerberOutputCount; ++i)
      if (GerberOutputAvailable(Board(), i)) rows.push_back(i);
    return rows;
  }
};

QCheckBox* Row(QWidget& d, int row) { return Child<QCheckBox>(d, QStringLiteral("CB_Layer%1").arg(row)); }

// ---- Gerber ----

struct TGerberCase {
  const char* name;
  std::vector<const char*> boxes;  // checked in this order
  bool useOrigin;
  TGerberOptions expected;
};

TGerberOptions With(std::function<void(TGerberOptions&)> f) {
  TGerberOptions o;
  f(o);
  return o;
}

TEST_F(ExportDialogsTest, GerberFilesEqualTheCoreOutputForTheChosenOptions) {
  const TGerberCase cases[] = {
      {"defaults", {}, true, TGerberOptions{}},
      {"mirror and frame", {"CB_Spiegeln", "CB_Rahmen"}, true, With([](auto& o) { o.Mirror = o.Frame = true; })},
      {"punch", {"CB_BohrungenFreistanzen"}, true, With([](auto& o) { o.PunchHoles = true; })},
      {"centre punch", {"CB_BohrungenFreistanzen", "CB_BohrungenKoernen"}, true, With([](auto& o) {
         o.PunchHoles = o.CentrePunch = true;
       })},
      {"masks inverted, no SMD openings",
       {"CB_LS_Invertiert", "CB_SMD_Invertiert", "CB_LS_SMD"},
       true,
       With([](auto& o) { o.MaskInverted = o.SmdMaskInverted = true, o.MaskSmd = false; })},
      {"lower-left corner, mirrored", {"CB_Spiegeln"}, false, With([](auto& o) {
         o.Mirror = true, o.UseOrigin = false;
       })},
  };
  const std::vector<int> rows = AvailableRows();
  ASSERT_GE(rows.size(), 4u) << "the demo board should offer copper, silkscreen and masks";
  for (const TGerberCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(out);
    fs::create_directories(out);
    settings.Options.CAM_Nullpunkt = c.useOrigin;
    TGerberDlg d(project, settings);
    d.show();
    // Every row that has something on it starts checked.
    for (int i = 0; i < kGerberOutputCount; ++i) EXPECT_EQ(Row(d, i)->isChecked(), GerberOutputAvailable(Board(), i));
    for (const char* box : c.boxes) SetBox(d, box, !Child<QCheckBox>(d, box)->isChecked());
    Child<QLineEdit>(d, "folder")->setText(QString::fromStdString(out.string()));
    Click(Child<QPushButton>(d, "create"));

    for (int row : rows) {
      const TGerberOutput& o = kGerberOutputs[size_t(row)];
      const fs::path file = out / (std::string("demo") + o.DefaultEnding);
      ASSERT_TRUE(fs::exists(file)) << file;
      const std::string text = FileText(file);
      const auto lines = Lines(text);
      ASSERT_GE(lines.size(), 3u);
      EXPECT_EQ(lines[0], "%FSLAX34Y34*%");
      EXPECT_EQ(lines[1], "%MOMM*%");
      EXPECT_EQ(lines[2], std::string("%LN") + o.LayerName + "*%");
      EXPECT_EQ(text, GerberOutputText(Board(), row, c.expected)) << o.Caption;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}), long(rows.size()));
    const QString log = Child<QPlainTextEdit>(d, "log")->toPlainText();
    EXPECT_TRUE(log.startsWith("Created files:"));
    EXPECT_TRUE(log.contains("\n" + QString(48, '-') + "\n"));
    EXPECT_TRUE(log.contains("-> " + QString::fromStdString((out / "demo_Ф1_верх.gbr").string())));
    EXPECT_TRUE(log.endsWith(QStringLiteral("\n%1 files created.").arg(rows.size()))) << log.toStdString();
    // The folder used is where the next export starts.
    EXPECT_EQ(CamFolder(settings).Last, out.string());
  }
}

TEST_F(ExportDialogsTest, GerberRowsAndOptionsAreEnabledByWhatTheBoardHasAndWhatIsChecked) {
  bs::test::TCamBoard b;
  b.Track(kLayerS1, 2000, {{0, 0}, {10000, 0}});
  b.Pad({50000, -50000}, 4000, 9000, kLayerC2).SolderMask = 0;
  UseBoard(std::move(b));
  TGerberDlg d(project, settings);
  d.show();
  // S1, and C2 with its pad; no mask opening and no SMD pad.
  for (int i = 0; i < kGerberOutputCount; ++i) {
    const bool on = i == 1 || i == 2;
    EXPECT_EQ(Row(d, i)->isEnabled(), on) << i;
    EXPECT_EQ(Row(d, i)->isChecked(), on) << i;
  }
  auto* punch = Child<QCheckBox>(d, "CB_BohrungenFreistanzen");
  auto* centre = Child<QCheckBox>(d, "CB_BohrungenKoernen");
  auto* create = Child<QPushButton>(d, "create");
  EXPECT_TRUE(punch->isEnabled());
  EXPECT_FALSE(centre->isEnabled());
  Click(punch);
  EXPECT_TRUE(centre->isEnabled());
  for (const char* name : {"CB_LS_LA", "CB_LS_SMD", "CB_LS_Sonstige", "CB_LS_Invertiert", "CB_SMD_Invertiert"})
    EXPECT_FALSE(Child<QWidget>(d, name)->isEnabled()) << name;
  for (const char* name : {"SE_LS_LA", "SE_LS_SMD", "SE_LS_Sonstige", "SE_SMD"})
    EXPECT_FALSE(Child<QWidget>(d, name)->isEnabled()) << name;

  // Without a copper row nothing is punched; without any row nothing is
  // created.
  Click(Row(d, 1));
  EXPECT_FALSE(punch->isEnabled());
  EXPECT_FALSE(centre->isEnabled());
  EXPECT_FALSE(d.Options().PunchHoles);
  EXPECT_TRUE(create->isEnabled());
  Click(Row(d, 2));
  EXPECT_FALSE(create->isEnabled());

  // A row's file name shows only while it is checked.
  auto* name = Child<QLabel>(d, "name2");
  EXPECT_TRUE(name->isHidden());
  Click(Row(d, 2));
  EXPECT_FALSE(name->isHidden());
}

TEST_F(ExportDialogsTest, GerberMaskOptionsFollowTheirRows) {
  TGerberDlg d(project, settings);
  d.show();
  ASSERT_TRUE(Row(d, 7)->isEnabled());
  ASSERT_TRUE(Row(d, 9)->isEnabled());
  const auto enabled = [&](const char* name) { return Child<QWidget>(d, name)->isEnabled(); };
  EXPECT_TRUE(enabled("SE_LS_LA"));
  EXPECT_TRUE(enabled("SE_SMD"));
  // Unchecking one mask row of two keeps the options; the other row too
  // disables them.
  for (int row : {7, 8, 9, 10})
    if (Row(d, row)->isEnabled()) Click(Row(d, row));
  for (const char* name : {"CB_LS_LA", "CB_LS_SMD", "CB_LS_Sonstige", "SE_LS_LA", "SE_LS_SMD", "SE_LS_Sonstige",
                           "CB_LS_Invertiert", "SE_SMD", "CB_SMD_Invertiert"})
    EXPECT_FALSE(enabled(name)) << name;
  Click(Row(d, 7));
  EXPECT_TRUE(enabled("CB_LS_Invertiert"));
  EXPECT_FALSE(enabled("CB_SMD_Invertiert"));
  Click(Row(d, 9));
  EXPECT_TRUE(enabled("CB_SMD_Invertiert"));
}

TEST_F(ExportDialogsTest, GerberNamesFollowPrefixAndEndings) {
  TGerberDlg d(project, settings);
  d.show();
  auto* name = Child<QLabel>(d, "name0");
  EXPECT_EQ(name->text(), "demo_Ф1_верх.gbr");
  auto* prefix = Child<QLineEdit>(d, "prefix");
  prefix->selectAll();
  QTest::keyClicks(prefix, "board7");
  EXPECT_EQ(name->text(), "board7_Ф1_верх.gbr");

  // OK stores the edited ending and renames the row; Cancel forgets an edit.
  const auto editEnding = [&](const QString& ending, QDialogButtonBox::StandardButton button) {
    OnNextDialog<TGerberDateinamenDlg>([ending, button](TGerberDateinamenDlg& e) {
      auto* field = Child<QLineEdit>(e, "ending0");
      field->selectAll();
      QTest::keyClicks(field, ending);
      QTest::mouseClick(e.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    });
    Click(Child<QPushButton>(d, "endings"));
  };
  editEnding("_top.gtl", QDialogButtonBox::Ok);
  EXPECT_EQ(settings.Gerber.Endings[0], "_top.gtl");
  EXPECT_EQ(name->text(), "board7_top.gtl");
  editEnding("_lost.gtl", QDialogButtonBox::Cancel);
  EXPECT_EQ(settings.Gerber.Endings[0], "_top.gtl");
  EXPECT_EQ(name->text(), "board7_top.gtl");

  // "Default..." asks first; Cancel keeps the endings, OK resets them at once,
  // also when the window is then cancelled. The offsets stay.
  settings.Gerber.LS_Offset_LA = 44;
  for (auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
    QString question;
    OnNextDialog<TGerberDateinamenDlg>([&question, answer](TGerberDateinamenDlg& e) {
      AnswerNextBox(answer, &question);
      Click(Child<QPushButton>(e, "defaults"));
      e.reject();
    });
    Click(Child<QPushButton>(d, "endings"));
    EXPECT_EQ(question, "Reset all filenames to default values ?");
  }
  EXPECT_EQ(settings.Gerber.Endings, TSettings::DefaultGerberEndings());
  EXPECT_EQ(settings.Gerber.LS_Offset_LA, 44);
  EXPECT_EQ(name->text(), "board7_Ф1_верх.gbr");

  // "Common endings" fills in the board houses' endings in one click; like
  // typed endings they are kept with OK and forgotten with Cancel.
  for (auto button : {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
    OnNextDialog<TGerberDateinamenDlg>([button](TGerberDateinamenDlg& e) {
      Click(Child<QPushButton>(e, "commonEndings"));
      EXPECT_EQ(Child<QLineEdit>(e, "ending0")->text(), ".GTL");
      EXPECT_EQ(Child<QLineEdit>(e, "ending6")->text(), ".GKO");
      QTest::mouseClick(e.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    });
    Click(Child<QPushButton>(d, "endings"));
    EXPECT_EQ(name->text(), button == QDialogButtonBox::Ok ? "board7.GTL" : "board7_Ф1_верх.gbr");
  }
  EXPECT_EQ(settings.Gerber.Endings, TSettings::CommonGerberEndings());
  EXPECT_EQ(Child<QLabel>(d, "name9")->text(), "board7.GTP");

  // Opening again: the prefix comes from the project's name again, an
  // unchecked row stays unchecked.
  Click(Row(d, 2));
  d.hide();
  OnNextDialog<TGerberDlg>([](TGerberDlg& g) { Click(Child<QPushButton>(g, "CancelBtn")); });
  d.Run();
  EXPECT_EQ(prefix->text(), "demo");
  EXPECT_FALSE(Row(d, 2)->isChecked());
  EXPECT_TRUE(Row(d, 0)->isChecked());
}

TEST_F(ExportDialogsTest, GerberOffsetsComeFromAndGoToTheSettings) {
  settings.Gerber.LS_Offset_LA = 25;
  settings.Gerber.SMD_Maske_Offset = -5;
  TGerberDlg d(project, settings);
  d.show();
  EXPECT_EQ(Child<TLengthField>(d, "SE_LS_LA")->Units(), 2500);
  EXPECT_EQ(Child<TLengthField>(d, "SE_SMD")->Units(), -500);
  TypeLength(Child<TLengthField>(d, "SE_LS_SMD"), "0,45");
  TypeLength(Child<TLengthField>(d, "SE_SMD"), "-0.12");
  EXPECT_EQ(settings.Gerber.LS_Offset_SMD, 45);
  EXPECT_EQ(settings.Gerber.SMD_Maske_Offset, -12);
  // The written mask uses the offsets shown.
  Child<QLineEdit>(d, "folder")->setText(QString::fromStdString(out.string()));
  Click(Child<QPushButton>(d, "create"));
  TGerberOptions o;
  o.MaskOffsetTht = 2500;
  o.MaskOffsetSmd = 4500;
  o.SmdMaskOffset = -1200;
  for (int row : {7, 9})
    EXPECT_EQ(FileText(out / (std::string("demo") + kGerberOutputs[size_t(row)].DefaultEnding)),
              GerberOutputText(Board(), row, o));
}

TEST_F(ExportDialogsTest, GerberRefusesAMissingFolderAndAsksBeforeOverwriting) {
  TGerberDlg d(project, settings);
  d.show();
  auto* folder = Child<QLineEdit>(d, "folder");
  auto* create = Child<QPushButton>(d, "create");
  auto* log = Child<QPlainTextEdit>(d, "log");
  const QString missing = QString::fromStdString((dir / "nowhere").string());
  folder->setText(missing);
  QString text;
  AnswerNextBox(QMessageBox::Ok, &text);
  Click(create);
  EXPECT_EQ(text, "The directory: \"" + missing + "\" does not exist.\n\nPlease select a new output folder.");
  EXPECT_EQ(log->toPlainText(), "Created files:");
  EXPECT_FALSE(fs::exists(dir / "nowhere"));

  // Only C1 and S1, both already there.
  for (int i = 0; i < kGerberOutputCount; ++i)
    if (Row(d, i)->isChecked() != (i == 0 || i == 2)) Click(Row(d, i));
  const fs::path c1 = out / "demo_Ф1_верх.gbr", s1 = out / "demo_Ш1_верх.gbr";
  std::ofstream(c1) << "old c1";
  std::ofstream(s1) << "old s1";
  folder->setText(QString::fromStdString(out.string()));
  QStringList asked;
  AnswerBoxes({QMessageBox::Cancel, QMessageBox::Ok}, &asked);  // keep C1, replace S1
  Click(create);
  ASSERT_EQ(asked.size(), 2);
  EXPECT_EQ(asked[0], "The file \"" + QString::fromStdString(c1.string()) + "\" already exists.\n\nOverwrite?");
  EXPECT_EQ(FileText(c1), "old c1");
  EXPECT_EQ(FileText(s1), GerberOutputText(Board(), 2, TGerberOptions{}));
  EXPECT_FALSE(log->toPlainText().contains("-> " + QString::fromStdString(c1.string())));
  EXPECT_TRUE(log->toPlainText().endsWith("\n1 files created."));
}

TEST_F(ExportDialogsTest, GerberWriteErrorEndsTheRunAndIsShown) {
  TGerberDlg d(project, settings);
  d.show();
  // A folder in the way of the C1 file: it cannot be replaced by a file.
  const fs::path blocked = out / "demo_Ф1_верх.gbr";
  fs::create_directories(blocked / "inside");
  Child<QLineEdit>(d, "folder")->setText(QString::fromStdString(out.string()));
  QStringList boxes;
  AnswerBoxes({QMessageBox::Ok, QMessageBox::Ok}, &boxes);  // overwrite, then the error
  Click(Child<QPushButton>(d, "create"));
  ASSERT_EQ(boxes.size(), 2);
  EXPECT_EQ(boxes[1],
            "The file \"" + QString::fromStdString(blocked.string()) + "\" can not be written:\nIs a directory");
  EXPECT_TRUE(fs::is_directory(blocked / "inside"));
  // C1 is the first file: nothing else was written.
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}), 1);
  EXPECT_TRUE(Child<QPlainTextEdit>(d, "log")->toPlainText().endsWith("\n0 files created."));
}

TEST_F(ExportDialogsTest, GerberExportStartsInTheRememberedFolder) {
  settings.Folders.EqualDir = false;
  settings.Folders.Kinds[kFolderGerber].Last = (dir / "gerber").string();
  settings.Folders.Kinds[kFolderLayout].Last = (dir / "layout").string();
  {
    TGerberDlg d(project, settings);
    EXPECT_EQ(d.Folder().toStdString(), (dir / "gerber").string());
  }
  settings.Folders.EqualDir = true;
  TGerberDlg d(project, settings);
  EXPECT_EQ(d.Folder().toStdString(), (dir / "layout").string());
}

// ---- Excellon ----

// Two 0.8 mm holes, a 1.0 mm via, and a drilled pad on S1 that no drill
// file holds.
bs::test::TCamBoard DrillBoard() {
  bs::test::TCamBoard b;
  b.Pad({100000, -100000}, 4000, 8000);
  b.Pad({300000, -200000}, 4000, 8000, kLayerC2);
  b.Pad({200000, -500000}, 5000, 9000).Via = 1;
  b.Pad({600000, -600000}, 4000, 8000, kLayerS1);
  return b;
}

struct TExcellonCase {
  const char* name;
  std::vector<const char*> clicks;
  TExcellonOptions expected;
  bool simple = true, plated = true;
  std::vector<std::string> firstLines;
};

TExcellonOptions Excellon(std::function<void(TExcellonOptions&)> f) {
  TExcellonOptions o;
  f(o);
  return o;
}

TEST_F(ExportDialogsTest, ExcellonFileEqualsTheCoreOutputForTheChosenOptions) {
  const TExcellonCase cases[] = {
      {"inch with leading zeros",
       {},
       TExcellonOptions{},
       true,
       true,
       {"; Drill file", "; Format: 2.4 (00.0000)", "M48", "INCH", "T01C0.0315"}},
      {"mm 3.2 without leading zeros, with a decimal point",
       {"RB_MM32", "CB_LeadingZero", "cb_MitKomma"},
       Excellon([](auto& o) { o.Format = TExcellonFormat::Mm32, o.DeleteLeadingZeros = o.DecimalPoint = true; }),
       true,
       true,
       {"; Drill file", "; Format: 3.2 (000.00)", "M48", "METRIC,000.00", "T01C0.8"}},
      {"mm 3.3, M71, bare, mirrored like Gerber",
       {"RB_MM33", "CB_M71", "CB_NoComments", "CB_NoG90", "RB_Kupfer"},
       Excellon([](auto& o) {
         o.Format = TExcellonFormat::Mm33, o.M71 = o.NoComments = o.NoG90 = true;
         o.Mirror = TExcellonMirror::Gerber;
       }),
       true,
       true,
       {"M48", "M71", ";FILE_FORMAT=3:3", "T01C0.8", "T02C1.0", "%", "G05", "T01"}},
      {"only through-holes, mirrored like HPGL",
       {"CB_Bohrungen", "RB_Kupfer_HPGL"},
       Excellon([](auto& o) { o.Mirror = TExcellonMirror::Hpgl; }),
       false,
       true,
       {"; Drill file", "; Format: 2.4 (00.0000)", "M48", "INCH", "T01C0.0394", "%"}},
      {"only simple drillings",
       {"CB_Vias"},
       TExcellonOptions{},
       true,
       false,
       {"; Drill file", "; Format: 2.4 (00.0000)", "M48", "INCH", "T01C0.0315", "%"}},
  };
  UseBoard(DrillBoard());
  for (const TExcellonCase& c : cases) {
    SCOPED_TRACE(c.name);
    settings.Excellon = {};
    TLochDlg d(project, settings);
    d.show();
    for (const char* name : c.clicks) Click(Child<QAbstractButton>(d, name));
    const fs::path file = out / "holes.drl";
    ASSERT_TRUE(d.Write(QString::fromStdString(file.string())));
    const std::string text = FileText(file);
    EXPECT_EQ(text,
              ExcellonText(Board(), BuildDrillList(Board(), c.simple, c.plated, false, false, false), c.expected));
    const auto lines = Lines(text);
    ASSERT_GE(lines.size(), c.firstLines.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + long(c.firstLines.size())), c.firstLines);
    EXPECT_EQ(lines.back(), "M30");
    fs::remove(file);
  }
}

TEST_F(ExportDialogsTest, ExcellonFormatChoicesAreReadFromAndKeptInTheSettings) {
  settings.Excellon.MM33 = settings.Excellon.Zero = settings.Excellon.G90 = true;
  settings.Excellon.Zoll = false;
  TLochDlg d(project, settings);
  d.show();
  EXPECT_TRUE(Child<QRadioButton>(d, "RB_MM33")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(d, "CB_LeadingZero")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(d, "CB_NoG90")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(d, "CB_NoComments")->isChecked());
  // Side, hole choice and sorting are not kept.
  EXPECT_TRUE(Child<QRadioButton>(d, "RB_Best")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(d, "CB_Sortieren")->isChecked());

  for (const char* name : {"RB_Zoll", "CB_M71", "CB_NoComments", "cb_MitKomma", "RB_Kupfer"})
    Click(Child<QAbstractButton>(d, name));
  d.reject();
  TSettings::TExcellon want;
  want.Zero = want.G90 = want.M71 = want.Kommentare = want.Komma = true;
  EXPECT_EQ(settings.Excellon, want);
}

TEST_F(ExportDialogsTest, ExcellonRunWarnsAsksForTheFileAndRemembersItsFolder) {
  UseBoard(DrillBoard());
  project.FileName = (dir / "proj.bsm6").string();
  settings.Folders.EqualDir = false;
  settings.Folders.Kinds[kFolderGerber].Last = out.string();
  QString warning, startFolder, proposed;
  OnNextDialog<QMessageBox>([&](QMessageBox& box) {
    warning = box.text();
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    OnNextDialog<TLochDlg>([&](TLochDlg& d) {
      Click(Child<QRadioButton>(d, "RB_MM32"));
      OnNextDialog<QFileDialog>([&](QFileDialog& f) {
        startFolder = f.directory().absolutePath();
        auto* name = Child<QLineEdit>(f, "fileNameEdit");
        proposed = name->text();
        name->setText(QString::fromStdString((out / "holes").string()));
        QTest::mouseClick(Child<QDialogButtonBox>(f, "buttonBox")->button(QDialogButtonBox::Save), Qt::LeftButton);
      });
      QTest::mouseClick(d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
  });
  TLochDlg d(project, settings);
  EXPECT_TRUE(d.Run());
  EXPECT_EQ(warning, "1 drillings on the silkscreen layer.\nThese drillings will be ignored.");
  EXPECT_EQ(startFolder.toStdString(), out.string());
  EXPECT_EQ(proposed, "proj");
  const fs::path file = out / "holes.DRL";
  ASSERT_TRUE(fs::exists(file));
  TExcellonOptions o;
  o.Format = TExcellonFormat::Mm32;
  EXPECT_EQ(FileText(file), ExcellonText(Board(), BuildDrillList(Board(), true, true, false, false, false), o));
  EXPECT_EQ(CamFolder(settings).Last, out.string());
  EXPECT_TRUE(settings.Excellon.MM32);
}

// A position the number format cannot hold stops the whole run before any
// file is written, instead of being written cut.
TEST_F(ExportDialogsTest, APositionBeyondTheNumberFormatWritesNoFile) {
  auto far = NewObjekt();
  InitThtPad(*far, {30000000, -100000}, kLayerC1, kShapeRound, 4000, 8000);  // 3 m: beyond every format
  project.Active()->Elements.push_back(std::move(far));
  TGerberDlg d(project, settings);
  d.show();
  Child<QLineEdit>(d, "folder")->setText(QString::fromStdString(out.string()));
  QStringList boxes;
  AnswerBoxes({QMessageBox::Ok}, &boxes);
  Click(Child<QPushButton>(d, "create"));
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].startsWith("The position ")) << boxes[0].toStdString();
  EXPECT_TRUE(fs::is_empty(out));

  TLochDlg l(project, settings);
  QString error;
  AnswerNextBox(QMessageBox::Ok, &error);
  EXPECT_FALSE(l.Write(QString::fromStdString((out / "holes.drl").string())));
  EXPECT_TRUE(error.startsWith("The position ")) << error.toStdString();
  EXPECT_TRUE(fs::is_empty(out));
}

TEST_F(ExportDialogsTest, ExcellonCancelWritesNothingAndAWriteErrorIsShown) {
  TLochDlg d(project, settings);
  OnNextDialog<TLochDlg>([](TLochDlg& l) { l.reject(); });
  EXPECT_FALSE(d.Run());
  EXPECT_TRUE(fs::is_empty(out));

  const std::string path = (dir / "nowhere" / "holes.drl").string();
  QString error;
  AnswerNextBox(QMessageBox::Ok, &error);
  EXPECT_FALSE(d.Write(QString::fromStdString(path)));
  EXPECT_EQ(error.toStdString(), "The file \"" + path + "\" can not be written:\nNo such file or directory");
}

// ---- drill list ----

TEST_F(ExportDialogsTest, DrillListCountsHolesPerDiameterAndChoosesByKind) {
  bs::test::TCamBoard b = DrillBoard();
  b.Pad({100000, -100000}, 4000, 8000, kLayerC2);  // on top of the first: one hole
  UseBoard(std::move(b));
  TBohrInfoDlg d(Board(), TDisplayUnit::Mm);
  d.show();
  EXPECT_EQ(d.Text(), "   2 x  0.80 mm\n   1 x  1.00 mm\n----------------\n   3 drilings\n");
  Click(Child<QCheckBox>(d, "CB_Vias"));
  EXPECT_EQ(d.Text(), "   2 x  0.80 mm\n----------------\n   2 drilings\n");
  Click(Child<QCheckBox>(d, "CB_Bohrungen"));
  EXPECT_EQ(d.Text(), "----------------\n   0 drilings\n");
  Click(Child<QCheckBox>(d, "CB_Vias"));
  EXPECT_EQ(d.Text(), "   1 x  1.00 mm\n----------------\n   1 drilings\n");

  TBohrInfoDlg mil(Board(), TDisplayUnit::Mil);
  EXPECT_EQ(mil.Text(), "   2 x   31 mil\n   1 x   39 mil\n----------------\n   3 drilings\n");
}

TEST_F(ExportDialogsTest, DrillListGoesToTheClipboard) {
  TBohrInfoDlg d(Board(), TDisplayUnit::Mm);
  d.show();
  QGuiApplication::clipboard()->clear();
  QString said;
  AnswerNextBox(QMessageBox::Ok, &said);
  Click(Child<QPushButton>(d, "Button1"));
  EXPECT_EQ(said, "The text is now in the clipboard");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), d.Text());
  EXPECT_EQ(d.Text().toStdString(), DrillListText(BuildDrillList(Board(), true, true, false, false, false),
                                                  TDisplayUnit::Mm, TLanguage::English));
}

TEST_F(ExportDialogsTest, DrillListWarnsAboutSilkscreenDrillingsFirst) {
  UseBoard(DrillBoard());
  TBohrInfoDlg d(Board(), TDisplayUnit::Mm);
  QString warning;
  OnNextDialog<QMessageBox>([&](QMessageBox& box) {
    warning = box.text();
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
    OnNextDialog<TBohrInfoDlg>([](TBohrInfoDlg& w) {
      QTest::mouseClick(w.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
  });
  d.Run();
  EXPECT_EQ(warning, "1 drillings on the silkscreen layer.\nThese drillings will be ignored.");
  EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace bs::app
