#include "lists/stock_list_dlg.h"

#include <algorithm>
#include <utility>

#include "info/info_fetch.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_menu.h"
#include "lists/list_paging.h"
#include "lists/list_request.h"
#include "lists/list_row_access.h"
#include "lists/list_routes.h"
#include "protocol/answer_exchange.h"
#include "protocol/packet_codec.h"
#include "market/own_stock_list.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

// Posted to the screen itself: puts the list's title up again after the main screen set the
// title of the navigation target.
constexpr int kMsgApplyTitle = 0x8001;
constexpr std::chrono::milliseconds kOrderDetailsPeriod{5000};
constexpr int kFallbackLine = 16;

int LineOf(const TextMetrics& metrics) {
  if (metrics.LineHeight() > 0) return metrics.LineHeight();
  const int shared = SharedTextMetrics().LineHeight();
  return shared > 0 ? shared : kFallbackLine;
}

// The self-selected list has its tab bar only with quote rows; its big-order ranking has none.
bool HasTabBar(const ListQuery& q) { return q.mode == kModeSelfSelected && !q.bigOrderMode; }

}  // namespace

CStockListDlg::CStockListDlg(StockListParts parts, QWidget* parent)
    : DataScreen(kTimerQuoteList, parts.period, parts.mainScreen, parent),
      parts_(std::move(parts)),
      list_period_(parts_.period) {
  // A first start has no self-selected file yet: it begins with the two main indices.
  if (parts_.selfSelected) parts_.selfSelected->EnsureDefault();
}

CStockListDlg::~CStockListDlg() { StopRefreshing(); }

ListQuery CStockListDlg::query() const {
  std::lock_guard<std::mutex> lock(query_mutex_);
  return query_;
}

ListKind CStockListDlg::kind() const {
  const ListQuery q = query();
  if (q.mode == kModeFutures) return ListKind::kFutures;
  if (q.bigOrderMode) {
    // The rows of the ranking shown before stay, drawn as what they are, until the other
    // ranking's answer replaces them.
    const std::shared_ptr<const ListView> shown = view_.Current();
    if (!shown->rows.funds.empty()) return ListKind::kFunds;
    if (!shown->rows.bigOrders.empty()) return ListKind::kBigOrders;
    return q.fundView ? ListKind::kFunds : ListKind::kBigOrders;
  }
  return q.category == kCategorySectors && q.shownSector == 0 ? ListKind::kSectors : ListKind::kStocks;
}

bool CStockListDlg::SectorList() const { return kind() == ListKind::kSectors; }

bool CStockListDlg::OwnView() const {
  const int mode = query().mode;
  return mode == kModeSectorFunds || mode == kModeTradeAnalysis || mode == kModeOrderDetails;
}

ListPaging CStockListDlg::Paging(int total) const {
  const ListQuery q = query();
  return q.shownSector != 0 ? ConstituentPaging(total, q.rowsPerPage) : ListPaging(total, q.rowsPerPage);
}

bool CStockListDlg::TabBarShown() const { return HasTabBar(query()); }

ListLayout CStockListDlg::Layout() const { return ListLayout(width(), height(), LineOf(metrics_), TabBarShown()); }

