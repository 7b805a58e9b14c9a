// BlockReader: the bounded reader every block handler uses to take an answer body apart.
// It reads little-endian fields from [begin, end) of a byte array and never past end: a read that
// would cross end yields 0 (or an empty string), moves the position to end and marks the reader
// overrun, so that a short block leaves the missing fields at zero and the handler can report it.
// Not thread-safe; one per block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvello {

class BlockReader {
 public:
  BlockReader(const std::uint8_t* bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), pos_(begin), end_(end < begin ? begin : end) {}

  std::int32_t Int32();
  std::int32_t Int16();    // sign-extended, as the wire readers do
  std::uint16_t UInt16();
  std::uint8_t Byte();
  // u16 byte count then that many bytes of UTF-8. A count reaching past the end reads as empty
  // and marks the reader overrun.
  std::u16string String();
  // A fixed-width UTF-8 field, cut at its first zero byte.
  std::u16string FixedString(std::size_t width);
  // The raw bytes of a string field, without conversion.
  std::string_view RawString();
  void Skip(std::size_t count);

  bool overrun() const { return overrun_; }
  bool AtEnd() const { return pos_ >= end_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return end_ - pos_; }

 private:
  // True and advances when count bytes remain; otherwise marks overrun and moves to the end.
  bool Take(std::size_t count);

  const std::uint8_t* bytes_;
  std::size_t pos_;
  std::size_t end_;
  bool overrun_ = false;
};

}  // namespace tarvello
