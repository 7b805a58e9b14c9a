// QuoteState: everything the quote answers say about one security at one moment, summed from
// its minute path up to the slots reached, so that the snapshot, the minute block, the book and
// the ticks all agree. Plain value; computing it reads only immutable inputs.
#pragma once

#include <cstdint>

#include "server/market/day_path.h"
#include "server/market/market.h"

namespace tarvello::server {

struct QuoteState {
  int last = 0;
  int open = 0;
  int high = 0;
  int low = 0;
  int prev_close = 0;
  int limit_up = 0;    // 0 for securities without limits
  int limit_down = 0;
  std::int64_t volume = 0;
  std::int64_t amount = 0;  // yuan
  std::int64_t inner = 0;   // volume traded at the bid
  std::int64_t outer = 0;   // volume traded at the ask
  int slots = 0;
  int average_fine = 0;     // volume-weighted average price with one more decimal
  bool last_rose = true;    // the last minute did not fall
  bool suspended = false;   // no trade today: prices, volume and amount stay 0
};

QuoteState ComputeQuote(const Security& security, const DayQuote& day, const DayPath& path, int slots);

// The quote of a security at a position, with its path fetched from the market.
QuoteState QuoteAt(const Market& market, int index, const Position& position);

}  // namespace tarvello::server
