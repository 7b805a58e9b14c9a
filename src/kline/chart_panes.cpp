#include "kline/chart_panes.h"

#include "kline/chart_colours.h"

namespace tarvello {

const std::vector<PaneLine>& PriceAverageLines() {
  static const std::vector<PaneLine> lines{
      {&KLineBar::ma5, kChartWhite, 4}, {&KLineBar::ma10, kChartYellow, 9}, {&KLineBar::ma20, kChartMagenta, 19}};
  return lines;
}

PanePlan PlanIndicatorPane(KLineIndicator indicator, const IndicatorRanges& ranges) {
  PanePlan plan;
  switch (indicator) {
    case KLineIndicator::kVol:
      plan = {ranges.volMax > 0, 0, static_cast<double>(ranges.volMax), PaneMarks::kVolumeBars,
              {{&KLineBar::volMa5, kChartYellow, 5}, {&KLineBar::volMa10, kChartMagenta, 10}}};
      break;
    case KLineIndicator::kMacd:
      plan = {true, ranges.macdMin, ranges.macdMax, PaneMarks::kMacdBars,
              {{&KLineBar::dif, kChartWhite, 0}, {&KLineBar::dea, kChartYellow, 0}}};
      break;
    case KLineIndicator::kKdj:
      plan = {true, 0, 100, PaneMarks::kNone,
              {{&KLineBar::k, kChartWhite, 0}, {&KLineBar::d, kChartYellow, 0}, {&KLineBar::j, kChartMagenta, 0}}};
      break;
    case KLineIndicator::kRsi:
      plan = {true, 0, 100, PaneMarks::kNone, {{&KLineBar::rsi6, kChartWhite, 0}, {&KLineBar::rsi12, kChartYellow, 0}}};
      break;
    case KLineIndicator::kBias:
      plan = {true, -15, 15, PaneMarks::kNone,
              {{&KLineBar::bias5, kChartWhite, 0}, {&KLineBar::bias10, kChartYellow, 0}}};
      break;
    case KLineIndicator::kCci:
      plan = {true, ranges.cciMin, ranges.cciMax, PaneMarks::kNone, {{&KLineBar::cci, kChartWhite, 0}}};
      break;
    case KLineIndicator::kBoll:
      plan = {true, ranges.bollMin, ranges.bollMax, PaneMarks::kCandles,
              {{&KLineBar::bollMid, kChartWhite, 0},
               {&KLineBar::bollUp, kChartYellow, 0},
               {&KLineBar::bollDown, kChartMagenta, 0}}};
      break;
    case KLineIndicator::kWr:
      plan = {true, 0, 100, PaneMarks::kNone, {{&KLineBar::wr6, kChartWhite, 0}, {&KLineBar::wr10, kChartYellow, 0}}};
      break;
  }
  return plan;
}

}  // namespace tarvello
