// Feeds arbitrary bytes to the simulator's information port: as an HTTP request, whose path is
// then routed to the article depot and the markup pages, and as the body of every information
// request type. Nothing may fault, and a path is only ever taken from a complete GET.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/site/info_site.h"
#include "server/site/markup_site.h"
#include "server/wire/info_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello::server;
  static const Market market{MarketConfig{1, DefaultStart(), 60, 20}};
  const InfoRequest request = ReadInfoRequest(std::span(data, size));
  if (request.status != InfoRequestStatus::kComplete && !request.path.empty()) std::abort();
  const SimTime now{market.TradingDay(market.start_day_index()), 36000};
  if (request.status == InfoRequestStatus::kComplete) {
    InfoDepotFile(market, request.path, now);
    MarkupPage(request.path, market, now);
  }
  for (const std::uint16_t type : {2600, 2901, 2701, 2700, 2500, 2710}) {
    RequestPacket packet;
    packet.type = type;
    packet.body = std::span(data, size);
    InfoAnswer(market, packet, now);
  }
  return 0;
}
