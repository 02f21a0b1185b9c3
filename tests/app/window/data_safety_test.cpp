// The editor never loses the user's work: files that cannot be read leave
// the open project as it was, nothing is asked before the new file has
// been read, undo after a save counts as a change, and failed saves and
// autosaves say why.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dialogs/gerber_dialog.h"
#include "dialogs/new_board_dialog.h"
#include "edit/undo.h"
#include "menu_helpers.h"
#include "modal_helpers.h"
#include "model/objekt_list.h"
#include "view/board_view.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;
using test::OnNextDialog;

const std::string kDemo = BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6";

// The menu entry with the caption, in any menu or submenu.
QAction* Entry(TMainWindow& w, const QString& caption) {
  QAction* a = test::FindMenuEntry(w.menuBar(), caption);
  if (!a) ADD_FAILURE() << "no menu entry " << caption.toStdString();
  return a;
}

// Answers the next message boxes in turn with the given buttons and keeps
// their texts.
void AnswerBoxes(std::vector<QMessageBox::StandardButton> buttons, QStringList* texts) {
  if (buttons.empty()) return;
  OnNextDialog<QMessageBox>([buttons, texts](QMessageBox& box) {
    texts->append(box.text());
    AnswerBoxes({buttons.begin() + 1, buttons.end()}, texts);
    QTest::mouseClick(box.button(buttons.front()), Qt::LeftButton);
  });
}

struct DataSafetyTest : testing::Test {
  fs::path dir = fs::temp_directory_path() /
                 ("bs_safety_test_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(QCoreApplication::applicationPid()));
  TMainWindow w;
  std::string project;  // a copy of the example, opened and changed

  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir);
    project = (dir / "demo.bsm6").string();
    fs::copy_file(kDemo, project);
    w.show();
    ASSERT_TRUE(w.OpenFile(QString::fromStdString(project)));
    RecordUndo(w.Project());  // an edit: the project now differs from its file
    w.Project().Active()->Elements.pop_back();
    w.BoardEdited();
  }
  void TearDown() override { fs::remove_all(dir); }

  void ExpectUntouched() {
    EXPECT_EQ(w.Project().FileName, project);
    EXPECT_TRUE(w.Project().Changed);
    ASSERT_EQ(w.Project().Boards.size(), 1u);
    EXPECT_EQ(w.Project().Active()->Elements.size(), 56u);
    EXPECT_TRUE(w.windowTitle().endsWith("demo.bsm6]*"));
  }
};

