#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

#include "edit/undo.h"
#include "io/settings.h"
#include "modal_helpers.h"
#include "model/codepage.h"
#include "panels/properties_fields.h"
#include "panels/properties_panel.h"
#include "project/project.h"
#include "render/colours.h"
#include "render/text_strokes.h"

namespace bs::app {
namespace {

// The window around the panel as the tests see it: undo is recorded where
// the main window records it, and every notification is counted.
struct TTestHost : TPropertiesHost {
  TProject project;
  TSettings settings;
  int before = 0, changed = 0, boardChanged = 0, imax = 0, components = 0, repaints = 0, areas = 0;
  QPoint shapeMenuAt{-1, -1};

  TProject& Project() override { return project; }
  TSettings& Settings() override { return settings; }
  uint32_t LayerColour(int layer) override { return TColourScheme().Layer(layer); }
  void BeforeChange() override {
    ++before;
    RecordUndo(project);
  }
  void Changed() override { ++changed; }
  void BoardChanged() override { ++boardChanged; }
  void ShowImaxSettings() override { ++imax; }
  void PadShapeMenu(QPoint global) override { shapeMenuAt = global; }
  void PadSizeMenu(QPoint) override {}
  void SmdSizeMenu(QPoint) override {}
  void InvalidateArea(const TURect&) override { ++areas; }
  void Repaint() override { ++repaints; }
  void ComponentsChanged() override { ++components; }
};

struct PropertiesPanelTest : testing::Test {
  TTestHost host;
  std::unique_ptr<TPropertiesPanel> panel;

  void SetUp() override {
    ResetProject(host.project, TLanguage::English, false);  // 160 x 100 mm
    panel = std::make_unique<TPropertiesPanel>(host);
    panel->resize(250, 760);
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    panel->activateWindow();
    QApplication::setActiveWindow(panel.get());
  }
  void TearDown() override { panel.reset(); }

  TBoard& Board() { return *host.project.Active(); }
  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    e->Clearance = kDefaultClearance;
    e->Selected = 1;
    Board().Elements.push_back(std::move(e));
    return *Board().Elements.back();
  }
  // A selected THT pad with drill and outer diameter in units.
  TObjekt& Pad(float x, float y, float drill, float outer, uint8_t layer = kLayerC1) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, layer, kShapeOctagon, drill / 2, outer / 2);
    return Add(std::move(e));
  }
  TObjekt& Track(std::initializer_list<TFPoint> pts, int32_t width, uint8_t layer = kLayerC1) {
    auto e = NewObjekt();
    InitTrack(*e, width, layer);
    for (TFPoint p : pts) AddPoint(*e, p);
    return Add(std::move(e));
  }
  TObjekt& Text(const char* text, float height, uint8_t layer = kLayerS1) {
    auto e = NewObjekt();
    InitText(*e, {20000, -20000}, text, false, false, layer, 1, 1, height, 0);
    EXPECT_TRUE(BuildTextStrokes(*e, false));
    TObjekt& t = Add(std::move(e));
    for (const auto& s : t.SubElements) s->Selected = 1;
    return t;
  }

  QWidget* Page() {
    static const char* names[] = {"thtPage", "smdPage", "textPage", "circlePage", "trackPage", "zonePage", "boardPage"};
    return panel->findChild<QWidget*>(names[panel->ShownPage()]);
  }
  template <class T>
  T* Find(const char* name) {
    T* w = Page()->findChild<T*>(name);
    EXPECT_TRUE(w) << name;
    return w;
  }
  TLengthField* Field(const char* name) { return Find<TLengthField>(name); }
  QString Shown(const char* name) { return Field(name)->text(); }

  // Types into a field as a user does: everything selected, the text, Enter.
  void Type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  // Check boxes and choice buttons take clicks on their box and caption only.
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }
  // Key events with any characters, also those QTest::keyClicks cannot map.
  static void TypeText(QWidget* w, const QString& text) {
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w, &release);
    }
  }
  void Shot(const char* name) {
    QApplication::processEvents();
    panel->grab().save(QStringLiteral("/tmp/props_%1.png").arg(name));
  }
};

