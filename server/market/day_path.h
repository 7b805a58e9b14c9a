// The minute path of one security on one trading day: for every slot of its session the last
// price, the volume and the amount traded in that minute. A security with its own price process
// draws a bridge from the day's open to its close inside its limits (a suspended share stands
// still and trades nothing); an index on a recent day is its members' market value minute by
// minute, so its last slot equals its daily close. Immutable once built.
#pragma once

#include <cstdint>
#include <vector>

#include "server/market/day_quote.h"
#include "server/market/security.h"

namespace tarvello::server {

struct DayPath {
  std::vector<int> price;              // scaled price at the end of each slot
  std::vector<int> volume;             // lots (indices: hundreds of lots)
  std::vector<std::int64_t> amount;    // yuan
};

DayPath DrawOwnPath(const Security& security, const DayQuote& day, std::uint64_t seed,
                    int security_index, int day_index);

// The day's volume that DrawOwnPath spreads over the minutes, without drawing the prices.
std::int64_t DrawnDayVolume(const Security& security, std::uint64_t seed, int security_index, int day_index);

// The path of an index or sector summed from its members' paths of one day, one member at a
// time: the level at each slot is a factor times the members' prices weighted by float times
// price unit, the volume their lots in hundreds, the amount theirs. Members must be added in the
// same order whenever the same path is summed, so that it comes out the same to the last bit.
class PathSum {
 public:
  explicit PathSum(int slots);
  void Add(const DayPath& member, double weight);
  DayPath Finish(const DayQuote& day, double factor) const;
  // The members' whole-day volume so far, in lots.
  std::int64_t lots() const { return total_lots_; }

 private:
  std::vector<double> value_;
  std::vector<std::int64_t> lots_;
  std::vector<std::int64_t> amount_;
  std::int64_t total_lots_ = 0;
};

}  // namespace tarvello::server
