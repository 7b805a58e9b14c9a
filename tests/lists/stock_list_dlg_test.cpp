// The list screen's worker against a ScriptedServer playing the scripted market: a broken answer
// is no good answer. (The list's rules are the list model's tests; the ways between
// screens, the information tabs among them, are the journeys'.)
#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>

#include "lists/list_wire.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class WatchedList : public CStockListDlg {
 public:
  using CStockListDlg::CStockListDlg;
  std::optional<std::chrono::steady_clock::time_point> LastGoodAnswer() { return worker().last_answer(); }
};

// A broken answer is no good answer: the rows read before the fault stay on screen, and the
// figures grow old and are dimmed when it keeps coming. (An exchange that brings nothing is
// SilentLinkWalk's.)
TEST(StockListDlgTest, ABrokenAnswerKeepsTheRowsButCountsAsNoAnswer) {
  testing::QtApp app;
  testing::TestScreen main;
  testing::TempFolder folder;
  OwnStockList self = OwnStockList::SelfSelected(folder.path());
  OwnStockList recent = OwnStockList::RecentlyViewed(folder.path());
  testing::ScriptedServer server{testing::MarketAnswer};
  testing::RecordingNavigator navigator;
  WatchedList screen{StockListParts{server.Function(), &main, &self, &recent, nullptr, std::chrono::seconds(60),
                                    &navigator, nullptr}};
  screen.resize(480, 640);
  ASSERT_TRUE(screen.Open(kTargetQuoteList, -60));
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen.view()->loaded && !screen.busy(); }));
  const auto good = screen.LastGoodAnswer();
  ASSERT_TRUE(good.has_value());
  server.SetAnswer([](const Bytes& r) {
    Bytes answer = testing::MarketAnswer(r);
    if (!answer.empty()) answer.back() = 'x';
    return answer;
  });
  const int before = server.count();
  screen.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return server.count() > before && !screen.busy(); }));
  EXPECT_FALSE(screen.view()->rows.quotes.empty());
  EXPECT_EQ(screen.LastGoodAnswer(), good);
}

}  // namespace
}  // namespace tarvello
