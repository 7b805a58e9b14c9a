// Feeds arbitrary bytes, as the first chunk of an HTTP answer from a gateway or an information
// server, to the answer-header reader: the header length it reports must lie inside the bytes and
// the content length inside its cap, the status a three-digit code or 0.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "protocol/http_framing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto head = tarvello::ParseAnswerHead(std::span<const std::uint8_t>(data, size));
  if (head && (head->header_length > size || head->content_length > tarvello::kMaxContentLength ||
               head->status < 0 || head->status > 999)) {
    std::abort();
  }
  return 0;
}
