// Stateless random numbers for the market model: every value is a hash of the seed and of the
// coordinates it belongs to (security, day, minute, ...), so any part of the market can be
// computed on its own, in any order, and the same seed always gives the same market.
#pragma once

#include <cstdint>

namespace tarvello::server {

inline std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

inline std::uint64_t Hash(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0, std::uint64_t d = 0) {
  return Mix(Mix(Mix(Mix(a) ^ b) ^ c) ^ d);
}

// Uniform in [0, 1).
inline double Unit(std::uint64_t h) { return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0); }

// Roughly standard normal: the sum of four uniform 16-bit parts, centred and scaled.
inline double Gauss(std::uint64_t h) {
  double sum = 0;
  for (int i = 0; i < 4; ++i) sum += static_cast<double>((h >> (16 * i)) & 0xFFFF) / 65536.0;
  return (sum - 2.0) * 1.7320508075688772;
}

}  // namespace tarvello::server
