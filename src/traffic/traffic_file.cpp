#include "traffic/traffic_file.h"

#include <numeric>
#include <optional>

#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello {
namespace {

constexpr std::u16string_view kCounts = u"TRAFFIC";
constexpr std::u16string_view kAllowance = u"ALLOWANCE";
constexpr std::u16string_view kScreenKeys[kTrafficScreenCount] = {
    u"TICKER", u"DETAIL", u"KLINE", u"LIST", u"FUTURES", u"INFO", u"PAGES", u"ALERTS", u"OTHER"};
// A file the program writes stays far below this; bytes past it are not read.
constexpr std::size_t kReadLimit = 16 * 1024;
constexpr std::size_t kMaxDigits = 19;  // every such number fits in 64 bits

std::optional<std::uint64_t> Number(std::u16string_view text, std::u16string_view section,
                                    std::u16string_view key) {
  const std::optional<std::u16string> value = profile_text::GetSectionValue(text, section, key);
  if (!value || value->empty() || value->size() > kMaxDigits) return std::nullopt;
  std::uint64_t number = 0;
  for (const char16_t c : *value) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  return number;
}

bool IsMonth(std::uint64_t month) {
  return month / 100 >= 1970 && month / 100 <= 9999 && month % 100 >= 1 && month % 100 <= 12;
}

// The counts section, or nothing when it does not hold together.
std::optional<TrafficTotals> ReadCounts(std::u16string_view text) {
  const auto day = Number(text, kCounts, u"DAY");
  const auto today = Number(text, kCounts, u"TODAY");
  const auto month = Number(text, kCounts, u"MONTH");
  const auto bytes = Number(text, kCounts, u"MONTHBYTES");
  const auto last = Number(text, kCounts, u"LASTMONTH");
  const auto last_bytes = Number(text, kCounts, u"LASTBYTES");
  if (!day || !today || !month || !bytes || !last || !last_bytes) return std::nullopt;
  if (!IsMonth(*month) || *day / 100 != *month || *day % 100 < 1 || *day % 100 > 31)
    return std::nullopt;
  if ((*last != 0 && !IsMonth(*last)) || *today > *bytes) return std::nullopt;
  TrafficTotals totals;
  for (int screen = 0; screen < kTrafficScreenCount; ++screen) {
    const auto share = Number(text, kCounts, kScreenKeys[screen]);
    if (!share) return std::nullopt;
    totals.screens[static_cast<std::size_t>(screen)] = *share;
  }
  // Shares are at most the month each, so their sum cannot wrap.
  for (const std::uint64_t share : totals.screens) {
    if (share > *bytes) return std::nullopt;
  }
  if (std::accumulate(totals.screens.begin(), totals.screens.end(), std::uint64_t{0}) != *bytes)
    return std::nullopt;
  totals.day = static_cast<int>(*day);
  totals.today = *today;
  totals.month = static_cast<int>(*month);
  totals.this_month = *bytes;
  totals.last_month = static_cast<int>(*last);
  totals.last_month_bytes = *last_bytes;
  return totals;
}

std::u16string Text(std::uint64_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

TrafficTotals ReadTrafficText(std::u16string_view text) {
  TrafficTotals totals = ReadCounts(text).value_or(TrafficTotals{});
  const auto limit = Number(text, kAllowance, u"LIMITMB");
  const auto warned = Number(text, kAllowance, u"WARNED");
  if (limit && *limit <= kMaxAllowanceMb) totals.allowance_mb = static_cast<int>(*limit);
  if (warned && IsMonth(*warned)) totals.warned_month = static_cast<int>(*warned);
  return totals;
}

std::u16string TrafficText(const TrafficTotals& totals) {
  // Entries go in after their section header, so they are set last to first.
  std::u16string text =
      u"[" + std::u16string(kCounts) + u"]\r\n[" + std::u16string(kAllowance) + u"]\r\n";
  const auto set = [&text](std::u16string_view section, std::u16string_view key,
                           std::uint64_t value) {
    text = profile_text::SetValue(text, section, key, Text(value)).value_or(text);
  };
  set(kAllowance, u"WARNED", static_cast<std::uint64_t>(totals.warned_month));
  set(kAllowance, u"LIMITMB", static_cast<std::uint64_t>(totals.allowance_mb));
  for (int screen = kTrafficScreenCount - 1; screen >= 0; --screen) {
    set(kCounts, kScreenKeys[screen], totals.screens[static_cast<std::size_t>(screen)]);
  }
  set(kCounts, u"LASTBYTES", totals.last_month_bytes);
  set(kCounts, u"LASTMONTH", static_cast<std::uint64_t>(totals.last_month));
  set(kCounts, u"MONTHBYTES", totals.this_month);
  set(kCounts, u"MONTH", static_cast<std::uint64_t>(totals.month));
  set(kCounts, u"TODAY", totals.today);
  set(kCounts, u"DAY", static_cast<std::uint64_t>(totals.day));
  return text;
}

TrafficTotals LoadTraffic(const std::filesystem::path& file) {
  std::string bytes;
  if (ReadWholeFile(file, bytes) != ReadResult::kRead) return {};
  if (bytes.size() > kReadLimit) bytes.resize(kReadLimit);
  return ReadTrafficText(DecodeUtf16Le(bytes));
}

bool SaveTraffic(const std::filesystem::path& file, const TrafficTotals& totals) {
  return ReplaceFile(file, EncodeUtf16Le(TrafficText(totals)));
}

}  // namespace tarvello
