#include "server/market/order_book.h"

#include <algorithm>
#include <cmath>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kBookSalt = 0x424F4F4B;
constexpr std::uint64_t kQueueSalt = 0x51554555;

bool InsideLimits(const QuoteState& q, int price) {
  if (price <= 0) return false;
  if (q.limit_up == 0) return true;
  return price >= q.limit_down && price <= q.limit_up;
}

std::uint64_t MomentHash(const Market& market, int index, const Position& position, std::uint64_t salt) {
  return Hash(market.seed(), salt, static_cast<std::uint64_t>(index),
              static_cast<std::uint64_t>(position.day_index) * 1000 + static_cast<std::uint64_t>(position.slots));
}

// The usual volume of one level: about two minutes of an ordinary day's trading.
double LevelVolume(const Security& s) {
  const double daily = static_cast<double>(s.float_lots) * 0.012;
  const double scale = s.kind == Kind::kFuture ? 0.1 : 1.0;
  return std::max(20.0, daily / 242 * 2 * scale);
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
  const std::uint64_t moment = MomentHash(market, index, position, kBookSalt);
  const int spread = Unit(moment) < 0.2 ? 2 : 1;
  const bool at_limit_up = q.limit_up != 0 && q.last >= q.limit_up;
  const bool at_limit_down = q.limit_up != 0 && q.last <= q.limit_down;
  int best_bid = q.last_rose ? q.last - spread * tick : q.last;
  int best_ask = q.last_rose ? q.last : q.last + spread * tick;
  if (at_limit_up) best_bid = q.last;
  if (at_limit_down) best_ask = q.last;
  // A sealed limit holds a wall of orders on its side and nothing on the other.
  const double wall = at_limit_up || at_limit_down ? 20.0 : 1.0;
  const double tilt = Gauss(Hash(moment, 8)) * 0.2;
  const double usual = LevelVolume(s);
  OrderBook book;
  for (int level = 0; level < levels; ++level) {
    const std::uint64_t h = Hash(moment, static_cast<std::uint64_t>(level));
    const double depth = usual * (1 + 0.15 * level);
    const int ask_volume = std::max(1, static_cast<int>(depth * std::exp(Gauss(h) * 0.5 - tilt) * (at_limit_down && level == 0 ? wall : 1)));
    const int bid_volume = std::max(1, static_cast<int>(depth * std::exp(Gauss(Hash(h, 1)) * 0.5 + tilt) * (at_limit_up && level == 0 ? wall : 1)));
    const BookLevel ask{best_ask + level * tick, ask_volume};
    const BookLevel bid{best_bid - level * tick, bid_volume};
    const bool trading = !q.suspended && q.last > 0;
    book.asks.push_back(trading && InsideLimits(q, ask.price) && !at_limit_up ? ask : BookLevel{});
    book.bids.push_back(trading && InsideLimits(q, bid.price) && !at_limit_down ? bid : BookLevel{});
  }
  return book;
}

namespace {

OrderQueue Queue(const BookLevel& level, std::uint64_t h) {
  OrderQueue queue{level.price, level.volume, {}};
  if (level.volume <= 0) return queue;
  const int average = 5 + static_cast<int>(Unit(h) * 40);
  const int count = std::clamp(level.volume / average, 1, kMaxQueuedOrders);
  std::vector<double> weights(static_cast<std::size_t>(count));
  double total = 0;
  for (int i = 0; i < count; ++i) total += weights[static_cast<std::size_t>(i)] = 0.2 + Unit(Hash(h, static_cast<std::uint64_t>(i)));
  int left = level.volume;
  for (int i = 0; i < count && left > 0; ++i) {
    const int share = i + 1 == count ? left : std::clamp(static_cast<int>(level.volume * weights[static_cast<std::size_t>(i)] / total), 1, left);
    queue.orders.push_back(share);
    left -= share;
  }
  return queue;
}

}  // namespace

BestQueues QueuesAtBest(const Market& market, int index, const Position& position, const QuoteState& quote) {
  const OrderBook book = BuildBook(market, index, position, quote, 1);
  const std::uint64_t h = MomentHash(market, index, position, kQueueSalt);
  return BestQueues{Queue(book.asks[0], h), Queue(book.bids[0], h >> 1)};
}

// The day's first slot is its opening auction: every tick trades at the opening price. Later
// slots move from the price before them to their own in even steps on the price grid.
std::vector<Tick> LatestTicks(const Market& market, int index, const Position& position, int count) {
  const auto path = market.Path(index, position.day_index);
  const Security& s = market.security(index);
  std::vector<Tick> ticks;
  for (int slot = position.slots - 1; slot >= 0 && static_cast<int>(ticks.size()) < count; --slot) {
    const auto k = static_cast<std::size_t>(slot);
    const int after = path->price[k];
    const int before = slot == 0 ? after : path->price[k - 1];
    for (int j = kTicksPerSlot - 1; j >= 0 && static_cast<int>(ticks.size()) < count; --j) {
      const int price = OnPriceTick(s, before + (after - before) * (j + 1.0) / kTicksPerSlot);
      const int share = path->volume[k] / kTicksPerSlot + (j == kTicksPerSlot - 1 ? path->volume[k] % kTicksPerSlot : 0);
      ticks.push_back(Tick{s.session->SlotTime(slot), price, share});
    }
  }
  std::reverse(ticks.begin(), ticks.end());
  return ticks;
}

}  // namespace tarvello::server
