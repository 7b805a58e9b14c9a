// Technical indicators of a K-line series: the price moving averages (always) and the fields of
// the one selected indicator, written into the bars, plus the value ranges the chart scales its
// panes by.
//
// Most computations cover only the visible window [firstVisible, firstVisible + visibleCount)
// and the look-back their windows need, so results depend on the viewport; MACD and the typical
// price average of CCI run over the whole series. All computed fields are single-precision floats
// produced in a fixed order of operations, so results are reproducible to the last bit.
//
// Every stored value is finite: the four divisions that can meet a zero denominator (a flat
// nine-bar range in KDJ, a window with neither rises nor falls in RSI, a zero mean deviation in
// CCI, a zero average in BIAS) store a neutral value instead (see each pass).
//
// Pure functions over the span they are given; the caller keeps other threads away from it.
#pragma once

#include <cstdint>
#include <span>

#include "kline/kline_bar.h"

namespace tarvello {

// The viewport and scale the computations depend on.
struct IndicatorView {
  int firstVisible = 0;
  int visibleCount = 0;
  int priceDecimals = 2;
};

// Pane ranges for the chart. KDJ, RSI and WR always use 0..100 and BIAS -15..15.
struct IndicatorRanges {
  std::int32_t priceHigh = 0;
  std::int32_t priceFloor = 0;
  std::int32_t volMax = 0;
  float macdMax = 0, macdMin = 0;
  float cciMax = 0, cciMin = 0;
  float bollMax = 0, bollMin = 0;
};

// Computes the price averages, the selected indicator and the ranges. stopAt is -1 for the whole
// range or a bar index after which the passes that honour it (MACD, KDJ, RSI, BIAS, CCI) stop.
IndicatorRanges RecomputeIndicators(std::span<KLineBar> bars, const IndicatorView& view,
                                    KLineIndicator indicator, int stopAt);

// The single passes, for tests and benchmarks; RecomputeIndicators calls them.
void ComputePriceAverages(std::span<KLineBar> bars, const IndicatorView& view);
void ComputeVolumeAverages(std::span<KLineBar> bars, const IndicatorView& view);
void ComputeBias(std::span<KLineBar> bars, const IndicatorView& view, int stopAt);
void ComputeMacd(std::span<KLineBar> bars, int stopAt);
void ComputeKdj(std::span<KLineBar> bars, const IndicatorView& view, int stopAt);
void ComputeRsi(std::span<KLineBar> bars, const IndicatorView& view, int stopAt);
void ComputeCci(std::span<KLineBar> bars, const IndicatorView& view, int stopAt);
void ComputeBoll(std::span<KLineBar> bars, const IndicatorView& view);
void ComputeWr(std::span<KLineBar> bars, const IndicatorView& view);
IndicatorRanges ComputeValueRanges(std::span<const KLineBar> bars, const IndicatorView& view);

}  // namespace tarvello
