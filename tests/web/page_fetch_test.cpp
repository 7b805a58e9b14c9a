#include "web/page_fetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "support/loopback_server.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::LoopbackServer;
using testing::ServerConnection;

// The fetch's parts with its log lines collected and the dump in a folder of the test's own.
struct FetchBench {
  testing::TempFolder folder;
  std::vector<std::string> log;
  std::optional<PageProxy> proxy;
  bool available = true;

  PageFetchParts Parts() {
    return PageFetchParts{[this] { return available; }, [this] { return proxy; },
                          [this](std::string_view line) { log.emplace_back(line); }, folder / kPageDumpName};
  }
  std::u16string Fetch(std::string_view url) { return FetchPage(Parts(), text::FromUtf8(url)); }
};

// The request head a server saw, kept for the test to read once the fetch is over.
class SeenRequest {
 public:
  void Read(ServerConnection& connection) {
    const auto head = connection.ReadHttpRequest();
    const std::lock_guard<std::mutex> lock(mutex_);
    head_ = head.value_or("");
  }
  std::string Get() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return head_;
  }

 private:
  std::mutex mutex_;
  std::string head_;  // guarded by mutex_
};

std::string Url(const LoopbackServer& server, std::string_view path) {
  return "http://127.0.0.1:" + std::to_string(server.port()) + std::string(path);
}

TEST(PageFetchTest, LongBodyInPiecesComesBackWholeAndIsDumpedAsReceived) {
  std::string body = "<wml><card>";
  while (body.size() < 3000) body += "行情 quotes ";
  body += "</card></wml>";
  SeenRequest seen;
  LoopbackServer server([&](ServerConnection& connection) {
    seen.Read(connection);
    connection.Send("HTTP/1.0 200 OK\r\nContent-Type: text/vnd.wap.wml\r\n\r\n");
    connection.SendInPieces(testing::BytesOf(body), 700, std::chrono::milliseconds(20));
    connection.Close();
  });
  FetchBench bench;
  EXPECT_EQ(bench.Fetch(Url(server, "/wap/index.wml")), text::FromUtf8(body));
  EXPECT_EQ(testing::ReadBytes(bench.folder / kPageDumpName), body);
  EXPECT_EQ(bench.log, std::vector<std::string>{"InternetOpen:NULL"});
  const std::string request = seen.Get();
  for (const char* line : {"GET /wap/index.wml HTTP/1.0\r\n", "User-Agent: TVLZX\r\n",
                           "Content-type: application/octet-stream\r\n", "Accept: application/vnd.wap.xhtml+xml,",
                           "Pragma: no-cache\r\n"}) {
    EXPECT_NE(request.find(line), std::string::npos) << line << " in\n" << request;
  }
}

TEST(PageFetchTest, WapModeAsksTheGatewayForTheWholeAddress) {
  SeenRequest seen;
  LoopbackServer gateway([&](ServerConnection& connection) {
    seen.Read(connection);
    connection.Send("HTTP/1.0 200 OK\r\n\r\n<wml/>");
    connection.Close();
  });
  FetchBench bench;
  bench.proxy = PageProxy{"127.0.0.1", gateway.port()};
  EXPECT_EQ(bench.Fetch("http://pages.example/wap/market.wml"), u"<wml/>");
  EXPECT_EQ(bench.log, std::vector<std::string>{"InternetOpen:127.0.0.1:" + std::to_string(gateway.port())});
  const std::string request = seen.Get();
  EXPECT_EQ(request.rfind("GET http://pages.example/wap/market.wml HTTP/1.0\r\n", 0), 0u) << request;
}

// Each way a fetch can fail gives an empty page, its one log line, and no wait beyond the bounds.
// The silent servers wait for the terminal to give up and close.
TEST(PageFetchTest, EveryFailureIsAnEmptyPageAndOneLogLine) {
  const auto until_closed = [](ServerConnection& connection) {
    Bytes more;
    connection.ReadExactly(1, more);
  };
  const auto silent = [&](ServerConnection& connection) {
    connection.ReadHttpRequest();
    until_closed(connection);
  };
  const auto stalls_in_body = [&](ServerConnection& connection) {
    connection.ReadHttpRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\n<wml><card>");
    until_closed(connection);
  };
  const auto never_ends = [](ServerConnection& connection) {
    connection.ReadHttpRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\n");
    const std::string block(64 * 1024, 'x');
    while (connection.Send(block)) {
    }
  };
  struct Case {
    const char* name;
    std::function<void(ServerConnection&)> script;  // none: nothing listens at the port
    std::string path_or_url;
    std::string line;
  };
  const Case cases[] = {
      {"not an address", silent, "no address at all", "!AfxParseURL"},
      {"not HTTP", silent, "ftp://127.0.0.1/page.wml", "!AfxParseURL"},
      {"nothing listens", nullptr, "/page.wml", "InternetConnect Error: 7"},
      {"no answer", silent, "/page.wml", "HttpQueryInfo: 28"},
      {"body stalls", stalls_in_body, "/page.wml", "!InternetReadFile : 28"},
      {"body never ends", never_ends, "/page.wml", "!InternetReadFile : 23"},
  };
  for (const Case& c : cases) {
    std::optional<LoopbackServer> server(c.script ? c.script : silent);
    const std::string url = c.path_or_url.starts_with("/") ? Url(*server, c.path_or_url) : c.path_or_url;
    if (!c.script) server.reset();
    FetchBench bench;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(bench.Fetch(url), u"") << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, kMaxFetchTime) << c.name;
    EXPECT_EQ(bench.log, (std::vector<std::string>{"InternetOpen:NULL", c.line})) << c.name;
  }
}

TEST(PageFetchTest, NoConnectionOpensNothing) {
  FetchBench bench;
  bench.available = false;
  EXPECT_EQ(bench.Fetch("http://127.0.0.1:1/page.wml"), u"");
  EXPECT_TRUE(bench.log.empty());
  EXPECT_FALSE(std::filesystem::exists(bench.folder / kPageDumpName));
}

TEST(PageFetchTest, LinksResolveAgainstThePageTheyAreOn) {
  const struct {
    const char16_t* base;
    const char16_t* link;
    const char16_t* address;
  } cases[] = {
      {u"http://h:81/wap/index.wml", u"market.wml", u"http://h:81/wap/market.wml"},
      {u"http://h:81/wap/index.wml", u"/wap/t/1.wml?d=2", u"http://h:81/wap/t/1.wml?d=2"},
      {u"http://h:81/wap/index.wml", u"http://other/x.wml", u"http://other/x.wml"},
      {u"http://h:81/wap/index.wml", u"mailto:a@b", u""},
      {u"", u"market.wml", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePageLink(c.base, c.link), c.address);
}

}  // namespace
}  // namespace tarvello
