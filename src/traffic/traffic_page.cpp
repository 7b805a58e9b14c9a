#include "traffic/traffic_page.h"

#include <cstdio>

#include "traffic/traffic_allowance.h"
#include "traffic/traffic_units.h"

namespace tarvello {
namespace {

constexpr std::u16string_view kNames[kTrafficScreenCount] = {u"主界面指数", u"个股行情", u"K线图",
                                                             u"行情列表",   u"股指期货", u"资讯",
                                                             u"直播网页",   u"预警",     u"其他"};
constexpr std::uint64_t kSecondsPerHour = 3600;

std::u16string Narrow(const char* text) {
  const std::string_view view(text);
  return std::u16string(view.begin(), view.end());
}

// Tenths of a percent of whole, rounded: "23.4%".
std::u16string Percent(std::uint64_t part, std::uint64_t whole) {
  const std::uint64_t tenths = whole == 0 ? 0 : (part * 1000 + whole / 2) / whole;
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%llu%%", static_cast<unsigned long long>(tenths / 10),
                static_cast<unsigned long long>(tenths % 10));
  return Narrow(text);
}

TrafficTotalRow TotalRow(std::u16string_view label, std::uint64_t bytes) {
  return {std::u16string(label), KilobyteText(bytes), MegabyteText(bytes)};
}

std::u16string HourlyText(std::size_t exchange, int period_seconds) {
  if (exchange == 0 || period_seconds <= 0) return u"--";
  const std::uint64_t hourly =
      exchange * kSecondsPerHour / static_cast<std::uint64_t>(period_seconds);
  return hourly < kBytesPerMb ? KilobyteText(hourly) : MegabyteText(hourly);
}

std::u16string AllowanceText(const TrafficTotals& totals) {
  if (totals.allowance_mb <= 0) return u"流量限额：关闭";
  const std::uint64_t allowance = static_cast<std::uint64_t>(totals.allowance_mb) * kBytesPerMb;
  return u"流量限额：" + AllowanceChoiceText(totals.allowance_mb) + u"（已用" +
         Percent(totals.this_month, allowance) + u"）";
}

}  // namespace

std::u16string AllowanceChoiceText(int megabytes) {
  return megabytes <= 0 ? u"关闭" : Narrow(std::to_string(megabytes).c_str()) + u"MB";
}

std::u16string CacheSizeText(std::uint64_t bytes) { return u"缓存：" + KilobyteText(bytes); }

TrafficPage BuildTrafficPage(const TrafficReport& report, const TrafficPeriods& periods) {
  const TrafficTotals& totals = report.totals;
  TrafficPage page;
  page.totals = {TotalRow(u"今日", totals.today), TotalRow(u"本月", totals.this_month),
                 TotalRow(u"上月", totals.last_month_bytes)};
  page.allowance = AllowanceText(totals);
  page.saving = report.saving;
  for (int screen = 0; screen < kTrafficScreenCount; ++screen) {
    const auto index = static_cast<std::size_t>(screen);
    page.screens.push_back({std::u16string(kNames[index]),
                            Percent(totals.screens[index], totals.this_month),
                            KilobyteText(totals.screens[index]),
                            HourlyText(report.last_exchange[index], periods[index])});
  }
  return page;
}

}  // namespace tarvello
