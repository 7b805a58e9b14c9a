// The data behind the fund-flow, sector and trade-analysis screens, over the whole A-share list:
// the order-size splits add up to the day's trades, and longer periods and sectors follow.
#include <gtest/gtest.h>

#include <algorithm>

#include "answer_fixture.h"
#include "server/money_flow.h"

namespace tarvello::server::testing {
namespace {

std::vector<int> AShares(const Market& m) {
  std::vector<int> shares;
  for (int i = 0; i < m.size(); ++i) {
    if (m.security(i).kind == Kind::kAShare) shares.push_back(i);
  }
  return shares;
}

TEST(MoneyFlowTest, OrderSizesAddUpToTheTradesOfEveryShare) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i : AShares(m)) {
    const Position at = fixture.PositionOf(m.security(i).code);
    const QuoteState q = QuoteAt(m, i, at);
    const FlowSplit day = SplitTrades(m, i, at.day_index, q);
    std::int64_t bought = 0, sold = 0;
    double in = 0, out = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_GE(day.bought[k], 0);
      EXPECT_GE(day.sold[k], 0);
      bought += day.bought[k];
      sold += day.sold[k];
      in += day.inflow[k];
      out += day.outflow[k];
    }
    EXPECT_EQ(bought, q.outer) << m.security(i).code;
    EXPECT_EQ(sold, q.inner) << m.security(i).code;
    EXPECT_NEAR(in + out, static_cast<double>(q.amount), 1.0 + 1e-9 * static_cast<double>(q.amount));
    EXPECT_LE(std::abs(day.NetRatio()), 100.0);
  }
}

TEST(MoneyFlowTest, DaysSumAndSectorsFollowTheirMembers) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  const FlowBook flows(m);
  const int share = m.Find("SH600001");
  const Position at = fixture.PositionOf("SH600001");
  for (int days : {1, 3, 5, 10, 15}) {
    const FlowSplit over = flows.Over(share, at, days);
    std::int64_t volume = QuoteAt(m, share, at).volume;
    for (int d = at.day_index - days + 1; d < at.day_index; ++d) volume += m.DayVolume(share, d);
    EXPECT_EQ(over.volume, volume) << days;
  }
  const int sector = m.Find("BI000001");
  FlowSplit members;
  for (int member : m.security(sector).members) members += flows.Over(member, at, 5);
  EXPECT_DOUBLE_EQ(flows.CompositeOver(sector, at, 5).NetInflow(), members.NetInflow());
}

}  // namespace
}  // namespace tarvello::server::testing
