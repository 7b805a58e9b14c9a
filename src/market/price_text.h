// The price rules every screen shares: scaled integers shown with their security's decimals, the
// placeholder of a zero field, and the colour of a price against the previous close. Pure
// functions, any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "market/display_colours.h"

namespace tarvello {

inline constexpr std::u16string_view kNoDataText = u"--";
inline constexpr std::u16string_view kZeroText = u"0.00";

// The decimals a price is shown with: 3 when the security says 3, otherwise the usual 2 (also
// before its description has arrived).
int DecimalsOf(std::uint8_t priceDecimals);

// The price a scaled value stands for: value / 10^decimals.
double ScaledPrice(std::int64_t value, std::uint8_t priceDecimals);

// value / 10^decimals in "%.3f" for three decimals, "%.2f" otherwise: 1234 -> "12.34" or "1.234".
std::u16string PriceText(std::int32_t value, std::uint8_t priceDecimals);

// An intraday scale label: like PriceText, but "%.0f" when the scaled value exceeds 100000.
std::u16string ScaleLabelText(std::int32_t value, std::uint8_t priceDecimals);

// What a zero field shows: "--" while the security has no last price, else zeroForm ("0.00").
std::u16string ZeroFieldText(std::int32_t last, std::u16string_view zeroForm = kZeroText);

// A price field (last, open, high, an order-book price...): PriceText, or the placeholder at 0.
std::u16string PriceFieldText(std::int32_t value, std::int32_t last, std::uint8_t priceDecimals);

// Red above prevClose, green below, grey when equal; grey too for a zero price or while the
// security has no last price, since there is nothing to compare.
ColorRef PriceColour(std::int32_t price, std::int32_t prevClose, std::int32_t last);

}  // namespace tarvello
