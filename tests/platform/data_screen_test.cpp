// The data screen around its refresh worker: timer ticks fetch only while the screen is shown,
// and old figures are drawn dimmed. (The worker's own rules are the protocol tests'.)
#include "platform/data_screen.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "base/shared_records.h"
#include "market/market_clock.h"
#include "platform/recording_canvas.h"
#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;
using testing::ProcessEventsUntil;

constexpr int kMsgAnswered = 0x8001;

// A data screen whose exchange counts up a price; the painter shows the latest one.
class PriceScreen : public DataScreen {
 public:
  PriceScreen(Window* main, milliseconds period) : DataScreen(kTimerIntraday, period, main) {}
  ~PriceScreen() override { StopRefreshing(); }

  std::atomic<int> exchanges{0};
  std::atomic<bool> fail{false};
  std::atomic<bool> hold{false};  // the exchange waits until the test lets it go
  int answered = 0;               // messages the exchanges' ends delivered
  std::vector<std::string> painted;  // the price of every paint on the screen
  using DataScreen::timer_id;

 protected:
  bool RunExchange() override {
    int n = ++exchanges;
    while (hold) std::this_thread::sleep_for(milliseconds(1));
    PostWhenExchangeEnds(Message{kMsgAnswered, 0, 0});
    if (fail) return false;
    price_.Publish(std::to_string(1000 + n));
    return true;
  }
  void OnMessage(const Message& message) override { answered += message.id == kMsgAnswered ? 1 : 0; }
  void OnPaint(Canvas& canvas) override {
    RefreshWorker::PaintScope painting(worker());
    std::string shown = *price_.Current();
    painted.push_back(shown);
    canvas.DrawText(std::u16string(shown.begin(), shown.end()), ClientRect(), kTextLeft);
  }

 private:
  SharedRecords<std::string> price_;
};

class DataScreenTest : public ::testing::Test {
 protected:
  testing::QtApp app_;
  testing::TestScreen main_;
};

TEST_F(DataScreenTest, HiddenScreenLetsItsTimerTickWithoutFetching) {
  PriceScreen screen(nullptr, milliseconds(10));
  screen.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen.HasTimer(kTimerIntraday); }));
  int after_first = screen.exchanges;
  ProcessEventsUntil([] { return false; }, milliseconds(100));
  EXPECT_EQ(screen.exchanges, after_first);
}

// Figures whose last good answer is more than two periods old in trading hours are drawn dimmed
// with their age, until the next good answer; the failed timer refreshes meanwhile stay silent.
TEST_F(DataScreenTest, FiguresGrowOldAfterTwoFailedPeriodsAndFreshAgainWithTheNextAnswer) {
  SetMarketTime({20261204, 100000});  // a Friday morning
  PriceScreen screen(nullptr, milliseconds(10));
  screen.show();
  screen.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen.exchanges >= 1 && screen.HasTimer(kTimerIntraday); }));
  screen.fail = true;
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen.StaleAgeNow().has_value(); }));
  RecordingCanvas canvas(Size{240, 320});
  screen.PaintOn(canvas);
  EXPECT_FALSE(canvas.CallsOf(DrawCall::Kind::kDim).empty());
  EXPECT_TRUE(canvas.FindText(u"0秒前").has_value());
  EXPECT_TRUE(canvas.FindText(u"1001").has_value()) << "the old figures stay on screen";
  EXPECT_TRUE(main_.messages.empty());

  screen.fail = false;
  ASSERT_TRUE(ProcessEventsUntil([&] { return !screen.StaleAgeNow().has_value(); }));
  canvas.Clear();
  screen.PaintOn(canvas);
  EXPECT_TRUE(canvas.CallsOf(DrawCall::Kind::kDim).empty());
}

// What an answer asks for when its exchange ends (a navigation, a title) reaches the screen only
// while the user stays on it: leaving the screen during the exchange, even to come straight back,
// drops it.
TEST_F(DataScreenTest, AnExchangesEndReachesTheScreenOnlyIfTheUserStayed) {
  struct Case {
    const char* name;
    bool leave;
    bool come_back;
    int delivered;
  };
  for (const Case& c : {Case{"stayed", false, false, 1}, Case{"left", true, false, 0},
                        Case{"left and came back", true, true, 0}}) {
    PriceScreen screen(nullptr, milliseconds(0));
    screen.show();
    screen.hold = true;
    screen.RequestRefresh(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return screen.exchanges == 1; })) << c.name;
    if (c.leave) screen.hide();
    if (c.come_back) screen.show();
    screen.hold = false;
    ProcessEventsUntil([] { return false; }, milliseconds(100));
    EXPECT_EQ(screen.answered, c.delivered) << c.name;
  }
}

// A screen brought up while its exchange runs keeps the screen before it a moment rather than
// paint itself empty: its first paint shows a quick answer, or comes at the end of the wait.
TEST_F(DataScreenTest, AScreenBroughtUpDuringItsExchangeFirstPaintsTheAnswerOrAfterTheWait) {
  for (const bool answers : {true, false}) {
    PriceScreen screen(&main_, milliseconds(0));
    screen.hold = true;
    screen.RequestRefresh(true);
    screen.show();
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProcessEventsUntil([&] { return screen.exchanges == 1; }));
    if (answers) screen.hold = false;
    // A loaded machine may keep the answer past the wait; then the empty paint is right too.
    const bool quick = std::chrono::steady_clock::now() - shown < RefreshWorker::kQuickAnswer / 2;
    ASSERT_TRUE(ProcessEventsUntil([&] { return !screen.painted.empty(); }, RefreshWorker::kQuickAnswer * 10));
    if (quick || !answers) {
      EXPECT_EQ(screen.painted.front(), answers ? "1001" : "") << answers;
    }
    screen.hold = false;
  }
}

}  // namespace
}  // namespace tarvello
