// CGzqhDlg: the index futures screen. One dialog with three views of one security: the quote
// panel of a futures contract (view 1), its newest ticks (view 2) and the fund flow of any
// security (view 3) with its pie. Below the view sit the index ticker strip (with the keyboard
// and refresh spots) and the bottom bar, whose cells depend on the view.
//
// Its worker sends the view's one request (3203, 3205 or 2109) alone on every refresh and
// publishes a fresh FuturesScreenView; the painter only ever reads a published one. Once per
// security it first asks the security query for the name the title shows and the session that
// tells when old figures count as stale. The refresh timer (3001) runs at the intraday period;
// after a failed exchange the next period retries.
//
// Threads: RunExchange runs on the worker. request_mutex_ guards the request and every
// publication, so an answer is published only for the security and view still asked for.
// Everything else runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/shared_records.h"
#include "base/text_metrics.h"
#include "futures/futures_records.h"
#include "futures/futures_routes.h"
#include "market/futures_quote.h"
#include "market/index_ticker.h"
#include "market/security_code.h"
#include "platform/data_screen.h"
#include "platform/prompter.h"
#include "protocol/bytes.h"
#include "protocol/exchange_function.h"

namespace tarvello {

class Navigator;
class OwnStockList;

struct FuturesParts {
  ExchangeFunction exchange;
  Window* mainScreen = nullptr;                      // receives the busy messages
  OwnStockList* selfSelected = nullptr;              // none: the options menu offers no self-select
  std::function<TickerState()> ticker;               // none: the ticker strip stays empty
  std::chrono::milliseconds period{5000};            // the intraday refresh period
  Navigator* navigator = nullptr;                    // none: the screen cannot lead anywhere
  std::function<void(const std::u16string&)> setTitle;  // the main window's title; none: kept
};

// A published state: the view and security it was asked for and what the last answers said.
struct FuturesScreenView {
  int view = kViewQuotePanel;
  SecurityCode code;
  bool loaded = false;  // the last exchange of this view succeeded
  FuturesQuote quote;
  FuturesTicks ticks;
  SecurityFundFlow flow;
  bool factsAsked = false;  // the security query was sent for code
  std::u16string name;      // from it; empty until then, or when the server named none
  TradingHours hours;
};

class CGzqhDlg : public DataScreen {
 public:
  explicit CGzqhDlg(FuturesParts parts, QWidget* parent = nullptr);
  ~CGzqhDlg() override;

  // Shows code in view; a new security or view starts from empty figures and loads afresh.
  void Open(FuturesView view, const SecurityCode& code, FuturesCaller caller);
  // The options menu's commands.
  void RunCommand(unsigned command);
  SoftKeyCaptions SoftKeys() const override { return MenuAndBack(u"选项"); }

  int view() const;
  SecurityCode code() const;
  int tick_rows() const;
  const FuturesCaller& caller() const { return caller_; }
  std::shared_ptr<const FuturesScreenView> records() const { return records_.Current(); }
  std::vector<MenuItem> OptionsMenuItems() const;

 protected:
  bool RunExchange() override;
  bool InTradingHours(MarketTime now) const override;
  void OnMessage(const Message& message) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  bool SwipesAt(Point at) const override;
  bool OnSwipe(const Gesture& swipe) override;
  bool OnWheel(int notches, bool zoom, Point at) override;

 private:
  struct Layout {
    Rect content;
    Rect strip;
    Rect bar;
    int line = 0;
  };
  struct Request {
    int view = kViewQuotePanel;
    SecurityCode code;
    int tickRows = 1;
  };
  Layout LayoutFor(const TextMetrics& metrics) const;
  Request CurrentRequest() const;
  Bytes Fetch(std::size_t capacity, const Bytes& bytes) const;
  Bytes FetchViewAnswer(const Request& request) const;
  std::optional<std::chrono::system_clock::time_point> ReadCached(FuturesScreenView& fresh) const;
  void ShowTitle();
  void TouchBottomBar(int x);
  void TouchStrip(int x);
  void StepSecurity(int step);
  void ToggleSelfSelected(bool add);
  void ShowScreenMenu() override;
  void GoBack() override;
  void Navigate(const NavigationRequest& request);

  void PaintQuotePanel(Canvas& canvas, const Rect& area, const FuturesScreenView& shown);
  void PaintTicks(Canvas& canvas, const Rect& area, const FuturesScreenView& shown);
  void PaintFundFlow(Canvas& canvas, const Rect& area, const FuturesScreenView& shown);
  void PaintBottomBar(Canvas& canvas, const Rect& bar);

  // Posted by the worker once the security query named the security.
  static constexpr int kMsgNamed = 0x8001;

  const FuturesParts parts_;
  mutable std::mutex request_mutex_;
  Request request_;  // guarded by request_mutex_
  SharedRecords<FuturesScreenView> records_;  // published under request_mutex_

  // User-interface thread only.
  FuturesCaller caller_;
  TextMetrics metrics_ = SharedTextMetrics();
};

}  // namespace tarvello
