// K-line requests and the reading of their answers, including short and broken answers.
#include <gtest/gtest.h>

#include <tuple>

#include "support/kline_bars.h"
#include "kline/kline_answer.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "support/kline_exchange.h"

namespace tarvello {
namespace {

using testing::Bar;

KLineAnswer Read(const Bytes& container) {
  KLineAnswer answer;
  answer.complete = ReadKLineAnswer(container.data(), container.size(), answer);
  return answer;
}

Bytes Container(int type, const Bytes& body) {
  ContainerWriter writer;
  writer.Add(type, body);
  return writer.Finish();
}

TEST(KLineRequestTest, FullLoadAndRefreshContainers) {
  const CPacketCodec codec;
  const std::vector<Bytes> full{codec.BuildKLine("SZ000002", 8, 20240105, 122, 2), codec.BuildQuote("SZ000002"),
                                codec.BuildSecurityInfo("SZ000002")};
  EXPECT_EQ(BuildFullLoadRequest({"SZ000002", KLinePeriod::kWeek, PriceAdjustment::kBackward}, 20240105),
            CPacketCodec::Join(full));
  const std::vector<Bytes> refresh{codec.BuildKLine("SH600001", 2, 0, 1, 0), codec.BuildQuote("SH600001")};
  EXPECT_EQ(BuildRefreshRequest({"SH600001", KLinePeriod::kFiveMinutes}), CPacketCodec::Join(refresh));
}

TEST(KLineAnswerTest, RecordsSwapVolumeAndAmountAndFillZeroPricesWithClose) {
  KLineBar sent = Bar(0, 0, 0, 1500, 777, 20240102);
  sent.amount = 888;
  const KLineAnswer answer = Read(Container(kKLine, testing::BarsBody({&sent, 1})));
  ASSERT_TRUE(answer.complete);
  ASSERT_EQ(answer.bars.size(), 1u);
  const KLineBar& bar = answer.bars[0];
  EXPECT_EQ(std::tie(bar.date, bar.open, bar.high, bar.low, bar.volume, bar.amount),
            std::tuple(20240102, 1500, 1500, 1500, 777, 888));
}

TEST(KLineAnswerTest, OnlyWholeRecordsAndBlocksAreTaken) {
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1), Bar(1, 2, 1, 2, 5, 2)};
  Bytes body = testing::BarsBody(sent);
  body[0] = 9;                   // claims nine records
  body.resize(body.size() - 3);  // and the second one is cut short
  EXPECT_EQ(Read(Container(kKLine, body)).bars.size(), 1u);
  body[0] = body[1] = 0xFF;  // a count of -1
  EXPECT_TRUE(Read(Container(kKLine, body)).bars.empty());
  Bytes quote = testing::QuoteBody(4321, 1000, 50);
  quote.resize(20);
  EXPECT_FALSE(Read(Container(kQuote, quote)).quote);
  Bytes info = testing::SecurityInfoBody(3);
  info.resize(8);
  EXPECT_FALSE(Read(Container(kSecurityInfo, info)).security);
}

TEST(KLineAnswerTest, BrokenContainerKeepsWhatWasReadBeforeTheBreak) {
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1)};
  Bytes container = testing::FullLoadAnswer(sent, 4321, 3);
  container.pop_back();  // no closing "}"
  const KLineAnswer answer = Read(container);
  EXPECT_FALSE(answer.complete);
  EXPECT_EQ(answer.bars.size(), 1u);
  ASSERT_TRUE(answer.quote && answer.security);
  EXPECT_EQ(answer.quote->last, 4321);
  EXPECT_EQ(answer.quote->turnoverBase, 50);
  EXPECT_EQ(answer.security->priceDecimals, 3);
}

}  // namespace
}  // namespace tarvello
