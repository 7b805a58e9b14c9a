#include "web/page_fetch.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>

#include "text/text_codec.h"
#include "web/page_traffic.h"

namespace tarvello {

namespace {

constexpr const char* kContentTypeLine = "Content-type: application/octet-stream";
constexpr const char* kAcceptLine =
    "Accept: application/vnd.wap.xhtml+xml,application/xml,text/vnd.wap.wml,text/html,application/xhtml+xml,"
    "image/jpeg;q=0.5,image/png;q=0.5,image/gif;q=0.5,image/*;q=0.6,video/*,audio/*,*/*;q=0.6";
// Asks the caching gateways on the way for a fresh copy rather than a stored one.
constexpr const char* kNoCacheLine = "Pragma: no-cache";

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
  void operator()(std::FILE* file) const { std::fclose(file); }
};
template <typename T>
using Owned = std::unique_ptr<T, CurlDeleter>;

// A parsed HTTP or HTTPS address; null when the text is no such address.
Owned<CURLU> ParseAddress(std::u16string_view url) {
  Owned<CURLU> address(curl_url());
  const std::string bytes = text::ToUtf8(url);
  if (!address || curl_url_set(address.get(), CURLUPART_URL, bytes.c_str(), 0) != CURLUE_OK) return nullptr;
  char* scheme = nullptr;
  if (curl_url_get(address.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK) return nullptr;
  const std::string_view name(scheme);
  const bool web = name == "http" || name == "https";
  curl_free(scheme);
  return web ? std::move(address) : nullptr;
}

// The body as it arrives: appended whole, and each raw piece of at most kPagePieceBytes written
// to the dump file, opened (truncated) by the first piece.
struct Body {
  explicit Body(const std::filesystem::path& path) : dump_path(path) {}

  const std::filesystem::path& dump_path;
  std::string bytes;
  Owned<std::FILE> dump;
  bool headers_done = false;
  bool too_long = false;

  bool Take(const char* data, std::size_t size) {
    if (bytes.size() + size > kMaxPageBytes) {
      too_long = true;
      return false;
    }
    if (!dump && !dump_path.empty()) dump.reset(std::fopen(dump_path.c_str(), "wb"));
    for (std::size_t at = 0; at < size; at += kPagePieceBytes) {
      const std::size_t piece = std::min(kPagePieceBytes, size - at);
      bytes.append(data + at, piece);
      if (dump) std::fwrite(data + at, 1, piece, dump.get());
    }
    return true;
  }
};

// Watches the transfer on curl's progress calls: a stop asked for from another thread, or
// silence that has lasted the stall time once the connection stands, ends it.
struct Watch {
  using Clock = std::chrono::steady_clock;

  CURL* handle;
  const PageFetchParts& parts;
  const Clock::time_point start = Clock::now();
  curl_off_t moved = -1;
  Clock::time_point last_move = start;
  bool stalled = false;

  // Whether the connection stands: curl has timed its making, or so long has passed that curl
  // would have given up making it, so that silence is always timed in the end.
  bool Connected() const {
    curl_off_t connect_time = 0;
    if (curl_easy_getinfo(handle, CURLINFO_CONNECT_TIME_T, &connect_time) == CURLE_OK &&
        connect_time > 0) {
      return true;
    }
    return Clock::now() - start > parts.connect_time + parts.stall_time;
  }
  // False ends the transfer.
  bool Carry(curl_off_t bytes) {
    if (parts.stop != nullptr && parts.stop->stopped()) return false;
    const Clock::time_point now = Clock::now();
    if (bytes != moved || !Connected()) {
      moved = bytes;
      last_move = now;
      return true;
    }
    stalled = now - last_move >= parts.stall_time;
    return !stalled;
  }
};

int OnProgress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
  return static_cast<Watch*>(user)->Carry(down + up) ? 0 : 1;
}

std::size_t OnBody(char* data, std::size_t, std::size_t size, void* user) {
  return static_cast<Body*>(user)->Take(data, size) ? size : 0;
}

// The blank line that ends the response header marks the header as read.
std::size_t OnHeader(char* data, std::size_t, std::size_t size, void* user) {
  const std::string_view line(data, size);
  if (line == "\r\n" || line == "\n") static_cast<Body*>(user)->headers_done = true;
  return size;
}

std::string Numbered(std::string_view text, int code) { return std::string(text) + std::to_string(code); }

// The log line of a transfer that failed with code, by how far it came. A stall counts as a
// time-out.
std::string FailureLine(CURLcode code, const Body& body, const Watch& watch) {
  if (watch.stalled) code = CURLE_OPERATION_TIMEDOUT;
  const int number = static_cast<int>(code);
  if (!watch.Connected()) return Numbered("InternetConnect Error: ", number);
  if (code == CURLE_SEND_ERROR) return Numbered("!HttpSendRequest : ", number);
  if (!body.headers_done) return Numbered("HttpQueryInfo: ", number);
  return Numbered("!InternetReadFile : ", number);
}

// The request's options; the log line of the first one refused, or nothing.
std::optional<std::string> SetOptions(CURL* handle, CURLU* address, const curl_slist* headers,
                                      const std::optional<PageProxy>& proxy, Body& body,
                                      Watch& watch) {
  const std::string proxy_text = proxy ? proxy->host + ":" + std::to_string(proxy->port) : std::string();
  bool ok = curl_easy_setopt(handle, CURLOPT_CURLU, address) == CURLE_OK &&
            curl_easy_setopt(handle, CURLOPT_USERAGENT, kPageAgent.data()) == CURLE_OK &&
            curl_easy_setopt(handle, CURLOPT_PROXY, proxy_text.c_str()) == CURLE_OK &&
            curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                             static_cast<long>(watch.parts.connect_time.count())) == CURLE_OK &&
            curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
  if (!ok) return Numbered("InternetConnect Error: ", 0);
  ok = curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_0}) == CURLE_OK &&
       curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L) == CURLE_OK &&
       curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers) == CURLE_OK;
  if (!ok) return Numbered("HttpOpenRequest Error: ", 0);
  // The stall time, in either direction, is watched on the progress calls.
  if (curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, OnProgress) != CURLE_OK) {
    return "!InternetSetOption 1";
  }
  if (curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &watch) != CURLE_OK ||
      curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) != CURLE_OK) {
    return "!InternetSetOption2";
  }
  ok = curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, OnBody) == CURLE_OK &&
       curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body) == CURLE_OK &&
       curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, OnHeader) == CURLE_OK &&
       curl_easy_setopt(handle, CURLOPT_HEADERDATA, &body) == CURLE_OK;
  if (!ok) return Numbered("!HttpSendRequest : ", 0);
  return std::nullopt;
}

}  // namespace

