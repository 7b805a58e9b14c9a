// KLineExchange: the one network exchange the K-line model needs, request bytes out and answer
// bytes back. The screen gives it the shared transport; tests give it scripted answers.
// Implementations say themselves which threads may call them.
#pragma once

#include <cstddef>
#include <span>

#include "protocol/bytes.h"

namespace tarvello {

class KLineExchange {
 public:
  virtual ~KLineExchange() = default;

  // Sends request and puts at most capacity answer bytes into answer. Returns the number of
  // bytes received, or 0 or a negative code when the exchange failed.
  virtual int Exchange(std::span<const std::uint8_t> request, std::size_t capacity, Bytes& answer) = 0;
};

}  // namespace tarvello
