// The texts of the K-line chart: the quote line, the average labels of the cursor bar, the price
// axis, the bar dates, the indicator's label row and axis, and the nine rows of the cursor's info
// box. Prices are scaled integers shown with the security's decimals (3 when it says 3, else 2).
// Every division that could meet a zero shows the zero form instead, so no text ever reads "inf"
// or "nan". Pure functions, any thread.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kline/kline_bar.h"
#include "kline/kline_indicators.h"
#include "market/display_colours.h"
#include "market/quote_records.h"

namespace tarvello {

struct ChartText {
  std::u16string text;
  ColorRef colour = 0xFFFFFF;
  friend bool operator==(const ChartText&, const ChartText&) = default;
};

// "12.34   1.23%   0.34" of last against prevClose, red above, green below, white when equal.
ChartText HeaderQuote(const QuoteSnapshot& quote, std::uint8_t priceDecimals);

// "MA5:12.34" (white), "MA10:..." (yellow), "MA20:..." (magenta) of a bar's price averages.
std::array<ChartText, 3> AverageLabels(const KLineBar& bar, std::uint8_t priceDecimals);

// The four price labels from the top of the price pane down to its bottom, in thirds.
std::array<std::u16string, 4> PriceAxisLabels(const IndicatorRanges& ranges, std::uint8_t priceDecimals);

// The integer date for day and longer periods; "MMDD HH:MM" of the packed time for minute periods.
std::u16string BarDateText(std::int32_t date, KLinePeriod period);
// "< first" and "last >" of the visible window; "< 0" and "0 >" without bars.
std::array<std::u16string, 2> DateRowTexts(std::span<const KLineBar> bars, int first, int end, KLinePeriod period);

// The label row (the title in cyan, then the values in white, yellow, magenta) and the axis
// labels (top, middle, bottom; none for VOL) of the selected indicator at the cursor bar.
struct IndicatorTexts {
  std::vector<ChartText> row;
  std::vector<std::u16string> axis;
};
IndicatorTexts IndicatorTextsFor(KLineIndicator indicator, const KLineBar& bar, const IndicatorRanges& ranges,
                                 std::uint8_t priceDecimals);

struct InfoRow {
  std::u16string label;
  ChartText value;
};
// 时 开 高 低 收 幅 量 额 换 of bar index, compared with the close before it (the first bar with
// its own open).
std::array<InfoRow, 9> InfoBoxRows(std::span<const KLineBar> bars, int index, const QuoteSnapshot& quote,
                                   std::uint8_t priceDecimals, KLinePeriod period);

}  // namespace tarvello
