#include "lists/list_answer.h"

#include <algorithm>
#include <limits>

#include "lists/list_codes.h"
#include "market/code_list.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr int kFailed = -1;
constexpr std::size_t kLeaderNameBytes = 12;
constexpr int kMostPriceDecimals = 4;  // more would be no price scale a server sends
constexpr std::uint16_t kOlderList = 2100;
constexpr std::uint16_t kOlderListPlain = 2101;
constexpr std::uint16_t kStageList = 2104;

std::int32_t Clamped(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Differences of two wire values can leave the int32 range; they are held at its ends.
std::int32_t Difference(std::int32_t a, std::int32_t b) { return Clamped(std::int64_t{a} - b); }

struct Reading {
  const ListAnswerContext& context;
  ListRows& rows;
  ListAnswerResult& result;
  BlockReader& reader;

  bool OwnList() const {
    return context.category == kCategorySelfSelected || context.category == kCategoryRecentlyViewed;
  }

  bool Names(SecurityCode& code, std::u16string& name) { return ReadRowNames(reader, code, name); }

  template <typename Row, typename ReadRow>
  bool Rows(std::vector<Row>& list, ReadRow readRow) {
    const int n = reader.Int16();
    for (int i = 0; i < n; ++i) {
      Row row;
      if (!readRow(row) || reader.overrun()) return false;
      list.push_back(std::move(row));
    }
    return true;
  }

  bool Total(int extra) {
    const int total = reader.UInt16();
    if (reader.overrun()) return false;
    if (!OwnList()) rows.listTotal = total + extra;
    return true;
  }

  bool Bucket(BucketRow& row) {
    row.first = reader.String();
    row.second = reader.String();
    row.value1 = reader.Int32();
    row.value2 = reader.Int32();
    return true;
  }

  bool Futures(FuturesRow& row) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    row.status = reader.Byte();
    for (std::int32_t* field : {&row.latest, &row.changeRatio, &row.change, &row.prevClose, &row.interestChange,
                                &row.openInterest, &row.presettle, &row.kept1, &row.kept2}) {
      *field = reader.Int32();
    }
    reader.Int32();
    row.reference = Difference(row.latest, row.change);
    return true;
  }

  bool Sector(QuoteRow& row) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    row.flags = reader.Byte();
    for (std::int32_t* field : {&row.latest, &row.changeRatio, &row.change, &row.turnover, &row.volume, &row.high,
                                &row.low}) {
      *field = reader.Int32();
    }
    row.leaderName = reader.FixedString(kLeaderNameBytes);
    row.sectorNumber = SectorNumberOf(row.code);
    row.prevClose = Difference(row.latest, row.change);
    return true;
  }

  bool Stock(QuoteRow& row) { return ReadStockRow(reader, row); }

  // Blocks 2100 and 2101: the older list rows, with two more values for sectors under 2100.
  bool Older(QuoteRow& row, bool sectorExtras) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    for (std::int32_t* field : {&row.latest, &row.prevClose, &row.value2, &row.volume, &row.high, &row.low}) {
      *field = reader.Int32();
    }
    row.flags = reader.Byte();
    if (sectorExtras) {
      row.extraA = reader.Int32();
      row.extraB = reader.Int32();
    }
    return true;
  }

  bool Stage(QuoteRow& row) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    reader.Byte();
    for (std::int32_t* field : {&row.latest, &row.prevClose, &row.value2, &row.volume, &row.high, &row.low,
                                &row.extraA, &row.extraB, &row.extraC, &row.extraD}) {
      *field = reader.Int32();
    }
    row.flags = reader.Byte();
    return true;
  }

  bool BigOrder(BigOrderRow& row) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    row.netRatio = reader.Int32();
    row.rank = reader.Int32();
    row.changeRatio = reader.Int32();
    return true;
  }

  bool Fund(FundRow& row) {
    if (!Names(row.code, row.name)) return false;
    row.decimals = reader.Byte();
    row.latest = reader.Int32();
    row.netAmount = reader.Int32();
    row.netRatio = reader.Int32();
    row.prevClose = reader.Int32();
    return true;
  }

  // Six values: bought and sold lots of the large, medium and small orders.
  bool TradeAnalysis() {
    static constexpr const char16_t* kLabels[] = {u"大于1000手", u"100-1000手", u"小于100手"};
    std::vector<BucketRow> buckets;
    for (const char16_t* label : kLabels) {
      BucketRow row;
      row.second = label;
      row.value1 = reader.Int32();
      row.value2 = reader.Int32();
      buckets.push_back(std::move(row));
    }
    if (reader.overrun()) return false;
    rows.buckets = std::move(buckets);
    return true;
  }

  bool Side(OrderSide& side) {
    side.price = reader.Int32();
    side.volume = reader.Int32();
    side.count = reader.Int32();
    constexpr std::size_t kOrderBytes = 4;
    if (reader.overrun() || side.count < 0 || static_cast<std::size_t>(side.count) > reader.remaining() / kOrderBytes) {
      return false;
    }
    const std::size_t kept = std::min(static_cast<std::size_t>(side.count), kKeptOrders);
    for (std::size_t i = 0; i < kept; ++i) side.orders.push_back(reader.Int32());
    reader.Skip((static_cast<std::size_t>(side.count) - kept) * kOrderBytes);
    return !reader.overrun();
  }

  bool OrderDetailsBlock() {
    OrderDetails details;
    if (!Side(details.ask) || !Side(details.bid)) return false;
    details.reference = rows.orders.reference;
    details.referenceDecimals = rows.orders.referenceDecimals;
    rows.orders = std::move(details);
    return true;
  }

  // The stock's own quote before its order details: only the previous close is kept.
  bool ReferenceQuote() {
    for (int i = 0; i < 6; ++i) reader.Int32();
    const std::int32_t prevClose = reader.Int32();
    if (reader.overrun()) return false;
    rows.orders.reference = prevClose;
    return true;
  }

  // The sector's own quote: latest, value2, volume, high, low, open (not kept), prevClose.
  bool SectorQuote() {
    if (context.orderReference) return ReferenceQuote();
    if (context.sector.empty()) return true;
    QuoteRow row;
    row.code = context.sector;
    row.name = context.sectorName;
    row.decimals = 2;
    std::int32_t open = 0;
    for (std::int32_t* field : {&row.latest, &row.value2, &row.volume, &row.high, &row.low, &open, &row.prevClose}) {
      *field = reader.Int32();
    }
    if (reader.overrun()) return false;
    row.change = Difference(row.latest, row.prevClose);
    row.changeRatio = ChangeRatioOf(row.change, row.prevClose);
    rows.quotes.insert(rows.quotes.begin(), std::move(row));
    return true;
  }

  bool List2113() {
    switch (context.category) {
      case kCategorySectorFunds: return Rows(rows.buckets, [this](BucketRow& r) { return Bucket(r); }) && Total(0);
      case kCategoryFutures: return Rows(rows.futures, [this](FuturesRow& r) { return Futures(r); }) && Total(0);
      case kCategorySectors: return Rows(rows.quotes, [this](QuoteRow& r) { return Sector(r); }) && Total(0);
      default: return Rows(rows.quotes, [this](QuoteRow& r) { return Stock(r); }) && Total(0);
    }
  }

  bool List2100() {
    if (context.category == kCategorySectorFunds) {
      return Rows(rows.buckets, [this](BucketRow& r) { return Bucket(r); }) && Total(0);
    }
    const bool extras = context.category == kCategorySectors;
    return Rows(rows.quotes, [this, extras](QuoteRow& r) { return Older(r, extras); }) && Total(0);
  }

  bool Block(int type) {
    switch (type) {
      case kCategoryList: return List2113();
      case kSectorMembers: return Rows(rows.quotes, [this](QuoteRow& r) { return Stock(r); }) && Total(1);
      case kQuote: return SectorQuote();
      case kBigOrderList: return Rows(rows.bigOrders, [this](BigOrderRow& r) { return BigOrder(r); }) && Total(0);
      case kFundList: return Rows(rows.funds, [this](FundRow& r) { return Fund(r); }) && Total(0);
      case kOlderList: return List2100();
      case kOlderListPlain: return Rows(rows.quotes, [this](QuoteRow& r) { return Older(r, false); }) && Total(1);
      case kStageList: return Rows(rows.quotes, [this](QuoteRow& r) { return Stage(r); }) && Total(1);
      case kTradeAnalysis: return TradeAnalysis();
      case kOrderDetails: return OrderDetailsBlock();
      case kSecurityInfo: {
        reader.String();
        reader.String();
        const std::uint8_t securityType = reader.Byte();
        if (reader.overrun()) return true;
        result.securityType = securityType;
        // The order details' reference price comes in these decimals.
        const std::uint8_t decimals = reader.Byte();
        if (context.orderReference && !reader.overrun() && decimals <= kMostPriceDecimals) {
          rows.orders.referenceDecimals = decimals;
        }
        return true;
      }
      default: return true;
    }
  }
};

}  // namespace

std::uint16_t SectorNumberOf(const SecurityCode& code) {
  const std::u16string& text = code.text();
  const std::u16string_view tail = std::u16string_view(text).substr(text.size() > 3 ? text.size() - 3 : 0);
  std::uint16_t number = 0;
  for (const char16_t c : tail) {
    if (c < u'0' || c > u'9') break;
    number = static_cast<std::uint16_t>(number * 10 + (c - u'0'));
  }
  return number;
}

std::int32_t ChangeRatioOf(std::int64_t change, std::int64_t prevClose) {
  if (prevClose == 0) return 0;
  return Clamped(change * 10000 / prevClose);
}

ListAnswerResult ReadListAnswer(const std::uint8_t* bytes, std::size_t length, const ListAnswerContext& context,
                                ListRows& rows) {
  ListAnswerResult result;
  if (length == 0) {
    result.complete = true;
    return result;
  }
  const BlockHandler handler = [&](int type, const std::uint8_t* block, std::size_t start, std::size_t end) {
    BlockReader reader(block, start, end);
    Reading reading{context, rows, result, reader};
    return reading.Block(type) ? 0 : kFailed;
  };
  result.complete = ParseContainer(handler, bytes, length);
  return result;
}

}  // namespace tarvello
