// The bodies of the quote answers of one security: information (2200), snapshot (2203), further
// quote fields (2110), trading hours (2118), index breadth (2206), five- and ten-level books
// (2204, 2304) and the latest ticks (2205). Each is a pure function of the market and a
// position; safe from any thread.
#pragma once

#include "protocol/bytes.h"
#include "server/market/market.h"

namespace tarvello::server {

inline constexpr int kMaxTicksAsked = 50;

Bytes SecurityInfoBody(const Market& market, int index, const Position& position);
Bytes SnapshotBody(const Market& market, int index, const Position& position);
Bytes QuoteExtraBody(const Market& market, int index, const Position& position, int date);
Bytes TradingHoursBody(const Market& market, int index);
Bytes BreadthBody(const Market& market, int index, const Position& position);
Bytes FiveLevelBody(const Market& market, int index, const Position& position);
Bytes TenLevelBody(const Market& market, int index, const Position& position);
Bytes TicksBody(const Market& market, int index, const Position& position, int count);

}  // namespace tarvello::server
