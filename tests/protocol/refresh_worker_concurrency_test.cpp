// The refresh worker of a data screen: requests coalesce, a failing exchange keeps the cycle, the
// progress window frames a busy exchange, and the stop ends waits at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "protocol/refresh_worker.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;

// A data screen whose exchange can be held at a gate, made to fail, or made to block for a bound,
// and which writes down every call the worker makes.
class FakeScreen : public RefreshScreen {
 public:
  bool RunExchange() override {
    std::unique_lock<std::mutex> lock(mutex_);
    ++started_;
    changed_.notify_all();
    const auto open = [this] { return gate_open_; };
    block_for_.count() > 0 ? (void)changed_.wait_for(lock, block_for_, open) : changed_.wait(lock, open);
    events_.push_back("exchange");
    return succeed_;
  }
  void InvalidateScreen() override { Record("invalidate"); }
  void SetRefreshTimer(unsigned timer_id, unsigned period_ms) override {
    Record("timer " + std::to_string(timer_id) + " " + std::to_string(period_ms));
    if (on_timer_) on_timer_();
  }
  void PostToMainScreen(const Message& m) override {
    Record("post " + std::to_string(m.id) + " " + std::to_string(m.wparam) + " " + std::to_string(m.lparam));
  }

  // Changes the script under the lock and wakes a held exchange.
  void Script(const std::function<void()>& change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change();
    changed_.notify_all();
  }
  void SetGate(bool open) { Script([&] { gate_open_ = open; }); }
  void SetSucceed(bool succeed) { Script([&] { succeed_ = succeed; }); }
  void SetBlockBound(milliseconds bound) { Script([&] { block_for_ = bound; }); }
  // Runs on the worker thread after each timer arm (a timer that fires at once).
  void OnTimer(std::function<void()> tick) { on_timer_ = std::move(tick); }

  bool WaitUntil(const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), done);
  }
  bool WaitForStarted(int n) { return WaitUntil([&] { return started_ >= n; }); }
  bool WaitForEvents(const std::string& event, int n) {
    return WaitUntil([&] { return std::count(events_.begin(), events_.end(), event) >= n; });
  }
  int Count(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(std::count(events_.begin(), events_.end(), event));
  }
  std::vector<std::string> Events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  void Record(std::string event) { Script([&] { events_.push_back(std::move(event)); }); }

  std::mutex mutex_;
  std::condition_variable changed_;
  int started_ = 0;            // guarded by mutex_
  bool gate_open_ = true;      // guarded by mutex_
  bool succeed_ = true;        // guarded by mutex_
  milliseconds block_for_{0};  // guarded by mutex_
  std::vector<std::string> events_;  // guarded by mutex_
  std::function<void()> on_timer_;   // set before the worker starts
};

constexpr milliseconds kShortPause{1};

// Requests waiting when an exchange starts are served by it; ten made during one cost one more.
TEST(RefreshWorkerTest, RequestsWaitingWhenAnExchangeStartsCostNothingAndTenDuringItOneMore) {
  FakeScreen screen;
  RefreshWorker worker(screen, kTimerQuoteList, milliseconds(15000), kShortPause);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(worker.Request(false));
  worker.Start();
  ASSERT_TRUE(screen.WaitForEvents("timer 3003 15000", 1));
  screen.SetGate(false);
  ASSERT_TRUE(worker.Request(false));
  ASSERT_TRUE(screen.WaitForStarted(2));
  EXPECT_TRUE(worker.busy());
  for (int i = 0; i < 10; ++i) worker.Request(false);
  screen.SetGate(true);
  ASSERT_TRUE(screen.WaitForEvents("timer 3003 15000", 3));
  worker.Stop();
  EXPECT_EQ(screen.Count("exchange"), 3);
  EXPECT_EQ(screen.Count("invalidate"), 3);
  EXPECT_FALSE(worker.busy());
}

