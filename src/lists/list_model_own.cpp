// The list model's own lists: adding and deleting self-selected codes, the manage tab's moves with
// the selection following the moved code, the tabs, the information tabs' titles and articles, and
// the list brought up to date after the batch panel wrote it.
#include <algorithm>

#include "lists/batch_panel_model.h"
#include "lists/list_menu.h"
#include "lists/list_model.h"
#include "lists/list_row_access.h"
#include "market/own_stock_list.h"

namespace tarvello {
namespace {

constexpr int kInfoKinds[] = {1, 2, 16};  // tabs 1 to 3: news, notices, research reports

}  // namespace

// The code and the row it is removed from come from one snapshot of the page: the worker may
// publish a shorter page while the file is written. The self-selected list loses the row at once,
// and an emptied page falls back to the one before.
void ListModel::ToggleSelfSelected(bool add) {
  const std::shared_ptr<const ListView> view = view_.Current();
  const std::vector<SecurityCode> codes = PageCodes(*view);
  if (!parts_.selfSelected || selected_row_ < 1 || selected_row_ > static_cast<int>(codes.size())) return;
  const auto index = static_cast<std::size_t>(selected_row_ - 1);
  const SecurityCode code = codes[index];
  const bool done = add ? parts_.selfSelected->Add(code) : parts_.selfSelected->Remove(code);
  const ListQuery q = query();
  if (!done || add || q.mode != kModeSelfSelected) return;
  ListView shown = *view;
  EraseRow(shown.rows, kind(), index);
  shown.rows.listTotal = std::max(0, shown.rows.listTotal - 1);
  view_.Publish(std::move(shown));
  selected_row_ = std::max(1, std::min(selected_row_, static_cast<int>(codes.size()) - 1));
  if (codes.size() == 1 && q.page > 0) {
    GoToPage(q.page - 1);
  } else {
    Fetch(false);
  }
}

// The selection follows the code it moved, onto the page before or after when it crosses one: the
// page is the own list's, and the row is found once the page's rows have come (a server may leave
// out a code it does not know).
void ListModel::MoveOwnRow(const SecurityCode& code, bool up) {
  if (!(up ? parts_.selfSelected->MoveUp(code) : parts_.selfSelected->MoveDown(code))) return;
  const std::vector<SecurityCode> own = parts_.selfSelected->Codes();
  const auto at = std::find(own.begin(), own.end(), code);
  if (at == own.end()) return;
  const PagePlace place = Paging(static_cast<int>(own.size())).PlaceOf(static_cast<int>(at - own.begin()));
  if (place.page != query().page) {
    GoToPage(place.page);
  } else {
    Fetch(false);
  }
  moved_ = MovedCode{code, view_.Current()};
}

void ListModel::FollowMovedCode() {
  if (!moved_ || view_.Current() == moved_->before) return;
  const std::vector<SecurityCode> codes = PageCodes();
  const auto found = std::find(codes.begin(), codes.end(), moved_->code);
  if (found == codes.end()) return;
  selected_row_ = static_cast<int>(found - codes.begin()) + 1;
  moved_.reset();
}

// "新闻", "公告" and "研报" show their titles in place of the quote rows; "行情" brings the rows back
// in the server's order, "管理" keeps them.
void ListModel::ChooseTab(int tab) {
  if (tab != kTabQuotes && tab != kTabManage) {
    ShowInfoTab(tab);
    return;
  }
  const bool fromInfo = InfoShown();
  if (fromInfo) LeaveInfoTab();
  self_select_tab_ = tab;
  if (tab == kTabQuotes) {
    first_column_ = 1;
    Sort(kSortServerOrder, 0, query().sortDirection);
  } else if (fromInfo) {
    Fetch(true);
  }
}

// Titles are fetched once a tab, with the progress window, and do not refresh on the timer.
void ListModel::ShowInfoTab(int tab) {
  self_select_tab_ = tab;
  ChangeQuery([&](ListQuery& q) {
    q.infoKind = kInfoKinds[tab - 1];
    q.article.clear();
  });
  info_.ShowTitles({});
  Fetch(true);
}

void ListModel::LeaveInfoTab() {
  ChangeQuery([](ListQuery& q) {
    q.infoKind = 0;
    q.article.clear();
  });
  info_.ShowTitles({});
}

void ListModel::OpenArticle(const PageEntry* title) {
  if (title == nullptr || title->identifier.empty()) return;
  ChangeQuery([&](ListQuery& q) { q.article = title->identifier; });
  info_.AwaitArticle();
  Fetch(true);
}

bool ListModel::CloseArticle() {
  if (!InfoShown() || !info_.reading()) return false;
  ChangeQuery([](ListQuery& q) { q.article.clear(); });
  info_.CloseArticle();
  return true;
}

// The worker's titles or article, unless another tab or title was chosen since it asked. Every
// key, tap and paint takes them first, so that none acts on the titles of a moment before.
void ListModel::TakeInfo() {
  const std::shared_ptr<const ListView> view = view_.Current();
  if (view == info_taken_) return;
  info_taken_ = view;
  const ListQuery q = query();
  if (q.infoKind == 0 || !SameRequest(view->infoFor, q)) return;
  if (q.article.empty()) {
    info_.ShowTitles(view->info.entries);
  } else {
    info_.ShowArticle(view->info.text);
  }
}

void ListModel::InfoStep(int step) {
  TakeInfo();
  info_.Step(step);
}

void ListModel::PageInfo(PageMove move) {
  TakeInfo();
  info_.Page(move);
}

void ListModel::OpenSelectedArticle() {
  TakeInfo();
  if (!info_.reading()) OpenArticle(info_.Selected());
}

void ListModel::OpenArticleOnPage(int index) {
  TakeInfo();
  if (!info_.reading()) OpenArticle(info_.SelectOnPage(index));
}

bool ListModel::NoInfo() const {
  return info_.TitlesOnPage().empty() && SameRequest(view_.Current()->infoFor, query());
}

// The self-selected list is fetched again, a page emptied by the deletion falling back to the last
// page with rows; other lists only repaint the yellow of their names.
void ListModel::AfterBatch(const BatchOutcome& outcome) {
  const ListQuery q = query();
  if (q.mode == kModeSelfSelected && parts_.selfSelected) {
    const int total = static_cast<int>(parts_.selfSelected->Codes().size());
    GoToPage(PageAfterBatch(outcome, q.page, q.rowsPerPage, total));
  }
  ShowTitleAgain();  // the list's title is put up again
}

}  // namespace tarvello
