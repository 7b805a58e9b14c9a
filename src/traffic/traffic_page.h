// The figures of the statistics page "流量统计", ready to draw: today's, this month's and last
// month's use in KB and MB, the allowance, and for each part of the program its share of the
// month and what one refresh of it costs in an hour at its current period (the bytes of its
// last exchange, times the refreshes an hour holds). Pure functions, any thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "traffic/traffic_ledger.h"

namespace tarvello {

inline constexpr std::u16string_view kTrafficPageTitle = u"流量统计";
inline constexpr std::u16string_view kClearQuestion = u"确定将流量统计清零吗?";
inline constexpr std::u16string_view kClearCacheLine = u"清除缓存";
inline constexpr std::u16string_view kClearCacheQuestion = u"确定清除缓存吗?";
// The allowances offered, in MB; 0 turns it off.
inline constexpr std::array<int, 9> kAllowanceChoices = {0, 10, 20, 30, 50, 100, 200, 500, 1000};

struct TrafficTotalRow {
  std::u16string label, kilobytes, megabytes;
};

struct TrafficScreenRow {
  std::u16string name, share, month, hourly;
};

struct TrafficPage {
  std::array<TrafficTotalRow, 3> totals;  // today, this month, last month
  std::u16string allowance;  // "流量限额：关闭", "流量限额：50MB（已用23%）"
  bool saving = false;
  std::vector<TrafficScreenRow> screens;  // every part of the program, in TrafficScreen order
};

// Refresh periods in seconds by part of the program, as the timers run now; 0 for a part that
// does not refresh by itself.
using TrafficPeriods = std::array<int, kTrafficScreenCount>;

TrafficPage BuildTrafficPage(const TrafficReport& report, const TrafficPeriods& periods);
// "关闭" or "50MB".
std::u16string AllowanceChoiceText(int megabytes);
// What the answer cache takes on disk: "缓存：12.3KB".
std::u16string CacheSizeText(std::uint64_t bytes);

}  // namespace tarvello