TEST_F(PropertiesPanelTest, MixedDrillsAndOneOuterDiameterForAllInOneUndoStep) {
  Pad(100000, -50000, 6000, 18000);
  Pad(120000, -50000, 8000, 18000);
  Pad(140000, -50000, 10000, 18000);
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageTht);
  EXPECT_EQ(panel->TypeCaption(), "3 Pads");
  EXPECT_FALSE(panel->KindList()->isVisible());  // one kind only
  EXPECT_EQ(Shown("drill"), "");                 // mixed
  EXPECT_EQ(Shown("outerDiameter"), QString::fromUtf8("1.80 mm"));
  EXPECT_FALSE(Field("centreX")->isEnabled());  // several pads
  EXPECT_EQ(Shown("centreX"), "");
  Shot("tht_mixed");

  Type(Field("outerDiameter"), "2,5");  // "," counts as "."
  EXPECT_EQ(host.before, 1);
  EXPECT_EQ(host.changed, 1);
  EXPECT_EQ(Board().UndoStack.size(), 1u);
  const float drills[] = {3000, 4000, 5000};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Board().Elements[i]->SizeA, 12500);
    EXPECT_EQ(Board().Elements[i]->SizeB, drills[i]);
  }
  EXPECT_EQ(Shown("drill"), "");  // still mixed
  EXPECT_GT(host.areas, 0);
  EXPECT_GT(host.repaints, 0);

  ASSERT_TRUE(Undo(host.project));
  for (const auto& e : Board().Elements) e->Selected = 1;
  panel->RefreshPanel();
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Board().Elements[i]->SizeA, 9000);
    EXPECT_EQ(Board().Elements[i]->SizeB, drills[i]);
  }
  EXPECT_EQ(Shown("outerDiameter"), QString::fromUtf8("1.80 mm"));

  // Typing the hidden value of a mixed field still applies it to all.
  Type(Field("drill"), "0.6");
  for (const auto& e : Board().Elements) EXPECT_EQ(e->SizeB, 3000);
  // An outer diameter below the drill is raised to it.
  Type(Field("outerDiameter"), "0.5");
  for (const auto& e : Board().Elements) EXPECT_EQ(e->SizeA, 3000);
  EXPECT_EQ(Shown("outerDiameter"), QString::fromUtf8("0.60 mm"));

  // A step from the mixed state starts at the leader's value.
  for (size_t i = 0; i < 3; ++i) Board().Elements[i]->SizeB = drills[i];
  panel->RefreshPanel();
  ASSERT_EQ(Shown("drill"), "");
  const int announced = host.before;
  QTest::keyClick(Field("drill"), Qt::Key_Up);
  EXPECT_EQ(host.before, announced + 1);
  EXPECT_EQ(Shown("drill"), QString::fromUtf8("0.65 mm"));
  for (const auto& e : Board().Elements) EXPECT_EQ(e->SizeB, 3250);
}

TEST_F(PropertiesPanelTest, KindListChoosesThePage) {
  Pad(100000, -50000, 6000, 18000);
  Track({{0, -10000}, {50000, -10000}}, 8000);
  Pad(120000, -50000, 6000, 18000);
  panel->RefreshPanel();
  QTreeWidget* list = panel->KindList();
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "2");
  EXPECT_EQ(list->topLevelItem(0)->text(1), "Pads");
  EXPECT_EQ(list->topLevelItem(1)->text(0), "1");
  EXPECT_EQ(list->topLevelItem(1)->text(1), "Track");
  EXPECT_EQ(list->height(), 2 * 16 + 2 * list->frameWidth());
  EXPECT_EQ(panel->TypeCaption(), "2 Pads");
  EXPECT_EQ(panel->ShownPage(), TPropertiesPanel::kPageTht);
  Shot("kinds");

  const QRect second = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(panel->ShownPage(), TPropertiesPanel::kPageTrack);
  EXPECT_EQ(panel->TypeCaption(), "1 Track");
}

