#include "brokers/row_paging.h"

#include <algorithm>

namespace tarvello {

void RowPaging::Reset(int count) {
  count_ = std::max(count, 0);
  first_ = 0;
  selected_ = 0;
}

void RowPaging::SetCount(int count) {
  count_ = std::max(count, 0);
  KeepInView();
}

void RowPaging::SetRowsPerPage(int rows) {
  rows_per_page_ = std::max(rows, 1);
  KeepInView();
}

void RowPaging::Move(int step) {
  selected_ += step;
  KeepInView();
}

void RowPaging::Page(int pages) {
  const int rows = pages * rows_per_page_;
  first_ += rows;
  selected_ += rows;
  first_ = std::clamp(first_, 0, std::max(count_ - rows_per_page_, 0));
  selected_ = std::clamp(selected_, first_, std::max(first_ + rows_per_page_ - 1, 0));
  KeepInView();
}

void RowPaging::Select(int row) {
  selected_ = row;
  KeepInView();
}

std::optional<int> RowPaging::RowAt(int visible_row) const {
  if (visible_row < 0 || visible_row >= rows_per_page_) return std::nullopt;
  const int row = first_ + visible_row;
  if (row >= count_) return std::nullopt;
  return row;
}

void RowPaging::KeepInView() {
  selected_ = std::clamp(selected_, 0, std::max(count_ - 1, 0));
  if (selected_ < first_) first_ = selected_;
  if (selected_ >= first_ + rows_per_page_) first_ = selected_ - rows_per_page_ + 1;
  first_ = std::clamp(first_, 0, std::max(count_ - rows_per_page_, 0));
}

}  // namespace tarvello
