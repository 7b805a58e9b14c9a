#include "protocol/wire_writer.h"

#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kPacketHeader = 7;  // "{", type, attribute, body length
constexpr std::size_t kLengthField = 5;

}  // namespace

WireWriter WireWriter::Packet(std::uint16_t type, std::uint16_t attribute) {
  WireWriter writer;
  writer.bytes_.reserve(64);
  writer.U8('{').U16(type).U16(attribute).U16(0);
  return writer;
}

WireWriter& WireWriter::U8(std::uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

WireWriter& WireWriter::U16(std::uint16_t value) {
  bytes_.push_back(static_cast<std::uint8_t>(value));
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  return *this;
}

WireWriter& WireWriter::U32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
  return *this;
}

WireWriter& WireWriter::Str(std::string_view bytes) {
  const std::size_t n = bytes.size() > 0xFFFF ? 0xFFFF : bytes.size();
  U16(static_cast<std::uint16_t>(n));
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
  return *this;
}

WireWriter& WireWriter::Gbk(std::u16string_view text) { return Str(text::ToGbk(text)); }

WireWriter& WireWriter::Utf8(std::u16string_view text) { return Str(text::ToUtf8(text)); }

WireWriter& WireWriter::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes WireWriter::FinishPacket(std::optional<std::uint16_t> body_length_field) {
  const auto body = static_cast<std::uint16_t>(bytes_.size() - kPacketHeader);
  const std::uint16_t field = body_length_field.value_or(body);
  bytes_[kLengthField] = static_cast<std::uint8_t>(field);
  bytes_[kLengthField + 1] = static_cast<std::uint8_t>(field >> 8);
  bytes_.push_back('}');
  return std::move(bytes_);
}

}  // namespace tarvello
