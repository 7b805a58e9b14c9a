#include "market/alert_figure.h"

#include <cstdlib>

#include "market/price_text.h"

namespace tarvello {

namespace {

constexpr int kDecimals = 3;

std::u16string Digits(std::int64_t value, std::size_t width) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  while (text.size() < width) text.insert(text.begin(), u'0');
  return text;
}

}  // namespace

std::optional<std::int64_t> ParseAlertFigure(std::u16string_view text) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  std::int64_t value = 0;
  int decimals = -1;  // -1 until the point
  bool anyDigit = false;
  for (const char16_t c : text) {
    if (c == u'.') {
      if (decimals >= 0) return std::nullopt;
      decimals = 0;
      continue;
    }
    if (c < u'0' || c > u'9' || decimals == kDecimals) return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > kAlertFigureLimit) return std::nullopt;
    anyDigit = true;
    if (decimals >= 0) ++decimals;
  }
  if (!anyDigit) return std::nullopt;
  for (int d = decimals < 0 ? 0 : decimals; d < kDecimals; ++d) value *= 10;
  if (value > kAlertFigureLimit) return std::nullopt;
  return negative ? -value : value;
}

std::u16string AlertFigureText(std::int64_t thousandths) {
  const std::int64_t magnitude = std::llabs(thousandths);
  std::u16string fraction = Digits(magnitude % 1000, kDecimals);
  if (fraction.back() == u'0') fraction.pop_back();
  return (thousandths < 0 ? u"-" : u"") + Digits(magnitude / 1000, 1) + u"." + fraction;
}

std::int64_t FigureInThousandths(std::int32_t scaled, std::uint8_t decimals) {
  return DecimalsOf(decimals) == kDecimals ? scaled : std::int64_t{scaled} * 10;
}

}  // namespace tarvello
