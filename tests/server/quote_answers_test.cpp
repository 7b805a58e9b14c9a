// The answers of the stock detail screen, decoded with the terminal's parser, field by field, and
// the index-futures quote and ticks against the market state they come from.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "answer_fixture.h"
#include "protocol/wire_writer.h"
#include "server/figures/fund_flow.h"
#include "server/market/quote_state.h"
#include "server/wire/futures_answers.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

constexpr const char* kShare = "SH600001";

// The next n int32 fields of a block, in wire order.
template <std::size_t n>
std::array<int, n> Ints(BlockReader& reader) {
  std::array<int, n> values{};
  for (int& value : values) value = reader.Int32();
  return values;
}

class QuoteAnswersTest : public ::testing::Test {
 protected:
  QuoteState Quote(const std::string& code) {
    const int index = fixture.market.Find(code);
    return QuoteAt(fixture.market, index, fixture.PositionOf(code));
  }
  AnswerFixture fixture;
};

// One block per packet in the order asked, and a whole day's answer fits the detail screen's buffer.
TEST_F(QuoteAnswersTest, OneBlockPerPacketInOrderWithinTheBufferAndSecurityAndSnapshotFields) {
  AnswerFixture day("2026-12-04 15:00");
  CPacketCodec& c = day.codec;
  for (const char* code : {"SH600001", "SH000001", "IF000001", "HK000001"}) {
    const Bytes answer = day.RawAnswer(
        {c.BuildMinuteData(code, 0), c.BuildIndexBreadth(code), c.BuildOrderBook(code),
         c.BuildTicks(code, 0), c.BuildQuote(code), c.BuildSecurityInfo(code),
         c.BuildTenLevelBook(code), c.BuildTradingHours(code), c.BuildQuoteExtra(code)});
    EXPECT_LE(answer.size(), 10240u) << code;
    std::vector<int> types;
    for (const Block& block : DecodeAnswer(answer)) types.push_back(block.type);
    EXPECT_EQ(types, (std::vector<int>{2117, 2206, 2204, 2205, 2203, 2200, 2304, 2118, 2110})) << code;
  }
  const auto blocks = fixture.Ask({fixture.codec.BuildSecurityInfo(kShare), fixture.codec.BuildQuote(kShare)});
  ASSERT_EQ(blocks.size(), 2u);
  const QuoteState q = Quote(kShare);
  BlockReader info = Reader(blocks[0]);
  EXPECT_EQ(info.String(), u"SH600001");
  EXPECT_FALSE(info.String().empty());
  EXPECT_EQ(info.Byte(), 1);  // an A share
  EXPECT_EQ(info.Byte(), 2);  // decimals
  const auto [info1, limit_up, limit_down] = Ints<3>(info);
  EXPECT_TRUE(info.AtEnd());

  BlockReader snap = Reader(blocks[1]);
  const auto [last, amount, volume, high, low, open, prev_close] = Ints<7>(snap);
  EXPECT_EQ(std::tuple(last, volume, prev_close), std::tuple(q.last, q.volume, q.prev_close));
  EXPECT_TRUE(high >= std::max(open, q.last) && high <= limit_up) << high;
  EXPECT_TRUE(low <= std::min(open, q.last) && low >= limit_down) << low;
  EXPECT_GT(snap.Int32(), 0);  // turnover base
  snap.Skip(2 * 4 + 4 * 4);
  EXPECT_TRUE(snap.AtEnd());
  EXPECT_FALSE(snap.overrun());
}

TEST_F(QuoteAnswersTest, MinuteBlockEndsAtTheSnapshotAndCountsTheDay) {
  const auto blocks = fixture.Ask({fixture.codec.BuildMinuteData(kShare, 0)});
  ASSERT_EQ(blocks.size(), 1u);
  const QuoteState q = Quote(kShare);
  BlockReader r = Reader(blocks[0]);
  EXPECT_EQ(r.String(), u"SH600001");
  r.String();
  EXPECT_EQ(Ints<2>(r)[1], q.volume);
  r.Skip(4 + 1 + 1);
  EXPECT_EQ(r.Int32(), 61);  // 10:30 is the 61st minute
  const int count = r.Int16();
  ASSERT_EQ(count, 61);
  int time = 0, price = 0, cumulative = 0, previous_cumulative = 0;
  for (int i = 0; i < count; ++i) {
    const auto [t, p, c, average, minute_volume] = Ints<5>(r);
    std::tie(time, price, cumulative) = std::tie(t, p, c);
    EXPECT_GE(cumulative, previous_cumulative);
    EXPECT_GT(average, 0);
    previous_cumulative = cumulative;
  }
  EXPECT_EQ(std::tuple(time, price, cumulative), std::tuple(1030, q.last * 10, q.volume));
  EXPECT_EQ(r.Int16(), 242);
  EXPECT_TRUE(r.AtEnd());
}

