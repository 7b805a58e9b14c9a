#include "server/market/catalog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "server/market/catalog_builder.h"
#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kNameSalt = 0x4E414D45;
constexpr std::uint64_t kShareSalt = 0x5348;
constexpr int kYear = 250;  // trading days

std::string Code(const char* prefix, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%06d", prefix, number);
  return text;
}

std::uint64_t CodeNumber(const std::string& code) { return std::hash<std::string>{}(code); }

// The shares a demo opens first: they always trade.
bool IsSteady(const std::string& code) {
  const int number = std::stoi(code.substr(2));
  return number % 100000 < 10 || code == "SZ002001" || code == "SZ300001";
}

}  // namespace

int CatalogBuilder::Add(Security s) {
  catalog_.push_back(std::move(s));
  return static_cast<int>(catalog_.size()) - 1;
}

Word CatalogBuilder::CompanyName(std::uint64_t number, const Word& suffix, std::u16string& text, std::string& initials) {
  const auto first = FirstSyllables(), second = SecondSyllables();
  for (std::uint64_t attempt = 0;; ++attempt) {
    const std::uint64_t h = Hash(seed_, kNameSalt, number, attempt);
    const Word& a = first[h % first.size()];
    const Word& b = second[(h >> 16) % second.size()];
    text = std::u16string(a.text) + b.text + suffix.text;
    if (attempt < 64 && !names_.insert(text).second) continue;
    initials = std::string(a.initials) + b.initials + suffix.initials;
    return a;
  }
}

void CatalogBuilder::AddShares(const char* prefix, int first, int count, Board board, Kind kind, int listed_age) {
  for (int i = 0; i < count; ++i) AddShare(Code(prefix, first + i), board, kind, listed_age);
}

void CatalogBuilder::AddShare(const std::string& code, Board board, Kind kind, int listed_age) {
  const std::uint64_t h = Hash(seed_, kShareSalt, CodeNumber(code));
  const auto industries = Industries();
  const int industry = static_cast<int>(h % industries.size());
  Security s;
  s.code = code;
  s.kind = kind;
  s.board = board;
  s.wire_type = kind == Kind::kAShare ? 1 : 2;
  s.decimals = kind == Kind::kBShare && code[1] == 'H' ? 3 : 2;
  CompanyName(CodeNumber(code), industries[static_cast<std::size_t>(industry)].suffix, s.name, s.initials);
  s.steady = IsSteady(code);
  s.st = kind == Kind::kAShare && !s.steady && Unit(Hash(h, 3)) < 0.03;
  s.limit_percent = s.st ? 5 : board == Board::kChiNext ? 20 : 10;
  const double growth = board == Board::kChiNext ? 1.3 : board == Board::kSme ? 1.15 : 1.0;
  s.own_volatility = (s.st ? 0.008 : 0.009 + Unit(Hash(h, 9)) * 0.01) * growth;
  s.beta = 0.6 + Unit(Hash(h, 17)) * 0.8;
  s.factor_group = industry + 1;
  const double unit = s.decimals == 3 ? 1000 : 100;
  const double yuan = kind == Kind::kBShare ? 0.3 + Unit(Hash(h, 25)) * 2.5 : 2.5 + std::pow(Unit(Hash(h, 25)), 2) * 60 * growth;
  s.base_price = static_cast<int>(yuan * unit);
  s.float_lots = static_cast<std::int64_t>(std::pow(10.0, 5.5 + Unit(Hash(h, 33)) * 2.3) / growth);
  s.earnings_milli = s.st ? -20 - static_cast<int>(Unit(Hash(h, 41)) * 300) : 20 + static_cast<int>(Unit(Hash(h, 41)) * 1500);
  s.has_events = kind == Kind::kAShare && !s.st;
  s.listed_age = listed_age > 0 ? listed_age / 4 + static_cast<int>((h >> 47) % static_cast<std::uint64_t>(listed_age)) : 1 << 20;
  if (s.st) {
    s.name = u"ST" + s.name;
    s.initials = "ST" + s.initials;
  }
  if (kind == Kind::kBShare) {
    s.name = s.name.substr(0, 2) + u"B股";
    s.initials = s.initials.substr(0, 2) + "BG";
  }
  const int me = Add(std::move(s));
  Security& share = catalog_[static_cast<std::size_t>(me)];
  share.sectors.push_back(industries_[static_cast<std::size_t>(industry)]);
  share.sectors.push_back(regions_[(h >> 50) % regions_.size()]);
  const std::size_t wanted = share.sectors.size() + 2 + (h >> 55) % 4;
  for (std::uint64_t c = 0; share.sectors.size() < wanted; ++c) {
    const int sector = concepts_[Hash(h, c) % concepts_.size()];
    if (std::find(share.sectors.begin(), share.sectors.end(), sector) == share.sectors.end()) share.sectors.push_back(sector);
  }
  if (kind != Kind::kAShare) return;
  for (int sector : share.sectors) catalog_[static_cast<std::size_t>(sector)].members.push_back(me);
}

