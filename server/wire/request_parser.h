// Request container framing for the quote port and the gateway: finds one complete request
// container "{" p1 ":" p2 ... "}" at the start of the bytes received so far, where each p is a
// u16 type, u16 attribute, u16 body length and the body. The parser says whether more bytes are
// needed, whether the bytes can never form a container (the connection is then closed), or
// which packets the container holds. Container size and packet count are bounded, so a client
// cannot make the server buffer without end. Stateless; safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvello::server {

inline constexpr std::size_t kMaxRequestBytes = 16 * 1024;
inline constexpr std::size_t kMaxRequestPackets = 64;

struct RequestPacket {
  std::uint16_t type = 0;
  std::uint16_t attribute = 0;
  std::span<const std::uint8_t> body;
};

enum class FrameStatus { kNeedMore, kComplete, kMalformed };

struct FrameResult {
  FrameStatus status = FrameStatus::kNeedMore;
  std::size_t consumed = 0;  // bytes of the complete container
  std::vector<RequestPacket> packets;  // views into the input; valid while it is
};

FrameResult FrameRequest(std::span<const std::uint8_t> bytes);

}  // namespace tarvello::server