TEST_F(QuoteAnswersTest, BooksBracketTheLastPriceAndTicksEndAtIt) {
  const auto blocks = fixture.Ask({fixture.codec.BuildOrderBook(kShare), fixture.codec.BuildTenLevelBook(kShare),
                                   fixture.codec.BuildTicks(kShare, 0)});
  ASSERT_EQ(blocks.size(), 3u);
  const QuoteState q = Quote(kShare);
  for (int b = 0; b < 2; ++b) {
    BlockReader r = Reader(blocks[static_cast<std::size_t>(b)]);
    r.Int32();
    const int entries = r.Int16();
    ASSERT_EQ(entries, b == 0 ? 10 : 20);
    std::vector<int> prices;
    for (int i = 0; i < entries; ++i) {
      prices.push_back(r.Int32());
      EXPECT_GE(r.Int32(), 0);
    }
    const int sell1 = prices[static_cast<std::size_t>(entries / 2 - 1)];
    const int buy1 = prices[static_cast<std::size_t>(entries / 2)];
    EXPECT_TRUE(buy1 <= q.last && q.last <= sell1 && buy1 < sell1) << buy1 << " " << sell1;
    EXPECT_GT(prices.front(), sell1);  // highest sell level first
    if (b == 1) r.Int32();             // order ratio
    EXPECT_TRUE(r.AtEnd());
  }
  BlockReader ticks = Reader(blocks[2]);
  EXPECT_EQ(ticks.Int32(), q.prev_close);
  ticks.Int32();
  ASSERT_EQ(ticks.Int16(), 10);
  int time = 0, price = 0;
  for (int i = 0; i < 10; ++i) {
    const auto [t, p, size] = Ints<3>(ticks);
    std::tie(time, price) = std::tie(t, p);
    EXPECT_GT(size, 0);
  }
  EXPECT_EQ(std::tuple(time, price), std::tuple(1030, q.last));
}

// The breadth of an index is the market tests' own; a share has none.
TEST_F(QuoteAnswersTest, ExtraFieldsHoursAndBreadthAndNoBlockForUnknownTypesOrCodes) {
  const auto blocks = fixture.Ask({fixture.codec.BuildQuoteExtra(kShare), fixture.codec.BuildTradingHours("IF000001"),
                                   fixture.codec.BuildIndexBreadth(kShare)});
  ASSERT_EQ(blocks.size(), 3u);
  const QuoteState q = Quote(kShare);
  BlockReader extra = Reader(blocks[0]);
  EXPECT_GE(extra.Int16(), 0);
  const auto [inner, outer, pe, earnings] = Ints<4>(extra);
  EXPECT_EQ(inner + outer, q.volume);
  EXPECT_TRUE(pe > 0 && earnings > 0);
  EXPECT_EQ(extra.Byte(), 3);  // December: the third-quarter report
  EXPECT_TRUE(extra.AtEnd());
  BlockReader hours = Reader(blocks[1]);
  EXPECT_EQ(hours.Int16(), 1515);
  EXPECT_EQ(hours.Int16(), 915);
  BlockReader none = Reader(blocks[2]);
  EXPECT_EQ(none.Int16() + none.Int16() + none.Int16(), 0);
  const Bytes unknown_type = WireWriter::Packet(4242, 0).Str(kShare).FinishPacket();
  CPacketCodec& c = fixture.codec;
  const auto known = fixture.Ask({unknown_type, c.BuildQuote("SH999999"),
                                  c.BuildF10Item("SH999999", 7, 0), c.BuildOrderDetails("SH699999"),
                                  c.BuildQuote(kShare)});
  ASSERT_EQ(known.size(), 1u);
  EXPECT_EQ(known[0].type, 2203);
}

// The settlement the quote and the ticks are judged against: the previous day's last hour,
// volume-weighted, on the 0.2 grid.
int LastHourSettlement(const Market& market, int index, int day_index) {
  const auto path = market.Path(index, day_index - 1);
  double weighted = 0, volume = 0;
  for (std::size_t k = path->price.size() - 60; k < path->price.size(); ++k) {
    weighted += static_cast<double>(path->price[k]) * path->volume[k];
    volume += path->volume[k];
  }
  return static_cast<int>(std::lround(weighted / volume / 20)) * 20;
}

