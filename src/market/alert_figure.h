// The figure of a price alert as the user types it and as "Alerts.ini" keeps it: decimal text
// with an optional leading minus and at most three decimals ("12.34", "-2.5", "8"), held as a
// whole number of thousandths so that prices of two and three decimals and change ratios in
// percent compare exactly. Pure functions, any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

// The largest figure accepted, in thousandths: one million, far above any price or ratio.
inline constexpr std::int64_t kAlertFigureLimit = 1'000'000'000;

// The figure in thousandths; nothing for text that is not such a number (empty, a lone sign or
// point, a second point, a fourth decimal, any other character) or lies beyond the limit.
std::optional<std::int64_t> ParseAlertFigure(std::u16string_view text);

// The text of a figure: at least two decimals, a third only when it is not zero ("12.30",
// "1.234", "-0.50").
std::u16string AlertFigureText(std::int64_t thousandths);

// A list figure (scaled by 10^decimals, 2 or 3 as DecimalsOf says) in thousandths.
std::int64_t FigureInThousandths(std::int32_t scaled, std::uint8_t decimals);

}  // namespace tarvello
