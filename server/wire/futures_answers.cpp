#include "server/wire/futures_answers.h"

#include <algorithm>
#include <cmath>

#include "protocol/wire_writer.h"
#include "server/market/open_interest.h"
#include "server/market/order_book.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr std::size_t kLastHourSlots = 60;

// The trade classes of the tick list: opening, closing or switching of long and short positions.
// A trade that opens (or closes) as many contracts as it moves opens (closes) on both sides.
std::uint8_t TickType(int size, int interest_change, int direction) {
  if (size > 0 && interest_change == size) return 2;    // both open
  if (size > 0 && interest_change == -size) return 1;   // both close
  if (interest_change > 0) return direction == 1 ? 6 : 4;   // short open, long open
  if (interest_change < 0) return direction == 1 ? 7 : 5;   // long close, short close
  return direction == 2 ? 8 : direction == 1 ? 9 : 3;       // long switch, short switch, switch
}

// The settlement price a day is judged against: the volume-weighted price of the previous
// day's last hour, on the price grid; the previous close when there is no such hour to weigh.
int Settlement(const Market& market, int index, int day_index) {
  const int prev_close = market.day(index, day_index).prev_close;
  if (day_index <= 0) return prev_close;
  const auto path = market.Path(index, day_index - 1);
  const std::size_t slots = path->price.size();
  double weighted = 0, volume = 0;
  for (std::size_t k = slots > kLastHourSlots ? slots - kLastHourSlots : 0; k < slots; ++k) {
    weighted += static_cast<double>(path->price[k]) * path->volume[k];
    volume += path->volume[k];
  }
  return volume > 0 ? OnPriceTick(market.security(index), weighted / volume) : prev_close;
}

// A tick's time, HHMMSS. A slot's ticks fall in the minute that ends at the slot's own minute,
// 20 seconds apart, so that none is later than the moment the slot is reached; the first slot
// of each half of the day (the opening) trades at its own minute.
int TickTime(const Session& session, int slot, int part) {
  bool afternoon = false;
  const int hhmm = session.SlotTime(slot);
  const int seconds = hhmm / 100 * 3600 + hhmm % 100 * 60;
  const int at = session.MinutesIntoHalf(slot, afternoon) == 0 ? seconds : seconds - (kTicksPerSlot - 1 - part) * 20;
  return at / 3600 * 10000 + at % 3600 / 60 * 100 + at % 60;
}

}  // namespace

Bytes FuturesQuoteBody(const Market& market, int index, const Position& position) {
  const QuoteState q = QuoteAt(market, index, position);
  const OrderBook book = BuildBook(market, index, position, q, 1);
  const int change = DayInterestChange(market, index, position);
  return WireWriter()
      .I32(q.last)
      .I32(q.open)
      .I32(book.bids[0].price)
      .I32(book.asks[0].price)
      .I32(Clamp32(q.volume))
      .I32(InterestBase(market, index) + change)
      .I32(q.high)
      .I32(q.low)
      .I32(q.average_fine / 10)
      .I32(Settlement(market, index, position.day_index))
      .I32(book.bids[0].volume)
      .I32(book.asks[0].volume)
      .I32(change)
      .I32(Clamp32(q.inner))
      .I32(Clamp32(q.outer))
      .Take();
}

// The ticks of a slot share its volume and its open-interest change alike: a third each, the
// remainders on the slot's last tick, so that the day's ticks add up to the quote's volume and
// open-interest change. The list ends at the newest tick, the last of the newest slot reached.
Bytes FuturesTicksBody(const Market& market, int index, const Position& position, int rows) {
  const std::vector<Tick> ticks = LatestTicks(market, index, position, std::clamp(rows, 0, kMaxFuturesTicks));
  const Session& session = *market.security(index).session;
  WireWriter body;
  body.I32(position.slots * kTicksPerSlot).I32(Settlement(market, index, position.day_index));
  body.I16(static_cast<std::int16_t>(ticks.size()));
  int previous_price = ticks.empty() ? 0 : ticks.front().price;
  const int count = static_cast<int>(ticks.size());
  for (int i = 0; i < count; ++i) {
    const Tick& tick = ticks[static_cast<std::size_t>(i)];
    const int from_newest = count - 1 - i;
    const int slot = position.slots - 1 - from_newest / kTicksPerSlot;
    const int part = kTicksPerSlot - 1 - from_newest % kTicksPerSlot;
    const int slot_change = InterestChange(market, index, position.day_index, slot);
    const int interest = slot_change / kTicksPerSlot + (part == kTicksPerSlot - 1 ? slot_change % kTicksPerSlot : 0);
    const int direction = tick.price > previous_price ? 2 : tick.price < previous_price ? 1 : 0;
    previous_price = tick.price;
    body.I32(TickTime(session, slot, part)).I32(tick.price).I32(tick.volume).I32(interest);
    body.U8(TickType(tick.volume, interest, direction)).U8(static_cast<std::uint8_t>(direction));
  }
  return body.Take();
}

}  // namespace tarvello::server
