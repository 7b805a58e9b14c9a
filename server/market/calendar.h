// Calendar arithmetic of the simulated market: civil dates as day numbers (days since
// 1970-01-01), YYYYMMDD integers, weekdays, and trading days (Monday to Friday; the simulated
// exchanges keep no holidays). Pure functions; safe from any thread.
#pragma once

#include <cstdint>

namespace tarvello::server {

std::int64_t DayNumberFromCivil(int year, int month, int day);
// YYYYMMDD of a day number.
int CivilDate(std::int64_t day_number);
bool IsTradingDay(std::int64_t day_number);
// The trading day `count` trading days after (count > 0) or before (count < 0) a trading day.
std::int64_t AddTradingDays(std::int64_t trading_day, std::int64_t count);
// The latest trading day on or before a day.
std::int64_t TradingDayOnOrBefore(std::int64_t day_number);
// Monday of the week of a day.
std::int64_t WeekStart(std::int64_t day_number);

}  // namespace tarvello::server
