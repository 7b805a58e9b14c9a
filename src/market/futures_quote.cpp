#include "market/futures_quote.h"

namespace tarvello {

bool ReadFuturesQuote(BlockReader& reader, FuturesQuote& quote) {
  quote = FuturesQuote{};
  for (std::int32_t* field : {&quote.last, &quote.open, &quote.bid, &quote.ask, &quote.volume, &quote.openInterest,
                              &quote.high, &quote.low, &quote.average, &quote.prevSettle, &quote.bidVolume,
                              &quote.askVolume, &quote.interestChange, &quote.innerVolume, &quote.outerVolume}) {
    *field = reader.Int32();
  }
  if (!reader.overrun()) return true;
  quote = FuturesQuote{};
  return false;
}

}  // namespace tarvello
