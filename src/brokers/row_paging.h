// RowPaging: the page of a list that is on screen: how many rows fit, the first row shown and the
// selected row. The selection always stays on the page; moving it past an edge of the page
// scrolls the page by one row, paging moves both by a page. A plain value, one thread.
#pragma once

#include <optional>

namespace tarvello {

class RowPaging {
 public:
  // A new list of count rows: the first row selected and shown first.
  void Reset(int count);
  // The list keeps its selection (clamped) while its row count changes.
  void SetCount(int count);
  void SetRowsPerPage(int rows);
  void Move(int step);
  void Page(int pages);
  void Select(int row);

  int count() const { return count_; }
  int rows_per_page() const { return rows_per_page_; }
  int first() const { return first_; }
  // -1 for an empty list.
  int selected() const { return count_ == 0 ? -1 : selected_; }
  // The list row shown in the page's visible_row, if any.
  std::optional<int> RowAt(int visible_row) const;

 private:
  void KeepInView();

  int count_ = 0;
  int rows_per_page_ = 1;
  int first_ = 0;
  int selected_ = 0;
};

}  // namespace tarvello
