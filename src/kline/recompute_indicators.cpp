// The one entry point that recomputes everything the chart shows: the price averages, the
// selected indicator and the pane ranges.
#include "kline/kline_indicators.h"

namespace tarvello {

IndicatorRanges RecomputeIndicators(std::span<KLineBar> bars, const IndicatorView& view,
                                    KLineIndicator indicator, int stopAt) {
  ComputePriceAverages(bars, view);
  switch (indicator) {
    case KLineIndicator::kMacd: ComputeMacd(bars, stopAt); break;
    case KLineIndicator::kKdj: ComputeKdj(bars, view, stopAt); break;
    case KLineIndicator::kRsi: ComputeRsi(bars, view, stopAt); break;
    case KLineIndicator::kBias: ComputeBias(bars, view, stopAt); break;
    case KLineIndicator::kCci: ComputeCci(bars, view, stopAt); break;
    case KLineIndicator::kVol: ComputeVolumeAverages(bars, view); break;
    case KLineIndicator::kBoll: ComputeBoll(bars, view); break;
    case KLineIndicator::kWr: ComputeWr(bars, view); break;
  }
  return ComputeValueRanges(bars, view);
}

}  // namespace tarvello
