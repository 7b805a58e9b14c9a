// What each pane of the K-line chart draws: the lines of the price pane (the three price
// averages) and, for the selected indicator, the lower pane's value range, its lines and the bars
// or candles it draws besides. A line joins each visible bar to the next one from its first bar on.
// Pure functions, any thread.
#pragma once

#include <vector>

#include "kline/kline_bar.h"
#include "kline/kline_indicators.h"
#include "market/display_colours.h"

namespace tarvello {

struct PaneLine {
  float KLineBar::*field = nullptr;
  ColorRef colour = 0xFFFFFF;
  int firstBar = 0;  // no segment starts before this bar of the series
};

enum class PaneMarks {
  kNone,
  kVolumeBars,  // volume bars from the pane bottom
  kMacdBars,    // the histogram as vertical lines from the zero level
  kCandles,     // the price candles at the pane's own scale
};

struct PanePlan {
  bool drawn = true;  // false: the range is empty and nothing is drawn
  double minimum = 0;
  double maximum = 0;
  PaneMarks marks = PaneMarks::kNone;
  std::vector<PaneLine> lines;
};

// MA5 white from bar 4, MA10 yellow from bar 9, MA20 magenta from bar 19.
const std::vector<PaneLine>& PriceAverageLines();

PanePlan PlanIndicatorPane(KLineIndicator indicator, const IndicatorRanges& ranges);

}  // namespace tarvello
