#include "traffic/traffic_units.h"

#include <cstdio>

namespace tarvello {
namespace {

std::u16string Decimal(std::uint64_t bytes, std::uint64_t unit, int decimals, const char* suffix) {
  // Whole units and the fraction apart, so that no count is too large for a double's exactness.
  std::uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const std::uint64_t whole = bytes / unit;
  std::uint64_t fraction = ((bytes % unit) * scale + unit / 2) / unit;
  std::uint64_t units = whole;
  if (fraction >= scale) {
    ++units;
    fraction -= scale;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%llu.%0*llu%s", static_cast<unsigned long long>(units),
                decimals, static_cast<unsigned long long>(fraction), suffix);
  const std::string narrow(text);
  return std::u16string(narrow.begin(), narrow.end());
}

}  // namespace

std::u16string KilobyteText(std::uint64_t bytes) { return Decimal(bytes, 1024, 1, "KB"); }

std::u16string MegabyteText(std::uint64_t bytes) { return Decimal(bytes, 1024 * 1024, 2, "MB"); }

}  // namespace tarvello