TEST_F(PropertiesPanelTest, ViaSpokesPerLayer) {
  TObjekt& via = Pad(80000, -50000, 8000, 18000);
  via.Via = 1;
  via.Thermal = 1;
  Board().Platine.ActiveLayer = kLayerC2;
  Board().Platine.GroundPlane[kLayerC2] = 1;
  panel->RefreshPanel();
  auto* individual = Find<QRadioButton>("layerIndividual");
  auto* equal = Find<QRadioButton>("allLayersEqual");
  auto* spokes = Find<TSpokePicker>("spokes");
  ASSERT_TRUE(individual->isVisible());
  EXPECT_TRUE(equal->isChecked());
  EXPECT_EQ(spokes->Mask(), 0x55);
  EXPECT_EQ(Find<QLabel>("spokeWidthLine")->text(), QString::fromUtf8("0.6 mm"));

  Click(individual);
  EXPECT_EQ(host.before, 1);
  EXPECT_EQ(via.ThermalIndividual, 1);
  Click(spokes->Button(2));  // up-right, on C2 only
  EXPECT_EQ(host.before, 2);
  EXPECT_EQ(via.ThermalSpokes, 0x55555755u);
  EXPECT_EQ(spokes->Mask(), 0x57);
  Shot("tht_thermal");

  // Back to one mask: Cancel keeps the layers apart, OK copies C2's mask.
  test::AnswerNextBox(QMessageBox::Cancel);
  Click(equal);
  EXPECT_TRUE(individual->isChecked());
  EXPECT_EQ(via.ThermalIndividual, 1);
  EXPECT_EQ(host.before, 2);
  QString question;
  test::AnswerNextBox(QMessageBox::Ok, &question);
  Click(equal);
  EXPECT_EQ(question, "Assign the thermal spokes to all layers?");
  EXPECT_EQ(via.ThermalIndividual, 0);
  EXPECT_EQ(via.ThermalSpokes, 0x57575757u);

  // Individual spokes need the active layer's ground plane: without it the
  // buttons are off and the frame hatched.
  via.ThermalIndividual = 1;
  Board().Platine.GroundPlane[kLayerC2] = 0;
  panel->RefreshPanel();
  EXPECT_FALSE(Find<TSpokePicker>("spokes")->Button(1)->isEnabled());
  Shot("tht_thermal_off");

  // The slider writes the spoke width.
  Board().Platine.GroundPlane[kLayerC2] = 1;
  panel->RefreshPanel();
  auto* slider = Find<QSlider>("spokeWidth");
  const int announced = host.before;
  slider->setFocus(Qt::TabFocusReason);
  QTest::keyClick(slider, Qt::Key_PageUp);
  EXPECT_EQ(via.ThermalWidth, 110);
  EXPECT_EQ(host.before, announced + 1);
  EXPECT_EQ(Find<QLabel>("spokeWidthLine")->text(), QString::fromUtf8("0.66 mm"));
}

TEST_F(PropertiesPanelTest, ThermalCheckShowsTheGroupAndRaisesTheClearance) {
  TObjekt& pad = Pad(80000, -50000, 8000, 18000);
  pad.Clearance = 400;
  panel->RefreshPanel();
  EXPECT_FALSE(Find<QSlider>("spokeWidth")->isVisible());
  Click(Find<QCheckBox>("thermalPad"));
  EXPECT_EQ(pad.Thermal, 1);
  EXPECT_EQ(pad.Clearance, 1000);
  EXPECT_TRUE(Find<QSlider>("spokeWidth")->isVisible());
  EXPECT_FALSE(Find<QRadioButton>("layerIndividual")->isVisible());  // not a via

  Click(Find<QCheckBox>("throughPad"));
  EXPECT_EQ(pad.Via, 1);
  EXPECT_EQ(host.changed, 1);
  EXPECT_TRUE(Find<QRadioButton>("layerIndividual")->isVisible());
  Find<QToolButton>("shape")->click();
  EXPECT_NE(host.shapeMenuAt, QPoint(-1, -1));
}

