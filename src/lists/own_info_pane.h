// OwnInfoPane: what an information tab of the self-selected list ("新闻", "公告", "研报") shows
// where the quote rows stand: the titles of every self-selected code, two lines each, or the
// article of the title chosen, word-wrapped. The titles come in one answer of up to 100, so both
// page here without asking the server again: the titles by their selection, as the quote rows
// page, and the article a page of display lines at a time.
// User-interface thread; plain state, no drawing.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "info/page_content.h"
#include "lists/list_paging.h"

namespace tarvello {

class OwnInfoPane {
 public:
  // Titles (none while a tab's titles are on their way): the selection goes to the first, unless
  // they are the titles shown already.
  void ShowTitles(std::vector<PageEntry> titles);
  // The chosen title's article is asked for; the titles keep their page and selection.
  void AwaitArticle();
  // The article's text, while one is awaited or shown; the text shown already keeps its page.
  void ShowArticle(std::u16string text);
  void CloseArticle();
  bool reading() const { return reading_; }

  // Lays the pane out for the area it is painted in; the article is wrapped again only when the
  // width or the font changed.
  void Fit(int entriesPerPage, int linesPerPage, int pageWidth, int wideWidth);

  // The up and down keys: the selection among the titles, which pages on at the ends; a page of
  // the article.
  void Step(int step);
  void Page(PageMove move);
  // The paging line's page counter and which of its moves can act.
  ListPaging Paging() const;
  int page() const;

  // The title at `index` on the page in view becomes the selection; none past the last title.
  const PageEntry* SelectOnPage(int index);
  const PageEntry* Selected() const;
  int selectedOnPage() const { return place_.row - 1; }  // 0-based; titles only
  std::span<const PageEntry> TitlesOnPage() const;
  std::span<const std::u16string> LinesOnPage() const;

 private:
  std::vector<PageEntry> titles_;
  PagePlace place_;  // the titles' page and the selected row on it
  bool reading_ = false;
  std::u16string article_;
  std::vector<std::u16string> lines_;  // the article wrapped at wrapped_width_
  int article_page_ = 0;
  int entries_per_page_ = 1;
  int lines_per_page_ = 1;
  int wrapped_width_ = -1;
  int wrapped_wide_ = -1;
};

}  // namespace tarvello
