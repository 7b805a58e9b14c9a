#include "market/index_ticker.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

Bytes QuoteBody(std::int32_t last, std::int32_t volume, std::int32_t prev) {
  WireWriter body;
  body.I32(last).I32(0).I32(volume).I32(0).I32(0).I32(0).I32(prev);
  for (int i = 0; i < 7; ++i) body.I32(0);
  return body.Take();
}

struct Block {
  int type;
  Bytes body;
};

Bytes Answer(const std::vector<Block>& blocks) {
  ContainerWriter writer;
  for (const Block& block : blocks) writer.AddPlain(block.type, block.body);
  return writer.Finish();
}

ExchangeFunction Answering(const Bytes& reply, Bytes* sent = nullptr) {
  return [reply, sent](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    if (sent) sent->assign(request.begin(), request.end());
    std::copy(reply.begin(), reply.end(), answer.begin());
    return static_cast<int>(reply.size());
  };
}

TEST(IndexTickerTest, AsksForBothIndicesInOneExchangeAndBlinksOnEveryRefresh) {
  Bytes sent;
  IndexTicker ticker;
  ticker.Refresh(Answering(Answer({{2203, QuoteBody(324512, 900, 320000)}, {2203, QuoteBody(1100000, 800, 1110000)}}), &sent),
                 nullptr);
  const CPacketCodec codec;
  EXPECT_EQ(sent, CPacketCodec::Join(std::vector<Bytes>{codec.BuildQuote("SH000001"), codec.BuildQuote("SZ399001")}));
  TickerState state = ticker.Get();
  EXPECT_EQ(state.shanghai.last, 324512);
  EXPECT_EQ(state.shanghai.volume, 900);
  EXPECT_EQ(state.shanghai.prevClose, 320000);
  EXPECT_EQ(state.shenzhen.last, 1100000);
  EXPECT_TRUE(state.blink);
  ticker.Refresh([](auto, auto) { return 0; }, nullptr);
  state = ticker.Get();
  EXPECT_FALSE(state.blink);
  EXPECT_EQ(state.shenzhen.prevClose, 1110000);
}

// After a good refresh (Shanghai 100, Shenzhen 200) a damaged answer changes only what it
// carries whole, at the position it carries it.
TEST(IndexTickerTest, EachIndexTakesOnlyAWholeBlockAtItsOwnPosition) {
  Bytes shortBody = QuoteBody(7, 7, 7);
  shortBody.resize(12);
  const struct {
    const char* name;
    std::vector<Block> blocks;
    std::int32_t shanghai;
    std::int32_t shenzhen;
  } cases[] = {
      {"empty Shanghai block", {{2203, {}}, {2203, QuoteBody(222, 2, 220)}}, 100, 222},
      {"short Shanghai block", {{2203, shortBody}, {2203, QuoteBody(222, 2, 220)}}, 100, 222},
      {"short Shenzhen block", {{2203, QuoteBody(111, 1, 110)}, {2203, shortBody}}, 111, 200},
      {"Shenzhen block missing", {{2203, QuoteBody(111, 1, 110)}}, 111, 200},
      {"Shenzhen block of another type", {{2203, QuoteBody(111, 1, 110)}, {2200, QuoteBody(9, 9, 9)}}, 111, 200},
      {"first block of another type", {{2200, QuoteBody(5, 5, 5)}, {2203, QuoteBody(222, 2, 220)}}, 100, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IndexTicker ticker;
    ticker.Refresh(Answering(Answer({{2203, QuoteBody(100, 1, 90)}, {2203, QuoteBody(200, 2, 190)}})), nullptr);
    ticker.Refresh(Answering(Answer(c.blocks)), nullptr);
    const TickerState state = ticker.Get();
    EXPECT_EQ(state.shanghai.last, c.shanghai);
    EXPECT_EQ(state.shenzhen.last, c.shenzhen);
    EXPECT_FALSE(state.blink);
  }
}

}  // namespace
}  // namespace tarvello
