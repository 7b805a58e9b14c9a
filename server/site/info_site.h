// The information HTTP port's content: a router from a request path to the body served there,
// and the pieces that answer it. The depot serves each share's articles as text files under
// "/InfoDepot_ForCellPhone/<News_1|Notice_2|Report_16>/<digits><_1|_0|_90>/<identifier>.txt";
// the markup pages are under "/wap/" (server/markup_site.h); further sites join the router with
// one more line in InfoSite. ReadInfoRequest takes the path
// out of a GET request, in origin form ("/a/b") or absolute form ("http://host/a/b", as a
// client sends it through a proxy). Pure functions of the market and the time; any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "server/market/market.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

using PageRouter = std::function<std::optional<std::string>(std::string_view path)>;

inline constexpr std::size_t kMaxInfoRequest = 4096;

// The file of an article, UTF-8 with a byte-order mark and CR LF line ends; nothing for a path
// that names no article of that share and kind out at `now`.
std::optional<std::string> InfoDepotFile(const Market& market, std::string_view path, const SimTime& now);

// Every site of the information port: the first that knows the path answers.
PageRouter InfoSite(const Market& market, const SimClock& clock);

enum class InfoRequestStatus { kNeedMore, kComplete, kBad };
struct InfoRequest {
  InfoRequestStatus status = InfoRequestStatus::kNeedMore;
  std::string path;
};
// A request longer than kMaxInfoRequest without its blank line, or one that is not a GET, is bad.
InfoRequest ReadInfoRequest(std::span<const std::uint8_t> bytes);

// The Content-Type of what a path names, by its extension: markup pages (".wml") and pictures
// (".bmp") their own, anything else UTF-8 text.
std::string_view ContentTypeOf(std::string_view path);

// "HTTP/1.1 200 OK" with the Content-Type of the path and the body's Content-Length, or
// "404 Not Found" without a body.
std::string InfoReply(std::string_view path, const std::optional<std::string>& body);

}  // namespace tarvello::server
