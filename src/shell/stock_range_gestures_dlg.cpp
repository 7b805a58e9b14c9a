// The menu and text page's gestures: a text follows the finger and a fling carries it on; a
// swipe over a menu turns its page as Left and Right do; the wheel does what Up and Down do.
#include "shell/stock_range_dlg.h"

namespace tarvello {

// Everywhere but the scroll bar, which pages at a tap.
bool CStockRangeDlg::SwipesAt(Point at) const { return !ScrollBar(LayoutNow()).Contains(at); }

void CStockRangeDlg::OnDrag(Point moved) {
  if (!state_.content().is_text) return;
  const Layout layout = LayoutNow();
  if (drag_lines_.Unit() != layout.line_height) drag_lines_ = StepAccumulator(layout.line_height);
  const int lines = drag_lines_.Add(-moved.y);
  if (lines == 0) return;
  state_.Scroll(lines, LineCount(), layout.visible);
  Invalidate();
}

bool CStockRangeDlg::OnSwipe(const Gesture& swipe) {
  if (state_.content().is_text) return true;
  RepeatKey(swipe.PageStep(), kKeyRight, kKeyLeft);
  return false;
}

bool CStockRangeDlg::OnWheel(int notches, bool, Point) {
  RepeatKey(notches, kKeyUp, kKeyDown);
  return true;
}

}  // namespace tarvello
