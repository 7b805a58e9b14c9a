#include "protocol/answer_length.h"

#include "protocol/block_reader.h"

namespace tarvello {

namespace {

constexpr std::size_t kHeader = 6;
constexpr std::size_t kSizes = 4;
constexpr int kCompressed = 2;

}  // namespace

long AnswerLength(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return 0;
  if (bytes[0] != '{') return -1;
  // "{}" holds no block: the server's whole answer to a request it has nothing for.
  if (bytes.size() > 1 && bytes[1] == '}') return 2;
  std::size_t pos = 1;
  for (;;) {
    if (bytes.size() - pos < kHeader) return 0;
    BlockReader header(bytes.data(), pos, bytes.size());
    header.UInt16();
    const int attribute = header.UInt16();
    std::size_t length = header.UInt16();
    pos += kHeader;
    if (attribute == kCompressed) {
      if (bytes.size() - pos < kSizes) return 0;
      BlockReader sizes(bytes.data(), pos, bytes.size());
      sizes.UInt16();
      length = kSizes + sizes.UInt16();
    } else if (length > 0x7FFF) {
      return -1;
    }
    if (bytes.size() - pos < length + 1) return 0;
    pos += length;
    if (bytes[pos] == '}') return static_cast<long>(pos + 1);
    if (bytes[pos] != ':') return -1;
    ++pos;
  }
}

}  // namespace tarvello
