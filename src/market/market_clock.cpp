#include "market/market_clock.h"

#include <chrono>
#include <ctime>
#include <mutex>
#include <optional>

namespace tarvello {
namespace {

using std::chrono::steady_clock;

struct Anchor {
  std::chrono::sys_seconds market;  // the server's time, read as if it were UTC
  steady_clock::time_point local;
};

std::mutex g_mutex;
std::optional<Anchor> g_anchor;  // guarded by g_mutex

std::chrono::sys_seconds FromMarketTime(MarketTime at) {
  using namespace std::chrono;
  const year_month_day day{year(at.date / 10000), month(static_cast<unsigned>(at.date / 100 % 100)),
                           std::chrono::day(static_cast<unsigned>(at.date % 100))};
  return sys_days(day) + hours(at.hhmmss / 10000) + minutes(at.hhmmss / 100 % 100) + seconds(at.hhmmss % 100);
}

MarketTime ToMarketTime(std::chrono::sys_seconds at) {
  using namespace std::chrono;
  const sys_days day = floor<days>(at);
  const year_month_day date(day);
  const hh_mm_ss<seconds> time(at - day);
  return {static_cast<int>(date.year()) * 10000 + static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
              static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<std::int32_t>(time.hours().count() * 10000 + time.minutes().count() * 100 + time.seconds().count())};
}

MarketTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {(local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday,
          local.tm_hour * 10000 + local.tm_min * 100 + local.tm_sec};
}

}  // namespace

void SetMarketTime(MarketTime server) {
  const int month = server.date / 100 % 100;
  const int day = server.date % 100;
  const bool sensible = server.date >= 19000101 && server.date <= 99991231 && month >= 1 && month <= 12 &&
                        day >= 1 && day <= 31 && server.hhmmss >= 0 && server.hhmmss / 10000 < 24 &&
                        server.hhmmss / 100 % 100 < 60 && server.hhmmss % 100 < 60;
  if (!sensible) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  g_anchor = Anchor{FromMarketTime(server), steady_clock::now()};
}

MarketTime MarketTimeNow() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_anchor) return LocalNow();
  const auto passed = std::chrono::duration_cast<std::chrono::seconds>(steady_clock::now() - g_anchor->local);
  return ToMarketTime(g_anchor->market + passed);
}

bool IsTradingTime(MarketTime at) { return IsTradingTime(at, TradingHours{}); }

bool IsTradingTime(MarketTime at, const TradingHours& hours) {
  using namespace std::chrono;
  const weekday day{floor<days>(FromMarketTime({at.date, 0}))};
  if (day == Saturday || day == Sunday) return false;
  const bool ownDay = hours.close != 0;
  const int open = ownDay ? hours.open : 930;
  const int close = ownDay ? hours.close : 1500;
  const int hhmm = at.hhmmss / 100;
  return (hhmm >= open && hhmm < 1130) || (hhmm >= 1300 && hhmm < close);
}

}  // namespace tarvello
