// The quote list's keys, taps and strokes.
#include <algorithm>

#include "lists/list_menu.h"
#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_paging.h"
#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/ticker_strip.h"

namespace tarvello {
namespace {

constexpr int kToolbarParts = 6;
constexpr int kTabParts = 5;

}  // namespace

void CStockListDlg::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key) || InfoKey(key)) return;
  const ListQuery q = query();
  const ListPaging paging = Paging(view_.Current()->rows.listTotal);
  switch (key) {
    case kKeyLeft: ScrollColumns(-1); break;
    case kKeyRight: ScrollColumns(1); break;
    case kKeyUp:
    case kKeyDown: {
      if (q.mode == kModeTradeAnalysis || q.mode == kModeOrderDetails) break;
      const PagePlace at{q.page, selected_row_};
      const PagePlace to = key == kKeyUp ? paging.KeyUp(at) : paging.KeyDown(at);
      if (to.page != q.page) {
        GoToPage(to.page);
      } else {
        selected_row_ = std::min(to.row, std::max(1, RowsHeld()));
        Invalidate();
      }
      break;
    }
    case kKeyEnter: OpenRow(selected_row_); break;
    default: break;
  }
}

// The wheel moves the selection a row at a time and pages at the ends, as Up and Down do.
bool CStockListDlg::OnWheel(int notches, bool, Point) {
  RepeatKey(notches, kKeyUp, kKeyDown);
  return true;
}

void CStockListDlg::OnPenDown(Point at) { pen_down_ = at; }

void CStockListDlg::OnPenUp(Point at) {
  const ListLayout layout = Layout();
  const int dx = at.x - pen_down_.x;
  const int dy = at.y - pen_down_.y;
  const bool inRows = pen_down_.y >= layout.line && pen_down_.y < layout.strokeBottom;
  if (inRows && (std::abs(dx) > width() / 20 || std::abs(dy) >= height() / 20)) {
    if (!InfoShown()) {
      Stroke(pen_down_, at);
    } else if (std::abs(dy) >= height() / 20) {
      InfoStroke(dy);
    }
    return;
  }
  const Point tap = pen_down_;
  if (layout.tabBar.Contains(tap)) {
    TapTabBar(tap.x);
  } else if (layout.toolbar.Contains(tap)) {
    TapToolbar(tap.x);
  } else if (layout.ticker.Contains(tap)) {
    if (tap.x < TickerKeyboardLeft(layout.ticker)) return;
    if (tap.x < TickerRefreshLeft(layout.ticker)) {
      if (parts_.navigator) parts_.navigator->ToggleKeyboard();
    } else {
      RequestRefresh(true);
    }
  } else if (InfoShown()) {
    InfoTap(tap);
  } else if (layout.header.Contains(tap)) {
    TapHeader(tap.x);
  } else if (layout.pagingLine.Contains(tap)) {
    TapPagingLine(tap.x);
  } else if (const int row = layout.RowAt(tap.y); row >= 0) {
    const int held = RowsHeld();
    if (held == 0) return;
    selected_row_ = std::min(row + 1, held);
    Invalidate();
    if (self_select_tab_ != kTabManage) OpenRow(selected_row_);
  }
}

void CStockListDlg::Stroke(Point from, Point to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  if (std::abs(dx) > width() / 20 && std::abs(dx) >= std::abs(dy)) {
    ScrollColumns(dx < 0 ? -1 : 1);
    return;
  }
  const ListQuery q = query();
  const ListPaging paging = Paging(view_.Current()->rows.listTotal);
  if (dy >= height() / 20 && paging.CanPageDown(q.page)) GoToPage(q.page + 1);
  if (dy <= -height() / 20 && paging.CanPageUp(q.page)) GoToPage(q.page - 1);
}

// "<" and ">" sit at the ends of the header; the data columns' headers sort.
void CStockListDlg::TapHeader(int x) {
  if (OwnView()) return;
  const ListLayout layout = Layout();
  const int charWidth = metrics_.average_char_width > 0 ? metrics_.average_char_width : layout.line / 2;
  if (const int arrow = layout.HeaderArrowAt(x, charWidth, first_column_ > 1, first_column_ < LastFirstColumn(kind()))) {
    ScrollColumns(arrow);
    return;
  }
  const int part = ListLayout::PartAt(layout.header, x, 4);
  if (part == 0) return;
  const int column = first_column_ + part - 1;
  const std::optional<int> field = SortFieldForHeader(kind(), column);
  if (!field) return;
  Sort(*field, column, query().sortDirection == kSortAscending ? kSortDescending : kSortAscending);
}

