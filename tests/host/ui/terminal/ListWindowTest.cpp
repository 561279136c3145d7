#include <gtest/gtest.h>

#include "ui/terminal/ListWindow.h"

namespace {

struct State {
  int current;
  int top;
  friend bool operator==(const State&, const State&) = default;
};

void PrintTo(const State& s, std::ostream* os) {
  *os << "{current " << s.current << ", top " << s.top << "}";
}

State Of(const ListWindow& w) { return {w.Current(), w.Top()}; }

// A list of 95000 rows in a box of ten: every motion lands where a Windows list
// lands, and shows its row.
TEST(ListWindow, MovesAndScrollsAsAWindowsList) {
  ListWindow w;
  w.SetHeight(10);
  w.SetCount(95000);
  EXPECT_EQ(Of(w), (State{-1, 0}));
  w.MoveBy(1);
  EXPECT_EQ(Of(w), (State{0, 0})) << "the first motion finds the first row";
  w.PageDown();
  EXPECT_EQ(Of(w), (State{9, 0})) << "first to the last row in sight";
  w.PageDown();
  EXPECT_EQ(Of(w), (State{18, 9})) << "then a page further";
  w.PageUp();
  EXPECT_EQ(Of(w), (State{9, 9})) << "first to the first row in sight";
  w.EndRow();
  EXPECT_EQ(Of(w), (State{94999, 94990}));
  w.MoveBy(1);
  EXPECT_EQ(Of(w), (State{94999, 94990})) << "nothing after the last";
  w.Home();
  EXPECT_EQ(Of(w), (State{0, 0}));
  w.MoveBy(-1);
  EXPECT_EQ(Of(w), (State{0, 0})) << "nothing before the first";
}

TEST(ListWindow, KeepsTheCurrentRowThroughChanges) {
  ListWindow w;
  w.SetHeight(10);
  w.SetCount(100);
  w.MoveTo(99);
  w.SetCount(50);
  EXPECT_EQ(Of(w), (State{49, 40})) << "a removed current row gives way to the new last one";
  w.SetHeight(20);
  EXPECT_EQ(Of(w), (State{49, 30})) << "a taller box shows more, the end still at the bottom";
  w.SetCount(0);
  EXPECT_EQ(Of(w), (State{-1, 0}));
  w.PageDown();
  w.MoveBy(1);
  EXPECT_EQ(Of(w), (State{-1, 0})) << "an empty list has no row to move to";
  w.SetHeight(1);
  w.SetCount(5);
  w.MoveTo(0);
  w.PageDown();
  w.PageDown();
  EXPECT_EQ(Of(w), (State{2, 2})) << "a box of one row still pages";
}

}  // namespace