// One answer of 100 ticks holds the whole day early in the session: three ticks a minute from
// the 09:15 opening, which trades at the opening price, the last one at the clock's minute at
// the latest price. Later in the day and after the close the ticks stay inside the sessions and
// never pass the clock. Every price is on the 0.2 grid.
TEST(FuturesAnswersTest, QuoteFieldsAgreeAndTheDaysTicksStayInsideTheSessionsOnTheGrid) {
  const struct {
    const char* at;
    int slots;
    int latest_time;
  } kMoments[] = {{"2026-12-04 09:40", 26, 94000}, {"2026-12-04 11:45", 136, 113000}, {"2026-12-04 15:40", 272, 151500}};
  for (const auto& moment : kMoments) {
    AnswerFixture fixture(moment.at);
    for (const char* code : {"IF000001", "IF000004"}) {
      SCOPED_TRACE(std::string(code) + " at " + moment.at);
      const auto blocks = fixture.Ask({WireWriter::Packet(3203, 0).Str(code).FinishPacket(10),
                                       WireWriter::Packet(3205, 0).Str(code).I32(-1).U16(100).FinishPacket()});
      ASSERT_EQ(blocks.size(), 2u);
      const int index = fixture.market.Find(code);
      const Position at = fixture.PositionOf(code);
      const QuoteState q = QuoteAt(fixture.market, index, at);
      ASSERT_EQ(q.slots, moment.slots);
      const int settlement = LastHourSettlement(fixture.market, index, at.day_index);
      BlockReader quote = Reader(blocks[0]);
      const int last = quote.Int32(), open = quote.Int32(), bid = quote.Int32(), ask = quote.Int32();
      EXPECT_EQ(last, q.last);
      EXPECT_EQ(open, q.open);
      EXPECT_TRUE(bid <= last && last <= ask);
      EXPECT_EQ(quote.Int32(), q.volume);
      EXPECT_GT(quote.Int32(), 0);  // open interest
      quote.Skip(4 * 3);
      EXPECT_EQ(quote.Int32(), settlement);
      quote.Skip(4 * 2);
      const int dayInterest = quote.Int32();
      EXPECT_EQ(quote.Int32() + quote.Int32(), q.volume);  // inner and outer
      EXPECT_TRUE(quote.AtEnd());

      BlockReader ticks = Reader(blocks[1]);
      EXPECT_EQ(ticks.Int32(), 3 * q.slots);
      EXPECT_EQ(ticks.Int32(), settlement);
      const int count = ticks.Int16();
      ASSERT_EQ(count, std::min(3 * q.slots, 100));
      long long volumes = 0, interests = 0;
      int time = 0, price = 0;
      for (int i = 0; i < count; ++i) {
        const int previousTime = time;
        const auto [t, p, size, interest] = Ints<4>(ticks);
        std::tie(time, price) = std::tie(t, p);
        ticks.Skip(2);  // type and direction
        EXPECT_GE(time, previousTime) << "tick " << i;
        EXPECT_TRUE((time >= 91500 && time <= 113000) || (time >= 130000 && time <= 151500)) << time;
        EXPECT_LT(time % 100, 60);
        EXPECT_EQ(price % 20, 0) << "tick " << i;
        EXPECT_TRUE(count != 3 * q.slots || i >= 3 || price == q.open) << "tick " << i;
        EXPECT_LE(std::abs(interest), size) << "tick " << i;
        volumes += size;
        interests += interest;
      }
      EXPECT_TRUE(ticks.AtEnd());
      EXPECT_EQ(std::tuple(time, price), std::tuple(moment.latest_time, q.last));
      if (count == 3 * q.slots) {
        EXPECT_EQ(volumes, q.volume);
        EXPECT_EQ(interests, dayInterest);
      }
    }
  }
}

// The fund flow view's seven slices (three inflows, the other slice, three outflows) make the
// day's whole amount, in ten-thousands of yuan at two decimals.
TEST_F(QuoteAnswersTest, FundFlowSlicesMakeTheWholeAmount) {
  for (const char* code : {"SH600001", "SH600002", "SZ000001", "SZ000002"}) {
    const auto blocks = fixture.Ask({WireWriter::Packet(2109, 0).Str(code).FinishPacket()});
    ASSERT_EQ(blocks.size(), 1u) << code;
    BlockReader flow = Reader(blocks[0]);
    EXPECT_EQ(flow.Byte(), 2);
    flow.Skip(4 * 4);  // net ratios
    long long slices = 0;
    for (int k = 0; k < 7; ++k) {
      const int slice = flow.Int32();
      EXPECT_GE(slice, 0) << code;
      slices += slice;
    }
    EXPECT_EQ(slices, FlowAmount(static_cast<double>(Quote(code).amount))) << code;
  }
}

}  // namespace
}  // namespace tarvello::server::testing
