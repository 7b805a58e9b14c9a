#include "protocol/block_reader.h"

#include <cstring>

#include "text/text_codec.h"

namespace tarvello {

bool BlockReader::Take(std::size_t count) {
  if (count > remaining()) {
    pos_ = end_;
    overrun_ = true;
    return false;
  }
  pos_ += count;
  return true;
}

std::int32_t BlockReader::Int32() {
  const std::size_t at = pos_;
  if (!Take(4)) return 0;
  const std::uint8_t* p = bytes_ + at;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 |
                                   static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t BlockReader::UInt16() {
  const std::size_t at = pos_;
  if (!Take(2)) return 0;
  return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

std::int32_t BlockReader::Int16() { return static_cast<std::int16_t>(UInt16()); }

std::uint8_t BlockReader::Byte() {
  const std::size_t at = pos_;
  if (!Take(1)) return 0;
  return bytes_[at];
}

std::string_view BlockReader::RawString() {
  const std::size_t n = UInt16();
  const std::size_t at = pos_;
  if (!Take(n)) return {};
  return std::string_view(reinterpret_cast<const char*>(bytes_ + at), n);
}

std::u16string BlockReader::String() { return text::FromUtf8(RawString()); }

std::u16string BlockReader::FixedString(std::size_t width) {
  const std::size_t at = pos_;
  if (!Take(width)) return {};
  const auto* start = reinterpret_cast<const char*>(bytes_ + at);
  const void* zero = std::memchr(start, 0, width);
  const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - start) : width;
  return text::FromUtf8(std::string_view(start, n));
}

void BlockReader::Skip(std::size_t count) { Take(count); }

}  // namespace tarvello