bool CStockListDlg::Open(int target, int argument) {
  const std::optional<ListOpening> opening = ListOpeningFor(target, argument);
  if (!opening) return false;
  if (opening->resume) {
    RestoreHeldList();
    SyncSelectionToCurrent();
    PostMessage(kMsgApplyTitle, 0, 0);
    RequestRefresh(false);
    return true;
  }
  HoldListForStockView(*opening);
  ListQuery fresh;
  fresh.mode = opening->mode;
  fresh.category = opening->category;
  fresh.sectorClass = query().sectorClass;  // the sector list reopens in the class last chosen
  const bool sorted = fresh.mode == kModeCategory || fresh.mode == kModeSectors || fresh.mode == kModeCsi300;
  fresh.sortField = sorted && fresh.category != kCategoryGlobal ? kSortChangeRatio : kSortServerOrder;
  arrow_column_ = fresh.sortField == kSortServerOrder ? 0 : (fresh.mode == kModeSectors ? 1 : 2);
  std::u16string title = opening->title;
  if (opening->bigOrder) {
    // The rankings keep the direction in force and sort by their own field.
    ranking_ = FirstRanking();
    fresh.bigOrderMode = true;
    fresh.sortField = kSortBigOrderDefault;
    fresh.sortDirection = query().sortDirection;
    arrow_column_ = 0;
  } else if (fresh.mode == kModeTradeAnalysis || fresh.mode == kModeOrderDetails) {
    if (!parts_.navigator || parts_.navigator->CurrentSecurity().empty()) return false;
    fresh.stockCode = parts_.navigator->CurrentSecurity();
  } else if (fresh.mode == kModeSectorFunds) {
    fresh.fundPeriod = fund_period_;
    title = SectorFundsTitle(fund_period_);
  }
  Reset(fresh);
  title_ = title.empty() ? NavigationTitle(target, argument).value_or(u"") : title;
  if (!title.empty()) PostMessage(kMsgApplyTitle, 0, 0);
  return true;
}

void CStockListDlg::Reset(const ListQuery& query) {
  self_select_tab_ = kTabQuotes;
  info_.ShowTitles({});
  first_column_ = 1;
  selected_row_ = 1;
  const int rows = RowsPerPage(height(), LineOf(metrics_), HasTabBar(query));
  ChangeQuery([&](ListQuery& q) {
    q = query;
    q.page = 0;
    q.rowsPerPage = rows;
  });
  SetRefreshPeriod(query.mode == kModeOrderDetails ? kOrderDetailsPeriod : list_period_);
  view_.Publish(ListView{});
  RequestRefresh(true);
  Invalidate();
}

void CStockListDlg::SetListPeriod(std::chrono::milliseconds period) {
  list_period_ = period;
  if (query().mode != kModeOrderDetails && !InfoShown()) SetRefreshPeriod(period);
}

// A stock's own view opened over a list keeps that list; opening any other list forgets it, and
// the place on the sector list with it.
void CStockListDlg::HoldListForStockView(const ListOpening& opening) {
  const bool stockView = opening.mode == kModeTradeAnalysis || opening.mode == kModeOrderDetails;
  const int shown = query().mode;
  if (!stockView) {
    held_list_.reset();
    sector_place_ = SectorListPlace();
  } else if (shown != 0 && shown != kModeTradeAnalysis && shown != kModeOrderDetails) {
    held_list_ = HeldList{query(), *view_.Current(), title_, selected_row_, first_column_, arrow_column_};
  }
}

void CStockListDlg::RestoreHeldList() {
  const int shown = query().mode;
  if (!held_list_ || (shown != kModeTradeAnalysis && shown != kModeOrderDetails)) return;
  HeldList held = std::move(*held_list_);
  held_list_.reset();
  ChangeQuery([&](ListQuery& q) { q = held.query; });
  selected_row_ = held.selectedRow;
  first_column_ = held.firstColumn;
  arrow_column_ = held.arrowColumn;
  title_ = std::move(held.title);
  SetRefreshPeriod(list_period_);
  view_.Publish(std::move(held.view));
}

bool SameRequest(const ListQuery& a, const ListQuery& b) {
  ListQuery left = a, right = b;
  left.openCode = right.openCode = SecurityCode();
  return left == right;
}

void CStockListDlg::OnMessage(const Message& message) {
  if (message.id == kMsgTickerRepaint || message.id == kMsgRowsChanged) Invalidate();
  if (message.id == kMsgApplyTitle) ApplyTitle(title_);
  if (message.id == kMsgOpenTyped) OpenTyped(static_cast<int>(message.wparam));
}

void CStockListDlg::ApplyTitle(std::u16string title) {
  title_ = std::move(title);
  if (parts_.setTitle && !title_.empty()) parts_.setTitle(title_);
}

int CStockListDlg::RowsHeld() const {
  const ListRows& rows = view_.Current()->rows;
  const int mode = query().mode;
  if (mode == kModeSectorFunds) return static_cast<int>(rows.buckets.size());
  if (mode == kModeTradeAnalysis || mode == kModeOrderDetails) return 0;
  return static_cast<int>(RowCount(rows, kind()));
}

