#include "web/page_fetch.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <vector>

#include "support/loopback_server.h"
#include "web/markup_document.h"
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
  PageFetchStop stop;

  PageFetchParts Parts() {
    PageFetchParts parts{[this] { return available; }, [this] { return proxy; },
                         [this](std::string_view line) { log.emplace_back(line); }, folder / kPageDumpName};
    parts.stop = &stop;
    parts.connect_time = std::chrono::milliseconds(400);
    parts.stall_time = std::chrono::milliseconds(400);
    return parts;
  }
  std::u16string Fetch(std::string_view url) { return FetchPage(Parts(), text::FromUtf8(url)); }
};

std::string Url(int port, std::string_view path) {
  return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

// A port whose connections never complete: a listener that accepts nothing, its one-place queue
// taken by connections of its own, so that the handshake of the next one goes unanswered.
struct FullListener {
  int fds[3] = {socket(AF_INET, SOCK_STREAM, 0), socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0),
                socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)};
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  FullListener() {
    socklen_t length = sizeof address;
    bind(fds[0], reinterpret_cast<sockaddr*>(&address), length);
    listen(fds[0], 0);
    getsockname(fds[0], reinterpret_cast<sockaddr*>(&address), &length);
    for (const int filler : {fds[1], fds[2]}) connect(filler, reinterpret_cast<sockaddr*>(&address), length);
  }
  ~FullListener() {
    for (const int fd : fds) close(fd);
  }
  int port() const { return ntohs(address.sin_port); }
};

// Directly or through the gateway (which is asked for the whole address), a long body comes back
// whole in its pieces and goes to the dump as received.
TEST(PageFetchTest, ALongBodyComesBackWholeAndDumpedAndEveryFailureIsAnEmptyPageAndOneLogLine) {
  std::string body = "<wml><card>";
  while (body.size() < 3000) body += "行情 quotes ";
  body += "</card></wml>";
  for (const bool wap : {false, true}) {
    std::promise<std::string> seen;
    LoopbackServer server([&](ServerConnection& connection) {
      seen.set_value(connection.ReadHttpRequest().value_or(""));
      connection.Send("HTTP/1.0 200 OK\r\nContent-Type: text/vnd.wap.wml\r\n\r\n");
      connection.SendInPieces(testing::BytesOf(body), 700, std::chrono::milliseconds(20));
      connection.Close();
    });
    FetchBench bench;
    const std::string port = std::to_string(server.port());
    if (wap) bench.proxy = PageProxy{"127.0.0.1", server.port()};
    EXPECT_EQ(bench.Fetch(wap ? "http://pages.example/wap/index.wml" : Url(server.port(), "/wap/index.wml")),
              text::FromUtf8(body));
    EXPECT_EQ(testing::ReadBytes(bench.folder / kPageDumpName), body);
    EXPECT_EQ(bench.log, std::vector<std::string>{wap ? "InternetOpen:127.0.0.1:" + port : "InternetOpen:NULL"});
    const std::string request = seen.get_future().get();
    for (const std::string line : {wap ? "GET http://pages.example/wap/index.wml HTTP/1.0\r\n"
                                       : "GET /wap/index.wml HTTP/1.0\r\n",
                                   "User-Agent: TVLZX\r\n", "Content-type: application/octet-stream\r\n",
                                   "Accept: application/vnd.wap.xhtml+xml,", "Pragma: no-cache\r\n"}) {
      EXPECT_NE(request.find(line), std::string::npos) << line << " in\n" << request;
    }
  }
  // Each way a fetch can fail gives an empty page, its one log line, and no wait beyond the bounds.
  // The silent servers wait for the terminal to give up and close.
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
    std::function<void(ServerConnection&)> script;
    std::string path_or_url;
    std::string line;
  };
  const Case cases[] = {
      {"not an address", silent, "no address at all", "!AfxParseURL"},
      {"not HTTP", silent, "ftp://127.0.0.1/page.wml", "!AfxParseURL"},
      {"nothing listens", silent, "/page.wml", "InternetConnect Error: 7"},
      {"connect times out", silent, "/page.wml", "InternetConnect Error: 28"},
      {"no answer", silent, "/page.wml", "HttpQueryInfo: 28"},
      {"body stalls", stalls_in_body, "/page.wml", "!InternetReadFile : 28"},
      {"body never ends", never_ends, "/page.wml", "!InternetReadFile : 23"},
  };
  for (const Case& c : cases) {
    std::optional<LoopbackServer> server(c.script);
    std::optional<FullListener> full;
    int port = server->port();
    if (c.name == std::string_view("nothing listens")) server.reset();
    if (c.name == std::string_view("connect times out")) port = full.emplace().port();
    const std::string url = c.path_or_url.starts_with("/") ? Url(port, c.path_or_url) : c.path_or_url;
    FetchBench bench;
    EXPECT_EQ(bench.Fetch(url), u"") << c.name;
    EXPECT_EQ(bench.log, (std::vector<std::string>{"InternetOpen:NULL", c.line})) << c.name;
  }
  FetchBench offline;  // no data connection: nothing is opened, logged or dumped
  offline.available = false;
  EXPECT_EQ(offline.Fetch("http://127.0.0.1:1/page.wml"), u"");
  EXPECT_TRUE(offline.log.empty());
  EXPECT_FALSE(std::filesystem::exists(offline.folder / kPageDumpName));
}

