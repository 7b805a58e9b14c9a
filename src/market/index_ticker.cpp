#include "market/index_ticker.h"

#include <array>
#include <vector>

#include "market/freshness.h"
#include "market/market_clock.h"
#include "market/quote_block_readers.h"
#include "protocol/answer_exchange.h"
#include "protocol/comm_log.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"
#include "traffic/traffic_meter.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;

IndexValues ValuesOf(const QuoteSnapshot& quote) { return {quote.last, quote.volume, quote.prevClose, true}; }

}  // namespace

TickerAnswer ReadTickerAnswer(std::span<const std::uint8_t> answer) {
  std::array<std::optional<IndexValues>, 2> indices;
  bool first_is_quote = false;
  ParseContainerInOrder(
      [&](std::size_t position, int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (position == 0) first_is_quote = type == kQuote;
        BlockReader reader(bytes, start, end);
        QuoteSnapshot quote;
        // A block too short for its fields would put zeros over good values: it gives nothing.
        if (type == kQuote && ReadQuoteSnapshot(reader, quote)) indices[position] = ValuesOf(quote);
        return position + 1 < indices.size() ? 0 : -1;  // two blocks are all the ticker reads
      },
      answer.data(), answer.size());
  if (!first_is_quote) return {};
  return {indices[0], indices[1]};
}

void IndexTicker::Refresh(const ExchangeFunction& exchange, CommLog* log) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets = {codec.BuildQuote("SH000001"), codec.BuildQuote("SZ399001")};
  const Bytes request = CPacketCodec::Join(packets);
  if (log) log->Write("UpdateBigBoard");
  const Bytes answer = ReceiveAnswer(exchange, request, kAnswerCapacity);
  if (log) log->Write("End");

  const TickerAnswer values = ReadTickerAnswer(answer);
  const std::lock_guard<std::mutex> lock(mutex_);
  if (values.shanghai) state_.shanghai = *values.shanghai;
  if (values.shenzhen) state_.shenzhen = *values.shenzhen;
  if (values.shanghai && values.shenzhen) last_good_ = std::chrono::steady_clock::now();
  state_.blink = !state_.blink;
}

TickerState IndexTicker::Get() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  TickerState state = state_;
  if (last_good_) {
    const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - *last_good_);
    state.old = StaleAge(age, kPeriod * TrafficPeriodFactor(), IsTradingTime(MarketTimeNow())).has_value();
  }
  return state;
}

}  // namespace tarvello
