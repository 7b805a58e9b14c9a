// Properties of the whole simulated market: the agreement of every security's figures with each
// other and with its members, its determinism by seed and clock, and the sessions, calendar and
// clock it runs on.
#include <gtest/gtest.h>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "server/calendar.h"
#include "server/order_book.h"
#include "server/quote_answers.h"
#include "server/quote_state.h"
#include "server/session.h"
#include "server/sim_clock.h"

namespace tarvello::server::testing {
namespace {

TEST(MarketTest, BreadthCountsAreTheMembersOwnMoves) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (const char* code : {"SH000001", "SZ399001", "BI000001", "BI000301"}) {
    const int index = m.Find(code);
    int up = 0, flat = 0, down = 0;
    for (int member : m.security(index).members) {
      const QuoteState q = QuoteAt(m, member, fixture.PositionOf(code));
      (q.last > q.prev_close ? up : q.last < q.prev_close ? down : flat) += 1;
    }
    const Bytes body = BreadthBody(m, index, fixture.PositionOf(code));
    BlockReader r(body.data(), 0, body.size());
    EXPECT_EQ(r.Int16(), up) << code;
    EXPECT_EQ(r.Int16(), flat) << code;
    EXPECT_EQ(r.Int16(), down) << code;
    EXPECT_GT(up, 0) << code;
    EXPECT_GT(down, 0) << code;
  }
}

// The level moves as the members' market value: its ratio to yesterday's close is theirs.
TEST(MarketTest, SectorAndIndexFiguresAreComputedFromTheirMembers) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int index = 0; index < m.size(); ++index) {
    const Security& s = m.security(index);
    if (!s.IsComposite()) continue;
    const Position at = fixture.PositionOf(s.code);
    double value = 0, previous = 0;
    std::int64_t amount = 0;
    for (int member : s.members) {
      const QuoteState q = QuoteAt(m, member, at);
      value += IndexWeight(m.security(member)) * (q.suspended ? q.prev_close : q.last);
      previous += IndexWeight(m.security(member)) * m.day(member, at.day_index - 1).close;
      amount += q.amount;
    }
    const QuoteState level = QuoteAt(m, index, at);
    EXPECT_NEAR(static_cast<double>(level.last) / level.prev_close, value / previous, 2.0 / level.prev_close) << s.code;
    EXPECT_EQ(level.amount, amount) << s.code;
    EXPECT_EQ(m.day(index, at.day_index).prev_close, m.day(index, at.day_index - 1).close) << s.code;
  }
}

TEST(MarketTest, TodaysPathsStayInsideTheirLimitsAndMeetTheDailyClose) {
  AnswerFixture fixture("2026-12-04 15:00");
  const Market& m = fixture.market;
  for (int i = 0; i < m.size(); ++i) {
    const Position at = fixture.PositionOf(m.security(i).code);
    const DayQuote day = m.day(i, at.day_index);
    const auto path = m.Path(i, at.day_index);
    ASSERT_EQ(static_cast<int>(path->price.size()), m.security(i).session->SlotCount());
    EXPECT_EQ(path->price.front(), day.open) << m.security(i).code;
    EXPECT_EQ(path->price.back(), day.close) << m.security(i).code;
    if (day.limit_percent == 0) continue;
    for (int price : path->price) {
      EXPECT_GE(price, day.LimitDown()) << m.security(i).code;
      EXPECT_LE(price, day.LimitUp()) << m.security(i).code;
    }
  }
}

TEST(MarketTest, SuspendedSharesShowNoTrade) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i = 0; i < m.size(); ++i) {
    const Position at = fixture.PositionOf(m.security(i).code);
    if (!m.day(i, at.day_index).suspended) continue;
    const Bytes body = SnapshotBody(m, i, at);
    BlockReader r(body.data(), 0, body.size());
    EXPECT_EQ(r.Int32(), 0) << m.security(i).code;  // last
    r.Int32();
    EXPECT_EQ(r.Int32(), 0);  // volume
  }
}

TEST(MarketTest, TicksMinutesAndTheDayAgreeOnVolume) {
  AnswerFixture fixture("2026-12-04 15:00");
  const Market& m = fixture.market;
  for (const char* code : {"SH600001", "SZ300002", "SH510010", "IF000001", "HK010001"}) {
    const int i = m.Find(code);
    const Position at = fixture.PositionOf(code);
    const QuoteState q = QuoteAt(m, i, at);
    std::int64_t ticks = 0, minutes = 0;
    for (const Tick& tick : LatestTicks(m, i, at, at.slots * kTicksPerSlot)) ticks += tick.volume;
    const auto path = m.Path(i, at.day_index);
    for (int k = 0; k < at.slots; ++k) minutes += path->volume[static_cast<std::size_t>(k)];
    EXPECT_EQ(ticks, q.volume) << code;
    EXPECT_EQ(minutes, q.volume) << code;
    EXPECT_EQ(q.inner + q.outer, q.volume) << code;
  }
}

