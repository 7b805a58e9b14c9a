#include "market/price_text.h"

#include "market/printf_text.h"

namespace tarvello {

namespace {
constexpr std::int32_t kWholeScaleLabelAbove = 100000;
}  // namespace

int DecimalsOf(std::uint8_t priceDecimals) { return priceDecimals == 3 ? 3 : 2; }

double ScaledPrice(std::int64_t value, std::uint8_t priceDecimals) {
  return static_cast<double>(value) / (DecimalsOf(priceDecimals) == 3 ? 1000.0 : 100.0);
}

std::u16string PriceText(std::int32_t value, std::uint8_t priceDecimals) {
  const double price = ScaledPrice(value, priceDecimals);
  return DecimalsOf(priceDecimals) == 3 ? PrintfText("%.3f", price) : PrintfText("%.2f", price);
}

std::u16string ScaleLabelText(std::int32_t value, std::uint8_t priceDecimals) {
  if (value <= kWholeScaleLabelAbove) return PriceText(value, priceDecimals);
  return PrintfText("%.0f", ScaledPrice(value, priceDecimals));
}

std::u16string ZeroFieldText(std::int32_t last, std::u16string_view zeroForm) {
  return std::u16string(last == 0 ? kNoDataText : zeroForm);
}

std::u16string PriceFieldText(std::int32_t value, std::int32_t last, std::uint8_t priceDecimals) {
  if (value == 0) return ZeroFieldText(last);
  return PriceText(value, priceDecimals);
}

ColorRef PriceColour(std::int32_t price, std::int32_t prevClose, std::int32_t last) {
  if (price == 0 || last == 0 || price == prevClose) return kFlatGrey;
  return price > prevClose ? kRiseRed : kFallGreen;
}

}  // namespace tarvello
