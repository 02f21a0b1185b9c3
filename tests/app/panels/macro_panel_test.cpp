// The macro library panel in the real window: the tree in natural order with
// the remembered macro chosen, renaming by editing a caption, deleting,
// the side button, unreadable files, save as macro, a drag and drop onto the
// board with its one undo step, and the write-back at shut-down.
#include <QCheckBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include <fstream>

#include "dialogs/component_dialog.h"
#include "dialogs/options_dialog.h"
#include "io/macro_file.h"
#include "io/settings.h"
#include "menu_helpers.h"
#include "modal_helpers.h"
#include "panels/macro_panel.h"
#include "render/text_strokes.h"
#include "window_fixture.h"

namespace bs::app {
namespace {

namespace fs = std::filesystem;
using test::AnswerNextBox;
using test::OnNextDialog;

struct MacroPanelTest : test::TWindowTest {
  fs::path root;
  TMacroPanel* panel = nullptr;

  void SetUp() override {
    test::TWindowTest::SetUp();
    root = fs::path(DataFolder()) / "Makros";
    fs::create_directories(root);
    panel = w->MacroPanel();
    ASSERT_NE(panel, nullptr);
  }

  // A macro of two SMD pads on C1 with a silkscreen line and an ID label.
  void WriteMacro(const fs::path& rel, const char* text1 = "") {
    TObjektList list;
    for (float x : {0.0f, 20000.0f}) {
      auto e = NewObjekt();
      InitSmdPad(*e, {x, 0}, 10000, kLayerC1, 5000);
      list.push_back(std::move(e));
    }
    auto line = NewObjekt();
    InitTrack(*line, 2000, kLayerS1);
    line->Points = {{-5000, 8000}, {25000, 8000}};
    list.push_back(std::move(line));
    fs::create_directories((root / rel).parent_path());
    ASSERT_TRUE(WriteMacroFile((root / rel).string(), list, false, text1, ""));
  }
  void WriteBytes(const fs::path& rel, const std::vector<uint8_t>& bytes) {
    fs::create_directories((root / rel).parent_path());
    std::ofstream(root / rel, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  QString P(const fs::path& rel) const { return QString::fromStdString((root / rel).string()); }

  QTreeWidgetItem* Item(const QString& path) {
    for (QTreeWidgetItemIterator it(panel->Tree()); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toString() == path) return *it;
    return nullptr;
  }
  // Clicks a node as a user does.
  void Click(const QString& path) {
    QTreeWidgetItem* item = Item(path);
    ASSERT_NE(item, nullptr) << path.toStdString();
    QTreeWidget* tree = panel->Tree();
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
  }
  QStringList Names(QTreeWidgetItem* parent = nullptr) {
    QStringList out;
    const int n = parent ? parent->childCount() : panel->Tree()->topLevelItemCount();
    for (int i = 0; i < n; ++i) out << (parent ? parent->child(i) : panel->Tree()->topLevelItem(i))->text(0);
    return out;
  }

  // Drag events as the window system delivers them to the drawing area.
  void DragOver(const QMimeData& data, std::initializer_list<QPoint> path) {
    bool first = true;
    for (QPoint at : path) {
      if (first) {
        QDragEnterEvent e(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &e);
        EXPECT_TRUE(e.isAccepted());
        first = false;
      } else {
        QDragMoveEvent e(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &e);
      }
    }
  }
  void DropAt(const QMimeData& data, QPoint at) {
    QDropEvent e(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(vp, &e);
  }
};

TEST_F(MacroPanelTest, TreeInNaturalOrderWithTheRememberedMacroChosen) {
  WriteMacro("a10.bmk");
  WriteMacro("A2.BMK");
  WriteMacro("ics/so8.bmk", "eight pins");
  WriteMacro(".hidden/x.bmk");
  WriteBytes("notes.txt", {'x'});
  w->Settings().Folders.MakroOrdner = (root / "ics/so8.bmk").string();
  w->BuildMacroTree();

  EXPECT_EQ(Names(), (QStringList{"A2", "a10", "ics"}));
  EXPECT_EQ(Names(panel->Tree()->topLevelItem(2)), (QStringList{"so8"}));
  EXPECT_EQ(panel->SelectedPath(), P("ics/so8.bmk"));
  ASSERT_TRUE(panel->Session().Loaded());
  EXPECT_EQ(panel->Text1()->text(), "eight pins");
  EXPECT_TRUE(panel->RotateButton()->isEnabled());
  EXPECT_TRUE(panel->DeleteButton()->isEnabled());

  // A folder is no macro: nothing to delete.
  Click(P("ics"));
  EXPECT_FALSE(panel->DeleteButton()->isEnabled());
  Click(P("A2.BMK"));
  EXPECT_EQ(panel->Session().Path(), (root / "A2.BMK").string());
  EXPECT_TRUE(panel->DeleteButton()->isEnabled());
}

TEST_F(MacroPanelTest, UnreadableMacroWarnsAndDisablesEditing) {
  WriteMacro("good.bmk");
  const std::vector<uint8_t> broken = {0x06, 0x33, 0xAA, 0xFF, 1};
  WriteBytes("broken.bmk", broken);
  w->BuildMacroTree();
  Click(P("good.bmk"));
  ASSERT_TRUE(panel->Session().Loaded());

  QString text;
  AnswerNextBox(QMessageBox::Ok, &text);
  Click(P("broken.bmk"));
  EXPECT_EQ(text, "The macro can not be loaded.");
  EXPECT_FALSE(panel->Session().Loaded());
  EXPECT_FALSE(panel->RotateButton()->isEnabled());
  EXPECT_FALSE(panel->Text1()->isEnabled());
  EXPECT_FALSE(panel->DeleteButton()->isEnabled());
  // Closing the window writes nothing over the unreadable file.
  w->close();
  std::ifstream in(root / "broken.bmk", std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), broken);
}

TEST_F(MacroPanelTest, RenameByEditingTheCaption) {
  WriteMacro("ics/so8.bmk");
  WriteMacro("ics/dip8.bmk");
  w->BuildMacroTree(P("ics/so8.bmk"));
  QTreeWidget* tree = panel->Tree();
  auto edit = [&](const QString& path, const QString& caption) {
    QTreeWidgetItem* item = Item(path);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(tree->isVisible());
    ASSERT_TRUE(item->flags() & Qt::ItemIsEditable);
    tree->editItem(item);
    // The editor that is open now (closed ones wait for their deletion).
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : tree->viewport()->findChildren<QLineEdit*>())
      if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, caption);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the caption is committed from the event loop
  };

