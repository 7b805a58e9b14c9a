// The Bollinger band of the chart: mean and standard deviation of close, cumulative from the
// first visible bar (every bar's band covers all visible bars up to it), in raw price units.
#include <cmath>
#include <cstdint>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {

void ComputeBoll(std::span<KLineBar> bars, const IndicatorView& view) {
  const BarRange window = VisibleWindow(view.firstVisible, view.visibleCount, BarCount(bars.size()));
  std::int64_t sum = 0;
  for (int i = window.first; i < window.end; ++i) {
    sum += bars[i].close;
    const float inverse = 1.0f / static_cast<float>(i - window.first + 1);
    const float mid = static_cast<float>(sum) * inverse;
    float squares = 0;
    for (int b = window.first; b <= i; ++b) {
      const float deviation = static_cast<float>(bars[b].close) - mid;
      squares += deviation * deviation;
    }
    const float variance = squares * inverse;
    const float sd = static_cast<float>(std::sqrt(static_cast<double>(variance)));
    bars[i].bollMid = mid;
    bars[i].bollUp = mid + sd * 2.0f;
    bars[i].bollDown = mid - sd * 2.0f;
  }
}

}  // namespace tarvello
