// The index-futures answers against the quote they belong to, and the fund flow of one security
// against the money-flow split it is drawn from.
#include "server/security_fund_flow.h"

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

TEST(SecurityFundFlowTest, SharesFundsAndSectorsCarryTheirMoneyFlowAndPositions) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  const FlowBook flows(m);
  for (const char* code : {"SH600001", "SZ000002", "SH500001", "BI000001"}) {
    const int index = m.Find(code);
    ASSERT_GE(index, 0) << code;
    const Position at = fixture.PositionOf(code);
    const auto blocks = fixture.Ask({WireWriter::Packet(2109, 0).Str(code).FinishPacket()});
    ASSERT_EQ(blocks.size(), 1u) << code;
    BlockReader r = Reader(blocks[0]);
    ASSERT_EQ(r.Byte(), 2);
    const bool sector = m.security(index).kind == Kind::kSector;
    const FlowSplit today = sector ? flows.SectorOver(index, at, 1) : flows.Over(index, at, 1);
    const FlowSplit tenDays = sector ? flows.SectorOver(index, at, 10) : flows.Over(index, at, 10);
    EXPECT_NEAR(r.Int32(), today.NetRatio() * 100, 1.0) << code;
    r.Skip(8);
    EXPECT_NEAR(r.Int32(), tenDays.NetRatio() * 100, 1.0) << code;
    for (const auto* side : {&today.inflow, &today.outflow}) {
      for (double yuan : *side) EXPECT_NEAR(r.Int32(), yuan / 100, 1.0) << code;
    }
    EXPECT_GE(r.Int32(), 0);  // the rest of the amount
    const int peers = static_cast<int>(FundFlowPeers(m, index).size());
    for (int i = 0; i < 4; ++i) {
      const int position = r.Int16();
      EXPECT_GE(position, 1) << code;
      EXPECT_LE(position, peers) << code;
    }
    EXPECT_TRUE(r.AtEnd()) << code;
  }
}

}  // namespace
}  // namespace tarvello::server::testing