std::u16string FetchPage(const PageFetchParts& parts, std::u16string_view url) {
  if (parts.connection_available && !parts.connection_available()) return {};
  InitialiseCurlOnce();
  const std::optional<PageProxy> proxy = parts.proxy ? parts.proxy() : std::nullopt;
  parts.log(proxy ? "InternetOpen:" + proxy->host + ":" + std::to_string(proxy->port) : "InternetOpen:NULL");
  Owned<CURLU> address = ParseAddress(url);
  if (!address) {
    parts.log("!AfxParseURL");
    return {};
  }
  Owned<CURL> handle(curl_easy_init());
  if (!handle) {
    parts.log("HttpOpenRequest Error: 0");
    return {};
  }
  Owned<curl_slist> headers(curl_slist_append(nullptr, kContentTypeLine));
  if (headers) curl_slist_append(headers.get(), kAcceptLine);
  if (headers) curl_slist_append(headers.get(), kNoCacheLine);
  Body body(parts.dump_file);
  Watch watch{handle.get(), parts};
  if (const auto refused =
          SetOptions(handle.get(), address.get(), headers.get(), proxy, body, watch)) {
    parts.log(*refused);
    return {};
  }
  const CURLcode result = curl_easy_perform(handle.get());
  CountPageTraffic(handle.get());
  if (result != CURLE_OK) {
    parts.log(FailureLine(result, body, watch));
    return {};
  }
  return text::FromUtf8(body.bytes);
}

std::u16string ResolvePageLink(std::u16string_view base, std::u16string_view link) {
  Owned<CURLU> address = ParseAddress(base);
  if (!address) return {};
  const std::string bytes = text::ToUtf8(link);
  if (curl_url_set(address.get(), CURLUPART_URL, bytes.c_str(), 0) != CURLUE_OK) return {};
  char* full = nullptr;
  if (curl_url_get(address.get(), CURLUPART_URL, &full, 0) != CURLUE_OK) return {};
  std::u16string resolved = text::FromUtf8(full);
  curl_free(full);
  return ParseAddress(resolved) ? resolved : std::u16string();
}

}  // namespace tarvello
