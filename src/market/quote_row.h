// QuoteRow: one row of a quote list answer (block 2113 and its relatives): a stock, index or
// sector with its latest figures. Values are scaled integers in the row's decimals (price x
// 10^decimals; a change ratio is percent at that scale). Plain value, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "market/security_code.h"

namespace tarvello {

// A stock, index or sector row. Sector rows carry the amount in `change`, the three-day change
// ratio in `high` and the three-day turnover in `low`.
struct QuoteRow {
  SecurityCode code;
  std::u16string name;
  std::uint8_t decimals = 2;
  std::uint16_t sectorNumber = 0;  // sector rows: the number the constituents request carries
  std::int32_t latest = 0;
  std::int32_t prevClose = 0;
  std::int32_t value2 = 0;  // kept, not shown
  std::int32_t volume = 0;
  std::int32_t high = 0;
  std::int32_t low = 0;
  std::uint8_t flags = 0;  // kept, not shown
  std::int32_t changeRatio = 0;
  std::int32_t change = 0;
  std::int32_t turnover = 0;
  std::int32_t speed = 0;
  std::int32_t pe = 0;
  std::u16string leaderName;  // sector rows: the leading stock
  std::int32_t extraA = 0, extraB = 0, extraC = 0, extraD = 0;  // older list blocks, not shown
};

}  // namespace tarvello