  // Onto an existing name: refused, the caption comes back.
  QString text;
  AnswerNextBox(QMessageBox::Ok, &text);
  edit(P("ics/so8.bmk"), "dip8");
  EXPECT_EQ(text, "\"dip8\" already exists.");
  EXPECT_EQ(Item(P("ics/so8.bmk"))->text(0), "so8");
  EXPECT_TRUE(fs::exists(root / "ics/so8.bmk"));

  // The loaded file, then the folder above it: the loaded path follows, and
  // the renamed node moves to its place in the order.
  edit(P("ics/so8.bmk"), "a-so8");
  EXPECT_TRUE(fs::exists(root / "ics/a-so8.bmk"));
  EXPECT_EQ(Names(Item(P("ics"))), (QStringList{"a-so8", "dip8"}));
  EXPECT_EQ(panel->Session().Path(), (root / "ics/a-so8.bmk").string());
  edit(P("ics"), "chips");
  EXPECT_TRUE(fs::exists(root / "chips/a-so8.bmk"));
  EXPECT_EQ(panel->Session().Path(), (root / "chips/a-so8.bmk").string());
  EXPECT_EQ(panel->SelectedPath(), P("chips/a-so8.bmk"));
  // A change goes to the renamed file at shut-down; the remembered macro is it.
  panel->Text1()->setFocus();
  QTest::keyClicks(panel->Text1(), "renamed");
  w->close();
  TMacro again;
  ASSERT_TRUE(ReadMacroFile((root / "chips/a-so8.bmk").string(), again).Ok);
  EXPECT_EQ(again.Text1, "renamed");
  EXPECT_FALSE(fs::exists(root / "ics"));
  EXPECT_EQ(LoadSettings(SettingsFilePath(), {DataFolder(), "", TLanguage::English}).Folders.MakroOrdner,
            (root / "chips/a-so8.bmk").string());
}

TEST_F(MacroPanelTest, DeleteAsksAndRemovesOnlyTheLoadedFile) {
  WriteMacro("a.bmk");
  WriteMacro("b.bmk");
  w->BuildMacroTree(P("a.bmk"));
  // Cancel keeps it.
  QString asked;
  AnswerNextBox(QMessageBox::Cancel, &asked);
  QTest::mouseClick(panel->DeleteButton(), Qt::LeftButton);
  EXPECT_EQ(asked, "Delete file \"a.bmk\" ?");
  EXPECT_TRUE(fs::exists(root / "a.bmk"));

  panel->Text1()->setFocus();
  QTest::keyClicks(panel->Text1(), "changed before deleting");
  AnswerNextBox(QMessageBox::Ok);
  QTest::mouseClick(panel->DeleteButton(), Qt::LeftButton);
  EXPECT_FALSE(fs::exists(root / "a.bmk"));
  EXPECT_EQ(Item(P("a.bmk")), nullptr);
  EXPECT_FALSE(panel->Session().Loaded());
  EXPECT_TRUE(fs::exists(root / "b.bmk"));
  // Nothing brings the deleted file back at shut-down.
  w->close();
  EXPECT_FALSE(fs::exists(root / "a.bmk"));
}

TEST_F(MacroPanelTest, SideButtonFlipsThePreviewAndTheDrop) {
  WriteMacro("smd.bmk");
  w->BuildMacroTree(P("smd.bmk"));
  QPushButton* side = panel->SideButton();
  EXPECT_EQ(side->text(), "TOP");
  EXPECT_EQ(panel->Session().Macro().Elements[0]->Layer, kLayerC1);
  const QImage top = panel->Preview()->grab().toImage();
  QTest::mouseClick(side, Qt::LeftButton);
  EXPECT_EQ(side->text(), "BOT");
  EXPECT_EQ(panel->Session().Macro().Elements[0]->Layer, kLayerC2);
  EXPECT_EQ(panel->Session().Macro().Elements[2]->Layer, kLayerS2);
  EXPECT_NE(panel->Preview()->grab().toImage(), top);
  QTest::mouseClick(side, Qt::LeftButton);
  EXPECT_EQ(side->text(), "TOP");
  EXPECT_EQ(panel->Preview()->grab().toImage(), top);
  EXPECT_FALSE(panel->Session().Modified());
}

TEST_F(MacroPanelTest, DragAndDropPlacesTheMacroWithOneUndoStep) {
  WriteMacro("smd.bmk");
  w->BuildMacroTree(P("smd.bmk"));
  Pad(50, 50);
  const size_t before = Board().Elements.size(), undo = UndoDepth();
  std::unique_ptr<QMimeData> data(MacroMimeData(P("smd.bmk")));
  panel->ComponentBox()->setChecked(false);

  const auto painted = view->PaintCount();
  DragOver(*data, {QPoint(300, 300), QPoint(320, 310), QPoint(407, 402)});
  // The outline follows as an overlay; the board is not painted again.
  EXPECT_EQ(w->Tool(), kToolPlacement);
  EXPECT_FALSE(w->PlacementTool()->OverlayRegion().isEmpty());
  EXPECT_EQ(view->PaintCount().Whole, painted.Whole);
  EXPECT_EQ(Board().Elements.size(), before);

  DropAt(*data, QPoint(407, 402));
  EXPECT_EQ(w->Tool(), kToolEdit);
  ASSERT_EQ(Board().Elements.size(), before + 3);
  EXPECT_EQ(UndoDepth(), undo + 1);
  // The reference point (the left pad) snaps to the 2.54 mm grid under the pointer.
  const TObjekt& left = *Board().Elements[before];
  EXPECT_EQ(Centre(left), (TDPoint{406400, -406400}));
  EXPECT_EQ(Centre(*Board().Elements[before + 1]), (TDPoint{426400, -406400}));
  for (size_t i = before; i < Board().Elements.size(); ++i) EXPECT_TRUE(Board().Elements[i]->Selected);
  EXPECT_FALSE(Board().Elements[0]->Selected);
  // The placed elements form one group.
  EXPECT_FALSE(Board().Elements[before]->Groups.empty());

  test::FindMenuEntry(w->menuBar(), "&Undo")->trigger();
  EXPECT_EQ(Board().Elements.size(), before);

  // As a component the drop adds the missing labels and makes one component
  // of everything.
  panel->ComponentBox()->setChecked(true);
  DragOver(*data, {QPoint(300, 300)});
  // The component dialog follows the drop; its Cancel keeps the drop.
  bool asked = false;
  OnNextDialog<TBezWertDlg>([&asked](TBezWertDlg& d) {
    asked = true;
    d.reject();
  });
  DropAt(*data, QPoint(300, 300));
  for (int i = 0; i < 20 && !asked; ++i) QTest::qWait(10);
  EXPECT_TRUE(asked);
  ASSERT_EQ(Board().Elements.size(), before + 5);
  const int32_t component = Board().Elements[before]->ComponentNo;
  EXPECT_NE(component, 0);
  for (size_t i = before; i < Board().Elements.size(); ++i) EXPECT_EQ(Board().Elements[i]->ComponentNo, component);
  test::FindMenuEntry(w->menuBar(), "&Undo")->trigger();

  // A drag that leaves the board places nothing.
  DragOver(*data, {QPoint(300, 300)});
  QDragLeaveEvent leave;
  QApplication::sendEvent(vp, &leave);
  EXPECT_EQ(w->Tool(), kToolEdit);
  EXPECT_EQ(Board().Elements.size(), before);
}

TEST_F(MacroPanelTest, DraggingThePreviewStartsADragOfTheLoadedMacro) {
  WriteMacro("smd.bmk");
  w->BuildMacroTree(P("smd.bmk"));
  bool started = false;
  QObject::connect(panel, &TMacroPanel::DragStarting, panel, [&] {
    started = true;
    // The drag runs its own loop; Esc ends it.
    QTimer::singleShot(50, [] {
      QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, {});
      QObject* to = QApplication::focusWidget();
      QApplication::sendEvent(to ? to : static_cast<QObject*>(qApp), &esc);
    });
  });
  QWidget* preview = panel->Preview();
  QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(20, 20));
  QMouseEvent move(QEvent::MouseMove, QPointF(60, 60), preview->mapToGlobal(QPointF(60, 60)), Qt::NoButton,
                   Qt::LeftButton, {});
  QApplication::sendEvent(preview, &move);
  EXPECT_TRUE(started);
  EXPECT_EQ(Board().Elements.size(), 0u);
}

