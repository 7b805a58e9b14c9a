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

ExchangeFunction Answering(const Bytes& reply, Bytes* sent = nullptr) {
  return [reply, sent](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    if (sent) sent->assign(request.begin(), request.end());
    std::copy(reply.begin(), reply.end(), answer.begin());
    return static_cast<int>(reply.size());
  };
}

TEST(IndexTickerTest, TakesLastVolumeAndPrevCloseOfBothIndices) {
  ContainerWriter writer;
  writer.AddPlain(2203, QuoteBody(324512, 900, 320000));
  writer.AddPlain(2203, QuoteBody(1100000, 800, 1110000));
  Bytes sent;
  IndexTicker ticker;
  ticker.Refresh(Answering(writer.Finish(), &sent), nullptr);
  const CPacketCodec codec;
  EXPECT_EQ(sent, CPacketCodec::Join(std::vector<Bytes>{codec.BuildQuote("SH000001"), codec.BuildQuote("SZ399001")}));
  const TickerState state = ticker.Get();
  EXPECT_EQ(state.shanghai.last, 324512);
  EXPECT_EQ(state.shanghai.volume, 900);
  EXPECT_EQ(state.shanghai.prevClose, 320000);
  EXPECT_EQ(state.shenzhen.last, 1100000);
  EXPECT_TRUE(state.blink);
}

TEST(IndexTickerTest, AnswerWithoutAQuoteFirstKeepsValuesButStillBlinks) {
  ContainerWriter good;
  good.AddPlain(2203, QuoteBody(100, 1, 90));
  good.AddPlain(2203, QuoteBody(200, 2, 190));
  IndexTicker ticker;
  ticker.Refresh(Answering(good.Finish()), nullptr);
  ContainerWriter other;
  other.AddPlain(2200, QuoteBody(5, 5, 5));
  ticker.Refresh(Answering(other.Finish()), nullptr);
  ticker.Refresh([](auto, auto) { return 0; }, nullptr);
  const TickerState state = ticker.Get();
  EXPECT_EQ(state.shanghai.last, 100);
  EXPECT_EQ(state.shenzhen.last, 200);
  EXPECT_TRUE(state.blink);  // three refreshes: on, off, on
}

}  // namespace
}  // namespace tarvello
