// A KLineExchange that plays back scripted answers and keeps the requests it was sent, and the
// builders of the answer blocks a quote server sends for K-line requests.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <span>
#include <vector>

#include "kline/kline_bar.h"
#include "kline/kline_exchange.h"
#include "protocol/bytes.h"

namespace tarvello::testing {

class ScriptedExchange : public KLineExchange {
 public:
  // The next exchange answers with these bytes (cut to the capacity asked for).
  void Answer(Bytes answer) { answers_.push_back(std::move(answer)); }
  // The next exchange fails.
  void Fail() { answers_.push_back(std::nullopt); }

  int Exchange(std::span<const std::uint8_t> request, std::size_t capacity, Bytes& answer) override;

  const std::vector<Bytes>& requests() const { return requests_; }
  std::size_t pending() const { return answers_.size(); }

 private:
  std::deque<std::optional<Bytes>> answers_;
  std::vector<Bytes> requests_;
};

// Block bodies as the server writes them.
Bytes BarsBody(std::span<const KLineBar> bars);
Bytes QuoteBody(std::int32_t last, std::int32_t prevClose, std::int32_t turnoverBase);
Bytes SecurityInfoBody(std::uint8_t priceDecimals);

// A full-load answer: bars, quote and description blocks; a refresh answer: bars and quote.
Bytes FullLoadAnswer(std::span<const KLineBar> bars, std::int32_t last = 1234, std::uint8_t decimals = 2);
Bytes RefreshAnswer(std::span<const KLineBar> bars, std::int32_t last = 1234);

// The fields of the 2202 packet that starts a request container.
struct KLineRequestFields {
  std::string code;
  int period = 0;
  std::uint32_t start = 0;
  int count = 0;
  int adjustment = 0;
  std::vector<int> packetTypes;  // every packet of the container, in order
};
KLineRequestFields ReadKLineRequest(const Bytes& container);

}  // namespace tarvello::testing