void CatalogBuilder::AddFunds(const char* prefix, int first, int count, const char16_t* suffix, const char* initials,
                              double beta) {
  const auto themes = FundThemes();
  for (int i = 0; i < count; ++i) {
    Security s;
    s.code = Code(prefix, first + i);
    const std::uint64_t h = Hash(seed_, kShareSalt, CodeNumber(s.code));
    const Word& theme = themes[h % themes.size()];
    CompanyName(CodeNumber(s.code), theme, s.name, s.initials);
    s.name += suffix;
    s.initials += initials;
    s.kind = Kind::kFund;
    s.wire_type = 5;
    s.decimals = 3;
    s.beta = beta;
    s.own_volatility = 0.002 + Unit(Hash(h, 8)) * 0.006;
    s.base_price = static_cast<int>((0.6 + Unit(Hash(h, 16)) * 3) * 1000);
    s.float_lots = static_cast<std::int64_t>(std::pow(10.0, 5.0 + Unit(Hash(h, 24)) * 2));
    Add(std::move(s));
  }
}

void CatalogBuilder::AddBonds(const char* prefix, int first, int count, bool government) {
  for (int i = 0; i < count; ++i) {
    Security s;
    s.code = Code(prefix, first + i);
    const std::uint64_t h = Hash(seed_, kShareSalt, CodeNumber(s.code));
    const int year = 10 + static_cast<int>(h % 16);
    char16_t digits[8];
    for (int k = 0; k < 2; ++k) digits[k] = static_cast<char16_t>(u'0' + (k == 0 ? year / 10 : year % 10));
    if (government) {
      const int series = 1 + i % 30;
      s.name = std::u16string(u"国债") + digits[0] + digits[1] + static_cast<char16_t>(u'0' + series / 10) +
               static_cast<char16_t>(u'0' + series % 10);
      s.initials = "GZ" + std::to_string(year * 100 + series);
    } else {
      CompanyName(CodeNumber(s.code), Word{u"债", "Z"}, s.name, s.initials);
      s.name = std::u16string(digits, 2) + s.name.substr(0, 2) + u"债";
      s.initials = std::to_string(year) + s.initials;
    }
    s.kind = Kind::kBond;
    s.wire_type = 14;
    s.decimals = 3;
    s.beta = 0;
    s.own_volatility = government ? 0.0008 : 0.002;
    s.limit_percent = 10;
    s.base_price = static_cast<int>((96 + Unit(Hash(h, 8)) * 10) * 1000);
    s.float_lots = static_cast<std::int64_t>(std::pow(10.0, 4.5 + Unit(Hash(h, 24)) * 1.5));
    Add(std::move(s));
  }
}

void CatalogBuilder::AddWarrants(const char* prefix, int first, int count) {
  for (int i = 0; i < count; ++i) {
    Security s;
    s.code = Code(prefix, first + i);
    const std::uint64_t h = Hash(seed_, kShareSalt, CodeNumber(s.code));
    const bool call = (h & 1) != 0;
    CompanyName(CodeNumber(s.code), call ? Word{u"CWB1", "CWB1"} : Word{u"JTP1", "JTP1"}, s.name, s.initials);
    s.kind = Kind::kWarrant;
    s.wire_type = 6;
    s.decimals = 3;
    s.beta = call ? 2.0 : -1.5;
    s.own_volatility = 0.03;
    s.limit_percent = 0;
    s.base_price = static_cast<int>((0.3 + Unit(Hash(h, 8)) * 4) * 1000);
    s.float_lots = static_cast<std::int64_t>(std::pow(10.0, 5.5 + Unit(Hash(h, 24))));
    Add(std::move(s));
  }
}

