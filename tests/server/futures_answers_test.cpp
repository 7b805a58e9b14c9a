// The index-futures quote and ticks against the market state they come from.
#include <gtest/gtest.h>

#include <cmath>

#include "protocol/wire_writer.h"
#include "server/futures_answers.h"
#include "server/quote_state.h"
#include "answer_fixture.h"

namespace tarvello::server::testing {
namespace {

std::uint8_t ExpectedType(int size, int interest, int direction) {
  if (size > 0 && interest == size) return 2;
  if (size > 0 && interest == -size) return 1;
  if (interest > 0) return direction == 1 ? 6 : 4;
  if (interest < 0) return direction == 1 ? 7 : 5;
  return direction == 2 ? 8 : direction == 1 ? 9 : 3;
}

// Early in the session one answer of 100 ticks holds the whole day: three ticks a minute since
// the 09:15 open, the last one in the current minute at the latest price.
TEST(FuturesAnswersTest, QuoteFieldsAgreeAndTheDaysTicksAddUpToTheQuote) {
  const struct {
    const char* at;
    int slots;
    int minute;
  } moments[] = {{"2026-12-04 09:20", 6, 920}, {"2026-12-04 09:40", 26, 940}};
  for (const auto& moment : moments) {
    AnswerFixture fixture(moment.at);
    for (const char* code : {"IF000001", "IF000002", "IF000003", "IF000004"}) {
      SCOPED_TRACE(::testing::Message() << moment.at << " " << code);
      const auto blocks = fixture.Ask({WireWriter::Packet(3203, 0).Str(code).FinishPacket(10),
                                       WireWriter::Packet(3205, 0).Str(code).I32(-1).U16(100).FinishPacket()});
      ASSERT_EQ(blocks.size(), 2u);
      const QuoteState q = QuoteAt(fixture.market, fixture.market.Find(code), fixture.PositionOf(code));
      ASSERT_EQ(q.slots, moment.slots);
      BlockReader quote = Reader(blocks[0]);
      const int last = quote.Int32(), open = quote.Int32(), bid = quote.Int32(), ask = quote.Int32();
      EXPECT_EQ(last, q.last);
      EXPECT_EQ(open, q.open);
      EXPECT_LE(bid, last);
      EXPECT_GE(ask, last);
      EXPECT_EQ(quote.Int32(), q.volume);
      EXPECT_GT(quote.Int32(), 0);  // open interest
      quote.Skip(4 * 3);
      EXPECT_EQ(quote.Int32(), q.prev_close);
      quote.Skip(4 * 2);
      const int dayInterest = quote.Int32();
      EXPECT_EQ(quote.Int32() + quote.Int32(), q.volume);  // inner and outer
      EXPECT_TRUE(quote.AtEnd());

      BlockReader ticks = Reader(blocks[1]);
      ticks.Int32();
      EXPECT_EQ(ticks.Int32(), q.prev_close);
      const int count = ticks.Int16();
      ASSERT_EQ(count, 3 * q.slots);
      long long volumes = 0, interests = 0;
      int time = 0, price = 0;
      for (int i = 0; i < count; ++i) {
        const int previousTime = time;
        time = ticks.Int32();
        price = ticks.Int32();
        const int size = ticks.Int32();
        const int interest = ticks.Int32();
        const int type = ticks.Byte();
        const int direction = ticks.Byte();
        EXPECT_GT(time, previousTime) << "tick " << i;
        EXPECT_LT(time % 100, 60);
        EXPECT_LE(std::abs(interest), size) << "tick " << i;
        EXPECT_EQ(type, ExpectedType(size, interest, direction)) << "tick " << i;
        volumes += size;
        interests += interest;
      }
      EXPECT_TRUE(ticks.AtEnd());
      EXPECT_EQ(time / 100, moment.minute);
      EXPECT_EQ(price, q.last);
      EXPECT_EQ(volumes, q.volume);
      EXPECT_EQ(interests, dayInterest);
    }
  }
}

}  // namespace
}  // namespace tarvello::server::testing
