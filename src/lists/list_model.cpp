// The list model's opening, paging, order and selection.
#include "lists/list_model.h"

#include <algorithm>

#include "lists/list_menu.h"
#include "lists/list_row_access.h"
#include "lists/list_routes.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

constexpr std::chrono::milliseconds kOrderDetailsPeriod{5000};

// The self-selected list has its tab bar only with quote rows; its big-order ranking has none.
bool HasTabBar(const ListQuery& q) { return q.mode == kModeSelfSelected && !q.bigOrderMode; }

bool StockView(int mode) { return mode == kModeTradeAnalysis || mode == kModeOrderDetails; }

}  // namespace

bool SameRequest(const ListQuery& a, const ListQuery& b) {
  ListQuery left = a, right = b;
  left.openCode = right.openCode = SecurityCode();
  return left == right;
}

ListModel::ListModel(ListModelParts parts) : parts_(parts), list_period_(parts.period) {}

ListQuery ListModel::query() const {
  std::lock_guard<std::mutex> lock(query_mutex_);
  return query_;
}

std::chrono::milliseconds ListModel::RefreshPeriod() const {
  const ListQuery q = query();
  if (q.infoKind != 0) return std::chrono::milliseconds(0);  // asked for at once, then never on a timer
  return q.mode == kModeOrderDetails ? kOrderDetailsPeriod : list_period_;
}

void ListModel::SetTitle(std::u16string title) {
  title_ = std::move(title);
  title_show_ = TitleShow::kNow;
}

int ListModel::RowsPerPageFor(const ListQuery& q) const { return RowsPerPage(height_, line_, HasTabBar(q)); }

bool ListModel::Open(int target, int argument) {
  const std::optional<ListOpening> opening = ListOpeningFor(target, argument);
  if (!opening) return false;
  if (opening->resume) {
    RestoreHeldList();
    SyncSelectionToCurrent();
    title_show_ = TitleShow::kAfterNavigation;
    Fetch(false);
    return true;
  }
  HoldListForStockView(opening->mode);
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
  } else if (StockView(fresh.mode)) {
    if (!parts_.navigator || parts_.navigator->CurrentSecurity().empty()) return false;
    fresh.stockCode = parts_.navigator->CurrentSecurity();
  } else if (fresh.mode == kModeSectorFunds) {
    fresh.fundPeriod = fund_period_;
    title = SectorFundsTitle(fund_period_);
  }
  Reset(fresh);
  title_ = title.empty() ? NavigationTitle(target, argument).value_or(u"") : title;
  if (!title.empty()) title_show_ = TitleShow::kAfterNavigation;
  return true;
}

void ListModel::Reset(const ListQuery& query) {
  self_select_tab_ = kTabQuotes;
  info_.ShowTitles({});
  first_column_ = 1;
  selected_row_ = 1;
  const int rows = RowsPerPageFor(query);
  ChangeQuery([&](ListQuery& q) {
    q = query;
    q.page = 0;
    q.rowsPerPage = rows;
  });
  view_.Publish(ListView{});
  Fetch(true);
}

// A stock's own view opened over a list keeps that list; opening any other list forgets it, and
// the place on the sector list with it.
void ListModel::HoldListForStockView(int mode) {
  const int shown = query().mode;
  if (!StockView(mode)) {
    held_list_.reset();
    sector_place_ = SectorListPlace();
  } else if (shown != 0 && !StockView(shown)) {
    held_list_ = HeldList{query(), *view_.Current(), title_, selected_row_, first_column_, arrow_column_};
  }
}

void ListModel::RestoreHeldList() {
  if (!held_list_ || !StockView(query().mode)) return;
  HeldList held = std::move(*held_list_);
  held_list_.reset();
  ChangeQuery([&](ListQuery& q) { q = held.query; });
  selected_row_ = held.selectedRow;
  first_column_ = held.firstColumn;
  arrow_column_ = held.arrowColumn;
  title_ = std::move(held.title);
  view_.Publish(std::move(held.view));
}

void ListModel::SyncSelectionToCurrent() {
  if (!parts_.navigator) return;
  const std::vector<SecurityCode> codes = PageCodes();
  const auto found = std::find(codes.begin(), codes.end(), parts_.navigator->CurrentSecurity());
  if (found != codes.end()) selected_row_ = static_cast<int>(found - codes.begin()) + 1;
}

void ListModel::SetPageSize(int height, int line) {
  height_ = height;
  line_ = std::max(1, line);
}

