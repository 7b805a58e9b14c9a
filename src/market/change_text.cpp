#include "market/change_text.h"

#include "market/price_text.h"
#include "market/printf_text.h"

namespace tarvello {

ChangeTexts ChangeOf(std::int32_t last, std::int32_t prevClose, std::uint8_t priceDecimals,
                     ColorRef flatColour) {
  if (last == 0) return {std::u16string(kNoDataText), std::u16string(kNoDataText), flatColour};
  const std::int64_t difference = std::int64_t{last} - prevClose;
  if (difference == 0) return {u"0.00", u"0.00%", flatColour};

  const double change = ScaledPrice(difference, priceDecimals);
  // Single precision, as the figures have always been computed on the handheld. Without a
  // previous close there is nothing to divide by: the percent is 0.
  const float percent =
      prevClose == 0 ? 0.0f : static_cast<float>(difference) / static_cast<float>(prevClose) * 100.0f;
  if (difference > 0) {
    return {PrintfText("+%.2f", change), PrintfText("+%.2f%%", static_cast<double>(percent)),
            kRiseRed};
  }
  return {PrintfText("%.2f", change), PrintfText("%.2f%%", static_cast<double>(percent)),
          kFallGreen};
}

}  // namespace tarvello
