// The Bollinger band of the chart: mean and standard deviation of close, cumulative from the
// first visible bar (every bar's band covers all visible bars up to it), in raw price units.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

// Bars whose squared deviations are summed side by side. Each bar keeps its own accumulator
// summed in bar order, so the results are those of one bar at a time; the lanes only let the
// processor work on several sums at once.
constexpr int kLanes = 4;

void StoreBand(KLineBar& bar, float mid, float squares, float inverse) {
  const float variance = squares * inverse;
  const float sd = static_cast<float>(std::sqrt(static_cast<double>(variance)));
  bar.bollMid = mid;
  bar.bollUp = mid + sd * 2.0f;
  bar.bollDown = mid - sd * 2.0f;
}

}  // namespace

void ComputeBoll(std::span<KLineBar> bars, const IndicatorView& view) {
  const BarRange window = VisibleWindow(view.firstVisible, view.visibleCount, BarCount(bars.size()));
  std::int64_t sum = 0;
  for (int i = window.first; i < window.end; i += kLanes) {
    const int lanes = std::min(kLanes, window.end - i);
    std::array<float, kLanes> mid{}, inverse{}, squares{};
    for (int lane = 0; lane < lanes; ++lane) {
      sum += bars[i + lane].close;
      inverse[lane] = 1.0f / static_cast<float>(i + lane - window.first + 1);
      mid[lane] = static_cast<float>(sum) * inverse[lane];
    }
    for (int b = window.first; b <= i; ++b) {
      const float close = static_cast<float>(bars[b].close);
      for (int lane = 0; lane < kLanes; ++lane) {
        const float deviation = close - mid[lane];
        squares[lane] += deviation * deviation;
      }
    }
    for (int lane = 1; lane < lanes; ++lane) {
      for (int b = i + 1; b <= i + lane; ++b) {
        const float deviation = static_cast<float>(bars[b].close) - mid[lane];
        squares[lane] += deviation * deviation;
      }
    }
    for (int lane = 0; lane < lanes; ++lane) StoreBand(bars[i + lane], mid[lane], squares[lane], inverse[lane]);
  }
}

}  // namespace tarvello
