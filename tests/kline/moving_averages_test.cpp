// Price and volume averages and BIAS: look-back ranges, floor division, float summing order.
#include <gtest/gtest.h>

#include "support/kline_bars.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(PriceAveragesTest, FloorDividedOverTheLookBackWithZerosBeforeTheFirstFullWindow) {
  auto few = Closes({100, 200, 300, 400});
  ComputePriceAverages(few, {0, 40, 2});
  for (const KLineBar& bar : few) EXPECT_EQ(bar.ma5, 0.0f);

  std::vector<KLineBar> bars;
  for (int i = 0; i < 20; ++i) bars.push_back(Bar(0, 0, 0, 10 * i + i % 3));
  for (KLineBar& bar : bars) bar.ma5 = -1;
  ComputePriceAverages(bars, {10, 3, 2});
  // The range is bars 6..12: 6..9 are its warm-up and get 0, 10..12 have full windows.
  EXPECT_EQ(bars[5].ma5, -1.0f);
  EXPECT_EQ(bars[9].ma5, 0.0f);
  EXPECT_EQ(bars[10].ma5, 80.0f);   // (60 + 71 + 82 + 90 + 101) / 5 = 80.8, floored
  EXPECT_EQ(bars[12].ma5, 101.0f);  // (82 + 90 + 101 + 112 + 120) / 5
  EXPECT_EQ(bars[13].ma5, -1.0f);
}

TEST(PriceAveragesTest, LargePricesDoNotWrapTheSum) {
  auto bars = Closes({2000000000, 2000000000, 2000000000, 2000000000, 2000000000});
  ComputePriceAverages(bars, {0, 40, 2});
  EXPECT_EQ(bars[4].ma5, 2000000000.0f);
}

TEST(VolumeAveragesTest, FloatSumAddsTheNewVolumeBeforeDroppingTheOld) {
  std::vector<KLineBar> bars;
  for (int volume : {16777216, 1, 1, 1, 1, 1}) bars.push_back(Bar(1, 1, 1, 1, volume));
  ComputeVolumeAverages(bars, {0, 40, 2});
  EXPECT_EQ(bars[3].volMa5, 0.0f);             // not written before the first full window
  EXPECT_EQ(bars[4].volMa5, 0x1.99999ap+21f);  // 16777216 / 5: the ones were absorbed
  EXPECT_EQ(bars[5].volMa5, 0.0f);             // (16777216 + 1) - 16777216 in float
}

TEST(BiasTest, CloseAgainstItsFloorDividedAverageAndZeroForAZeroAverage) {
  auto bars = Closes({10, 11, 12, 13, 20, 15});
  ComputeBias(bars, {0, 40, 2}, 4);
  EXPECT_EQ(bars[4].bias5, 0x1.aec4eep+5f);  // (20 - 13) / 13 * 100, 66 / 5 floored to 13
  EXPECT_EQ(bars[5].bias5, 0.0f);            // after stopAt
  auto zeros = Closes({0, 0, 0, 0, 0, 0, 0, 0, 0, 3});
  ComputeBias(zeros, {0, 40, 2}, -1);
  EXPECT_EQ(zeros[9].bias5, 0.0f);  // average 3 / 5 floors to 0
  EXPECT_EQ(zeros[9].bias10, 0.0f);
}

}  // namespace
}  // namespace tarvello
