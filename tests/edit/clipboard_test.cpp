#include "edit/clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

using ClipboardTest = EditTest;

std::vector<TObjekt*> SelectedOf(const TObjektList& list) {
  std::vector<TObjekt*> out;
  for (const auto& e : list)
    if (e->Selected) out.push_back(e.get());
  return out;
}

TEST_F(ClipboardTest, CopyPasteKeepsConnectionsAmongCopiesAndDropsThoseLeadingOut) {
  TObjekt& a = Pad(10000, -10000);
  TObjekt& b = Pad(20000, -10000);
  TObjekt& c = Pad(30000, -10000);
  Connect(a, b);
  Connect(b, c);
  SelectOnly({&a, &b});
  TClipboard clip;
  EXPECT_EQ(CopySelection(p, clip), 2u);

  // The clipboard outlives the board: paste into another one.
  AddBoard(p, "Second", 1600000, 1000000, true);
  TPrepared prepared = PreparePaste(p, clip);
  ASSERT_TRUE(prepared.Error.empty());
  ASSERT_EQ(prepared.Elements.size(), 2u);
  EXPECT_FALSE(prepared.Elements[0]->Selected);
  EXPECT_EQ(prepared.Elements[0]->Connections, TRefList{prepared.Elements[1].get()});

  EXPECT_ONE_UNDO_STEP(PlaceElements(p, prepared.Elements, 5000, -20000));
  EXPECT_TRUE(PlaceElements(p, prepared.Elements, 5000, -20000).Done());
  ASSERT_EQ(L().size(), 2u);
  TObjekt& a2 = *L()[0];
  TObjekt& b2 = *L()[1];
  EXPECT_EQ(a2.Pos, Pt(15000, -30000));
  EXPECT_EQ(b2.Pos, Pt(25000, -30000));
  EXPECT_EQ(a2.Connections, TRefList{&b2});
  EXPECT_EQ(b2.Connections, TRefList{&a2});
  EXPECT_TRUE(a2.Selected && b2.Selected);
  // The originals are untouched.
  EXPECT_EQ(b.Connections, (TRefList{&a, &c}));
}

TEST_F(ClipboardTest, ComponentCopiedInPartLosesItsMembershipAndLabelRoles) {
  TObjekt& p1 = Pad(10000, -10000);
  TObjekt& p2 = Pad(20000, -10000);
  TObjekt& id = Label(10000, -20000, "R1", 2, 1);
  EnsurePlace(id).Package = "0805";
  for (TObjekt* e : {&p1, &p2}) e->ComponentNo = 2;

  struct Case {
    const char* name;
    std::vector<TObjekt*> selection;
    int16_t component;  // of every copy
    uint8_t labelRole;
  };
  for (const Case& k : {Case{"whole", {&p1, &p2, &id}, 2, 1}, Case{"part", {&p1, &id}, 0, 0}}) {
    SCOPED_TRACE(k.name);
    DeselectAll(L());
    for (TObjekt* e : k.selection) SetSelected(*e, true);
    TClipboard clip;
    CopySelection(p, clip);
    TObjektList copies;
    std::string error;
    ASSERT_TRUE(DecodeClipboard(clip.Bytes, copies, error));
    ASSERT_EQ(copies.size(), k.selection.size());
    for (const auto& c : copies) EXPECT_EQ(c->ComponentNo, k.component);
    const TObjekt& label = *copies.back();
    EXPECT_EQ(label.LabelRole, k.labelRole);
    EXPECT_EQ(label.Place && label.Place->Package == "0805", k.labelRole == 1);
  }
  // Copying changes nothing on the board.
  EXPECT_EQ(p1.ComponentNo, 2);
  EXPECT_EQ(id.LabelRole, 1);
}

TEST_F(ClipboardTest, PastedNumbersNeverMergeWithExistingOnes) {
  TObjekt& t = Track({Pt(10000, -10000), Pt(20000, -10000)});
  AddGroupNumber(t, 3);
  TObjekt& pad = Pad(30000, -30000);
  pad.ComponentNo = 2;
  SelectOnly({&t, &pad});
  TClipboard clip;
  CopySelection(p, clip);
  const TPrepared prepared = PreparePaste(p, clip);
  EXPECT_FALSE(AnySelected(L()));  // paste starts with nothing selected

  ASSERT_TRUE(PlaceElements(p, prepared.Elements, 0, -10000).ComponentsChanged);
  ASSERT_EQ(L().size(), 4u);
  // Group 3 + highest 3, component 2 + highest 2; the two pasted units are
  // joined in a fresh group.
  EXPECT_EQ(L()[2]->Groups, (TGroupList{6, 7}));
  EXPECT_EQ(L()[3]->ComponentNo, 4);
  EXPECT_EQ(L()[3]->Groups, (TGroupList{7}));

  // Pasting again gives a second, independent group.
  PlaceElements(p, prepared.Elements, 0, -20000);
  ASSERT_EQ(L().size(), 6u);
  EXPECT_EQ(L()[4]->Groups, (TGroupList{10, 11}));
  EXPECT_EQ(L()[5]->ComponentNo, 6);
  EXPECT_EQ(SelectedOf(L()), (std::vector<TObjekt*>{L()[4].get(), L()[5].get()}));
}