// None of these files can be read as a project: the error is the only box,
// "Save changes?" is never asked, and the project stays whole, so that the
// board commands and the next save work on it as before.
TEST_F(DataSafetyTest, AFileThatCannotBeReadChangesNothing) {
  const std::string junk = (dir / "junk.bsm6").string(), fifo = (dir / "fifo.bsm6").string(),
                    folder = (dir / "folder.bsm6").string();
  std::ofstream(junk) << "no board";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directories(folder);
  struct Case {
    std::string path;
    QString message;
  } cases[] = {
      {junk, "\"junk.bsm6\" is not a Boardsmith file."},
      {fifo, QString::fromStdString("\"" + fifo + "\" is not a file that can be opened.")},
      {folder, QString::fromStdString("\"" + folder + "\" is not a file that can be opened.")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    QStringList boxes;
    AnswerBoxes({QMessageBox::Ok}, &boxes);
    EXPECT_FALSE(w.OpenFile(QString::fromStdString(c.path)));
    EXPECT_EQ(boxes, QStringList{c.message});
    ExpectUntouched();
  }
  Entry(w, "Copy board")->trigger();
  EXPECT_EQ(w.Project().Boards.size(), 2u);
}

// A damaged file is reported before anything is asked; Cancel on "Save
// changes?" keeps the open project, No takes the part that could be read,
// which has no file name so that a save never overwrites the damaged file.
TEST_F(DataSafetyTest, ADamagedFileIsReportedBeforeTheQuestion) {
  const std::string damaged = (dir / "damaged.bsm6").string();
  {
    std::ifstream in(kDemo, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  }
  const QString damage = QString::fromStdString("The file \"" + damaged + "\" is damaged or incomplete.");
  QStringList boxes;
  AnswerBoxes({QMessageBox::Ok, QMessageBox::Cancel}, &boxes);
  EXPECT_FALSE(w.OpenFile(QString::fromStdString(damaged)));
  EXPECT_EQ(boxes, (QStringList{damage, "Save changes?"}));
  ExpectUntouched();

  boxes.clear();
  AnswerBoxes({QMessageBox::Ok, QMessageBox::No}, &boxes);
  EXPECT_FALSE(w.OpenFile(QString::fromStdString(damaged)));
  EXPECT_EQ(boxes, (QStringList{damage, "Save changes?"}));
  EXPECT_TRUE(w.Project().FileName.empty());
  EXPECT_GE(w.Project().Boards.size(), 1u);
  EXPECT_FALSE(w.windowTitle().contains("damaged"));
}

// Undo after a save takes the board away from the saved state: the title
// marks it, closing must ask, and Cancel keeps the window open.
TEST_F(DataSafetyTest, UndoAfterASaveAsksBeforeClosing) {
  ASSERT_TRUE(w.SaveFileAs(QString::fromStdString(project)));
  EXPECT_FALSE(w.Project().Changed);
  EXPECT_TRUE(w.windowTitle().endsWith("demo.bsm6]"));  // no mark while saved
  Entry(w, "&Undo")->trigger();
  EXPECT_EQ(w.Project().Active()->Elements.size(), 57u);
  EXPECT_TRUE(w.Project().Changed);
  EXPECT_TRUE(w.windowTitle().endsWith("demo.bsm6]*"));
  QStringList boxes;
  AnswerBoxes({QMessageBox::Cancel}, &boxes);
  EXPECT_FALSE(w.close());
  EXPECT_EQ(boxes, QStringList{"Save changes?"});
  EXPECT_TRUE(w.isVisible());
}

// Behind "Save changes?" and the new-board dialog of File -> New the
// drawing area keeps the board's picture; it never goes blank.
TEST_F(DataSafetyTest, TheDrawingAreaKeepsItsPictureBehindTheQuestions) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();  // the scroll bars settle
  QWidget* area = w.View()->viewport();
  const QImage before = area->grab().toImage();
  QImage behindQuestion, behindDialog;
  OnNextDialog<QMessageBox>([&](QMessageBox& box) {
    EXPECT_EQ(box.text(), "Save changes?");
    behindQuestion = area->grab().toImage();
    OnNextDialog<TNewBoardDialog>([&](TNewBoardDialog& d) {
      behindDialog = area->grab().toImage();
      d.reject();
    });
    QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
  });
  Entry(w, "&New...")->trigger();
  EXPECT_EQ(behindQuestion, before);
  EXPECT_EQ(behindDialog, before);
  // Then the new project's board is shown.
  EXPECT_TRUE(w.Project().Active()->Elements.empty());
  EXPECT_NE(area->grab().toImage(), before);
}

TEST_F(DataSafetyTest, FailedSavesAndAutosavesSayWhy) {
  fs::remove_all(dir);  // the project's folder is gone
  EXPECT_FALSE(w.Autosave());
  EXPECT_EQ(w.statusBar()->currentMessage().toStdString(),
            "Autosave failed: The file \"" + project + ".bak\" can not be written: No such file or directory");
  QStringList boxes;
  AnswerBoxes({QMessageBox::Ok}, &boxes);
  EXPECT_FALSE(w.SaveFileAs(QString::fromStdString(project)));
  EXPECT_EQ(boxes, QStringList{QString::fromStdString("The file \"" + project +
                                                      "\" can not be written:\nNo such file or directory")});
  EXPECT_TRUE(w.Project().Changed);
}

// With one folder for all file types, the export windows start where the
// project was opened from and then saved to.
TEST_F(DataSafetyTest, ExportWindowsStartInTheProjectsFolder) {
  w.Settings().Folders.EqualDir = true;
  QString folder;
  auto ask = [&] {
    OnNextDialog<TGerberDlg>([&](TGerberDlg& d) {
      folder = d.Folder();
      d.reject();
    });
    Entry(w, "&Gerber Export...")->trigger();
  };
  ask();
  EXPECT_EQ(folder.toStdString(), dir.string());
  const fs::path elsewhere = dir / "elsewhere";
  fs::create_directories(elsewhere);
  ASSERT_TRUE(w.SaveFileAs(QString::fromStdString((elsewhere / "copy.bsm6").string())));
  ask();
  EXPECT_EQ(folder.toStdString(), elsewhere.string());
}

}  // namespace
}  // namespace bs::app
