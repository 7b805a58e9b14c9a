// Small builders for K-line test series.
#pragma once

#include <cstdint>
#include <vector>

#include "kline/kline_bar.h"

namespace tarvello::testing {

inline KLineBar Bar(std::int32_t open, std::int32_t high, std::int32_t low, std::int32_t close,
                    std::int32_t volume = 0, std::int32_t date = 0) {
  KLineBar bar;
  bar.date = date;
  bar.open = open;
  bar.high = high;
  bar.low = low;
  bar.close = close;
  bar.volume = volume;
  return bar;
}

// Bars whose open, high and low all equal the close.
inline std::vector<KLineBar> Closes(std::initializer_list<std::int32_t> closes) {
  std::vector<KLineBar> bars;
  for (std::int32_t close : closes) bars.push_back(Bar(close, close, close, close));
  return bars;
}

// n bars dated 1..n (or from firstDate), each a small candle around a drifting price.
inline std::vector<KLineBar> DatedSeries(int n, std::int32_t firstDate = 1) {
  std::vector<KLineBar> bars;
  for (int i = 0; i < n; ++i) {
    const std::int32_t close = 1000 + (i * 37) % 50;
    bars.push_back(Bar(close - 3, close + 5, close - 5, close, 100 + i, firstDate + i));
  }
  return bars;
}

}  // namespace tarvello::testing
