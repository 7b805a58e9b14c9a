#include "protocol/answer_exchange.h"

#include <algorithm>

namespace tarvello {

Bytes ReceiveAnswer(const ExchangeFunction& exchange, std::span<const std::uint8_t> request, std::size_t capacity) {
  if (!exchange) return {};
  Bytes answer(capacity, 0);
  const int received = exchange(request, answer);
  answer.resize(received < 1 ? 0 : std::min(static_cast<std::size_t>(received), capacity));
  return answer;
}

}  // namespace tarvello