TEST_F(MacroPanelTest, SaveAsMacroFromTheMenu) {
  w->BuildMacroTree();
  const QString entry = "Save as &macro...";
  // An empty board is refused.
  QString text;
  AnswerNextBox(QMessageBox::Ok, &text);
  test::FindMenuEntry(w->menuBar(), entry)->trigger();
  EXPECT_EQ(text, "There are no elements on the board.");

  Pad(100, 100);
  TObjekt& pad = Pad(200, 100);
  // Nothing selected: asked first; No stops.
  AnswerNextBox(QMessageBox::No, &text);
  test::FindMenuEntry(w->menuBar(), entry)->trigger();
  EXPECT_EQ(text, "No objects selected.\nSave whole layout as macro?");

  SetSelected(pad, true);
  fs::create_directories(root / "mine");
  const fs::path target = root / "mine/pad";
  OnNextDialog<QFileDialog>([target](QFileDialog& f) {
    f.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(target.string()));
    QMetaObject::invokeMethod(&f, "accept");
  });
  test::FindMenuEntry(w->menuBar(), entry)->trigger();
  ASSERT_TRUE(fs::exists(root / "mine/pad.bmk"));
  TMacro saved;
  ASSERT_TRUE(ReadMacroFile((root / "mine/pad.bmk").string(), saved).Ok);
  EXPECT_EQ(saved.Elements.size(), 1u);
  // The new node is in the tree, chosen and loaded, without a rescan.
  EXPECT_EQ(panel->SelectedPath(), P("mine/pad.bmk"));
  EXPECT_TRUE(panel->Session().Loaded());
  // The board was not touched.
  EXPECT_TRUE(pad.Selected);
  EXPECT_EQ(Board().Elements.size(), 2u);
}

