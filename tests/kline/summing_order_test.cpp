// RSI slides integer sums and BOLL sums several bars side by side; both must give the bits of
// summing each bar's window one bar at a time in float, from the oldest bar. The references do
// exactly that, over random series of small, huge and large-but-close prices.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "support/kline_bars.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

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
