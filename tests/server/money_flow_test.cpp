// The trade analysis and order details answers read whole by the terminal's own list reader, with
// the orders at the best prices of the book.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "answer_fixture.h"
#include "lists/list_answer.h"
#include "lists/list_request.h"
#include "server/market/money_flow.h"
#include "server/market/order_book.h"
#include "server/market/quote_state.h"
#include "text/text_codec.h"

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

// The buckets are in thousands of lots, as the screen's header says, and add up to the volume
// of the days in thousands.
TEST(TradeAnswersTest, AnalysisLargeOrdersAndOrderDetailsFollowTheMarketTheyComeFrom) {
  AnswerFixture fixture;
  const int index = fixture.market.Find("SH600001");
  std::int64_t previous = -1;
  for (const int days : {1, 5, 10, 15}) {
    bool complete = false;
    const ListRows rows = Read(fixture, BuildTradeAnalysisRequest(kShare, days), &complete);
    ASSERT_TRUE(complete) << days;
    ASSERT_EQ(rows.buckets.size(), 3u);
    std::int64_t total = 0;
    for (const BucketRow& row : rows.buckets) total += row.value1 + row.value2;
    const FlowSplit split = fixture.market.flows().Over(index, fixture.PositionOf("SH600001"), days);
    EXPECT_EQ(total, (split.volume + 500) / 1000) << days;
    EXPECT_GE(total, previous) << days;
    previous = total;
  }
  // Order sizes follow the share: a side that traded under 1000 lots has no order over 1000 lots,
  // and the busiest shares trade a larger part of their volume in large orders than the quietest.
  AnswerFixture close("2026-12-04 15:10");
  std::vector<std::pair<std::int64_t, double>> volume_and_large;
  for (int i = 0; i < close.market.size(); ++i) {
    const Security& s = close.market.security(i);
    const Position at = close.PositionOf(s.code);
    const QuoteState q = QuoteAt(close.market, i, at);
    if (s.kind != Kind::kAShare || q.volume == 0) continue;
    const FlowSplit split = close.market.flows().Over(i, at, 1);
    EXPECT_TRUE(q.outer > 1000 || split.bought[kLargeOrders] == 0) << s.code;
    EXPECT_TRUE(q.inner > 1000 || split.sold[kLargeOrders] == 0) << s.code;
    const auto large = static_cast<double>(split.bought[kLargeOrders] + split.sold[kLargeOrders]);
    volume_and_large.emplace_back(q.volume, large / static_cast<double>(q.volume));
  }
  std::sort(volume_and_large.begin(), volume_and_large.end());
  const std::size_t tenth = volume_and_large.size() / 10;
  ASSERT_GT(tenth, 10u);
  double quiet = 0, busy = 0;
  for (std::size_t k = 0; k < tenth; ++k) {
    quiet += volume_and_large[k].second;
    busy += volume_and_large[volume_and_large.size() - 1 - k].second;
  }
  EXPECT_LT(quiet / static_cast<double>(tenth), 0.05);
  EXPECT_GT(busy / static_cast<double>(tenth), 0.15);
  EXPECT_LT(busy / static_cast<double>(tenth), 0.6);
  // Order details queue at the best prices of the book and carry the reference price. A share's
  // prices are its own; three-decimal prices reach the screen in hundredths rounded away from the
  // spread, so the best ask always shows above the best bid.
  AnswerFixture book;
  int funds = 0;
  for (int i = 0; i < book.market.size() && funds < 40; ++i) {
    const Security& s = book.market.security(i);
    const bool fund = s.decimals == 3 && s.kind == Kind::kFund;
    if (!fund && s.code != "SH600001") continue;
    const Position at = book.PositionOf(s.code);
    const QuoteState quote = QuoteAt(book.market, i, at);
    const BestQueues best = QueuesAtBest(book.market, i, at, quote);
    if (fund && (best.ask.volume == 0 || best.bid.volume == 0)) continue;
    bool complete = false;
    const SecurityCode code(text::FromUtf8(s.code));
    const OrderDetails orders = Read(book, BuildOrderDetailsRequest(code), &complete).orders;
    ASSERT_TRUE(complete) << s.code;
    EXPECT_GT(orders.ask.price, orders.bid.price) << s.code;
    EXPECT_GT(orders.reference, 0) << s.code;
    for (const OrderSide* side : {&orders.ask, &orders.bid}) {
      EXPECT_GT(side->count, 0) << s.code;
      EXPECT_LE(side->orders.size(), kKeptOrders);
      if (static_cast<std::size_t>(side->count) <= kKeptOrders) {
        EXPECT_EQ(std::accumulate(side->orders.begin(), side->orders.end(), 0), side->volume);
      }
    }
    if (!fund) {
      EXPECT_LE(orders.bid.price, quote.last + 2);
      EXPECT_GE(orders.ask.price, quote.last - 2);
      continue;
    }
    EXPECT_EQ(orders.ask.price, (best.ask.price + 9) / 10) << s.code;
    EXPECT_EQ(orders.bid.price, best.bid.price / 10) << s.code;
    ++funds;
  }
  EXPECT_GT(funds, 10);
}

}  // namespace
}  // namespace tarvello::server::testing
