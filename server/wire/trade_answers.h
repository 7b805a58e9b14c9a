// The bodies of one stock's trade analysis (2800) and order details (2802). The trade analysis
// splits the volume of the last 1, 5, 10 or 15 trading days (today so far included) into orders
// over 1000 lots, of 100 to 1000 lots and under 100 lots, each with its bought and sold part in
// lots (the unit the trade analysis rows hold), from the same split the fund flows are drawn
// from. The order details list the orders queued at the best ask and the best bid of the
// five-level book, prices in hundredths. Pure functions of the market and a position; safe from any thread.
#pragma once

#include "protocol/bytes.h"
#include "server/market/market.h"

namespace tarvello::server {

// Days other than 5, 10 and 15 are taken as 1.
Bytes TradeAnalysisBody(const Market& market, int index, const Position& position, int days);
Bytes OrderDetailsBody(const Market& market, int index, const Position& position);

}  // namespace tarvello::server
