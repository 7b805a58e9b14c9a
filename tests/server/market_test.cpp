// Properties of the whole simulated market the end-to-end walks rely on: its determinism by seed
// and clock, its answer cache, and the sessions, calendar and clock it runs on.
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
