// One security of the simulated market: its code, fictional name and name initials, kind and
// board, the type byte and price decimals the terminal is told, its trading session, the
// parameters of its price process, its sectors, and for an index the members it is computed
// from. Immutable once the catalogue is built; safe from any thread.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "server/market/session.h"

namespace tarvello::server {

enum class Kind { kIndex, kAShare, kBShare, kFund, kBond, kWarrant, kSector, kFuture, kHongKong, kGlobal, kForex };

// Where a share is listed; decides its code range, its daily limit and the indices it joins.
enum class Board { kNone, kShanghaiMain, kShenzhenMain, kSme, kChiNext };

enum class SectorClass { kIndustry = 0, kConcept = 1, kRegion = 2 };

struct Security {
  std::string code;          // "SH600001"
  std::u16string name;
  std::string initials;      // upper-case initials of the name's syllables
  Kind kind = Kind::kAShare;
  Board board = Board::kNone;
  std::uint8_t wire_type = 1;
  int decimals = 2;
  const Session* session = &kStockSession;

  // Price process: the price wanders around `base_price` (scaled) with daily shocks of the
  // whole market (times `beta`), of its factor group and of its own.
  int base_price = 0;
  double beta = 1.0;
  double own_volatility = 0.014;  // daily
  int factor_group = 0;           // shares of one industry move together; other kinds by kind
  int limit_percent = 10;         // 0: no daily limit
  bool st = false;                // under special treatment: 5 percent limit, "ST" in the name
  bool has_events = false;        // pays a dividend about once a year
  bool steady = false;            // never suspended nor under special treatment: a demo always finds it trading
  int listed_age = 1 << 20;       // trading days it had been listed at the simulated start
  int listed_day = 0;             // its first day with bars (index into the market's days)

  std::int64_t float_lots = 0;     // tradable shares in lots of 100; 0 for indices
  int earnings_milli = 0;          // earnings per share x 1000
  std::int64_t typical_volume = 0; // index-likes: a usual day's volume in hundreds of lots

  // Sectors a share belongs to: one industry, one region, several concepts (catalogue positions).
  std::vector<int> sectors;

  // An index or a sector: its members and the level it opens its start day at (scaled). The
  // level is the members' market value (float times price) times a factor fixed at start-up.
  std::vector<int> members;
  int start_level = 0;
  SectorClass sector_class = SectorClass::kIndustry;  // sectors only
  int follows = -1;  // an index future: the index it trades near

  bool IsComposite() const { return !members.empty(); }
  bool IsIndexLike() const { return wire_type == 0 || wire_type == 8; }
  bool IsShare() const { return kind == Kind::kAShare || kind == Kind::kBShare; }
};

// The price step of a security, in its price units: 0.2 points for an index future, one unit of
// its last decimal otherwise; and a price put on that grid, to the nearest step.
inline int PriceTick(const Security& s) { return s.kind == Kind::kFuture ? 20 : 1; }
inline int OnPriceTick(const Security& s, double price) {
  const int tick = PriceTick(s);
  return static_cast<int>(std::lround(price / tick)) * tick;
}

}  // namespace tarvello::server