TEST_F(PropertiesPanelTest, TextWithTheHeightLimit) {
  host.settings.Options.SchrifthoeheBegrenzen = true;
  TObjekt& t = Text("AB", 20000);
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageText);
  EXPECT_EQ(panel->TypeCaption(), "1 Text");
  auto* text = Find<QLineEdit>("text");
  EXPECT_EQ(text->text(), "AB");

  Click(Find<QRadioButton>("thickness0"));  // "Thin"
  EXPECT_EQ(host.before, 1);
  EXPECT_EQ(t.SizeB, 0);
  EXPECT_EQ(t.SizeA, 25000);
  EXPECT_EQ(Shown("textHeight"), QString::fromUtf8("2.5 mm"));

  // Entering the field announces the change once; every keystroke applies.
  QTest::mouseClick(text, Qt::LeftButton);
  EXPECT_EQ(host.before, 2);
  text->end(false);
  TypeText(text, QString::fromUtf8("Ж1"));
  EXPECT_EQ(host.before, 2);
  EXPECT_EQ(t.Text, Utf8ToCp1251("ABЖ1"));
  EXPECT_FALSE(t.SubElements.empty());
  for (const auto& s : t.SubElements) EXPECT_EQ(s->Selected, 1);
  EXPECT_TRUE(Find<QLabel>("strokeLine")->text().startsWith("text-thickness: "));
  EXPECT_TRUE(Find<QLabel>("strokeLine")->text().endsWith(" mm"));

  Click(Find<QPushButton>("angle90"));
  EXPECT_EQ(t.Rotation, 90);
  EXPECT_EQ(Find<QDoubleSpinBox>("angle")->text(), "90");

  // Without the limit a small height is taken as it is, and the stroke line
  // warns below 0.15 mm.
  host.settings.Options.SchrifthoeheBegrenzen = false;
  Type(Field("textHeight"), "0.5");
  EXPECT_EQ(t.SizeA, 5000);
  auto* stroke = Find<QLabel>("strokeLine");
  EXPECT_TRUE(stroke->text().endsWith(" !"));
  EXPECT_TRUE(stroke->styleSheet().contains("#FF0000"));
  Shot("text");
}

