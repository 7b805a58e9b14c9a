#include "protocol/container_writer.h"

#include <zlib.h>

#include "protocol/wire_writer.h"

namespace tarvello {

Bytes CompressBlockBody(std::span<const std::uint8_t> body) {
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  Bytes stream(size);
  if (compress(stream.data(), &size, body.data(), static_cast<uLong>(body.size())) != Z_OK) return {};
  stream.resize(size);
  return stream;
}

void ContainerWriter::BeginBlock(int type, int attribute, std::size_t length_field) {
  if (blocks_ > 0) bytes_.push_back(':');
  ++blocks_;
  Bytes header = WireWriter()
                     .U16(static_cast<std::uint16_t>(type))
                     .U16(static_cast<std::uint16_t>(attribute))
                     .U16(static_cast<std::uint16_t>(length_field))
                     .Take();
  bytes_.insert(bytes_.end(), header.begin(), header.end());
}

bool ContainerWriter::Add(int type, std::span<const std::uint8_t> body) {
  if (body.size() > compress_threshold_ || body.size() > kMaxPlainBody) return AddCompressed(type, body);
  return AddPlain(type, body);
}

bool ContainerWriter::AddPlain(int type, std::span<const std::uint8_t> body) {
  if (body.size() > kMaxPlainBody) return false;
  BeginBlock(type, 0, body.size());
  bytes_.insert(bytes_.end(), body.begin(), body.end());
  return true;
}

bool ContainerWriter::AddCompressed(int type, std::span<const std::uint8_t> body) {
  if (body.size() > kMaxCompressedBody) return false;
  const Bytes stream = CompressBlockBody(body);
  return AddPrecompressed(type, body.size(), stream);
}

bool ContainerWriter::AddPrecompressed(int type, std::size_t uncompressed,
                                       std::span<const std::uint8_t> stream) {
  if (uncompressed > kMaxCompressedBody || stream.empty() || stream.size() > kMaxCompressedBody) {
    return false;
  }
  // The length field of a compressed block is not read by the parser; it carries the size of
  // what follows the header (sizes and stream), which is what the direct-mode receiver compares.
  const std::size_t following = 4 + stream.size();
  BeginBlock(type, 2, following > kMaxPlainBody ? kMaxPlainBody : following);
  const Bytes sizes = WireWriter()
                          .U16(static_cast<std::uint16_t>(uncompressed))
                          .U16(static_cast<std::uint16_t>(stream.size()))
                          .Take();
  bytes_.insert(bytes_.end(), sizes.begin(), sizes.end());
  bytes_.insert(bytes_.end(), stream.begin(), stream.end());
  return true;
}

Bytes ContainerWriter::Finish() {
  bytes_.push_back('}');
  return std::move(bytes_);
}

}  // namespace tarvello
