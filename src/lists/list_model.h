// ListModel: the data side of the quote list screen. It holds what the list asks the server for
// (the query: list, page, order, the rankings' and views' choices), the rows last shown, the
// selection and the visible columns, the place on the sector list that "返回" leads back to, the
// list held while a stock's trade analysis or order details take the screen, and the self-selected
// list's tabs and edits; and it carries out the screen's commands: which list a navigation opens,
// which page, order or view a key, tap or menu command asks for, and where a row leads.
//
// The model does no network work. An operation that needs rows asks for a fetch (TakeFetch); the
// owner's worker plans it (PlanFetch), runs the exchange, reads the answer and hands the rows in
// through AnswerArrived, the one door every list answer comes in by: rows asked for before another
// list, page or order was chosen are dropped there, so a late answer never lands on the wrong list.
// The information tabs' titles and articles come in through InfoArrived the same way.
//
// Threads: query(), view(), TakeOpenCode(), PlanFetch(), AnswerArrived() and InfoArrived() may be
// called from the worker; everything else runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/shared_records.h"
#include "info/info_fetch.h"
#include "info/page_content.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_columns.h"
#include "lists/list_paging.h"
#include "lists/list_rows.h"
#include "lists/own_info_pane.h"
#include "lists/ranking_choice.h"
#include "platform/prompter.h"
#include "protocol/bytes.h"
#include "storage/answer_cache_file.h"

namespace tarvello {

class Navigator;
class OwnStockList;
struct BatchOutcome;

// What the worker fetches; written by the user-interface thread.
struct ListQuery {
  int mode = 0;
  int category = 0;
  int shownSector = 0;
  SecurityCode sectorCode;
  std::u16string sectorName;
  int sectorClass = 0;
  int sortField = 0;
  int sortDirection = 0;
  int page = 0;
  int rowsPerPage = 1;
  bool bigOrderMode = false;  // the rankings: big orders (2105) or, with fundView, fund (2106)
  bool fundView = false;
  int days = 1;
  int fundPeriod = 1;         // sector fund flow: 1, 5 or 15 days
  SecurityCode stockCode;     // trade analysis and order details
  int analysisDays = 1;
  SecurityCode openCode;      // a row waiting for its security type before it opens
  int infoKind = 0;           // a self-selected information tab: 1 news, 2 notices, 16 reports
  std::u16string article;     // with infoKind: the identifier of the title being read

  friend bool operator==(const ListQuery&, const ListQuery&) = default;
};

// Whether two queries ask for the same answer: everything but the row waiting to open.
bool SameRequest(const ListQuery& a, const ListQuery& b);

struct ListView {
  bool loaded = false;
  ListRows rows;
  PageContent info{};   // an information tab's titles or article, as the worker read them
  ListQuery infoFor{};  // the query info answers
};

// One fetch planned for a query: the request, the rows its answer is read into (a copy of the
// rows held with the list the answer fills emptied, so that an answer replaces its rows and never
// merges with them) and how to read it. An empty request asks nothing: the rows are shown as they
// are (an own list's page past its end).
struct ListFetch {
  Bytes request;
  ListRows rows;
  ListAnswerContext context;
};

// Finds the answer cache's entry of a key.
using CacheFinder = std::function<std::optional<CacheEntry>(std::string_view key)>;

struct ListModelParts {
  OwnStockList* selfSelected = nullptr;
  OwnStockList* recentlyViewed = nullptr;
  Navigator* navigator = nullptr;
  std::chrono::milliseconds period{15000};  // the list refresh period
};

class ListModel {
 public:
  // The toolbar's parts that the screen carries out itself.
  enum class ToolbarAct { kDone, kMenu, kTypeCodes };

  explicit ListModel(ListModelParts parts);

  // Opens the list of a navigation target and its argument; false when it is none of this
  // screen's lists. Coming back from a screen the list opened shows the list as it was left.
  bool Open(int target, int argument);
  // The page's height and text line: how many rows a page holds. A new count refetches from the
  // first page.
  void FitPage(int height, int line);
  // The page's height and text line without a fetch: the opening that follows asks for one.
  void SetPageSize(int height, int line);
  void SetListPeriod(std::chrono::milliseconds period) { list_period_ = period; }
  // The refresh period in force: none on an information tab, 5 s for the order details.
  std::chrono::milliseconds RefreshPeriod() const;

  // What the screen owes the model after an operation: a fetch (true: with the progress window),
  // the title put up now, or once the navigation that shows the screen has set its own.
  std::optional<bool> TakeFetch() { return std::exchange(fetch_, std::nullopt); }
  enum class TitleShow { kNone, kNow, kAfterNavigation };
  TitleShow TakeTitleShow() { return std::exchange(title_show_, TitleShow::kNone); }

  // Commands (user-interface thread). RunCommand is false for the commands it leaves to the
  // screen (the batch panel's).
  bool RunCommand(unsigned command);
  std::vector<MenuItem> PopupMenuItems() const;
  void StepSelection(int step);  // the up and down keys: a row, a page at the ends
  void ScrollColumns(int step);
  void PageBy(int step);         // a stroke: the next or previous page, where there is one
  void MovePage(PageMove move);  // the paging line
  void SortByHeader(int column);
  void TapRow(int row);          // 0-based on the page
  void OpenRow(int row);         // 1-based
  void GoBack();
  ToolbarAct Toolbar(int part);
  void ChooseTab(int tab);
  void OpenTyped(int securityType);  // the answer to the security query of the row opening
  void AfterBatch(const BatchOutcome& outcome);
  // Back from a screen the list opened: the selection follows the security shown there.
  void SyncSelectionToCurrent();
  // The manage tab's moves: the selection goes to the moved code once the rows after the move
  // have come.
  void FollowMovedCode();

