#include "server/network/gateway_framing.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>
#include <string_view>

#include "server/wire/request_parser.h"

namespace tarvello::server {

namespace {

constexpr std::string_view kRequestLine = "POST  /sync  HTTP/1.1\r\n";
constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kLengthName = "content-length:";

GatewayRequest Status(GatewayStatus status) {
  GatewayRequest request;
  request.status = status;
  return request;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// The value of the Content-Length line of a header, or -1 when there is none or it is bad.
long ContentLength(std::string_view header) {
  std::size_t pos = 0;
  while (pos < header.size()) {
    const std::size_t end = std::min(header.find("\r\n", pos), header.size());
    const std::string_view line = header.substr(pos, end - pos);
    if (StartsWithNoCase(line, kLengthName)) {
      std::string_view value = line.substr(kLengthName.size());
      while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
      long length = -1;
      const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), length);
      if (ec != std::errc() || ptr != value.data() + value.size() || length < 0) return -1;
      return length;
    }
    pos = end + 2;
  }
  return -1;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

GatewayRequest ParseGatewayRequest(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::size_t prefix = std::min(text.size(), kRequestLine.size());
  if (text.substr(0, prefix) != kRequestLine.substr(0, prefix)) return Status(GatewayStatus::kBad);
  const std::size_t end = text.find(kHeaderEnd);
  if (end == std::string_view::npos) {
    return Status(text.size() > kMaxGatewayHeader ? GatewayStatus::kBad : GatewayStatus::kNeedMore);
  }
  if (end > kMaxGatewayHeader) return Status(GatewayStatus::kBad);
  const long length = ContentLength(text.substr(0, end + 2));
  if (length <= 0 || static_cast<std::size_t>(length) > kMaxRequestBytes) return Status(GatewayStatus::kBad);
  const std::size_t body_start = end + kHeaderEnd.size();
  if (bytes.size() - body_start < static_cast<std::size_t>(length)) return Status(GatewayStatus::kNeedMore);
  GatewayRequest request = Status(GatewayStatus::kComplete);
  request.body = bytes.subspan(body_start, static_cast<std::size_t>(length));
  return request;
}

Bytes GatewayReply(std::span<const std::uint8_t> container) {
  Bytes reply = Text("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                     std::to_string(container.size()) + "\r\n\r\n");
  reply.insert(reply.end(), container.begin(), container.end());
  return reply;
}

Bytes GatewayBadRequest() { return Text("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n"); }

}  // namespace tarvello::server
