#include "lists/list_menu.h"

#include <array>

#include "lists/list_codes.h"
#include "lists/list_commands.h"

namespace tarvello {
namespace {

struct Entry {
  unsigned command;
  const char16_t* text;
};

std::vector<MenuItem> Entries(std::initializer_list<Entry> entries, unsigned checked) {
  std::vector<MenuItem> items;
  for (const Entry& entry : entries) items.push_back(MenuItem::Command(entry.command, entry.text, entry.command == checked));
  return items;
}

void AddSortMenus(const ListMenuState& state, std::vector<MenuItem>& items) {
  const bool tabAllows = state.mode != kModeSelfSelected || state.selfSelectTab == kTabQuotes ||
                         state.selfSelectTab == kTabManage;
  if (!state.hasRows || state.bigOrderMode || !tabAllows) return;
  const unsigned field = CommandForSortField(state.sortField);
  if (state.kind == ListKind::kSectors) {
    items.push_back(MenuItem::SubMenu(
        u"排序字段", Entries({{kCmdSortChangeRatio, u"涨幅"}, {kCmdSortThreeDayChange, u"3日涨幅"}, {kCmdSortAmount, u"总额"},
                          {kCmdSortVolume, u"总手"}, {kCmdSortLatest, u"最新"}, {kCmdSortTurnover, u"换手"},
                          {kCmdSortThreeDayTurnover, u"3日换手"}},
                         field)));
  } else {
    items.push_back(MenuItem::SubMenu(
        u"排序字段", Entries({{kCmdSortLatest, u"最新"}, {kCmdSortChangeRatio, u"涨幅"}, {kCmdSortChange, u"涨跌"},
                          {kCmdSortVolume, u"总手"}, {kCmdSortHigh, u"最高"}, {kCmdSortLow, u"最低"},
                          {kCmdSortTurnover, u"换手"}, {kCmdSortSpeed, u"涨速"}, {kCmdSortPe, u"市盈"}},
                         field)));
  }
  const unsigned direction = state.sortDirection == kSortAscending ? kCmdAscending : kCmdDescending;
  items.push_back(MenuItem::SubMenu(u"排序方式", Entries({{kCmdDescending, u"降序排序"}, {kCmdAscending, u"升序排序"}}, direction)));
}

MenuItem SelfSelectEntry(bool member) {
  return member ? MenuItem::Command(kCmdDeleteSelfSelected, u"删除自选") : MenuItem::Command(kCmdAddSelfSelected, u"加入自选");
}

void AddListEntries(const ListMenuState& state, std::vector<MenuItem>& items) {
  if (state.sectorList) {
    constexpr std::array<unsigned, 3> classes = {kCmdSectorIndustry, kCmdSectorConcept, kCmdSectorRegion};
    const unsigned checked = state.sectorClass >= 0 && state.sectorClass < 3 ? classes[static_cast<std::size_t>(state.sectorClass)] : 0;
    items.push_back(MenuItem::SubMenu(
        u"板块分类",
        Entries({{kCmdSectorIndustry, u"行业板块"}, {kCmdSectorConcept, u"概念板块"}, {kCmdSectorRegion, u"地区板块"}}, checked)));
    items.push_back(MenuItem::Command(kCmdOpenRow, u"板块个股"));
    items.push_back(MenuItem::Command(kCmdSectorFunds, u"板块资金"));
  }
  if (state.bigOrderMode) {
    for (MenuItem& item : Entries({{kCmdBigOrderToday, u"今日大单"}, {kCmdFundToday, u"今日资金"},
                                   {kCmdBigOrder3, u"3日大单"}, {kCmdBigOrder10, u"10日大单"}},
                                  state.bigOrderCommand)) {
      items.push_back(std::move(item));
    }
  } else if (state.mode == kModeSelfSelected) {
    if (state.hasRows) items.push_back(MenuItem::Command(kCmdDeleteSelfSelected, u"删除自选"));
    if (state.hasRows) items.push_back(MenuItem::Command(kCmdAlerts, u"预警设置"));
    items.push_back(MenuItem::Command(kCmdBatch, u"批量删除自选"));
    items.push_back(MenuItem::Command(kCmdBatchAdd, u"批量加入自选"));
  } else {
    items.push_back(SelfSelectEntry(state.selectedIsSelfSelected));
    items.push_back(MenuItem::Command(kCmdBatch, u"批量加入自选"));
  }
}

}  // namespace

std::vector<MenuItem> ListPopupMenu(const ListMenuState& state) {
  switch (state.mode) {
    case kModeOrderDetails: return {};
    case kModeSectorFunds:
      return Entries({{kCmdSectorFunds1, u"1天"}, {kCmdSectorFunds5, u"5天"}, {kCmdSectorFunds15, u"15天"}}, 0);
    case kModeTradeAnalysis:
      return Entries({{kCmdAnalysis1, u"1天"}, {kCmdAnalysis5, u"5天"}, {kCmdAnalysis10, u"10天"}, {kCmdAnalysis15, u"15天"}}, 0);
    case kModeFutures: {
      std::vector<MenuItem> items{SelfSelectEntry(state.selectedIsSelfSelected)};
      if (state.hasRows) items.push_back(MenuItem::Command(kCmdBatch, u"批量加入自选"));
      return items;
    }
    default: break;
  }
  std::vector<MenuItem> items;
  AddSortMenus(state, items);
  if (state.mode != kModeRecentlyViewed) AddListEntries(state, items);
  items.push_back(MenuItem::Command(kCmdHome, u"返回首页"));
  return items;
}

}  // namespace tarvello
