// The quote records a security's screens keep: its static description, the real-time snapshot,
// the further quote fields, the breadth of an index and the session bounds. Prices are scaled
// integers (price x 10^priceDecimals); times of day are HHMM integers (930 = 09:30). Plain values
// with every field zero until filled; a screen's worker fills a fresh record and hands it over.
#pragma once

#include <cstdint>
#include <string>

#include "market/security_code.h"

namespace tarvello {

// Kinds of security the display rules tell apart; every other value is an ordinary security.
enum SecurityType : std::uint8_t {
  kSecurityTypeIndex = 0,
  kSecurityTypeIndexFuture = 8,
  kSecurityTypeNoTurnover = 14,
};

// Static description of a security (answer block 2200).
struct SecurityInfo {
  SecurityCode code;
  std::u16string name;
  std::uint8_t securityType = 0;
  // 3 for some kinds; any other value means the usual 2 (see DecimalsOf in price_text.h).
  std::uint8_t priceDecimals = 0;
  std::int32_t info1 = 0;  // kept, not shown
  std::int32_t limitUp = 0;
  std::int32_t limitDown = 0;
};

// Real-time quote (answer block 2203).
struct QuoteSnapshot {
  std::int32_t last = 0;   // 0 = no trade yet today
  std::int32_t snap2 = 0;  // kept, not shown
  std::int32_t volume = 0;
  std::int32_t high = 0;
  std::int32_t low = 0;  // 0 = no trade yet
  std::int32_t open = 0;
  std::int32_t prevClose = 0;
  std::int32_t turnoverBase = 0;  // turnover in percent = volume / turnoverBase
  std::int32_t orderRatio = 0;    // percent x 10^priceDecimals
  std::int32_t volumeRatio = 0;   // value x 10000
};

// Further quote fields (answer block 2110).
struct QuoteExtra {
  std::int32_t turnoverRate = 0;  // percent x 1000
  std::int32_t innerVolume = 0;
  std::int32_t outerVolume = 0;
  std::int32_t peRatio = 0;          // x 1000
  std::int32_t earnings = 0;         // per share, x 1000
  std::uint8_t earningsQuarter = 0;  // 1..3 name the quarter; anything else is the plain label
};

// Rising, flat and falling member counts of an index (answer block 2206).
struct IndexBreadth {
  std::int32_t up = 0;
  std::int32_t flat = 0;
  std::int32_t down = 0;
};

// Session bounds (answer block 2118); a closing time of 0 means the default day.
struct TradingHours {
  std::int32_t close = 0;
  std::int32_t open = 0;
};

}  // namespace tarvello