std::vector<SecurityCode> CStockListDlg::PageCodes() const { return PageCodes(*view_.Current()); }

std::vector<SecurityCode> CStockListDlg::PageCodes(const ListView& view) const {
  std::vector<SecurityCode> codes;
  if (OwnView()) return codes;
  const ListKind listKind = kind();
  for (std::size_t i = 0; i < RowCount(view.rows, listKind); ++i) codes.push_back(RowCode(view.rows, listKind, i));
  return codes;
}

// Back from a screen the list opened: the selection follows the security shown there, which
// "<" and ">" may have moved.
void CStockListDlg::SyncSelectionToCurrent() {
  if (!parts_.navigator) return;
  const std::vector<SecurityCode> codes = PageCodes();
  const auto found = std::find(codes.begin(), codes.end(), parts_.navigator->CurrentSecurity());
  if (found != codes.end()) selected_row_ = static_cast<int>(found - codes.begin()) + 1;
}

// The screen is sized by the frame after it was opened; a page follows the height it is painted at.
void CStockListDlg::FitRowsToHeight() {
  const ListQuery q = query();
  const int rows = RowsPerPage(height(), LineOf(metrics_), HasTabBar(q));
  if (rows == q.rowsPerPage || q.mode == 0) return;
  ChangeQuery([rows](ListQuery& changed) {
    changed.rowsPerPage = rows;
    changed.page = 0;
  });
  selected_row_ = 1;
  RequestRefresh(false);
}

// Another page or order opens the list afresh: the rows shown so far belong to the list before,
// so they go before the request is sent (the total stays for the page counter).
void CStockListDlg::EmptyRows() {
  ListView emptied;
  emptied.rows.listTotal = view_.Current()->rows.listTotal;
  view_.Publish(std::move(emptied));
}

void CStockListDlg::GoToPage(int page) {
  ChangeQuery([page](ListQuery& q) { q.page = page; });
  EmptyRows();
  selected_row_ = 1;
  RequestRefresh(true);
  Invalidate();
}

void CStockListDlg::Sort(int field, int arrowColumn, int direction) {
  arrow_column_ = arrowColumn;
  ChangeQuery([&](ListQuery& q) {
    q.sortField = field;
    q.sortDirection = direction;
    q.page = 0;
  });
  EmptyRows();
  selected_row_ = 1;
  RequestRefresh(true);
  Invalidate();
}

void CStockListDlg::ScrollColumns(int step) {
  if (OwnView()) return;
  first_column_ = std::clamp(first_column_ + step, 1, std::max(1, LastFirstColumn(kind())));
  Invalidate();
}

void CStockListDlg::OpenRow(int row) {
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
    RequestRefresh(true);
    return;
  }
  parts_.navigator->GoTo(kTargetStockDetail, kTargetQuoteList, BrowseChange::FromList(code, codes));
}

void CStockListDlg::OpenSector(const QuoteRow& row) {
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
  arrow_column_ = ArrowColumnFor(ListKind::kStocks, query().sortField);
  view_.Publish(ListView{});
  ApplyTitle(row.name);
  RequestRefresh(true);
}

CStockListDlg::SectorListPlace CStockListDlg::SectorListPlaceNow() const {
  const ListQuery list = query();
  return {list.page, selected_row_, list.sortField, list.sortDirection, arrow_column_, title_};
}

void CStockListDlg::OpenSectorList(int sectorClass, const std::function<void(ListQuery&)>& place) {
  ChangeQuery([&](ListQuery& q) {
    q.mode = kModeSectors;
    q.category = kCategorySectors;
    q.shownSector = 0;
    q.sectorClass = sectorClass;
    q.page = 0;
    q.sortField = kSortChangeRatio;
    q.sortDirection = kSortDescending;
    if (place) place(q);
  });
  arrow_column_ = 1;
  first_column_ = 1;
  selected_row_ = 1;
  view_.Publish(ListView{});
  RequestRefresh(true);
}

