// The ranges the chart scales its panes by, taken over the visible window.
#include <algorithm>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

constexpr std::int32_t kFlatPricePane = 30;  // raw units shown when the window is flat
constexpr float kFlatCciMargin = 100.0f;

}  // namespace

IndicatorRanges ComputeValueRanges(std::span<const KLineBar> bars, const IndicatorView& view) {
  const BarRange window = VisibleWindow(view.firstVisible, view.visibleCount, BarCount(bars.size()));
  IndicatorRanges ranges;
  if (window.first >= window.end) {
    ranges.priceFloor = -kFlatPricePane;
    ranges.cciMax = kFlatCciMargin;
    ranges.cciMin = -kFlatCciMargin;
    return ranges;
  }
  const KLineBar& first = bars[window.first];
  std::int32_t lowest = first.low;
  ranges.cciMax = ranges.cciMin = first.cci;
  ranges.bollMax = first.bollUp;
  ranges.bollMin = first.bollDown;
  for (int i = window.first; i < window.end; ++i) {
    const KLineBar& bar = bars[i];
    ranges.priceHigh = std::max(ranges.priceHigh, bar.high);
    lowest = std::min(lowest, bar.low);
    ranges.volMax = std::max(ranges.volMax, bar.volume);
    ranges.cciMax = std::max(ranges.cciMax, bar.cci);
    ranges.cciMin = std::min(ranges.cciMin, bar.cci);
    ranges.macdMax = std::max({ranges.macdMax, bar.dif, bar.dea});
    ranges.macdMin = std::min(ranges.macdMin, bar.macd);
    ranges.bollMax = std::max(ranges.bollMax, bar.bollUp);
    ranges.bollMin = std::min(ranges.bollMin, bar.bollDown);
  }
  ranges.priceFloor = ranges.priceHigh == lowest ? ranges.priceHigh - kFlatPricePane : lowest;
  if (ranges.cciMax == ranges.cciMin) {
    ranges.cciMax += kFlatCciMargin;
    ranges.cciMin -= kFlatCciMargin;
  }
  ranges.bollMax = std::max(ranges.bollMax, static_cast<float>(ranges.priceHigh));
  ranges.bollMin = std::min(ranges.bollMin, static_cast<float>(lowest));
  return ranges;
}

}  // namespace tarvello