void CStockListDlg::TapPagingLine(int x) {
  const int page = query().page;
  const int to = Paging(view_.Current()->rows.listTotal)
                     .PageAfter(static_cast<PageMove>(ListLayout::PartAt(Layout().pagingLine, x, 4)), page);
  if (to != page) GoToPage(to);
}

void CStockListDlg::ShowScreenMenu() {
  const std::vector<MenuItem> items = PopupMenuItems();
  if (!items.empty()) RunCommand(TrackPopupMenu(items, {0, Layout().toolbar.top}, MenuAnchor::kBottomLeft));
}

void CStockListDlg::TapToolbar(int x) {
  const ListLayout layout = Layout();
  const int part = ListLayout::PartAt(layout.toolbar, x, kToolbarParts);
  if (part == 0) {
    ShowScreenMenu();
    return;
  }
  if (part == kToolbarParts - 1) {
    GoBack();
    return;
  }
  if (self_select_tab_ == kTabManage) {
    FollowMovedCode();
    const std::vector<SecurityCode> codes = PageCodes();
    const bool haveRow = selected_row_ >= 1 && selected_row_ <= static_cast<int>(codes.size());
    if (part == 4) {
      ToggleSelfSelected(false);
    } else if (part == 3) {
      OpenBatchPanel(kCmdBatchAdd);
    } else if ((part == 1 || part == 2) && haveRow && parts_.selfSelected) {
      MoveOwnRow(codes[static_cast<std::size_t>(selected_row_ - 1)], part == 1);
    }
    return;
  }
  if (!parts_.navigator) return;
  switch (part) {
    case 1: parts_.navigator->GoTo(kTargetQuoteListOtherPage, kTargetQuoteList); break;
    case 2: parts_.navigator->GoTo(kTargetQuoteList, -1); break;
    case 3: parts_.navigator->GoTo(kTargetMenuPage, 0); break;
    default:
      if (query().category != kCategorySectors) parts_.navigator->GoTo(kTargetQuoteList, kCategorySectors);
      break;
  }
}

// The selection follows the code it moved, onto the page before or after when it crosses one: the
// page is the own list's, and the row is found once the page's rows have come (a server may leave
// out a code it does not know).
void CStockListDlg::MoveOwnRow(const SecurityCode& code, bool up) {
  if (!(up ? parts_.selfSelected->MoveUp(code) : parts_.selfSelected->MoveDown(code))) return;
  const std::vector<SecurityCode> own = parts_.selfSelected->Codes();
  const auto at = std::find(own.begin(), own.end(), code);
  if (at == own.end()) return;
  const PagePlace place = Paging(static_cast<int>(own.size())).PlaceOf(static_cast<int>(at - own.begin()));
  if (place.page != query().page) {
    GoToPage(place.page);
  } else {
    RequestRefresh(false);
  }
  moved_ = MovedCode{code, view_.Current()};
}

void CStockListDlg::FollowMovedCode() {
  if (!moved_ || view_.Current() == moved_->before) return;
  const std::vector<SecurityCode> codes = PageCodes();
  const auto found = std::find(codes.begin(), codes.end(), moved_->code);
  if (found == codes.end()) return;
  selected_row_ = static_cast<int>(found - codes.begin()) + 1;
  moved_.reset();
}

// The news, notice and report tabs show their titles in place of the quote rows
// (stock_list_info_dlg.cpp); quotes and manage show the rows.
void CStockListDlg::TapTabBar(int x) {
  const int tab = ListLayout::PartAt(Layout().tabBar, x, kTabParts);
  if (tab != kTabQuotes && tab != kTabManage) {
    ShowInfoTab(tab);
    return;
  }
  const bool fromInfo = InfoShown();
  if (fromInfo) LeaveInfoTab();
  self_select_tab_ = tab;
  if (tab == kTabQuotes) {
    first_column_ = 1;
    Sort(kSortServerOrder, 0, query().sortDirection);
  } else if (fromInfo) {
    RequestRefresh(true);
  }
  Invalidate();
}

}  // namespace tarvello
