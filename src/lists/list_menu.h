// The quote list's popup menu, built afresh for the list in force each time it opens, with the
// check marks of the current sort field, direction, sector class and big-order choice. Pure.
#pragma once

#include <vector>

#include "lists/list_columns.h"
#include "platform/prompter.h"

namespace tarvello {

// The self-selected list's first tab, "行情", with the quote rows, and its last, "管理", where a row
// opens nothing and the toolbar manages.
inline constexpr int kTabQuotes = 0;
inline constexpr int kTabManage = 4;

struct ListMenuState {
  int mode = 0;                  // ListMode
  ListKind kind = ListKind::kStocks;
  bool sectorList = false;       // the sector list itself, not a sector's constituents
  bool hasRows = false;
  bool bigOrderMode = false;
  int selfSelectTab = 0;         // self-selected mode: 0 quotes ... 4 manage
  bool selectedIsSelfSelected = false;
  int sortField = 0;
  int sortDirection = 0;
  int sectorClass = 0;
  unsigned bigOrderCommand = 0;  // the big-order choice in force
};

// Empty for the order details, where the menu does not open.
std::vector<MenuItem> ListPopupMenu(const ListMenuState& state);

}  // namespace tarvello
