// The bodies of the index-futures answers: the futures quote (3203) and its tick list with the
// open-interest change and the classification of each trade (3205). Pure functions of the
// market and a position; safe from any thread.
#pragma once

#include "protocol/bytes.h"
#include "server/market/market.h"

namespace tarvello::server {

inline constexpr int kMaxFuturesTicks = 100;

Bytes FuturesQuoteBody(const Market& market, int index, const Position& position);
Bytes FuturesTicksBody(const Market& market, int index, const Position& position, int rows);

}  // namespace tarvello::server
