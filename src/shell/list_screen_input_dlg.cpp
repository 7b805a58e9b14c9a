// The list screen's keys and taps: rows, the paging line and the bottom bar.
#include <algorithm>

#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "shell/list_screen_dlg.h"

namespace tarvello {
namespace {

constexpr int kPagingParts = 5;  // four labels and the counter
constexpr int kBarButtons = 6;
constexpr unsigned kCommandMainMenu = 1;

int PartAt(const Rect& bar, int x, int parts) {
  if (bar.Width() <= 0) return 0;
  return std::clamp((x - bar.left) * parts / bar.Width(), 0, parts - 1);
}

// The bottom bar's buttons after the first, which opens the pop-up menu.
constexpr NavigationRequest kBarTargets[kBarButtons - 1] = {
    {kTargetQuoteListOtherPage, kTargetQuoteList}, {kTargetQuoteList, -1}, {kTargetMenuPage, 0},
    {kTargetQuoteList, 105}, {kTargetMainMenu, 0}};

}  // namespace

void CDlgList::OnPenDown(Point at) {
  const Layout layout = LayoutNow();
  if (layout.bar.Contains(at)) {
    TapBar(at.x);
  } else if (layout.paging.Contains(at)) {
    TapPaging(at.x);
  } else if (layout.rows.Contains(at)) {
    const int item = Pages().ItemAt(page_, (at.y - layout.rows.top) / layout.rowHeight);
    if (item >= 0) ActOnItem(item);
  }
}

void CDlgList::TapPaging(int x) {
  const int part = PartAt(LayoutNow().paging, x, kPagingParts);
  if (part < static_cast<int>(kPagingLabels.size())) TurnPage(static_cast<PagingLabel>(part));
}

void CDlgList::TurnPage(PagingLabel label) {
  if (const std::optional<int> to = Pages().Target(label, page_)) {
    page_ = *to;
    selected_ = -1;
    Invalidate();
  }
}

// A swipe over the rows turns the page as "下翻" and "上翻" do; a tap there still opens its row.
bool CDlgList::SwipesAt(Point at) const { return LayoutNow().rows.Contains(at); }

bool CDlgList::OnSwipe(const Gesture& swipe) {
  if (const int step = swipe.PageStep(); step != 0) TurnPage(step > 0 ? PagingLabel::kForward : PagingLabel::kBack);
  return false;
}

bool CDlgList::OnWheel(int notches, bool, Point) {
  RepeatKey(notches, kKeyUp, kKeyDown);
  return true;
}

void CDlgList::TapBar(int x) {
  const int button = PartAt(LayoutNow().bar, x, kBarButtons);
  if (button == 0) {
    ShowScreenMenu();
    return;
  }
  if (parts_.navigator == nullptr) return;
  const NavigationRequest to = kBarTargets[button - 1];
  parts_.navigator->GoTo(to.target, to.argument);
}

void CDlgList::ShowScreenMenu() {
  const std::vector<MenuItem> items = {MenuItem::Command(kCommandMainMenu, u"返回首页")};
  if (TrackPopupMenu(items, Point{0, LayoutNow().bar.top}, MenuAnchor::kBottomLeft) == kCommandMainMenu) GoBack();
}

void CDlgList::GoBack() {
  if (parts_.navigator != nullptr) parts_.navigator->GoTo(kTargetMainMenu, 0);
}

// Up and Down move the outline through the items, turning the page at its ends; Enter acts on
// the outlined item; the soft keys and Esc as every data screen's.
void CDlgList::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key)) return;
  const int count = static_cast<int>(view_.Current()->items.size());
  switch (key) {
    case kKeyUp:
    case kKeyDown:
      if (count == 0) return;
      Select(selected_ < 0 ? page_ * Pages().rows_per_page()
                           : std::clamp(selected_ + (key == kKeyUp ? -1 : 1), 0, count - 1));
      break;
    case kKeyEnter: ActOnItem(selected_); break;
    default: break;
  }
}

}  // namespace tarvello
