#include "market/volume_text.h"

#include "market/price_text.h"
#include "market/printf_text.h"
#include "market/quote_records.h"

namespace tarvello {

namespace {
constexpr std::int32_t kIndexPlainUpTo = 100;
constexpr std::int32_t kIndexWanUpTo = 1000000;
constexpr std::int32_t kSharePlainUpTo = 100000;
}  // namespace

std::u16string ShareVolumeText(std::int32_t volume, std::int32_t last) {
  if (volume == 0) return ZeroFieldText(last);
  if (volume <= kSharePlainUpTo) return PrintfText("%d", volume);
  return PrintfText("%0.2f万", volume * 0.0001);
}

std::u16string VolumeText(std::int32_t volume, std::uint8_t securityType, std::int32_t last) {
  if (securityType != kSecurityTypeIndex) return ShareVolumeText(volume, last);
  if (volume == 0) return ZeroFieldText(last);
  // Widened first: a negative count from a damaged answer must not overflow when scaled.
  if (volume <= kIndexPlainUpTo) return PrintfText("%lld", static_cast<long long>(volume) * 100);
  if (volume <= kIndexWanUpTo) return PrintfText("%0.1f万", volume * 0.01);
  return PrintfText("%0.2f亿", volume * 0.000001);
}

}  // namespace tarvello
