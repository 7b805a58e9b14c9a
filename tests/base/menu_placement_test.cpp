#include "base/menu_placement.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(MenuPlacementTest, AMenuOpensAtItsAnchorAndStaysInsideTheScreen) {
  const Rect screen{0, 0, 240, 320};
  const struct {
    Size menu;
    Point at;
    MenuAnchor anchor;
    Point placed;
  } cases[] = {
      {{100, 80}, {0, 40}, MenuAnchor::kTopLeft, {0, 40}},         // hangs from a top toolbar
      {{100, 80}, {0, 290}, MenuAnchor::kBottomLeft, {0, 210}},    // stands on a bottom bar
      {{100, 200}, {0, 280}, MenuAnchor::kTopLeft, {0, 120}},      // would run off the bottom
      {{100, 200}, {0, 100}, MenuAnchor::kBottomLeft, {0, 0}},     // would run off the top
      {{100, 80}, {200, 40}, MenuAnchor::kTopLeft, {140, 40}},     // would run off the right
      {{300, 400}, {50, 300}, MenuAnchor::kBottomLeft, {0, 0}},    // larger than the screen
  };
  for (const auto& c : cases) {
    const Point placed = PlaceMenu(c.menu, MenuPlacement{c.at, c.anchor, screen});
    EXPECT_EQ(placed, c.placed) << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(PlaceMenu({100, 80}, MenuPlacement{{600, 900}, MenuAnchor::kBottomLeft, {500, 100, 980, 740}}),
            (Point{600, 660}))
      << "a screen placed anywhere on the desktop";
}

}  // namespace
}  // namespace tarvello
