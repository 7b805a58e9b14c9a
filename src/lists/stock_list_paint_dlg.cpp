// The quote list's painting: tab bar, header, rows, paging line, ticker strip and toolbar.
#include "lists/list_menu.h"
#include "lists/list_cells.h"
#include "lists/list_codes.h"
#include "lists/list_paging.h"
#include "lists/list_row_access.h"
#include "lists/stock_list_dlg.h"
#include "market/alert_marks.h"
#include "market/ticker_cells.h"
#include "platform/canvas.h"
#include "platform/ticker_strip.h"

namespace tarvello {
namespace {

constexpr ColorRef kInactiveGrey = 0x808080;
constexpr const char16_t* kToolbar[] = {u"选项", u"自选", u"大盘", u"排行", u"板块", u"返回"};
constexpr const char16_t* kManageToolbar[] = {u"选项", u"上移", u"下移", u"添加", u"删除", u"返回"};
constexpr const char16_t* kTabs[] = {u"行情", u"新闻", u"公告", u"研报", u"管理"};

void PaintParts(Canvas& canvas, const Rect& bar, const char16_t* const* captions, int parts, int highlighted) {
  canvas.FillRect(bar, kBarBack);
  for (int i = 0; i < parts; ++i) {
    const Rect part{bar.left + i * bar.Width() / parts, bar.top, bar.left + (i + 1) * bar.Width() / parts, bar.bottom};
    canvas.SetTextColor(i == highlighted ? kVolumeYellow : kPlainWhite);
    canvas.DrawText(captions[i], part, kTextCenter | kTextOneLine);
  }
}

}  // namespace

void CStockListDlg::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  metrics_ = canvas.Metrics();
  // The screen is sized by the frame after it was opened: a page follows the height it is painted at.
  model_.FitPage(height(), Line());
  StartFetch();
  model_.FollowMovedCode();
  const ListLayout layout = Layout();
  const std::shared_ptr<const ListView> view = model_.view();
  const ListQuery q = model_.query();
  switch (q.mode) {
    case kModeSectorFunds:
      PaintSectorFunds(canvas, layout, *view);
      PaintPagingLine(canvas, layout, model_.Paging(view->rows.listTotal), q.page);
      break;
    case kModeTradeAnalysis: PaintTradeAnalysis(canvas, layout, *view); break;
    case kModeOrderDetails: PaintOrderDetails(canvas, layout, *view); break;
    default:
      if (model_.TabBarShown()) PaintTabBar(canvas, layout);
      if (model_.InfoShown()) {
        PaintInfo(canvas, layout);
        break;
      }
      PaintHeader(canvas, layout);
      PaintRows(canvas, layout, *view);
      PaintPagingLine(canvas, layout, model_.Paging(view->rows.listTotal), q.page);
      break;
  }
  PaintTicker(canvas, layout.ticker);
  PaintToolbar(canvas, layout.toolbar);
}

void CStockListDlg::PaintTabBar(Canvas& canvas, const ListLayout& layout) const {
  PaintParts(canvas, layout.tabBar, kTabs, 5, model_.self_select_tab());
}

void CStockListDlg::PaintHeader(Canvas& canvas, const ListLayout& layout) const {
  const ListKind listKind = model_.kind();
  const int direction = model_.query().sortDirection;
  const int first = model_.first_column();
  canvas.SetTextColor(kHeaderCyan);
  canvas.DrawText(u"股票名称", layout.Cell(layout.header, 0), kTextCenter | kTextOneLine);
  for (int i = 1; i <= 3; ++i) {
    const int column = first + i - 1;
    canvas.DrawText(HeaderText(listKind, column, model_.arrow_column(), direction), layout.Cell(layout.header, i),
                    kTextCenter | kTextOneLine);
  }
  canvas.SetTextColor(kPlainWhite);
  if (first > 1) canvas.DrawText(u"<", layout.header, kTextLeft | kTextOneLine);
  if (first < LastFirstColumn(listKind)) canvas.DrawText(u">", layout.header, kTextRight | kTextOneLine);
}

void CStockListDlg::PaintRows(Canvas& canvas, const ListLayout& layout, const ListView& view) const {
  const int rowsPerPage = model_.query().rowsPerPage;
  const ListKind listKind = model_.kind();
  const int count = static_cast<int>(RowCount(view.rows, listKind));
  const int shown = std::min(count, rowsPerPage);
  for (int i = 0; i < shown; ++i) {
    const Rect band = layout.Row(i);
    if (band.bottom > layout.rows.bottom) break;
    if (i + 1 == model_.selected_row()) canvas.FillRect(band, kSelectedBand);
    const std::size_t at = static_cast<std::size_t>(i);
    const SecurityCode& code = RowCode(view.rows, listKind, at);
    const std::u16string& name = RowName(view.rows, listKind, at);
    const bool yellow = model_.NameMarked(code, i);
    const bool marked = AlertMarks::Shared().IsMarked(code);
    if (marked) canvas.FillRect(layout.Cell(band, 0), kAlertMarkBand);
    canvas.SetTextColor(yellow ? kVolumeYellow : kPlainWhite);
    canvas.DrawText(marked ? MarkedName(name) : name, layout.Cell(band, 0), kTextCenter | kTextOneLine);
    for (int c = 1; c <= 3; ++c) {
      const int column = model_.first_column() + c - 1;
      const CellText cell = RowCell(view.rows, listKind, at, column);
      canvas.SetTextColor(cell.colour);
      canvas.DrawText(cell.text, layout.Cell(band, c), kTextCenter | kTextOneLine);
    }
  }
}

void CStockListDlg::PaintPagingLine(Canvas& canvas, const ListLayout& layout, const ListPaging& paging,
                                    int page) const {
  const Rect& line = layout.pagingLine;
  const auto part = [&](int i) { return Rect{i * line.Width() / 4, line.top, (i + 1) * line.Width() / 4, line.bottom}; };
  const bool up = paging.CanPageUp(page);
  const bool down = paging.CanPageDown(page);
  const std::pair<const char16_t*, bool> labels[] = {{u"首页", up}, {u"上翻", up}, {u"下翻", down}, {u"尾页", down}};
  for (int i = 0; i < 4; ++i) {
    canvas.SetTextColor(labels[i].second ? kPlainWhite : kInactiveGrey);
    canvas.DrawText(labels[i].first, part(i), (i < 2 ? kTextLeft : kTextRight) | kTextOneLine);
  }
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(paging.CounterText(page), line, kTextCenter | kTextOneLine);
}

// The index of the moment, alternating between Shanghai and Shenzhen with the ticker's blink.
void CStockListDlg::PaintTicker(Canvas& canvas, const Rect& strip) const {
  PaintTickerStrip(canvas, strip, parts_.ticker ? std::optional(parts_.ticker()) : std::nullopt, kBarBack, true);
}

void CStockListDlg::PaintToolbar(Canvas& canvas, const Rect& bar) const {
  PaintParts(canvas, bar, model_.self_select_tab() == kTabManage ? kManageToolbar : kToolbar, 6, -1);
}

}  // namespace tarvello
