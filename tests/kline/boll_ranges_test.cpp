// BOLL, the pane ranges, and the guarantee that no computed value or pixel is non-finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "support/kline_bars.h"
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
  EXPECT_EQ(bars[1].bollUp, 100.0f);
  EXPECT_EQ(bars[2].bollUp, 106.0f);
  EXPECT_EQ(bars[2].bollDown, 98.0f);
  EXPECT_EQ(bars[3].bollUp, 0x1.bec9a2p+6f);
}

TEST(ValueRangesTest, RangesCoverTheVisibleWindowWithTheirOwnRules) {
  std::vector<KLineBar> bars{Bar(0, 900, 10, 0, 7000), Bar(0, 150, 60, 100, 30), Bar(0, 110, 90, 100, 50)};
  bars[1].cci = bars[2].cci = 12.5f;
  bars[1].dif = -8, bars[1].dea = 3, bars[1].macd = -2;
  bars[2].dif = 5, bars[2].dea = -9, bars[2].macd = 1;
  bars[1].bollUp = 120, bars[1].bollDown = 80;
  bars[2].bollUp = 130, bars[2].bollDown = 95;
  const IndicatorRanges ranges = ComputeValueRanges(bars, {1, 2, 2});
  EXPECT_EQ(ranges.priceHigh, 150);
  EXPECT_EQ(ranges.priceFloor, 60);
  EXPECT_EQ(ranges.volMax, 50);
  EXPECT_EQ(ranges.cciMax, 112.5f);  // equal extremes widen by 100 each way
  EXPECT_EQ(ranges.cciMin, -87.5f);
  EXPECT_EQ(ranges.macdMax, 5.0f);   // DIF and DEA count for the top
  EXPECT_EQ(ranges.macdMin, -2.0f);  // only the histogram for the bottom
  EXPECT_EQ(ranges.bollMax, 150.0f);  // raised to the price extremes
  EXPECT_EQ(ranges.bollMin, 60.0f);
  const IndicatorRanges flat = ComputeValueRanges(Closes({500, 500, 500}), {0, 40, 2});
  EXPECT_EQ(flat.priceHigh, 500);
  EXPECT_EQ(flat.priceFloor, 470);
}

// The thirty float fields of a bar, after its nine integers.
struct BarFloats {
  std::int32_t integers[9];
  float floats[30];
};

bool AllFinite(const KLineBar& bar) {
  const BarFloats fields = std::bit_cast<BarFloats>(bar);
  return std::all_of(std::begin(fields.floats), std::end(fields.floats),
                     [](float value) { return std::isfinite(value); });
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
  for (std::vector<KLineBar> bars : cases) {
    for (int code : {520, 521, 522, 523, 524, 525, 528, 529}) {
      const IndicatorRanges ranges =
          RecomputeIndicators(bars, {0, 40, 2}, static_cast<KLineIndicator>(code), -1);
      for (const KLineBar& bar : bars) ASSERT_TRUE(AllFinite(bar)) << code;
      EXPECT_TRUE(std::isfinite(ranges.cciMax) && std::isfinite(ranges.cciMin));
      EXPECT_TRUE(std::isfinite(ranges.macdMax) && std::isfinite(ranges.bollMax));
    }
  }
}

TEST(PaneScaleTest, ClampsOnePixelBeyondAndPutsUndrawableValuesOnTheBottom) {
  const PaneScale scale(100, 200, 0.0, 50.0);
  EXPECT_EQ(scale.Y(0.0), 200);
  EXPECT_EQ(scale.Y(50.0), 100);
  EXPECT_EQ(scale.Y(1e30), 99);
  EXPECT_EQ(scale.Y(-1e30), 201);
  EXPECT_EQ(scale.Y(std::numeric_limits<double>::infinity()), 99);
  EXPECT_EQ(scale.Y(std::nan("")), 200);
  EXPECT_EQ(PaneScale(100, 200, 7.0, 7.0).Y(7.0), 200);  // zero span: no division by zero
  EXPECT_EQ(PaneScale(100, 200, 0.0, std::numeric_limits<double>::infinity()).Y(5.0), 200);
}

}  // namespace
}  // namespace tarvello
