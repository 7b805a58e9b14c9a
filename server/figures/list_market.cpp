#include "server/figures/list_market.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "server/figures/list_categories.h"
#include "server/market/open_interest.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

namespace {

constexpr int kSpeedMinutes = 5;
constexpr std::size_t kMaxCodeLength = 29;
constexpr const char* kHs300Index = "SH000300";

int Pow10(int decimals) {
  int power = 1;
  for (int i = 0; i < decimals; ++i) power *= 10;
  return power;
}

// part / base in percent at the row's decimal scale, rounded; 0 against a base of 0.
int PercentOf(std::int64_t part, std::int64_t base, int decimals) {
  if (base == 0) return 0;
  return Clamp32(std::llround(static_cast<double>(part) * 100.0 * Pow10(decimals) / static_cast<double>(base)));
}

// Composites count their volume in hundreds of lots.
std::int64_t Lots(const Security& s, std::int64_t volume) { return s.IsComposite() ? volume * 100 : volume; }

// The tradable lots behind a turnover: a sector's are its members'.
std::int64_t FloatLots(const Market& market, const Security& s) {
  if (s.kind != Kind::kSector) return s.float_lots;
  std::int64_t lots = 0;
  for (int m : s.members) lots += market.security(m).float_lots;
  return lots;
}

}  // namespace

ListFigures FiguresOf(const Market& market, int index, const Position& at) {
  const Security& s = market.security(index);
  const QuoteState q = QuoteAt(market, index, at);
  ListFigures f;
  f.code = s.code;
  f.name = s.name;
  f.decimals = s.decimals;
  f.latest = q.last;
  f.prev_close = q.prev_close;
  f.high = q.high;
  f.low = q.low;
  // A share that has not traded today (suspended, or before the opening minute) has no change,
  // as the exchanges show it: its latest price is 0, not a fall to 0.
  const bool traded = q.slots > 0 && !q.suspended;
  f.change = traded ? q.last - q.prev_close : 0;
  f.change_ratio = PercentOf(f.change, q.prev_close, s.decimals);
  f.volume = q.volume;
  f.amount = q.amount;
  const std::int64_t float_lots = FloatLots(market, s);
  f.turnover = PercentOf(Lots(s, q.volume), float_lots, s.decimals);
  f.pe = s.earnings_milli > 0 ? Clamp32(static_cast<std::int64_t>(q.last) * 1000 / s.earnings_milli) : 0;
  if (traded) {
    const auto path = market.Path(index, at.day_index);
    const int before = q.slots > kSpeedMinutes ? path->price[static_cast<std::size_t>(q.slots - 1 - kSpeedMinutes)]
                                               : q.prev_close;
    f.speed = PercentOf(q.last - before, before, s.decimals);
    const int base = market.day(index, std::max(at.day_index - 2, 0)).prev_close;
    f.three_day_change = PercentOf(q.last - base, base, s.decimals);
  }
  std::int64_t three_days = q.volume;
  // Past days' volumes alone: drawing their whole paths again each minute would push today's
  // paths out of the market's path cache.
  for (int d = at.day_index - 1; d >= std::max(at.day_index - 2, 0); --d) three_days += market.DayVolume(index, d);
  f.three_day_turnover = PercentOf(Lots(s, three_days), float_lots, s.decimals);
  if (s.kind == Kind::kFuture) {
    f.interest_change = DayInterestChange(market, index, at);
    f.open_interest = OpenInterest(market, index, at);
  }
  return f;
}

bool Listable(const Security& s) { return !s.code.empty() && !s.name.empty(); }

namespace {

bool Exchange(const Security& s, const char* prefix) { return s.code.starts_with(prefix); }

// Hong Kong shares fall into the four groups of the Hong Kong menu by their number, in turn.
int HongKongGroup(const Security& s) {
  const int number = std::atoi(s.code.c_str() + 2);
  return kHongKongEnterprises + (number - 1) % 4;
}

bool InCategory(const Security& s, int category) {
  switch (category) {
    case kAllAShares: return s.kind == Kind::kAShare;
    case kSmallCaps: return s.kind == Kind::kAShare && s.board == Board::kSme;
    case kGrowthBoard: return s.kind == Kind::kAShare && s.board == Board::kChiNext;
    case kShanghaiA: return s.kind == Kind::kAShare && Exchange(s, "SH");
    case kShenzhenA: return s.kind == Kind::kAShare && Exchange(s, "SZ");
    case kShanghaiB: return s.kind == Kind::kBShare && Exchange(s, "SH");
    case kShenzhenB: return s.kind == Kind::kBShare && Exchange(s, "SZ");
    case kShanghaiFunds: return s.kind == Kind::kFund && Exchange(s, "SH");
    case kShenzhenFunds: return s.kind == Kind::kFund && Exchange(s, "SZ");
    case kShanghaiBonds: return s.kind == Kind::kBond && Exchange(s, "SH");
    case kShenzhenBonds: return s.kind == Kind::kBond && Exchange(s, "SZ");
    case kWarrants: return s.kind == Kind::kWarrant;
    case kMarketIndices: return s.kind == Kind::kIndex;
    case kGlobalMarkets: return s.kind == Kind::kGlobal;
    case kIndexFutures: return s.kind == Kind::kFuture;
    case kForeignExchange: return s.kind == Kind::kForex;
    case kSectors: return s.kind == Kind::kSector;
    case kHongKongIndices: return s.kind == Kind::kHongKong && s.IsIndexLike();
    case kHongKongMainBoard: return s.kind == Kind::kHongKong && !s.IsIndexLike();
    case kHongKongEnterprises:
    case kHongKongRedChips:
    case kHongKongBlueChips:
    case kHongKongAh: return s.kind == Kind::kHongKong && !s.IsIndexLike() && HongKongGroup(s) == category;
    default: return false;
  }
}

std::vector<int> OnlyListable(const Market& market, std::vector<int> positions) {
  std::erase_if(positions, [&](int m) { return !Listable(market.security(m)); });
  std::sort(positions.begin(), positions.end());
  return positions;
}

}  // namespace

std::vector<int> CategoryMembers(const Market& market, int category, int sector_class) {
  if (category == kHs300) {
    const int index = market.Find(kHs300Index);
    return index < 0 ? std::vector<int>{} : OnlyListable(market, market.security(index).members);
  }
  std::vector<int> members;
  const auto securities = market.securities();
  for (std::size_t i = 0; i < securities.size(); ++i) {
    const Security& s = securities[i];
    if (!InCategory(s, category)) continue;
    if (category == kSectors && static_cast<int>(s.sector_class) != sector_class) continue;
    members.push_back(static_cast<int>(i));
  }
  return OnlyListable(market, std::move(members));
}

std::vector<int> SectorMembers(const Market& market, int sector_number) {
  for (const Security& s : market.securities()) {
    if (s.kind == Kind::kSector && SectorNumber(s.code) == sector_number) return OnlyListable(market, s.members);
  }
  return {};
}

int FindListSecurity(const Market& market, std::string_view code) {
  return code.size() <= kMaxCodeLength ? market.Find(code) : -1;
}

}  // namespace tarvello::server
