// Components through the real window: "Add as component" with its question
// and dialog (OK, Cancel, live pick-and-place fields, the changed-field
// colour, "Disintegrate Component", changes for several components), and the
// components panel (sorted rows, two-way selection, in-place labels, double
// click, the "Show:" boxes kept in the settings).
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <fstream>

#include "components/components.h"
#include "dialogs/component_dialog.h"
#include "dialogs/component_export_dialog.h"
#include "io/ini_file.h"
#include "io/settings.h"
#include "menu_helpers.h"
#include "modal_helpers.h"
#include "panels/component_panel.h"
#include "widgets/length_field.h"
#include "window_fixture.h"

namespace bs::app {
namespace {

using test::AnswerNextBox;
using test::OnNextDialog;
namespace fs = std::filesystem;

struct ComponentTest : test::TWindowTest {
  // Two pads on C1 with a silkscreen line, selected: the makings of a part.
  void Part(int x) {
    SetSelected(Pad(x, 100), true);
    SetSelected(Pad(x + 30, 100), true);
    auto line = NewObjekt();
    InitTrack(*line, 2000, kLayerS1);
    AddPoint(*line, {float(x * 1000 - 5000), -90000});
    AddPoint(*line, {float(x * 1000 + 35000), -90000});
    SetSelected(Add(std::move(line)), true);
  }
  // Selected elements made into a component with the given ID, through the window.
  int16_t MakeComponent(const QString& id, const QString& value = "1k") {
    AnswerNextBox(QMessageBox::Ok);
    OnNextDialog<TBezWertDlg>([id, value](TBezWertDlg& d) {
      d.IdField()->setText(id);
      d.ValueField()->setText(value);
      d.accept();
    });
    test::FindMenuEntry(w->menuBar(), "Add as component")->trigger();
    const std::vector<int16_t> s = SelectedComponents(Board().Elements);
    return s.empty() ? 0 : s.front();
  }
  size_t Labels() {
    return size_t(std::count_if(Board().Elements.begin(), Board().Elements.end(),
                                [](const auto& e) { return IsComponentLabel(*e); }));
  }
};

TEST_F(ComponentTest, AddAsComponentAsksThenTheDialogDecides) {
  Part(100);
  const size_t count = Board().Elements.size(), undo = UndoDepth();

  // Cancel in the question: nothing happens.
  QString asked;
  AnswerNextBox(QMessageBox::Cancel, &asked);
  test::FindMenuEntry(w->menuBar(), "Add as component")->trigger();
  EXPECT_EQ(asked, "Do you want to create a component from the selected elements ?");
  EXPECT_EQ(Board().Elements.size(), count);

  // Cancel in the dialog takes back the whole creation.
  AnswerNextBox(QMessageBox::Ok);
  bool shown = false;
  OnNextDialog<TBezWertDlg>([&](TBezWertDlg& d) {
    shown = true;
    EXPECT_EQ(d.IdField()->text(), "ID");
    // New labels of a selection without labels start hidden.
    EXPECT_FALSE(d.IdVisible()->isChecked());
    EXPECT_TRUE(d.Align()->isChecked());
    d.reject();
  });
  test::FindMenuEntry(w->menuBar(), "Add as component")->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Board().Elements.size(), count);
  EXPECT_EQ(UndoDepth(), undo);
  for (const auto& e : Board().Elements) EXPECT_EQ(e->ComponentNo, 0);

