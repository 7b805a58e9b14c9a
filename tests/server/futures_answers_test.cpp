// The index-futures ticks against the quote they belong to.
#include <gtest/gtest.h>

#include <cmath>

#include "protocol/block_reader.h"
#include "protocol/wire_writer.h"
#include "server/futures_answers.h"
#include "server/quote_state.h"
#include "answer_fixture.h"

namespace tarvello::server::testing {
namespace {

BlockReader Reader(const Block& block) { return BlockReader(block.body.data(), 0, block.body.size()); }

std::uint8_t ExpectedType(int size, int interest, int direction) {
  if (size > 0 && interest == size) return 2;
  if (size > 0 && interest == -size) return 1;
  if (interest > 0) return direction == 1 ? 6 : 4;
  if (interest < 0) return direction == 1 ? 7 : 5;
  return direction == 2 ? 8 : direction == 1 ? 9 : 3;
}

TEST(FuturesAnswersTest, TheDaysTicksAddUpToTheQuoteAndTheirClassesFollowTheirFigures) {
  AnswerFixture fixture("2026-12-04 09:40");
  for (const char* code : {"IF000001", "IF000002", "IF000003", "IF000004"}) {
    const auto blocks = fixture.Ask({WireWriter::Packet(3203, 0).Str(code).FinishPacket(10),
                                     WireWriter::Packet(3205, 0).Str(code).I32(-1).U16(100).FinishPacket()});
    ASSERT_EQ(blocks.size(), 2u) << code;
    BlockReader quote = Reader(blocks[0]);
    quote.Skip(4 * 4);
    const int volume = quote.Int32();
    quote.Skip(4 * 7);
    const int dayInterest = quote.Int32();

    BlockReader ticks = Reader(blocks[1]);
    ticks.Skip(8);
    const int count = ticks.Int16();
    const int slots = QuoteAt(fixture.market, fixture.market.Find(code), fixture.PositionOf(code)).slots;
    ASSERT_EQ(count, 3 * slots) << code;  // three ticks a minute since 09:15: the whole day
    long long volumes = 0, interests = 0;
    int previousTime = 0;
    for (int i = 0; i < count; ++i) {
      const int time = ticks.Int32();
      ticks.Int32();
      const int size = ticks.Int32();
      const int interest = ticks.Int32();
      const int type = ticks.Byte();
      const int direction = ticks.Byte();
      EXPECT_GT(time, previousTime) << code << " tick " << i;
      EXPECT_LT(time % 100, 60);
      EXPECT_LE(std::abs(interest), size) << code << " tick " << i;
      EXPECT_EQ(type, ExpectedType(size, interest, direction)) << code << " tick " << i;
      previousTime = time;
      volumes += size;
      interests += interest;
    }
    EXPECT_EQ(volumes, volume) << code;
    EXPECT_EQ(interests, dayInterest) << code;
  }
}

}  // namespace
}  // namespace tarvello::server::testing
