// The list screen's painting: the column headers of the search result, the rows, the paging
// line and the bottom bar.
#include "market/display_colours.h"
#include "platform/canvas.h"
#include "shell/keyboard_requests.h"
#include "shell/list_screen_dlg.h"
#include "shell/search_answer.h"

namespace tarvello {
namespace {

constexpr ColorRef kInactiveGrey = 0x808080;
constexpr const char16_t* kBarCaptions[] = {u"选项", u"自选", u"大盘", u"排行", u"板块", u"返回"};

Rect Part(const Rect& bar, int index, int parts) {
  return Rect{bar.left + index * bar.Width() / parts, bar.top, bar.left + (index + 1) * bar.Width() / parts,
              bar.bottom};
}

}  // namespace

void CDlgList::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  const Layout layout = LayoutNow();
  const std::shared_ptr<const ListScreenView> view = view_.Current();
  PaintHeader(canvas, layout);
  PaintRows(canvas, layout, *view);
  PaintPaging(canvas, layout);
  PaintBar(canvas, layout);
}

void CDlgList::PaintHeader(Canvas& canvas, const Layout& layout) const {
  if (layout.header.IsEmpty()) return;
  canvas.SetTextColor(kHeaderCyan);
  canvas.DrawText(u"股票代码", Part(layout.header, 0, 2), kTextCenter | kTextOneLine);
  canvas.DrawText(u"股票名称", Part(layout.header, 1, 2), kTextCenter | kTextOneLine);
}

// A search result shows code and name in two columns; a server row is one line of text.
void CDlgList::PaintRows(Canvas& canvas, const Layout& layout, const ListScreenView& view) const {
  const ListScreenPages pages = Pages();
  for (int row = 0; row < pages.rows_per_page(); ++row) {
    const int item = pages.ItemAt(page_, row);
    // The pages count the newest items, which a search may have replaced since this paint took
    // its copy: a row past the copy's end is not drawn rather than read beyond it.
    if (item < 0 || item >= static_cast<int>(view.items.size())) break;
    const int top = layout.rows.top + row * layout.rowHeight;
    const Rect line{layout.rows.left, top, layout.rows.right, top + layout.rowHeight};
    if (item == selected_) canvas.FillRect(line, kSelectedBand);
    const std::u16string& text = view.items[static_cast<std::size_t>(item)];
    if (view.mode == kListSearchResult) {
      const SearchItem found = SplitSearchItem(text);
      canvas.SetTextColor(kVolumeYellow);
      canvas.DrawText(found.code, Part(line, 0, 2), kTextCenter | kTextOneLine);
      canvas.SetTextColor(kPlainWhite);
      canvas.DrawText(found.name, Part(line, 1, 2), kTextCenter | kTextOneLine);
    } else {
      canvas.SetTextColor(kPlainWhite);
      canvas.DrawText(text, line, kTextLeft | kTextOneLine);
    }
  }
}

void CDlgList::PaintPaging(Canvas& canvas, const Layout& layout) const {
  const ListScreenPages pages = Pages();
  const int parts = static_cast<int>(kPagingLabels.size()) + 1;
  for (std::size_t i = 0; i < kPagingLabels.size(); ++i) {
    const bool acts = pages.Target(static_cast<PagingLabel>(i), page_).has_value();
    canvas.SetTextColor(acts ? kPlainWhite : kInactiveGrey);
    canvas.DrawText(kPagingLabels[i], Part(layout.paging, static_cast<int>(i), parts), kTextCenter | kTextOneLine);
  }
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(pages.Counter(page_), Part(layout.paging, parts - 1, parts), kTextCenter | kTextOneLine);
}

void CDlgList::PaintBar(Canvas& canvas, const Layout& layout) const {
  canvas.FillRect(layout.bar, kBarBack);
  canvas.SetTextColor(kPlainWhite);
  const int parts = static_cast<int>(std::size(kBarCaptions));
  for (int i = 0; i < parts; ++i) canvas.DrawText(kBarCaptions[i], Part(layout.bar, i, parts), kTextCenter | kTextOneLine);
}

}  // namespace tarvello
