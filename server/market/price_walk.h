// The daily closes of a security with a price process of its own, for any 64-day segment of the
// market's days, without walking from the first day. The log price is pinned at the first day of
// every segment to a bounded value drawn from the seed: slow waves of the whole market, of the
// security's factor group and of its own, so that prices wander for years without drifting off.
// Between two pins it follows the days' shocks of the market (times the security's beta), of its
// group and of its own, bent into a bridge that meets the next pin. Daily limits hold day by day
// inside a segment; a suspended day keeps the reference price; a rare jump drives a share to its
// limit. Pure; safe from any thread.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "server/market/day_quote.h"
#include "server/market/security.h"

namespace tarvello::server {

inline constexpr int kSegmentDays = 64;

struct SegmentCloses {
  std::array<int, kSegmentDays> close{};
  std::array<int, kSegmentDays> reference{};  // 0 on the first day: the previous segment's last close
  std::array<bool, kSegmentDays> suspended{};
};

// The closes of segment `segment` (days segment*64 .. segment*64+63).
SegmentCloses WalkSegment(const Security& security, std::uint64_t seed, int security_index, int segment);

inline constexpr int kYearDays = 250;

// The day of the dividend of a share's year `block` (250 trading days from a day of its own);
// -1 when the block has none.
int DividendDay(const Security& security, std::uint64_t seed, int security_index, int block);

// The dividend of the year block holding `day_index`, when it falls on that very day: its
// yield (0 otherwise). A share pays at most one dividend per 250 trading days.
double DividendYieldOn(const Security& security, std::uint64_t seed, int security_index, int day_index);

// The reference price of a day from the previous close and the day's dividend.
int ReferencePrice(int previous_close, double dividend_yield);

// The open of a day, drawn around its reference price inside its limits.
int DrawOpen(const Security& security, std::uint64_t seed, int security_index, int day_index, const DayQuote& day);

// Day `day_index` of the segment `closes` as its daily bar knows it; the previous close stands in
// for the reference price on the segment's first day.
DayQuote SegmentDay(const Security& security, std::uint64_t seed, int security_index, int day_index,
                    int previous_close, const SegmentCloses& closes);

}  // namespace tarvello::server
