#include <gtest/gtest.h>

#include "model/objekt_list.h"

namespace bs {
namespace {

TObjekt& AddPad(TObjektList& list, float x, int comp = 0) {
  auto e = NewObjekt();
  InitThtPad(*e, {x, 0}, kLayerC1, kShapeRound, 400, 900);
  e->ComponentNo = static_cast<int16_t>(comp);
  list.push_back(std::move(e));
  return *list.back();
}

TObjekt& AddTrack(TObjektList& list, int points = 2, uint8_t layer = kLayerC1) {
  auto e = NewObjekt();
  InitTrack(*e, 1000, layer);
  for (int i = 0; i < points; ++i) AddPoint(*e, {float(i * 1000), 0});
  list.push_back(std::move(e));
  return *list.back();
}

void Connect(TObjekt& a, TObjekt& b) {
  a.Connections.push_back(&b);
  b.Connections.push_back(&a);
}

TEST(RemapReferences, KeepsConnectionsInsideTheCopiedSetAndCutsTheRest) {
  TObjektList src;
  TObjekt& a = AddPad(src, 0, 1);
  TObjekt& b = AddPad(src, 1000, 1);
  TObjekt& outside = AddPad(src, 2000);
  Connect(a, b);
  Connect(b, outside);
  TObjekt& routed = AddTrack(src);
  routed.Routed = 1;
  routed.RouteStart = &a;
  routed.RouteEnd = &outside;

  TObjektList dst;
  AddTrack(dst);  // something already there: copies start at index 1
  for (TObjekt* s : {&a, &b, &routed}) dst.push_back(CloneObjekt(*s));
  RemapReferences(src, dst, 1);

  TObjekt& ca = *dst[1];
  TObjekt& cb = *dst[2];
  TObjekt& ct = *dst[3];
  EXPECT_EQ(ca.Connections, TRefList{&cb});
  EXPECT_EQ(cb.Connections, TRefList{&ca});  // the link to `outside` is dropped
  EXPECT_EQ(ct.RouteStart, &ca);
  EXPECT_EQ(ct.RouteEnd, nullptr);
  // The sources are untouched and no longer marked.
  EXPECT_EQ(b.Connections.size(), 2u);
  for (const auto& s : src) EXPECT_EQ(s->Copied, 0);
}

TEST(CopyList, CopyIsIndependentOfTheSource) {
  TObjektList src;
  TObjekt& a = AddPad(src, 0);
  TObjekt& b = AddPad(src, 1000);
  Connect(a, b);
  TObjektList copy = CopyList(src);
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(copy[0]->Connections, TRefList{copy[1].get()});
  EXPECT_EQ(copy[1]->Connections, TRefList{copy[0].get()});
  EXPECT_EQ(a.Connections, TRefList{&b});
}

TEST(DeleteObjekt, PadLeavesPartnersAndRouteLinks) {
  TObjektList list;
  TObjekt& a = AddPad(list, 0);
  TObjekt& b = AddPad(list, 1000);
  TObjekt& c = AddPad(list, 2000);
  Connect(a, b);
  Connect(b, c);
  TObjekt& routed = AddTrack(list);
  routed.Routed = 1;
  routed.RouteStart = &a;
  routed.RouteEnd = &b;

  DeleteObjektAt(list, 1);  // b
  ASSERT_EQ(list.size(), 3u);
  EXPECT_TRUE(a.Connections.empty());
  EXPECT_TRUE(c.Connections.empty());
  EXPECT_EQ(routed.RouteStart, &a);
  EXPECT_EQ(routed.RouteEnd, nullptr);

  DeleteObjektAt(list, 99);  // out of range: nothing
  EXPECT_EQ(list.size(), 3u);
}

TEST(Partners, ComponentAndInnermostGroup) {
  TObjektList list;
  TObjekt& p1 = AddPad(list, 0, 3);
  TObjekt& p2 = AddPad(list, 1000, 3);
  TObjekt& t1 = AddTrack(list);
  TObjekt& t2 = AddTrack(list);
  TObjekt& t3 = AddTrack(list);
  t1.Groups = {1, 7};
  t2.Groups = {7};     // same innermost number
  t3.Groups = {7, 2};  // 7 is only an outer group here
  EXPECT_EQ(Partners(list, p1), (std::vector<TObjekt*>{&p1, &p2}));
  EXPECT_EQ(Partners(list, t1), (std::vector<TObjekt*>{&t1, &t2}));
  EXPECT_EQ(Partners(list, t3), (std::vector<TObjekt*>{&t3}));
  EXPECT_EQ(ComponentMembers(list, 3), (std::vector<TObjekt*>{&p1, &p2}));
}

TEST(NextFreeNumber, AtLeastTwoAndAboveEveryGroupDepth) {
  TObjektList list;
  EXPECT_EQ(NextFreeComponentNo(list), 2);
  EXPECT_EQ(NextFreeGroupNo(list), 2);
  AddPad(list, 0, 5);
  AddTrack(list).Groups = {9, 3};
  EXPECT_EQ(NextFreeComponentNo(list), 6);
  // Ungrouping the track later uncovers 9, so a new group must not take it.
  EXPECT_EQ(NextFreeGroupNo(list), 10);
}

TEST(CleanUpList, RemovesWhatCannotBeDrawnAndRepairs) {
  TObjektList list;
  AddTrack(list, 1);  // one point: removed
  TObjekt& keptTrack = AddTrack(list, 2);
  auto zone = NewObjekt();
  InitZone(*zone, 100, kLayerC1);
  AddPoint(*zone, {0, 0});
  AddPoint(*zone, {5, 5});  // two points: stays
  list.push_back(std::move(zone));
  AddTrack(list, 2, 0);  // layer 0: removed
  auto text = NewObjekt();
  InitText(*text, {0, 0}, "x", false, false, kLayerS1, 1, 1, 1000, 0);
  list.push_back(std::move(text));  // no strokes: removed
  TObjekt& via = AddPad(list, 0);
  via.Via = 1;
  via.Layer = kLayerS1;  // via on silkscreen loses Via
  auto circle = NewObjekt();
  InitCircle(*circle, {0, 0}, 10000, kLayerS1, 12000);
  list.push_back(std::move(circle));
  TObjekt& badPad = AddPad(list, 0);
  badPad.Layer = 0;  // removed; its partner forgets it
  Connect(via, badPad);

  EXPECT_TRUE(CleanUpList(list));
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].get(), &keptTrack);
  EXPECT_EQ(list[1]->Kind, kKindZone);
  EXPECT_EQ(via.Via, 0);
  EXPECT_TRUE(via.Connections.empty());
  EXPECT_EQ(list[3]->SizeA, 11001);
  EXPECT_EQ(list[3]->SizeB, 10999);
  EXPECT_FALSE(CleanUpList(list));
}

