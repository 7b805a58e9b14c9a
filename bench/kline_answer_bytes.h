// The answer a quote server gives to a K-line full load, for the K-line benchmarks: count daily
// bars of a wandering price with their volumes, the quote and the security's description.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

#include "protocol/bytes.h"
#include "protocol/container_writer.h"
#include "protocol/exchange_function.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello::bench {

inline Bytes KLineFullLoadAnswer(int count) {
  WireWriter bars;
  bars.I16(static_cast<std::int16_t>(count));
  std::int32_t close = 10000;
  for (int i = 0; i < count; ++i) {
    const std::int32_t open = close;
    close += (i * 37 % 200) - 100;
    bars.I32(20260101 + i).I32(open).I32(std::max(open, close) + 40).I32(std::min(open, close) - 40).I32(close);
    bars.I32(100000 + i * 997 % 50000).I32(5000 + i);
  }
  ContainerWriter writer;
  writer.Add(kKLine, bars.Take());
  WireWriter quote;
  quote.I32(close).I32(0).I32(0).I32(0).I32(0).I32(0).I32(10000).I32(100000);
  for (int i = 0; i < 6; ++i) quote.I32(0);
  writer.Add(kQuote, quote.Take());
  writer.Add(kSecurityInfo, WireWriter().Utf8(u"SH600001").Utf8(u"Name").U8(1).U8(2).I32(0).I32(0).I32(0).Take());
  return writer.Finish();
}

// An exchange that answers every request with answer, which must outlive it.
inline ExchangeFunction FixedAnswer(const Bytes& answer) {
  return [&answer](std::span<const std::uint8_t>, std::span<std::uint8_t> out) {
    const std::size_t length = std::min(out.size(), answer.size());
    std::memcpy(out.data(), answer.data(), length);
    return static_cast<int>(length);
  };
}

}  // namespace tarvello::bench