  // OK: one undo step makes the component with its labels and data.
  for (const auto& e : Board().Elements) SetSelected(*e, true);
  AnswerNextBox(QMessageBox::Ok);
  OnNextDialog<TBezWertDlg>([](TBezWertDlg& d) {
    d.IdField()->setText("R1");
    d.ValueField()->setText("10k");
    d.IdVisible()->setChecked(true);
    d.PlaceEnabled()->setChecked(true);
    for (QPushButton* b : d.findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8("90\u00b0")) b->click();
    d.Package()->setText("0207");
    d.accept();
  });
  test::FindMenuEntry(w->menuBar(), "Add as component")->trigger();
  EXPECT_EQ(UndoDepth(), undo + 1);
  const std::vector<TComponent> all = CollectComponents(Board().Elements);
  ASSERT_EQ(all.size(), 1u);
  const TComponent& c = all.front();
  ASSERT_TRUE(c.Id && c.Value);
  EXPECT_EQ(c.Id->Text, "R1");
  EXPECT_EQ(c.Value->Text, "10k");
  EXPECT_TRUE(c.Id->LabelVisible);
  EXPECT_FALSE(c.Value->LabelVisible);
  ASSERT_TRUE(c.Id->Place);
  EXPECT_EQ(c.Id->Place->PlaceEnabled, 1);
  EXPECT_EQ(c.Id->Place->PlaceRotation, 90);
  EXPECT_EQ(c.Id->Place->Package, "0207");
  EXPECT_EQ(c.Elements.size(), count + 2);
  // The visibility chosen is the default of components from macros.
  EXPECT_TRUE(w->Settings().Options.BezSichtbarDefault);
  EXPECT_FALSE(w->Settings().Options.WertSichtbarDefault);
}

TEST_F(ComponentTest, LiveFieldsActAtOnceAndCancelRestoresThem) {
  Part(100);
  const int16_t no = MakeComponent("U1");
  ASSERT_NE(no, 0);
  const TComponent c = FindComponent(Board().Elements, no);
  const TPlaceData before = c.Id->Place ? *c.Id->Place : TPlaceData{};
  const size_t undo = UndoDepth();

  // A double click on the component's pad opens its dialog.
  TObjekt& pad = *c.Elements.front();
  OnNextDialog<TBezWertDlg>([&](TBezWertDlg& d) {
    d.OffsetX()->SetUnits(25000);
    emit d.OffsetX()->UnitsEdited(25000);
    EXPECT_EQ(c.Id->Place->PlaceOffsetX, 25000);  // at once, while the dialog is open
    d.Centre()->setCurrentIndex(1);
    EXPECT_EQ(c.Id->Place->PlaceCentre, 1);
    // Changed fields are coloured, the others not.
    d.Package()->setText("SO8");
    EXPECT_TRUE(d.Package()->styleSheet().contains(TBezWertDlg::ChangedColour().name()));
    EXPECT_TRUE(d.IdField()->styleSheet().isEmpty());
    d.reject();
  });
  QTest::mouseDClick(vp, Qt::LeftButton, {}, PixelOf(At(pad.Pos)));
  const TComponent after = FindComponent(Board().Elements, no);
  ASSERT_NE(after.Id, nullptr);
  const TPlaceData now = after.Id->Place ? *after.Id->Place : TPlaceData{};
  EXPECT_EQ(now, before);
  EXPECT_EQ(UndoDepth(), undo);

  // "0/0" zeroes both offsets.
  OnNextDialog<TBezWertDlg>([](TBezWertDlg& d) {
    d.OffsetX()->SetUnits(1000);
    d.OffsetY()->SetUnits(2000);
    emit d.OffsetY()->UnitsEdited(2000);
    d.ZeroOffsets()->click();
    EXPECT_EQ(d.OffsetX()->Units(), 0);
    EXPECT_EQ(d.OffsetY()->Units(), 0);
    d.accept();
  });
  w->EditComponent(no);
  EXPECT_EQ(FindComponent(Board().Elements, no).Id->Place->PlaceOffsetY, 0);
}

TEST_F(ComponentTest, DisintegrateAndChangesForSeveralComponents) {
  Part(100);
  const int16_t a = MakeComponent("R1");
  for (const auto& e : Board().Elements) SetSelected(*e, false);
  Part(300);
  const int16_t b = MakeComponent("R2");
  ASSERT_NE(a, b);

  // Both selected: a change goes into both after asking.
  for (const auto& e : Board().Elements) SetSelected(*e, true);
  QString asked;
  OnNextDialog<TBezWertDlg>([&asked](TBezWertDlg& d) {
    d.Package()->setText("0805");
    AnswerNextBox(QMessageBox::Yes, &asked);
    d.accept();
  });
  w->EditComponent(a);
  EXPECT_EQ(asked, "Apply changes for all selected components ?");
  EXPECT_EQ(FindComponent(Board().Elements, a).Id->Place->Package, "0805");
  EXPECT_EQ(FindComponent(Board().Elements, b).Id->Place->Package, "0805");
  // The IDs were not changed, so they stay.
  EXPECT_EQ(FindComponent(Board().Elements, b).Id->Text, "R2");

  const size_t labels = Labels();
  OnNextDialog<TBezWertDlg>([](TBezWertDlg& d) {
    AnswerNextBox(QMessageBox::Yes);
    d.Disintegrate()->click();
  });
  w->EditComponent(b);
  EXPECT_TRUE(FindComponent(Board().Elements, b).Elements.empty());
  EXPECT_EQ(Labels(), labels - 2);
  EXPECT_FALSE(FindComponent(Board().Elements, a).Elements.empty());
}

TEST_F(ComponentTest, PanelListsSelectsAndEditsBothWays) {
  for (const char* id : {"R10", "C1", "R2"}) {
    for (const auto& e : Board().Elements) SetSelected(*e, false);
    Part(100 + 150 * int(Board().Elements.size() / 5));
    MakeComponent(id);
  }
  test::FindMenuEntry(w->menuBar(), "Components-Panel")->trigger();
  ASSERT_FALSE(w->ComponentDock()->isHidden());
  QApplication::processEvents();
  TBTList* panel = w->ComponentPanel();
  QTableWidget* table = panel->Table();
  ASSERT_EQ(table->rowCount(), 3);
  EXPECT_EQ(table->item(0, 1)->text(), "C1");
  EXPECT_EQ(table->item(1, 1)->text(), "R2");
  EXPECT_EQ(table->item(2, 1)->text(), "R10");
  EXPECT_EQ(table->item(0, 3)->text(), "Top");

  // A row selects its component on the board, and only it.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(2, 0)).center());
  const int16_t r10 = panel->ComponentOfRow(2);
  for (const auto& e : Board().Elements) EXPECT_EQ(e->Selected != 0, e->ComponentNo == r10);
  // The board's selection chooses the row.
  SelectComponent(Board().Elements, panel->ComponentOfRow(0));
  w->SelectionChanged();
  EXPECT_EQ(table->currentRow(), 0);

  // A double click on a row opens the component's dialog.
  QApplication::processEvents();  // the list is built again after the edit
  bool opened = false;
  OnNextDialog<TBezWertDlg>([&opened](TBezWertDlg& d) {
    opened = true;
    EXPECT_EQ(d.IdField()->text(), "C1");
    d.reject();
  });
  // A real double click: the first click, then the double click.
  const QPoint cell = table->visualItemRect(table->item(0, 3)).center();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_TRUE(opened);

  // The value cell edited in place changes the label.
  QTableWidgetItem* value = table->item(1, 2);
  table->editItem(value);
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : table->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "47k");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(FindComponent(Board().Elements, panel->ComponentOfRow(1)).Value->Text, "47k");
}

