// The minute path of one security on one trading day: for every slot of its session the last
// price, the volume and the amount traded in that minute. A security with its own price process
// draws a bridge from the day's open to its close inside its limits; an index combines its
// members' paths with the formula of its daily chain, so the last slot equals the daily close.
// Immutable once built.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "server/daily_chain.h"
#include "server/security.h"

namespace tarvello::server {

struct DayPath {
  std::vector<int> price;              // scaled price at the end of each slot
  std::vector<int> volume;             // lots (indices: hundreds of lots)
  std::vector<std::int64_t> amount;    // yuan
};

DayPath DrawOwnPath(const Security& security, const DayQuote& day, std::uint64_t seed,
                    int security_index, int day_index);

struct MemberDay {
  const DayPath* path;
  int prev_close;
};
DayPath CombinePaths(const Security& index, const DayQuote& day, std::span<const MemberDay> members,
                     std::span<const double> weights);

}  // namespace tarvello::server
