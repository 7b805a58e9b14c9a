// An exchange that plays back scripted answers and keeps the requests it was sent, and the
// answer containers a quote server sends for K-line requests.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "kline/kline_bar.h"
#include "protocol/exchange_function.h"
#include "protocol/bytes.h"

namespace tarvello::testing {

class ScriptedExchange {
 public:
  void Answer(Bytes answer) { answers_.push_back(std::move(answer)); }
  void Fail() { answers_.push_back(std::nullopt); }  // the next exchange fails

  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer);
  // This exchange as the models take it; it must outlive them.
  ExchangeFunction Function() {
    return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
      return Exchange(request, answer);
    };
  }

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
