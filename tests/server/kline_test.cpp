// K-line answers: every period and adjustment well formed, paging into older bars, a forming bar
// that keeps its date, and the bounds of a request and of the chart screen's buffer.
#include <gtest/gtest.h>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "server/market/calendar.h"
#include "server/market/kline_series.h"

namespace tarvello::server::testing {
namespace {

std::vector<Bar> AskBars(AnswerFixture& fixture, const std::string& code, int period, std::uint32_t start, int count,
                         int adjustment) {
  const auto blocks = fixture.Ask({fixture.codec.BuildKLine(code, static_cast<std::uint8_t>(period), start,
                                                            static_cast<std::uint16_t>(count),
                                                            static_cast<std::uint8_t>(adjustment))});
  std::vector<Bar> bars;
  if (blocks.size() != 1 || blocks[0].type != 2202) return bars;
  BlockReader r(blocks[0].body.data(), 0, blocks[0].body.size());
  const int n = r.Int16();
  for (int i = 0; i < n; ++i) {
    bars.push_back(Bar{r.Int32(), r.Int32(), r.Int32(), r.Int32(), r.Int32(), r.Int32(), r.Int32()});
  }
  EXPECT_TRUE(r.AtEnd());
  return bars;
}

// Every period and adjustment gives well-formed bars in time order; counts are bounded.
TEST(KLineTest, EveryPeriodGivesWellFormedBarsInOrderPagedBeforeFormingInPlaceAndFitting) {
  AnswerFixture fixture;
  for (int period = 1; period <= 12; ++period) {
    for (int adjustment = 0; adjustment <= 2; ++adjustment) {
      const auto bars = AskBars(fixture, "SZ000002", period, 0, 122, adjustment);
      ASSERT_FALSE(bars.empty()) << period;
      EXPECT_LE(bars.size(), 122u);
      for (std::size_t i = 0; i < bars.size(); ++i) {
        const Bar& b = bars[i];
        EXPECT_GE(b.high, std::max(b.open, b.close)) << period;
        EXPECT_LE(b.low, std::min(b.open, b.close)) << period;
        EXPECT_GT(b.low, 0);
        if (i > 0 && period >= 7) {
          EXPECT_GT(b.date, bars[i - 1].date) << period;
        }
      }
    }
  }
  EXPECT_EQ(AskBars(fixture, "SZ000002", 7, 0, 122, 0).size(), 122u);
  EXPECT_EQ(AskBars(fixture, "SZ000002", 7, 0, 1, 0).size(), 1u);
  EXPECT_TRUE(AskBars(fixture, "SZ000002", 13, 0, 10, 0).empty());
  EXPECT_EQ(AskBars(fixture, "SH600001", 1, 0, 65535, 0).size(), static_cast<std::size_t>(kMaxBarsAsked));
  EXPECT_TRUE(AskBars(fixture, "SH600001", 7, 0, 0, 0).empty());
  EXPECT_TRUE(AskBars(fixture, "SH600001", 7, 20000101, 50, 0).empty());
  // Older pages continue strictly before their start.
  for (int period : {7, 8, 2, 5}) {
    const auto newest = AskBars(fixture, "SH600002", period, 0, 40, 0);
    ASSERT_FALSE(newest.empty());
    const auto older = AskBars(fixture, "SH600002", period, static_cast<std::uint32_t>(newest.front().date), 40, 0);
    ASSERT_FALSE(older.empty()) << period;
    const auto whole = AskBars(fixture, "SH600002", period, 0, static_cast<int>(newest.size() + older.size()), 0);
    ASSERT_EQ(whole.size(), newest.size() + older.size()) << period;
    for (std::size_t i = 0; i < older.size(); ++i) EXPECT_EQ(whole[i].date, older[i].date) << period;
    EXPECT_EQ(whole[older.size()].date, newest.front().date);
  }
  // The terminal appends the newest bar of a refresh when its date differs from its last bar's; a
  // bar keeps its period's date while it forms, so a chart gains a bar only when a period begins.
  const Market& market = fixture.market;
  const KLineSeries series(market);
  const int share = market.Find("SH600001");
  struct Case {
    int period;
    const char* from;
    int step_seconds;
    int steps;
    int gained;
  };
  const Case cases[] = {
      {2, "2026-12-03 10:30", 60, 10, 2},       // the bars of 10:35 and 10:40
      {5, "2026-12-03 10:30", 60, 180, 2},      // 11:30, then 14:00 once the afternoon opens
      {1, "2026-12-03 10:30", 60, 10, 10},      // one a minute
      {8, "2026-11-26 15:00", 86400, 5, 1},     // Thursday to Tuesday: the new week
      {9, "2026-11-20 15:00", 86400, 14, 1},    // into December
  };
  for (const Case& c : cases) {
    SimTime at = *ParseSimTime(c.from);
    KLineQuery refresh;
    refresh.period = c.period;
    refresh.count = 1;
    int last = series.Bars(share, market.PositionAt(share, at), refresh).back().date;
    int gained = 0;
    for (int step = 0; step < c.steps; ++step) {
      const std::int64_t tick = at.Tick() + c.step_seconds;
      at = SimTime{tick / 86400, static_cast<int>(tick % 86400)};
      const int date = series.Bars(share, market.PositionAt(share, at), refresh).back().date;
      gained += date != last ? 1 : 0;
      last = date;
    }
    EXPECT_EQ(gained, c.gained) << "period " << c.period << " from " << c.from;
  }
  // A full load fits the K-line screen's buffer late in the day.
  AnswerFixture late("2026-12-04 14:59");
  for (int period : {1, 2, 5, 7, 9}) {
    for (const char* code : {"SH000001", "SH600001", "SH500001"}) {
      const Bytes answer =
          late.RawAnswer({late.codec.BuildKLine(code, static_cast<std::uint8_t>(period), 0, 122, 1),
                          late.codec.BuildQuote(code), late.codec.BuildSecurityInfo(code)});
      EXPECT_LE(answer.size(), 5120u) << code << " period " << period;
    }
  }
}

}  // namespace
}  // namespace tarvello::server::testing
