// The markup page's gestures: the page follows the finger and a fling carries it on; the wheel
// scrolls a line a notch, as Up and Down do. A link still opens at a tap.
#include "markup/markup_page_dlg.h"

namespace tarvello {

// Everywhere but the scroll bar, which pages at a tap.
bool CMarkupPageDlg::SwipesAt(Point at) const {
  return at.x < width() - ScrollWidth() || layout_.height <= height();
}

void CMarkupPageDlg::OnDrag(Point moved) { ScrollBy(-moved.y); }

bool CMarkupPageDlg::OnSwipe(const Gesture&) { return true; }

bool CMarkupPageDlg::OnWheel(int notches, bool, Point) {
  RepeatKey(notches, kKeyUp, kKeyDown);
  return true;
}

}  // namespace tarvello
