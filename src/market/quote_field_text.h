// Texts of the further quote fields the screens share: amplitude, turnover, breadth counts, times
// of day and the fields of the extra quote block. A figure that would divide by zero shows "--".
// Pure functions, any thread.
#pragma once

#include <cstdint>
#include <string>

#include "market/display_colours.h"

namespace tarvello {

struct ColouredText {
  std::u16string text;
  ColorRef colour = kFlatGrey;
};

// (high - low) / low x 100 in "%.3f%%" for three decimals, "%.2f%%" otherwise; "0.00%" when high
// equals low; "--" when low is 0 and high is not.
std::u16string AmplitudeText(std::int32_t high, std::int32_t low, std::uint8_t priceDecimals);

// Indices, index futures and the kind 14 show no turnover.
bool ShowsTurnover(std::uint8_t securityType);

// volume / turnoverBase in percent, "%.3f%%". A volume below 1 shows "0.000%" (or "--" without a
// last price); a zero turnoverBase with a positive volume shows "--".
std::u16string TurnoverText(std::int32_t volume, std::int32_t turnoverBase, std::int32_t last);

// "%d家": the members of an index that rose, stayed flat or fell.
std::u16string BreadthText(std::int32_t count);

// An HHMM time of day as "HH:MM" (930 -> "09:30"); a value that is no time of day shows "--".
std::u16string TimeOfDayText(std::int32_t hhmm);

// 换手 from the extra block: rate x 0.001 in "%.3f%%"; at 0 "0.000%" or "--" without a last price.
std::u16string TurnoverRateText(std::int32_t turnoverRate, std::int32_t last);
// 市盈(动): peRatio x 0.001 in "%.1f"; at 0 "--" without a last price.
std::u16string PeRatioText(std::int32_t peRatio, std::int32_t last);
// 收益: earnings x 0.001 in "%.3f"; at 0 "--" without a last price.
std::u16string EarningsText(std::int32_t earnings, std::int32_t last);
// "收益(一)", "收益(二)", "收益(三)" for quarters 1 to 3, else "收益".
std::u16string EarningsLabel(std::uint8_t earningsQuarter);
// 委比: orderRatio / 10^decimals in "%.2f%%" ("%.3f%%" for three decimals), red above 0, green
// below; at 0 grey "0.00%", or "--" without a last price.
ColouredText OrderRatioOf(std::int32_t orderRatio, std::uint8_t priceDecimals, std::int32_t last);
// 量比: volumeRatio x 0.0001 in "%.2f%%"; at 0 "--" without a last price.
std::u16string VolumeRatioText(std::int32_t volumeRatio, std::int32_t last);

}  // namespace tarvello
