// The HTTP framing of the transport: the header that wraps a request for the WAP gateway, and the
// reading of an answer's header (its length and the length of its body). Pure functions, safe
// from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvello {

// The five header lines of a WAP request carrying `length` bytes for host:port, byte for byte:
// "POST  /sync  HTTP/1.1", Host, Accept, Content-type and Content-Length, then the blank line.
std::string BuildWapHeader(std::string_view host, int port, std::size_t length);

struct HttpAnswerHead {
  std::size_t header_length = 0;   // bytes up to and including the blank line
  std::size_t content_length = 0;  // the number after "Content-Length:"
  int status = 0;                  // the code of the status line "HTTP/1.1 200 OK"; 0 without one
};

// The code of the status line the bytes begin with ("HTTP/1.1 200 OK" gives 200): its second
// word when that is three digits; 0 when the bytes begin otherwise.
int AnswerStatus(std::span<const std::uint8_t> bytes);
// True when there is a status and it is not 2xx: the body is a gateway's or server's error page,
// not the answer asked for. An answer without a status line is left to the reader of its body.
bool IsErrorStatus(int status);

// The head of an HTTP answer whose first bytes are given. Nothing until the bytes hold the blank
// line "\r\n\r\n" and, before it, "Content-Length:". The length is the decimal number after the
// colon (blanks skipped, reading stops at the first non-digit); a number too large to be real is
// capped at kMaxContentLength. The status is AnswerStatus of the bytes.
std::optional<HttpAnswerHead> ParseAnswerHead(std::span<const std::uint8_t> bytes);

inline constexpr std::size_t kMaxContentLength = 1u << 30;

}  // namespace tarvello
