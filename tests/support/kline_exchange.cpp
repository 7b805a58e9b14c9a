#include "support/kline_exchange.h"

#include <algorithm>

#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello::testing {

int ScriptedExchange::Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
  requests_.emplace_back(request.begin(), request.end());
  if (answers_.empty()) return -1;
  const std::optional<Bytes> next = std::move(answers_.front());
  answers_.pop_front();
  if (!next) return -1;
  const std::size_t length = std::min(answer.size(), next->size());
  std::copy_n(next->begin(), length, answer.begin());
  return static_cast<int>(length);
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
  body.I32(last).I32(0).I32(0).I32(0).I32(0).I32(0).I32(prevClose).I32(turnoverBase);
  for (int i = 0; i < 6; ++i) body.I32(0);
  return body.Take();
}

Bytes SecurityInfoBody(std::uint8_t priceDecimals) {
  return WireWriter().Str("SH600001").Str("name").U8(1).U8(priceDecimals).I32(0).I32(0).I32(0).Take();
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

}  // namespace tarvello::testing
