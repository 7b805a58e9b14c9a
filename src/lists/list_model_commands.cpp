// The list model's commands and ways out: the popup menu, where a row leads, the sectors and the
// sector fund flow with the way back to the sector list, the rankings' choices, the trade
// analysis' periods and the toolbar's navigation.
#include <utility>

#include "lists/list_commands.h"
#include "lists/list_menu.h"
#include "lists/list_model.h"
#include "lists/list_routes.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

// The security type whose ranking row opens its fund flow rather than the detail screen.
constexpr int kTypeWithFundFlow = 1;

}  // namespace

std::vector<MenuItem> ListModel::PopupMenuItems() const {
  const ListQuery q = query();
  ListMenuState state;
  state.mode = q.mode;
  state.kind = kind();
  state.sectorList = SectorList();
  state.hasRows = RowsHeld() > 0 && !InfoShown();
  state.selfSelectTab = self_select_tab_;
  const std::vector<SecurityCode> codes = PageCodes();
  if (parts_.selfSelected && selected_row_ >= 1 && selected_row_ <= static_cast<int>(codes.size())) {
    state.selectedIsSelfSelected = parts_.selfSelected->Contains(codes[static_cast<std::size_t>(selected_row_ - 1)]);
  }
  state.sortField = q.sortField;
  state.sortDirection = q.sortDirection;
  state.sectorClass = q.sectorClass;
  state.bigOrderMode = q.bigOrderMode;
  state.bigOrderCommand = ranking_.checked;
  return ListPopupMenu(state);
}

bool ListModel::RunCommand(unsigned command) {
  if (RunViewCommand(command)) return true;
  if (const std::optional<int> field = SortFieldForCommand(command)) {
    Sort(*field, ArrowColumnFor(kind(), *field), query().sortDirection);
    return true;
  }
  switch (command) {
    case kCmdDescending:
    case kCmdAscending: {
      const int direction = command == kCmdAscending ? kSortAscending : kSortDescending;
      if (direction != query().sortDirection) Sort(query().sortField, arrow_column_, direction);
      return true;
    }
    case kCmdServerOrder: Sort(kSortServerOrder, 0, query().sortDirection); return true;
    case kCmdSectorIndustry: OpenSectorList(0); return true;
    case kCmdSectorConcept: OpenSectorList(1); return true;
    case kCmdSectorRegion: OpenSectorList(2); return true;
    case kCmdOpenRow: OpenRow(selected_row_); return true;
    case kCmdAddSelfSelected: ToggleSelfSelected(true); return true;
    case kCmdDeleteSelfSelected: ToggleSelfSelected(false); return true;
    case kCmdBatch:
    case kCmdBatchAdd: return false;  // the batch panel is the screen's
    case kCmdAlerts: OpenAlerts(); return true;
    case kCmdHome:
      if (parts_.navigator) parts_.navigator->GoTo(kTargetMainMenu, 0);
      return true;
    default: return true;
  }
}

bool ListModel::RunViewCommand(unsigned command) {
  if (const std::optional<RankingStep> step = tarvello::ChooseRanking(ranking_, command)) {
    if (query().bigOrderMode) ChooseRanking(*step);
    return true;
  }
  switch (command) {
    case kCmdSectorFunds: OpenSectorFunds(fund_period_); return true;
    case kCmdSectorFunds1: OpenSectorFunds(1); return true;
    case kCmdSectorFunds5: OpenSectorFunds(5); return true;
    case kCmdSectorFunds15: OpenSectorFunds(15); return true;
    case kCmdAnalysis1: ChooseAnalysisDays(1); return true;
    case kCmdAnalysis5: ChooseAnalysisDays(5); return true;
    case kCmdAnalysis10: ChooseAnalysisDays(10); return true;
    case kCmdAnalysis15: ChooseAnalysisDays(15); return true;
    default: return false;
  }
}

