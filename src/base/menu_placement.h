// Where a pop-up menu opens: at a point, either hanging down from it (a menu under a top toolbar)
// or standing on it (a menu above a bottom bar, so the bar stays in sight), and always inside the
// device's screen, moved back in where it would run off an edge. Pure; no thread rules.
#pragma once

#include "base/geometry.h"

namespace tarvello {

enum class MenuAnchor {
  kTopLeft,     // the point is the menu's top-left corner
  kBottomLeft,  // the point is the menu's bottom-left corner
};

struct MenuPlacement {
  Point at;
  MenuAnchor anchor = MenuAnchor::kTopLeft;
  Rect screen;  // the area the menu must stay in, in the same coordinates as at
};

// The top-left corner of a menu of the given size. A menu larger than the screen starts at the
// screen's top-left corner, so that its first items show.
Point PlaceMenu(Size menu, const MenuPlacement& placement);

}  // namespace tarvello
