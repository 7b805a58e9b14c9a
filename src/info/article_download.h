// The per-stock article: a plain text file on the information server, fetched with a GET over
// the shared connection. ArticleRequest writes the request ("GET http://<server>/InfoDepot_
// ForCellPhone/<kind folder>/<digits><market>/<identifier>.txt"); ArticleBody takes the text out
// of what came back, with or without its HTTP header. Pure functions, any thread.
//
// The request names the server's port when it is not 80: in WAP mode it goes to the gateway, a
// proxy, which reaches the server only by what the request line and Host say.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvello {

// The request buffer of the download; a request that would not fit is not sent.
inline constexpr std::size_t kArticleRequestLimit = 200;

// The folder of an information kind: "News_1", "Notice_2", "Report_16" (any other kind).
std::string_view ArticleFolder(int kind);
// The path of the file under the server: code "SH600001" -> ".../600001_1/<identifier>.txt";
// "SZ" gives "_0/", "BI" gives "_90/", any other market no suffix at all.
std::string ArticlePath(int kind, std::u16string_view code, std::u16string_view identifier);
// Nothing when the request would exceed the limit, or when the code or the identifier holds
// anything but printable ASCII without blanks (which could break the request line).
std::optional<std::string> ArticleRequest(std::string_view server, int port, int kind,
                                          std::u16string_view code, std::u16string_view identifier);
// With "\r\n\r\n" and a "Content-Length:" header, the body after the blank line, as long as the
// header says (and no longer than what arrived); otherwise every byte. Decoded from UTF-8. An
// answer whose status line says anything but 2xx is an error page: no text at all.
std::u16string ArticleBody(std::span<const std::uint8_t> answer);

}  // namespace tarvello
