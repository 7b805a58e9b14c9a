// K-line requests and the reading of their answers, including short and broken answers.
#include <gtest/gtest.h>

#include "bar_builders.h"
#include "kline/kline_answer.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "scripted_exchange.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::ReadKLineRequest;

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

TEST(KLineRequestTest, FullLoadAsksForBarsQuoteAndDescription) {
  const auto fields = ReadKLineRequest(
      BuildFullLoadRequest({"SZ000002", KLinePeriod::kWeek, PriceAdjustment::kBackward}, 20240105));
  EXPECT_EQ(fields.packetTypes, (std::vector<int>{kKLine, kQuote, kSecurityInfo}));
  EXPECT_EQ(fields.code, "SZ000002");
  EXPECT_EQ(fields.period, 8);
  EXPECT_EQ(fields.start, 20240105u);
  EXPECT_EQ(fields.count, 122);
  EXPECT_EQ(fields.adjustment, 2);
}

TEST(KLineRequestTest, RefreshAsksForOneNewestBarAndTheQuote) {
  const auto fields = ReadKLineRequest(BuildRefreshRequest({"SH600001", KLinePeriod::kFiveMinutes}));
  EXPECT_EQ(fields.packetTypes, (std::vector<int>{kKLine, kQuote}));
  EXPECT_EQ(fields.period, 2);
  EXPECT_EQ(fields.start, 0u);
  EXPECT_EQ(fields.count, 1);
}

TEST(KLineAnswerTest, RecordsSwapVolumeAndAmountAndFillZeroPricesWithClose) {
  KLineBar sent = Bar(0, 0, 0, 1500, 777, 20240102);
  sent.amount = 888;
  const KLineAnswer answer = Read(Container(kKLine, testing::BarsBody({&sent, 1})));
  ASSERT_TRUE(answer.complete);
  ASSERT_EQ(answer.bars.size(), 1u);
  const KLineBar& bar = answer.bars[0];
  EXPECT_EQ(bar.date, 20240102);
  EXPECT_EQ(bar.open, 1500);
  EXPECT_EQ(bar.high, 1500);
  EXPECT_EQ(bar.low, 1500);
  EXPECT_EQ(bar.volume, 777);
  EXPECT_EQ(bar.amount, 888);
  EXPECT_EQ(bar.ma5, 0.0f);
}

TEST(KLineAnswerTest, CountsBeyondTheBlockAndCutRecordsAddOnlyWholeBars) {
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1), Bar(1, 2, 1, 2, 5, 2)};
  Bytes body = testing::BarsBody(sent);
  body[0] = 9;                          // claims nine records
  body.resize(body.size() - 3);         // and the second one is cut short
  const KLineAnswer answer = Read(Container(kKLine, body));
  ASSERT_EQ(answer.bars.size(), 1u);
  EXPECT_EQ(answer.bars[0].date, 1);
}

TEST(KLineAnswerTest, NonPositiveCountAddsNothing) {
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1)};
  Bytes body = testing::BarsBody(sent);
  body[0] = 0xFF;  // -1
  body[1] = 0xFF;
  EXPECT_TRUE(Read(Container(kKLine, body)).bars.empty());
}

TEST(KLineAnswerTest, QuoteAndDescriptionAreTakenOnlyWhole) {
  KLineAnswer answer = Read(testing::FullLoadAnswer({}, 4321, 3));
  ASSERT_TRUE(answer.quote && answer.security);
  EXPECT_EQ(answer.quote->last, 4321);
  EXPECT_EQ(answer.quote->prevClose, 1000);
  EXPECT_EQ(answer.quote->turnoverBase, 50);
  EXPECT_EQ(answer.security->priceDecimals, 3);
  Bytes quote = testing::QuoteBody(4321, 1000, 50);
  quote.resize(20);
  EXPECT_FALSE(Read(Container(kQuote, quote)).quote);
  Bytes info = testing::SecurityInfoBody(3);
  info.resize(8);
  EXPECT_FALSE(Read(Container(kSecurityInfo, info)).security);
}

TEST(KLineAnswerTest, BrokenContainerKeepsTheBarsReadBeforeTheBreak) {
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1)};
  Bytes container = testing::FullLoadAnswer(sent);
  container.pop_back();  // no closing "}"
  const KLineAnswer answer = Read(container);
  EXPECT_FALSE(answer.complete);
  EXPECT_EQ(answer.bars.size(), 1u);
}

TEST(KLineAnswerTest, FetchReportsAFailedExchangeAsIncomplete) {
  testing::ScriptedExchange exchange;
  exchange.Fail();
  EXPECT_FALSE(FetchKLineAnswer(exchange, BuildRefreshRequest({"SH600001"})).complete);
  const std::vector<KLineBar> sent{Bar(1, 2, 1, 2, 5, 1)};
  exchange.Answer(testing::RefreshAnswer(sent));
  const KLineAnswer answer = FetchKLineAnswer(exchange, BuildRefreshRequest({"SH600001"}));
  EXPECT_TRUE(answer.complete);
  EXPECT_EQ(answer.bars.size(), 1u);
}

}  // namespace
}  // namespace tarvello
