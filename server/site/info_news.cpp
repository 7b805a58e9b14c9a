#include "server/site/info_news.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "server/market/calendar.h"
#include "server/market/deterministic_random.h"
#include "text/text_codec.h"

namespace tarvello::server {
namespace {

constexpr int kDaysLooked = 30;
constexpr int kSerialsADay = 2;
constexpr std::uint64_t kInfoSalt = 0x1F0;
// The time of an InfoMoment that takes in the whole of its day.
constexpr int kWholeDay = 240000;

std::u16string Ascii(const std::string& text) { return text::FromAscii(text); }

std::u16string Fixed(double value, int decimals) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return Ascii(buffer);
}

std::u16string DateText(int date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
  return Ascii(buffer);
}

double Yuan(const Security& security, int scaled) {
  double value = scaled;
  for (int i = 0; i < security.decimals; ++i) value /= 10;
  return value;
}

std::u16string SectorOf(const Market& market, const Security& share) {
  for (const int sector : share.sectors) {
    const Security& s = market.security(sector);
    if (s.sector_class == SectorClass::kIndustry) return s.name;
  }
  return u"综合";
}

std::u16string Digits(const Security& share) { return Ascii(share.code.substr(std::min<std::size_t>(2, share.code.size()))); }

std::uint64_t ItemHash(const Market& market, int index, int kind, int day_index, int serial) {
  return Hash(market.seed() ^ kInfoSalt, static_cast<std::uint64_t>(index),
              static_cast<std::uint64_t>(kind) << 8 | static_cast<std::uint64_t>(serial),
              static_cast<std::uint64_t>(day_index));
}

// News come on about half the days, notices and reports less often; a second item is rarer.
bool HasItem(const Market& market, int index, int kind, int day_index, int serial) {
  const int every = kind == 1 ? 2 : kind == 2 ? 5 : 7;
  const std::uint64_t h = ItemHash(market, index, kind, day_index, serial);
  return h % static_cast<std::uint64_t>(serial == 0 ? every : every * 3) == 0;
}

// The price an item quotes, what it compares with and how it is said: the previous day's close
// before the opening, the price of the minute during trading, the close after it.
struct QuotedPrice {
  int price = 0;
  int reference = 0;
  std::u16string when;
};

QuotedPrice PriceAt(const Market& market, const InfoItem& item) {
  const DayQuote day = market.day(item.index, item.day_index);
  const Session& session = *market.security(item.index).session;
  const int slots = session.SlotsReached(item.time / 10000 * 3600 + item.time / 100 % 100 * 60 + item.time % 100);
  if (day.suspended) return QuotedPrice{day.prev_close, day.prev_close, u"停牌，前收盘"};
  if (slots == 0) {
    const DayQuote before = item.day_index > 0 ? market.day(item.index, item.day_index - 1) : day;
    return QuotedPrice{before.close, item.day_index > 0 ? before.prev_close : before.close, u"前一交易日收盘"};
  }
  if (slots >= session.SlotCount()) return QuotedPrice{day.close, day.prev_close, u"收盘"};
  const int price = market.Path(item.index, item.day_index)->price[static_cast<std::size_t>(slots - 1)];
  return QuotedPrice{price, day.prev_close, u"盘中"};
}

std::u16string Title(const Market& market, const InfoItem& item) {
  const Security& share = market.security(item.index);
  const std::u16string sector = SectorOf(market, share);
  const std::uint64_t pick = ItemHash(market, item.index, item.kind, item.day_index, item.serial) >> 20;
  switch (item.kind) {
    case 1: {
      const std::u16string titles[] = {u"", share.name + u"：" + sector + u"业务订单增长，产能利用率提升",
                                       share.name + u"获多家机构调研，市场关注" + sector + u"前景", u""};
      const std::size_t chosen = pick % std::size(titles);
      if (!titles[chosen].empty()) return titles[chosen];
      const QuotedPrice quoted = PriceAt(market, item);
      const bool up = quoted.price >= quoted.reference;
      if (chosen == 0) {
        return share.name + quoted.when + u"报" + Fixed(Yuan(share, quoted.price), share.decimals) + u"元，" +
               (up ? u"小幅走高" : u"震荡回落");
      }
      return sector + u"板块" + (up ? u"走强" : u"调整") + u"，" + share.name + u"成交活跃";
    }
    case 2: {
      const std::u16string titles[] = {share.name + u"：关于召开股东大会的通知", share.name + u"：董事会决议公告",
                                       share.name + u"：权益分派实施公告", share.name + u"：股票交易异常波动公告"};
      return titles[pick % std::size(titles)];
    }
    default: {
      const std::u16string titles[] = {share.name + u"：" + sector + u"细分龙头，维持“增持”评级",
                                       share.name + u"深度报告：盈利能力稳步提升",
                                       share.name + u"点评：业绩符合预期，关注新产品放量"};
      return titles[pick % std::size(titles)];
    }
  }
}

std::u16string Source(int kind) {
  if (kind == 1) return u"Tarvello财经";
  if (kind == 2) return u"交易所公告";
  return u"模拟证券研究所";
}

// An item without its title and source: enough to sort and cut lists before the titles, which
// quote prices, are made for the items kept.
InfoItem Stub(const Market& market, int index, int kind, int day_index, int serial) {
  InfoItem item;
  item.kind = kind;
  item.index = index;
  item.day_index = day_index;
  item.serial = serial;
  item.date = CivilDate(market.TradingDay(day_index));
  // Between 08:00 and 20:00; the morning ones have five digits.
  const int seconds = 8 * 3600 + static_cast<int>(ItemHash(market, index, kind, day_index, serial + 7) % (12 * 3600));
  item.time = seconds / 3600 * 10000 + seconds / 60 % 60 * 100 + seconds % 60;
  item.identifier = std::to_string(kind) + "_" + market.security(index).code + "_" + std::to_string(day_index) + "_" +
                    std::to_string(serial);
  return item;
}

bool IsOut(const InfoItem& item, const InfoMoment& moment) {
  return item.day_index < moment.day_index || (item.day_index == moment.day_index && item.time <= moment.time);
}

std::vector<InfoItem> Titled(const Market& market, std::vector<InfoItem> items) {
  for (InfoItem& item : items) {
    item.title = Title(market, item);
    item.source = Source(item.kind);
  }
  return items;
}

bool Newer(const InfoItem& a, const InfoItem& b) {
  if (a.date != b.date) return a.date > b.date;
  if (a.time != b.time) return a.time > b.time;
  return a.identifier < b.identifier;
}

std::vector<InfoItem> Newest(std::vector<InfoItem> items, int limit) {
  std::sort(items.begin(), items.end(), Newer);
  if (static_cast<int>(items.size()) > limit) items.resize(static_cast<std::size_t>(std::max(0, limit)));
  return items;
}

// The items of one share and kind out at the moment, newest first, at most limit, untitled.
std::vector<InfoItem> Stubs(const Market& market, int index, int kind, const InfoMoment& moment, int limit) {
  std::vector<InfoItem> items;
  if (index < 0 || index >= market.size() || !market.security(index).IsShare()) return items;
  kind = InfoKindOf(kind);
  for (int day = moment.day_index; day > moment.day_index - kDaysLooked && day >= 0; --day) {
    for (int serial = 0; serial < kSerialsADay; ++serial) {
      if (!HasItem(market, index, kind, day, serial)) continue;
      InfoItem item = Stub(market, index, kind, day, serial);
      if (IsOut(item, moment)) items.push_back(std::move(item));
    }
  }
  return Newest(std::move(items), limit);
}

bool ParseInt(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int InfoKindOf(int kind) { return kind == 1 || kind == 2 ? kind : 16; }

InfoMoment InfoMomentOf(const Market& market, const SimTime& now) {
  int day = market.PositionAt(0, now).day_index;
  // Before the opening the market still stands at the previous day, but the day's early news is out.
  if (day + 1 < market.day_count() && market.TradingDay(day + 1) == now.day) ++day;
  return InfoMoment{day, market.TradingDay(day) == now.day ? now.Hhmmss() : kWholeDay};
}

std::vector<InfoItem> SecurityItems(const Market& market, int index, int kind, const InfoMoment& moment, int limit) {
  return Titled(market, Stubs(market, index, kind, moment, limit));
}

// A spread of shares (every seventeenth) stands for the market, so the list stays short to build.
std::vector<InfoItem> MarketItems(const Market& market, int kind, const InfoMoment& moment, int limit) {
  std::vector<InfoItem> items;
  for (int index = 0; index < market.size(); index += 17) {
    for (InfoItem& item : Stubs(market, index, kind, moment, 2)) items.push_back(std::move(item));
  }
  return Titled(market, Newest(std::move(items), limit));
}

std::optional<InfoItem> FindItem(const Market& market, std::string_view identifier, const InfoMoment& moment) {
  std::vector<std::string_view> parts;
  while (parts.size() < 4) {
    const std::size_t cut = identifier.find('_');
    parts.push_back(identifier.substr(0, cut));
    if (cut == std::string_view::npos) break;
    identifier.remove_prefix(cut + 1);
  }
  int kind = 0;
  int day = 0;
  int serial = 0;
  if (parts.size() != 4 || !ParseInt(parts[0], kind) || !ParseInt(parts[2], day) || !ParseInt(parts[3], serial))
    return std::nullopt;
  const int index = market.Find(parts[1]);
  if (index < 0 || !market.security(index).IsShare() || InfoKindOf(kind) != kind || day < 0 ||
      day >= market.day_count() || serial < 0 || serial >= kSerialsADay)
    return std::nullopt;
  InfoItem item = Stub(market, index, kind, day, serial);
  if (!HasItem(market, index, kind, day, serial) || !IsOut(item, moment)) return std::nullopt;
  return std::move(Titled(market, {std::move(item)}).front());
}

std::u16string ArticleText(const Market& market, const InfoItem& item) {
  const Security& share = market.security(item.index);
  const QuotedPrice quoted = PriceAt(market, item);
  const double change = quoted.reference > 0 ? 100.0 * (quoted.price - quoted.reference) / quoted.reference : 0;
  const std::u16string moved = change > 0 ? u"上涨" + Fixed(change, 2) + u"%" : change < 0 ? u"下跌" + Fixed(-change, 2) + u"%" : u"持平";
  return u"　　" + share.name + u"（" + Digits(share) + u"）" + DateText(item.date) + quoted.when + u"报" +
         Fixed(Yuan(share, quoted.price), share.decimals) + u"元，较前一交易日" + moved + u"。\n　　公司所属" +
         SectorOf(market, share) + u"行业，流通股本" + Ascii(std::to_string(share.float_lots / 100)) + u"万股，每股收益" +
         Fixed(share.earnings_milli / 1000.0, 3) + u"元。\n　　" + item.title +
         u"。\n　　本文由Tarvello模拟服务器生成，公司与数据纯属虚构，不构成投资建议。";
}

std::u16string F10Text(const Market& market, int index, int item_kind, const InfoMoment& moment) {
  const Security& share = market.security(index);
  if (!share.IsShare()) return u"本证券暂无F10资料。";
  const int day_index = moment.day_index;
  const double eps = share.earnings_milli / 1000.0;
  InfoItem now;  // the moment itself, for the price it quotes
  now.index = index;
  now.day_index = day_index;
  now.time = moment.time;
  const double price = Yuan(share, PriceAt(market, now).price);
  const std::int64_t float_wan = share.float_lots / 100;
  const std::uint64_t h = Hash(market.seed() ^ kInfoSalt, static_cast<std::uint64_t>(index), 99);
  switch (item_kind) {
    case 4: {
      std::u16string text;
      for (const InfoItem& item : SecurityItems(market, index, 1, moment, 8))
        text += DateText(item.date) + u" " + item.title + u"\n";
      return text.empty() ? u"近期暂无资讯。" : text;
    }
    case 8: {
      std::u16string text = DateText(CivilDate(market.TradingDay(std::max(0, share.listed_day)))) + u" 公司股票上市交易。\n";
      if (const auto events = market.Events(index)) {
        for (const CorporateEvent& event : *events) {
          if (event.day_index > day_index) break;
          text += DateText(CivilDate(market.TradingDay(event.day_index))) + u" 实施分红，每10股派现金" +
                  Fixed(Yuan(share, event.dividend) * 10, 2) + u"元。\n";
        }
      }
      return text;
    }
    case 16: {
      const double shares_wan = static_cast<double>(float_wan) * 1.25;
      const double profit = eps * shares_wan;
      const double revenue = profit * static_cast<double>(6 + h % 12);
      return u"每股收益：" + Fixed(eps, 3) + u"元,每股净资产：" + Fixed(eps * static_cast<double>(4 + h % 5), 2) +
             u"元,营业收入：" + Fixed(revenue, 0) + u"万元,净利润：" + Fixed(profit, 0) + u"万元,总股本：" +
             Fixed(shares_wan, 0) + u"万股,流通股本：" + Ascii(std::to_string(float_wan)) + u"万股,市盈率：" +
             (eps > 0 ? Fixed(price / eps, 1) : std::u16string(u"--"));
    }
    case 7:
      return u"公司名称：" + share.name + u"股份有限公司\n证券代码：" + Digits(share) + u"\n所属行业：" +
             SectorOf(market, share) + u"\n上市日期：" +
             DateText(CivilDate(market.TradingDay(std::max(0, share.listed_day)))) + u"\n流通股本：" +
             Ascii(std::to_string(float_wan)) + u"万股\n主营业务：" + SectorOf(market, share) +
             u"相关产品的研发、生产与销售。\n（公司为模拟市场虚构，资料仅供演示。）";
    default: {
      static constexpr const char16_t* kHolders[] = {u"模拟控股集团有限公司", u"虚构投资管理有限公司", u"示例社保基金组合",
                                                      u"演示证券投资基金",   u"样本信托计划",         u"测试资产管理计划",
                                                      u"假想实业有限公司",   u"模拟人寿保险账户",     u"范例养老金组合",
                                                      u"虚拟创业投资有限公司"};
      std::u16string text;
      double percent = 30.0 + static_cast<double>(h % 20);
      for (int rank = 0; rank < 10; ++rank) {
        text += Ascii(std::to_string(rank + 1)) + u". " + kHolders[(h + static_cast<std::uint64_t>(rank)) % 10] + u" " +
                Fixed(percent, 2) + u"%\n";
        percent *= 0.55;
      }
      return text;
    }
  }
}

}  // namespace tarvello::server
