// The HTTP framing of the WAP gateway port: the terminal posts each request container as
//   "POST  /sync  HTTP/1.1" CRLF, Host, Accept, Content-type and "Content-Length: N" lines, CRLF,
// then N bytes of container, and reads back "HTTP/1.1 200 OK" with a Content-Length and the
// answer container as the body. The request line must be exactly the terminal's (two spaces on
// each side of "/sync"); header size and body length are bounded. Pure; safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/bytes.h"

namespace tarvello::server {

inline constexpr std::size_t kMaxGatewayHeader = 4096;

enum class GatewayStatus { kNeedMore, kComplete, kBad };

struct GatewayRequest {
  GatewayStatus status = GatewayStatus::kNeedMore;
  std::span<const std::uint8_t> body;  // a view into the input
};

GatewayRequest ParseGatewayRequest(std::span<const std::uint8_t> bytes);
Bytes GatewayReply(std::span<const std::uint8_t> container);
Bytes GatewayBadRequest();

}  // namespace tarvello::server
