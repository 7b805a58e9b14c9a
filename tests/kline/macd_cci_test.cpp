// MACD and CCI against values worked out step by step in single precision.
#include <gtest/gtest.h>

#include <cmath>

#include "support/kline_bars.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(MacdTest, ChainMatchesHandComputedBitsAndStopsWhereAsked) {
  auto bars = Closes({1000, 1100, 900, 1000});
  ComputeMacd(bars, 2);
  // Bar 0 starts from zero: DIF = close x 0.001538 - close x 0.000741, DEA = DIF, MACD = 0.
  EXPECT_EQ(bars[0].dif, 0x1.981062p-1f);
  EXPECT_EQ(bars[0].dea, bars[0].dif);
  EXPECT_EQ(bars[0].macd, 0.0f);
  EXPECT_EQ(bars[2].macd, 0x1.7a775p+0f);
  EXPECT_EQ(bars[3].ema12, 0.0f);  // after stopAt
}

// Sixteen bars with high = close + 5 and low = close - 5, so the typical price is close / 100.
std::vector<KLineBar> CciSeries() {
  std::vector<KLineBar> bars;
  for (int i = 0; i < 16; ++i) {
    const int close = 1000 + (i * 37) % 50;
    bars.push_back(Bar(close, close + 5, close - 5, close));
  }
  return bars;
}

TEST(CciTest, TwoPassesMatchHandComputedBits) {
  auto bars = CciSeries();
  ComputeCci(bars, {0, 40, 2}, -1);
  EXPECT_EQ(bars[12].tpMa14, 0.0f);  // no average before bar 13
  EXPECT_EQ(bars[12].cci, 0.0f);
  EXPECT_EQ(bars[13].cci, 0x1.56d972p-2f);
  EXPECT_EQ(bars[15].cci, -0x1.aa2904p+0f);
}

TEST(CciTest, DeviationPassStartsThirteenBarsBeforeTheFirstVisibleBar) {
  auto bars = CciSeries();
  for (KLineBar& bar : bars) bar.cci = 7.0f;
  ComputeCci(bars, {15, 40, 3}, -1);
  EXPECT_EQ(bars[0].typicalPrice, 3000.0f * 0.33333334f / 1000.0f);  // three decimals
  EXPECT_EQ(bars[1].cci, 7.0f);  // the pass covers bars 2..15 and 2..14 are its warm-up
  EXPECT_EQ(bars[2].cci, 0.0f);
  EXPECT_EQ(bars[14].cci, 0.0f);
  EXPECT_NE(bars[15].cci, 0.0f);
  std::vector<KLineBar> flat(20, Bar(0, 0, 0, 0));  // zero mean deviation
  ComputeCci(flat, {0, 40, 2}, -1);
  EXPECT_EQ(flat[19].cci, 0.0f);
}

}  // namespace
}  // namespace tarvello
