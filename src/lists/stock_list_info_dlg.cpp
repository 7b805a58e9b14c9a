// The painting of the self-selected list's information tabs. "新闻", "公告" and "研报" show the
// titles of every self-selected code where the header and quote rows stand, keeping the tab bar,
// the paging line, the ticker strip and the toolbar; a title shows its article in the same place.
// Titles from the answer cache are dimmed with their age.
#include "lists/stock_list_dlg.h"
#include "market/display_colours.h"
#include "market/freshness.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kSubtitleGrey = 0xC0C0C0;
constexpr int kMargin = 4;
// The wrap counts a Latin character as half a wide one; digits and letters of a proportional font
// run a little wider, so the article is wrapped one wide character short of its margins.
int ArticleWidth(int width, int wide) { return width - 2 * kMargin - wide; }

}  // namespace

void CStockListDlg::PaintInfo(Canvas& canvas, const ListLayout& layout) {
  model_.TakeInfo();
  OwnInfoPane& pane = model_.info();
  const Rect area = layout.InfoArea();
  const int line = layout.line;
  const int wide = canvas.TextWidth(u"中");
  pane.Fit(area.Height() / layout.InfoEntryHeight(), area.Height() / line, ArticleWidth(width(), wide), wide);
  if (pane.reading()) {
    canvas.SetTextColor(kPlainWhite);
    int top = area.top;
    for (const std::u16string& text : pane.LinesOnPage()) {
      canvas.DrawText(text, {kMargin, top, area.right - kMargin, top + line}, kTextLeft | kTextOneLine);
      top += line;
    }
  } else if (model_.NoInfo()) {
    canvas.SetTextColor(kSubtitleGrey);
    canvas.DrawText(u"暂无资讯", {area.left, area.top, area.right, area.top + 2 * line}, kTextCenter | kTextOneLine);
  } else {
    int top = area.top;
    int index = 0;
    for (const PageEntry& title : pane.TitlesOnPage()) {
      const Rect band{area.left, top, area.right, top + layout.InfoEntryHeight()};
      if (index++ == pane.selectedOnPage()) canvas.FillRect(band, kSelectedBand);
      canvas.SetTextColor(kPlainWhite);
      canvas.DrawText(title.text, {kMargin, top, band.right - kMargin, top + line}, kTextLeft | kTextOneLine);
      canvas.SetTextColor(kSubtitleGrey);
      canvas.DrawText(title.subtitle, {kMargin, top + line, band.right - kMargin, top + 2 * line},
                      kTextLeft | kTextOneLine);
      top = band.bottom;
    }
  }
  PaintPagingLine(canvas, layout, pane.Paging(), pane.page());
  const std::shared_ptr<const ListView> view = model_.view();
  if (!pane.reading() && view->info.cached && SameRequest(view->infoFor, model_.query())) {
    const auto age = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now() - *view->info.cached);
    PaintFiguresAge(canvas, area, AgeText(age));
  }
}

}  // namespace tarvello
