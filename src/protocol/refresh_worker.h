// RefreshWorker: the worker thread every data screen (stock detail, K-line, quote list, index
// futures) runs its exchanges on, so that the user-interface thread never waits for the network.
//
// The screen asks for data with Request (thread message 2033; show_busy = 1 makes the main screen
// show the progress window around the exchange, 0 refreshes silently). The worker runs the screen's
// exchange, repaints the screen when it succeeded, re-arms the screen's refresh timer with the
// current period (a period of 0: no timer, the screen refreshes only when asked) and pauses 100 ms. Requests already queued when an exchange starts are served by
// that exchange; requests that arrive while it runs are served together by exactly one more, so a
// burst costs at most two exchanges and none is lost. A failed exchange keeps the old records and
// the timer cycle going.
//
// Thread rules: Request, SetPeriod, busy and PaintScope may be used from any thread. The
// RefreshScreen is called on the worker thread, except InvalidateScreen, which the end of a paint
// may also call on the painting thread. Stop (also run by the destructor) wakes the
// worker, waits for a running exchange to return and joins the thread; call it before the screen's
// data is released.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

#include "base/message.h"
#include "base/thread_queue.h"

namespace tarvello {

// What a data screen offers its worker. The window calls must be safe from any thread (the
// platform's posted messages, timers and invalidation are).
class RefreshScreen {
 public:
  virtual ~RefreshScreen() = default;
  // Runs the screen's exchange and publishes its records; false when it failed (old records stay).
  virtual bool RunExchange() = 0;
  virtual void InvalidateScreen() = 0;
  virtual void SetRefreshTimer(unsigned timer_id, unsigned period_ms) = 0;
  virtual void PostToMainScreen(const Message& message) = 0;
  // Called as the exchange begins, before RunExchange.
  virtual void ExchangeBegins() {}
  // Called once the exchange is over and the progress window's hide, if it was shown, is posted.
  virtual void ExchangeEnded() {}
};

class RefreshWorker {
 public:
  static constexpr std::chrono::milliseconds kDefaultPause{100};
  // An exchange that answers within this is quick: the user waits for it without the progress
  // strip, and a screen just brought up waits for its answer before its first paint.
  static constexpr std::chrono::milliseconds kQuickAnswer{100};

  RefreshWorker(RefreshScreen& screen, unsigned timer_id, std::chrono::milliseconds period,
                std::chrono::milliseconds pause = kDefaultPause);
  ~RefreshWorker();
  RefreshWorker(const RefreshWorker&) = delete;
  RefreshWorker& operator=(const RefreshWorker&) = delete;

  void Start();
  void Stop();

  // Posts 2033 to the worker; false when the worker has stopped.
  bool Request(bool show_busy);
  void SetPeriod(std::chrono::milliseconds period);
  // The period the timer is armed with: the one set, doubled while the traffic allowance is used up.
  std::chrono::milliseconds period() const;
  // True while the exchange runs, and from a request with the progress window on; screens ignore
  // input that would start a second one.
  bool busy() const { return exchanging_.load() || waited_for(); }
  // True from a request with the progress window until the exchange that serves it is over.
  bool waited_for() const { return busy_requests_.load() > 0; }
  // When the last exchange that succeeded ended; none before the first.
  std::optional<std::chrono::steady_clock::time_point> last_answer() const;

  // The painting flag: while a paint runs the worker does not invalidate; a repaint it would have
  // asked for is asked for when the paint ends instead.
  class PaintScope {
   public:
    explicit PaintScope(RefreshWorker& worker);
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

   private:
    RefreshWorker& worker_;
  };

 private:
  void Run();
  void Refresh(bool show_busy);
  void RepaintAfterExchange();
  void EndPaint();

  RefreshScreen& screen_;
  const unsigned timer_id_;
  const std::chrono::milliseconds pause_;
  std::atomic<long long> period_ms_;
  std::atomic<bool> exchanging_{false};
  std::atomic<int> busy_requests_{0};  // requests with the progress window not yet served
  std::atomic<std::chrono::steady_clock::rep> last_answer_{0};  // 0: none yet
  ThreadQueue queue_;

  std::mutex paint_mutex_;
  bool painting_ = false;         // guarded by paint_mutex_
  bool repaint_pending_ = false;  // guarded by paint_mutex_

  std::thread thread_;  // joined by Stop
};

}  // namespace tarvello
