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
    {kTargetMenuPage, 19},  // the settings menu: the account pages, then the settings screen
    {kTargetMenuPage, 18},
}};

// Cell 0 opens the self-selected list's own page ("我的自选"), cell 3 the self-selected quote
// list ("自选股"), cell 6 the recently viewed list.
constexpr std::array<std::u16string_view, kMenuCells> kCellLabels = {
    u"我的自选", u"大盘指数", u"资金流向", u"自选股",   u"涨跌排行", u"板块追踪",
    u"最近浏览", u"资讯必读", u"股指期货", u"委托交易", u"系统设置", u"使用帮助",
};

}  // namespace

std::u16string_view MenuCellLabel(int cell) {
  if (cell < 0 || cell >= kMenuCells) return {};
  return kCellLabels[static_cast<std::size_t>(cell)];
}

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
