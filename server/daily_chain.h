// The daily history of one security: each trading day's previous close (after any dividend or
// split that took effect that morning), open and close, and the corporate events. Open and
// close are fixed here; a day's minutes are drawn later between them (day_path.h), so the
// daily, weekly and minute bars all come from one path. Built once; immutable afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "server/security.h"

namespace tarvello::server {

struct DayQuote {
  int prev_close = 0;  // reference price of the day: the previous close, adjusted on an ex-date
  int open = 0;
  int close = 0;
  int LimitUp() const { return (prev_close * 11 + 5) / 10; }
  int LimitDown() const { return (prev_close * 9 + 5) / 10; }
};

// A dividend and/or bonus shares taking effect before the opening of day_index.
struct CorporateEvent {
  int day_index = 0;
  int dividend = 0;      // cash per share, scaled price
  int bonus_per_ten = 0; // bonus shares per ten held
  double factor = 1;     // the day's reference price over the previous day's close (< 1)
};

struct DailyChain {
  std::vector<DayQuote> days;
  std::vector<CorporateEvent> events;
};

// The chain of a security that follows its own random path.
DailyChain BuildOwnChain(const Security& security, std::uint64_t seed, int security_index, int day_count);
// The chain of an index computed from its members' chains with fixed weights.
DailyChain BuildCompositeChain(const Security& index, std::span<const DailyChain* const> members,
                               std::span<const double> weights);
// prev_close x the weighted mean of the members' ratios; the one formula of every index level.
int CompositeLevel(int prev_close, std::span<const double> ratios, std::span<const double> weights);

}  // namespace tarvello::server
