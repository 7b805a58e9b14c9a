#include "protocol/http_framing.h"

#include <algorithm>

namespace tarvello {

std::string BuildWapHeader(std::string_view host, int port, std::size_t length) {
  std::string header = "POST  /sync  HTTP/1.1\r\nHost:";
  header.append(host).append(":").append(std::to_string(port)).append("\r\n");
  header.append("Accept: www/source; text/html; image/gif; image/png; image/jpeg; */*\r\n");
  header.append("Content-type: application/octet-stream\r\n");
  header.append("Content-Length: ").append(std::to_string(length)).append("\r\n\r\n");
  return header;
}

int AnswerStatus(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::string_view line = text.substr(0, text.find("\r\n"));
  if (!line.starts_with("HTTP/")) return 0;
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return 0;
  const std::string_view rest = line.substr(blank + 1);
  if (rest.size() < 3 || (rest.size() > 3 && rest[3] != ' ')) return 0;
  int status = 0;
  for (const char digit : rest.substr(0, 3)) {
    if (digit < '0' || digit > '9') return 0;
    status = status * 10 + (digit - '0');
  }
  return status;
}

bool IsErrorStatus(int status) { return status != 0 && (status < 200 || status >= 300); }

std::optional<HttpAnswerHead> ParseAnswerHead(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  constexpr std::string_view kBlankLine = "\r\n\r\n";
  constexpr std::string_view kLengthName = "Content-Length:";
  const std::size_t blank = text.find(kBlankLine);
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view header = text.substr(0, blank + 2);
  const std::size_t name = header.find(kLengthName);
  if (name == std::string_view::npos) return std::nullopt;
  std::size_t pos = name + kLengthName.size();
  while (pos < header.size() && (header[pos] == ' ' || header[pos] == '\t')) ++pos;
  std::size_t length = 0;
  for (; pos < header.size() && header[pos] >= '0' && header[pos] <= '9'; ++pos) {
    length = std::min(length * 10 + static_cast<std::size_t>(header[pos] - '0'), kMaxContentLength);
  }
  return HttpAnswerHead{blank + kBlankLine.size(), length, AnswerStatus(bytes)};
}

}  // namespace tarvello
