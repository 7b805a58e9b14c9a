// The records the stock detail screen shows for one security: the quote records shared with other
// screens, the day's minute series, the order books, the latest ticks and, for an index future,
// its futures quote. Plain values, zero or empty until filled. The screen's worker fills a fresh
// DetailRecords from each answer and hands the whole value over, so the painter never sees a
// half-read answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "market/futures_quote.h"
#include "market/quote_records.h"

namespace tarvello {

// Minute slots of an ordinary trading day, used until a minute block says otherwise.
inline constexpr int kDefaultSlotCount = 242;

// One traded minute. Prices carry one decimal more than the snapshot (x 10^(priceDecimals + 1)).
struct MinuteRecord {
  std::int32_t time = 0;  // HHMM
  std::int32_t price = 0;
  std::int32_t cumVolume = 0;
  std::int32_t minuteVolume = 0;  // filled by the chart model, not read from the wire
  std::int32_t avgPrice = 0;
  std::int32_t extra = 0;  // fifth value of the long minute block, kept
};

// The day's minute data (blocks 2117 and 2201).
struct MinuteSeries {
  std::u16string code;
  std::u16string name;
  std::int32_t prevClose = 0;  // carried by the short block only
  std::int32_t totalVolume = 0;
  std::int32_t kept = 0;
  std::uint8_t keptByte1 = 0;
  std::uint8_t keptByte2 = 0;
  std::int32_t minuteCount = 0;  // minutes traded so far
  int slotCount = kDefaultSlotCount;
  std::vector<MinuteRecord> records;
};

// One order-book entry; books list the sell levels from the highest down, then the buy levels up.
struct BookLevel {
  std::int32_t price = 0;
  std::int32_t volume = 0;
};

struct TickRecord {
  std::int32_t time = 0;  // HHMM
  std::int32_t price = 0;
  std::int32_t volume = 0;
};

// The latest ticks (block 2205), coloured against referencePrice.
struct TickList {
  std::int32_t referencePrice = 0;
  std::int32_t kept = 0;
  std::vector<TickRecord> ticks;
};

struct DetailRecords {
  SecurityInfo security;
  QuoteSnapshot quote;
  QuoteExtra extra;
  IndexBreadth breadth;
  TradingHours hours;
  MinuteSeries minutes;
  std::vector<BookLevel> fiveLevelBook;
  std::vector<BookLevel> tenLevelBook;
  std::int32_t tenLevelOrderRatio = 0;
  TickList ticks;
  std::optional<FuturesQuote> futures;

  // Index futures are asked for their futures quote and shown with its figures.
  bool IsFutureMode() const { return security.securityType == kSecurityTypeIndexFuture; }
};

}  // namespace tarvello
