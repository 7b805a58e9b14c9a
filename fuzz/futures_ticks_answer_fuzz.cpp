// Feeds arbitrary bytes to the futures screen's tick reader as the server's 3205 answer, then
// formats every tick read and pages up from the position it brought.
#include <cstddef>
#include <cstdint>

#include "futures/futures_answer.h"
#include "futures/futures_routes.h"
#include "futures/futures_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvello::FuturesTicks ticks;
  tarvello::ReadFuturesTicksAnswer({data, size}, ticks);
  for (const tarvello::FuturesTick& tick : ticks.ticks) tarvello::TickRow(tick, ticks.referencePrice);
  tarvello::PageUp(ticks.position, 30);
  return 0;
}
