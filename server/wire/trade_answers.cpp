#include "server/wire/trade_answers.h"

#include "protocol/wire_writer.h"
#include "server/market/money_flow.h"
#include "server/market/order_book.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

int AnalysisDays(int days) { return days == 5 || days == 10 || days == 15 ? days : 1; }

// A price at the security's decimals in hundredths.
std::int32_t Hundredths(int price, int decimals) { return decimals == 3 ? price / 10 : price; }

void WriteSide(WireWriter& out, const OrderQueue& queue, int decimals) {
  out.I32(Hundredths(queue.price, decimals)).I32(queue.volume).I32(static_cast<std::int32_t>(queue.orders.size()));
  for (const int order : queue.orders) out.I32(order);
}

}  // namespace

Bytes TradeAnalysisBody(const Market& market, int index, const Position& position, int days) {
  const FlowSplit split = market.flows().Over(index, position, AnalysisDays(days));
  WireWriter out;
  for (const OrderSize size : {kLargeOrders, kMediumOrders, kSmallOrders}) {
    out.I32(Clamp32(split.bought[size])).I32(Clamp32(split.sold[size]));
  }
  return out.Take();
}

Bytes OrderDetailsBody(const Market& market, int index, const Position& position) {
  const BestQueues queues = QueuesAtBest(market, index, position, QuoteAt(market, index, position));
  const int decimals = market.security(index).decimals;
  WireWriter out;
  WriteSide(out, queues.ask, decimals);
  WriteSide(out, queues.bid, decimals);
  return out.Take();
}

}  // namespace tarvello::server
