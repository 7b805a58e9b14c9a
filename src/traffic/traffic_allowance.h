// The monthly allowance: off at 0 MB; at 80 % of it the terminal warns once a month; past it every
// refresh period is doubled until the month turns or the allowance is raised above what the
// month has used. Pure functions.
#pragma once

#include <cstdint>
#include <string>

#include "traffic/traffic_totals.h"

namespace tarvello {

inline constexpr std::uint64_t kBytesPerMb = 1024 * 1024;
inline constexpr int kWarnPercent = 80;

// The month has used more than the allowance.
bool AllowanceExceeded(const TrafficTotals& totals);
// The month has reached 80 % of the allowance and has not been warned yet.
bool WarningDue(const TrafficTotals& totals);
// The text of the warning box, with the month's use and the allowance.
std::u16string AllowanceWarningText(const TrafficTotals& totals);

}  // namespace tarvello
