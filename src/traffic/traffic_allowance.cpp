#include "traffic/traffic_allowance.h"

#include "traffic/traffic_units.h"

namespace tarvello {
namespace {

std::uint64_t AllowanceBytes(const TrafficTotals& totals) {
  return static_cast<std::uint64_t>(totals.allowance_mb) * kBytesPerMb;
}

}  // namespace

bool AllowanceExceeded(const TrafficTotals& totals) {
  return totals.allowance_mb > 0 && totals.this_month > AllowanceBytes(totals);
}

bool WarningDue(const TrafficTotals& totals) {
  return totals.allowance_mb > 0 && totals.warned_month != totals.month &&
         totals.this_month * 100 >= AllowanceBytes(totals) * kWarnPercent;
}

std::u16string AllowanceWarningText(const TrafficTotals& totals) {
  const std::string limit = std::to_string(totals.allowance_mb);
  return u"本月已用流量" + MegabyteText(totals.this_month) + u"，\n已超过流量限额" +
         std::u16string(limit.begin(), limit.end()) + u"MB的80%。\n用完限额后，刷新周期将加倍。";
}

}  // namespace tarvello
