#include "shell/range_page_state.h"

#include <algorithm>
#include <utility>

namespace tarvello {

void RangePageState::Show(int mode, PageContent content) {
  if (mode != mode_) view_ = PageView{};
  previous_mode_ = mode_;
  mode_ = mode;
  content_ = std::move(content);
}

void RangePageState::Open(int mode, PageContent content) {
  trail_.clear();
  Show(mode, std::move(content));
}

void RangePageState::Switch(int mode, PageContent content) {
  trail_.push_back(Shown{mode_, content_, view_});
  Show(mode, std::move(content));
}

bool RangePageState::Back() {
  if (trail_.empty()) return false;
  Shown shown = std::move(trail_.back());
  trail_.pop_back();
  previous_mode_ = mode_;
  mode_ = shown.mode;
  content_ = std::move(shown.content);
  view_ = shown.view;
  return true;
}

PageView RangePageState::Clamped(PageView view, int count, int visible) {
  visible = std::max(1, visible);
  const int last_first = std::max(0, count - visible);
  view.first = std::clamp(view.first, 0, last_first);
  const int last_row = std::max(0, std::min(visible, count - view.first) - 1);
  view.selected = std::clamp(view.selected, 0, last_row);
  return view;
}

void RangePageState::MoveSelection(int step, int count, int visible) {
  if (count <= 0) return;
  visible = std::max(1, visible);
  const int line = std::clamp(SelectedLine() + step, 0, count - 1);
  if (line < view_.first) view_.first = line;
  if (line >= view_.first + visible) view_.first = line - visible + 1;
  view_.selected = line - view_.first;
  view_ = Clamped(view_, count, visible);
  view_.selected = line - view_.first;
}

void RangePageState::Scroll(int lines, int count, int visible) {
  const int line = SelectedLine();
  view_.first += lines;
  view_ = Clamped(view_, count, visible);
  view_.selected =
      std::clamp(line - view_.first, 0, std::max(0, std::min(visible, count - view_.first) - 1));
}

std::optional<int> RangePageState::LineAtRow(int row, int count) const {
  const int line = view_.first + row;
  if (row < 0 || line >= count) return std::nullopt;
  return line;
}

}  // namespace tarvello
