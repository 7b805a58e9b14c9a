// Feeds arbitrary bytes to the simulator's list requests as the body of a category or code
// list (2113) or of a constituents request (2114), the first byte choosing which, and answers
// them against a small market: no crash, no read out of bounds, and every answer is a list
// block that reads to its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "protocol/block_reader.h"
#include "protocol/packet_codec.h"
#include "server/figures/market_figures.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/list_answers.h"

namespace {

using namespace tarvello::server;

struct Fixture {
  Fixture()
      : start(*ParseSimTime("2026-12-04 10:30")), market(MarketConfig{7, start, 5, 5}), lists(market),
        figures(BuildMarketFigures(market, MinuteOf(start))) {}
  SimTime start;
  Market market;
  ListAnswers lists;
  std::shared_ptr<const MarketFigures> figures;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Fixture fixture;
  if (size == 0) return 0;
  RequestPacket packet;
  packet.type = data[0] % 2 == 0 ? tarvello::kCategoryList : tarvello::kSectorMembers;
  packet.body = {data + 1, size - 1};
  const auto body = fixture.lists.Body(packet, *fixture.figures);
  if (!body) return 0;
  tarvello::BlockReader reader(body->data(), 0, body->size());
  const int rows = reader.Int16();
  if (rows < 0 || static_cast<std::size_t>(rows) > kMaxListRows || body->size() < 4) std::abort();
  return 0;
}
