// CStockListDlg: the quote list screen. It shows one list at a time (a market category, the
// market indices, the self-selected or recently viewed list, the sectors or a sector's
// constituents, the index futures, the big-order and fund rankings) as a table: the name column,
// three of the list's data columns (scrolled sideways), a paging line with the page counter, the
// index ticker strip and the toolbar. Sorting and paging happen on the server, except for the own
// lists, which are paged here and fetched by their codes. A row opens the stock detail screen
// through the Navigator. Three views of their own share the screen: the sector fund flow, and
// one stock's trade analysis and order details; and the self-selected list's information tabs
// show titles and articles where its quote rows stand.
//
// Threads: RunExchange runs on the worker; it reads what to fetch (query_) under query_mutex_ and
// publishes rows through view_. Everything else runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "base/shared_records.h"
#include "base/text_metrics.h"
#include "info/page_content.h"
#include "lists/list_codes.h"
#include "lists/list_columns.h"
#include "lists/list_layout.h"
#include "lists/list_paging.h"
#include "lists/list_rows.h"
#include "lists/own_info_pane.h"
#include "lists/ranking_choice.h"
#include "market/index_ticker.h"
#include "platform/data_screen.h"
#include "platform/prompter.h"
#include "protocol/bytes.h"
#include "protocol/exchange_function.h"

namespace tarvello {

class CBatchListStockDlg;
class Navigator;
class OwnStockList;
struct BatchOutcome;
struct ListOpening;

struct StockListParts {
  ExchangeFunction exchange;
  Window* mainScreen = nullptr;            // receives the busy messages
  OwnStockList* selfSelected = nullptr;
  OwnStockList* recentlyViewed = nullptr;
  std::function<TickerState()> ticker;     // none: the ticker strip stays empty
  std::chrono::milliseconds period{15000};  // the list refresh period
  Navigator* navigator = nullptr;
  std::function<void(const std::u16string&)> setTitle;  // the main window's title
};

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
  PageContent info{};  // an information tab's titles or article, as the worker read them
  ListQuery infoFor{};  // the query info answers
};

class CStockListDlg : public DataScreen {
 public:
  explicit CStockListDlg(StockListParts parts, QWidget* parent = nullptr);
  ~CStockListDlg() override;

  // Opens the list of a navigation target and its argument; false when it is none of this
  // screen's lists. Coming back from a screen the list opened shows the list as it was left.
  bool Open(int target, int argument);

  ListQuery query() const;
  std::shared_ptr<const ListView> view() const { return view_.Current(); }
  int selected_row() const { return selected_row_; }
  int first_column() const { return first_column_; }
  int arrow_column() const { return arrow_column_; }
  const std::u16string& title() const { return title_; }
  ListKind kind() const;
  std::vector<MenuItem> PopupMenuItems() const;
  SoftKeyCaptions SoftKeys() const override { return MenuAndBack(u"选项"); }
  void RunCommand(unsigned command);
  // The batch panel over the list; null until a batch entry first opens it.
  CBatchListStockDlg* batch_panel() const { return batch_; }
  // The refresh period of the lists from now on (the order details keep their own).
  void SetListPeriod(std::chrono::milliseconds period);

 protected:
  bool RunExchange() override;
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void OnPenUp(Point at) override;
  bool OnWheel(int notches, bool zoom, Point at) override;

 private:
  // Fetching (worker thread).
  bool FetchOwnList(const ListQuery& query, const OwnStockList& list);
  bool FetchAndRead(const ListQuery& query, const Bytes& request, ListRows fresh);
  bool FetchPage(const ListQuery& query, const ListRows& held);
  bool FetchOwnInfo(const ListQuery& query);
  void AskTypeAndOpen(const SecurityCode& code);
  SecurityCode TakeOpenCode();

