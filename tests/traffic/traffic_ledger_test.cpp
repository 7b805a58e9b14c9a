#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "traffic/traffic_file.h"
#include "traffic/traffic_ledger.h"

namespace tarvello::testing {
namespace {

class TrafficLedgerTest : public ::testing::Test {
 protected:
  TrafficLedger& Ledger() {
    if (!ledger_)
      ledger_ =
          std::make_unique<TrafficLedger>(folder_ / kTrafficFileName, [this] { return date_; });
    return *ledger_;
  }

  TempFolder folder_;
  TrafficDate date_{2026, 12, 7};
  std::unique_ptr<TrafficLedger> ledger_;
};

// What a new day does to the totals of 2026-12-07 (today 100, this month 1000).
TEST_F(TrafficLedgerTest, NewDaysAndMonthsMoveTheTotals) {
  const struct {
    TrafficDate date;
    std::uint64_t today, month, last;
    int last_month;
  } rows[] = {
      {{2026, 12, 7}, 100, 1000, 0, 202611},  // same day
      {{2026, 12, 8}, 0, 1000, 0, 202611},    // next day
      {{2027, 1, 1}, 0, 0, 1000, 202612},     // next month, over the year's end
      {{2027, 2, 3}, 0, 0, 0, 202701},        // a month skipped
      {{2026, 11, 30}, 0, 0, 0, 202610},      // the clock set back a month
  };
  for (const auto& row : rows) {
    TrafficTotals totals;
    RollTo(totals, {2026, 12, 7});
    totals.today = 100;
    totals.this_month = 1000;
    totals.screens[kTrafficOther] = 1000;
    RollTo(totals, row.date);
    EXPECT_EQ(totals.today, row.today) << DayNumber(row.date);
    EXPECT_EQ(totals.this_month, row.month) << DayNumber(row.date);
    EXPECT_EQ(totals.screens[kTrafficOther], row.month) << DayNumber(row.date);
    EXPECT_EQ(totals.last_month_bytes, row.last) << DayNumber(row.date);
    EXPECT_EQ(totals.last_month, row.last_month) << DayNumber(row.date);
  }
}

// The ledger looks at its clock on every count and report: the month turns over without a restart,
// and what it keeps survives one.
TEST_F(TrafficLedgerTest, MonthTurnsOverWhileRunningAndTheTotalsSurviveARestart) {
  Ledger().Count(kTrafficDetail, 400);
  date_ = {2027, 1, 1};
  Ledger().Count(kTrafficKLine, 50);
  ASSERT_TRUE(Ledger().SaveIfChanged());
  ledger_.reset();
  const TrafficTotals totals = Ledger().Report().totals;
  EXPECT_EQ(totals.last_month_bytes, 400u);
  EXPECT_EQ(totals.this_month, 50u);
  EXPECT_EQ(totals.today, 50u);
  EXPECT_EQ(totals.screens[kTrafficKLine], 50u);
  EXPECT_EQ(totals.screens[kTrafficDetail], 0u);
}

TEST_F(TrafficLedgerTest, ClearingZeroesTheCountsAndKeepsTheAllowance) {
  Ledger().SetAllowance(30);
  Ledger().Count(kTrafficDetail, 400);
  ASSERT_TRUE(Ledger().Clear());
  const TrafficTotals totals = LoadTraffic(folder_ / kTrafficFileName);
  EXPECT_EQ(totals.this_month, 0u);
  EXPECT_EQ(totals.allowance_mb, 30);
}

}  // namespace
}  // namespace tarvello::testing
