// Extras -> Text-IO through the real window: the export writes the selection
// (after asking) or everything, the import hands a file's elements to the
// placement as a paste, and Cancel or a bad file leave the clipboard alone.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <fstream>

#include "edit/clipboard.h"
#include "menu_helpers.h"
#include "modal_helpers.h"
#include "window_fixture.h"

namespace bs::app {
namespace {

using test::OnNextDialog;

struct TextExchangeTest : test::TWindowTest {
  std::filesystem::path Path(const char* name) { return folders.dir / name; }

  // Runs the Extras entry and answers its file dialog with `path`, or
  // cancels it when `path` is empty.
  void Run(const QString& entry, const std::filesystem::path& path) {
    OnNextDialog<QFileDialog>([path](QFileDialog& f) {
      if (path.empty()) {
        f.reject();
        return;
      }
      f.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path.string()));
      QMetaObject::invokeMethod(&f, "accept");
    });
    QAction* a = test::FindMenuEntry(w->menuBar(), entry);
    ASSERT_NE(a, nullptr);
    a->trigger();
  }
  static std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(TextExchangeTest, ExportWritesTheSelectionAfterAskingOrEverything) {
  TObjekt& pad = Pad(100, 100);
  Track({QPoint(100, 100), QPoint(300, 100)});
  const QString entry = "Text-IO: Export elements...";

  Run(entry, Path("all.txt"));
  const std::string all = Slurp(Path("all.txt"));
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 2);
  EXPECT_EQ(all.rfind("PAD,", 0), 0u);

  // With a selection: asked first; Cancel writes nothing.
  SetSelected(pad, true);
  QString asked;
  test::AnswerNextBox(QMessageBox::Cancel, &asked);
  QAction* a = test::FindMenuEntry(w->menuBar(), entry);
  a->trigger();
  EXPECT_EQ(asked, "Only the selected elements (1) will be exported.");
  EXPECT_FALSE(std::filesystem::exists(Path("one.txt")));
  test::AnswerNextBox(QMessageBox::Ok);
  Run(entry, Path("one.txt"));
  const std::string one = Slurp(Path("one.txt"));
  EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 1);
  EXPECT_EQ(one.rfind("PAD,", 0), 0u);
}

TEST_F(TextExchangeTest, ImportPastesAndBadFilesLeaveTheClipboard) {
  TObjekt& pad = Pad(100, 100);
  SetSelected(pad, true);
  w->SelectionChanged();  // as a click would: Copy becomes available
  w->Commands()->Action(TEditCommands::kCopy)->trigger();
  const std::vector<uint8_t> copied = w->Commands()->Clipboard().Bytes;
  ASSERT_FALSE(copied.empty());
  const QString entry = "Text-IO: Import elements...";

  // Cancel, a file with no usable record and a bad value: the clipboard
  // stays, no placement starts.
  std::ofstream(Path("empty.txt")) << "HELLO;\r\nTRACK,P0=0/0;\r\n";
  std::ofstream(Path("bad.txt")) << "PAD,SIZE=x,DRILL=50;\r\n";
  Run(entry, {});
  for (const char* name : {"empty.txt", "bad.txt"}) {
    QString told;
    test::AnswerNextBox(QMessageBox::Ok, &told);
    Run(entry, Path(name));
    EXPECT_FALSE(told.isEmpty()) << name;
  }
  EXPECT_EQ(w->Commands()->Clipboard().Bytes, copied);
  EXPECT_NE(w->Tool(), kToolPlacement);

  // A good file: its elements follow the pointer as after Paste, and a
  // click places them.
  std::ofstream(Path("good.txt")) << "PAD,POS=50000/50000,SIZE=18000,DRILL=8000;\r\n"
                                  << "TRACK,LAYER=1,WIDTH=8000,P0=0/0,P1=100000/0;\r\n";
  const size_t before = Board().Elements.size();
  Run(entry, Path("good.txt"));
  EXPECT_EQ(w->Tool(), kToolPlacement);
  EXPECT_EQ(w->PlacementTool()->Prepared().size(), 2u);
  EXPECT_NE(w->Commands()->Clipboard().Bytes, copied);
  QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(400, 300));
  EXPECT_EQ(Board().Elements.size(), before + 2);
}

}  // namespace
}  // namespace bs::app
