// A cancel from the progress window during a screen's exchange: the exchange gives up with no
// data, the screen keeps what it showed, and the cycle goes on.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "base/shared_records.h"
#include "protocol/refresh_worker.h"
#include "shell/progress_state.h"

namespace tarvello {
namespace {

// Stands in for the transport: a receive that waits for an answer that never comes, until Cancel.
class StalledTransport {
 public:
  int Exchange() {
    std::unique_lock<std::mutex> lock(mutex_);
    receiving_ = true;
    changed_.notify_all();
    changed_.wait_for(lock, std::chrono::seconds(10), [this] { return cancelled_; });
    receiving_ = false;
    return cancelled_ ? -1 : 100;
  }
  void Cancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }
  void WaitUntilReceiving() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return receiving_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool receiving_ = false;  // guarded by mutex_
  bool cancelled_ = false;  // guarded by mutex_
};

class QuoteScreen : public RefreshScreen {
 public:
  explicit QuoteScreen(StalledTransport& transport) : transport_(transport) {
    records.Publish("12.34");
  }
  bool RunExchange() override {
    if (transport_.Exchange() <= 0) return false;
    records.Publish("12.56");
    return true;
  }
  void InvalidateScreen() override { Note("invalidate"); }
  void SetRefreshTimer(unsigned, unsigned) override { Note("timer"); }
  void PostToMainScreen(const Message& m) override {
    Note("main " + std::to_string(m.id) + " " + std::to_string(m.wparam));
  }
  void Note(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back(event);
    changed.notify_all();
  }

  SharedRecords<std::string> records;
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> events;  // guarded by mutex

 private:
  StalledTransport& transport_;
};

TEST(ProgressCancelTest, CancelDuringAnExchangeMakesItReturnNoDataAndKeepsTheScreen) {
  StalledTransport transport;
  QuoteScreen screen(transport);
  std::vector<Message> to_main;  // written on this thread only
  ProgressState progress(ProgressHooks{[&transport] { transport.Cancel(); }, nullptr,
                                       [&to_main](const Message& m) { to_main.push_back(m); }});
  RefreshWorker worker(screen, kTimerIntraday, std::chrono::milliseconds(5000));
  worker.Start();

  progress.SetForm(ProgressForm::kBusy);
  progress.SetPaused(false);
  worker.Request(true);
  transport.WaitUntilReceiving();
  ASSERT_TRUE(progress.PressCancel());
  {
    std::unique_lock<std::mutex> lock(screen.mutex);
    ASSERT_TRUE(screen.changed.wait_for(lock, std::chrono::seconds(10), [&] {
      return !screen.events.empty() && screen.events.back() == "timer";
    }));
  }
  worker.Stop();

  EXPECT_EQ(*screen.records.Current(), "12.34");
  std::vector<std::string> expected = {"main 2032 5", "main 2032 0", "timer"};
  EXPECT_EQ(screen.events, expected);
  EXPECT_EQ(to_main, (std::vector<Message>{{2032, 0, -1}}));
}

}  // namespace
}  // namespace tarvello
