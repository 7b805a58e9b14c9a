// ExchangeFunction: one request/answer exchange as the start-up steps and small workers see it:
// request bytes out, the answer into the caller's buffer, the count received back (below 1: no
// data). The program backs it with the shared transport (TransportExchange); tests with scripts.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace tarvello {

using ExchangeFunction = std::function<int(std::span<const std::uint8_t>, std::span<std::uint8_t>)>;

}  // namespace tarvello