// Silence ends a fetch, not its length: a page whose pieces keep coming loads whole however long
// it takes. (The stop from the progress window is checked through the whole terminal.)
TEST(PageFetchTest, APageThatKeepsComingLoadsWholeAndLinksResolveAgainstTheirPage) {
  const std::string body(4000, 'p');
  LoopbackServer server([&](ServerConnection& connection) {
    connection.ReadHttpRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\n");
    connection.SendInPieces(testing::BytesOf(body), 400, std::chrono::milliseconds(150));
    connection.Close();
  });
  FetchBench slow;
  EXPECT_EQ(slow.Fetch(Url(server.port(), "/slow.wml")), text::FromUtf8(body));
  const struct {
    const char16_t* base;
    const char16_t* link;
    const char16_t* address;
  } cases[] = {
      {u"http://h:81/wap/index.wml", u"/wap/t/1.wml?d=2", u"http://h:81/wap/t/1.wml?d=2"},
      {u"http://h:81/wap/index.wml", u"mailto:a@b", u""},
      {u"", u"market.wml", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePageLink(c.base, c.link), c.address);
}

struct ErrorCase {
  const char16_t* text;
  const char16_t* error;
};

TEST(MarkupDocumentTest, EachFaultNamesItselfAndWhereItBegan) {
  const ErrorCase cases[] = {
      {u"<card>abcd<!-- never closed", u"Comment at offset 10 unterminated"},
      {u"<a><![CDATA[x", u"CDATA Section at offset 3 unterminated"},
      {u"<?xml version", u"Processing instruction at offset 0 unterminated"},
      {u"<!DOCTYPE wml [ <!ENTITY x> ", u"Doctype at offset 0 unterminated"},
      {u"<a></a", u"Element end tag at offset 3 unterminated"},
      {u"<a href=\"x", u"Element tag at offset 0 unterminated"},
      {u"<a>< b/></a>", u"Incorrect tag name character at offset 4"},
      {u"<a x/y></a>", u"Incorrect tag at offset 4"},
      {u"<a><!-x--></a>", u"Incorrect comment tag at offset 3"},
      {u"<a><![IF[x]]></a>", u"Incorrect ! tag at offset 3"},
      {u"<wml><card>", u"Element 'card' at offset 5 not ended"},
      {u"<wml><p></wml>", u"End tag 'wml' at offset 8 does not match start tag 'p' at offset 5"},
      {u"<wml/></wml>", u"No start tag for end tag 'wml' at offset 6"},
      {u"", u"Empty document"},
      {u"<!-- only a comment -->", u"No root element"},
      {u"<a/><b/>", u"Root element has sibling"},
      {u"中文<卡片>", u"Element '卡片' at offset 2 not ended"},
  };
  for (const ErrorCase& c : cases) {
    MarkupDocument document;
    EXPECT_FALSE(document.SetDoc(c.text));
    EXPECT_EQ(document.error(), c.error);
    EXPECT_FALSE(document.FindElem()) << "a refused document holds nothing";
  }
}

// Loose markup reads, and so does nesting far deeper than any stack would hold.
TEST(MarkupDocumentTest, LenientAndDeepPagesReadWithTheirEntitiesAndTheCursorMovesOnlyWhereItCan) {
  std::u16string deep;
  for (int i = 0; i < 100000; ++i) deep += u"<d>";
  for (int i = 0; i < 100000; ++i) deep += u"</d>";
  const std::u16string pages[] = {
      deep,
      u"<?xml version=\"1.0\"?><!DOCTYPE wml PUBLIC \"-//x\" \"y\"><wml><card/></wml>",
      u"<td nowrap bgcolor=ff0000>a & b</td>",
      u"<a href=/x?y=1>go</a> trailing text",
      u"<p align='center'><br/><![CDATA[<raw>]]><!-- note --></p>",
  };
  for (const std::u16string& page : pages) EXPECT_TRUE(MarkupDocument().SetDoc(page)) << page.size();
  // The page items walk the cursor through most kinds of node; here the entities of attributes and
  // texts, and the moves that must not happen.
  MarkupDocument document;
  ASSERT_TRUE(document.SetDoc(u"<wml><card id=c1 t='&lt;&amp;'>&gt;<b>bold</b><![CDATA[&amp;]]></card><card id=c2 /></wml>"));
  ASSERT_TRUE(document.FindElem(u"wml") && document.IntoElem() && document.FindElem(u"card"));
  EXPECT_EQ(document.Attrib(u"t"), u"<&");
  EXPECT_EQ(document.Data(), u">&amp;");
  ASSERT_TRUE(document.FindChild() && document.FindChild() && document.IntoElem()) << "into the card, at its b";
  ASSERT_TRUE(document.OutOfElem());
  EXPECT_EQ(document.ChildTagName(), u"b") << "the child position stays where it was";
  ASSERT_TRUE(document.FindElem());
  EXPECT_FALSE(document.FindElem());
  EXPECT_EQ(document.Attrib(u"id"), u"c2") << "a failed find moves nothing";
  ASSERT_TRUE(document.OutOfElem());
  EXPECT_FALSE(document.OutOfElem());
}

}  // namespace
}  // namespace tarvello
