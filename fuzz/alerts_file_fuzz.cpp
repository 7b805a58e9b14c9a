// Treats the input as the text of an alerts file (decoded as UTF-16LE, as the book reads it).
// Whatever it holds, the reader must return at most the book's limit of sane alerts, one per
// security and condition, and the clean text written from them must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "market/alert_book.h"
#include "storage/utf16le.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::u16string text = DecodeUtf16Le(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::vector<Alert> alerts = alert_file::ParseAlerts(text);
  if (alerts.size() > AlertBook::kLimit) abort();
  for (auto it = alerts.begin(); it != alerts.end(); ++it) {
    if (!it->code.IsWellFormed() || (IsPriceCondition(it->condition) && it->figure <= 0)) abort();
    for (auto other = alerts.begin(); other != it; ++other) {
      if (other->code == it->code && other->condition == it->condition) abort();
    }
  }
  const std::optional<std::u16string> clean = alert_file::AlertsText(alerts);
  if (!clean || alert_file::ParseAlerts(*clean) != alerts) abort();
  return 0;
}
