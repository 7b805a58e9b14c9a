// The indicators against values worked out step by step in single precision.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "kline/kline_indicators.h"
#include "kline/pane_scale.h"
#include "support/kline_bars.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::Closes;

TEST(AveragesTest, PricesFloorDividedWithZerosBeforeTheFirstWindowVolumesAsFloatSums) {
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
  auto large = Closes({2000000000, 2000000000, 2000000000, 2000000000, 2000000000});
  ComputePriceAverages(large, {0, 40, 2});
  EXPECT_EQ(large[4].ma5, 2000000000.0f) << "the sum does not wrap";
  // Volumes sum in float, adding the new volume before dropping the old.
  std::vector<KLineBar> volumes;
  for (int volume : {16777216, 1, 1, 1, 1, 1}) volumes.push_back(Bar(1, 1, 1, 1, volume));
  ComputeVolumeAverages(volumes, {0, 40, 2});
  EXPECT_EQ(volumes[3].volMa5, 0.0f);             // not written before the first full window
  EXPECT_EQ(volumes[4].volMa5, 0x1.99999ap+21f);  // 16777216 / 5: the ones were absorbed
  EXPECT_EQ(volumes[5].volMa5, 0.0f);             // (16777216 + 1) - 16777216 in float
}

TEST(BiasAndMacdTest, BiasAgainstTheFlooredAverageAndTheMacdChainMatchHandComputedBits) {
  auto bars = Closes({10, 11, 12, 13, 20, 15});
  ComputeBias(bars, {0, 40, 2}, 4);
  EXPECT_EQ(bars[4].bias5, 0x1.aec4eep+5f);  // (20 - 13) / 13 * 100, 66 / 5 floored to 13
  EXPECT_EQ(bars[5].bias5, 0.0f);            // after stopAt
  auto zeros = Closes({0, 0, 0, 0, 0, 0, 0, 0, 0, 3});
  ComputeBias(zeros, {0, 40, 2}, -1);
  EXPECT_EQ(zeros[9].bias5, 0.0f);  // average 3 / 5 floors to 0
  EXPECT_EQ(zeros[9].bias10, 0.0f);
  // MACD: the chain matches hand-computed bits and stops where asked.
  auto chain = Closes({1000, 1100, 900, 1000});
  ComputeMacd(chain, 2);
  // Bar 0 starts from zero: DIF = close x 0.001538 - close x 0.000741, DEA = DIF, MACD = 0.
  EXPECT_EQ(chain[0].dif, 0x1.981062p-1f);
  EXPECT_EQ(chain[0].dea, chain[0].dif);
  EXPECT_EQ(chain[0].macd, 0.0f);
  EXPECT_EQ(chain[2].macd, 0x1.7a775p+0f);
  EXPECT_EQ(chain[3].ema12, 0.0f);  // after stopAt
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

TEST(CciAndKdjTest, CciPassesAndKdjSeedsMatchHandComputedBitsFromTheirWindows) {
  auto bars = CciSeries();
  ComputeCci(bars, {0, 40, 2}, -1);
  EXPECT_EQ(bars[12].tpMa14, 0.0f);  // no average before bar 13
  EXPECT_EQ(bars[12].cci, 0.0f);
  EXPECT_EQ(bars[13].cci, 0x1.56d972p-2f);
  EXPECT_EQ(bars[15].cci, -0x1.aa2904p+0f);
  // The deviation pass starts thirteen bars before the first visible bar.
  auto late = CciSeries();
  for (KLineBar& bar : late) bar.cci = 7.0f;
  ComputeCci(late, {15, 40, 3}, -1);
  EXPECT_EQ(late[0].typicalPrice, 3000.0f * 0.33333334f / 1000.0f);  // three decimals
  EXPECT_EQ(late[1].cci, 7.0f);  // the pass covers bars 2..15 and 2..14 are its warm-up
  EXPECT_EQ(std::tuple(late[2].cci, late[14].cci), std::tuple(0.0f, 0.0f));
  EXPECT_NE(late[15].cci, 0.0f);
  std::vector<KLineBar> flat(20, Bar(0, 0, 0, 0));  // zero mean deviation
  ComputeCci(flat, {0, 40, 2}, -1);
  EXPECT_EQ(flat[19].cci, 0.0f);
  // KDJ is seeded at the first visible bar over nine-bar extremes; a flat range gives the middle.
  std::vector<KLineBar> kdj{Bar(95, 110, 90, 100), Bar(100, 120, 95, 115), Bar(110, 118, 100, 105)};
  ComputeKdj(kdj, {0, 40, 2}, -1);
  // Bar 0: rsv = (100 - 90) / 20 * 100 = 50, K = 50/3 + 33.333332, D = K/3 + 33.333332.
  EXPECT_EQ(kdj[0].k, 50.0f * 0.33333334f + 33.333332f);
  EXPECT_EQ(kdj[0].d, kdj[0].k * 0.33333334f + 33.333332f);
  EXPECT_EQ(kdj[2].j, 0x1.f2c3f8p+5f);
  ComputeKdj(kdj, {1, 40, 2}, -1);  // the seed moves with the window
  EXPECT_EQ(kdj[1].k, (115.0f - 90.0f) / (120.0f - 90.0f) * 100.0f * 0.33333334f + 33.333332f);

  std::vector<KLineBar> spike{Bar(100, 500, 1, 100)};
  for (int i = 0; i < 9; ++i) spike.push_back(Bar(100, 110, 90, 100));
  ComputeKdj(spike, {0, 40, 2}, -1);
  EXPECT_EQ(spike[8].hhv9, 500);
  EXPECT_EQ(spike[9].hhv9, 110);

  // A level range gives the middle and keeps later kdj finite.
  std::vector<KLineBar> level(12, Bar(100, 100, 100, 100));
  level.push_back(Bar(100, 120, 100, 120));
  ComputeKdj(level, {0, 40, 2}, -1);
  EXPECT_EQ(level[0].k, 50.0f);
  EXPECT_EQ(level[11].k, 0x1.900002p+5f);  // 50 smoothed with 50 drifts by rounding
  EXPECT_EQ(level[12].k, 100.0f * 0.33333334f + level[11].k * 0.6666667f);
  std::vector<KLineBar> floatFlat{Bar(16777216, 16777217, 16777216, 16777217)};
  ComputeKdj(floatFlat, {0, 40, 2}, -1);  // 16777217 becomes 16777216 in float
  EXPECT_EQ(floatFlat[0].k, 50.0f);
}

// Computed values are SummingOrderTest's; here the windows with no fall or no move at all.
TEST(RsiTest, NeutralAndFullValuesAndWrUsesClosesOfNPlusOneBars) {
  std::vector<KLineBar> quiet{Bar(110, 110, 100, 100)};  // a fall, six flat bars, a rise
  for (int i = 0; i < 6; ++i) quiet.push_back(Bar(100, 100, 100, 100));
  quiet.push_back(Bar(100, 105, 100, 105));
  ComputeRsi(quiet, {0, 40, 2}, -1);
  EXPECT_EQ(quiet[5].rsi6, 0.0f);   // the fall is still in the six-bar window
  EXPECT_EQ(quiet[6].rsi6, 50.0f);  // neither rises nor falls
  EXPECT_EQ(quiet[6].rsi12, 0.0f);
  EXPECT_EQ(quiet[7].rsi6, 100.0f);  // rises only
  // WR uses the closes of N + 1 bars.
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

TEST(BollTest, BandIsCumulativeFromTheFirstVisibleBarAndRangesCoverTheWindow) {
  auto band = Closes({1, 100, 104, 109});
  ComputeBoll(band, {1, 40, 2});
  EXPECT_EQ(band[0].bollMid, 0.0f);
  EXPECT_EQ(std::tuple(band[1].bollUp, band[2].bollUp, band[2].bollDown),
            std::tuple(100.0f, 106.0f, 98.0f));
  EXPECT_EQ(band[3].bollUp, 0x1.bec9a2p+6f);
  // The value ranges cover the visible window, each with its own rules.
  std::vector<KLineBar> bars{Bar(0, 900, 10, 0, 7000), Bar(0, 150, 60, 100, 30), Bar(0, 110, 90, 100, 50)};
  bars[1].cci = bars[2].cci = 12.5f;
  bars[1].dif = -8, bars[1].dea = 3, bars[1].macd = -2;
  bars[2].dif = 5, bars[2].dea = -9, bars[2].macd = 1;
  bars[1].bollUp = 120, bars[1].bollDown = 80;
  bars[2].bollUp = 130, bars[2].bollDown = 95;
  const IndicatorRanges ranges = ComputeValueRanges(bars, {1, 2, 2});
  const IndicatorRanges& r = ranges;
  EXPECT_EQ(std::tuple(r.priceHigh, r.priceFloor, r.volMax), std::tuple(150, 60, 50));
  EXPECT_EQ(ranges.cciMax, 112.5f);  // equal extremes widen by 100 each way
  EXPECT_EQ(ranges.cciMin, -87.5f);
  EXPECT_EQ(ranges.macdMax, 5.0f);   // DIF and DEA count for the top
  EXPECT_EQ(ranges.macdMin, -2.0f);  // only the histogram for the bottom
  EXPECT_EQ(std::tuple(r.bollMax, r.bollMin), std::tuple(150.0f, 60.0f));  // the price extremes
  const IndicatorRanges flat = ComputeValueRanges(Closes({500, 500, 500}), {0, 40, 2});
  EXPECT_EQ(std::tuple(flat.priceHigh, flat.priceFloor), std::tuple(500, 470));
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
TEST(NonFiniteTest, NoIndicatorStoresAnInfinityOrNotANumberAndThePaneScaleClampsThem) {
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
  // The pane scale clamps one pixel beyond and puts undrawable values on the bottom.
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

// RSI slides integer sums and BOLL sums several bars side by side; both must give the bits of
// summing each bar's window one bar at a time in float, from the oldest bar, as these do.
std::uint32_t ReferenceRsiBits(const std::vector<KLineBar>& bars, int i, int n) {
  const float inverse = 1.0f / static_cast<float>(n);
  float up = 0, down = 0;
  for (int b = std::max(i - n + 1, 0); b <= i; ++b) {
    const float move = static_cast<float>(bars[b].close) - static_cast<float>(bars[b].open);
    if (bars[b].close >= bars[b].open) up += move;
    else down += static_cast<float>(bars[b].open) - static_cast<float>(bars[b].close);
  }
  const float rsi = up == 0 && down == 0 ? 50.0f : 100.0f - 100.0f / ((up * inverse) / (down * inverse) + 1.0f);
  return std::bit_cast<std::uint32_t>(rsi);
}

std::uint32_t ReferenceBollUpBits(const std::vector<KLineBar>& bars, int first, int i) {
  std::int64_t sum = 0;
  for (int b = first; b <= i; ++b) sum += bars[b].close;
  const float inverse = 1.0f / static_cast<float>(i - first + 1);
  const float mid = static_cast<float>(sum) * inverse;
  float squares = 0;
  for (int b = first; b <= i; ++b) {
    const float deviation = static_cast<float>(bars[b].close) - mid;
    squares += deviation * deviation;
  }
  return std::bit_cast<std::uint32_t>(mid + static_cast<float>(std::sqrt(static_cast<double>(squares * inverse))) * 2.0f);
}

std::vector<KLineBar> RandomSeries(std::mt19937& random, std::int32_t spread, std::int32_t base) {
  std::uniform_int_distribution<std::int32_t> price(base - spread, base + spread);
  std::vector<KLineBar> bars;
  for (int i = 0; i < 90; ++i) {
    const std::int32_t open = price(random);
    const std::int32_t close = random() % 4 == 0 ? open : price(random);
    bars.push_back(testing::Bar(open, std::max(open, close), std::min(open, close), close));
  }
  return bars;
}

TEST(SummingOrderTest, RsiAndBollMatchOneBarAtATimeFloatSums) {
  std::mt19937 random(7);
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {50, 0}, {300000, 0}, {20000000, 0}, {2000000000, 0}, {50, 100000000}};
  for (const auto& [spread, base] : cases) {
    std::vector<KLineBar> bars = RandomSeries(random, spread, base);
    ComputeRsi(bars, {30, 50, 2}, -1);
    ComputeBoll(bars, {30, 50, 2});
    for (int i = 30; i < 80; ++i) {
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].rsi6), ReferenceRsiBits(bars, i, 6)) << spread << " " << i;
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].rsi24), ReferenceRsiBits(bars, i, 24)) << spread << " " << i;
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].bollUp), ReferenceBollUpBits(bars, 30, i)) << spread << " " << i;
    }
  }
}

}  // namespace
}  // namespace tarvello
