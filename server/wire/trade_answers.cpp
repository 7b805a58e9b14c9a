#include "server/wire/trade_answers.h"

#include <algorithm>
#include <array>

#include "protocol/wire_writer.h"
#include "server/market/money_flow.h"
#include "server/market/order_book.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

int AnalysisDays(int days) { return days == 5 || days == 10 || days == 15 ? days : 1; }

// A price at the security's decimals in hundredths, rounded away from the spread (an ask up, a
// bid down), so that a best ask never shows at or under the best bid.
std::int32_t Hundredths(int price, int decimals, bool ask) {
  if (decimals != 3) return price;
  return ask ? (price + 9) / 10 : price / 10;
}

void WriteSide(WireWriter& out, const OrderQueue& queue, int decimals, bool ask) {
  out.I32(Hundredths(queue.price, decimals, ask)).I32(queue.volume).I32(static_cast<std::int32_t>(queue.orders.size()));
  for (const int order : queue.orders) out.I32(order);
}

// The six volumes in thousands of lots, the unit the trade analysis header names. Each is rounded
// down and the thousands left over go to the largest remainders, so that the six still add up
// to the total volume in thousands, rounded.
std::array<std::int64_t, 6> InThousands(const std::array<std::int64_t, 6>& lots) {
  std::array<std::int64_t, 6> thousands{};
  std::int64_t total = 0;
  for (std::size_t k = 0; k < lots.size(); ++k) {
    thousands[k] = lots[k] / 1000;
    total += lots[k];
  }
  std::int64_t left = (total + 500) / 1000;
  for (const std::int64_t t : thousands) left -= t;
  std::array<std::size_t, 6> order{0, 1, 2, 3, 4, 5};
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return lots[a] % 1000 > lots[b] % 1000; });
  for (std::size_t k = 0; k < order.size() && left > 0; ++k, --left) ++thousands[order[k]];
  return thousands;
}

}  // namespace

Bytes TradeAnalysisBody(const Market& market, int index, const Position& position, int days) {
  const FlowSplit split = market.flows().Over(index, position, AnalysisDays(days));
  std::array<std::int64_t, 6> lots{};
  for (const OrderSize size : {kLargeOrders, kMediumOrders, kSmallOrders}) {
    lots[2 * size] = split.bought[size];
    lots[2 * size + 1] = split.sold[size];
  }
  WireWriter out;
  for (const std::int64_t thousands : InThousands(lots)) out.I32(Clamp32(thousands));
  return out.Take();
}

Bytes OrderDetailsBody(const Market& market, int index, const Position& position) {
  const BestQueues queues = QueuesAtBest(market, index, position, QuoteAt(market, index, position));
  const int decimals = market.security(index).decimals;
  WireWriter out;
  WriteSide(out, queues.ask, decimals, true);
  WriteSide(out, queues.bid, decimals, false);
  return out.Take();
}

}  // namespace tarvello::server
