#include "traffic/traffic_ledger.h"

#include <ctime>

#include "traffic/traffic_allowance.h"
#include "traffic/traffic_file.h"

namespace tarvello {

TrafficDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

TrafficLedger::TrafficLedger(std::filesystem::path file, Clock today)
    : file_(std::move(file)), today_(std::move(today)), totals_(LoadTraffic(file_)) {}

void TrafficLedger::SetWarning(Warning warning) {
  std::lock_guard<std::mutex> lock(mutex_);
  warning_ = std::move(warning);
}

void TrafficLedger::Roll() {
  if (RollTo(totals_, today_())) changed_ = true;
}

void TrafficLedger::Count(TrafficScreen screen, std::size_t bytes) {
  Warning warning;
  TrafficTotals warned;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Roll();
    totals_.today += bytes;
    totals_.this_month += bytes;
    totals_.screens[static_cast<std::size_t>(screen)] += bytes;
    changed_ = true;
    if (!WarningDue(totals_)) return;
    totals_.warned_month = totals_.month;
    warning = warning_;
    warned = totals_;
  }
  if (warning) warning(warned);
}

void TrafficLedger::ExchangeEnded(TrafficScreen screen, std::size_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  last_exchange_[static_cast<std::size_t>(screen)] = bytes;
}

bool TrafficLedger::Saving() {
  std::lock_guard<std::mutex> lock(mutex_);
  Roll();
  return AllowanceExceeded(totals_);
}

TrafficReport TrafficLedger::Report() {
  std::lock_guard<std::mutex> lock(mutex_);
  Roll();
  return {totals_, last_exchange_, AllowanceExceeded(totals_)};
}

bool TrafficLedger::SetAllowance(int megabytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    totals_.allowance_mb = megabytes < 0                 ? 0
                           : megabytes > kMaxAllowanceMb ? kMaxAllowanceMb
                                                         : megabytes;
    changed_ = true;
  }
  return Write();
}

bool TrafficLedger::Clear() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Roll();
    ClearCounts(totals_);
    changed_ = true;
  }
  return Write();
}

bool TrafficLedger::SaveIfChanged() { return Write(); }

bool TrafficLedger::Write() {
  std::lock_guard<std::mutex> writing(write_mutex_);
  TrafficTotals totals;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!changed_) return true;
    Roll();
    totals = totals_;
    changed_ = false;
  }
  if (SaveTraffic(file_, totals)) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  changed_ = true;  // tried again next time
  return false;
}

}  // namespace tarvello