// The screen is sized by the frame after it was opened; a page follows the height it is shown at.
void ListModel::FitPage(int height, int line) {
  SetPageSize(height, line);
  const ListQuery q = query();
  const int rows = RowsPerPageFor(q);
  if (rows == q.rowsPerPage || q.mode == 0) return;
  ChangeQuery([rows](ListQuery& changed) {
    changed.rowsPerPage = rows;
    changed.page = 0;
  });
  selected_row_ = 1;
  Fetch(false);
}

ListKind ListModel::kind() const {
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

bool ListModel::OwnView() const {
  const int mode = query().mode;
  return mode == kModeSectorFunds || StockView(mode);
}

bool ListModel::TabBarShown() const { return HasTabBar(query()); }

ListPaging ListModel::Paging(int total) const {
  const ListQuery q = query();
  return q.shownSector != 0 ? ConstituentPaging(total, q.rowsPerPage) : ListPaging(total, q.rowsPerPage);
}

int ListModel::RowsHeld() const {
  const ListRows& rows = view_.Current()->rows;
  const int mode = query().mode;
  if (mode == kModeSectorFunds) return static_cast<int>(rows.buckets.size());
  if (StockView(mode)) return 0;
  return static_cast<int>(RowCount(rows, kind()));
}

std::vector<SecurityCode> ListModel::PageCodes() const { return PageCodes(*view_.Current()); }

std::vector<SecurityCode> ListModel::PageCodes(const ListView& view) const {
  std::vector<SecurityCode> codes;
  if (OwnView()) return codes;
  const ListKind listKind = kind();
  for (std::size_t i = 0; i < RowCount(view.rows, listKind); ++i) codes.push_back(RowCode(view.rows, listKind, i));
  return codes;
}

bool ListModel::NameMarked(const SecurityCode& code, int index) const {
  const ListQuery q = query();
  if (q.shownSector != 0) return index == 0;
  return q.mode != kModeSelfSelected && parts_.selfSelected && parts_.selfSelected->Contains(code);
}

// Another page or order opens the list afresh: the rows shown so far belong to the list before,
// so they go before the request is sent (the total stays for the page counter).
void ListModel::EmptyRows() {
  ListView emptied;
  emptied.rows.listTotal = view_.Current()->rows.listTotal;
  view_.Publish(std::move(emptied));
}

void ListModel::GoToPage(int page) {
  ChangeQuery([page](ListQuery& q) { q.page = page; });
  EmptyRows();
  selected_row_ = 1;
  Fetch(true);
}

void ListModel::Sort(int field, int arrowColumn, int direction) {
  arrow_column_ = arrowColumn;
  ChangeQuery([&](ListQuery& q) {
    q.sortField = field;
    q.sortDirection = direction;
    q.page = 0;
  });
  EmptyRows();
  selected_row_ = 1;
  Fetch(true);
}

void ListModel::ScrollColumns(int step) {
  if (OwnView()) return;
  first_column_ = std::clamp(first_column_ + step, 1, std::max(1, LastFirstColumn(kind())));
}

void ListModel::StepSelection(int step) {
  const ListQuery q = query();
  if (StockView(q.mode)) return;
  const ListPaging paging = Paging(view_.Current()->rows.listTotal);
  const PagePlace at{q.page, selected_row_};
  const PagePlace to = step < 0 ? paging.KeyUp(at) : paging.KeyDown(at);
  if (to.page != q.page) {
    GoToPage(to.page);
  } else {
    selected_row_ = std::min(to.row, std::max(1, RowsHeld()));
  }
}

void ListModel::PageBy(int step) {
  const int page = query().page;
  const ListPaging paging = Paging(view_.Current()->rows.listTotal);
  if (step > 0 && paging.CanPageDown(page)) GoToPage(page + 1);
  if (step < 0 && paging.CanPageUp(page)) GoToPage(page - 1);
}

void ListModel::MovePage(PageMove move) {
  const int page = query().page;
  const int to = Paging(view_.Current()->rows.listTotal).PageAfter(move, page);
  if (to != page) GoToPage(to);
}

// A data column's header sorts by its field, the other way round from the order in force.
void ListModel::SortByHeader(int part) {
  if (OwnView()) return;
  const int column = first_column_ + part - 1;
  const std::optional<int> field = SortFieldForHeader(kind(), column);
  if (!field) return;
  Sort(*field, column, query().sortDirection == kSortAscending ? kSortDescending : kSortAscending);
}

// A row tapped is selected; it opens too, except in the manage tab, where the toolbar acts on it.
void ListModel::TapRow(int row) {
  const int held = RowsHeld();
  if (held == 0) return;
  selected_row_ = std::min(row + 1, held);
  if (self_select_tab_ != kTabManage) OpenRow(selected_row_);
}

}  // namespace tarvello
