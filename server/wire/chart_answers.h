// The bodies of the chart answers: the minute data of the day (2117 with five values per
// minute, the 2201 form with four and the previous close) and the K-line bars (2202). Pure
// functions of the market, a position and the request fields; safe from any thread.
#pragma once

#include <cstdint>

#include "protocol/bytes.h"
#include "server/market/kline_series.h"
#include "server/market/market.h"

namespace tarvello::server {

// Minutes from slot `start` on (0: the whole day so far).
Bytes MinuteBody(const Market& market, int index, const Position& position, std::uint32_t start, bool short_form);
Bytes KLineBody(const KLineSeries& series, int index, const Position& position, const KLineQuery& query);

}  // namespace tarvello::server
