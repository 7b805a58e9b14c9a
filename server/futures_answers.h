// The bodies of the index-futures answers: the futures quote (3203) and its tick list with the
// open-interest change and the classification of each trade (3205). Pure functions of the
// market and a position; safe from any thread.
#pragma once

#include "protocol/bytes.h"
#include "server/market.h"

namespace tarvello::server {

inline constexpr int kMaxFuturesTicks = 100;

Bytes FuturesQuoteBody(const Market& market, int index, const Position& position);
Bytes FuturesTicksBody(const Market& market, int index, const Position& position, int rows);
// The open-interest change of one slot (0 for securities without open interest).
int InterestChange(const Market& market, int index, int day_index, int slot);
// The open-interest change of the day so far, and the open interest it leaves.
int DayInterestChange(const Market& market, int index, const Position& position);
int OpenInterest(const Market& market, int index, const Position& position);

}  // namespace tarvello::server
