// A small board to run edit operations on, with helpers that build elements
// and compare whole boards.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "edit/clipboard.h"
#include "edit/undo.h"
#include "edit/units.h"
#include "model/objekt_list.h"
#include "project/project.h"
#include "render/text_strokes.h"

namespace bs::edit_test {

struct EditTest : testing::Test {
  TProject p;

  void SetUp() override {
    ResetProject(p, TLanguage::English, true);  // 160 x 100 mm, zero point top left
    B().Platine.Grid = 10000;                   // 1 mm
  }

  TBoard& B() { return *p.Active(); }
  TObjektList& L() { return B().Elements; }

  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    e->Clearance = kDefaultClearance;
    L().push_back(std::move(e));
    return *L().back();
  }
  TObjekt& Pad(float x, float y, uint8_t layer = kLayerC1) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, layer, kShapeRound, 3000, 9000);
    return Add(std::move(e));
  }
  TObjekt& Smd(float x, float y, uint8_t layer = kLayerC1) {
    auto e = NewObjekt();
    InitSmdPad(*e, {x, y}, 10000, layer, 20000);
    return Add(std::move(e));
  }
  TObjekt& Track(std::initializer_list<TFPoint> pts, uint8_t layer = kLayerC1, int32_t width = 2000) {
    auto e = NewObjekt();
    InitTrack(*e, width, layer);
    for (TFPoint q : pts) AddPoint(*e, q);
    return Add(std::move(e));
  }
  TObjekt& Zone(std::initializer_list<TFPoint> pts, uint8_t layer = kLayerC1) {
    auto e = NewObjekt();
    InitZone(*e, 2000, layer);
    for (TFPoint q : pts) AddPoint(*e, q);
    return Add(std::move(e));
  }
  TObjekt& Circle(float x, float y, float outer, uint8_t layer = kLayerS1) {
    auto e = NewObjekt();
    InitCircle(*e, {x, y}, outer, layer, outer - 2000);
    return Add(std::move(e));
  }
  TObjekt& Text(float x, float y, const char* text, uint8_t layer = kLayerS1, int32_t rotation = 0) {
    auto e = NewObjekt();
    InitText(*e, {x, y}, text, false, false, layer, 1, 1, 15000, rotation);
    EXPECT_TRUE(BuildTextStrokes(*e, false));
    return Add(std::move(e));
  }
  // A component label of component `no`: bit 0 ID, bit 1 value.
  TObjekt& Label(float x, float y, const char* text, int16_t no, uint8_t role, uint8_t layer = kLayerS1) {
    TObjekt& t = Text(x, y, text, layer);
    t.ComponentNo = no;
    t.LabelRole = role;
    t.LabelVisible = 1;
    return t;
  }

  static void Connect(TObjekt& a, TObjekt& b) {
    a.Connections.push_back(&b);
    b.Connections.push_back(&a);
  }
  void SelectOnly(std::initializer_list<TObjekt*> elements) {
    DeselectAll(L());
    for (TObjekt* e : elements) SetSelected(*e, true);
  }

  // The whole element list as bytes, selection left out: equal bytes mean
  // equal boards.
  std::vector<uint8_t> Fingerprint() {
    TObjektList copy = CopyList(L());
    DeselectAll(copy);
    return EncodeClipboard(copy);
  }
  size_t UndoDepth() { return B().UndoStack.size(); }
};

// Runs `op`, expects exactly one new undo step, then undoes it and expects
// the board as it was before.
#define EXPECT_ONE_UNDO_STEP(op)        \
  do {                                  \
    const auto before_ = Fingerprint(); \
    const size_t depth_ = UndoDepth();  \
    op;                                 \
    EXPECT_EQ(UndoDepth(), depth_ + 1); \
    EXPECT_NE(Fingerprint(), before_);  \
    ASSERT_TRUE(Undo(p));               \
    EXPECT_EQ(Fingerprint(), before_);  \
  } while (0)

// Runs `op` and expects neither a change of the board nor an undo step.
#define EXPECT_NO_UNDO_STEP(op)         \
  do {                                  \
    const auto before_ = Fingerprint(); \
    const size_t depth_ = UndoDepth();  \
    op;                                 \
    EXPECT_EQ(UndoDepth(), depth_);     \
    EXPECT_EQ(Fingerprint(), before_);  \
  } while (0)

inline TFPoint Pt(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

}  // namespace bs::edit_test
