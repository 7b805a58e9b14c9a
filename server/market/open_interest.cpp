#include "server/market/open_interest.h"

#include <cmath>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kInterestSalt = 0x4F49;

}  // namespace

int InterestBase(const Market& market, int index) {
  return 20000 + static_cast<int>(Hash(market.seed(), kInterestSalt, static_cast<std::uint64_t>(index)) % 40000);
}

int InterestChange(const Market& market, int index, int day_index, int slot) {
  if (market.security(index).kind != Kind::kFuture) return 0;
  const auto path = market.Path(index, day_index);
  const std::uint64_t h = Hash(market.seed(), kInterestSalt, static_cast<std::uint64_t>(index),
                               static_cast<std::uint64_t>(day_index) * 1000 + static_cast<std::uint64_t>(slot));
  return static_cast<int>(std::lround((Unit(h) - 0.45) * path->volume[static_cast<std::size_t>(slot)] * 0.3));
}

int DayInterestChange(const Market& market, int index, const Position& position) {
  int total = 0;
  for (int k = 0; k < position.slots; ++k) total += InterestChange(market, index, position.day_index, k);
  return total;
}

int OpenInterest(const Market& market, int index, const Position& position) {
  return InterestBase(market, index) + DayInterestChange(market, index, position);
}

}  // namespace tarvello::server
