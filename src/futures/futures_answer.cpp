#include "futures/futures_answer.h"

#include <algorithm>
#include <optional>

#include "market/quote_block_readers.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::size_t kHeaderBytes = 7;
constexpr std::size_t kShortestAnswer = 8;
constexpr std::size_t kTickBytes = 4 * 4 + 2;
constexpr std::uint8_t kLargestDecimals = 9;

std::optional<BlockReader> BodyOf(std::span<const std::uint8_t> answer) {
  if (answer.size() <= kShortestAnswer || answer[0] != '{') return std::nullopt;
  BlockReader header(answer.data(), 5, kHeaderBytes);
  const std::size_t end = std::min(answer.size(), kHeaderBytes + header.UInt16());
  return BlockReader(answer.data(), kHeaderBytes, end);
}

std::int32_t Power10(std::uint8_t decimals) {
  std::int32_t scale = 1;
  for (std::uint8_t i = 0; i < decimals; ++i) scale *= 10;
  return scale;
}

}  // namespace

bool ReadFuturesQuoteAnswer(std::span<const std::uint8_t> answer, FuturesQuote& quote) {
  std::optional<BlockReader> body = BodyOf(answer);
  if (!body) return false;
  FuturesQuote read;
  if (!ReadFuturesQuote(*body, read)) return false;
  quote = read;
  return true;
}

bool ReadFuturesTicksAnswer(std::span<const std::uint8_t> answer, FuturesTicks& ticks) {
  std::optional<BlockReader> body = BodyOf(answer);
  if (!body) return false;
  const std::int32_t position = body->Int32();
  const std::int32_t reference = body->Int32();
  const int count = body->Int16();
  if (body->overrun()) return false;
  ticks.position = position;
  std::vector<FuturesTick> fresh;
  for (int i = 0; i < count && body->remaining() >= kTickBytes; ++i) {
    FuturesTick tick;
    tick.time = body->Int32();
    tick.price = body->Int32();
    tick.size = body->Int32();
    tick.interestChange = body->Int32();
    tick.tickType = body->Byte();
    tick.direction = body->Byte();
    fresh.push_back(tick);
  }
  if (fresh.empty()) return true;
  std::reverse(fresh.begin(), fresh.end());
  ticks.ticks = std::move(fresh);
  ticks.referencePrice = reference;
  return true;
}

std::optional<SecurityFundFlow> ReadSecurityFundFlowAnswer(std::span<const std::uint8_t> answer) {
  std::optional<BlockReader> body = BodyOf(answer);
  if (!body) return std::nullopt;
  SecurityFundFlow flow;
  flow.decimals = body->Byte();
  if (flow.decimals > kLargestDecimals) return std::nullopt;
  for (std::int32_t* ratio : {&flow.ratioToday, &flow.ratio3Days, &flow.ratio5, &flow.ratio10Days}) {
    *ratio = body->Int32();
  }
  const std::int32_t scale = Power10(flow.decimals);
  for (std::int32_t* amount : {&flow.largeIn, &flow.mediumIn, &flow.smallIn, &flow.largeOut, &flow.mediumOut,
                               &flow.smallOut, &flow.otherAmount}) {
    *amount = body->Int32() / scale;
  }
  for (std::int32_t* position : {&flow.positionToday, &flow.position3Days, &flow.position5, &flow.position10Days}) {
    *position = body->Int16();
  }
  if (body->overrun()) return std::nullopt;
  return flow;
}

std::optional<SecurityFacts> ReadSecurityFactsAnswer(std::span<const std::uint8_t> answer, const SecurityCode& code) {
  SecurityFacts facts;
  const auto handler = [&](int type, const std::uint8_t* body, std::size_t start, std::size_t end) {
    BlockReader reader(body, start, end);
    SecurityInfo info;
    if (type == kSecurityInfo && facts.name.empty() && ReadSecurityInfo(reader, info) && info.code == code) {
      facts.name = std::move(info.name);
    } else if (type == kTradingHours) {
      TradingHours hours;
      if (ReadTradingHours(reader, hours)) facts.hours = hours;
    }
    return 0;
  };
  if (!ParseContainer(handler, answer.data(), answer.size())) return std::nullopt;
  return facts;
}

}  // namespace tarvello
