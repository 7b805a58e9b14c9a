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
// The list's rules live in ListModel; the screen keeps the geometry, the hit tests, the painting and
// the worker's exchange, and after every model operation carries out what the model asks of it
// (a fetch, the title, the refresh period, a repaint). Every good list answer and information tab's
// titles are kept in the answer cache; a list or tab that opens on one paints it at once, dimmed
// with its age, while its request goes out.
//
// Threads: RunExchange runs on the worker; it plans its fetch with the model and hands the answer
// back to it. Everything else runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text_metrics.h"
#include "lists/list_layout.h"
#include "lists/list_model.h"
#include "market/index_ticker.h"
#include "platform/data_screen.h"
#include "protocol/exchange_function.h"

namespace tarvello {

class CBatchListStockDlg;
class Navigator;
class OwnStockList;
struct BatchOutcome;

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

class CStockListDlg : public DataScreen {
 public:
  explicit CStockListDlg(StockListParts parts, QWidget* parent = nullptr);
  ~CStockListDlg() override;

  // Opens the list of a navigation target and its argument; false when it is none of this
  // screen's lists. Coming back from a screen the list opened shows the list as it was left.
  bool Open(int target, int argument);

  ListQuery query() const { return model_.query(); }
  std::shared_ptr<const ListView> view() const { return model_.view(); }
  int selected_row() const { return model_.selected_row(); }
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
  // Carries out what the model asks of the screen after an operation, and repaints.
  void Follow();
  void StartFetch();
  bool ShowCached();
  void ApplyTitle();
  int Line() const;
  ListLayout Layout() const;

  // Fetching (worker thread, stock_list_fetch_dlg.cpp).
  bool FetchOwnInfo(const ListQuery& query, const InfoQuery& info);
  void AskTypeAndOpen(const SecurityCode& code);

  void ShowScreenMenu() override;
  void GoBack() override;

  // The batch panel (batch_entries_dlg.cpp).
  void OpenBatchPanel(unsigned command);
  void AfterBatch(const BatchOutcome& outcome);

  // Input (stock_list_input_dlg.cpp).
  void TapHeader(int x);
  void TapToolbar(int x);
  void Stroke(Point from, Point to);
  bool InfoKey(KeyCode key);
  void InfoTap(Point at);

  // Painting (stock_list_paint_dlg.cpp, stock_list_info_dlg.cpp).
  void PaintInfo(Canvas& canvas, const ListLayout& layout);
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

  // Posted to the screen itself: puts the list's title up again after the main screen set the
  // title of the navigation target.
  static constexpr int kMsgApplyTitle = 0x8001;
  // Posted by the worker with the security type of the row being opened (-1: unknown).
  static constexpr int kMsgOpenTyped = 0x8002;
  // Posted by the worker when a broken answer left some rows: it repaints only after a good one.
  static constexpr int kMsgRowsChanged = 0x8003;

  const StockListParts parts_;
  ListModel model_;
  // User-interface thread only.
  Point pen_down_{};
  TextMetrics metrics_ = SharedTextMetrics();
  CBatchListStockDlg* batch_ = nullptr;  // child window, owned by this screen
};

}  // namespace tarvello
