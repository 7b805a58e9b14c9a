// RangePageState: what the menu and text page screen shows and where its selection stands: the
// page mode and the one before it, the content, the first visible line and the selected line
// (relative to the first visible one), and the modes the screen switched through, so that "返回"
// retraces them. Keys and taps move the selection; line counts and the number of visible lines
// come from the screen, which knows the font and the text layout.
// A plain value; the screen owns it on the user-interface thread.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "shell/range_pages.h"

namespace tarvello {

struct PageView {
  int first = 0;     // first visible line
  int selected = 0;  // relative to first
  friend bool operator==(const PageView&, const PageView&) = default;
};

class RangePageState {
 public:
  // Shows mode, asked for from outside the screen: nothing to retrace. Showing the mode that is
  // already shown keeps the selected line.
  void Open(int mode, PageContent content);
  // Shows mode on the action key; "返回" comes back to the mode shown now, with its selection.
  void Switch(int mode, PageContent content);
  // Returns to the mode this one was switched from; false when it was opened from outside.
  bool Back();
  // Gives the mode that is shown new content (a fetched list arriving); KeepInView then pulls
  // the selection back onto the lines there are.
  void Refresh(PageContent content) { content_ = std::move(content); }
  void KeepInView(int count, int visible) { view_ = Clamped(view_, count, visible); }

  // Moves the selection by step lines, scrolling to keep it visible; stops at both ends.
  void MoveSelection(int step, int count, int visible);
  // Scrolls by lines (texts), keeping the selection on the same entry while it stays visible.
  void Scroll(int lines, int count, int visible);
  // The entry index of a visible row, or nothing past the last entry.
  std::optional<int> LineAtRow(int row, int count) const;
  void SelectRow(int row) { view_.selected = row; }

  int mode() const { return mode_; }
  int previous_mode() const { return previous_mode_; }
  const PageContent& content() const { return content_; }
  const PageView& view() const { return view_; }
  int SelectedLine() const { return view_.first + view_.selected; }

 private:
  struct Shown {
    int mode;
    PageContent content;
    PageView view;
  };
  void Show(int mode, PageContent content);
  static PageView Clamped(PageView view, int count, int visible);

  int mode_ = -1;
  int previous_mode_ = -1;
  PageContent content_;
  PageView view_;
  std::vector<Shown> trail_;  // modes switched from, the latest last
};

}  // namespace tarvello