// A new ranking is fetched from its first page; the selection stays where it was.
void ListModel::ChooseRanking(const RankingStep& step) {
  ranking_ = step.state;
  if (!step.fetch) return;
  ChangeQuery([&](ListQuery& q) {
    q.days = step.state.days;
    q.fundView = step.state.fundView;
    q.page = 0;
  });
  Fetch(true);
}

void ListModel::ChooseAnalysisDays(int days) {
  if (query().mode != kModeTradeAnalysis) return;
  ChangeQuery([days](ListQuery& q) { q.analysisDays = days; });
  SetTitle(TradeAnalysisTitle(days));
  Fetch(true);
}

void ListModel::OpenRow(int row) {
  const std::shared_ptr<const ListView> view = view_.Current();
  const ListQuery q = query();
  if (SectorList()) {
    if (row >= 1 && row <= static_cast<int>(view->rows.quotes.size())) OpenSector(view->rows.quotes[row - 1]);
    return;
  }
  const std::vector<SecurityCode> codes = PageCodes();
  if (row < 1 || row > static_cast<int>(codes.size()) || !parts_.navigator) return;
  const SecurityCode& code = codes[static_cast<std::size_t>(row - 1)];
  selected_row_ = row;
  if (q.bigOrderMode || q.mode == kModeSelfSelected || q.mode == kModeRecentlyViewed) {
    // A ranking row leads where its security type says, and an own list's row is asked about
    // before it opens: the worker sends the security query first.
    opening_code_ = code;
    ChangeQuery([&](ListQuery& changed) { changed.openCode = code; });
    Fetch(true);
    return;
  }
  parts_.navigator->GoTo(kTargetStockDetail, kTargetQuoteList, BrowseChange::FromList(code, codes));
}

// A share of the rankings opens its own fund flow; anything else, a type the server did not tell
// or a row of the own lists, opens the stock detail screen.
void ListModel::OpenTyped(int securityType) {
  if (!parts_.navigator || opening_code_.empty()) return;
  const bool fundFlow = securityType == kTypeWithFundFlow && query().bigOrderMode;
  const int target = fundFlow ? kTargetFuturesMode3 : kTargetStockDetail;
  // The detail screen's opening remembers its security; a share's fund flow is remembered here.
  if (fundFlow && parts_.recentlyViewed) parts_.recentlyViewed->Remember(opening_code_);
  parts_.navigator->GoTo(target, kTargetQuoteList, BrowseChange::FromList(opening_code_, PageCodes()));
  opening_code_ = SecurityCode();
}

void ListModel::OpenSector(const QuoteRow& row) {
  sector_place_ = SectorListPlaceNow();
  // The constituents open by change ratio, largest first, whatever the sector list was sorted by.
  ChangeQuery([&](ListQuery& q) {
    q.mode = kModeCategory;
    q.shownSector = row.sectorNumber;
    q.sectorCode = row.code;
    q.sectorName = row.name;
    q.page = 0;
    q.sortField = kSortChangeRatio;
    q.sortDirection = 0;
  });
  first_column_ = 1;
  selected_row_ = 1;
  arrow_column_ = ArrowColumnFor(ListKind::kStocks, kSortChangeRatio);
  view_.Publish(ListView{});
  SetTitle(row.name);
  Fetch(true);
}

ListModel::SectorListPlace ListModel::SectorListPlaceNow() const {
  const ListQuery list = query();
  return {list.page, selected_row_, list.sortField, list.sortDirection, arrow_column_, title_};
}

// The sector list of the class from its first page by change ratio, largest first, or at the
// place given; the place is part of the query the fetch is asked with, so no answer for page 0
// comes first.
void ListModel::OpenSectorList(int sectorClass, const SectorListPlace* place) {
  ChangeQuery([&](ListQuery& q) {
    q.mode = kModeSectors;
    q.category = kCategorySectors;
    q.shownSector = 0;
    q.sectorClass = sectorClass;
    q.page = place ? place->page : 0;
    q.sortField = place ? place->sortField : kSortChangeRatio;
    q.sortDirection = place ? place->sortDirection : kSortDescending;
  });
  arrow_column_ = place ? place->arrowColumn : 1;
  first_column_ = 1;
  selected_row_ = place ? place->row : 1;
  view_.Publish(ListView{});
  Fetch(true);
}

