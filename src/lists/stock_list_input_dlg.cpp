// The quote list's keys, taps and strokes: where they land, handed to the model.
#include <algorithm>

#include "lists/list_commands.h"
#include "lists/stock_list_dlg.h"
#include "navigation/navigator.h"
#include "platform/ticker_strip.h"

namespace tarvello {
namespace {

constexpr int kToolbarParts = 6;
constexpr int kTabParts = 5;

}  // namespace

void CStockListDlg::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key) || InfoKey(key)) return;
  switch (key) {
    case kKeyLeft: model_.ScrollColumns(-1); break;
    case kKeyRight: model_.ScrollColumns(1); break;
    case kKeyUp: model_.StepSelection(-1); break;
    case kKeyDown: model_.StepSelection(1); break;
    case kKeyEnter: model_.OpenRow(model_.selected_row()); break;
    default: return;
  }
  Follow();
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
  const Point tap = pen_down_;
  if (inRows && (std::abs(dx) > width() / 20 || std::abs(dy) >= height() / 20)) {
    if (!model_.InfoShown()) {
      Stroke(pen_down_, at);
    } else if (std::abs(dy) >= height() / 20) {
      // A stroke down pages on, a stroke up back, as on the quote rows.
      model_.PageInfo(dy > 0 ? PageMove::kNext : PageMove::kPrevious);
    }
  } else if (layout.tabBar.Contains(tap)) {
    model_.ChooseTab(ListLayout::PartAt(layout.tabBar, tap.x, kTabParts));
  } else if (layout.toolbar.Contains(tap)) {
    TapToolbar(tap.x);
  } else if (layout.ticker.Contains(tap)) {
    if (tap.x < TickerKeyboardLeft(layout.ticker)) return;
    if (tap.x < TickerRefreshLeft(layout.ticker)) {
      if (parts_.navigator) parts_.navigator->ToggleKeyboard();
    } else {
      RequestRefresh(true);
    }
    return;
  } else if (model_.InfoShown()) {
    InfoTap(tap);
  } else if (layout.header.Contains(tap)) {
    TapHeader(tap.x);
  } else if (layout.pagingLine.Contains(tap)) {
    model_.MovePage(static_cast<PageMove>(ListLayout::PartAt(layout.pagingLine, tap.x, 4)));
  } else if (const int row = layout.RowAt(tap.y); row >= 0) {
    model_.TapRow(row);
  }
  Follow();
}

void CStockListDlg::Stroke(Point from, Point to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  if (std::abs(dx) > width() / 20 && std::abs(dx) >= std::abs(dy)) {
    model_.ScrollColumns(dx < 0 ? -1 : 1);
  } else if (dy >= height() / 20) {
    model_.PageBy(1);
  } else if (dy <= -height() / 20) {
    model_.PageBy(-1);
  }
}

// "<" and ">" sit at the ends of the header; the data columns' headers sort.
void CStockListDlg::TapHeader(int x) {
  if (model_.OwnView()) return;
  const ListLayout layout = Layout();
  const int first = model_.first_column();
  const int charWidth = metrics_.average_char_width > 0 ? metrics_.average_char_width : layout.line / 2;
  if (const int arrow = layout.HeaderArrowAt(x, charWidth, first > 1, first < LastFirstColumn(model_.kind()))) {
    model_.ScrollColumns(arrow);
    return;
  }
  const int part = ListLayout::PartAt(layout.header, x, 4);
  if (part != 0) model_.SortByHeader(part);
}

void CStockListDlg::ShowScreenMenu() {
  const std::vector<MenuItem> items = model_.PopupMenuItems();
  if (!items.empty()) RunCommand(TrackPopupMenu(items, {0, Layout().toolbar.top}, MenuAnchor::kBottomLeft));
}

void CStockListDlg::TapToolbar(int x) {
  switch (model_.Toolbar(ListLayout::PartAt(Layout().toolbar, x, kToolbarParts))) {
    case ListModel::ToolbarAct::kMenu: ShowScreenMenu(); break;
    case ListModel::ToolbarAct::kTypeCodes: OpenBatchPanel(kCmdBatchAdd); break;
    case ListModel::ToolbarAct::kDone: break;
  }
}

// The information tabs: the keys move among the titles and open one; left and right have no
// columns to scroll.
bool CStockListDlg::InfoKey(KeyCode key) {
  if (!model_.InfoShown()) return false;
  switch (key) {
    case kKeyUp: model_.InfoStep(-1); break;
    case kKeyDown: model_.InfoStep(1); break;
    case kKeyEnter: model_.OpenSelectedArticle(); break;
    case kKeyLeft:
    case kKeyRight: model_.TakeInfo(); break;
    default: return false;
  }
  Follow();
  return true;
}

// A tap on the paging line pages; a tap on a title opens its article.
void CStockListDlg::InfoTap(Point at) {
  const ListLayout layout = Layout();
  if (layout.pagingLine.Contains(at)) {
    model_.PageInfo(static_cast<PageMove>(ListLayout::PartAt(layout.pagingLine, at.x, 4)));
  } else if (layout.InfoArea().Contains(at)) {
    model_.OpenArticleOnPage((at.y - layout.InfoArea().top) / layout.InfoEntryHeight());
  } else {
    model_.TakeInfo();
  }
}

}  // namespace tarvello
