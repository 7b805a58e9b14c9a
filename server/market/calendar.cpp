#include "server/market/calendar.h"

namespace tarvello::server {

// Day counting after Howard Hinnant's public-domain civil calendar algorithms.
std::int64_t DayNumberFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t year_of_era = y - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

int CivilDate(std::int64_t day_number) {
  const std::int64_t z = day_number + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return static_cast<int>(year * 10000 + month * 100 + day);
}

namespace {

// 0 = Monday ... 6 = Sunday; 1970-01-01 was a Thursday.
int Weekday(std::int64_t day_number) {
  const std::int64_t w = (day_number + 3) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

}  // namespace

bool IsTradingDay(std::int64_t day_number) { return Weekday(day_number) < 5; }

std::int64_t AddTradingDays(std::int64_t trading_day, std::int64_t count) {
  const std::int64_t weeks = count / 5;
  std::int64_t day = trading_day + weeks * 7;
  std::int64_t rest = count - weeks * 5;
  const int step = rest < 0 ? -1 : 1;
  while (rest != 0) {
    day += step;
    if (IsTradingDay(day)) rest -= step;
  }
  return day;
}

std::int64_t TradingDayOnOrBefore(std::int64_t day_number) {
  while (!IsTradingDay(day_number)) --day_number;
  return day_number;
}

std::int64_t WeekStart(std::int64_t day_number) { return day_number - Weekday(day_number); }

}  // namespace tarvello::server
