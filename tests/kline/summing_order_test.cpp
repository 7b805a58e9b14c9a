// RSI slides integer sums and BOLL sums several bars side by side; both must give the bits of
// summing each bar's window one bar at a time in float, from the oldest bar. These references do
// exactly that, and random series of small and of huge prices are compared bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "bar_builders.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

float ReferenceRsi(const std::vector<KLineBar>& bars, int i, int n) {
  const float inverse = 1.0f / static_cast<float>(n);
  float up = 0, down = 0;
  for (int b = std::max(i - n + 1, 0); b <= i; ++b) {
    if (bars[b].close >= bars[b].open) {
      up += static_cast<float>(bars[b].close) - static_cast<float>(bars[b].open);
    } else {
      down += static_cast<float>(bars[b].open) - static_cast<float>(bars[b].close);
    }
  }
  if (up * inverse == 0 && down * inverse == 0) return 50.0f;
  return 100.0f - 100.0f / ((up * inverse) / (down * inverse) + 1.0f);
}

void ReferenceBollAt(const std::vector<KLineBar>& bars, int first, int i, float& mid, float& up) {
  float squares = 0;
  std::int64_t sum = 0;
  for (int b = first; b <= i; ++b) sum += bars[b].close;
  const float inverse = 1.0f / static_cast<float>(i - first + 1);
  mid = static_cast<float>(sum) * inverse;
  for (int b = first; b <= i; ++b) {
    const float deviation = static_cast<float>(bars[b].close) - mid;
    squares += deviation * deviation;
  }
  up = mid + static_cast<float>(std::sqrt(static_cast<double>(squares * inverse))) * 2.0f;
}

// Prices base +- spread.
std::vector<KLineBar> RandomSeries(std::mt19937& random, int count, std::int32_t spread,
                                   std::int32_t base = 0) {
  std::uniform_int_distribution<std::int32_t> price(base - spread, base + spread);
  std::vector<KLineBar> bars;
  for (int i = 0; i < count; ++i) {
    const std::int32_t open = price(random);
    const std::int32_t close = random() % 4 == 0 ? open : price(random);
    bars.push_back(testing::Bar(open, std::max(open, close), std::min(open, close), close));
  }
  return bars;
}

TEST(SummingOrderTest, RsiMatchesBarByBarFloatSums) {
  std::mt19937 random(7);
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {50, 0}, {300000, 0}, {20000000, 0}, {2000000000, 0}, {50, 100000000}};
  for (const auto& [spread, base] : cases) {
    std::vector<KLineBar> bars = RandomSeries(random, 90, spread, base);
    ComputeRsi(bars, {30, 50, 2}, -1);
    for (int i = 30; i < 80; ++i) {
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].rsi6), std::bit_cast<std::uint32_t>(ReferenceRsi(bars, i, 6)))
          << "spread " << spread << " bar " << i;
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].rsi24), std::bit_cast<std::uint32_t>(ReferenceRsi(bars, i, 24)))
          << "spread " << spread << " bar " << i;
    }
  }
}

TEST(SummingOrderTest, BollMatchesOneBarAtATime) {
  std::mt19937 random(11);
  for (std::int32_t spread : {50, 2000000000}) {
    std::vector<KLineBar> bars = RandomSeries(random, 60, spread);
    ComputeBoll(bars, {3, 55, 2});
    for (int i = 3; i < 58; ++i) {
      float mid = 0, up = 0;
      ReferenceBollAt(bars, 3, i, mid, up);
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].bollMid), std::bit_cast<std::uint32_t>(mid)) << i;
      ASSERT_EQ(std::bit_cast<std::uint32_t>(bars[i].bollUp), std::bit_cast<std::uint32_t>(up)) << i;
    }
  }
}

}  // namespace
}  // namespace tarvello
