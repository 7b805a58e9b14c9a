// DataScreen: the base of every screen that fetches its data on a worker thread (stock detail,
// K-line, quote list, index futures). It joins a RefreshWorker to a Window: the worker's repaint,
// timer and busy calls become the window's own, and a tick of the refresh timer stops the timer
// and asks the worker for a silent refresh while the screen is shown and not already busy.
// A screen adds its exchange (RunExchange, on the worker thread) and its painting. When its last
// good answer is more than two refresh periods old in trading hours, the screen is drawn dimmed
// with the age of its figures ("12秒前") at the top right, until the next good answer. Figures
// painted from the answer cache show the same way, with the age of the cached answer, until the
// first good answer after them.
//
// Thread rules: as Window; RunExchange runs on the worker thread. A derived screen calls
// StopRefreshing first thing in its destructor, so that no exchange runs over its released data.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "market/market_clock.h"
#include "platform/window.h"
#include "protocol/bytes.h"
#include "protocol/refresh_worker.h"
#include "storage/answer_cache.h"

namespace tarvello {

// Draws figures as old: the area dimmed and their age ("12秒前") at its top right. Every screen
// whose figures can be old draws them so.
void PaintFiguresAge(Canvas& canvas, const Rect& area, std::u16string_view age);

class DataScreen : public Window, public RefreshScreen {
 public:
  // main_screen receives the busy indication (2032); none drops it.
  DataScreen(unsigned timer_id, std::chrono::milliseconds period, Window* main_screen,
             QWidget* parent = nullptr);
  ~DataScreen() override;

  // Stops the timer and asks for fresh data at once; show_busy shows the progress window.
  // User-interface thread.
  void RequestRefresh(bool show_busy);
  void SetRefreshPeriod(std::chrono::milliseconds period) { worker_.SetPeriod(period); }
  std::chrono::milliseconds refresh_period() const { return worker_.period(); }
  bool busy() const { return worker_.busy(); }
  // True while a request the user waits for is not yet served; silent refreshes do not count.
  bool waited_for() const { return worker_.waited_for(); }
  void StopRefreshing();
  // The age of the figures when they count as old; none while they are fresh.
  std::optional<std::u16string> StaleAgeNow() const;
  // Where good answers are kept and cached ones found; none: the screen keeps nothing. Set before
  // the first request.
  void SetAnswerCache(AnswerCache* cache) { cache_ = cache; }
  AnswerCache* answer_cache() const { return cache_; }

 protected:
  void OnTimer(unsigned id) override;
  void OnPaintOver(Canvas& canvas) override;
  // A screen just brought up whose exchange is running waits up to a quick answer's time before
  // its first paint: the user sees the screen they came from a moment longer rather than an empty
  // one that the answer repaints at once.
  bool PaintHeld() const override;
  void showEvent(QShowEvent* event) override;
  // Whether a timer tick refreshes; by default while shown and not busy.
  virtual bool RefreshesOnTick() const;
  // Whether the figures move at now, which decides whether old ones count as stale; by default
  // the shares' trading hours. A screen that knows its security's session (block 2118) says so.
  virtual bool InTradingHours(MarketTime now) const { return IsTradingTime(now); }
  RefreshWorker& worker() { return worker_; }
  unsigned timer_id() const { return timer_id_; }

  // The soft keys of a data screen: the left one opens the screen's menu, as its "选项" (or "菜单")
  // cell does, the right one goes back as its "返回" does, and so does Esc. A screen's OnKeyDown
  // hands every key here first and stops when it was taken.
  bool TakeMenuOrBackKey(KeyCode key);
  static SoftKeyCaptions MenuAndBack(std::u16string_view menu) { return {std::u16string(menu), u"返回"}; }
  virtual void ShowScreenMenu() {}
  virtual void GoBack() {}

  void InvalidateScreen() override;
  // User-interface thread, after an answer changed the figures and before the paint it asks for.
  virtual void AnswerArrived() {}
  void SetRefreshTimer(unsigned id, unsigned period_ms) override { SetTimer(id, period_ms); }
  void PostToMainScreen(const Message& message) override;
  // Worker thread, inside RunExchange: posts message to this screen once the exchange is over
  // and the progress window hidden. A navigation that an answer asks for goes this way, since
  // the main screen drops any asked for while the window shows. The message is delivered only
  // if the user has not left the screen since the exchange began: a late answer to a screen
  // left behind never brings it, or the screen it opens, back over the one the user went to.
  void PostWhenExchangeEnds(const Message& message) { after_exchange_.push_back(message); }
  void ExchangeBegins() override { hidden_as_exchange_began_ = times_hidden(); }
  void ExchangeEnded() override;
  // The cached answer for key; none without one or without a cache. Any thread.
  std::optional<CacheEntry> FindCached(std::string_view key) const;
  // Keeps a good answer for key as of now. Any thread, usually the worker's.
  void KeepAnswer(std::string_view key, const Bytes& answer);
  // The figures on screen came from the cache at moment (none: they did not): they are drawn
  // dimmed with that age until the next good answer. User-interface thread.
  void ShowCachedSince(std::optional<std::chrono::system_clock::time_point> moment);

 private:
  const unsigned timer_id_;
  Window* const main_screen_;
  RefreshWorker worker_;
  std::optional<std::u16string> shown_age_;  // user-interface thread: the age last painted
  std::chrono::steady_clock::time_point shown_at_;  // user-interface thread
  std::atomic<bool> awaiting_answer_{false};  // shown while its exchange ran, and no answer since
  AnswerCache* cache_ = nullptr;
  // User-interface thread: the moment of the cached figures shown, and when they were put up.
  std::optional<std::chrono::system_clock::time_point> cached_;
  std::chrono::steady_clock::time_point cached_shown_at_;
  std::vector<Message> after_exchange_;      // worker thread only
  unsigned hidden_as_exchange_began_ = 0;    // worker thread only
};

}  // namespace tarvello
