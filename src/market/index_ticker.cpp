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

std::optional<TickerAnswer> ReadTickerAnswer(std::span<const std::uint8_t> answer) {
  std::vector<std::optional<IndexValues>> blocks;
  ParseContainer(
      [&blocks](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        std::optional<IndexValues> values;
        if (type == kQuote) {
          BlockReader reader(bytes, start, end);
          QuoteSnapshot quote;
          ReadQuoteSnapshot(reader, quote);
          values = ValuesOf(quote);
        }
        blocks.push_back(values);
        return blocks.size() < 2 ? 0 : -1;  // two blocks are all the ticker reads
      },
      answer.data(), answer.size());
  if (blocks.empty() || !blocks[0]) return std::nullopt;
  TickerAnswer result{*blocks[0], std::nullopt};
  if (blocks.size() > 1) result.shenzhen = blocks[1];
  return result;
}

void IndexTicker::Refresh(const ExchangeFunction& exchange, CommLog* log) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets = {codec.BuildQuote("SH000001"), codec.BuildQuote("SZ399001")};
  const Bytes request = CPacketCodec::Join(packets);
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  if (log) log->Write("UpdateBigBoard");
  const int received = exchange(request, answer);
  if (log) log->Write("End");

  std::optional<TickerAnswer> values;
  if (received > 0) values = ReadTickerAnswer(std::span<const std::uint8_t>(answer.data(), static_cast<std::size_t>(received)));
  const std::lock_guard<std::mutex> lock(mutex_);
  if (values) {
    state_.shanghai = values->shanghai;
    if (values->shenzhen) state_.shenzhen = *values->shenzhen;
  }
  state_.blink = !state_.blink;
}

TickerState IndexTicker::Get() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

}  // namespace tarvello
