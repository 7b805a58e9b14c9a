// ContainerWriter: builds an answer container the way a quote server does: "{" block ":" block
// ... "}", each block type, attribute, length and body. A block whose body is larger than the
// compression threshold, or too large for a plain block's signed 16-bit length, is zlib-compressed
// with attribute 2 (uncompressed size, compressed size, zlib stream). The simulator and the tests
// use it; the terminal only reads containers. Not thread-safe; one per answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

#include "protocol/bytes.h"

namespace tarvello {

class ContainerWriter {
 public:
  static constexpr std::size_t kNeverCompress = std::numeric_limits<std::size_t>::max();
  // The largest body a block can carry: its sizes are 16-bit fields.
  static constexpr std::size_t kMaxPlainBody = 0x7FFF;
  static constexpr std::size_t kMaxCompressedBody = 0xFFFF;

  explicit ContainerWriter(std::size_t compress_threshold = kNeverCompress)
      : compress_threshold_(compress_threshold) {}

  // Adds a block, compressed when its body exceeds the threshold. False (and nothing added)
  // when the body cannot be carried in one block.
  bool Add(int type, std::span<const std::uint8_t> body);
  bool AddPlain(int type, std::span<const std::uint8_t> body);
  bool AddCompressed(int type, std::span<const std::uint8_t> body);
  // Adds a block that has already been compressed (zlib stream of `uncompressed` bytes), so that
  // a server can compress a shared answer once and reuse it for every client.
  bool AddPrecompressed(int type, std::size_t uncompressed, std::span<const std::uint8_t> stream);

  std::size_t block_count() const { return blocks_; }
  // The finished container. A writer with no block gives "{}".
  Bytes Finish();

 private:
  void BeginBlock(int type, int attribute, std::size_t length_field);

  std::size_t compress_threshold_;
  std::size_t blocks_ = 0;
  Bytes bytes_{'{'};
};

// The zlib stream of body, as a compressed block carries it.
Bytes CompressBlockBody(std::span<const std::uint8_t> body);

}  // namespace tarvello