void CatalogBuilder::AddSectors() {
  const auto add = [&](const Word& word, int number, SectorClass sector_class, const char16_t* suffix,
                       const char* initials, std::vector<int>& into) {
    Security s;
    s.code = Code("BI", number);
    s.name = std::u16string(word.text) + suffix;
    s.initials = std::string(word.initials) + initials;
    s.kind = Kind::kSector;
    s.wire_type = 0;
    s.limit_percent = 0;
    s.sector_class = sector_class;
    s.own_volatility = 0.008;
    s.start_level = static_cast<int>((800 + Unit(Hash(seed_, 0x424B, static_cast<std::uint64_t>(number))) * 2200) * 100);
    into.push_back(Add(std::move(s)));
  };
  const auto industries = Industries();
  for (std::size_t i = 0; i < industries.size(); ++i) add(industries[i].name, kFirstIndustry + static_cast<int>(i), SectorClass::kIndustry, u"", "", industries_);
  const auto concepts = Concepts();
  for (std::size_t i = 0; i < concepts.size(); ++i) add(concepts[i], kFirstConcept + static_cast<int>(i), SectorClass::kConcept, u"", "", concepts_);
  const auto regions = Regions();
  for (std::size_t i = 0; i < regions.size(); ++i) add(regions[i], kFirstRegion + static_cast<int>(i), SectorClass::kRegion, u"板块", "BK", regions_);
}

std::vector<Security> CatalogBuilder::Build() {
  AddSectors();
  AddShares("SH", 600000, 800, Board::kShanghaiMain, Kind::kAShare, 0);
  AddShares("SH", 601000, 250, Board::kShanghaiMain, Kind::kAShare, 0);
  AddShares("SH", 603000, 550, Board::kShanghaiMain, Kind::kAShare, 9 * kYear);
  AddShares("SH", 605000, 100, Board::kShanghaiMain, Kind::kAShare, 4 * kYear);
  AddShares("SZ", 1, 500, Board::kShenzhenMain, Kind::kAShare, 0);
  AddShares("SZ", 1201, 50, Board::kShenzhenMain, Kind::kAShare, 5 * kYear);
  AddShares("SZ", 2001, 850, Board::kSme, Kind::kAShare, 16 * kYear);
  AddShares("SZ", 3001, 100, Board::kSme, Kind::kAShare, 5 * kYear);
  AddShares("SZ", 300001, 999, Board::kChiNext, Kind::kAShare, 14 * kYear);
  AddShares("SZ", 301001, 201, Board::kChiNext, Kind::kAShare, 4 * kYear);
  AddShares("SH", 900901, 50, Board::kShanghaiMain, Kind::kBShare, 0);
  AddShares("SZ", 200011, 50, Board::kShenzhenMain, Kind::kBShare, 0);
  AddFunds("SH", 510010, 80, u"ETF", "ETF", 1.0);
  AddFunds("SH", 500001, 20, u"", "", 0.9);
  AddFunds("SH", 501001, 50, u"LOF", "LOF", 0.8);
  AddFunds("SZ", 159901, 80, u"ETF", "ETF", 1.0);
  AddFunds("SZ", 184688, 20, u"", "", 0.9);
  AddFunds("SZ", 160101, 50, u"LOF", "LOF", 0.8);
  AddBonds("SH", 10001, 30, true);
  AddBonds("SH", 122001, 50, false);
  AddBonds("SZ", 100001, 30, true);
  AddBonds("SZ", 112001, 50, false);
  AddWarrants("SH", 580001, 20);
  AddWarrants("SZ", 31001, 20);
  AddIndices();
  AddFutures();
  AddAbroad();
  return std::move(catalog_);
}

std::vector<Security> BuildCatalog(std::uint64_t seed) { return CatalogBuilder(seed).Build(); }

}  // namespace tarvello::server
