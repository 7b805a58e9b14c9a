#include "server/site/info_site.h"

#include <array>
#include <vector>

#include "info/article_download.h"
#include "server/site/info_news.h"
#include "server/site/markup_site.h"
#include "text/text_codec.h"

namespace tarvello::server {
namespace {

constexpr std::string_view kDepot = "/InfoDepot_ForCellPhone/";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string WithCrLf(const std::u16string& text) {
  std::string out;
  for (const char c : text::ToUtf8(text)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::optional<std::string> InfoDepotFile(const Market& market, std::string_view path, const SimTime& now) {
  if (!path.starts_with(kDepot)) return std::nullopt;
  const std::size_t slash = path.rfind('/');
  std::string_view file = path.substr(slash + 1);
  if (!file.ends_with(".txt")) return std::nullopt;
  file.remove_suffix(4);
  const std::optional<InfoItem> item = FindItem(market, file, InfoMomentOf(market, now));
  if (!item) return std::nullopt;
  // The path must be the one the article's own share and kind give.
  const std::u16string code = text::FromAscii(market.security(item->index).code);
  if (path != ArticlePath(item->kind, code, text::FromAscii(item->identifier))) return std::nullopt;
  return std::string(kByteOrderMark) + WithCrLf(ArticleText(market, *item));
}

PageRouter InfoSite(const Market& market, const SimClock& clock) {
  return [&market, &clock](std::string_view path) -> std::optional<std::string> {
    const SimTime now = clock.Now();
    if (auto file = InfoDepotFile(market, path, now)) return file;
    if (auto page = MarkupPage(path, market, now)) return page;
    return std::nullopt;
  };
}

InfoRequest ReadInfoRequest(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::size_t end = text.find("\r\n\r\n");
  if (end == std::string_view::npos) {
    return InfoRequest{text.size() > kMaxInfoRequest ? InfoRequestStatus::kBad : InfoRequestStatus::kNeedMore, {}};
  }
  const std::string_view line = text.substr(0, text.find("\r\n"));
  if (!line.starts_with("GET ")) return InfoRequest{InfoRequestStatus::kBad, {}};
  std::string_view target = line.substr(4);
  target = target.substr(0, target.find(' '));
  if (target.starts_with("http://")) {
    target.remove_prefix(7);
    const std::size_t path = target.find('/');
    target = path == std::string_view::npos ? std::string_view("/") : target.substr(path);
  }
  if (!target.starts_with('/')) return InfoRequest{InfoRequestStatus::kBad, {}};
  return InfoRequest{InfoRequestStatus::kComplete, std::string(target)};
}

std::string_view ContentTypeOf(std::string_view path) {
  if (path.ends_with(".wml")) return "text/vnd.wap.wml; charset=utf-8";
  if (path.ends_with(".bmp")) return "image/bmp";
  return "text/plain; charset=utf-8";
}

std::string InfoReply(std::string_view path, const std::optional<std::string>& body) {
  if (!body) return "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  return "HTTP/1.1 200 OK\r\nContent-Type: " + std::string(ContentTypeOf(path)) + "\r\nContent-Length: " +
         std::to_string(body->size()) + "\r\nConnection: close\r\n\r\n" + *body;
}

}  // namespace tarvello::server
