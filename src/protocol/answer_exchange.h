// How a data screen runs one exchange and judges what came back, kept in one place so that every
// screen's figures age by the same rule.
//
// A good exchange is a complete answer that parsed: the transport received bytes and the screen's
// reader took the container to its closing "}". A time-out, a closed or refused connection, a
// cancelled receive (the transport's count below 1) and an answer that breaks off or does not
// parse are not: the screen keeps the last value of every record the answer did not bring, shows
// what the answer did bring, and its figures age ("N秒前", dimmed) until a good one comes.
//
// Pure apart from the exchange itself; any thread the exchange allows.
#pragma once

#include <cstddef>
#include <span>

#include "protocol/bytes.h"
#include "protocol/exchange_function.h"

namespace tarvello {

// Runs one exchange with a response buffer of capacity bytes; the bytes received, none when the
// transport reported no data.
Bytes ReceiveAnswer(const ExchangeFunction& exchange, std::span<const std::uint8_t> request, std::size_t capacity);

// Whether an exchange counts as good: bytes came, and the reader took them to the container's end.
inline bool GoodExchange(const Bytes& received, bool readToEnd) { return !received.empty() && readToEnd; }

}  // namespace tarvello
