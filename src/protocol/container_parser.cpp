#include "protocol/container_parser.h"

#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>

#include "protocol/block_reader.h"

namespace tarvello {

namespace {

constexpr std::uint8_t kOpen = '{';
constexpr std::uint8_t kNext = ':';
constexpr std::uint8_t kClose = '}';
constexpr std::size_t kBlockHeader = 6;
constexpr std::size_t kCompressionHeader = 4;
constexpr int kCompressedAttribute = 2;

// Inflates one compressed block and hands it over. The buffer is twice the announced size so
// that a stream inflating to more than U bytes is caught by the exact-size test, not overflowed.
// zlib must also call the stream whole: damaged data or a wrong checksum can still inflate to
// exactly U bytes, and those bytes are not the server's.
template <typename Handler>
bool HandCompressed(const Handler& handler, std::size_t position, int type, const std::uint8_t* source,
                    std::size_t source_size, std::size_t uncompressed, int& status) {
  const std::size_t capacity = 2 * uncompressed;
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[capacity == 0 ? 1 : capacity]);
  if (!buffer) return false;
  uLongf produced = static_cast<uLongf>(capacity);
  const int result = uncompress(buffer.get(), &produced, source, static_cast<uLong>(source_size));
  if (result != Z_OK || produced != uncompressed) return false;
  status = handler(position, type, buffer.get(), 0, uncompressed);
  return true;
}

// What a walk hands over besides the whole non-empty blocks.
struct WalkRules {
  bool hand_empty = false;  // empty plain blocks, with start == end
  bool hand_cut = false;    // a plain block cut by the end of the input, up to that end
};

// The walk behind the entry points; handler takes (position, type, bytes, start, end).
template <typename Handler>
bool Walk(const Handler& handler, const std::uint8_t* bytes, std::size_t length, WalkRules rules) {
  if (bytes == nullptr || length < 1) return false;
  const void* open = std::memchr(bytes, kOpen, length);
  if (open == nullptr) return false;
  std::size_t pos = static_cast<std::size_t>(static_cast<const std::uint8_t*>(open) - bytes) + 1;
  if (pos < length && bytes[pos] == kClose) return true;  // "{}": complete, with no block

  for (std::size_t position = 0;; ++position) {
    if (length - pos < kBlockHeader) return false;
    BlockReader header(bytes, pos, length);
    const int type = header.Int16();
    const int attribute = header.Int16();
    const int body_length = header.Int16();
    pos += kBlockHeader;
    int status = 0;

    if (attribute == kCompressedAttribute) {
      if (length - pos < kCompressionHeader) return false;
      BlockReader sizes(bytes, pos, length);
      const std::size_t uncompressed = sizes.UInt16();
      const std::size_t compressed = sizes.UInt16();
      pos += kCompressionHeader;
      if (compressed > length - pos) return false;
      if (!HandCompressed(handler, position, type, bytes + pos, compressed, uncompressed, status)) return false;
      pos += compressed;
    } else if (body_length != 0) {
      // A length field of 0x8000 or more reads negative: it can never be a valid body.
      if (body_length < 0) return false;
      if (static_cast<std::size_t>(body_length) > length - pos) {
        if (rules.hand_cut) handler(position, type, bytes, pos, length);
        return false;
      }
      status = handler(position, type, bytes, pos, pos + static_cast<std::size_t>(body_length));
      pos += static_cast<std::size_t>(body_length);
    } else if (rules.hand_empty) {
      status = handler(position, type, bytes, pos, pos);
    }
    if (status < 0) return false;

    if (pos >= length) return false;
    if (bytes[pos] == kNext) {
      ++pos;
      continue;
    }
    return bytes[pos] == kClose;
  }
}

}  // namespace

bool ParseContainer(const BlockHandler& handler, const std::uint8_t* bytes, std::size_t length) {
  const auto unpositioned = [&handler](std::size_t, int type, const std::uint8_t* b, std::size_t start,
                                       std::size_t end) { return handler(type, b, start, end); };
  return Walk(unpositioned, bytes, length, WalkRules{});
}

bool ParseContainerInOrder(const PositionedBlockHandler& handler, const std::uint8_t* bytes, std::size_t length) {
  return Walk(handler, bytes, length, WalkRules{.hand_empty = true});
}

bool ParseContainerUpToCut(const BlockHandler& handler, const std::uint8_t* bytes, std::size_t length) {
  const auto unpositioned = [&handler](std::size_t, int type, const std::uint8_t* b, std::size_t start,
                                       std::size_t end) { return handler(type, b, start, end); };
  return Walk(unpositioned, bytes, length, WalkRules{.hand_cut = true});
}

}  // namespace tarvello