void CStockListDlg::GoBack() {
  if (CloseArticle()) return;
  const ListQuery q = query();
  first_column_ = 1;
  const ListReturn back = ReturnFrom({q.mode, q.category, q.shownSector, q.bigOrderMode});
  if (back.toSectorList) {
    // The place is part of the query the fetch is asked with, so no answer for page 0 comes first.
    const SectorListPlace place = std::exchange(sector_place_, SectorListPlace());
    OpenSectorList(q.sectorClass, [&](ListQuery& changed) {
      changed.page = place.page;
      changed.sortField = place.sortField;
      changed.sortDirection = place.sortDirection;
    });
    arrow_column_ = place.arrowColumn;
    selected_row_ = place.row;
    ApplyTitle(place.title.empty() ? u"板块追踪" : place.title);
    return;
  }
  if (!parts_.navigator) return;
  parts_.navigator->GoTo(back.step.target, back.step.argument);
}

// The alerts page opens on the chosen row's security and comes back to the self-selected list.
void CStockListDlg::OpenAlerts() {
  const std::vector<SecurityCode> codes = PageCodes();
  if (!parts_.navigator || selected_row_ < 1 || selected_row_ > static_cast<int>(codes.size())) return;
  parts_.navigator->GoTo(kTargetAlerts, kTargetQuoteListOtherPage,
                         BrowseChange::Alone(codes[static_cast<std::size_t>(selected_row_ - 1)]));
}

// The code and the row it is removed from come from one snapshot of the page: the worker may
// publish a shorter page while the file is written.
void CStockListDlg::ToggleSelfSelected(bool add) {
  const std::shared_ptr<const ListView> view = view_.Current();
  const std::vector<SecurityCode> codes = PageCodes(*view);
  if (!parts_.selfSelected || selected_row_ < 1 || selected_row_ > static_cast<int>(codes.size())) return;
  const auto index = static_cast<std::size_t>(selected_row_ - 1);
  const SecurityCode code = codes[index];
  const bool done = add ? parts_.selfSelected->Add(code) : parts_.selfSelected->Remove(code);
  const ListQuery q = query();
  if (done && !add && q.mode == kModeSelfSelected) {
    ListView shown = *view;
    EraseRow(shown.rows, kind(), index);
    shown.rows.listTotal = std::max(0, shown.rows.listTotal - 1);
    const bool emptied = codes.size() == 1 && q.page > 0;
    view_.Publish(std::move(shown));
    selected_row_ = std::max(1, std::min(selected_row_, static_cast<int>(codes.size()) - 1));
    if (emptied) {
      GoToPage(q.page - 1);
      return;
    }
    RequestRefresh(false);
  }
  Invalidate();
}

std::vector<MenuItem> CStockListDlg::PopupMenuItems() const {
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

void CStockListDlg::RunCommand(unsigned command) {
  if (RunViewCommand(command)) return;
  if (const std::optional<int> field = SortFieldForCommand(command)) {
    Sort(*field, ArrowColumnFor(kind(), *field), query().sortDirection);
    return;
  }
  switch (command) {
    case kCmdDescending:
    case kCmdAscending: {
      const int direction = command == kCmdAscending ? kSortAscending : kSortDescending;
      if (direction != query().sortDirection) Sort(query().sortField, arrow_column_, direction);
      break;
    }
    case kCmdServerOrder: Sort(kSortServerOrder, 0, query().sortDirection); break;
    case kCmdSectorIndustry: OpenSectorList(0); break;
    case kCmdSectorConcept: OpenSectorList(1); break;
    case kCmdSectorRegion: OpenSectorList(2); break;
    case kCmdOpenRow: OpenRow(selected_row_); break;
    case kCmdAddSelfSelected: ToggleSelfSelected(true); break;
    case kCmdDeleteSelfSelected: ToggleSelfSelected(false); break;
    case kCmdBatch:
    case kCmdBatchAdd: OpenBatchPanel(command); break;
    case kCmdAlerts: OpenAlerts(); break;
    case kCmdHome:
      if (parts_.navigator) parts_.navigator->GoTo(kTargetMainMenu, 0);
      break;
    default: break;  // the batch panel comes with its own view
  }
}

}  // namespace tarvello
