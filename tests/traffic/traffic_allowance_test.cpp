#include <gtest/gtest.h>

#include "protocol/refresh_worker.h"
#include "support/temp_folder.h"
#include "traffic/traffic_file.h"
#include "traffic/traffic_ledger.h"

namespace tarvello::testing {
namespace {

class NoScreen : public RefreshScreen {
 public:
  bool RunExchange() override { return true; }
  void InvalidateScreen() override {}
  void SetRefreshTimer(unsigned, unsigned) override {}
  void PostToMainScreen(const Message&) override {}
};

// One allowance of 1 MB through a month, with a fake clock: the warning comes once at 80 %, the
// periods double past 100 % and come back when the allowance is raised or the month turns.
TEST(TrafficAllowanceTest, WarnsOnceAtEightyPercentAndDoublesPeriodsPastTheAllowance) {
  TempFolder folder;
  TrafficDate date{2026, 12, 7};
  auto ledger =
      std::make_unique<TrafficLedger>(folder / kTrafficFileName, [&date] { return date; });
  int warnings = 0;
  const auto watch = [&warnings](TrafficLedger& l) {
    l.SetWarning([&warnings](const TrafficTotals&) { ++warnings; });
  };
  watch(*ledger);
  InstallTrafficSink(ledger.get());
  // A new ledger over the file written by the old one, counting one more byte.
  const auto restart = [&] {
    ledger->SaveIfChanged();
    ledger = std::make_unique<TrafficLedger>(folder / kTrafficFileName, [&date] { return date; });
    watch(*ledger);
    InstallTrafficSink(ledger.get());
    ledger->Count(kTrafficDetail, 1);
  };
  const auto next_month = [&date] { date = TrafficDate{2027, 1, 1}; };
  NoScreen screen;
  RefreshWorker worker(screen, 3001, std::chrono::seconds(5));

  const struct {
    std::function<void()> step;
    int warnings;
    bool saving;
  } rows[] = {
      {[&] { ledger->Count(kTrafficDetail, 800000); }, 0, false},  // allowance off: nothing
      {[&] { ledger->SetAllowance(1); }, 0, false},
      {[&] { ledger->Count(kTrafficDetail, 38861); }, 1, false},   // 838861 bytes: 80 %
      {[&] { ledger->Count(kTrafficDetail, 104857); }, 1, false},  // 90 %: no second box
      {[&] { ledger->Count(kTrafficDetail, 104858); }, 1, false},  // exactly 1 MB
      {[&] { ledger->Count(kTrafficDetail, 1); }, 1, true},        // past it
      {restart, 1, true},                                          // a restart keeps it all
      {[&] { ledger->SetAllowance(2); }, 1, false},                // raised
      {[&] { ledger->SetAllowance(1); }, 1, true},
      {next_month, 1, false},                                      // the month turns
      {[&] { ledger->Count(kTrafficDetail, 838861); }, 2, false},  // a new month warns again
  };
  int row_number = 0;
  for (const auto& row : rows) {
    row.step();
    EXPECT_EQ(warnings, row.warnings) << "row " << row_number;
    EXPECT_EQ(TrafficSaving(), row.saving) << "row " << row_number;
    EXPECT_EQ(worker.period(), std::chrono::seconds(row.saving ? 10 : 5)) << "row " << row_number;
    ++row_number;
  }
  InstallTrafficSink(nullptr);
}

}  // namespace
}  // namespace tarvello::testing
