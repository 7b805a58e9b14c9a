#include "server/market/quote_state.h"

#include <algorithm>
#include <cmath>

namespace tarvello::server {

namespace {

// The part of a slot's volume traded at the ask: more of it when the price rose.
std::int64_t OuterShare(int volume, bool rose) { return rose ? volume * 3 / 5 : volume * 2 / 5; }

}  // namespace

QuoteState ComputeQuote(const Security&, const DayQuote& day, const DayPath& path, int slots) {
  QuoteState q;
  q.prev_close = day.prev_close;
  q.limit_up = day.LimitUp();
  q.limit_down = day.LimitDown();
  q.slots = std::clamp(slots, 0, static_cast<int>(path.price.size()));
  q.suspended = day.suspended;
  if (day.suspended) return q;
  double weighted = 0;
  int previous = day.prev_close;
  for (int k = 0; k < q.slots; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const int price = path.price[i];
    q.high = k == 0 ? price : std::max(q.high, price);
    q.low = k == 0 ? price : std::min(q.low, price);
    q.volume += path.volume[i];
    q.amount += path.amount[i];
    q.last_rose = price >= previous;
    q.outer += OuterShare(path.volume[i], q.last_rose);
    weighted += static_cast<double>(price) * path.volume[i];
    previous = price;
  }
  q.inner = q.volume - q.outer;
  if (q.slots > 0) {
    q.open = path.price.front();
    q.last = previous;
    q.average_fine = static_cast<int>(std::lround(weighted * 10 / static_cast<double>(std::max<std::int64_t>(q.volume, 1))));
  }
  return q;
}

QuoteState QuoteAt(const Market& market, int index, const Position& position) {
  const auto path = market.Path(index, position.day_index);
  return ComputeQuote(market.security(index), market.day(index, position.day_index), *path, position.slots);
}

}  // namespace tarvello::server