TEST_F(ClipboardTest, PastingOneUnitAddsNoGroup) {
  // A single track; two subgroups of one outer group.
  TObjekt& t = Track({Pt(10000, -10000), Pt(20000, -10000)});
  TObjekt& a = Pad(10000, -20000);
  TObjekt& b = Pad(20000, -20000);
  a.Groups = {3, 4};
  b.Groups = {3, 5};
  struct Case {
    std::vector<TObjekt*> selection;
    std::vector<TGroupList> pasted;
  };
  for (const Case& k : {Case{{&t}, {{}}}, Case{{&a, &b}, {{8, 9}, {8, 10}}}}) {
    SCOPED_TRACE(k.selection.size());
    DeselectAll(L());
    for (TObjekt* e : k.selection) SetSelected(*e, true);
    TClipboard clip;
    const TPrepared prepared = DuplicateSelection(p, clip);
    ASSERT_EQ(prepared.Elements.size(), k.pasted.size());
    const size_t first = L().size();
    PlaceElements(p, prepared.Elements, 0, -5000);
    for (size_t i = 0; i < k.pasted.size(); ++i) EXPECT_EQ(L()[first + i]->Groups, k.pasted[i]);
  }
}

TEST_F(ClipboardTest, UnreadableClipboardFailsWithAMessage) {
  Pad(10000, -10000);
  TClipboard clip;
  clip.Bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  SelectOnly({L()[0].get()});
  TClipboard good;
  CopySelection(p, good);
  TClipboard cut = good;
  cut.Bytes.resize(cut.Bytes.size() - 3);
  for (const TClipboard* c : {&clip, &cut}) {
    const TPrepared prepared = PreparePaste(p, *c);
    EXPECT_EQ(prepared.Error, kClipboardUnreadable);
    EXPECT_TRUE(prepared.Elements.empty());
  }
  EXPECT_EQ(L().size(), 1u);
  EXPECT_NO_UNDO_STEP(PlaceElements(p, TObjektList{}, 0, 0));
}

TEST_F(ClipboardTest, CopyOfNothingEmptiesTheClipboard) {
  Pad(10000, -10000);
  TClipboard clip;
  SelectOnly({L()[0].get()});
  CopySelection(p, clip);
  EXPECT_FALSE(clip.Empty());
  DeselectAll(L());
  EXPECT_EQ(CopySelection(p, clip), 0u);
  EXPECT_TRUE(clip.Empty());
  EXPECT_TRUE(PreparePaste(p, clip).Elements.empty());
}

TEST_F(ClipboardTest, DeleteKeepsLonelyLabelsAndDropsThoseOfAVanishedComponent) {
  // 0, 1: pads of component 2; 2, 3: its ID and value labels; 4: a pad
  // outside, connected to pad 0.
  Pad(10000, -10000).ComponentNo = 2;
  Pad(20000, -10000).ComponentNo = 2;
  Label(10000, -20000, "R1", 2, 1);
  Label(10000, -30000, "10k", 2, 2);
  Connect(*L()[0], Pad(50000, -10000));
  auto at = [&](size_t i) { return L()[i].get(); };

  // The ID label alone is never deleted.
  SelectOnly({at(2)});
  EXPECT_NO_UNDO_STEP(DeleteSelection(p));

  // One pad of the component: it goes, the labels stay, its partner forgets it.
  SelectOnly({at(0), at(2)});
  EXPECT_ONE_UNDO_STEP(DeleteSelection(p));
  SelectOnly({at(0), at(2)});
  ASSERT_TRUE(DeleteSelection(p).ComponentsChanged);
  ASSERT_EQ(L().size(), 4u);
  EXPECT_EQ(at(0)->Pos, Pt(20000, -10000));
  EXPECT_TRUE(IsIdLabel(*at(1)));
  EXPECT_TRUE(at(3)->Connections.empty());

  // The last part goes: the labels go with it although they were not selected.
  SelectOnly({at(0)});
  DeleteSelection(p);
  ASSERT_EQ(L().size(), 1u);
  EXPECT_EQ(at(0)->Pos, Pt(50000, -10000));
}

TEST_F(ClipboardTest, CutCopiesThenDeletes) {
  TObjekt& a = Pad(10000, -10000);
  Pad(20000, -10000);
  SelectOnly({&a});
  TClipboard clip;
  EXPECT_ONE_UNDO_STEP(CutSelection(p, clip));
  EXPECT_FALSE(clip.Empty());
  SelectOnly({L()[0].get()});
  CutSelection(p, clip);
  EXPECT_EQ(L().size(), 1u);
  const TPrepared prepared = PreparePaste(p, clip);
  ASSERT_EQ(prepared.Elements.size(), 1u);
  EXPECT_EQ(prepared.Elements[0]->Pos, Pt(10000, -10000));
}

TEST_F(ClipboardTest, PreparedElementsFollowTheirReferencePoint) {
  TObjekt& a = Pad(30000, -10000);
  TObjekt& b = Pad(20000, -5000);
  Track({Pt(0, 0), Pt(10000, 0)});
  SelectOnly({&a, &b, L()[2].get()});
  TClipboard clip;
  const TPrepared prepared = DuplicateSelection(p, clip);
  // Pads before track vertices; the upper-left one of them.
  EXPECT_EQ(PreparedReferencePoint(prepared.Elements, B().Platine), (TDPoint{20000, -5000}));
}

}  // namespace
}  // namespace bs::edit_test