TEST(MarketTest, OutsideTradingHoursTheLastStateStands) {
  AnswerFixture before("2026-12-04 09:00");
  AnswerFixture previous_close("2026-12-03 16:00");
  AnswerFixture weekend("2026-12-05 11:00");
  AnswerFixture friday_close("2026-12-04 15:30");
  const int share = before.market.Find("SH600001");
  const Position p1 = before.PositionOf("SH600001");
  const Position p2 = previous_close.PositionOf("SH600001");
  EXPECT_EQ(before.market.TradingDay(p1.day_index), previous_close.market.TradingDay(p2.day_index));
  EXPECT_EQ(p1.slots, 242);
  EXPECT_EQ(QuoteAt(before.market, share, p1).last, QuoteAt(previous_close.market, share, p2).last);
  const Position p3 = weekend.PositionOf("SH600001"), p4 = friday_close.PositionOf("SH600001");
  EXPECT_EQ(QuoteAt(weekend.market, share, p3).last, QuoteAt(friday_close.market, share, p4).last);
}

TEST(MarketTest, SameSeedAndClockGiveTheSameBytes) {
  AnswerFixture a, b;
  AnswerFixture other_seed("2026-12-04 10:30", 8);
  AnswerFixture other_time("2026-12-04 10:31");
  CPacketCodec c;
  const std::vector<Bytes> request = {c.BuildMinuteData("SH600001", 0), c.BuildQuote("SH000001"),
                                      c.BuildKLine("SZ000002", 7, 0, 122, 1), c.BuildTenLevelBook("SH600001")};
  const Bytes answer = a.RawAnswer(request);
  EXPECT_EQ(answer, b.RawAnswer(request));
  EXPECT_NE(answer, other_seed.RawAnswer(request));
  EXPECT_NE(answer, other_time.RawAnswer(request));
}

TEST(MarketTest, CachedAnswersAreSharedWithinAMinute) {
  AnswerFixture fixture;
  CPacketCodec c;
  const std::vector<Bytes> request = {c.BuildMinuteData("SH600001", 0), c.BuildKLine("SH600001", 7, 0, 122, 0)};
  const Bytes first = fixture.RawAnswer(request);
  const std::size_t misses = fixture.handler.cache().misses();
  EXPECT_EQ(fixture.RawAnswer(request), first);
  EXPECT_EQ(fixture.handler.cache().misses(), misses);
  EXPECT_GE(fixture.handler.cache().hits(), 2u);
}

TEST(SessionTest, SlotsReachedAcrossTheDay) {
  const auto at = [](int hour, int minute) { return hour * 3600 + minute * 60; };
  EXPECT_EQ(kStockSession.SlotsReached(at(9, 29)), 0);
  EXPECT_EQ(kStockSession.SlotsReached(at(9, 30)), 1);
  EXPECT_EQ(kStockSession.SlotsReached(at(11, 30)), 121);
  EXPECT_EQ(kStockSession.SlotsReached(at(12, 15)), 121);  // lunch: the morning stands
  EXPECT_EQ(kStockSession.SlotsReached(at(13, 0)), 122);
  EXPECT_EQ(kStockSession.SlotsReached(at(15, 0)), 242);
  EXPECT_EQ(kStockSession.SlotsReached(at(20, 0)), 242);
  EXPECT_EQ(kFuturesSession.SlotsReached(at(9, 20)), 6);
}

TEST(CalendarTest, DatesAndTradingDays) {
  const std::int64_t friday = DayNumberFromCivil(2026, 12, 4);
  EXPECT_EQ(CivilDate(friday), 20261204);
  EXPECT_TRUE(IsTradingDay(friday));
  EXPECT_FALSE(IsTradingDay(friday + 1));
  EXPECT_EQ(AddTradingDays(friday, 1), friday + 3);
  EXPECT_EQ(AddTradingDays(friday + 3, -1), friday);
  EXPECT_EQ(AddTradingDays(friday, -10), friday - 14);
  EXPECT_EQ(TradingDayOnOrBefore(friday + 2), friday);
  EXPECT_EQ(CivilDate(DayNumberFromCivil(2024, 2, 29)), 20240229);
}

TEST(SimClockTest, ParsesTheStartAndStandsStillAtSpeedZero) {
  const auto start = ParseSimTime("2026-12-04 10:30");
  ASSERT_TRUE(start);
  const SimClock clock(*start, 0);
  EXPECT_EQ(clock.Now().Date(), 20261204);
  EXPECT_EQ(clock.Now().Hhmmss(), 103000);
  EXPECT_FALSE(ParseSimTime("2026-02-30 10:30"));
  EXPECT_FALSE(ParseSimTime("2026-12-04 25:00"));
  EXPECT_FALSE(ParseSimTime("2026-12-04 10:30 extra"));
  EXPECT_FALSE(ParseSimTime("tomorrow"));
}

}  // namespace
}  // namespace tarvello::server::testing
