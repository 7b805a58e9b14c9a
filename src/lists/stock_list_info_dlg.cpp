// The information tabs of the self-selected list. "新闻", "公告" and "研报" show the titles of every
// self-selected code where the header and quote rows stand, keeping the tab bar, the paging line,
// the ticker strip and the toolbar; a title shows its article in the same place, and "返回" goes
// from the article back to its titles. Titles are fetched once a tab, with the progress window,
// and do not refresh on the timer.
#include "lists/stock_list_dlg.h"
#include "market/display_colours.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr int kInfoKinds[] = {1, 2, 16};  // tabs 1 to 3: news, notices, research reports
constexpr ColorRef kSubtitleGrey = 0xC0C0C0;
constexpr int kMargin = 4;
// The wrap counts a Latin character as half a wide one; digits and letters of a proportional font
// run a little wider, so the article is wrapped one wide character short of its margins.
int ArticleWidth(int width, int wide) { return width - 2 * kMargin - wide; }

}  // namespace

bool CStockListDlg::InfoShown() const { return query().infoKind != 0; }

void CStockListDlg::ShowInfoTab(int tab) {
  self_select_tab_ = tab;
  ChangeQuery([&](ListQuery& q) {
    q.infoKind = kInfoKinds[tab - 1];
    q.article.clear();
  });
  info_.ShowTitles({});
  SetRefreshPeriod(std::chrono::milliseconds(0));  // asked for at once, then never on a timer
  RequestRefresh(true);
  Invalidate();
}

void CStockListDlg::LeaveInfoTab() {
  ChangeQuery([](ListQuery& q) {
    q.infoKind = 0;
    q.article.clear();
  });
  info_.ShowTitles({});
  SetRefreshPeriod(list_period_);
}

void CStockListDlg::OpenArticle(const PageEntry* title) {
  if (title == nullptr || title->identifier.empty()) return;
  ChangeQuery([&](ListQuery& q) { q.article = title->identifier; });
  info_.AwaitArticle();
  RequestRefresh(true);
  Invalidate();
}

bool CStockListDlg::CloseArticle() {
  if (!InfoShown() || !info_.reading()) return false;
  ChangeQuery([](ListQuery& q) { q.article.clear(); });
  info_.CloseArticle();
  Invalidate();
  return true;
}

// The worker's titles or article, unless another tab or title was chosen since it asked. Every
// key, tap and paint takes them first, so that none acts on the titles of a moment before.
void CStockListDlg::TakeInfo() {
  const std::shared_ptr<const ListView> view = view_.Current();
  if (view == info_taken_) return;
  info_taken_ = view;
  const ListQuery q = query();
  if (q.infoKind == 0 || !SameRequest(view->infoFor, q)) return;
  if (q.article.empty()) {
    info_.ShowTitles(view->info.entries);
  } else {
    info_.ShowArticle(view->info.text);
  }
}

bool CStockListDlg::InfoKey(KeyCode key) {
  if (!InfoShown()) return false;
  TakeInfo();
  switch (key) {
    case kKeyUp: info_.Step(-1); break;
    case kKeyDown: info_.Step(1); break;
    case kKeyEnter:
      if (!info_.reading()) OpenArticle(info_.Selected());
      break;
    case kKeyLeft:
    case kKeyRight: break;  // no columns to scroll
    default: return false;
  }
  Invalidate();
  return true;
}

// A tap on the paging line pages; a tap on a title opens its article. A stroke down pages on,
// a stroke up back, as on the quote rows.
void CStockListDlg::InfoTap(Point at) {
  TakeInfo();
  const ListLayout layout = Layout();
  if (layout.pagingLine.Contains(at)) {
    info_.Page(static_cast<PageMove>(ListLayout::PartAt(layout.pagingLine, at.x, 4)));
  } else if (!info_.reading() && layout.InfoArea().Contains(at)) {
    OpenArticle(info_.SelectOnPage((at.y - layout.InfoArea().top) / layout.InfoEntryHeight()));
  }
  Invalidate();
}

void CStockListDlg::InfoStroke(int dy) {
  info_.Page(dy > 0 ? PageMove::kNext : PageMove::kPrevious);
  Invalidate();
}

void CStockListDlg::PaintInfo(Canvas& canvas, const ListLayout& layout) {
  TakeInfo();
  const Rect area = layout.InfoArea();
  const int line = layout.line;
  const int wide = canvas.TextWidth(u"中");
  info_.Fit(area.Height() / layout.InfoEntryHeight(), area.Height() / line, ArticleWidth(width(), wide), wide);
  if (info_.reading()) {
    canvas.SetTextColor(kPlainWhite);
    int top = area.top;
    for (const std::u16string& text : info_.LinesOnPage()) {
      canvas.DrawText(text, {kMargin, top, area.right - kMargin, top + line}, kTextLeft | kTextOneLine);
      top += line;
    }
  } else if (info_.TitlesOnPage().empty() && SameRequest(view_.Current()->infoFor, query())) {
    canvas.SetTextColor(kSubtitleGrey);
    canvas.DrawText(u"暂无资讯", {area.left, area.top, area.right, area.top + 2 * line}, kTextCenter | kTextOneLine);
  } else {
    int top = area.top;
    int index = 0;
    for (const PageEntry& title : info_.TitlesOnPage()) {
      const Rect band{area.left, top, area.right, top + layout.InfoEntryHeight()};
      if (index++ == info_.selectedOnPage()) canvas.FillRect(band, kSelectedBand);
      canvas.SetTextColor(kPlainWhite);
      canvas.DrawText(title.text, {kMargin, top, band.right - kMargin, top + line}, kTextLeft | kTextOneLine);
      canvas.SetTextColor(kSubtitleGrey);
      canvas.DrawText(title.subtitle, {kMargin, top + line, band.right - kMargin, top + 2 * line},
                      kTextLeft | kTextOneLine);
      top = band.bottom;
    }
  }
  PaintPagingLine(canvas, layout, info_.Paging(), info_.page());
}

}  // namespace tarvello
