// The detail screen against the simulator: opened from the terminal for a share and for an index
// future, refreshed by its worker, and keeping its figures while the server is away;
// and the K-line chart opened from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "app/terminal.h"
#include "started_terminal.h"
#include "base/program_folder.h"
#include "pen_events.h"
#include "simulator_process.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::Pen;
using testing::Tap;
using testing::ProcessEventsUntil;

class StockDetailEndToEnd : public testing::TerminalEndToEnd {
 protected:
  // Opens code and waits until its figures are on screen and the progress window is gone: the main
  // screen drops a navigation asked for while that window shows.
  CStockDetailDlg& Open(const char* code) {
    const SecurityCode security = SecurityCode::FromAscii(code);
    terminal_->OpenSecurity(security);
    EXPECT_TRUE(ProcessEventsUntil([&] {
      CStockDetailDlg* detail = terminal_->detail_screen();
      if (detail == nullptr || !Settled(detail)) return false;
      const auto view = detail->view();
      return view->loaded && view->code == security && view->records.quote.prevClose > 0;
    }, std::chrono::seconds(20)));
    return *terminal_->detail_screen();
  }
};

TEST_F(StockDetailEndToEnd, ShareAndIndexFutureShowTheirPanelsAndChart) {
  CStockDetailDlg& share = Open("SH600001");
  RecordingCanvas canvas(Size{480, 640});
  share.PaintOn(canvas);
  EXPECT_EQ(share.panel(), kPanelFiveLevelBook);
  EXPECT_TRUE(canvas.FindText(u"委比").has_value());
  EXPECT_TRUE(canvas.FindText(u"现手:").has_value());
  EXPECT_FALSE(share.view()->records.minutes.records.empty());

  CStockDetailDlg& future = Open("IF000001");
  ASSERT_TRUE(ProcessEventsUntil([&] { return future.view()->records.futures.has_value(); }));
  canvas.Clear();
  future.PaintOn(canvas);
  EXPECT_EQ(future.panel(), kPanelQuoteFigures);
  EXPECT_TRUE(canvas.FindText(u"昨结").has_value());
}

TEST_F(StockDetailEndToEnd, AnAbsentServerKeepsTheLastFiguresAndTheScreenRecoversWhenItReturns) {
  CStockDetailDlg& share = Open("SH600001");
  const std::shared_ptr<const DetailView> shown = share.view();
  // A refresh stops the timer; the worker arms it again once the exchange is over, failed or not.
  const auto refreshOnce = [&] {
    share.RequestRefresh(false);
    EXPECT_FALSE(share.HasTimer(kTimerIntraday));
    return ProcessEventsUntil([&] { return share.HasTimer(kTimerIntraday); }, std::chrono::seconds(30));
  };
  simulator_.reset();
  ASSERT_TRUE(refreshOnce());
  EXPECT_EQ(share.view(), shown);
  RecordingCanvas canvas(Size{480, 640});
  share.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"委比").has_value());

  simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path(), ports_);
  ASSERT_TRUE(simulator_->WaitForPorts().has_value());
  ASSERT_TRUE(ProcessEventsUntil([&] { return refreshOnce() && share.view() != shown; }, std::chrono::seconds(30)));
  EXPECT_TRUE(share.view()->loaded);
}

TEST_F(StockDetailEndToEnd, TheKLineChartOpensFromTheDetailScreenAndScrollsIntoOlderHistory) {
  CStockDetailDlg& detail = Open("SH600001");
  // The detail screen's "K线" key; asked again while the progress window of its first load is up.
  CKLineDlg* chart = nullptr;
  ASSERT_TRUE(ProcessEventsUntil([&] {
    chart = terminal_->kline_screen();
    if (chart != nullptr && terminal_->frame().current_screen() == chart) return chart->loaded();
    if (terminal_->progress().isHidden()) detail.SendKey(kKeyEnter);
    return false;
  }, std::chrono::seconds(20)));
  ASSERT_FALSE(chart->bars().empty());

  chart->RunCommand(32828);  // 周
  chart->RunCommand(32887);  // 前复权
  ASSERT_TRUE(ProcessEventsUntil([&] { return !chart->busy(); }));  // the worker loads
  EXPECT_EQ(chart->period(), KLinePeriod::kWeek);
  EXPECT_EQ(chart->adjustment(), PriceAdjustment::kForward);
  std::vector<KLineBar> bars = chart->bars();
  ASSERT_GE(bars.size(), 2u);
  EXPECT_NE(terminal_->frame().title().find(u"-周线"), std::u16string::npos);

  // Drag left until older weeks arrive; the cursor stays on the week it was dragged onto.
  RecordingCanvas canvas(Size{chart->width(), chart->height()});
  chart->PaintOn(canvas);
  const int y = chart->height() / 3;
  int x = chart->width() - 10;
  Pen(*chart, QEvent::MouseButtonPress, x, y);
  std::int32_t target = 0;
  while (chart->bars().size() == bars.size() && x > 0) {
    const int cursor = chart->viewport().cursor;
    target = cursor > 0 ? bars[static_cast<std::size_t>(cursor) - 1].date : 0;
    Pen(*chart, QEvent::MouseMove, x -= 2, y);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !chart->busy(); }));
  }
  Pen(*chart, QEvent::MouseButtonRelease, x, y);
  const std::vector<KLineBar> grown = chart->bars();
  ASSERT_GT(grown.size(), bars.size());
  EXPECT_LT(grown.front().date, bars.front().date);
  EXPECT_EQ(grown[static_cast<std::size_t>(chart->viewport().cursor)].date, target);
}

}  // namespace
}  // namespace tarvello
