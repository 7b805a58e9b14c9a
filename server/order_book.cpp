#include "server/order_book.h"

#include <algorithm>
#include <cmath>

#include "server/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kBookSalt = 0x424F4F4B;

int PriceTick(const Security& s) { return s.kind == Kind::kFuture ? 20 : 1; }

bool InsideLimits(const QuoteState& q, int price) {
  if (price <= 0) return false;
  if (q.limit_up == 0) return true;
  return price >= q.limit_down && price <= q.limit_up;
}

}  // namespace

int OrderBook::OrderRatio(int decimals) const {
  std::int64_t bid = 0, ask = 0;
  for (const BookLevel& level : bids) bid += level.volume;
  for (const BookLevel& level : asks) ask += level.volume;
  if (bid + ask == 0) return 0;
  const double scale = std::pow(10.0, decimals);
  return static_cast<int>(std::lround(static_cast<double>(bid - ask) * 100 * scale / static_cast<double>(bid + ask)));
}

OrderBook BuildBook(const Market& market, int index, const Position& position, const QuoteState& q, int levels) {
  const Security& s = market.security(index);
  const int tick = PriceTick(s);
  int best_bid = q.last_rose ? q.last - tick : q.last;
  int best_ask = q.last_rose ? q.last : q.last + tick;
  if (q.limit_up != 0 && q.last >= q.limit_up) best_bid = q.last;  // nobody sells at the limit
  if (q.limit_up != 0 && q.last <= q.limit_down) best_ask = q.last;
  const int average = static_cast<int>(std::max<std::int64_t>(10, q.volume / std::max(q.slots, 1)));
  OrderBook book;
  for (int level = 0; level < levels; ++level) {
    const std::uint64_t h = Hash(market.seed(), kBookSalt, static_cast<std::uint64_t>(index),
                                 static_cast<std::uint64_t>(position.day_index) * 1000 + static_cast<std::uint64_t>(position.slots) * 64 + static_cast<std::uint64_t>(level));
    BookLevel ask{best_ask + level * tick, 1 + static_cast<int>(Unit(h) * average)};
    BookLevel bid{best_bid - level * tick, 1 + static_cast<int>(Unit(h >> 20) * average)};
    const bool at_limit_up = q.limit_up != 0 && q.last >= q.limit_up;
    const bool at_limit_down = q.limit_up != 0 && q.last <= q.limit_down;
    book.asks.push_back(InsideLimits(q, ask.price) && !at_limit_up ? ask : BookLevel{});
    book.bids.push_back(InsideLimits(q, bid.price) && !at_limit_down ? bid : BookLevel{});
  }
  return book;
}

std::vector<Tick> LatestTicks(const Market& market, int index, const Position& position, int count) {
  const auto path = market.Path(index, position.day_index);
  const Session& session = *market.security(index).session;
  const int prev_close = market.day(index, position.day_index).prev_close;
  std::vector<Tick> ticks;
  for (int slot = position.slots - 1; slot >= 0 && static_cast<int>(ticks.size()) < count; --slot) {
    const auto k = static_cast<std::size_t>(slot);
    const int before = slot == 0 ? prev_close : path->price[k - 1];
    const int after = path->price[k];
    for (int j = kTicksPerSlot - 1; j >= 0 && static_cast<int>(ticks.size()) < count; --j) {
      const int price = before + (after - before) * (j + 1) / kTicksPerSlot;
      const int share = path->volume[k] / kTicksPerSlot + (j == kTicksPerSlot - 1 ? path->volume[k] % kTicksPerSlot : 0);
      ticks.push_back(Tick{session.SlotTime(slot), price, share});
    }
  }
  std::reverse(ticks.begin(), ticks.end());
  return ticks;
}

}  // namespace tarvello::server
