// Where the index futures screen leads: the cells of its bottom bar by view, the way back to the
// screen that opened it, the view a navigation target opens, and the paging of the tick list.
// Pure functions.
#pragma once

#include <array>
#include <optional>

#include "futures/futures_records.h"
#include "navigation/navigation.h"

namespace tarvello {

inline constexpr int kBottomBarCells = 6;

struct BarCell {
  const char16_t* caption;
  std::optional<NavigationRequest> target;  // none: the cell is handled by the screen or inert
  bool current = false;                     // drawn in cyan: the view the screen shows
};
// Cell 0 opens the options menu and cell 5 goes back; the four between lead to other screens.
std::array<BarCell, kBottomBarCells> BottomBarCells(int view);

// The view a target opens; none for a target that is not this screen's.
std::optional<FuturesView> ViewForTarget(int target);
// The target that opens a view, for stepping to the next contract the way it was opened.
int TargetForView(int view);

// Who opened the screen and how it goes back there.
struct FuturesCaller {
  int screen = 0;               // 1126, 1127 or 1129; anything else has no way back
  bool returnToCaller = false;  // back to the recently viewed list by way of the detail screen
};
// "返回": the navigation it asks for, clearing returnToCaller when it was set.
std::optional<NavigationRequest> ReturnFrom(FuturesCaller& caller);

// Ticks per page: the client height less the header row and the three text lines of the strip
// and bar below, in text lines; at least one.
int TickRowsFor(int clientHeight, int lineHeight);

// Up in the tick list lowers the kept position by two pages. Below 0 it becomes 0 and nothing is
// asked for; otherwise the newest page is asked for again.
struct TickPageUp {
  int position = 0;
  bool refetch = false;
};
TickPageUp PageUp(int position, int rows);

}  // namespace tarvello
