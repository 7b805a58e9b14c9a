#include "base/menu_placement.h"

#include <algorithm>

namespace tarvello {

namespace {

// start moved so that [start, start + length) lies within [low, high), or at low when it cannot.
int KeepWithin(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

Point PlaceMenu(Size menu, const MenuPlacement& placement) {
  const Rect& screen = placement.screen;
  const int top = placement.anchor == MenuAnchor::kBottomLeft ? placement.at.y - menu.height : placement.at.y;
  return Point{KeepWithin(placement.at.x, menu.width, screen.left, screen.right),
               KeepWithin(top, menu.height, screen.top, screen.bottom)};
}

}  // namespace tarvello