  // The information tabs (user-interface thread): the worker's titles or article are taken first.
  bool InfoShown() const { return query().infoKind != 0; }
  void TakeInfo();
  void InfoStep(int step);
  void PageInfo(PageMove move);
  void OpenSelectedArticle();
  void OpenArticleOnPage(int index);
  bool CloseArticle();  // false when no article is shown
  OwnInfoPane& info() { return info_; }
  // Whether the titles asked for have come and there are none.
  bool NoInfo() const;

  // The worker's side.
  ListQuery query() const;
  std::shared_ptr<const ListView> view() const { return view_.Current(); }
  SecurityCode TakeOpenCode();
  std::optional<ListFetch> PlanFetch(const ListQuery& q) const;
  // The one door of list answers: rows read for `asked`. False (nothing shown) when another list,
  // page or order was asked for since.
  bool AnswerArrived(const ListQuery& asked, ListRows rows);
  // The rows of q's last good answer in the cache, handed in through AnswerArrived as a fresh
  // answer's would be: the moment that answer came; none when the cache holds none for q's request
  // that reads to its end.
  std::optional<std::chrono::system_clock::time_point> ShowCached(const ListQuery& q, const CacheFinder& find);
  bool InfoArrived(const ListQuery& asked, PageContent page);
  // An information tab's titles of every self-selected code, or the article chosen; none off the
  // tabs.
  std::optional<InfoQuery> PlanInfo(const ListQuery& q) const;

  // What the screen draws.
  ListKind kind() const;
  bool SectorList() const { return kind() == ListKind::kSectors; }
  bool OwnView() const;  // sector fund flow, trade analysis or order details
  bool TabBarShown() const;
  ListPaging Paging(int listTotal) const;
  int RowsHeld() const;
  std::vector<SecurityCode> PageCodes() const;
  std::vector<SecurityCode> PageCodes(const ListView& view) const;
  // The name is drawn yellow: the sector's own row, or a self-selected code outside that list.
  bool NameMarked(const SecurityCode& code, int index) const;
  int selected_row() const { return selected_row_; }
  int first_column() const { return first_column_; }
  int arrow_column() const { return arrow_column_; }
  int self_select_tab() const { return self_select_tab_; }
  const std::u16string& title() const { return title_; }

 private:
  // The place on the sector list that a sector or the sector fund flow was opened from, where
  // "返回" leads back to: its page, row and order, which the views opened from it do not keep.
  // Without one, "返回" opens the sector list afresh, by change ratio, largest first.
  struct SectorListPlace {
    int page = 0;
    int row = 1;
    int sortField = kSortChangeRatio;
    int sortDirection = kSortDescending;
    int arrowColumn = 1;
    std::u16string title;
  };
  // The list in front when a stock's trade analysis or order details took the screen, so that
  // coming back from that stock's detail screen shows the list again rather than the stock's view.
  struct HeldList {
    ListQuery query;
    ListView view;
    std::u16string title;
    int selectedRow = 1;
    int firstColumn = 1;
    int arrowColumn = 0;
  };
  // A code the manage tab moved, and the rows shown before the move.
  struct MovedCode {
    SecurityCode code;
    std::shared_ptr<const ListView> before;
  };

  template <typename Change>
  void ChangeQuery(Change change) {
    std::lock_guard<std::mutex> lock(query_mutex_);
    change(query_);
  }
  void Fetch(bool busy) { fetch_ = fetch_.value_or(false) || busy; }
  void SetTitle(std::u16string title);
  void ShowTitleAgain() { title_show_ = TitleShow::kNow; }
  void Reset(const ListQuery& query);
  void HoldListForStockView(int mode);
  void RestoreHeldList();
  void EmptyRows();
  void GoToPage(int page);
  void Sort(int field, int arrowColumn, int direction);
  void OpenSector(const QuoteRow& row);
  SectorListPlace SectorListPlaceNow() const;
  void OpenSectorList(int sectorClass, const SectorListPlace* place = nullptr);
  void OpenSectorFunds(int period);
  void ChooseAnalysisDays(int days);
  void ChooseRanking(const RankingStep& step);
  bool RunViewCommand(unsigned command);
  void ToggleSelfSelected(bool add);
  void MoveOwnRow(const SecurityCode& code, bool up);
  void OpenAlerts();
  void ShowInfoTab(int tab);
  void LeaveInfoTab();
  void OpenArticle(const PageEntry* title);
  int RowsPerPageFor(const ListQuery& q) const;

  const ListModelParts parts_;
  mutable std::mutex query_mutex_;
  ListQuery query_;  // guarded by query_mutex_
  SharedRecords<ListView> view_;

  // User-interface thread only.
  std::optional<bool> fetch_;
  TitleShow title_show_ = TitleShow::kNone;
  int height_ = 0;
  int line_ = 1;
  std::chrono::milliseconds list_period_;
  int arrow_column_ = 0;
  int first_column_ = 1;
  int selected_row_ = 1;
  int self_select_tab_ = 0;
  OwnInfoPane info_;
  std::shared_ptr<const ListView> info_taken_;  // the view whose titles or article info_ holds
  SectorListPlace sector_place_;
  int fund_period_ = 1;
  RankingState ranking_;
  SecurityCode opening_code_;  // the row whose security type was asked
  std::u16string title_;
  std::optional<HeldList> held_list_;
  std::optional<MovedCode> moved_;
};

}  // namespace tarvello
