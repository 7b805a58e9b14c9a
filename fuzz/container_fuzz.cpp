// Feeds arbitrary bytes to the answer container parser, whole and as an answer cut by its buffer,
// with a handler that reads every block the way a screen would (with the bounded reader), so that
// the sanitizers catch any read outside the bytes handed over.
#include <cstddef>
#include <cstdint>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"

namespace {

int ReadBlock(int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
  tarvello::BlockReader reader(bytes, start, end);
  const int n = reader.Int16();
  for (int i = 0; i < n && !reader.overrun(); ++i) {
    reader.String();
    reader.Int32();
    reader.Byte();
  }
  return type == 0x7FFF ? -1 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvello::ParseContainer(ReadBlock, data, size);
  tarvello::ParseContainerUpToCut(ReadBlock, data, size);
  return 0;
}
