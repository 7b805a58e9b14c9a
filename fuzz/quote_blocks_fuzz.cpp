// Feeds arbitrary bytes to every quote block reader, as if each were the body of its block.
#include <cstddef>
#include <cstdint>

#include "market/quote_block_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  SecurityInfo info;
  QuoteSnapshot quote;
  QuoteExtra extra;
  IndexBreadth breadth;
  TradingHours hours;
  BlockReader infoReader(data, 0, size);
  ReadSecurityInfo(infoReader, info);
  BlockReader quoteReader(data, 0, size);
  ReadQuoteSnapshot(quoteReader, quote);
  BlockReader extraReader(data, 0, size);
  ReadQuoteExtra(extraReader, extra);
  BlockReader breadthReader(data, 0, size);
  ReadIndexBreadth(breadthReader, breadth);
  BlockReader hoursReader(data, 0, size);
  ReadTradingHours(hoursReader, hours);
  return 0;
}
