#include "server/wire/info_answers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "info/info_answers.h"
#include "protocol/block_reader.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "server/site/info_news.h"
#include "text/text_codec.h"

namespace tarvello::server {
namespace {

constexpr std::size_t kCodeListItem = 24;
constexpr std::size_t kCodeListDigits = 6;

std::string Prefix(std::uint8_t market_byte) {
  if (market_byte == 1) return "SH";
  if (market_byte == 0x5A) return "BI";
  return "SZ";
}

Bytes TitlesBody(const std::vector<InfoItem>& items, const Market& market) {
  WireWriter body;
  body.I16(static_cast<std::int16_t>(items.size()));
  for (const InfoItem& item : items) {
    body.I32(item.date).I32(item.time).I16(0).U8(0).Str(item.identifier);
    body.Str(market.security(item.index).code).Str("");
    body.Utf8(item.title).Utf8(item.source);
  }
  return body.Take();
}

// u16 kind, u16 limit, u32 count, then count items of six code digits, a zero, the market byte
// and four u32 values.
Bytes CodeListTitles(const Market& market, BlockReader reader, const SimTime& now) {
  const int kind = reader.UInt16();
  const int limit = std::min<int>(reader.UInt16(), kMaxInfoTitles);
  const std::uint32_t count = static_cast<std::uint32_t>(reader.Int32());
  const InfoMoment moment = InfoMomentOf(market, now);
  std::vector<InfoItem> items;
  for (std::uint32_t i = 0; i < count && reader.remaining() >= kCodeListItem; ++i) {
    std::string digits(kCodeListDigits, '\0');
    for (char& c : digits) c = static_cast<char>(reader.Byte());
    reader.Byte();
    const std::string code = Prefix(reader.Byte()) + digits;
    reader.Skip(16);
    for (InfoItem& item : SecurityItems(market, market.Find(code), kind, moment, limit)) items.push_back(std::move(item));
  }
  std::sort(items.begin(), items.end(), [](const InfoItem& a, const InfoItem& b) {
    return a.date != b.date ? a.date > b.date : a.time > b.time;
  });
  if (static_cast<int>(items.size()) > limit) items.resize(static_cast<std::size_t>(limit));
  return TitlesBody(items, market);
}

Bytes GeneralTitles(const Market& market, int kind, const SimTime& now) {
  WireWriter body;
  const std::vector<InfoItem> items = MarketItems(market, kind, InfoMomentOf(market, now), 30);
  body.I16(static_cast<std::int16_t>(items.size()));
  for (const InfoItem& item : items) body.Str(item.identifier).Utf8(item.title);
  return body.Take();
}

Bytes Categories() {
  struct Category {
    int kind;
    const char16_t* title;
  };
  static constexpr Category kCategories[] = {
      {1, u"财经要闻"}, {2, u"上市公司公告"}, {16, u"机构研究报告"}, {5, u"市场评论"}};
  WireWriter body;
  body.I16(static_cast<std::int16_t>(std::size(kCategories)));
  for (const Category& category : kCategories) body.I32(category.kind).Utf8(category.title).U8(0);
  return body.Take();
}

Bytes FetchedTitles() {
  static constexpr const char16_t* kNames[] = {u"今日焦点", u"盘前提示", u"盘后点评", u"一周回顾"};
  WireWriter body;
  body.I32(0).I16(static_cast<std::int16_t>(std::size(kNames)));
  int value = 1;
  for (const char16_t* name : kNames) body.Utf8(name).U8(0).I32(value++);
  return body.Take();
}

std::optional<Bytes> F10(const Market& market, BlockReader reader, const SimTime& now) {
  const std::string code(reader.RawString());
  const int item_kind = reader.UInt16();
  const int index = market.Find(code);
  if (index < 0 || reader.overrun()) return std::nullopt;
  return WireWriter().I32(0).Utf8(F10Text(market, index, item_kind, InfoMomentOf(market, now))).Take();
}

std::optional<Bytes> Article(const Market& market, BlockReader reader, const SimTime& now) {
  reader.Int32();
  const std::optional<InfoItem> item = FindItem(market, reader.RawString(), InfoMomentOf(market, now));
  if (!item || reader.overrun()) return std::nullopt;
  const std::u16string subtitle = InfoDateText(item->date) + u" " + InfoTimeText(item->time) + u"来源:" + item->source;
  return WireWriter().Utf8(item->title).Utf8(subtitle).Utf8(ArticleText(market, *item)).Take();
}

}  // namespace

std::optional<Bytes> InfoAnswer(const Market& market, const RequestPacket& packet, const SimTime& now) {
  const BlockReader reader(packet.body.data(), 0, packet.body.size());
  switch (packet.type) {
    case kF10Item: return F10(market, reader, now);
    case kCodeListInfo: return CodeListTitles(market, reader, now);
    case kInfoList: {
      BlockReader kind = reader;
      return GeneralTitles(market, kind.Int32(), now);
    }
    case kInfoCategories: return Categories();
    case kInfoTitles: return FetchedTitles();
    case kArticle: return Article(market, reader, now);
    default: return std::nullopt;
  }
}

}  // namespace tarvello::server
