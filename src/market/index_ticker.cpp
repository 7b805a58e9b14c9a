#include "market/index_ticker.h"

#include <array>
#include <vector>

#include "market/quote_block_readers.h"
#include "protocol/comm_log.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;

IndexValues ValuesOf(const QuoteSnapshot& quote) { return {quote.last, quote.volume, quote.prevClose}; }

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
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  if (log) log->Write("UpdateBigBoard");
  const int received = exchange(request, answer);
  if (log) log->Write("End");

  TickerAnswer values;
  if (received > 0) values = ReadTickerAnswer(std::span<const std::uint8_t>(answer.data(), static_cast<std::size_t>(received)));
  const std::lock_guard<std::mutex> lock(mutex_);
  if (values.shanghai) state_.shanghai = *values.shanghai;
  if (values.shenzhen) state_.shenzhen = *values.shenzhen;
  state_.blink = !state_.blink;
}

TickerState IndexTicker::Get() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

}  // namespace tarvello
