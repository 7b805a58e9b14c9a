// MACD and CCI: the two indicators whose first stage runs over the whole series from bar 0.
#include <cmath>
#include <cstdint>

#include "kline/bar_window.h"
#include "kline/kline_indicators.h"

namespace tarvello {
namespace {

// The new-value weights are the scaled 2/13 and 2/27 the chart has always used (so the chain runs
// in raw price units / 100); the old-value weights are the floats nearest 11/13 and 25/27.
constexpr float kEma12New = 0.001538f;
constexpr float kEma12Old = 0.84615386f;
constexpr float kEma26New = 0.000741f;
constexpr float kEma26Old = 0.9259259f;
constexpr float kDeaOld = 0.8f;
constexpr float kDeaNew = 0.2f;

constexpr float kThird = 0.33333334f;
constexpr float kFourteenth = 0.071428575f;
constexpr float kCciFactor = 66.66667f;
constexpr int kCciWindow = 14;

float PriceScale(int decimals) {
  float scale = 1.0f;
  for (int i = 0; i < decimals; ++i) scale *= 10.0f;
  return scale;
}

float Deviation(const KLineBar& bar) { return std::fabs(bar.tpMa14 - bar.typicalPrice); }

// Typical price in true price units and its 14-bar average, from bar 0.
void TypicalPriceAverage(std::span<KLineBar> bars, int decimals, int stopAt) {
  const float scale = PriceScale(decimals);
  const int end = StopEnd(BarCount(bars.size()), stopAt);
  float sum = 0;
  for (int i = 0; i < end; ++i) {
    KLineBar& bar = bars[i];
    const std::int64_t hlc = std::int64_t{bar.high} + bar.low + bar.close;
    bar.typicalPrice = static_cast<float>(hlc) * kThird / scale;
    sum += bar.typicalPrice;
    if (i >= kCciWindow) sum -= bars[i - kCciWindow].typicalPrice;
    if (i >= kCciWindow - 1) bar.tpMa14 = sum * kFourteenth;
  }
}

// Mean deviation over 14 bars from 13 bars before the first visible one, and CCI from it. A zero
// (or vanishing) mean deviation gives a CCI of 0 rather than an infinity or not-a-number.
void MeanDeviationAndCci(std::span<KLineBar> bars, const IndicatorView& view, int stopAt) {
  const BarRange range =
      LookBackRange(view.firstVisible, view.visibleCount, kCciWindow, BarCount(bars.size()));
  const int end = StopEnd(range.end, stopAt);
  const int full = range.first + kCciWindow - 1;
  float sum = 0;
  for (int i = range.first; i < end; ++i) {
    KLineBar& bar = bars[i];
    sum += Deviation(bar);
    if (i < full) {
      bar.cci = 0;
      continue;
    }
    if (i > full) sum -= Deviation(bars[i - kCciWindow]);
    bar.meanDev = sum * kFourteenth;
    const float cci = (bar.typicalPrice - bar.tpMa14) / bar.meanDev * kCciFactor;
    bar.cci = std::isfinite(cci) ? cci : 0.0f;
  }
}

}  // namespace

void ComputeMacd(std::span<KLineBar> bars, int stopAt) {
  const int end = StopEnd(BarCount(bars.size()), stopAt);
  float ema12 = 0, ema26 = 0, dea = 0;
  for (int i = 0; i < end; ++i) {
    KLineBar& bar = bars[i];
    const float close = static_cast<float>(bar.close);
    ema12 = close * kEma12New + ema12 * kEma12Old;
    ema26 = close * kEma26New + ema26 * kEma26Old;
    const float dif = ema12 - ema26;
    dea = i == 0 ? dif : dea * kDeaOld + dif * kDeaNew;
    bar.ema12 = ema12;
    bar.ema26 = ema26;
    bar.dif = dif;
    bar.dea = dea;
    bar.macd = (dif - dea) * 2.0f;
  }
}

void ComputeCci(std::span<KLineBar> bars, const IndicatorView& view, int stopAt) {
  TypicalPriceAverage(bars, view.priceDecimals, stopAt);
  MeanDeviationAndCci(bars, view, stopAt);
}

}  // namespace tarvello
