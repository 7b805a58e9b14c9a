#include "kline/kline_answer.h"

#include <algorithm>
#include <array>

#include "market/quote_block_readers.h"
#include "protocol/answer_exchange.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::uint16_t kBarsPerRequest = kHistoryChunk - 1;
constexpr std::size_t kBarRecordBytes = 7 * 4;

Bytes KLinePacket(const KLineQuery& query, std::uint32_t start, std::uint16_t count) {
  return CPacketCodec().BuildKLine(query.code, static_cast<std::uint8_t>(query.period), start, count,
                                   static_cast<std::uint8_t>(query.adjustment));
}

KLineBar ReadBar(BlockReader& reader) {
  KLineBar bar;
  bar.date = reader.Int32();
  bar.open = reader.Int32();
  bar.high = reader.Int32();
  bar.low = reader.Int32();
  bar.close = reader.Int32();
  bar.volume = reader.Int32();
  bar.amount = reader.Int32();
  if (bar.open == 0) bar.open = bar.close;
  if (bar.high == 0) bar.high = bar.close;
  if (bar.low == 0) bar.low = bar.close;
  return bar;
}

void ReadBars(BlockReader& reader, std::vector<KLineBar>& bars) {
  const int count = reader.Int16();
  for (int i = 0; i < count && reader.remaining() >= kBarRecordBytes; ++i) {
    bars.push_back(ReadBar(reader));
  }
}

int ReadBlock(KLineAnswer& answer, int type, const std::uint8_t* bytes, std::size_t start,
              std::size_t end) {
  BlockReader reader(bytes, start, end);
  if (type == kKLine) {
    ReadBars(reader, answer.bars);
  } else if (type == kQuote) {
    QuoteSnapshot quote;
    if (ReadQuoteSnapshot(reader, quote)) answer.quote = quote;
  } else if (type == kSecurityInfo) {
    SecurityInfo info;
    if (ReadSecurityInfo(reader, info)) answer.security = std::move(info);
  }
  return 0;
}

}  // namespace

Bytes BuildFullLoadRequest(const KLineQuery& query, std::uint32_t start) {
  const CPacketCodec codec;
  const std::array<Bytes, 3> packets{KLinePacket(query, start, kBarsPerRequest),
                                     codec.BuildQuote(query.code), codec.BuildSecurityInfo(query.code)};
  return CPacketCodec::Join(packets);
}

Bytes BuildRefreshRequest(const KLineQuery& query) {
  const std::array<Bytes, 2> packets{KLinePacket(query, 0, 1), CPacketCodec().BuildQuote(query.code)};
  return CPacketCodec::Join(packets);
}

bool ReadKLineAnswer(const std::uint8_t* bytes, std::size_t length, KLineAnswer& answer) {
  const BlockHandler handler = [&answer](int type, const std::uint8_t* block, std::size_t start,
                                         std::size_t end) { return ReadBlock(answer, type, block, start, end); };
  return ParseContainer(handler, bytes, length);
}

KLineAnswer ReadKLineBytes(const Bytes& received) {
  KLineAnswer answer;
  answer.complete = GoodExchange(received, ReadKLineAnswer(received.data(), received.size(), answer));
  return answer;
}

KLineAnswer FetchKLineAnswer(const ExchangeFunction& exchange, const Bytes& request) {
  return ReadKLineBytes(ReceiveAnswer(exchange, request, kKLineAnswerCapacity));
}

std::string KLineCacheKey(const KLineQuery& query) {
  return "kline " + std::string(query.code) + " " + std::to_string(static_cast<int>(query.period)) + " " +
         std::to_string(static_cast<int>(query.adjustment));
}

}  // namespace tarvello
