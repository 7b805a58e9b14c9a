// Paging of the list screen (search results, the current server, the manual server list): how
// many rows a page holds, the page count, which of "首页", "上翻", "下翻" and "尾页" can act on a
// page (the others are drawn grey) and the counter "(page/pages)". A plain value; safe from any
// thread.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

enum class PagingLabel { kFirst, kBack, kForward, kLast };
inline constexpr std::array<std::u16string_view, 4> kPagingLabels = {u"首页", u"上翻", u"下翻", u"尾页"};

class ListScreenPages {
 public:
  // list_height: the pixels the rows have; row_height: one and a half text lines.
  ListScreenPages(int item_count, int list_height, int row_height);

  int rows_per_page() const { return rows_per_page_; }
  // At least 1, so that an empty list shows "(1/1)".
  int page_count() const;
  int Clamp(int page) const;
  // The page that label leads to from page, or none when the label cannot act there.
  std::optional<int> Target(PagingLabel label, int page) const;
  std::u16string Counter(int page) const;
  // The item shown in row (0-based) of page; -1 for an empty row.
  int ItemAt(int page, int row) const;

 private:
  int item_count_;
  int rows_per_page_;
};

}  // namespace tarvello
