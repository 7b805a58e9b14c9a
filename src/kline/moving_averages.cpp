// The running-sum averages: price averages of close (always computed), the volume averages of
// the VOL pane and BIAS, which measures close against its own price average.
#include <algorithm>
#include <cstdint>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

// Integer running sums are kept in 64 bits, so that a long window of large prices cannot wrap;
// the floor-divided averages are the same as 32-bit sums give wherever those do not overflow.
template <int N>
void PriceAverage(std::span<KLineBar> bars, const IndicatorView& view, float KLineBar::*field) {
  const BarRange range = LookBackRange(view.firstVisible, view.visibleCount, N, BarCount(bars.size()));
  const int full = std::min(range.first + N - 1, range.end);
  std::int64_t sum = 0;
  int i = range.first;
  for (; i < full; ++i) {  // the bars before the first full window
    sum += bars[i].close;
    bars[i].*field = 0;
  }
  if (i < range.end) {
    sum += bars[i].close;
    bars[i].*field = static_cast<float>(sum / N);
  }
  for (++i; i < range.end; ++i) {
    sum += bars[i].close - std::int64_t{bars[i - N].close};
    bars[i].*field = static_cast<float>(sum / N);
  }
}

// The float sum adds the new volume first and then drops the one leaving the window.
template <int N>
void VolumeAverage(std::span<KLineBar> bars, const IndicatorView& view, float KLineBar::*field) {
  const BarRange range = LookBackRange(view.firstVisible, view.visibleCount, N, BarCount(bars.size()));
  const int full = std::min(range.first + N - 1, range.end);
  float sum = 0;
  int i = range.first;
  for (; i < full; ++i) sum += static_cast<float>(bars[i].volume);
  if (i < range.end) {
    sum += static_cast<float>(bars[i].volume);
    bars[i].*field = sum / static_cast<float>(N);
  }
  for (++i; i < range.end; ++i) {
    sum += static_cast<float>(bars[i].volume);
    sum -= static_cast<float>(bars[i - N].volume);
    bars[i].*field = sum / static_cast<float>(N);
  }
}

// Deviation of close from its N-bar average in percent; a zero average (no price) gives 0.
template <int N>
void BiasOf(std::span<KLineBar> bars, const IndicatorView& view, int stopAt, float KLineBar::*field) {
  const BarRange range = LookBackRange(view.firstVisible, view.visibleCount, N, BarCount(bars.size()));
  const int end = StopEnd(range.end, stopAt);
  const int full = range.first + N - 1;
  std::int64_t sum = 0;
  for (int i = range.first; i < end; ++i) {
    sum += bars[i].close;
    if (i < full) continue;
    if (i > full) sum -= bars[i - N].close;
    const float average = static_cast<float>(sum / N);
    bars[i].*field =
        average == 0 ? 0.0f : (static_cast<float>(bars[i].close) - average) / average * 100.0f;
  }
}

}  // namespace

void ComputePriceAverages(std::span<KLineBar> bars, const IndicatorView& view) {
  PriceAverage<5>(bars, view, &KLineBar::ma5);
  PriceAverage<10>(bars, view, &KLineBar::ma10);
  PriceAverage<20>(bars, view, &KLineBar::ma20);
  PriceAverage<30>(bars, view, &KLineBar::ma30);
}

void ComputeVolumeAverages(std::span<KLineBar> bars, const IndicatorView& view) {
  VolumeAverage<5>(bars, view, &KLineBar::volMa5);
  VolumeAverage<10>(bars, view, &KLineBar::volMa10);
  VolumeAverage<20>(bars, view, &KLineBar::volMa20);
  VolumeAverage<30>(bars, view, &KLineBar::volMa30);
}

void ComputeBias(std::span<KLineBar> bars, const IndicatorView& view, int stopAt) {
  BiasOf<5>(bars, view, stopAt, &KLineBar::bias5);
  BiasOf<10>(bars, view, stopAt, &KLineBar::bias10);
}

}  // namespace tarvello
