#include "traffic/traffic_totals.h"

namespace tarvello {

int DayNumber(const TrafficDate& date) { return MonthNumber(date) * 100 + date.day; }

int MonthNumber(const TrafficDate& date) { return date.year * 100 + date.month; }

int PreviousMonth(int month) { return month % 100 == 1 ? month - 100 + 11 : month - 1; }

bool RollTo(TrafficTotals& totals, const TrafficDate& date) {
  const int day = DayNumber(date);
  const int month = MonthNumber(date);
  if (totals.day == day && totals.month == month) return false;
  if (totals.month != month) {
    const bool follows = totals.month != 0 && totals.month == PreviousMonth(month);
    totals.last_month = PreviousMonth(month);
    totals.last_month_bytes = follows ? totals.this_month : 0;
    totals.month = month;
    totals.this_month = 0;
    totals.screens = {};
  }
  if (totals.day != day) {
    totals.day = day;
    totals.today = 0;
  }
  return true;
}

void ClearCounts(TrafficTotals& totals) {
  totals.today = 0;
  totals.this_month = 0;
  totals.screens = {};
  totals.last_month_bytes = 0;
  totals.warned_month = 0;
}

}  // namespace tarvello
