#include "scripted_exchange.h"

#include <algorithm>

#include "protocol/block_reader.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello::testing {

int ScriptedExchange::Exchange(std::span<const std::uint8_t> request, std::size_t capacity,
                               Bytes& answer) {
  requests_.emplace_back(request.begin(), request.end());
  if (answers_.empty() || !answers_.front()) {
    if (!answers_.empty()) answers_.pop_front();
    return -1;
  }
  answer = std::move(*answers_.front());
  answers_.pop_front();
  if (answer.size() > capacity) answer.resize(capacity);
  return static_cast<int>(answer.size());
}

Bytes BarsBody(std::span<const KLineBar> bars) {
  WireWriter body;
  body.I16(static_cast<std::int16_t>(bars.size()));
  for (const KLineBar& bar : bars) {
    body.I32(bar.date).I32(bar.open).I32(bar.high).I32(bar.low).I32(bar.close).I32(bar.volume).I32(bar.amount);
  }
  return body.Take();
}

Bytes QuoteBody(std::int32_t last, std::int32_t prevClose, std::int32_t turnoverBase) {
  WireWriter body;
  body.I32(last);
  for (int i = 0; i < 5; ++i) body.I32(0);
  body.I32(prevClose).I32(turnoverBase);
  for (int i = 0; i < 6; ++i) body.I32(0);
  return body.Take();
}

Bytes SecurityInfoBody(std::uint8_t priceDecimals) {
  WireWriter body;
  body.Str("SH600001").Str("name").U8(1).U8(priceDecimals).I32(0).I32(0).I32(0);
  return body.Take();
}

Bytes FullLoadAnswer(std::span<const KLineBar> bars, std::int32_t last, std::uint8_t decimals) {
  ContainerWriter writer(512);
  writer.Add(kKLine, BarsBody(bars));
  writer.Add(kQuote, QuoteBody(last, 1000, 50));
  writer.Add(kSecurityInfo, SecurityInfoBody(decimals));
  return writer.Finish();
}

Bytes RefreshAnswer(std::span<const KLineBar> bars, std::int32_t last) {
  ContainerWriter writer(512);
  writer.Add(kKLine, BarsBody(bars));
  writer.Add(kQuote, QuoteBody(last, 1000, 50));
  return writer.Finish();
}

KLineRequestFields ReadKLineRequest(const Bytes& container) {
  KLineRequestFields fields;
  BlockReader reader(container.data(), 1, container.size());  // past the opening "{"
  while (!reader.AtEnd() && !reader.overrun()) {
    const std::size_t packetStart = reader.position();
    const int type = reader.UInt16();
    reader.UInt16();
    const std::size_t body = reader.UInt16();
    fields.packetTypes.push_back(type);
    if (type == kKLine) {
      fields.code = std::string(reader.RawString());
      fields.period = reader.Byte();
      fields.start = static_cast<std::uint32_t>(reader.Int32());
      fields.count = reader.UInt16();
      fields.adjustment = reader.Byte();
    }
    // The next packet follows the body and its ":" (the last one ends with "}").
    reader = BlockReader(container.data(), packetStart + 6 + body + 1, container.size());
  }
  return fields;
}

}  // namespace tarvello::testing
