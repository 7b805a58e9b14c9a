// Consistency of the simulated market with itself, and its determinism by seed and clock.
#include <gtest/gtest.h>

#include "answer_fixture.h"
#include "server/day_path.h"
#include "server/quote_state.h"

namespace tarvello::server::testing {
namespace {

TEST(MarketTest, CatalogueHoldsEveryKindTheTerminalShows) {
  AnswerFixture fixture;
  for (const char* code : {"SH000001", "SZ399001", "SH000300", "BI000001", "SH600001", "SZ000001", "SH900901",
                           "SZ200011", "SH500001", "SH010001", "SH580001", "IF000001", "HK000001", "GL000001"}) {
    EXPECT_GE(fixture.market.Find(code), 0) << code;
  }
  for (const Security& s : fixture.market.securities()) {
    EXPECT_EQ(s.code.size(), 8u) << s.code;
    if (s.kind == Kind::kFund || s.kind == Kind::kBond || s.kind == Kind::kWarrant) {
      EXPECT_EQ(s.decimals, 3) << s.code;
    }
  }
}

TEST(MarketTest, EveryPathStaysInsideItsLimitsAndEndsAtTheDailyClose) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i = 0; i < static_cast<int>(m.securities().size()); ++i) {
    for (int d : {0, m.first_history_day(), m.first_history_day() + 300}) {
      const DayQuote& day = m.day(i, d);
      const auto path = m.Path(i, d);
      ASSERT_EQ(static_cast<int>(path->price.size()), m.security(i).session->SlotCount());
      EXPECT_EQ(path->price.front(), day.open) << m.security(i).code;
      EXPECT_EQ(path->price.back(), day.close) << m.security(i).code;
      if (!m.security(i).has_limits) continue;
      for (int price : path->price) {
        EXPECT_GE(price, day.LimitDown());
        EXPECT_LE(price, day.LimitUp());
      }
    }
  }
}

TEST(MarketTest, IndexFollowsItsMembersAndCountsTheirBreadth) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  const int sector = m.Find("BI000001");
  const Position at = fixture.PositionOf("BI000001");
  const Security& s = m.security(sector);
  ASSERT_FALSE(s.members.empty());
  // All members up means the sector is up, all down means down: the level is their weighted mean.
  double lowest = 1e9, highest = 0;
  for (int member : s.members) {
    const QuoteState q = QuoteAt(m, member, at);
    const double ratio = static_cast<double>(q.last) / q.prev_close;
    lowest = std::min(lowest, ratio);
    highest = std::max(highest, ratio);
  }
  const QuoteState level = QuoteAt(m, sector, at);
  const double ratio = static_cast<double>(level.last) / level.prev_close;
  EXPECT_GE(ratio, lowest - 1e-4);
  EXPECT_LE(ratio, highest + 1e-4);
  EXPECT_EQ(m.day(sector, at.day_index).prev_close, m.day(sector, at.day_index - 1).close);
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

}  // namespace
}  // namespace tarvello::server::testing

namespace tarvello::server::testing {
namespace {

TEST(MarketTest, IndexFuturesRepeatTheirIndexsDailyMoves) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  const int index = m.Find("SH000300");
  const int future = m.Find("IF000001");
  const int today = fixture.PositionOf("SH000300").day_index;
  for (int d = today - 20; d <= today; ++d) {
    const double index_move = static_cast<double>(m.day(index, d).close) / m.day(index, d).prev_close;
    const double future_move = static_cast<double>(m.day(future, d).close) / m.day(future, d).prev_close;
    EXPECT_NEAR(future_move, index_move, 1e-4) << d;
  }
}

}  // namespace
}  // namespace tarvello::server::testing
