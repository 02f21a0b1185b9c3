#include <gtest/gtest.h>

#include "edit/connections.h"
#include "edit_fixture.h"

namespace bs::edit_test {
namespace {

// Removing the rubber bands that copper satisfies is one undo step, and a
// run that removes nothing leaves no step behind.
TEST_F(EditTest, RemovingSatisfiedRubberBandsIsOneUndoStep) {
  TObjekt& a = Pad(100000, -100000);
  TObjekt& b = Pad(300000, -100000);
  TObjekt& c = Pad(600000, -600000);
  Connect(a, c);
  const size_t steps = B().UndoStack.size();
  EXPECT_EQ(RemoveUnneededConnections(p).Removed, 0);
  EXPECT_EQ(B().UndoStack.size(), steps);

  Connect(a, b);
  Track({{100000, -100000}, {300000, -100000}});
  const TRubberBandCounts counts = RemoveUnneededConnections(p);
  EXPECT_EQ(counts.Removed, 2);
  EXPECT_EQ(counts.Remaining, 2);
  EXPECT_EQ(B().UndoStack.size(), steps + 1);
  EXPECT_EQ(L()[0]->Connections.size(), 1u);
  ASSERT_TRUE(Undo(p));
  EXPECT_EQ(L()[0]->Connections.size(), 2u);  // a-c and a-b again
  EXPECT_EQ(L()[1]->Connections.size(), 1u);
}

}  // namespace
}  // namespace bs::edit_test
