// WireWriter: appends little-endian fields to a byte buffer, without padding. Strings are a u16
// byte count and the bytes, no terminator.
//
// Request packets start with Packet(type, attribute) and end with FinishPacket(), which closes
// the frame "{" type attribute length body "}". Answer bodies (the simulator, tests) are written
// the same way and taken with Take(). Requests carry GBK text (Gbk), answers UTF-8 (Utf8).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "protocol/bytes.h"

namespace tarvello {

class WireWriter {
 public:
  WireWriter() = default;
  static WireWriter Packet(std::uint16_t type, std::uint16_t attribute);

  WireWriter& U8(std::uint8_t value);
  WireWriter& U16(std::uint16_t value);
  WireWriter& I16(std::int16_t value) { return U16(static_cast<std::uint16_t>(value)); }
  WireWriter& U32(std::uint32_t value);
  WireWriter& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  // A string field from bytes already in their wire encoding (codes, ASCII). A string longer
  // than a u16 count can say is cut at 65535 bytes rather than mis-framed.
  WireWriter& Str(std::string_view bytes);
  WireWriter& Gbk(std::u16string_view text);
  WireWriter& Utf8(std::u16string_view text);
  WireWriter& Raw(std::span<const std::uint8_t> bytes);

  std::size_t size() const { return bytes_.size(); }

  // Closes a packet begun with Packet(). The body-length field holds the true body length unless
  // a type fixes another value on the wire (3203 always says 10).
  Bytes FinishPacket(std::optional<std::uint16_t> body_length_field = std::nullopt);
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

}  // namespace tarvello
