#include "lists/own_info_pane.h"

#include <algorithm>

#include "info/page_text.h"

namespace tarvello {

void OwnInfoPane::ShowTitles(std::vector<PageEntry> titles) {
  if (titles == titles_ && !reading_) return;  // the same titles again keep their place
  titles_ = std::move(titles);
  place_ = PagePlace{};
  CloseArticle();
}

void OwnInfoPane::AwaitArticle() {
  CloseArticle();
  reading_ = true;
}

void OwnInfoPane::ShowArticle(std::u16string text) {
  if (!reading_ || text == article_) return;  // the same text again keeps its page
  article_ = std::move(text);
  article_page_ = 0;
  wrapped_width_ = -1;  // wrapped at the next Fit
  lines_.clear();
}

void OwnInfoPane::CloseArticle() {
  reading_ = false;
  article_.clear();
  lines_.clear();
  article_page_ = 0;
}

void OwnInfoPane::Fit(int entriesPerPage, int linesPerPage, int pageWidth, int wideWidth) {
  const int index = place_.page * entries_per_page_ + place_.row - 1;
  entries_per_page_ = std::max(1, entriesPerPage);
  lines_per_page_ = std::max(1, linesPerPage);
  if (reading_ && (pageWidth != wrapped_width_ || wideWidth != wrapped_wide_)) {
    lines_ = WrapPageText(article_, pageWidth, wideWidth);
    wrapped_width_ = pageWidth;
    wrapped_wide_ = wideWidth;
  }
  // Another page size keeps the selected title in view.
  const int selected = std::clamp(index, 0, std::max(0, static_cast<int>(titles_.size()) - 1));
  place_ = {selected / entries_per_page_, selected % entries_per_page_ + 1};
  article_page_ = std::min(article_page_, Paging().PageCount() - 1);
}

ListPaging OwnInfoPane::Paging() const {
  return reading_ ? ListPaging(static_cast<int>(lines_.size()), lines_per_page_)
                  : ListPaging(static_cast<int>(titles_.size()), entries_per_page_);
}

int OwnInfoPane::page() const { return reading_ ? article_page_ : place_.page; }

void OwnInfoPane::Step(int step) {
  if (reading_) {
    Page(step < 0 ? PageMove::kPrevious : PageMove::kNext);
    return;
  }
  const ListPaging paging = Paging();
  place_ = step < 0 ? paging.KeyUp(place_) : paging.KeyDown(place_);
}

void OwnInfoPane::Page(PageMove move) {
  const int now = page();
  const int to = Paging().PageAfter(move, now);
  if (reading_) {
    article_page_ = to;
  } else if (to != now) {
    place_ = {to, 1};
  }
}

const PageEntry* OwnInfoPane::SelectOnPage(int index) {
  if (reading_ || index < 0 || index >= static_cast<int>(TitlesOnPage().size())) return nullptr;
  place_.row = index + 1;
  return Selected();
}

const PageEntry* OwnInfoPane::Selected() const {
  const std::size_t index = static_cast<std::size_t>(place_.page * entries_per_page_ + place_.row - 1);
  return !reading_ && index < titles_.size() ? &titles_[index] : nullptr;
}

std::span<const PageEntry> OwnInfoPane::TitlesOnPage() const {
  const std::size_t first = std::min(titles_.size(), static_cast<std::size_t>(place_.page * entries_per_page_));
  const std::size_t count = std::min(titles_.size() - first, static_cast<std::size_t>(entries_per_page_));
  return std::span<const PageEntry>(titles_).subspan(first, count);
}

std::span<const std::u16string> OwnInfoPane::LinesOnPage() const {
  const std::size_t first = std::min(lines_.size(), static_cast<std::size_t>(article_page_ * lines_per_page_));
  const std::size_t count = std::min(lines_.size() - first, static_cast<std::size_t>(lines_per_page_));
  return std::span<const std::u16string>(lines_).subspan(first, count);
}

}  // namespace tarvello
