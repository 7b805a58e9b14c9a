// TrafficLedger: the sink of the counting hook. It keeps the totals of "Traffic.ini" in memory,
// brings them to the calendar day of its clock on every count and look, and remembers how many
// bytes each screen's last exchange moved (for this run only). SaveIfChanged writes the file when
// something was counted since the last write; the program calls it once a minute and at exit.
// When a count brings the month to 80 % of the allowance, the warning function is called once
// for the month, outside the ledger's lock.
//
// Thread rules: every member may be called from any thread; one lock guards the totals and is
// never held while the file is written or the warning function runs.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <mutex>

#include "traffic/traffic_meter.h"
#include "traffic/traffic_totals.h"

namespace tarvello {

// The local calendar day now.
TrafficDate LocalToday();

// What the statistics page shows: the totals at this moment and the last exchange by screen.
struct TrafficReport {
  TrafficTotals totals;
  std::array<std::size_t, kTrafficScreenCount> last_exchange{};  // 0: none this run
  bool saving = false;
};

class TrafficLedger : public TrafficSink {
 public:
  using Clock = std::function<TrafficDate()>;
  using Warning = std::function<void(const TrafficTotals&)>;

  // Reads the file; a missing or damaged count starts at zero.
  explicit TrafficLedger(std::filesystem::path file, Clock today = LocalToday);

  void SetWarning(Warning warning);

  void Count(TrafficScreen screen, std::size_t bytes) override;
  void ExchangeEnded(TrafficScreen screen, std::size_t bytes) override;
  bool Saving() override;

  TrafficReport Report();
  // 0 turns the allowance off. Written at once.
  bool SetAllowance(int megabytes);
  // Zero counts ("清零"); written at once.
  bool Clear();
  // Writes the file when anything changed since it was last written; true when it is up to date.
  bool SaveIfChanged();

 private:
  // With the lock held.
  void Roll();
  bool Write();

  const std::filesystem::path file_;
  const Clock today_;
  std::mutex mutex_;
  TrafficTotals totals_;                                          // guarded by mutex_
  std::array<std::size_t, kTrafficScreenCount> last_exchange_{};  // guarded by mutex_
  bool changed_ = false;                                          // guarded by mutex_
  Warning warning_;                                               // guarded by mutex_
  std::mutex write_mutex_;  // one write of the file at a time, in the order they were asked
};

}  // namespace tarvello
