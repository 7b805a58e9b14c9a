#include "server/market/sim_clock.h"

#include <cstdio>
#include <ctime>

#include "server/market/calendar.h"

namespace tarvello::server {

namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kOpening = 9 * 3600 + 30 * 60;
constexpr int kMorningSpan = 2 * 3600;

}  // namespace

int SimTime::Date() const { return CivilDate(day); }

int SimTime::Hhmmss() const {
  return seconds_of_day / 3600 * 10000 + seconds_of_day / 60 % 60 * 100 + seconds_of_day % 60;
}

SimClock::SimClock(SimTime start, double speed)
    : start_(start), speed_(speed), origin_(std::chrono::steady_clock::now()) {}

SimTime SimClock::Now() const {
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
  const std::int64_t total = start_.Tick() + static_cast<std::int64_t>(elapsed * speed_);
  SimTime now;
  now.day = total / kSecondsPerDay;
  now.seconds_of_day = static_cast<int>(total % kSecondsPerDay);
  return now;
}

std::optional<SimTime> ParseSimTime(const std::string& text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &year, &month, &day, &hour, &minute, &tail) != 5) {
    return std::nullopt;
  }
  if (year < 2000 || year > 2100 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
      minute > 59 || hour < 0 || minute < 0) {
    return std::nullopt;
  }
  const std::int64_t number = DayNumberFromCivil(year, month, day);
  if (CivilDate(number) != year * 10000 + month * 100 + day) return std::nullopt;
  return SimTime{number, hour * 3600 + minute * 60};
}

SimTime DefaultStart() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::int64_t today = DayNumberFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  const int seconds = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return SimTime{TradingDayOnOrBefore(today), kOpening + seconds % kMorningSpan};
}

}  // namespace tarvello::server