TEST_F(PropertiesPanelTest, MixedTextsKeepTheirStrings) {
  TObjekt& a = Text("A", 15000);
  TObjekt& b = Text("B", 15000);
  b.Rotation = 90;
  BuildTextStrokes(b, false);
  panel->RefreshPanel();
  auto* text = Find<QLineEdit>("text");
  EXPECT_EQ(text->text(), "");
  EXPECT_EQ(text->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(Find<QDoubleSpinBox>("angle")->text(), "");
  Shot("text_mixed");

  Click(Find<QCheckBox>("mirrorH"));
  EXPECT_EQ(a.MirrorH, 1);
  EXPECT_EQ(b.MirrorH, 1);
  EXPECT_EQ(a.Text, "A");
  EXPECT_EQ(b.Text, "B");
  EXPECT_EQ(b.Rotation, 90);

  QTest::mouseClick(text, Qt::LeftButton);
  QTest::keyClicks(text, "C");
  EXPECT_EQ(text->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(a.Text, "C");
  EXPECT_EQ(b.Text, "C");
}

TEST_F(PropertiesPanelTest, TrackWidthAndCurrentCapacity) {
  TObjekt& t = Track({{0, -10000}, {30000, -10000}, {30000, -50000}}, 8000);
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageTrack);
  EXPECT_EQ(Find<QLabel>("current")->text(), "2.51 A");
  EXPECT_EQ(Find<QToolButton>("currentSettings")->text(), QString::fromUtf8(" * (35µ / 20°)"));
  EXPECT_EQ(Find<QLabel>("length")->text(), "7.000 mm");
  EXPECT_EQ(Find<QLabel>("nodes")->text(), "3");
  Shot("track");

  Type(Field("trackWidth"), "1.6");
  EXPECT_EQ(t.Width, 16000);
  EXPECT_EQ(host.before, 1);
  EXPECT_EQ(host.changed, 1);
  EXPECT_EQ(Find<QLabel>("current")->text(),
            QString::fromStdString(CurrentCapacityText(CurrentCapacity(16000, 35, 20))));

  Click(Find<QToolButton>("flatEnd"));
  EXPECT_EQ(t.TrackEnds, 2);
  EXPECT_EQ(host.before, 2);
  Shot("track_flat_end");
  Click(Find<QToolButton>("currentSettings"));
  EXPECT_EQ(host.imax, 1);

  host.settings.Options.Imax_CU = 70;
  panel->RefreshPanel();
  EXPECT_EQ(Find<QToolButton>("currentSettings")->text(), QString::fromUtf8(" * (70µ / 20°)"));
}

TEST_F(PropertiesPanelTest, BoardPage) {
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageBoard);
  EXPECT_EQ(panel->TypeCaption(), "Board");
  EXPECT_EQ(Shown("boardWidth"), QString::fromUtf8("160.00 mm"));
  EXPECT_EQ(Find<QLineEdit>("boardName")->text(), "Board 1");
  EXPECT_EQ(Find<QLabel>("area")->text(), QString::fromUtf8("160 cm²"));
  Shot("board");

  Type(Field("boardWidth"), "200");
  EXPECT_EQ(Board().Platine.Width, 2000000);
  EXPECT_EQ(host.boardChanged, 1);
  EXPECT_EQ(host.before, 1);
  EXPECT_EQ(Find<QLabel>("area")->text(), QString::fromUtf8("200 cm²"));
  ASSERT_TRUE(Undo(host.project));
  EXPECT_EQ(Board().Platine.Width, 1600000);

  auto* name = Find<QLineEdit>("boardName");
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, "Top");
  EXPECT_EQ(Board().Caption, "Top ");

  // Switching multilayer off with an element on I1 asks first.
  Board().Platine.Multilayer = 1;
  Track({{0, -10000}, {50000, -10000}}, 8000, kLayerI1).Selected = 0;
  panel->RefreshPanel();
  auto* multilayer = Find<QCheckBox>("multilayer");
  ASSERT_TRUE(multilayer->isChecked());
  const int changes = host.boardChanged;
  QString question;
  test::AnswerNextBox(QMessageBox::Cancel, &question);
  Click(multilayer);
  EXPECT_TRUE(question.startsWith("All elements on the inner layer I1 and I2 will be deleted."));
  EXPECT_TRUE(multilayer->isChecked());
  EXPECT_EQ(Board().Platine.Multilayer, 1);
  EXPECT_EQ(Board().Elements.size(), 1u);
  EXPECT_EQ(host.boardChanged, changes);
  test::AnswerNextBox(QMessageBox::Ok);
  Click(multilayer);
  EXPECT_EQ(Board().Platine.Multilayer, 0);
  EXPECT_TRUE(Board().Elements.empty());
  EXPECT_EQ(host.boardChanged, changes + 1);
}