TEST(RefreshWorkerTest, FailingExchangeKeepsTheTimerCycleGoingAndLeavesTheScreenAlone) {
  FakeScreen screen;
  screen.SetSucceed(false);
  RefreshWorker worker(screen, kTimerIntraday, milliseconds(5000), kShortPause);
  screen.OnTimer([&worker] { worker.Request(false); });
  worker.Start();
  worker.Request(true);
  ASSERT_TRUE(screen.WaitForEvents("timer 3001 5000", 4));
  worker.Stop();
  EXPECT_EQ(screen.Count("invalidate"), 0);
  // The busy indication asked for by the first request is removed although the exchange failed.
  EXPECT_EQ(screen.Count("post 2032 5 1126"), 1);
  EXPECT_EQ(screen.Count("post 2032 0 1126"), 1);
}

// A screen without a period (the search results, an information tab) refreshes only when asked:
// a timer of 0 ms would fire on every turn of the event loop and ask again at once.
TEST(RefreshWorkerTest, APeriodOfZeroArmsNoTimer) {
  FakeScreen screen;
  RefreshWorker worker(screen, kTimerQuoteList, milliseconds(0), kShortPause);
  worker.Start();
  worker.Request(false);
  ASSERT_TRUE(screen.WaitForEvents("exchange", 1));
  worker.Request(false);  // served after the first exchange's timer was armed, if it were
  ASSERT_TRUE(screen.WaitForEvents("exchange", 2));
  worker.Stop();
  for (const std::string& event : screen.Events()) EXPECT_FALSE(event.starts_with("timer")) << event;
}

// A busy request made during a silent exchange keeps the screen busy from the moment it is made
// until its own exchange ends, the end of the silent one in between included.
TEST(RefreshWorkerTest, BusyRequestFramesItsExchangeWithTheProgressWindow) {
  FakeScreen screen;
  RefreshWorker worker(screen, kTimerIntraday, milliseconds(5000), kShortPause);
  std::vector<bool> busy_at_timer;  // worker thread only, read after Stop
  screen.OnTimer([&] { busy_at_timer.push_back(worker.busy()); });
  worker.Start();
  screen.SetGate(false);
  worker.Request(false);
  ASSERT_TRUE(screen.WaitForStarted(1));
  worker.Request(false);
  worker.Request(true);  // coalesced with the silent one: the busy wish wins
  EXPECT_TRUE(worker.busy());
  screen.SetGate(true);
  ASSERT_TRUE(screen.WaitForEvents("timer 3001 5000", 2));
  worker.Stop();
  EXPECT_EQ(busy_at_timer, (std::vector<bool>{true, false}));
  std::vector<std::string> expected = {
      "exchange",         "invalidate", "timer 3001 5000", "post 2032 5 1126",
      "exchange",         "invalidate", "post 2032 0 1126", "timer 3001 5000"};
  EXPECT_EQ(screen.Events(), expected);
}

TEST(RefreshWorkerTest, ShutdownDuringABlockedExchangeEndsWithinTheExchangeBound) {
  FakeScreen screen;
  screen.SetGate(false);
  screen.SetBlockBound(milliseconds(300));
  RefreshWorker worker(screen, kTimerIntraday, milliseconds(5000));
  worker.Start();
  worker.Request(false);
  ASSERT_TRUE(screen.WaitForStarted(1));
  worker.Stop();
  // Stop returned only after the exchange had given up, and nothing was armed afterwards.
  EXPECT_EQ(screen.Count("exchange"), 1);
  EXPECT_EQ(screen.Count("timer 3001 5000"), 0);
  EXPECT_FALSE(worker.Request(false));
}

// The worker pauses for an hour after each exchange here: the stop at the end must end that pause
// at once.
TEST(RefreshWorkerTest, DataArrivingDuringAPaintIsRepaintedWhenThePaintEndsAndStopEndsThePause) {
  FakeScreen screen;
  RefreshWorker worker(screen, kTimerIntraday, milliseconds(5000), std::chrono::hours(1));
  worker.Start();
  {
    RefreshWorker::PaintScope painting(worker);
    worker.Request(false);
    ASSERT_TRUE(screen.WaitForEvents("timer 3001 5000", 1));
    EXPECT_EQ(screen.Count("invalidate"), 0);
  }
  EXPECT_EQ(screen.Count("invalidate"), 1);
  { RefreshWorker::PaintScope quiet_paint(worker); }
  EXPECT_EQ(screen.Count("invalidate"), 1);
  worker.Stop();
  EXPECT_EQ(screen.Count("exchange"), 1);
}

}  // namespace
}  // namespace tarvello