  // State changes (user-interface thread).
  void Reset(const ListQuery& query);
  template <typename Change>
  void ChangeQuery(Change change) {
    std::lock_guard<std::mutex> lock(query_mutex_);
    change(query_);
  }
  void EmptyRows();
  void GoToPage(int page);
  void Sort(int field, int arrowColumn, int direction);
  void ScrollColumns(int step);
  void OpenRow(int row);
  void OpenSector(const QuoteRow& row);
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
  SectorListPlace SectorListPlaceNow() const;
  // The sector list of the class from its first page by change ratio, largest first; place may
  // restore a page and order before the fetch is asked for.
  void OpenSectorList(int sectorClass, const std::function<void(ListQuery&)>& place = {});
  void OpenSectorFunds(int period);
  void ChooseAnalysisDays(int days);
  void ChooseRanking(const RankingStep& step);
  void OpenTyped(int securityType);
  bool RunViewCommand(unsigned command);
  void ToggleSelfSelected(bool add);
  void MoveOwnRow(const SecurityCode& code, bool up);
  void FollowMovedCode();
  void OpenAlerts();
  void ShowScreenMenu() override;
  void GoBack() override;
  void SyncSelectionToCurrent();
  void ApplyTitle(std::u16string title);
  void FitRowsToHeight();
  std::vector<SecurityCode> PageCodes() const;
  std::vector<SecurityCode> PageCodes(const ListView& view) const;
  int RowsHeld() const;
  bool SectorList() const;
  bool OwnView() const;  // sector fund flow, trade analysis or order details
  bool TabBarShown() const;
  ListLayout Layout() const;
  ListPaging Paging(int listTotal) const;

  // The batch panel (batch_entries_dlg.cpp).
  void OpenBatchPanel(unsigned command);
  void AfterBatch(const BatchOutcome& outcome);

  // Input (stock_list_input_dlg.cpp).
  void TapHeader(int x);
  void TapPagingLine(int x);
  void TapToolbar(int x);
  void TapTabBar(int x);
  void Stroke(Point from, Point to);

  // The information tabs of the self-selected list (stock_list_info_dlg.cpp).
  bool InfoShown() const;
  void ShowInfoTab(int tab);  // 1 to 3
  void LeaveInfoTab();
  void OpenArticle(const PageEntry* title);
  bool CloseArticle();  // false when no article is shown
  void TakeInfo();
  bool InfoKey(KeyCode key);
  void InfoTap(Point at);
  void InfoStroke(int dy);
  void PaintInfo(Canvas& canvas, const ListLayout& layout);

  // Painting (stock_list_paint_dlg.cpp).
  void PaintTabBar(Canvas& canvas, const ListLayout& layout) const;
  void PaintHeader(Canvas& canvas, const ListLayout& layout) const;
  void PaintRows(Canvas& canvas, const ListLayout& layout, const ListView& view) const;
  void PaintPagingLine(Canvas& canvas, const ListLayout& layout, const ListPaging& paging, int page) const;
  void PaintTicker(Canvas& canvas, const Rect& strip) const;
  void PaintToolbar(Canvas& canvas, const Rect& bar) const;

  // The views of their own (stock_list_views_paint_dlg.cpp).
  void PaintSectorFunds(Canvas& canvas, const ListLayout& layout, const ListView& view) const;
  void PaintTradeAnalysis(Canvas& canvas, const ListLayout& layout, const ListView& view) const;
  void PaintOrderDetails(Canvas& canvas, const ListLayout& layout, const ListView& view) const;

  // Posted by the worker with the security type of the row being opened (-1: unknown).
  static constexpr int kMsgOpenTyped = 0x8002;
  // Posted by the worker when a broken answer left some rows: it repaints only after a good one.
  static constexpr int kMsgRowsChanged = 0x8003;

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
  void HoldListForStockView(const ListOpening& opening);
  void RestoreHeldList();

  const StockListParts parts_;
  mutable std::mutex query_mutex_;
  ListQuery query_;  // guarded by query_mutex_
  SharedRecords<ListView> view_;

  // User-interface thread only.
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
  // A code the manage tab moved, and the rows shown before the move: the selection goes to the
  // code in the first rows that come after it.
  struct MovedCode {
    SecurityCode code;
    std::shared_ptr<const ListView> before;
  };
  std::optional<MovedCode> moved_;
  std::chrono::milliseconds list_period_;
  Point pen_down_{};
  TextMetrics metrics_;
  CBatchListStockDlg* batch_ = nullptr;  // child window, owned by this screen
};

}  // namespace tarvello