// Entered from the sector list, the sector fund flow remembers the place "返回" leads back to;
// entered from anywhere else, "返回" opens the sector list afresh.
void ListModel::OpenSectorFunds(int period) {
  if (SectorList()) {
    sector_place_ = SectorListPlaceNow();
  } else if (query().mode != kModeSectorFunds) {
    sector_place_ = SectorListPlace();
  }
  fund_period_ = period;
  ChangeQuery([period](ListQuery& q) {
    q.mode = kModeSectorFunds;
    q.category = kCategorySectorFunds;
    q.shownSector = 0;
    q.fundPeriod = period;
    q.page = 0;
  });
  first_column_ = 1;
  selected_row_ = 1;
  view_.Publish(ListView{});
  SetTitle(SectorFundsTitle(period));
  Fetch(true);
}

void ListModel::GoBack() {
  if (CloseArticle()) return;
  const ListQuery q = query();
  first_column_ = 1;
  const ListReturn back = ReturnFrom({q.mode, q.category, q.shownSector, q.bigOrderMode});
  if (back.toSectorList) {
    const SectorListPlace place = std::exchange(sector_place_, SectorListPlace());
    OpenSectorList(q.sectorClass, &place);
    SetTitle(place.title.empty() ? u"板块追踪" : place.title);
    return;
  }
  if (parts_.navigator) parts_.navigator->GoTo(back.step.target, back.step.argument);
}

// The alerts page opens on the chosen row's security and comes back to the self-selected list.
void ListModel::OpenAlerts() {
  const std::vector<SecurityCode> codes = PageCodes();
  if (!parts_.navigator || selected_row_ < 1 || selected_row_ > static_cast<int>(codes.size())) return;
  parts_.navigator->GoTo(kTargetAlerts, kTargetQuoteListOtherPage,
                         BrowseChange::Alone(codes[static_cast<std::size_t>(selected_row_ - 1)]));
}

// The six parts: "选项", four that lead to other lists ("自选", "大盘", "排行", "板块") or, in the
// manage tab, edit the self-selected list ("上移", "下移", "添加", "删除"), and "返回".
ListModel::ToolbarAct ListModel::Toolbar(int part) {
  constexpr int kBackPart = 5;
  if (part == 0) return ToolbarAct::kMenu;
  if (part == kBackPart) {
    GoBack();
    return ToolbarAct::kDone;
  }
  if (self_select_tab_ == kTabManage) {
    FollowMovedCode();
    const std::vector<SecurityCode> codes = PageCodes();
    const bool haveRow = selected_row_ >= 1 && selected_row_ <= static_cast<int>(codes.size());
    if (part == 4) {
      ToggleSelfSelected(false);
    } else if (part == 3) {
      return ToolbarAct::kTypeCodes;
    } else if (haveRow && parts_.selfSelected) {
      MoveOwnRow(codes[static_cast<std::size_t>(selected_row_ - 1)], part == 1);
    }
    return ToolbarAct::kDone;
  }
  if (!parts_.navigator) return ToolbarAct::kDone;
  switch (part) {
    case 1: parts_.navigator->GoTo(kTargetQuoteListOtherPage, kTargetQuoteList); break;
    case 2: parts_.navigator->GoTo(kTargetQuoteList, kListArgIndices); break;
    case 3: parts_.navigator->GoTo(kTargetMenuPage, 0); break;
    default:
      if (query().category != kCategorySectors) parts_.navigator->GoTo(kTargetQuoteList, kCategorySectors);
      break;
  }
  return ToolbarAct::kDone;
}

}  // namespace tarvello
