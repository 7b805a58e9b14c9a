// MACD and CCI against values worked out step by step in single precision.
#include <gtest/gtest.h>

#include <cmath>

#include "bar_builders.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(MacdTest, FirstBarStartsFromZeroWithDeaEqualToDif) {
  auto bars = Closes({1000});
  ComputeMacd(bars, -1);
  EXPECT_EQ(bars[0].ema12, 1000.0f * 0.001538f);
  EXPECT_EQ(bars[0].ema26, 1000.0f * 0.000741f);
  EXPECT_EQ(bars[0].dif, 1000.0f * 0.001538f - 1000.0f * 0.000741f);
  EXPECT_EQ(bars[0].dea, bars[0].dif);
  EXPECT_EQ(bars[0].macd, 0.0f);
}

TEST(MacdTest, ChainMatchesHandComputedBits) {
  auto bars = Closes({1000, 1100, 900});
  ComputeMacd(bars, -1);
  EXPECT_EQ(bars[0].ema12, 0x1.89ba5ep+0f);
  EXPECT_EQ(bars[0].dif, 0x1.981062p-1f);
  EXPECT_EQ(bars[1].ema12, 0x1.7f20acp+1f);
  EXPECT_EQ(bars[1].ema26, 0x1.804f6p+0f);
  EXPECT_EQ(bars[1].dif, 0x1.7df1f8p+0f);
  EXPECT_EQ(bars[1].dea, 0x1.df3ab2p-1f);
  EXPECT_EQ(bars[1].macd, 0x1.1ca93ep+0f);
  EXPECT_EQ(bars[2].ema12, 0x1.f55cccp+1f);
  EXPECT_EQ(bars[2].ema26, 0x1.0748d6p+1f);
  EXPECT_EQ(bars[2].dea, 0x1.1eec44p+0f);
  EXPECT_EQ(bars[2].macd, 0x1.7a775p+0f);
}

TEST(MacdTest, StopAtLeavesLaterBarsAlone) {
  auto bars = Closes({1000, 1100, 900});
  ComputeMacd(bars, 1);
  EXPECT_EQ(bars[1].macd, 0x1.1ca93ep+0f);
  EXPECT_EQ(bars[2].ema12, 0.0f);
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
  EXPECT_EQ(bars[13].typicalPrice, 0x1.49eb86p+3f);
  EXPECT_EQ(bars[13].tpMa14, 0x1.48637ap+3f);
  EXPECT_EQ(bars[13].meanDev, 0x1.30eea8p+3f);
  EXPECT_EQ(bars[13].cci, 0x1.56d972p-2f);
  EXPECT_EQ(bars[14].tpMa14, 0x1.48cccep+3f);
  EXPECT_EQ(bars[14].cci, -0x1.6f9512p-1f);
  EXPECT_EQ(bars[15].meanDev, 0x1.030d2ap+3f);
  EXPECT_EQ(bars[15].cci, -0x1.aa2904p+0f);
}

TEST(CciTest, TypicalPriceIsInTruePriceUnits) {
  auto bars = Closes({3000});
  ComputeCci(bars, {0, 40, 3}, -1);
  EXPECT_EQ(bars[0].typicalPrice, 9000.0f * 0.33333334f / 1000.0f);
}

TEST(CciTest, ZeroMeanDeviationGivesZero) {
  std::vector<KLineBar> bars(20, Bar(0, 0, 0, 0));
  ComputeCci(bars, {0, 40, 2}, -1);
  for (const KLineBar& bar : bars) EXPECT_EQ(bar.cci, 0.0f);
}

TEST(CciTest, DeviationPassStartsThirteenBarsBeforeTheFirstVisibleBar) {
  auto bars = CciSeries();
  for (KLineBar& bar : bars) bar.cci = 7.0f;
  ComputeCci(bars, {15, 40, 2}, -1);
  // The pass covers bars 2..15; 2..14 are its warm-up.
  EXPECT_EQ(bars[1].cci, 7.0f);
  EXPECT_EQ(bars[2].cci, 0.0f);
  EXPECT_EQ(bars[14].cci, 0.0f);
  EXPECT_TRUE(std::isfinite(bars[15].cci));
  EXPECT_NE(bars[15].cci, 0.0f);
}

}  // namespace
}  // namespace tarvello
