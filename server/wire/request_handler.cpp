#include "server/wire/request_handler.h"

#include "protocol/block_reader.h"
#include "protocol/packet_codec.h"
#include "server/figures/fund_flow.h"
#include "server/market/calendar.h"
#include "server/wire/chart_answers.h"
#include "server/wire/futures_answers.h"
#include "server/wire/info_answers.h"
#include "server/wire/quote_answers.h"
#include "server/wire/security_search.h"
#include "server/wire/session_answers.h"
#include "server/wire/trade_answers.h"
#include "text/text_codec.h"

namespace tarvello::server {

namespace {

constexpr std::size_t kMaxCodeLength = 29;
// The futures tick list and the fund flow of one security.
constexpr int kFuturesTickList = 3205;
constexpr int kFundFlowOfSecurity = 2109;

void Put(ContainerWriter& out, int type, const CachedBlock& block) {
  if (block.compressed()) {
    out.AddPrecompressed(type, block.uncompressed, block.stream);
  } else {
    out.AddPlain(type, block.body);
  }
}

std::string Key(int type, const std::string& code, const Position& position, std::uint64_t a = 0,
                std::uint64_t b = 0) {
  return std::to_string(type) + '|' + code + '|' + std::to_string(position.day_index) + '|' +
         std::to_string(position.slots) + '|' + std::to_string(a) + '|' + std::to_string(b);
}

// List answers change with every request's sort and page, so they are compressed per answer.
void AddList(ContainerWriter& out, int type, const Bytes& body) {
  if (body.size() > kCompressThreshold) {
    out.AddCompressed(type, body);
  } else {
    out.AddPlain(type, body);
  }
}

}  // namespace

RequestHandler::RequestHandler(const Market& market, const SimClock& clock, const AccountBook& accounts,
                               EventLog& log, HandlerSettings settings)
    : market_(market),
      clock_(clock),
      accounts_(accounts),
      log_(log),
      settings_(std::move(settings)),
      klines_(market),
      board_(market, clock),
      lists_(market),
      shared_(kCompressThreshold, settings_.cache_entries),
      plain_(ContainerWriter::kNeverCompress, settings_.cache_entries) {}

void RequestHandler::Prepare() {
  market_.PrepareComposites();
  board_.Start();
}

Bytes RequestHandler::Answer(std::span<const RequestPacket> packets) {
  const SimTime now = clock_.Now();
  ContainerWriter out;
  for (const RequestPacket& packet : packets) AnswerPacket(packet, now, out);
  return out.Finish();
}

void RequestHandler::Log(const char* what, const RequestPacket& packet) {
  BlockReader reader(packet.body.data(), 0, packet.body.size());
  log_.Write(std::string(what) + ": " + text::ToUtf8(text::FromGbk(reader.RawString())));
}

void RequestHandler::AnswerPacket(const RequestPacket& packet, const SimTime& now, ContainerWriter& out) {
  BlockReader reader(packet.body.data(), 0, packet.body.size());
  switch (packet.type) {
    case kServerProbe:
      out.AddPlain(kServerProbe, {});
      return;
    case kServerTime:
      out.AddPlain(kServerTime, ServerTimeBody(now));
      return;
    case kDeviceRegistration:
    case kErrorReport:
      Log(packet.type == kDeviceRegistration ? "registration" : "error report", packet);
      out.AddPlain(packet.type, Bytes{0});
      return;
    case kLogin: {
      Log("login", packet);
      const std::string_view user = reader.RawString();
      const std::string_view password = reader.RawString();
      out.AddPlain(kLogin, LoginBody(accounts_, user, password));
      out.AddPlain(kCodeListInfo, RunningMessageBody(now));
      return;
    }
    case kRecommend: out.AddPlain(kRecommend, RecommendBody(accounts_, packet.body)); return;
    case kVersionCheck:
      out.AddPlain(kVersionCheck, VersionBody(settings_.latest_version));
      out.AddPlain(kNotices, NoticesBody());
      return;
    case kSecuritySearch:
      out.AddPlain(kSecuritySearch, SearchBody(market_, reader.RawString()));
      return;
    case kCategoryList:
    case kSectorMembers:
    case kBigOrderList:
    case kFundList:
      if (const auto body = lists_.Body(packet, *board_.At(now))) AddList(out, packet.type, *body);
      return;
    case kF10Item:
    case kCodeListInfo:
    case kInfoList:
    case kInfoCategories:
    case kInfoTitles:
    case kArticle:
      if (const auto body = InfoAnswer(market_, packet, now)) AddList(out, packet.type, *body);
      return;
    default:
      AnswerSecurity(packet, now, out);
  }
}

void RequestHandler::AnswerSecurity(const RequestPacket& packet, const SimTime& now, ContainerWriter& out) {
  BlockReader reader(packet.body.data(), 0, packet.body.size());
  const std::string code(reader.RawString());
  const int index = code.size() <= kMaxCodeLength ? market_.Find(code) : -1;
  if (index < 0 || reader.overrun()) return;
  const Position at = market_.PositionAt(index, now);
  const int type = packet.type;
  const auto shared = [&](std::uint64_t a, std::uint64_t b, auto build) {
    Put(out, type, *shared_.Get(Key(type, code, at, a, b), build));
  };
  const auto plain = [&](std::uint64_t a, auto build) {
    Put(out, type, *plain_.Get(Key(type, code, at, a), build));
  };
  switch (type) {
    case kSecurityInfo: return shared(0, 0, [&] { return SecurityInfoBody(market_, index, at); });
    case kQuote: return plain(0, [&] { return SnapshotBody(market_, index, at); });
    case kQuoteExtra:
      return shared(0, 0, [&] { return QuoteExtraBody(market_, index, at, CivilDate(market_.TradingDay(at.day_index))); });
    case kTradingHours: return shared(0, 0, [&] { return TradingHoursBody(market_, index); });
    case kIndexBreadth: return shared(0, 0, [&] { return BreadthBody(market_, index, at); });
    case kOrderBook: return shared(0, 0, [&] { return FiveLevelBody(market_, index, at); });
    case kTenLevelBook: return shared(0, 0, [&] { return TenLevelBody(market_, index, at); });
    case kTicks: {
      reader.Int32();
      const int count = reader.UInt16();
      return shared(static_cast<std::uint64_t>(count), 0, [&] { return TicksBody(market_, index, at, count); });
    }
    case kMinuteData:
    case kMinuteDataShort: {
      const std::uint32_t start = static_cast<std::uint32_t>(reader.Int32());
      return shared(start, 0, [&] { return MinuteBody(market_, index, at, start, type == kMinuteDataShort); });
    }
    case kKLine: {
      KLineQuery query;
      query.period = reader.Byte();
      query.start = static_cast<std::uint32_t>(reader.Int32());
      query.count = reader.UInt16();
      query.adjustment = static_cast<Adjustment>(reader.Byte() % 3);
      const std::uint64_t shape = static_cast<std::uint64_t>(query.period) << 24 |
                                  static_cast<std::uint64_t>(query.count) << 8 | static_cast<std::uint64_t>(query.adjustment);
      return shared(query.start, shape, [&] { return KLineBody(klines_, index, at, query); });
    }
    case kFuturesQuote: return plain(0, [&] { return FuturesQuoteBody(market_, index, at); });
    case kFuturesTickList: {
      reader.Int32();
      const int rows = reader.UInt16();
      return plain(static_cast<std::uint64_t>(rows), [&] { return FuturesTicksBody(market_, index, at, rows); });
    }
    case kFundFlowOfSecurity:
      out.AddPlain(type, FundFlowBody(board_.At(now)->rows[static_cast<std::size_t>(index)].flow));
      return;
    case kTradeAnalysis: {
      const int days = reader.Byte();
      return plain(static_cast<std::uint64_t>(days), [&] { return TradeAnalysisBody(market_, index, at, days); });
    }
    case kOrderDetails: return plain(0, [&] { return OrderDetailsBody(market_, index, at); });
    default: return;
  }
}

}  // namespace tarvello::server
