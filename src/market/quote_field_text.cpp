#include "market/quote_field_text.h"

#include "market/price_text.h"
#include "market/printf_text.h"
#include "market/quote_records.h"

namespace tarvello {

namespace {
constexpr std::int32_t kLastTimeOfDay = 2359;
constexpr std::int32_t kMinutesPerHour = 60;
}  // namespace

std::u16string AmplitudeText(std::int32_t high, std::int32_t low, std::uint8_t priceDecimals) {
  if (high == low) return u"0.00%";
  if (low == 0) return std::u16string(kNoDataText);
  const double amplitude = static_cast<double>(std::int64_t{high} - low) / low * 100.0;
  return DecimalsOf(priceDecimals) == 3 ? PrintfText("%.3f%%", amplitude)
                                        : PrintfText("%.2f%%", amplitude);
}

bool ShowsTurnover(std::uint8_t securityType) {
  return securityType != kSecurityTypeIndex && securityType != kSecurityTypeIndexFuture &&
         securityType != kSecurityTypeNoTurnover;
}

std::u16string TurnoverText(std::int32_t volume, std::int32_t turnoverBase, std::int32_t last) {
  if (volume < 1) return ZeroFieldText(last, u"0.000%");
  if (turnoverBase == 0) return std::u16string(kNoDataText);
  return PrintfText("%.3f%%", static_cast<double>(volume) / turnoverBase);
}

std::u16string BreadthText(std::int32_t count) { return PrintfText("%d家", count); }

std::u16string TimeOfDayText(std::int32_t hhmm) {
  const std::int32_t hours = hhmm / 100;
  const std::int32_t minutes = hhmm % 100;
  if (hhmm < 0 || hhmm > kLastTimeOfDay || minutes >= kMinutesPerHour)
    return std::u16string(kNoDataText);
  return PrintfText("%02d:%02d", hours, minutes);
}

std::u16string TurnoverRateText(std::int32_t turnoverRate, std::int32_t last) {
  if (turnoverRate == 0) return ZeroFieldText(last, u"0.000%");
  return PrintfText("%.3f%%", turnoverRate * 0.001);
}

std::u16string PeRatioText(std::int32_t peRatio, std::int32_t last) {
  if (peRatio == 0) return ZeroFieldText(last, u"0.0");
  return PrintfText("%.1f", peRatio * 0.001);
}

std::u16string EarningsText(std::int32_t earnings, std::int32_t last) {
  if (earnings == 0) return ZeroFieldText(last, u"0.000");
  return PrintfText("%.3f", earnings * 0.001);
}

std::u16string EarningsLabel(std::uint8_t earningsQuarter) {
  switch (earningsQuarter) {
    case 1:
      return u"收益(一)";
    case 2:
      return u"收益(二)";
    case 3:
      return u"收益(三)";
    default:
      return u"收益";
  }
}

ColouredText OrderRatioOf(std::int32_t orderRatio, std::uint8_t priceDecimals, std::int32_t last) {
  if (orderRatio == 0) return {ZeroFieldText(last, u"0.00%"), kFlatGrey};
  const double percent = ScaledPrice(orderRatio, priceDecimals);
  std::u16string text = DecimalsOf(priceDecimals) == 3 ? PrintfText("%.3f%%", percent)
                                                       : PrintfText("%.2f%%", percent);
  return {std::move(text), orderRatio > 0 ? kRiseRed : kFallGreen};
}

std::u16string VolumeRatioText(std::int32_t volumeRatio, std::int32_t last) {
  if (volumeRatio == 0) return ZeroFieldText(last, u"0.00%");
  return PrintfText("%.2f%%", volumeRatio * 0.0001);
}

}  // namespace tarvello
