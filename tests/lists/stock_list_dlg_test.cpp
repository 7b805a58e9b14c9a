// The list screen against a ScriptedServer playing the scripted market: rows of a page or order
// left behind never open, and a broken answer is no good answer. (Sorting, paging, the sectors and
// the way back to a list are the journeys' and the list models' tests.)
#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>

#include <functional>

#include "lists/list_commands.h"
#include "lists/list_wire.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class TouchableList : public CStockListDlg {
 public:
  using CStockListDlg::CStockListDlg;
  void Tap(Point at) {
    OnPenDown(at);
    OnPenUp(at);
  }
  bool HadGoodAnswer() { return worker().last_answer().has_value(); }
};

class StockListDlgTest : public ::testing::Test {
 protected:
  StockListDlgTest() {
    screen_.resize(480, 640);
    Paint();  // takes the canvas's line height, as the first paint does
  }
  // Waits for an answer after `before` exchanges and for the worker to finish with it.
  void WaitForFetch(int before) {
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen_.busy(); }));
  }
  void OpenAndWait(int target, int argument) {
    const int before = server_.count();
    ASSERT_TRUE(screen_.Open(target, argument));
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return server_.count() > before && screen_.view()->loaded && !screen_.busy(); }));
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }
  // Taps just inside the first text drawn equal to text.
  void TapText(std::u16string_view text) {
    const auto found = Paint().FindText(text);
    ASSERT_TRUE(found.has_value()) << std::string(text.begin(), text.end());
    screen_.Tap({found->box.left + 2, found->box.top + 2});
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  testing::ScriptedServer server_{testing::MarketAnswer};
  testing::RecordingNavigator navigator_;
  TouchableList screen_{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr,
                                       std::chrono::seconds(60), &navigator_, nullptr}};
};

// Another page or order is a list opened afresh: the rows of the one before go at once and stay
// gone when its fetch fails, so that Enter cannot open a security of the old page.
TEST_F(StockListDlgTest, ANewPageOrOrderDropsTheRowsShownBefore) {
  const struct {
    const char* name;
    std::function<void()> act;
  } cases[] = {
      {"page down", [&] { TapText(u"下翻"); }},
      {"header tap", [&] { TapText(u"最新"); }},
      {"sort command", [&] { screen_.RunCommand(kCmdAscending); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server_.down = false;
    OpenAndWait(kTargetQuoteList, -60);
    server_.down = true;
    const int before = server_.count();
    c.act();
    EXPECT_TRUE(screen_.view()->rows.quotes.empty());
    WaitForFetch(before);
    screen_.SendKey(kKeyEnter);
    EXPECT_TRUE(screen_.view()->rows.quotes.empty());
    EXPECT_TRUE(navigator_.visits.empty());
  }
}

// A broken answer shows the rows read before the fault but is no good answer: the figures grow
// old and are dimmed when it keeps coming.
TEST_F(StockListDlgTest, ABrokenAnswerShowsItsRowsButCountsAsNoAnswer) {
  server_.SetAnswer([](const Bytes& r) {
    Bytes answer = testing::MarketAnswer(r);
    if (!answer.empty()) answer.back() = 'x';
    return answer;
  });
  OpenAndWait(kTargetQuoteList, -60);
  EXPECT_FALSE(screen_.view()->rows.quotes.empty());
  EXPECT_FALSE(screen_.HadGoodAnswer());
}

}  // namespace
}  // namespace tarvello
