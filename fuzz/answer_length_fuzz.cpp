// Feeds arbitrary bytes to the answer-length scanner: it must never crash or read past them,
// and a length it reports must lie inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "protocol/answer_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const long length = tarvello::AnswerLength({data, size});
  if (length > static_cast<long>(size)) std::abort();
  return 0;
}
