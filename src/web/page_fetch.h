// FetchPage: one markup page by HTTP GET, through libcurl, for the page view's worker thread.
//
// The request is an HTTP/1.0 GET with the agent "TVLZX", the content-type and accept lines the
// carrier's gateways expect and "Pragma: no-cache", sent directly or, in WAP mode, through the
// carrier's gateway as proxy. The fetch asks for a fresh copy: the no-cache line is how that
// request reaches the caching gateways between the handheld and the server, which would otherwise
// hand back a stale page. A transfer that stays silent for the stall time ends the fetch however
// long it has run, so a slow link still loads a long page; a page past kMaxPageBytes ends it too,
// which bounds a server that never stops sending. A PageFetchStop ends it at once from another
// thread. The body is returned as UTF-8 text; every raw piece of it, as received, also goes to
// the dump file, which is truncated when the body begins.
//
// Every failure gives an empty page and one line in the communication log (PageFetchParts::log);
// a failure before the connection stands is logged as "InternetConnect Error". Nothing is shown
// to the user. Each call opens and closes its own handles, so calls on different threads do not
// meet.
#pragma once

#include <atomic>
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

// Ends a fetch in progress from another thread (the progress window's cancel). Arm clears it
// before a fetch; a fetch checks it while it waits and gives up as soon as it is set.
class PageFetchStop {
 public:
  void Arm() { stopped_ = false; }
  void Stop() { stopped_ = true; }
  bool stopped() const { return stopped_.load(); }

 private:
  std::atomic<bool> stopped_{false};
};

inline constexpr std::chrono::milliseconds kPageStallTime{1000};
inline constexpr std::chrono::milliseconds kPageConnectTime{3000};

struct PageFetchParts {
  std::function<bool()> connection_available;          // the network bring-up says a link is up
  std::function<std::optional<PageProxy>()> proxy;      // the gateway in WAP mode, nothing direct
  std::function<void(std::string_view)> log;            // one communication-log line
  std::filesystem::path dump_file;                      // "inter.xml" of the program folder
  const PageFetchStop* stop = nullptr;                  // none: the fetch runs to its end
  std::chrono::milliseconds connect_time = kPageConnectTime;
  std::chrono::milliseconds stall_time =
      kPageStallTime;  // silence, in either direction, that ends it
};

inline constexpr std::string_view kPageDumpName = "inter.xml";
inline constexpr std::string_view kPageAgent = "TVLZX";
inline constexpr std::size_t kPagePieceBytes = 1020;
inline constexpr std::size_t kMaxPageBytes = 1 << 20;

std::u16string FetchPage(const PageFetchParts& parts, std::u16string_view url);

// The address a link of the page at base leads to: absolute links as they are, relative ones
// resolved against base. Empty when either cannot be read as an HTTP or HTTPS address.
std::u16string ResolvePageLink(std::u16string_view base, std::u16string_view link);

}  // namespace tarvello
