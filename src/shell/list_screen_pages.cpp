#include "shell/list_screen_pages.h"

#include <algorithm>

#include "text/text_codec.h"

namespace tarvello {

ListScreenPages::ListScreenPages(int item_count, int list_height, int row_height)
    : item_count_(std::max(0, item_count)), rows_per_page_(std::max(1, row_height > 0 ? list_height / row_height : 1)) {}

int ListScreenPages::page_count() const { return std::max(1, (item_count_ + rows_per_page_ - 1) / rows_per_page_); }

int ListScreenPages::Clamp(int page) const { return std::clamp(page, 0, page_count() - 1); }

std::optional<int> ListScreenPages::Target(PagingLabel label, int page) const {
  const int last = page_count() - 1;
  page = Clamp(page);
  switch (label) {
    case PagingLabel::kFirst: return page > 0 ? std::optional(0) : std::nullopt;
    case PagingLabel::kBack: return page > 0 ? std::optional(page - 1) : std::nullopt;
    case PagingLabel::kForward: return page < last ? std::optional(page + 1) : std::nullopt;
    case PagingLabel::kLast: return page < last ? std::optional(last) : std::nullopt;
  }
  return std::nullopt;
}

std::u16string ListScreenPages::Counter(int page) const {
  return text::FromAscii("(" + std::to_string(Clamp(page) + 1) + "/" + std::to_string(page_count()) + ")");
}

int ListScreenPages::ItemAt(int page, int row) const {
  if (row < 0 || row >= rows_per_page_) return -1;
  const int item = Clamp(page) * rows_per_page_ + row;
  return item < item_count_ ? item : -1;
}

}  // namespace tarvello
