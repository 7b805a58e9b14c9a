// MarketClock: the time on the market the terminal watches, to tell trading hours from the rest
// of the day. The start-up asks the quote server for its date and time; from then on the market's
// time runs on from that answer with the local steady clock, so a server (or a simulator) whose
// day differs from this machine's still gets its own trading hours. Until the server has said,
// it is this machine's local time.
//
// Safe from any thread.
#pragma once

#include <cstdint>

#include "market/quote_records.h"

namespace tarvello {

struct MarketTime {
  std::int32_t date = 0;    // YYYYMMDD
  std::int32_t hhmmss = 0;  // HHMMSS
};

// The server's answer to the time request.
void SetMarketTime(MarketTime server);
MarketTime MarketTimeNow();

// Weekdays, 9:30 to 11:30 and 13:00 to 15:00: when quotes move.
bool IsTradingTime(MarketTime at);
// The same with a security's own session (block 2118) in place of the shares' opening and
// closing times, the midday pause kept; a session with a closing time of 0 is the shares' day.
bool IsTradingTime(MarketTime at, const TradingHours& hours);

}  // namespace tarvello
