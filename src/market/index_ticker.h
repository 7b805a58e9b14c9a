// IndexTicker: the main screen's record of the two market indices shown in the ticker strip,
// refreshed every three seconds by the ticker thread with one exchange of two 2203 requests
// ("SH000001" then "SZ399001"). Each refresh toggles the blink bit, which makes the strip
// alternate between the two indices; a refresh without a usable answer keeps the values. An index
// no answer has brought yet is not known; figures whose last good answer (both indices) is more
// than two refresh periods old in trading hours are old, as on every data screen.
//
// Thread rules: Refresh runs on the ticker thread; Get from any thread (the painter). One lock
// guards the values, held for the copy only.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <span>

#include "market/quote_records.h"
#include "protocol/exchange_function.h"

namespace tarvello {

class CommLog;

struct IndexValues {
  std::int32_t last = 0;
  std::int32_t volume = 0;
  std::int32_t prevClose = 0;
  bool known = false;  // an answer has brought them
};

struct TickerState {
  IndexValues shanghai;
  IndexValues shenzhen;
  bool blink = false;
  bool old = false;  // the figures are old enough to say so
  // A word about the connection shown in place of the index ("连接中断" while no server
  // answers, the new server for a moment after a switch); empty while all is well.
  std::u16string notice;
};

// The two snapshots of a ticker answer, known by position: the first block is Shanghai's, the
// second Shenzhen's. An index whose block is missing, empty, short or of another type has no
// values, and an answer whose first block is no 2203 gives neither.
struct TickerAnswer {
  std::optional<IndexValues> shanghai;
  std::optional<IndexValues> shenzhen;
};
TickerAnswer ReadTickerAnswer(std::span<const std::uint8_t> answer);

class IndexTicker {
 public:
  static constexpr std::chrono::milliseconds kPeriod{3000};

  // One cycle: exchange, take what the answer gives, toggle the blink bit.
  void Refresh(const ExchangeFunction& exchange, CommLog* log);
  TickerState Get() const;

 private:
  mutable std::mutex mutex_;
  TickerState state_;  // guarded by mutex_
  std::optional<std::chrono::steady_clock::time_point> last_good_;  // guarded by mutex_
};

}  // namespace tarvello