TEST_F(MacroPanelTest, AnotherMacroRootInTheOptionsRebuildsTheTree) {
  WriteMacro("first.bmk");
  w->BuildMacroTree(P("first.bmk"));
  panel->Text1()->setFocus();
  QTest::keyClicks(panel->Text1(), "kept");
  const fs::path other = folders.dir / "other library";
  fs::create_directories(other / "sub");
  root = other;
  WriteMacro("sub/second.bmk");
  OnNextDialog<QDialog>([&](QDialog& d) {
    auto* field = d.findChild<QLineEdit*>("macroRoot");
    ASSERT_NE(field, nullptr);
    field->setText(QString::fromStdString(other.string()));
    d.accept();
  });
  ASSERT_TRUE(w->OpenOptions(TOptionsDialog::kPageMacroFolder));
  EXPECT_EQ(panel->Root(), QString::fromStdString(other.string()));
  EXPECT_EQ(Names(), (QStringList{"sub"}));
  // The changed macro of the old library went back to its file first.
  TMacro first;
  ASSERT_TRUE(ReadMacroFile((fs::path(DataFolder()) / "Makros/first.bmk").string(), first).Ok);
  EXPECT_EQ(first.Text1, "kept");
}

TEST_F(MacroPanelTest, DoubleClickEditsTheMacrosComponentData) {
  WriteMacro("smd.bmk");
  w->BuildMacroTree(P("smd.bmk"));
  const std::vector<uint8_t> before = [&] {
    std::ifstream in(root / "smd.bmk", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  // Cancel: the macro and its file stay as they were.
  OnNextDialog<TBezWertDlg>([](TBezWertDlg& d) {
    d.IdField()->setText("U9");
    d.reject();
  });
  QTest::mouseDClick(panel->Preview(), Qt::LeftButton, {}, QPoint(30, 30));
  {
    std::ifstream in(root / "smd.bmk", std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), before);
  }
  for (const auto& e : panel->Session().Macro().Elements) {
    EXPECT_FALSE(IsComponentLabel(*e));
    EXPECT_EQ(e->ComponentNo, 0);
  }

  // OK: the macro becomes a component with its labels and goes to its file.
  OnNextDialog<TBezWertDlg>([](TBezWertDlg& d) {
    d.IdField()->setText("U9");
    d.ValueField()->setText("LM358");
    d.accept();
  });
  QTest::mouseDClick(panel->Preview(), Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_TRUE(panel->ComponentBox()->isChecked());
  TMacro saved;
  ASSERT_TRUE(ReadMacroFile((root / "smd.bmk").string(), saved).Ok);
  int ids = 0;
  for (const auto& e : saved.Elements)
    if (IsIdLabel(*e)) {
      ++ids;
      EXPECT_EQ(e->Text, "U9");
    }
  EXPECT_EQ(ids, 1);

  // A macro of two components is refused.
  for (auto& e : panel->Session().EditElements()) e->ComponentNo = 1;
  panel->Session().EditElements().front()->ComponentNo = 2;
  QString text;
  AnswerNextBox(QMessageBox::Ok, &text);
  QTest::mouseDClick(panel->Preview(), Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(text,
            "The macro consists of more than 1 component.\nA separate editing of the components is not possible.");
}

TEST_F(MacroPanelTest, OptionsMenuShowsAndHidesThePanel) {
  QAction* show = test::FindMenuEntry(w->menuBar(), "Macro-Library");
  ASSERT_NE(show, nullptr);
  show->setChecked(false);
  EXPECT_TRUE(w->MacroDock()->isHidden());
  EXPECT_FALSE(w->Settings().Options.Makro);
  show->setChecked(true);
  EXPECT_FALSE(w->MacroDock()->isHidden());
  EXPECT_TRUE(w->Settings().Options.Makro);
}

}  // namespace
}  // namespace bs::app
