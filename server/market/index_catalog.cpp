// The indices, futures and foreign markets of the catalogue (see catalog_builder.h).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "server/market/catalog_builder.h"
#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kLevelSalt = 0x4C564C;

bool IsShanghaiA(const Security& s) { return s.kind == Kind::kAShare && s.code[1] == 'H'; }
bool IsShenzhenA(const Security& s) { return s.kind == Kind::kAShare && s.code[1] == 'Z'; }
bool IsAShare(const Security& s) { return s.kind == Kind::kAShare; }
bool IsShanghaiShare(const Security& s) { return s.IsShare() && s.code[1] == 'H'; }
bool IsShenzhenShare(const Security& s) { return s.IsShare() && s.code[1] == 'Z'; }
bool IsShanghaiB(const Security& s) { return s.kind == Kind::kBShare && s.code[1] == 'H'; }
bool IsShenzhenB(const Security& s) { return s.kind == Kind::kBShare && s.code[1] == 'Z'; }
bool IsSme(const Security& s) { return s.kind == Kind::kAShare && s.board == Board::kSme; }
bool IsChiNext(const Security& s) { return s.kind == Kind::kAShare && s.board == Board::kChiNext; }

double MarketValue(const Security& s) {
  return static_cast<double>(s.float_lots) * s.base_price / (s.decimals == 3 ? 10.0 : 1.0);
}

struct IndexDefinition {
  const char* code;
  const char16_t* name;
  const char* initials;
  int low, high;  // the range its start day opens in
  bool (*wanted)(const Security&);
  int skip, count;  // the members: the biggest `count` after the biggest `skip` (count 0: all)
};

constexpr IndexDefinition kIndices[] = {
    {"SH000001", u"上证指数", "SZZS", 3150, 3350, IsShanghaiShare, 0, 0},
    {"SZ399001", u"深证成指", "SZCZ", 10500, 11500, IsShenzhenA, 0, 500},
    {"SH000300", u"沪深300", "HS300", 3800, 4200, IsAShare, 0, 300},
    {"SH000016", u"上证50", "SZ50", 2600, 2850, IsShanghaiA, 0, 50},
    {"SZ399005", u"中小板指", "ZXBZ", 6600, 7400, IsSme, 0, 100},
    {"SZ399006", u"创业板指", "CYBZ", 2150, 2350, IsChiNext, 0, 100},
    {"SH000002", u"A股指数", "AGZS", 3300, 3500, IsShanghaiA, 0, 0},
    {"SH000003", u"B股指数", "BGZS", 250, 290, IsShanghaiB, 0, 0},
    {"SH000010", u"上证180", "SZ180", 8700, 9500, IsShanghaiA, 0, 180},
    {"SH000905", u"中证500", "ZZ500", 5600, 6300, IsAShare, 300, 500},
    {"SZ399102", u"创业板综", "CYBZ", 2650, 2850, IsChiNext, 0, 0},
    {"SZ399106", u"深证综指", "SZZZ", 1950, 2100, IsShenzhenShare, 0, 0},
    {"SZ399107", u"深证A指", "SZAZ", 2050, 2200, IsShenzhenA, 0, 0},
    {"SZ399108", u"深证B指", "SZBZ", 1080, 1220, IsShenzhenB, 0, 0},
};

}  // namespace

std::vector<int> CatalogBuilder::Select(bool (*wanted)(const Security&), int skip, int count) const {
  std::vector<int> chosen;
  for (std::size_t i = 0; i < catalog_.size(); ++i) {
    if (wanted(catalog_[i])) chosen.push_back(static_cast<int>(i));
  }
  if (count == 0) return chosen;
  std::stable_sort(chosen.begin(), chosen.end(), [&](int a, int b) {
    return MarketValue(catalog_[static_cast<std::size_t>(a)]) > MarketValue(catalog_[static_cast<std::size_t>(b)]);
  });
  const auto first = std::min(chosen.size(), static_cast<std::size_t>(skip));
  const auto last = std::min(chosen.size(), static_cast<std::size_t>(skip + count));
  std::vector<int> members(chosen.begin() + static_cast<std::ptrdiff_t>(first), chosen.begin() + static_cast<std::ptrdiff_t>(last));
  std::sort(members.begin(), members.end());
  return members;
}

void CatalogBuilder::AddIndices() {
  for (const IndexDefinition& d : kIndices) {
    Security s;
    s.code = d.code;
    s.name = d.name;
    s.initials = d.initials;
    s.kind = Kind::kIndex;
    s.wire_type = 0;
    s.limit_percent = 0;
    s.own_volatility = 0.006;
    const double level = d.low + Unit(Hash(seed_, kLevelSalt, std::hash<std::string>{}(s.code))) * (d.high - d.low);
    s.start_level = static_cast<int>(level * 100);
    s.members = Select(d.wanted, d.skip, d.count);
    Add(std::move(s));
  }
  // An index's usual day volume, for the days whose minutes it draws on its own.
  for (Security& s : catalog_) {
    if (!s.IsComposite()) continue;
    std::int64_t lots = 0;
    for (int m : s.members) lots += catalog_[static_cast<std::size_t>(m)].float_lots;
    s.typical_volume = lots * 12 / 1000 / 100;
  }
}