TEST(Renumber, DenseAndInOrder) {
  TObjektList list;
  AddPad(list, 0, 7);
  AddPad(list, 0, 3);
  AddPad(list, 0, 7);
  AddPad(list, 0, 0);
  AddTrack(list).Groups = {9, 5};
  AddTrack(list).Groups = {5};
  AddTrack(list).Groups = {12};
  RenumberGroupsAndComponents(list);
  EXPECT_EQ(list[0]->ComponentNo, 2);
  EXPECT_EQ(list[1]->ComponentNo, 1);
  EXPECT_EQ(list[2]->ComponentNo, 2);
  EXPECT_EQ(list[3]->ComponentNo, 0);
  EXPECT_EQ(list[4]->Groups, (TGroupList{2, 1}));
  EXPECT_EQ(list[5]->Groups, (TGroupList{1}));
  EXPECT_EQ(list[6]->Groups, (TGroupList{3}));
}

TEST(ResetSolderMask, BackToDefaults) {
  TObjektList list;
  TObjekt& pad = AddPad(list, 0);
  pad.SolderMask = 0;
  TObjekt& track = AddTrack(list);
  track.SolderMask = 1;
  TObjekt& silkPad = AddPad(list, 0);
  silkPad.Layer = kLayerS2;
  ResetSolderMask(list);
  EXPECT_EQ(pad.SolderMask, 1);
  EXPECT_EQ(track.SolderMask, 0);
  EXPECT_EQ(silkPad.SolderMask, 0);
}

TEST(Selection, PartnersAloneAndLabels) {
  TObjektList list;
  TObjekt& g1 = AddTrack(list);
  TObjekt& g2 = AddTrack(list);
  TObjekt& other = AddTrack(list);
  g1.Groups = g2.Groups = {4};
  SelectWithPartners(list, g1, false);
  EXPECT_EQ(g2.Selected, 1);
  EXPECT_EQ(other.Selected, 0);
  DeselectWithPartners(list, g2, false);
  EXPECT_EQ(g1.Selected, 0);
  SelectWithPartners(list, g1, true);  // Alt held
  EXPECT_EQ(g1.Selected, 1);
  EXPECT_EQ(g2.Selected, 0);

  // A component: pad plus value label (with a stroke) plus hidden ID label.
  TObjekt& pad = AddPad(list, 0, 1);
  auto make_label = [&](uint8_t role, uint8_t visible) -> TObjekt& {
    auto t = NewObjekt();
    InitText(*t, {0, 0}, "R1", false, false, kLayerS1, 1, 1, 1000, 0);
    t->LabelRole = role;
    t->LabelVisible = visible;
    t->ComponentNo = 1;
    auto s = NewObjekt();
    InitTrack(*s, 100, kLayerS1);
    t->SubElements.push_back(std::move(s));
    list.push_back(std::move(t));
    return *list.back();
  };
  TObjekt& value = make_label(2, 1);
  TObjekt& hiddenId = make_label(1, 0);

  SelectWithPartners(list, hiddenId, false);  // cannot be picked by itself
  EXPECT_EQ(hiddenId.Selected, 0);
  SelectWithPartners(list, value, false);  // labels are picked alone
  EXPECT_EQ(value.Selected, 1);
  EXPECT_EQ(value.SubElements[0]->Selected, 1);
  EXPECT_EQ(pad.Selected, 0);
  DeselectWithPartners(list, value, false);
  SelectWithPartners(list, pad, false);  // the pad takes its labels along
  EXPECT_EQ(value.Selected, 1);
  EXPECT_EQ(hiddenId.Selected, 1);
}

}  // namespace
}  // namespace bs
