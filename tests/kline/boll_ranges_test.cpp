// BOLL, the pane ranges, and the guarantee that no computed value or pixel is non-finite.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "bar_builders.h"
#include "kline/kline_indicators.h"
#include "kline/pane_scale.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(BollTest, BandIsCumulativeFromTheFirstVisibleBar) {
  auto bars = Closes({1, 100, 104, 109});
  ComputeBoll(bars, {1, 40, 2});
  EXPECT_EQ(bars[0].bollMid, 0.0f);
  EXPECT_EQ(bars[1].bollMid, 100.0f);
  EXPECT_EQ(bars[1].bollUp, 100.0f);
  EXPECT_EQ(bars[1].bollDown, 100.0f);
  EXPECT_EQ(bars[2].bollMid, 102.0f);
  EXPECT_EQ(bars[2].bollUp, 106.0f);
  EXPECT_EQ(bars[2].bollDown, 98.0f);
  EXPECT_EQ(bars[3].bollMid, 0x1.a15556p+6f);
  EXPECT_EQ(bars[3].bollUp, 0x1.bec9a2p+6f);
  EXPECT_EQ(bars[3].bollDown, 0x1.83e10ap+6f);
}

TEST(ValueRangesTest, FlatWindowGetsAThirtyUnitPricePane) {
  auto bars = Closes({500, 500, 500});
  const IndicatorRanges ranges = ComputeValueRanges(bars, {0, 40, 2});
  EXPECT_EQ(ranges.priceHigh, 500);
  EXPECT_EQ(ranges.priceFloor, 470);
}

TEST(ValueRangesTest, RangesCoverOnlyTheVisibleWindow) {
  std::vector<KLineBar> bars{Bar(0, 900, 10, 0, 7000), Bar(0, 120, 80, 0, 30), Bar(0, 130, 70, 0, 50)};
  const IndicatorRanges ranges = ComputeValueRanges(bars, {1, 2, 2});
  EXPECT_EQ(ranges.priceHigh, 130);
  EXPECT_EQ(ranges.priceFloor, 70);
  EXPECT_EQ(ranges.volMax, 50);
}

TEST(ValueRangesTest, EqualCciExtremesWidenByHundred) {
  auto bars = Closes({1, 2});
  bars[0].cci = bars[1].cci = 12.5f;
  const IndicatorRanges ranges = ComputeValueRanges(bars, {0, 40, 2});
  EXPECT_EQ(ranges.cciMax, 112.5f);
  EXPECT_EQ(ranges.cciMin, -87.5f);
}

TEST(ValueRangesTest, MacdMaximumTakesDifAndDeaButMinimumOnlyTheHistogram) {
  auto bars = Closes({1, 2});
  bars[0].dif = -8;
  bars[0].dea = 3;
  bars[0].macd = -2;
  bars[1].dif = 5;
  bars[1].dea = -9;
  bars[1].macd = 1;
  const IndicatorRanges ranges = ComputeValueRanges(bars, {0, 40, 2});
  EXPECT_EQ(ranges.macdMax, 5.0f);
  EXPECT_EQ(ranges.macdMin, -2.0f);
}

TEST(ValueRangesTest, BollRangeReachesThePriceExtremes) {
  std::vector<KLineBar> bars{Bar(0, 150, 60, 100), Bar(0, 110, 90, 100)};
  bars[0].bollUp = 120;
  bars[0].bollDown = 80;
  bars[1].bollUp = 130;
  bars[1].bollDown = 95;
  const IndicatorRanges ranges = ComputeValueRanges(bars, {0, 40, 2});
  EXPECT_EQ(ranges.bollMax, 150.0f);
  EXPECT_EQ(ranges.bollMin, 60.0f);
}

bool AllFinite(const KLineBar& bar) {
  const float* fields[] = {&bar.ma5,   &bar.ma30,   &bar.volMa5, &bar.volMa30, &bar.k,
                           &bar.d,     &bar.j,      &bar.rsi6,   &bar.rsi24,   &bar.bias5,
                           &bar.bias10, &bar.ema12, &bar.dif,    &bar.dea,     &bar.macd,
                           &bar.typicalPrice, &bar.tpMa14, &bar.meanDev, &bar.cci, &bar.bollUp,
                           &bar.bollMid, &bar.bollDown, &bar.wr6, &bar.wr10};
  for (const float* field : fields) {
    if (!std::isfinite(*field)) return false;
  }
  return true;
}

// Degenerate series of every kind: all zero, flat, extreme prices, one bar, a zero-close gap.
TEST(NonFiniteTest, NoIndicatorStoresAnInfinityOrNotANumber) {
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  const std::vector<std::vector<KLineBar>> cases{
      std::vector<KLineBar>(40, Bar(0, 0, 0, 0)),
      std::vector<KLineBar>(40, Bar(700, 700, 700, 700, 5)),
      std::vector<KLineBar>(40, Bar(big, big, -big, big, big)),
      {Bar(1, 1, 1, 1)},
      {Bar(10, 12, 9, 11), Bar(0, 0, 0, 0), Bar(0, 0, 0, 0), Bar(10, 12, 9, 11)},
  };
  const KLineIndicator indicators[] = {KLineIndicator::kMacd, KLineIndicator::kKdj, KLineIndicator::kRsi,
                                       KLineIndicator::kBias, KLineIndicator::kCci, KLineIndicator::kVol,
                                       KLineIndicator::kBoll, KLineIndicator::kWr};
  for (std::vector<KLineBar> bars : cases) {
    for (KLineIndicator indicator : indicators) {
      const IndicatorRanges ranges = RecomputeIndicators(bars, {0, 40, 2}, indicator, -1);
      for (const KLineBar& bar : bars) ASSERT_TRUE(AllFinite(bar)) << static_cast<int>(indicator);
      EXPECT_TRUE(std::isfinite(ranges.cciMax) && std::isfinite(ranges.cciMin));
      EXPECT_TRUE(std::isfinite(ranges.macdMax) && std::isfinite(ranges.bollMax));
    }
  }
}

TEST(PaneScaleTest, MapsTheRangeOntoThePaneAndClampsOnePixelBeyond) {
  const PaneScale scale(100, 200, 0.0, 50.0);
  EXPECT_EQ(scale.Y(0.0), 200);
  EXPECT_EQ(scale.Y(50.0), 100);
  EXPECT_EQ(scale.Y(25.0), 150);
  EXPECT_EQ(scale.Y(1e30), 99);
  EXPECT_EQ(scale.Y(-1e30), 201);
  EXPECT_EQ(scale.Y(std::numeric_limits<double>::infinity()), 99);
}

TEST(PaneScaleTest, UndrawableValuesAndRangesLandOnTheBottom) {
  EXPECT_EQ(PaneScale(100, 200, 0.0, 50.0).Y(std::nan("")), 200);
  EXPECT_EQ(PaneScale(100, 200, 7.0, 7.0).Y(7.0), 200);  // zero span: no division by zero
  EXPECT_EQ(PaneScale(100, 200, 9.0, 1.0).Y(5.0), 200);
  EXPECT_EQ(PaneScale(100, 200, 0.0, std::numeric_limits<double>::infinity()).Y(5.0), 200);
}

}  // namespace
}  // namespace tarvello
