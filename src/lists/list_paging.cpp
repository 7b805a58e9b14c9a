#include "lists/list_paging.h"

#include <algorithm>
#include <cmath>

#include "market/printf_text.h"

namespace tarvello {

int RowsPerPage(int height, int line, bool tabBar) {
  if (line <= 0) return 1;
  const double row = 1.5 * line;
  const double free = tabBar ? height - line - row - 3.0 * line : height - 4.0 * line;
  return std::max(1, static_cast<int>(std::floor(free / row - 1)));
}

ListPaging::ListPaging(int listTotal, int rowsPerPage) : total_(std::max(0, listTotal)), rows_(std::max(1, rowsPerPage)) {}

int ListPaging::PageCount() const {
  const double total = std::max(1, total_);
  return static_cast<int>((total - 1) / rows_ + 1);
}

std::u16string ListPaging::CounterText(int page) const { return PrintfText("(%d/%d)", page + 1, PageCount()); }

int ListPaging::RowsOn(int page) const {
  const long long before = static_cast<long long>(page) * rows_;
  return static_cast<int>(std::clamp<long long>(total_ - before, 0, rows_));
}

bool ListPaging::CanPageDown(int page) const {
  return page < total_ / rows_ && (static_cast<long long>(page) + 1) * rows_ + 1 <= total_;
}

int ListPaging::LastPage(int page) const {
  if (!CanPageDown(page)) return page;
  return total_ / rows_ - (total_ % rows_ == 0 ? 1 : 0);
}

int ListPaging::PageAfter(PageMove move, int page) const {
  switch (move) {
    case PageMove::kFirst: return 0;
    case PageMove::kPrevious: return CanPageUp(page) ? page - 1 : page;
    case PageMove::kNext: return CanPageDown(page) ? page + 1 : page;
    case PageMove::kLast: return LastPage(page);
  }
  return page;
}

PagePlace ListPaging::KeyUp(PagePlace at) const {
  if (at.row > 1) return {at.page, at.row - 1};
  if (at.page > 0) return {at.page - 1, 1};
  return {0, 1};
}

PagePlace ListPaging::KeyDown(PagePlace at) const {
  if (at.row < RowsOn(at.page)) return {at.page, at.row + 1};
  if (CanPageDown(at.page)) return {at.page + 1, 1};
  return at;
}

int ConstituentsPerPage(int rowsPerPage) { return std::max(1, rowsPerPage - 1); }

int ConstituentStart(int page, int rowsPerPage) { return std::max(0, page) * ConstituentsPerPage(rowsPerPage); }

ListPaging ConstituentPaging(int listTotal, int rowsPerPage) {
  const int members = std::max(0, listTotal - 1);
  const int perPage = ConstituentsPerPage(rowsPerPage);
  const int pages = std::max(1, (members + perPage - 1) / perPage);
  return ListPaging(members + pages, perPage + 1);
}

}  // namespace tarvello
