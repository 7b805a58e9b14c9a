#include "server/wire/request_parser.h"

#include "protocol/block_reader.h"
#include "protocol/packet_codec.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kOpen = '{';
constexpr std::uint8_t kNext = ':';
constexpr std::uint8_t kClose = '}';
constexpr std::size_t kHeader = 6;
// The futures quote request always says 10 in its length field, whatever its code length; its
// true length is its string field, so that a code of another length does not shift the frame.
constexpr std::size_t kFixedFuturesLength = 10;

FrameResult Need(std::size_t available) {
  FrameResult result;
  result.status = available > kMaxRequestBytes ? FrameStatus::kMalformed : FrameStatus::kNeedMore;
  return result;
}

FrameResult Malformed() {
  FrameResult result;
  result.status = FrameStatus::kMalformed;
  return result;
}

// Body length of the packet at pos, or 0 with `need_more` when its bytes have not all arrived.
std::size_t BodyLength(std::span<const std::uint8_t> bytes, std::size_t pos, std::uint16_t type,
                       std::uint16_t length_field, bool& need_more) {
  if (type != kFuturesQuote || length_field != kFixedFuturesLength) return length_field;
  if (bytes.size() - pos < 2) {
    need_more = true;
    return 0;
  }
  BlockReader count(bytes.data(), pos, bytes.size());
  return 2 + static_cast<std::size_t>(count.UInt16());
}

}  // namespace

FrameResult FrameRequest(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return Need(0);
  if (bytes[0] != kOpen) return Malformed();
  FrameResult result;
  std::size_t pos = 1;
  for (;;) {
    if (bytes.size() - pos < kHeader) return Need(bytes.size());
    BlockReader header(bytes.data(), pos, bytes.size());
    RequestPacket packet;
    packet.type = header.UInt16();
    packet.attribute = header.UInt16();
    const std::uint16_t length_field = header.UInt16();
    pos += kHeader;
    bool need_more = false;
    const std::size_t length = BodyLength(bytes, pos, packet.type, length_field, need_more);
    if (need_more || bytes.size() - pos < length + 1) return Need(bytes.size());
    packet.body = bytes.subspan(pos, length);
    pos += length;
    result.packets.push_back(packet);
    if (result.packets.size() > kMaxRequestPackets) return Malformed();
    if (bytes[pos] == kClose) break;
    if (bytes[pos] != kNext) return Malformed();
    ++pos;
  }
  result.status = FrameStatus::kComplete;
  result.consumed = pos + 1;
  return result;
}

}  // namespace tarvello::server
