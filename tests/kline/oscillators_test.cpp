// KDJ, RSI and WR: seeds, windows and the cases that would divide by zero.
#include <gtest/gtest.h>

#include "support/kline_bars.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(KdjTest, SeededAtTheFirstVisibleBarOverNineBarExtremes) {
  std::vector<KLineBar> bars{Bar(95, 110, 90, 100), Bar(100, 120, 95, 115), Bar(110, 118, 100, 105)};
  ComputeKdj(bars, {0, 40, 2}, -1);
  // Bar 0: rsv = (100 - 90) / 20 * 100 = 50, K = 50/3 + 33.333332, D = K/3 + 33.333332.
  EXPECT_EQ(bars[0].k, 50.0f * 0.33333334f + 33.333332f);
  EXPECT_EQ(bars[0].d, bars[0].k * 0.33333334f + 33.333332f);
  EXPECT_EQ(bars[2].j, 0x1.f2c3f8p+5f);
  ComputeKdj(bars, {1, 40, 2}, -1);  // the seed moves with the window
  EXPECT_EQ(bars[1].k, (115.0f - 90.0f) / (120.0f - 90.0f) * 100.0f * 0.33333334f + 33.333332f);

  std::vector<KLineBar> spike{Bar(100, 500, 1, 100)};
  for (int i = 0; i < 9; ++i) spike.push_back(Bar(100, 110, 90, 100));
  ComputeKdj(spike, {0, 40, 2}, -1);
  EXPECT_EQ(spike[8].hhv9, 500);
  EXPECT_EQ(spike[9].hhv9, 110);
}

TEST(KdjTest, FlatRangeGivesTheMiddleAndKeepsLaterBarsFinite) {
  std::vector<KLineBar> bars(12, Bar(100, 100, 100, 100));
  bars.push_back(Bar(100, 120, 100, 120));
  ComputeKdj(bars, {0, 40, 2}, -1);
  EXPECT_EQ(bars[0].k, 50.0f);
  EXPECT_EQ(bars[11].k, 0x1.900002p+5f);  // 50 smoothed with 50 drifts by rounding
  EXPECT_EQ(bars[12].k, 100.0f * 0.33333334f + bars[11].k * 0.6666667f);
  std::vector<KLineBar> floatFlat{Bar(16777216, 16777217, 16777216, 16777217)};
  ComputeKdj(floatFlat, {0, 40, 2}, -1);  // 16777217 becomes 16777216 in float
  EXPECT_EQ(floatFlat[0].k, 50.0f);
}

TEST(RsiTest, EachBarAgainstItsOwnOpenWithNeutralAndFullValues) {
  // Rises 4 and 9, a fall of 3, and a flat bar that adds nothing: 100 - 100 / (13/3 + 1).
  std::vector<KLineBar> bars{Bar(100, 104, 100, 104), Bar(104, 104, 101, 101),
                             Bar(101, 101, 101, 101), Bar(101, 110, 101, 110)};
  ComputeRsi(bars, {0, 40, 2}, -1);
  EXPECT_EQ(bars[3].rsi6, 81.25f);
  std::vector<KLineBar> quiet{Bar(110, 110, 100, 100)};  // a fall, six flat bars, a rise
  for (int i = 0; i < 6; ++i) quiet.push_back(Bar(100, 100, 100, 100));
  quiet.push_back(Bar(100, 105, 100, 105));
  ComputeRsi(quiet, {0, 40, 2}, -1);
  EXPECT_EQ(quiet[5].rsi6, 0.0f);   // the fall is still in the six-bar window
  EXPECT_EQ(quiet[6].rsi6, 50.0f);  // neither rises nor falls
  EXPECT_EQ(quiet[6].rsi12, 0.0f);
  EXPECT_EQ(quiet[7].rsi6, 100.0f);  // rises only
}

TEST(WrTest, UsesClosesOfNPlusOneBars) {
  auto bars = Closes({110, 103, 101, 104, 98, 102, 99, 99});
  bars[6].high = 1000;  // highs and lows do not count
  bars[6].low = 1;
  ComputeWr(bars, {0, 40, 2});
  EXPECT_EQ(bars[6].wr6, 0x1.6eaaacp+6f);  // (110 - 99) / (110 - 98) * 100 over bars 0..6
  EXPECT_EQ(bars[7].wr6, 0x1.4d5554p+6f);  // (104 - 99) / (104 - 98) * 100 over bars 1..7
  auto flat = Closes({100, 100, 100});
  ComputeWr(flat, {0, 40, 2});
  EXPECT_EQ(flat[2].wr10, 100.0f);
  auto extreme = Closes({2147483647, -2147483647 - 1});
  ComputeWr(extreme, {0, 40, 2});
  EXPECT_EQ(extreme[1].wr6, 100.0f);
}

}  // namespace
}  // namespace tarvello
