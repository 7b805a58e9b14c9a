// TrafficTotals: what the terminal keeps of the data it used: today's bytes, this month's (in all
// and by screen), last month's, and the monthly allowance with the month whose 80 % warning has
// been given. RollTo brings the totals to a new calendar day: a new day starts today's count
// again, a new month moves this month's total to last month (or, when a whole month or more was
// skipped, leaves last month at zero) and starts the month again. Plain data and pure functions.
#pragma once

#include <array>
#include <cstdint>

#include "traffic/traffic_meter.h"

namespace tarvello {

// A local calendar day.
struct TrafficDate {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  friend bool operator==(const TrafficDate&, const TrafficDate&) = default;
};

// yyyymmdd and yyyymm, the forms the file keeps.
int DayNumber(const TrafficDate& date);
int MonthNumber(const TrafficDate& date);
// The month before a yyyymm month.
int PreviousMonth(int month);

struct TrafficTotals {
  int day = 0;  // yyyymmdd of today's count; 0 before the first
  std::uint64_t today = 0;
  int month = 0;  // yyyymm of this month's count; 0 before the first
  std::uint64_t this_month = 0;
  std::array<std::uint64_t, kTrafficScreenCount> screens{};  // this month, by screen
  int last_month = 0;                                        // yyyymm; 0 when unknown
  std::uint64_t last_month_bytes = 0;
  int allowance_mb = 0;  // 0: no allowance
  int warned_month = 0;  // yyyymm of the month whose 80 % warning was given
  friend bool operator==(const TrafficTotals&, const TrafficTotals&) = default;
};

// True when anything changed.
bool RollTo(TrafficTotals& totals, const TrafficDate& date);

// Zero counts, with the day and month kept and the allowance as it was.
void ClearCounts(TrafficTotals& totals);

}  // namespace tarvello
