// The trade analysis and order details answers read whole by the terminal's own list reader, with
// the orders at the best prices of the book.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "answer_fixture.h"
#include "lists/list_answer.h"
#include "lists/list_request.h"
#include "server/market/quote_state.h"

namespace tarvello::server::testing {
namespace {

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
}

}  // namespace
}  // namespace tarvello::server::testing
