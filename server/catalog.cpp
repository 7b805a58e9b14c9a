#include "server/catalog.h"

#include <cstdio>

#include "server/deterministic_random.h"

namespace tarvello::server {

namespace {

struct Syllable {
  const char16_t* text;
  char initial;
};

constexpr Syllable kFirst[] = {
    {u"华", 'H'}, {u"东", 'D'}, {u"南", 'N'}, {u"西", 'X'}, {u"北", 'B'}, {u"中", 'Z'}, {u"金", 'J'},
    {u"海", 'H'}, {u"天", 'T'}, {u"长", 'C'}, {u"新", 'X'}, {u"宏", 'H'}, {u"鑫", 'X'}, {u"恒", 'H'},
    {u"瑞", 'R'}, {u"远", 'Y'}, {u"嘉", 'J'}, {u"泰", 'T'}, {u"青", 'Q'}, {u"云", 'Y'}};
constexpr Syllable kSecond[] = {
    {u"岳", 'Y'}, {u"川", 'C'}, {u"城", 'C'}, {u"峰", 'F'}, {u"河", 'H'}, {u"林", 'L'}, {u"湖", 'H'},
    {u"源", 'Y'}, {u"达", 'D'}, {u"丰", 'F'}, {u"安", 'A'}, {u"发", 'F'}, {u"兴", 'X'}, {u"利", 'L'}};
struct Trade {
  const char16_t* text;
  const char* initials;
};
constexpr Trade kTrades[] = {
    {u"科技", "KJ"}, {u"电子", "DZ"}, {u"银行", "YH"}, {u"地产", "DC"}, {u"能源", "NY"},
    {u"医药", "YY"}, {u"钢铁", "GT"}, {u"汽车", "QC"}};

// Sector names follow the trade of their members.
constexpr Trade kSectors[] = {
    {u"科技板块", "KJBK"}, {u"电子板块", "DZBK"}, {u"银行板块", "YHBK"}, {u"地产板块", "DCBK"},
    {u"能源板块", "NYBK"}, {u"医药板块", "YYBK"}, {u"钢铁板块", "GTBK"}, {u"汽车板块", "QCBK"}};
constexpr int kTradeCount = 8;

std::string Code(const char* prefix, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%06d", prefix, number);
  return text;
}

Security MakeIndex(std::string code, std::u16string name, std::string initials, int level) {
  Security s;
  s.code = std::move(code);
  s.name = std::move(name);
  s.initials = std::move(initials);
  s.kind = Kind::kIndex;
  s.wire_type = 0;
  s.base_price = level * 100;
  s.volatility = 0.012;
  s.has_limits = false;
  return s;
}

class CatalogBuilder {
 public:
  explicit CatalogBuilder(std::uint64_t seed) : seed_(seed) {}

  std::vector<Security> Build() {
    const int sh_index = Add(MakeIndex("SH000001", u"上证指数", "SZZS", 3000));
    const int sz_index = Add(MakeIndex("SZ399001", u"深证成指", "SZCZ", 10000));
    const int hs300 = Add(MakeIndex("SH000300", u"沪深300", "HS300", 3500));
    const int sh50 = Add(MakeIndex("SH000016", u"上证50", "SZ50", 2500));
    const int growth = Add(MakeIndex("SZ399006", u"创业板指", "CYBZ", 2000));
    std::vector<int> sectors;
    for (int t = 0; t < kTradeCount; ++t) {
      Security sector = MakeIndex(Code("BI", t + 1), kSectors[t].text, kSectors[t].initials, 1000);
      sector.kind = Kind::kSector;
      sectors.push_back(Add(std::move(sector)));
    }
    for (int i = 0; i < 24; ++i) AddShare("SH", 600001 + i, Kind::kAShare, {sh_index, hs300}, sectors, i);
    for (int i = 0; i < 20; ++i) AddShare("SZ", 1 + i, Kind::kAShare, {sz_index, hs300}, sectors, i + 3);
    for (int i = 0; i < 8; ++i) AddShare("SZ", 300001 + i, Kind::kAShare, {sz_index, growth}, sectors, i + 5);
    for (int i = 0; i < 3; ++i) AddShare("SH", 900901 + i, Kind::kBShare, {sh_index}, sectors, i);
    for (int i = 0; i < 3; ++i) AddShare("SZ", 200011 + i, Kind::kBShare, {sz_index}, sectors, i);
    for (int i = 0; i < 10; ++i) catalog_[sh50].members.push_back(catalog_[sh_index].members[i]);
    AddPlain("SH", 500001, 4, Kind::kFund, 5, 100, 3);
    AddPlain("SZ", 184688, 4, Kind::kFund, 5, 100, 3);
    AddPlain("SH", 10001, 3, Kind::kBond, 14, 10000, 3);
    AddPlain("SH", 580001, 3, Kind::kWarrant, 6, 50, 3);
    AddFutures(hs300);
    AddAbroad();
    return std::move(catalog_);
  }

 private:
  int Add(Security s) {
    catalog_.push_back(std::move(s));
    return static_cast<int>(catalog_.size()) - 1;
  }