TEST_F(ComponentTest, ShowBoxesHideColumnsAndAreKept) {
  test::FindMenuEntry(w->menuBar(), "Components-Panel")->trigger();
  TBTList* panel = w->ComponentPanel();
  panel->ShowBox(5)->setChecked(false);  // Package
  EXPECT_TRUE(panel->Table()->isColumnHidden(5));
  EXPECT_LT(panel->Columns()[5], 0);
  w->close();
  TIniFile ini;
  ini.Load(SettingsFilePath());
  EXPECT_LT(ReadComponentColumns(ini)[5], 0);
  EXPECT_EQ(ReadComponentColumns(ini)[1], kDefaultComponentColumns[1]);
  EXPECT_EQ(ini.ReadInt("Optionen", "Bauteile", 0), 1);
}

TEST_F(ComponentTest, ExportWindowChoosesColumnsAndWritesTheFile) {
  Part(100);
  MakeComponent("R1", "4,7k");
  test::FindMenuEntry(w->menuBar(), "Components-Panel")->trigger();
  const fs::path list = folders.dir / "parts.txt";
  auto run = [&](const std::function<void(TBT_ExportDlg&)>& act, const fs::path& target) {
    OnNextDialog<TBT_ExportDlg>([act, target](TBT_ExportDlg& d) {
      act(d);
      OnNextDialog<QFileDialog>([target](QFileDialog& f) {
        f.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(target.string()));
        QMetaObject::invokeMethod(&f, "accept");
      });
      d.accept();
    });
    QTest::mouseClick(w->ComponentPanel()->ExportButton(), Qt::LeftButton);
  };
  run(
      [](TBT_ExportDlg& d) {
        // The through-hole part shows once its filter is on.
        EXPECT_EQ(d.Preview()->rowCount(), 0);
        d.FilterBox(1)->setChecked(true);
        EXPECT_EQ(d.Preview()->rowCount(), 1);
        // Checking a column appends it; the order list is rearranged by dragging.
        d.ColumnBox(TPnpColumn::Comment)->setChecked(true);
        d.ColumnBox(TPnpColumn::Position)->setChecked(false);
        QListWidget* order = d.Order();
        ASSERT_EQ(order->count(), 6);
        EXPECT_EQ(order->item(5)->text(), "Comment");
        order->model()->moveRow({}, 2, {}, 0);  // Value to the front, as a drop does
        d.Separator()->setCurrentIndex(0);      // comma
        EXPECT_EQ(d.Preview()->columnCount(), 1);
      },
      list);
  std::ifstream in(list, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("\r\n\"4,7k\",1,R1,\xd8"
                      "1,---,\r\n"),
            std::string::npos)
      << text;
  // A file that cannot be written is reported and not left half-written:
  // a folder where the writer puts its temporary file stops it, for root too.
  const fs::path blocked = folders.dir / "blocked.txt";
  fs::create_directories(folders.dir / (".blocked.txt.tmp" + std::to_string(QCoreApplication::applicationPid())));
  QString warning;
  run([&warning](
          TBT_ExportDlg&) { QTimer::singleShot(0, [&warning] { test::AnswerNextBox(QMessageBox::Ok, &warning); }); },
      blocked);
  EXPECT_TRUE(warning.contains("can not be written")) << warning.toStdString();
  EXPECT_FALSE(fs::exists(blocked));

  // The choices are kept.
  w->Project().Changed = false;  // nothing to ask about the board
  w->close();
  TIniFile ini;
  ini.Load(SettingsFilePath());
  EXPECT_EQ(ini.ReadInt("BT_Export", "R0", 0), 3);
  EXPECT_EQ(ini.ReadInt("BT_Export", "Delimiter", 0), ',');
}