TEST_F(PropertiesPanelTest, MilUnit) {
  TObjekt& pad = Pad(80000, -50000, 8000, 18000);
  panel->SetPanelUnit(TDisplayUnit::Mil);
  panel->RefreshPanel();
  EXPECT_EQ(Shown("outerDiameter"), "70.9 mil");
  EXPECT_EQ(Shown("centreX"), "315.0 mil");
  Shot("tht_mil");
  Type(Field("outerDiameter"), "100");
  EXPECT_EQ(pad.SizeA, 12700);
  EXPECT_EQ(pad.SizeB, 4000);

  panel->SetPanelUnit(TDisplayUnit::Mm);
  EXPECT_EQ(Shown("outerDiameter"), QString::fromUtf8("2.54 mm"));
  pad.Selected = 0;
  panel->SetPanelUnit(TDisplayUnit::Mil);
  panel->RefreshPanel();
  EXPECT_EQ(Find<QLabel>("area")->text(), QString::fromUtf8("24.8 in²"));
  EXPECT_EQ(Shown("boardWidth"), "6299.2 mil");
}

TEST_F(PropertiesPanelTest, EveryKindHasItsPage) {
  auto smd = NewObjekt();
  InitSmdPad(*smd, {50000, -50000}, 9000, kLayerC1, 18000);
  TObjekt& s = Add(std::move(smd));
  auto circle = NewObjekt();
  InitCircle(*circle, {50000, -50000}, 11000, kLayerS1, 9000);
  TObjekt& c = Add(std::move(circle));
  c.Selected = 0;
  auto zone = NewObjekt();
  InitZone(*zone, 3000, kLayerC1);
  for (TFPoint p : {TFPoint{0, 0}, TFPoint{20000, 0}, TFPoint{20000, -20000}}) AddPoint(*zone, p);
  TObjekt& z = Add(std::move(zone));
  z.Selected = 0;

  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageSmd);
  EXPECT_EQ(panel->TypeCaption(), "1 SMD pad");
  EXPECT_EQ(Shown("smdWidth"), QString::fromUtf8("0.90 mm"));
  Type(Field("smdHeight"), "2");
  EXPECT_NEAR(s.SizeB, 20000, 0.5);
  EXPECT_NEAR(s.SizeA, 9000, 0.5);
  Click(Find<QCheckBox>("thermalPad"));
  EXPECT_TRUE(Find<TSpokePicker>("spokes")->isVisible());
  Click(Find<TSpokePicker>("spokes")->Button(1));
  EXPECT_EQ(s.ThermalSpokes, 0x54u);
  Shot("smd");

  s.Selected = 0;
  c.Selected = 1;
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageCircle);
  EXPECT_EQ(Shown("circleWidth"), QString::fromUtf8("0.20 mm"));
  EXPECT_EQ(Shown("diameter"), QString::fromUtf8("2.00 mm"));
  Type(Field("diameter"), "3");
  EXPECT_EQ(c.SizeA, 16000);
  EXPECT_EQ(c.SizeB, 14000);
  Shot("circle");

  c.Selected = 0;
  z.Selected = 1;
  z.Hatch = 1;
  z.HatchAuto = 0;
  panel->RefreshPanel();
  ASSERT_EQ(panel->ShownPage(), TPropertiesPanel::kPageZone);
  EXPECT_TRUE(Field("hatchWidth")->isEnabled());
  Type(Field("hatchWidth"), "1");
  EXPECT_EQ(z.HatchWidth, 6000);  // at most twice the outline
  EXPECT_EQ(Shown("hatchWidth"), QString::fromUtf8("0.60 mm"));
  Click(Find<QCheckBox>("cutout"));
  EXPECT_EQ(z.Cutout, 1);
  EXPECT_FALSE(Find<QCheckBox>("hatched")->isEnabled());
  EXPECT_FALSE(Field("hatchWidth")->isEnabled());
  Shot("zone");
}

TEST_F(PropertiesPanelTest, FlashesThreeTimes) {
  const QColor own = panel->palette().color(QPalette::Window);
  panel->Flash();
  EXPECT_TRUE(panel->Flashing());
  EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  QTRY_VERIFY_WITH_TIMEOUT(!panel->Flashing(), 2000);
  EXPECT_EQ(panel->palette().color(QPalette::Window), own);
}

}  // namespace
}  // namespace bs::app
