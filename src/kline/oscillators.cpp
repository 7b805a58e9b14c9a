// The 0-to-100 oscillators of the visible window: KDJ, RSI and Williams %R.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

constexpr float kThird = 0.33333334f;
constexpr float kTwoThirds = 0.6666667f;
constexpr float kSeed = 33.333332f;  // a previous K or D of 50, weighted by 2/3
constexpr int kKdjWindow = 9;
constexpr float kNeutral = 50.0f;

// Highest high and lowest low of the nine bars ending at bar i, kept in that bar.
void StoreNineBarExtremes(std::span<KLineBar> bars, int i) {
  std::int32_t highest = bars[i].high;
  std::int32_t lowest = bars[i].low;
  for (int b = std::max(i - kKdjWindow + 1, 0); b < i; ++b) {
    highest = std::max(highest, bars[b].high);
    lowest = std::min(lowest, bars[b].low);
  }
  bars[i].hhv9 = highest;
  bars[i].llv9 = lowest;
}

// Where close sits in the nine-bar range, in percent. A flat range (also one that is flat only
// after conversion to float) says nothing either way and gives the middle, 50, so that one
// suspended stretch does not turn every later K and D into not-a-number.
float RawStochastic(const KLineBar& bar) {
  const float low = static_cast<float>(bar.llv9);
  const float range = static_cast<float>(bar.hhv9) - low;
  if (range == 0) return kNeutral;
  return (static_cast<float>(bar.close) - low) / range * 100.0f;
}

// RSI from the rise and fall sums of a window. Rises only give 100 (as the formula does through
// an infinite ratio); neither rises nor falls give 50.
float RsiFromSums(float up, float down, float inverse) {
  const float upShare = up * inverse;
  const float downShare = down * inverse;
  if (downShare == 0) return upShare > 0 ? 100.0f : kNeutral;
  return 100.0f - 100.0f / (upShare / downShare + 1.0f);
}

// RSI over the n bars ending at i, each bar measured against its own open, summed in float bar by
// bar from the oldest.
float RsiAt(std::span<const KLineBar> bars, int i, int n, float inverse) {
  float up = 0, down = 0;
  for (int b = std::max(i - n + 1, 0); b <= i; ++b) {
    const float open = static_cast<float>(bars[b].open);
    const float close = static_cast<float>(bars[b].close);
    if (bars[b].close >= bars[b].open) {
      up += close - open;
    } else {
      down += open - close;
    }
  }
  return RsiFromSums(up, down, inverse);
}

// While every price fits 23 bits and a window's sums stay below 2^24, each float difference and
// each partial float sum is an exact integer, so integer sums slid from bar to bar give the very
// bits of the bar-by-bar float sums. Windows outside those bounds are summed bar by bar.
constexpr std::int64_t kExactPrice = std::int64_t{1} << 23;
constexpr std::int64_t kExactSum = std::int64_t{1} << 24;

bool PricesFitExactly(std::span<const KLineBar> bars, int first, int end) {
  for (int b = first; b < end; ++b) {
    if (std::abs(std::int64_t{bars[b].open}) >= kExactPrice ||
        std::abs(std::int64_t{bars[b].close}) >= kExactPrice) {
      return false;
    }
  }
  return true;
}

// Adds (sign 1) or removes (sign -1) one bar's move from the rise or the fall sum.
void Tally(const KLineBar& bar, std::int64_t sign, std::int64_t& up, std::int64_t& down) {
  const std::int64_t move = std::int64_t{bar.close} - bar.open;
  if (move >= 0) {
    up += sign * move;
  } else {
    down -= sign * move;
  }
}

template <int N>
void RsiOf(std::span<KLineBar> bars, BarRange window, float KLineBar::*field) {
  const float inverse = 1.0f / static_cast<float>(N);
  const int lookBack = std::max(window.first - N + 1, 0);
  const bool exact = PricesFitExactly(bars, lookBack, window.end);
  std::int64_t up = 0, down = 0;
  for (int i = lookBack; i < window.end; ++i) {
    Tally(bars[i], 1, up, down);
    if (i - N >= lookBack) Tally(bars[i - N], -1, up, down);
    if (i < window.first) continue;
    bars[i].*field = exact && up < kExactSum && down < kExactSum
                         ? RsiFromSums(static_cast<float>(up), static_cast<float>(down), inverse)
                         : RsiAt(bars, i, N, inverse);
  }
}

// Williams %R from the extremes of a window's closes; equal extremes give 100.
float WrFrom(std::int32_t close, std::int32_t highest, std::int32_t lowest) {
  if (highest == lowest) return 100.0f;
  const std::int64_t fromTop = std::int64_t{highest} - close;
  const std::int64_t span = std::int64_t{highest} - lowest;
  return static_cast<float>(fromTop) / static_cast<float>(span) * 100.0f;
}

BarRange Window(std::span<const KLineBar> bars, const IndicatorView& view) {
  return VisibleWindow(view.firstVisible, view.visibleCount, BarCount(bars.size()));
}

}  // namespace

// K and D are smoothed from a seed of 50 at the first visible bar, so they follow the viewport.
void ComputeKdj(std::span<KLineBar> bars, const IndicatorView& view, int stopAt) {
  const BarRange window = Window(bars, view);
  const int end = StopEnd(window.end, stopAt);
  for (int i = window.first; i < end; ++i) {
    StoreNineBarExtremes(bars, i);
    KLineBar& bar = bars[i];
    const float rsv = RawStochastic(bar);
    if (i == window.first) {
      bar.k = rsv * kThird + kSeed;
      bar.d = bar.k * kThird + kSeed;
    } else {
      bar.k = rsv * kThird + bars[i - 1].k * kTwoThirds;
      bar.d = bars[i - 1].d * kTwoThirds + bar.k * kThird;
    }
    bar.j = bar.k * 3.0f - bar.d * 2.0f;
  }
}

void ComputeRsi(std::span<KLineBar> bars, const IndicatorView& view, int stopAt) {
  BarRange window = Window(bars, view);
  window.end = StopEnd(window.end, stopAt);
  RsiOf<6>(bars, window, &KLineBar::rsi6);
  RsiOf<12>(bars, window, &KLineBar::rsi12);
  RsiOf<24>(bars, window, &KLineBar::rsi24);
}

// Both windows (the closes of 7 and of 11 bars ending at i) in one scan back from bar i: the
// six-bar extremes are taken on the way to the ten-bar ones.
void ComputeWr(std::span<KLineBar> bars, const IndicatorView& view) {
  const BarRange window = Window(bars, view);
  for (int i = window.first; i < window.end; ++i) {
    const std::int32_t close = bars[i].close;
    std::int32_t highest = close;
    std::int32_t lowest = close;
    int b = i - 1;
    for (const int from = std::max(i - 6, 0); b >= from; --b) {
      highest = std::max(highest, bars[b].close);
      lowest = std::min(lowest, bars[b].close);
    }
    bars[i].wr6 = WrFrom(close, highest, lowest);
    for (const int from = std::max(i - 10, 0); b >= from; --b) {
      highest = std::max(highest, bars[b].close);
      lowest = std::min(lowest, bars[b].close);
    }
    bars[i].wr10 = WrFrom(close, highest, lowest);
  }
}

}  // namespace tarvello
