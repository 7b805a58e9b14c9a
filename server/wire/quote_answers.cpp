#include "server/wire/quote_answers.h"

#include <algorithm>
#include <cmath>

#include "protocol/wire_writer.h"
#include "server/market/order_book.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr int kLotSize = 100;

Bytes BookBody(const OrderBook& book, bool with_ratio, int decimals, int last) {
  WireWriter body;
  body.I32(last).I16(static_cast<std::int16_t>(book.asks.size() + book.bids.size()));
  for (auto it = book.asks.rbegin(); it != book.asks.rend(); ++it) body.I32(it->price).I32(it->volume);
  for (const BookLevel& level : book.bids) body.I32(level.price).I32(level.volume);
  if (with_ratio) body.I32(book.OrderRatio(decimals));
  return body.Take();
}

// Average daily volume over the five trading days before the position's day.
std::int64_t FiveDayVolume(const Market& market, int index, const Position& position) {
  std::int64_t total = 0;
  int days = 0;
  for (int d = position.day_index - 1; d >= 0 && days < 5; --d, ++days) total += market.DayVolume(index, d);
  return days == 0 ? 0 : total / days;
}

}  // namespace

Bytes SecurityInfoBody(const Market& market, int index, const Position& position) {
  const Security& s = market.security(index);
  const QuoteState q = QuoteAt(market, index, position);
  return WireWriter()
      .Str(s.code)
      .Utf8(s.name)
      .U8(s.wire_type)
      .U8(static_cast<std::uint8_t>(s.decimals))
      .I32(kLotSize)
      .I32(q.limit_up)
      .I32(q.limit_down)
      .Take();
}

Bytes SnapshotBody(const Market& market, int index, const Position& position) {
  const Security& s = market.security(index);
  const QuoteState q = QuoteAt(market, index, position);
  const int slot_count = s.session->SlotCount();
  const std::int64_t usual = FiveDayVolume(market, index, position);
  const std::int64_t volume_ratio =
      usual == 0 ? 0 : q.volume * slot_count * 10000 / (usual * std::max(q.slots, 1));
  const int order_ratio = s.IsIndexLike() ? 0 : BuildBook(market, index, position, q, 5).OrderRatio(s.decimals);
  return WireWriter()
      .I32(q.last)
      .I32(Clamp32(q.amount / 10000))
      .I32(Clamp32(q.volume))
      .I32(q.high)
      .I32(q.low)
      .I32(q.open)
      .I32(q.prev_close)
      .I32(Clamp32(s.float_lots / 100))
      .I32(order_ratio)
      .I32(Clamp32(volume_ratio))
      .I32(0).I32(0).I32(0).I32(0)
      .Take();
}

Bytes QuoteExtraBody(const Market& market, int index, const Position& position, int date) {
  const Security& s = market.security(index);
  const QuoteState q = QuoteAt(market, index, position);
  const std::int64_t turnover = s.float_lots > 0 ? q.volume * 100000 / s.float_lots : 0;
  const double scale = std::pow(10.0, s.decimals);
  const std::int64_t pe = s.earnings_milli > 0 ? std::llround(q.last / scale * 1000000.0 / s.earnings_milli) : 0;
  const int month = date / 100 % 100;
  return WireWriter()
      .I16(Clamp16(turnover))
      .I32(Clamp32(q.inner))
      .I32(Clamp32(q.outer))
      .I32(Clamp32(pe))
      .I32(s.earnings_milli)
      .U8(static_cast<std::uint8_t>((month - 1) / 3))
      .Take();
}

Bytes TradingHoursBody(const Market& market, int index) {
  const Session& session = *market.security(index).session;
  return WireWriter().I16(static_cast<std::int16_t>(session.close())).I16(static_cast<std::int16_t>(session.open())).Take();
}

Bytes BreadthBody(const Market& market, int index, const Position& position) {
  int up = 0, flat = 0, down = 0;
  for (int member : market.security(index).members) {
    // Members trade in the index's own session, so they stand at the index's position.
    const QuoteState q = QuoteAt(market, member, position);
    (q.last > q.prev_close ? up : q.last < q.prev_close ? down : flat) += 1;
  }
  return WireWriter().I16(static_cast<std::int16_t>(up)).I16(static_cast<std::int16_t>(flat)).I16(static_cast<std::int16_t>(down)).Take();
}

Bytes FiveLevelBody(const Market& market, int index, const Position& position) {
  const Security& s = market.security(index);
  if (s.wire_type == 0) return WireWriter().I32(0).I16(0).Take();
  const QuoteState q = QuoteAt(market, index, position);
  return BookBody(BuildBook(market, index, position, q, 5), false, s.decimals, q.last);
}

Bytes TenLevelBody(const Market& market, int index, const Position& position) {
  const Security& s = market.security(index);
  if (s.wire_type == 0) return WireWriter().I32(0).I16(0).I32(0).Take();
  const QuoteState q = QuoteAt(market, index, position);
  return BookBody(BuildBook(market, index, position, q, 10), true, s.decimals, q.last);
}

Bytes TicksBody(const Market& market, int index, const Position& position, int count) {
  const std::vector<Tick> ticks = LatestTicks(market, index, position, std::clamp(count, 0, kMaxTicksAsked));
  WireWriter body;
  body.I32(market.day(index, position.day_index).prev_close).I32(position.slots * kTicksPerSlot);
  body.I16(static_cast<std::int16_t>(ticks.size()));
  for (const Tick& tick : ticks) body.I32(tick.time).I32(tick.price).I32(tick.volume);
  return body.Take();
}

}  // namespace tarvello::server
