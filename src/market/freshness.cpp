#include "market/freshness.h"

#include "text/text_codec.h"

namespace tarvello {

std::u16string AgeText(std::chrono::seconds age) {
  const long long s = std::max<long long>(0, age.count());
  if (s < 60) return text::FromAscii(std::to_string(s)) + u"秒前";
  if (s < 3600) return text::FromAscii(std::to_string(s / 60)) + u"分钟前";
  return text::FromAscii(std::to_string(s / 3600)) + u"小时前";
}

std::optional<std::u16string> StaleAge(std::chrono::milliseconds age, std::chrono::milliseconds period, bool trading) {
  // A screen that does not refresh (period zero) shows a one-off answer, which cannot fall behind.
  if (!trading || period <= std::chrono::milliseconds::zero() || age <= 2 * period) return std::nullopt;
  return AgeText(std::chrono::duration_cast<std::chrono::seconds>(age));
}

}  // namespace tarvello
