// The money flow behind the fund-flow, sector and trade-analysis screens: the order-size splits add
// up to the day's trades of every share, longer periods and sectors follow, and the trade analysis
// and order details read whole by the terminal, with the orders at the best prices of the book.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "answer_fixture.h"
#include "lists/list_answer.h"
#include "lists/list_request.h"
#include "server/money_flow.h"
#include "server/quote_state.h"

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

const SecurityCode kShare(u"SH600001");

ListRows Read(AnswerFixture& fixture, const Bytes& request, bool* complete) {
  const Bytes answer = fixture.RawAnswer({request});
  ListAnswerContext context;
  context.orderReference = true;
  ListRows rows;
  *complete = !answer.empty() && ReadListAnswer(answer.data(), answer.size(), context, rows).complete;
  return rows;
}

TEST(TradeAnswersTest, AnalysisBucketsAddUpToTheVolumeAndGrowWithTheDays) {
  AnswerFixture fixture;
  const QuoteState quote = QuoteAt(fixture.market, fixture.market.Find("SH600001"), fixture.PositionOf("SH600001"));
  std::int64_t previous = -1;
  for (const int days : {1, 5, 10, 15}) {
    bool complete = false;
    const ListRows rows = Read(fixture, BuildTradeAnalysisRequest(kShare, days), &complete);
    ASSERT_TRUE(complete) << days;
    ASSERT_EQ(rows.buckets.size(), 3u);
    std::int64_t total = 0;
    for (const BucketRow& row : rows.buckets) {
      EXPECT_GT(row.value1, 0) << days;  // every size bought and sold shows
      EXPECT_GT(row.value2, 0) << days;
      total += row.value1 + row.value2;
    }
    if (days == 1) {
      EXPECT_EQ(total, quote.volume);
    }
    EXPECT_GE(total, previous) << days;
    previous = total;
  }
}

TEST(TradeAnswersTest, OrderDetailsQueueAtTheBestPricesAndCarryTheReference) {
  AnswerFixture fixture;
  const QuoteState quote = QuoteAt(fixture.market, fixture.market.Find("SH600001"), fixture.PositionOf("SH600001"));
  bool complete = false;
  const ListRows rows = Read(fixture, BuildOrderDetailsRequest(kShare), &complete);
  ASSERT_TRUE(complete);
  const OrderDetails& orders = rows.orders;
  EXPECT_GT(orders.ask.price, orders.bid.price);
  EXPECT_GT(orders.reference, 0);
  for (const OrderSide* side : {&orders.ask, &orders.bid}) {
    EXPECT_GT(side->count, 0);
    EXPECT_LE(side->orders.size(), kKeptOrders);
    if (static_cast<std::size_t>(side->count) <= kKeptOrders) {
      EXPECT_EQ(std::accumulate(side->orders.begin(), side->orders.end(), 0), side->volume);
    }
  }
  EXPECT_LE(orders.bid.price, quote.last + 2);
  EXPECT_GE(orders.ask.price, quote.last - 2);

  const Bytes unknown = BuildOrderDetailsRequest(SecurityCode(u"SH699999"));
  bool read = false;
  EXPECT_EQ(Read(fixture, unknown, &read).orders.ask.count, 0);  // no block for a code the market does not know
}

}  // namespace
}  // namespace tarvello::server::testing
