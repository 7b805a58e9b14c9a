// The data screen around its refresh worker: timer ticks fetch only while the screen is shown,
// and old figures are drawn dimmed. (The worker's own rules are the protocol tests'.)
#include "platform/data_screen.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "base/shared_records.h"
#include "market/market_clock.h"
#include "platform/recording_canvas.h"
#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;
using testing::ProcessEventsUntil;

// A data screen whose exchange counts up a price; the painter shows the latest one.
class PriceScreen : public DataScreen {
 public:
  PriceScreen(Window* main, milliseconds period) : DataScreen(kTimerIntraday, period, main) {}
  ~PriceScreen() override { StopRefreshing(); }

  std::atomic<int> exchanges{0};
  std::atomic<bool> fail{false};
  using DataScreen::timer_id;

 protected:
  bool RunExchange() override {
    int n = ++exchanges;
    if (fail) return false;
    price_.Publish(std::to_string(1000 + n));
    return true;
  }
  void OnPaint(Canvas& canvas) override {
    RefreshWorker::PaintScope painting(worker());
    std::string shown = *price_.Current();
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

}  // namespace
}  // namespace tarvello
