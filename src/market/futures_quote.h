// FuturesQuote: the quote of an index future (block 3203): fifteen int32 fields in wire order,
// prices times 100. The stock detail screen shows it in its figures panel, the futures screen in
// its quote panel; both read it with ReadFuturesQuote. Plain value; the reader is pure.
#pragma once

#include <cstdint>

#include "protocol/block_reader.h"

namespace tarvello {

struct FuturesQuote {
  std::int32_t last = 0;
  std::int32_t open = 0;
  std::int32_t bid = 0;
  std::int32_t ask = 0;
  std::int32_t volume = 0;
  std::int32_t openInterest = 0;
  std::int32_t high = 0;
  std::int32_t low = 0;
  std::int32_t average = 0;
  std::int32_t prevSettle = 0;
  std::int32_t bidVolume = 0;
  std::int32_t askVolume = 0;
  std::int32_t interestChange = 0;
  std::int32_t innerVolume = 0;
  std::int32_t outerVolume = 0;
};

// Reads the fifteen fields; false, with quote zeroed, when the block is too short for them.
bool ReadFuturesQuote(BlockReader& reader, FuturesQuote& quote);

}  // namespace tarvello
