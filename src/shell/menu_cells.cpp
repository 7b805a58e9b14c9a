#include "shell/menu_cells.h"

#include <array>

namespace tarvello {

namespace {

constexpr std::array<NavigationRequest, kMenuCells> kCellTargets = {{
    {kTargetQuoteListOtherPage, 0},
    {kTargetQuoteList, -1},
    {kTargetMenuPage, 21},
    {kTargetQuoteList, 1125},
    {kTargetMenuPage, 0},
    {kTargetQuoteList, 105},
    {kTargetQuoteListOwnPage, 0},
    {kTargetMenuPage, 10},
    {kTargetQuoteList, -11},
    {kTargetBrokers, 0},
    {kTargetSettings, -2},
    {kTargetMenuPage, 18},
}};

}  // namespace

NavigationRequest MenuCellTarget(int cell) {
  if (cell < 0 || cell >= kMenuCells) return {kTargetMainMenu, 0};
  return kCellTargets[static_cast<std::size_t>(cell)];
}

int MoveMenuSelection(int cell, KeypadMove move) {
  switch (move) {
    case KeypadMove::kLeft:
      return (cell + kMenuCells - 1) % kMenuCells;
    case KeypadMove::kRight:
      return (cell + 1) % kMenuCells;
    case KeypadMove::kUp:
      return (cell + kMenuCells - kMenuColumns) % kMenuCells;
    case KeypadMove::kDown:
      return (cell + kMenuColumns) % kMenuCells;
  }
  return cell;
}

}  // namespace tarvello
