// One security of the simulated market: its code, fictional name and name initials, kind, the
// type byte and price decimals the terminal is told, its trading session, the parameters of its
// price process, and for an index the members it is computed from. Immutable once the catalogue
// is built; safe from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/session.h"

namespace tarvello::server {

enum class Kind { kIndex, kAShare, kBShare, kFund, kBond, kWarrant, kSector, kFuture, kHongKong, kGlobal };

struct Security {
  std::string code;          // "SH600001"
  std::u16string name;
  std::string initials;      // upper-case initials of the name's syllables
  Kind kind = Kind::kAShare;
  std::uint8_t wire_type = 1;
  int decimals = 2;
  const Session* session = &kStockSession;
  int base_price = 0;        // scaled price at the start of the history
  double volatility = 0.02;  // daily
  std::int64_t float_lots = 0;     // tradable shares in lots of 100; 0 for indices
  int earnings_milli = 0;          // earnings per share x 1000
  std::vector<int> members;        // catalogue positions of the members of an index
  bool has_limits = true;          // daily limits of plus or minus 10 percent
  bool has_events = false;         // pays dividends and splits
  int follows = -1;                // an index future: the index whose daily moves it repeats

  bool IsComposite() const { return !members.empty(); }
  bool IsIndexLike() const { return wire_type == 0 || wire_type == 8; }
};

}  // namespace tarvello::server
