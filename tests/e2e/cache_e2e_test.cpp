// The last known figures through a dead zone, as a user on a train meets them: a ranking, a
// security's detail and its K-line chart, seen once, open at once on their last figures after a
// restart with no server, dimmed with their age, and turn live by themselves once the server is back.
#include "lists/list_routes.h"
#include "navigation/navigation.h"
#include "terminal_walk.h"

namespace tarvello {
namespace {

class CacheWalk : public testing::StartedWalk {
 protected:
  void PrepareHome() override { testing::WriteShortPeriods(home_.path()); }
  CKLineDlg& chart() { return *terminal_->kline_screen(); }
  std::vector<SecurityCode> RankedCodes() {
    std::vector<SecurityCode> codes;
    for (const QuoteRow& row : list().view()->rows.quotes) codes.push_back(row.code);
    return codes;
  }
};

TEST_F(CacheWalk, RankingDetailAndChartOpenAtOnceOnTheirLastFiguresWithNoServerAndTurnLiveWhenItComesBack) {
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  ASSERT_TRUE(OpenRankedShares());
  const std::vector<SecurityCode> ranked = RankedCodes();
  ASSERT_TRUE(OpenSecurity("SH600001"));
  const std::u16string name = detail().view()->records.security.name;
  detail().SendKey(kKeyEnter);  // "K线"
  ASSERT_TRUE(WaitFor([&] { return Shows(&chart()) && chart().loaded() && !chart().bars().empty(); }));
  const KLineBar last = chart().bars().back();

  simulator_.reset();
  ASSERT_TRUE(StartTerminal({480, 640}, StartWait::kMenu) && WaitFor([&] { return !terminal_->Busy(); }));
  ASSERT_TRUE(OpenRankedShares());
  EXPECT_EQ(RankedCodes(), ranked) << "the last ranking, with no answer since the start";
  EXPECT_TRUE(testing::ShowsItsAge(list()));
  terminal_->OpenSecurity(share);
  ASSERT_TRUE(WaitFor([&] { return Shows(&detail()) && detail().view()->code == share; }));
  EXPECT_EQ(detail().view()->records.security.name, name) << "the last figures, with no answer since the start";
  EXPECT_TRUE(testing::ShowsItsAge(detail()));
  detail().SendKey(kKeyEnter);
  ASSERT_TRUE(WaitFor([&] { return Shows(&chart()) && !chart().bars().empty(); }));
  EXPECT_TRUE(chart().bars().back().date == last.date && chart().bars().back().close == last.close);
  EXPECT_TRUE(testing::ShowsItsAge(chart()));

  simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path(), ports_);
  ASSERT_TRUE(simulator_->WaitForPorts().has_value());
  EXPECT_TRUE(WaitFor([&] { return chart().loaded() && !testing::ShowsItsAge(chart()); })) << "the chart turns live";
  terminal_->OpenSecurity(share);
  EXPECT_TRUE(WaitFor([&] { return Shows(&detail()) && !testing::ShowsItsAge(detail()); })) << "the detail turns live";
  terminal_->main_screen()->GoTo(kTargetQuoteList, kListArgResume);
  EXPECT_TRUE(WaitFor([&] { return Shows(&list()) && !testing::ShowsItsAge(list()); })) << "the ranking turns live";
}

}  // namespace
}  // namespace tarvello
