#include "shell/menu_cells.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(MenuTest, KeypadMovesWrapAsTheKeypadExpects) {
  EXPECT_EQ(MoveMenuSelection(0, KeypadMove::kLeft), 11);
  EXPECT_EQ(MoveMenuSelection(11, KeypadMove::kRight), 0);
  EXPECT_EQ(MoveMenuSelection(5, KeypadMove::kLeft), 4);
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(MoveMenuSelection(column, KeypadMove::kUp), 9 + column);
    EXPECT_EQ(MoveMenuSelection(9 + column, KeypadMove::kDown), column);
  }
  EXPECT_EQ(MoveMenuSelection(4, KeypadMove::kDown), 7);
  EXPECT_EQ(MoveMenuSelection(4, KeypadMove::kUp), 1);
}

TEST(MenuTest, CellsOpenTheirTargets) {
  EXPECT_EQ(MenuCellTarget(0), (NavigationRequest{1132, 0}));
  EXPECT_EQ(MenuCellTarget(3), (NavigationRequest{1126, 1125}));
  EXPECT_EQ(MenuCellTarget(8), (NavigationRequest{1126, -11}));
  EXPECT_EQ(MenuCellTarget(10), (NavigationRequest{1125, 19})) << "the settings menu, the only way to the account pages";
  EXPECT_EQ(MenuCellTarget(11), (NavigationRequest{1125, 18}));
  EXPECT_EQ(MenuCellTarget(12), (NavigationRequest{1124, 0}));
}

}  // namespace
}  // namespace tarvello