TEST_F(ComponentTest, FabricationPresetFromTheWindow) {
  Part(100);
  const int16_t no = MakeComponent("R1", "10k");
  TPlaceData& place = EnsurePlace(*FindComponent(Board().Elements, no).Id);
  place.PlaceEnabled = 1;
  place.PlaceRotation = 90;
  test::FindMenuEntry(w->menuBar(), "Components-Panel")->trigger();
  const fs::path target = folders.dir / "fab.csv";
  OnNextDialog<TBT_ExportDlg>([target](TBT_ExportDlg& d) {
    d.Format()->setCurrentIndex(1);
    EXPECT_EQ(d.Preview()->item(0, 0)->text(), "Designator");
    OnNextDialog<QFileDialog>([target](QFileDialog& f) {
      f.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(target.string()));
      QMetaObject::invokeMethod(&f, "accept");
    });
    d.accept();
  });
  QTest::mouseClick(w->ComponentPanel()->ExportButton(), Qt::LeftButton);
  std::ifstream in(target, std::ios::binary);
  std::string header, row;
  std::getline(in, header);
  std::getline(in, row);
  EXPECT_EQ(header, "Designator,Val,Package,Mid X,Mid Y,Rotation,Layer\r");
  EXPECT_EQ(row.rfind("R1,10k,,", 0), 0u) << row;
  EXPECT_NE(row.find(",270,Top"), std::string::npos) << row;
}

}  // namespace
}  // namespace bs::app
