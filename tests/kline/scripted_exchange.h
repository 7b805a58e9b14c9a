// A KLineExchange that plays back scripted answers and keeps the requests it was sent, and the
// answer containers a quote server sends for K-line requests.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "kline/kline_bar.h"
#include "kline/kline_exchange.h"
#include "protocol/bytes.h"

namespace tarvello::testing {

class ScriptedExchange : public KLineExchange {
 public:
  void Answer(Bytes answer) { answers_.push_back(std::move(answer)); }
  void Fail() { answers_.push_back(std::nullopt); }  // the next exchange fails

  int Exchange(std::span<const std::uint8_t> request, std::size_t capacity, Bytes& answer) override;

  const std::vector<Bytes>& requests() const { return requests_; }

 private:
  std::deque<std::optional<Bytes>> answers_;
  std::vector<Bytes> requests_;
};

Bytes BarsBody(std::span<const KLineBar> bars);
Bytes QuoteBody(std::int32_t last, std::int32_t prevClose, std::int32_t turnoverBase);
Bytes SecurityInfoBody(std::uint8_t priceDecimals);
// Bars, quote (prevClose 1000, turnoverBase 50) and description; the refresh has no description.
Bytes FullLoadAnswer(std::span<const KLineBar> bars, std::int32_t last = 1234, std::uint8_t decimals = 2);
Bytes RefreshAnswer(std::span<const KLineBar> bars, std::int32_t last = 1234);

}  // namespace tarvello::testing
