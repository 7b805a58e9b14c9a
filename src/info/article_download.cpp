#include "info/article_download.h"

#include <algorithm>

#include "protocol/http_framing.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr std::string_view kDepot = "/InfoDepot_ForCellPhone/";
constexpr std::string_view kBlankLine = "\r\n\r\n";
constexpr std::string_view kLengthHeader = "Content-Length:";
constexpr std::size_t kMaxLengthDigits = 8;
constexpr int kHttpPort = 80;

std::string_view MarketSuffix(std::u16string_view code) {
  const std::u16string_view prefix = code.substr(0, 2);
  if (prefix == u"SH") return "_1/";
  if (prefix == u"SZ") return "_0/";
  if (prefix == u"BI") return "_90/";
  return "";
}

// One byte per character; nothing when a character could not stand in a request line.
std::optional<std::string> RequestWord(std::u16string_view text) {
  std::string word;
  for (const char16_t c : text) {
    if (c <= u' ' || c >= 127) return std::nullopt;
    word += static_cast<char>(c);
  }
  return word;
}

}  // namespace

std::string_view ArticleFolder(int kind) {
  if (kind == 1) return "News_1";
  if (kind == 2) return "Notice_2";
  return "Report_16";
}

std::string ArticlePath(int kind, std::u16string_view code, std::u16string_view identifier) {
  const std::u16string_view digits = code.size() > 2 ? code.substr(2) : std::u16string_view();
  return std::string(kDepot) + std::string(ArticleFolder(kind)) + "/" + text::ToUtf8(digits) +
         std::string(MarketSuffix(code)) + text::ToUtf8(identifier) + ".txt";
}

std::optional<std::string> ArticleRequest(std::string_view server, int port, int kind,
                                          std::u16string_view code, std::u16string_view identifier) {
  if (!RequestWord(code) || !RequestWord(identifier)) return std::nullopt;
  std::string host(server);
  if (port != kHttpPort) host += ":" + std::to_string(port);
  std::string request = "GET http://" + host + ArticlePath(kind, code, identifier) +
                        " HTTP/1.1\r\nHost:" + host + "\r\n\r\n";
  if (request.size() > kArticleRequestLimit) return std::nullopt;
  return request;
}

std::u16string ArticleBody(std::span<const std::uint8_t> answer) {
  if (IsErrorStatus(AnswerStatus(answer))) return {};
  const std::string_view bytes(reinterpret_cast<const char*>(answer.data()), answer.size());
  std::string_view body = bytes;
  const std::size_t blank = bytes.find(kBlankLine);
  const std::size_t header = bytes.substr(0, blank).find(kLengthHeader);
  if (blank != std::string_view::npos && header != std::string_view::npos) {
    std::size_t at = header + kLengthHeader.size();
    while (at < bytes.size() && bytes[at] == ' ') ++at;
    std::size_t length = 0;
    for (std::size_t digits = 0; digits < kMaxLengthDigits && at < bytes.size() && bytes[at] >= '0' &&
                                 bytes[at] <= '9';
         ++digits, ++at) {
      length = length * 10 + static_cast<std::size_t>(bytes[at] - '0');
    }
    body = bytes.substr(blank + kBlankLine.size());
    body = body.substr(0, std::min(length, body.size()));
  }
  return text::FromUtf8(body);
}

}  // namespace tarvello
