// The K-line request containers and the reading of their answers: bars (block 2202), the quote
// snapshot (2203) and the security's description (2200); other blocks are ignored.
//
// A bar record is seven int32: date, open, high, low, close, volume, amount (volume comes before
// amount on the wire). An open, high or low of 0 is taken as the close. Records are appended as
// they are read, so a container that breaks off keeps the bars read before the break; a record
// cut off by the end of its block is dropped whole, and a quote or description block too short
// for its layout is dropped rather than taken as zeros. The builders and the reader are pure and
// safe from any thread; FetchKLineAnswer runs on whichever threads its exchange allows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "market/quote_records.h"
#include "kline/kline_bar.h"
#include "protocol/exchange_function.h"
#include "protocol/bytes.h"

namespace tarvello {

inline constexpr std::size_t kKLineAnswerCapacity = 5120;
inline constexpr int kHistoryChunk = 123;  // bars kept by a full load; one more than asked for

// What to ask for: the security's request text, the period, the adjustment.
struct KLineQuery {
  std::string_view code;
  KLinePeriod period = kDefaultPeriod;
  PriceAdjustment adjustment = kDefaultAdjustment;
};

struct KLineAnswer {
  bool complete = false;  // the exchange succeeded and the container was read to its "}"
  std::vector<KLineBar> bars;
  std::optional<QuoteSnapshot> quote;
  std::optional<SecurityInfo> security;
};

// Bars (from start; 0 = the newest, otherwise the date of the oldest bar held) with the quote and
// the description: 2202, 2203, 2200.
Bytes BuildFullLoadRequest(const KLineQuery& query, std::uint32_t start);
// The newest bar and the quote: 2202 (start 0, one bar), 2203.
Bytes BuildRefreshRequest(const KLineQuery& query);

// Reads an answer container into answer (appending bars). True when it was read to its end.
bool ReadKLineAnswer(const std::uint8_t* bytes, std::size_t length, KLineAnswer& answer);

// Reads the bytes one exchange brought (none when it failed).
KLineAnswer ReadKLineBytes(const Bytes& received);

// Runs one exchange with the K-line answer capacity and reads what came back.
KLineAnswer FetchKLineAnswer(const ExchangeFunction& exchange, const Bytes& request);

// The answer cache's key of a full load ("kline SH600001 7 0": code, period, adjustment).
std::string KLineCacheKey(const KLineQuery& query);

}  // namespace tarvello
