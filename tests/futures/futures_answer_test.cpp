#include "futures/futures_answer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "futures/futures_request.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/loopback_server.h"

namespace tarvello {
namespace {

using testing::AnswerContainer;

Bytes TicksBody(int count, int whole) {
  WireWriter body;
  body.I32(720).I32(350000).I16(static_cast<std::int16_t>(count));
  for (int i = 0; i < whole; ++i) body.I32(93000 + i).I32(350000 + i).I32(10 + i).I32(i - 1).U8(3).U8(2);
  return body.Take();
}

TEST(FuturesWireTest, RequestsGoOutAloneAndOnlyWholeQuotesTicksAndFundFlowsAreTaken) {
  struct Case {
    Bytes request;
    Bytes expected;
  };
  const Case cases[] = {
      // 3203: the length field says 10 whatever the code's length.
      {BuildFuturesQuoteRequest("IF1"),
       {'{', 0x83, 0x0C, 0, 0, 10, 0, 3, 0, 'I', 'F', '1', '}'}},
      {BuildFuturesTicksRequest("IF1", 30),
       {'{', 0x85, 0x0C, 0, 0, 11, 0, 3, 0, 'I', 'F', '1', 0xFF, 0xFF, 0xFF, 0xFF, 30, 0, '}'}},
      {BuildSecurityFundFlowRequest("SH6"), {'{', 0x3D, 0x08, 0, 0, 5, 0, 3, 0, 'S', 'H', '6', '}'}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.request, c.expected);
  WireWriter full;
  for (int i = 1; i <= 15; ++i) full.I32(i * 100);
  FuturesQuote quote;
  ASSERT_TRUE(ReadFuturesQuoteAnswer(AnswerContainer(kFuturesQuote, full.Take()), quote));
  EXPECT_EQ(std::tuple(quote.last, quote.prevSettle, quote.outerVolume),
            std::tuple(100, 1000, 1500));

  WireWriter cut;
  for (int i = 1; i <= 14; ++i) cut.I32(7);
  const Bytes shortAnswers[] = {AnswerContainer(kFuturesQuote, cut.Take()), AnswerContainer(kFuturesQuote, {}),
                                Bytes{'{', 0x83, 0x0C, 0, 0, 60, 0, '}'}, Bytes{'x', 0x83, 0x0C, 0, 0, 4, 0, 1, 2, 3, 4}};
  for (const Bytes& answer : shortAnswers) {
    EXPECT_FALSE(ReadFuturesQuoteAnswer(answer, quote));
    EXPECT_EQ(quote.last, 100) << answer.size();  // unchanged
  }
  struct TickCase {
    const char* name;
    Bytes answer;
    bool read;
    std::size_t shown;  // ticks shown afterwards; 2 = the ones there before
    std::int32_t firstTime;
  };
  Bytes cutRecord = AnswerContainer(kFuturesTicks, TicksBody(3, 3));
  cutRecord.erase(cutRecord.end() - 6, cutRecord.end() - 1);  // the third record loses 5 bytes
  const TickCase tickCases[] = {
      {"three whole", AnswerContainer(kFuturesTicks, TicksBody(3, 3)), true, 3, 93002},
      {"count above the records", AnswerContainer(kFuturesTicks, TicksBody(9, 3)), true, 3, 93002},
      {"last record cut off", cutRecord, true, 2, 93001},
      {"count 0 keeps the shown", AnswerContainer(kFuturesTicks, TicksBody(0, 0)), true, 2, 1},
      {"negative count", AnswerContainer(kFuturesTicks, TicksBody(-4, 3)), true, 2, 1},
      {"eight bytes", Bytes{'{', 0x85, 0x0C, 0, 0, 0, 0, '}'}, false, 2, 1},
      {"header cut", AnswerContainer(kFuturesTicks, Bytes{1, 2, 3, 4, 5}), false, 2, 1},
  };
  for (const TickCase& c : tickCases) {
    FuturesTicks ticks;
    ticks.ticks = {FuturesTick{1}, FuturesTick{2}};
    ticks.referencePrice = 5;
    EXPECT_EQ(ReadFuturesTicksAnswer(c.answer, ticks), c.read) << c.name;
    ASSERT_EQ(ticks.ticks.size(), c.shown) << c.name;
    EXPECT_EQ(ticks.ticks.front().time, c.firstTime) << c.name;
    EXPECT_EQ(ticks.position, c.read ? 720 : 0) << c.name;
    EXPECT_EQ(ticks.referencePrice, c.firstTime == 1 ? 5 : 350000) << c.name;
  }
  // The fund flow divides amounts by its decimals and falls back to zeros.
  const auto body = [](std::uint8_t decimals, int fields) {
    WireWriter w;
    w.U8(decimals);
    const std::int32_t values[] = {1234, -500, 7, 99, 123456, 20000, 3999, 100000, 50000, 1000, 2500};
    for (int i = 0; i < fields && i < 11; ++i) w.I32(values[i]);
    for (int i = 11; i < fields; ++i) w.I16(static_cast<std::int16_t>(i - 10));
    return AnswerContainer(kSecurityFundFlow, w.Take());
  };
  const SecurityFundFlow read = ReadSecurityFundFlowAnswer(body(3, 15)).value_or(SecurityFundFlow{});
  EXPECT_EQ(std::tuple(int{read.decimals}, read.ratioToday, read.ratio3Days, read.ratio10Days),
            std::tuple(3, 1234, -500, 99));
  EXPECT_EQ(std::tuple(read.largeIn, read.smallIn, read.otherAmount), std::tuple(123, 3, 2));
  EXPECT_EQ(std::tuple(read.positionToday, read.position10Days), std::tuple(1, 4));
  for (const Bytes& bad : {body(2, 14), body(12, 15), Bytes{'{', 0x3D, 0x08, 0, 0, 0, 0, '}'}}) {
    EXPECT_FALSE(ReadSecurityFundFlowAnswer(bad).has_value()) << bad.size();
  }
}

}  // namespace
}  // namespace tarvello
