// Properties of the whole simulated market the end-to-end walks rely on: its determinism by seed
// and clock, and the calendar and clock it runs on.
#include <gtest/gtest.h>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "server/market/calendar.h"
#include "server/market/sim_clock.h"

namespace tarvello::server::testing {
namespace {

TEST(MarketTest, SameSeedAndClockGiveTheSameBytesOnTheCalendarAndClockItRunsOn) {
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
  const std::int64_t friday = DayNumberFromCivil(2026, 12, 4);
  EXPECT_EQ(CivilDate(friday), 20261204);
  EXPECT_TRUE(IsTradingDay(friday));
  EXPECT_FALSE(IsTradingDay(friday + 1));
  EXPECT_EQ(AddTradingDays(friday, 1), friday + 3);
  EXPECT_EQ(AddTradingDays(friday + 3, -1), friday);
  EXPECT_EQ(AddTradingDays(friday, -10), friday - 14);
  EXPECT_EQ(TradingDayOnOrBefore(friday + 2), friday);
  EXPECT_EQ(CivilDate(DayNumberFromCivil(2024, 2, 29)), 20240229);
  // The fixture's clock starts at the parsed "2026-12-04 10:30" and stands still at speed 0.
  AnswerFixture fixture;
  const Block block = fixture.Ask({fixture.codec.BuildServerTime(0)}).at(0);
  BlockReader time = Reader(block);
  EXPECT_EQ(time.Int32(), 20261204);
  EXPECT_EQ(time.Int32(), 103000);
  for (const char* bad : {"2026-02-30 10:30", "2026-12-04 25:00", "2026-12-04 10:30 extra", "tomorrow"}) {
    EXPECT_FALSE(ParseSimTime(bad)) << bad;
  }
}

}  // namespace
}  // namespace tarvello::server::testing
