#include "market/freshness.h"

#include <gtest/gtest.h>

#include "market/market_clock.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(FreshnessTest, OldOnlyPastTwoPeriodsInTradingHoursAndSaidInTheLargestUnit) {
  const struct {
    long age;
    long period_ms;
    bool trading;
    const char16_t* shown;  // null: fresh
  } cases[] = {
      {10, 5000, true, nullptr},      // exactly two periods is still fresh
      {12, 5000, true, u"12秒前"},
      {29, 15000, true, nullptr},
      {180, 15000, true, u"3分钟前"},
      {7300, 60000, true, u"2小时前"},
      {7300, 60000, false, nullptr},  // outside trading hours nothing is stale
      {0, 0, true, nullptr},          // a screen without refresh, such as a search result, never ages
      {90, 0, true, nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::u16string> age = StaleAge(seconds(c.age), milliseconds(c.period_ms), c.trading);
    EXPECT_EQ(age.value_or(u"fresh"), c.shown ? c.shown : u"fresh") << c.age;
  }
}

TEST(MarketClockTest, TradingHoursAreTheTwoSessionsOfAWeekday) {
  const struct {
    MarketTime at;
    bool trading;
  } cases[] = {
      {{20261204, 92959}, false}, {{20261204, 93000}, true},  {{20261204, 112959}, true},
      {{20261204, 113000}, false}, {{20261204, 130000}, true}, {{20261204, 145959}, true},
      {{20261204, 150000}, false}, {{20261205, 100000}, false},  // a Saturday
      {{20261207, 100000}, true},                                // a Monday
  };
  for (const auto& c : cases) EXPECT_EQ(IsTradingTime(c.at), c.trading) << c.at.date << " " << c.at.hhmmss;
}

TEST(MarketClockTest, RunsOnFromTheServersTimeAndIgnoresANonsenseAnswer) {
  SetMarketTime({20261204, 145959});
  SetMarketTime({20261304, 250000});  // no such moment: the clock keeps the last good one
  const MarketTime now = MarketTimeNow();
  EXPECT_EQ(now.date, 20261204);
  EXPECT_GE(now.hhmmss, 145959);
  EXPECT_LE(now.hhmmss, 150001);
}

}  // namespace
}  // namespace tarvello
