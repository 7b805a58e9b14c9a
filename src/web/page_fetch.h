// FetchPage: one markup page by HTTP GET, through libcurl, for the page view's worker thread.
//
// The request is an HTTP/1.0 GET with the agent "TVLZX", the content-type and accept lines the
// carrier's gateways expect and a no-cache line, sent directly or, in WAP mode, through the
// carrier's gateway as proxy. A transfer that stalls for a second in either direction ends the
// fetch; so does a page that runs past kMaxPageBytes or kMaxFetchTime, which bounds a server that
// never stops sending. The body is returned as UTF-8 text; every raw piece of it, as received,
// also goes to the dump file, which is truncated when the body begins.
//
// Every failure gives an empty page and one line in the communication log (PageFetchParts::log);
// nothing is shown to the user. Each call opens and closes its own handles, so calls on different
// threads do not meet, and a call blocks its thread for at most kMaxFetchTime.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

struct PageProxy {
  std::string host;
  int port = 80;
};

struct PageFetchParts {
  std::function<bool()> connection_available;          // the network bring-up says a link is up
  std::function<std::optional<PageProxy>()> proxy;      // the gateway in WAP mode, nothing direct
  std::function<void(std::string_view)> log;            // one communication-log line
  std::filesystem::path dump_file;                      // "inter.xml" of the program folder
};

inline constexpr std::string_view kPageDumpName = "inter.xml";
inline constexpr std::string_view kPageAgent = "TVLZX";
inline constexpr std::size_t kPagePieceBytes = 1020;
inline constexpr std::size_t kMaxPageBytes = 1 << 20;
inline constexpr std::chrono::milliseconds kPageStallTime{1000};
inline constexpr std::chrono::milliseconds kPageConnectTime{3000};
inline constexpr std::chrono::milliseconds kMaxFetchTime{10000};

std::u16string FetchPage(const PageFetchParts& parts, std::u16string_view url);

// The address a link of the page at base leads to: absolute links as they are, relative ones
// resolved against base. Empty when either cannot be read as an HTTP or HTTPS address.
std::u16string ResolvePageLink(std::u16string_view base, std::u16string_view link);

}  // namespace tarvello
