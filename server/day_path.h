// The minute path of one security on one trading day: for every slot of its session the last
// price, the volume and the amount traded in that minute. A security with its own price process
// draws a bridge from the day's open to its close inside its limits (a suspended share stands
// still and trades nothing); an index on a recent day is its members' market value minute by
// minute, so its last slot equals its daily close. Immutable once built.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "server/day_quote.h"
#include "server/security.h"

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

struct MemberDay {
  const DayPath* path;
  double weight;  // float times the price unit: the member's share of the index value
};
// The level at each slot: `factor` times the weighted sum of the members' prices.
DayPath CombinePaths(const Security& index, const DayQuote& day, std::span<const MemberDay> members, double factor);

}  // namespace tarvello::server
