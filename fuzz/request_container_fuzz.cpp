// Feeds arbitrary bytes to the simulator's request framing and, when they form a container,
// answers it against a small market: neither may crash, read out of bounds or hang.
#include <cstddef>
#include <cstdint>

#include "protocol/container_parser.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/accounts.h"
#include "server/wire/event_log.h"
#include "server/wire/request_handler.h"
#include "server/wire/request_parser.h"

namespace {

using namespace tarvello::server;

struct Fixture {
  Fixture()
      : clock(*ParseSimTime("2026-12-04 10:30"), 0),
        market(MarketConfig{7, clock.start(), 30, 5}),
        handler(market, clock, accounts, log) {}
  SimClock clock;
  Market market;
  AccountBook accounts;
  EventLog log;
  RequestHandler handler;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Fixture fixture;
  const FrameResult frame = FrameRequest({data, size});
  if (frame.status != FrameStatus::kComplete) return 0;
  const tarvello::Bytes answer = fixture.handler.Answer(frame.packets);
  tarvello::ParseContainer([](int, const std::uint8_t*, std::size_t, std::size_t) { return 0; }, answer.data(),
                           answer.size());
  return 0;
}
