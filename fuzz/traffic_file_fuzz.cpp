// Treats the input as "Traffic.ini" (decoded as UTF-16LE, as the ledger reads it). Whatever it
// holds, the totals read must hold together (screen shares adding up to the month, today within
// the month, an allowance in range) and read back the same once written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string_view>

#include "storage/utf16le.h"
#include "traffic/traffic_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::u16string text =
      DecodeUtf16Le(std::string_view(reinterpret_cast<const char*>(data), size));
  const TrafficTotals totals = ReadTrafficText(text);
  const std::uint64_t shares =
      std::accumulate(totals.screens.begin(), totals.screens.end(), std::uint64_t{0});
  if (shares != totals.this_month || totals.today > totals.this_month) abort();
  if (totals.allowance_mb < 0 || totals.allowance_mb > kMaxAllowanceMb) abort();
  if (ReadTrafficText(TrafficText(totals)) != totals) abort();
  return 0;
}