void CatalogBuilder::AddFutures() {
  static constexpr const char16_t* kMonths[] = {u"当月", u"下月", u"下季", u"隔季"};
  static constexpr const char* kMonthInitials[] = {"DY", "XY", "XJ", "GJ"};
  const int underlying = static_cast<int>(std::find_if(catalog_.begin(), catalog_.end(), [](const Security& s) {
                                            return s.code == "SH000300";
                                          }) - catalog_.begin());
  for (int i = 0; i < 4; ++i) {
    Security s;
    char code[16];
    std::snprintf(code, sizeof code, "IF%06d", i + 1);
    s.code = code;
    s.name = std::u16string(u"沪深300") + kMonths[i];
    s.initials = std::string("HS300") + kMonthInitials[i];
    s.kind = Kind::kFuture;
    s.wire_type = 8;
    s.session = &kFuturesSession;
    s.follows = underlying;
    s.beta = 0.9;
    s.own_volatility = 0.004;
    s.float_lots = 3000000 / (i + 1);
    Add(std::move(s));
  }
}

void CatalogBuilder::AddAbroad() {
  struct Named {
    const char* code;
    const char16_t* name;
    const char* initials;
    double level;
    Kind kind;
    int group;
    int decimals;
  };
  static constexpr Named kNamed[] = {
      {"HK000001", u"香江指数", "XJZS", 20000, Kind::kHongKong, 100, 2},
      {"HK000002", u"港企指数", "GQZS", 7000, Kind::kHongKong, 100, 2},
      {"HK000003", u"香江科技", "XJKJ", 4200, Kind::kHongKong, 100, 2},
      {"GL000001", u"北美工业指数", "BMGYZS", 36000, Kind::kGlobal, 101, 2},
      {"GL000002", u"北美科技指数", "BMKJZS", 15000, Kind::kGlobal, 101, 2},
      {"GL000003", u"北美综合指数", "BMZHZS", 4800, Kind::kGlobal, 101, 2},
      {"GL000004", u"英伦指数", "YLZS", 7600, Kind::kGlobal, 102, 2},
      {"GL000005", u"德意指数", "DYZS", 16000, Kind::kGlobal, 102, 2},
      {"GL000006", u"法兰指数", "FLZS", 7300, Kind::kGlobal, 102, 2},
      {"GL000007", u"东瀛综合指数", "DYZHZS", 33000, Kind::kGlobal, 103, 2},
      {"GL000008", u"南洋指数", "NYZS", 3200, Kind::kGlobal, 103, 2},
      {"FX000001", u"美元人民币", "MYRMB", 7.12, Kind::kForex, 0, 3},
      {"FX000002", u"欧元美元", "OYMY", 1.085, Kind::kForex, 0, 3},
      {"FX000003", u"美元日元", "MYRY", 149.5, Kind::kForex, 0, 3},
      {"FX000004", u"英镑美元", "YBMY", 1.265, Kind::kForex, 0, 3},
      {"FX000005", u"澳元美元", "AYMY", 0.655, Kind::kForex, 0, 3},
      {"FX000006", u"美元港币", "MYGB", 7.81, Kind::kForex, 0, 3},
      {"FX000007", u"欧元人民币", "OYRMB", 7.72, Kind::kForex, 0, 3},
      {"FX000008", u"美元瑞郎", "MYRL", 0.885, Kind::kForex, 0, 3},
  };
  for (const Named& n : kNamed) {
    Security s;
    s.code = n.code;
    s.name = n.name;
    s.initials = n.initials;
    s.kind = n.kind;
    s.wire_type = 0;
    s.decimals = n.decimals;
    s.session = n.kind == Kind::kHongKong ? &kHongKongSession : &kStockSession;
    s.beta = 0;
    s.factor_group = n.group;
    s.own_volatility = n.kind == Kind::kForex ? 0.003 : 0.005;
    s.limit_percent = 0;
    s.base_price = static_cast<int>(n.level * (n.decimals == 3 ? 1000 : 100));
    s.typical_volume = n.kind == Kind::kForex ? 0 : 3000000;
    Add(std::move(s));
  }
  const auto industries = Industries();
  for (int i = 0; i < 150; ++i) {
    Security s;
    char code[16];
    std::snprintf(code, sizeof code, "HK%06d", 10001 + i);
    s.code = code;
    const std::uint64_t h = Hash(seed_, kLevelSalt, static_cast<std::uint64_t>(i));
    CompanyName(h, industries[h % industries.size()].suffix, s.name, s.initials);
    s.kind = Kind::kHongKong;
    s.wire_type = 1;
    s.decimals = 3;
    s.session = &kHongKongSession;
    s.beta = 0;
    s.factor_group = 100;
    s.own_volatility = 0.012;
    s.limit_percent = 0;
    s.base_price = static_cast<int>((0.5 + Unit(Hash(h, 8)) * 80) * 1000);
    s.float_lots = static_cast<std::int64_t>(std::pow(10.0, 5.0 + Unit(Hash(h, 24)) * 2));
    s.earnings_milli = 20 + static_cast<int>(Unit(Hash(h, 40)) * 2000);
    Add(std::move(s));
  }
}

}  // namespace tarvello::server