  void Name(Security& s, int number, int trade) {
    const std::uint64_t h = Hash(seed_, 0x4E414D45, static_cast<std::uint64_t>(number));
    const Syllable& first = kFirst[h % std::size(kFirst)];
    const Syllable& second = kSecond[(h >> 8) % std::size(kSecond)];
    s.name = std::u16string(first.text) + second.text + kTrades[trade].text;
    s.initials = std::string{first.initial, second.initial} + kTrades[trade].initials;
  }

  void AddShare(const char* prefix, int number, Kind kind, std::vector<int> indices,
                const std::vector<int>& sectors, int trade_pick) {
    Security s;
    s.code = Code(prefix, number);
    const int trade = static_cast<int>(Hash(seed_, number, 7) % kTradeCount);
    Name(s, number + trade_pick, trade);
    const std::uint64_t h = Hash(seed_, static_cast<std::uint64_t>(number), 0x5348);
    s.kind = kind;
    s.wire_type = kind == Kind::kAShare ? 1 : 2;
    s.decimals = kind == Kind::kBShare && s.code[1] == 'H' ? 3 : 2;
    const int units = s.decimals == 3 ? 1000 : 100;
    s.base_price = static_cast<int>((kind == Kind::kBShare ? 0.5 + Unit(h) * 3 : 3 + Unit(h) * 40) * units);
    s.volatility = 0.015 + Unit(h >> 7) * 0.015;
    s.float_lots = 1000000 + static_cast<std::int64_t>(Unit(h >> 13) * 20000000);
    s.earnings_milli = 50 + static_cast<int>(Unit(h >> 21) * 900);
    s.has_events = kind == Kind::kAShare;
    if (kind == Kind::kBShare) {
      // Appended piece by piece: GCC 12 warns falsely about "literal" + temporary here.
      std::u16string name(u"B");
      name.append(s.name, 0, 2).append(u"股");
      s.name = std::move(name);
      std::string initials("B");
      initials.append(s.initials, 0, 2).append("G");
      s.initials = std::move(initials);
    }
    const int me = Add(std::move(s));
    for (int index : indices) catalog_[index].members.push_back(me);
    if (kind == Kind::kAShare) catalog_[sectors[trade]].members.push_back(me);
  }

  void AddPlain(const char* prefix, int first, int count, Kind kind, std::uint8_t type, int price, int decimals) {
    for (int i = 0; i < count; ++i) {
      Security s;
      s.code = Code(prefix, first + i);
      Name(s, first + i, i % kTradeCount);
      const char16_t* suffix = kind == Kind::kFund ? u"基金" : kind == Kind::kBond ? u"债券" : u"权证";
      s.name = s.name.substr(0, 2) + suffix;
      s.kind = kind;
      s.wire_type = type;
      s.decimals = decimals;
      const std::uint64_t h = Hash(seed_, static_cast<std::uint64_t>(first + i), 0x504C);
      s.base_price = static_cast<int>(price * (0.8 + Unit(h) * 0.6)) * (decimals == 3 ? 10 : 1);
      s.volatility = kind == Kind::kBond ? 0.002 : kind == Kind::kWarrant ? 0.05 : 0.012;
      s.float_lots = 500000 + static_cast<std::int64_t>(Unit(h >> 9) * 5000000);
      Add(std::move(s));
    }
  }

  void AddFutures(int underlying) {
    static constexpr const char16_t* kMonths[] = {u"当月", u"下月", u"下季", u"隔季"};
    for (int i = 0; i < 4; ++i) {
      Security s;
      s.code = Code("IF", i + 1);
      s.name = std::u16string(u"沪深300") + kMonths[i];
      s.initials = "HS300" + std::to_string(i + 1);
      s.kind = Kind::kFuture;
      s.wire_type = 8;
      s.session = &kFuturesSession;
      s.base_price = catalog_[underlying].base_price + (i + 1) * 1000;
      s.follows = underlying;
      s.volatility = 0.013;
      s.float_lots = 50000;
      Add(std::move(s));
    }
  }

  void AddAbroad() {
    struct Named {
      const char* code;
      const char16_t* name;
      const char* initials;
      int level;
    };
    static constexpr Named kHongKong[] = {{"HK000001", u"香江指数", "XJZS", 20000},
                                          {"HK000002", u"港企指数", "GQZS", 9000}};
    static constexpr Named kGlobal[] = {{"GL000001", u"北美工业指数", "BMGY", 30000},
                                        {"GL000002", u"欧洲综合指数", "OZZH", 7000},
                                        {"GL000003", u"东瀛综合指数", "DYZH", 25000}};
    for (const Named& n : kHongKong) {
      Security s = MakeIndex(n.code, n.name, n.initials, n.level);
      s.kind = Kind::kHongKong;
      s.session = &kHongKongSession;
      Add(std::move(s));
    }
    for (const Named& n : kGlobal) {
      Security s = MakeIndex(n.code, n.name, n.initials, n.level);
      s.kind = Kind::kGlobal;
      Add(std::move(s));
    }
  }

  std::uint64_t seed_;
  std::vector<Security> catalog_;
};

}  // namespace

std::vector<Security> BuildCatalog(std::uint64_t seed) { return CatalogBuilder(seed).Build(); }

}  // namespace tarvello::server
