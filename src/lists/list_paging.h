// Page arithmetic of the quote list: how many rows a page holds, the page counter, which page
// moves are possible, and where the selection goes on the up and down keys. Pages are numbered
// from 0, rows on a page from 1. Pure functions, any thread.
#pragma once

#include <algorithm>
#include <string>

namespace tarvello {

// Rows that fit below the header and above the paging line, ticker and toolbar for a client of
// `height` and text lines of `line`; the self-selected list's tab bar takes one more line. Never
// below 1, so that a tiny window still pages.
int RowsPerPage(int height, int line, bool tabBar);

// The paging line's moves, in the order of its four parts: "首页", "上翻", "下翻", "尾页".
enum class PageMove { kFirst, kPrevious, kNext, kLast };

struct PagePlace {
  int page = 0;
  int row = 1;
  friend bool operator==(const PagePlace&, const PagePlace&) = default;
};

class ListPaging {
 public:
  ListPaging(int listTotal, int rowsPerPage);

  int PageCount() const;
  // "(page/pages)".
  std::u16string CounterText(int page) const;
  // Rows on a page: a full page, the rest on the last, none past the end.
  int RowsOn(int page) const;
  bool CanPageUp(int page) const { return page > 0; }
  bool CanPageDown(int page) const;
  // The page "尾页" goes to; the page itself when it cannot move down.
  int LastPage(int page) const;
  // The page a move leads to from page; the page itself when the move cannot act.
  int PageAfter(PageMove move, int page) const;
  // Where the up and down keys leave the selection; a move onto another page needs a fetch.
  PagePlace KeyUp(PagePlace at) const;
  PagePlace KeyDown(PagePlace at) const;
  // Where the list's entry at index (from 0) stands: a row moved up or down in the self-selected
  // list takes the selection with it, onto the next or previous page when it crosses one.
  PagePlace PlaceOf(int index) const { return {std::max(0, index) / rows_, std::max(0, index) % rows_ + 1}; }

 private:
  int total_;
  int rows_;
};

// A sector's constituents come with the sector's own row first on every page, so a page holds
// one constituent fewer than it has rows and the pages follow each other without a gap: page p
// asks for the constituents from p x (rows - 1). `listTotal` counts the sector's row once, as the
// answer gives it; the paging counts it on every page, so that the counter, the last page and the
// keys agree with what each page shows.
int ConstituentsPerPage(int rowsPerPage);
int ConstituentStart(int page, int rowsPerPage);
ListPaging ConstituentPaging(int listTotal, int rowsPerPage);

}  // namespace tarvello
