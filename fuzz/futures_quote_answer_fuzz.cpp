// Feeds arbitrary bytes to the futures screen's quote reader as the server's 3203 answer, then
// lays out the quote panel from whatever came out, so that hostile figures reach the change,
// percentage and outer/inner share arithmetic; and the same bytes as the answer to the screen's
// security query.
#include <cstddef>
#include <cstdint>

#include "futures/futures_answer.h"
#include "futures/futures_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvello::FuturesQuote quote;
  if (tarvello::ReadFuturesQuoteAnswer({data, size}, quote)) tarvello::QuotePanelRows(quote);
  tarvello::ReadSecurityFactsAnswer({data, size}, tarvello::SecurityCode(u"IF000001"));
  return 0;
}
