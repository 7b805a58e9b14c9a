#include "kline/kline_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <tuple>

#include "kline/kline_answer.h"
#include "navigation/navigation.h"
#include "support/recording_navigator.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "platform/test_screen.h"
#include "support/kline_bars.h"
#include "support/kline_exchange.h"

namespace tarvello {
namespace {

using testing::Bar;

// The screen with its stylus handlers in reach.
class TestScreen : public CKLineDlg {
 public:
  using CKLineDlg::CKLineDlg;
  using CKLineDlg::OnPenDown;
  using CKLineDlg::OnPenUp;
  void Tap(Point at) {
    OnPenDown(at);
    OnPenUp(at);
  }
};

class KLineScreenTest : public ::testing::Test {
 protected:
  KLineScreenTest() {
    InstallPrompter(&prompter);
    navigator.Browse(BrowseChange::FromList(SecurityCode(u"SH600001"), {SecurityCode(u"SH600001"), SecurityCode(u"SH600002")}));
  }
  ~KLineScreenTest() override { InstallPrompter(nullptr); }

  void OpenWith(const std::vector<KLineBar>& bars, Size size = {240, 320}, int caller = kTargetStockDetail) {
    exchange.Answer(testing::FullLoadAnswer(bars));
    screen.resize(size.width, size.height);
    screen.Open(SecurityCode(u"SH600001"), caller);
    Settle();
  }
  // Waits for the worker to finish the load asked for.
  void Settle() { ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !screen.busy(); })); }
  RecordingCanvas Paint() {
    RecordingCanvas canvas({screen.width(), screen.height()});
    screen.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app;
  ScriptedPrompter prompter;
  testing::ScriptedExchange exchange;
  std::vector<std::thread::id> exchangeThreads;
  testing::RecordingNavigator navigator;
  testing::TestScreen mainScreen;
  TestScreen screen{KLineParts{[this](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
                                 exchangeThreads.push_back(std::this_thread::get_id());
                                 return exchange.Exchange(request, answer);
                               },
                               &mainScreen, nullptr, nullptr, std::chrono::minutes(10), &navigator, nullptr}};
};

std::vector<KLineBar> RisingSeries(int n) {
  std::vector<KLineBar> bars;
  for (int i = 0; i < n; ++i) bars.push_back(Bar(1000 + i, 1010 + i, 990 + i, 1005 + i, 100, 20260101 + i));
  return bars;
}

TEST_F(KLineScreenTest, TheInfoBoxSitsOppositeTheCursorAndATapInsideHidesIt) {
  OpenWith(RisingSeries(30));
  Paint();
  screen.SendKey(kKeyLeft);  // bar 28, in the right half of the 40-bar window
  RecordingCanvas canvas = Paint();
  std::optional<DrawCall> label = canvas.FindText(u"时");
  ASSERT_TRUE(label.has_value() && label->box.left < 10);
  screen.Tap({3 + 6 * 15, 100});  // bar 15, in the left half
  EXPECT_EQ(screen.viewport().cursor, 15);
  canvas = Paint();
  label = canvas.FindText(u"时");
  ASSERT_TRUE(label.has_value() && label->box.left >= 240 - 5 * 16);
  screen.Tap({label->box.left + 10, label->box.top + 2});
  EXPECT_FALSE(screen.viewport().cursorShown);
}

// Only the toolbar's top text line (R = 18 of its 27) answers a tap; Up and Down zoom as its
// cells do, keeping the newest bar last.
TEST_F(KLineScreenTest, TheToolbarAnswersOnItsTopLine) {
  OpenWith(RisingSeries(123));
  const std::tuple<Point, KeyCode, int> steps[] = {
      {{100, 20}, 0, 31}, {{100, 17}, 0, 23}, {{140, 5}, 0, 31}, {{}, kKeyDown, 47}, {{}, kKeyUp, 31}};
  for (const auto& [at, key, zoom] : steps) {
    if (key == 0) {
      screen.Tap(at);
    } else {
      screen.SendKey(key);
    }
    EXPECT_EQ(screen.viewport().zoomBars, zoom) << at.y << " " << key;
    EXPECT_EQ(screen.viewport().firstVisible + screen.viewport().visibleCount, 123);
  }
}

TEST_F(KLineScreenTest, PopupsCheckTheCurrentChoiceAndReloadWithTheNewOne) {
  OpenWith(RisingSeries(30));
  Paint();
  exchange.Answer(testing::FullLoadAnswer(RisingSeries(20)));
  prompter.QueueMenuChoice(32828);  // 周
  screen.Tap({10, 5});
  Settle();
  exchange.Answer(testing::FullLoadAnswer(RisingSeries(15)));
  prompter.QueueMenuChoice(32887);  // 前复权
  screen.SendKey(kKeySoftLeft);  // the options menu, as the bottom bar's "选项"
  Settle();
  ASSERT_EQ(prompter.asked().size(), 2u);
  EXPECT_TRUE(prompter.asked()[0].items[4].checked);  // 日
  EXPECT_TRUE(prompter.asked()[1].items[0].submenu[0].checked);  // 不复权
  EXPECT_EQ(std::tuple(screen.period(), screen.adjustment()), std::tuple(KLinePeriod::kWeek, PriceAdjustment::kForward));
  EXPECT_EQ(screen.bars().size(), 15u);
}

// "返回", Esc and the right soft key lead back to the list the security came from, Enter too; a
// security opened from elsewhere has none, and they lead to the recently viewed list.
TEST_F(KLineScreenTest, ReturnAndEnterGoBackToTheListTheSecurityCameFrom) {
  OpenWith(RisingSeries(5));
  Paint();
  screen.SendKey(kKeyEnter);
  screen.SendKey(kKeyBack);
  screen.SendKey(kKeySoftRight);
  navigator.Browse(BrowseChange::Alone(SecurityCode(u"SH600001")));
  screen.Tap({235, 310});  // 返回
  screen.SendKey(kKeyEnter);
  const std::vector<NavigationRequest> expected{
      {kTargetQuoteList, kTargetKLine}, {kTargetQuoteList, 1135}, {kTargetQuoteList, 1135},
      {kTargetQuoteListOwnPage, kTargetStockDetail}, {kTargetQuoteListOwnPage, kTargetKLine}};
  EXPECT_EQ(navigator.visits, expected);
}

// ">" asks the main screen for the chart on the next security; opened for itself, the chart keeps
// the user's indicator. The load runs on the worker, never on the screen's own thread. (The
// progress window over the step is the journeys' on their slow link.)
TEST_F(KLineScreenTest, TheArrowCellsStepThroughTheListKeepingTheChoices) {
  OpenWith(RisingSeries(30));
  Paint();
  screen.RunCommand(32876);  // MACD
  screen.Tap({235, 5});  // ">"
  ASSERT_EQ(navigator.visits, (std::vector<NavigationRequest>{{kTargetKLine, kTargetKLine}}));
  EXPECT_EQ(navigator.CurrentSecurity(), SecurityCode(u"SH600002"));
  exchange.Answer(testing::FullLoadAnswer(RisingSeries(10)));
  screen.Open(navigator.CurrentSecurity(), kTargetKLine);
  EXPECT_TRUE(screen.busy());
  Settle();
  EXPECT_EQ(std::tuple(screen.code(), screen.indicator(), screen.bars().size()),
            std::tuple(SecurityCode(u"SH600002"), KLineIndicator::kMacd, 10u));
  EXPECT_EQ(std::count(exchangeThreads.begin(), exchangeThreads.end(), std::this_thread::get_id()), 0);
}

}  // namespace
}  // namespace tarvello
