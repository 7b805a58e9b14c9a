#include "info/article_download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "protocol/transport_links.h"
#include "support/transport_fixture.h"

namespace tarvello {
namespace {

using testing::LoopbackServer;
using testing::ServerConnection;
using testing::TransportTest;

std::u16string Body(const std::string& answer) {
  return ArticleBody(std::span(reinterpret_cast<const std::uint8_t*>(answer.data()), answer.size()));
}

TEST(ArticleDownloadTest, ThePathNamesTheKindFolderTheDigitsAndTheMarketAndBadTitlesMakeNoRequest) {
  const struct {
    int kind;
    std::u16string code;
    std::string path;
  } cases[] = {
      {1, u"SH600001", "/InfoDepot_ForCellPhone/News_1/600001_1/X9.txt"},
      {2, u"SZ000002", "/InfoDepot_ForCellPhone/Notice_2/000002_0/X9.txt"},
      {16, u"BI880301", "/InfoDepot_ForCellPhone/Report_16/880301_90/X9.txt"},
      {7, u"HK000005", "/InfoDepot_ForCellPhone/Report_16/000005X9.txt"},  // no market: no suffix
  };
  for (const auto& c : cases) EXPECT_EQ(ArticlePath(c.kind, c.code, u"X9"), c.path);
  EXPECT_EQ(ArticleRequest("10.0.0.7", 80, 1, u"SH600001", u"X9"),
            "GET http://10.0.0.7/InfoDepot_ForCellPhone/News_1/600001_1/X9.txt HTTP/1.1\r\nHost:10.0.0.7\r\n\r\n");
  // A proxy (the WAP gateway) reaches a server on another port only if the request names it.
  EXPECT_EQ(ArticleRequest("10.0.0.7", 8081, 1, u"SH600001", u"X9"),
            "GET http://10.0.0.7:8081/InfoDepot_ForCellPhone/News_1/600001_1/X9.txt HTTP/1.1\r\n"
            "Host:10.0.0.7:8081\r\n\r\n");
  // A request that would break its line or its buffer is not made.
  for (const std::u16string& bad : {std::u16string(u"a b"), std::u16string(u"a\r\nHost:x"), std::u16string(u"新闻"),
                                    std::u16string(200, u'x')}) {
    EXPECT_FALSE(ArticleRequest("h", 80, 1, u"SH600001", bad));
  }
  EXPECT_TRUE(ArticleRequest("h", 80, 1, u"SH600001", std::u16string(100, u'x')));
}

TEST(ArticleDownloadTest, TheBodyFollowsTheHeaderForItsLengthOrIsEverythingButNeverAnErrorPage) {
  const struct {
    std::string answer;
    std::u16string body;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n正文", u"正文"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n正文", u"正"},                  // the header's length
      {"HTTP/1.1 200 OK\r\nContent-Length: 999\r\n\r\nab", u"ab"},                  // no more than came
      {"HTTP/1.1 200 OK\r\nContent-Length: 123456789012\r\n\r\nab", u"ab"},         // eight digits at most
      {"just text\r\n\r\nContent-Length: 1", u"just text\r\n\r\nContent-Length: 1"},  // no header before the blank line
      {"plain", u"plain"},
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot found", u""},  // an error page is no article
      {"HTTP/1.0 503 Busy\r\n\r\nTry later", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(Body(c.answer), c.body) << c.answer;
}

// The information server's answer may split anywhere, its head included: the download reads on
// until the head gives the length, then until the whole body has come.
TEST_F(TransportTest, AnswerWhoseHeadSplitsOverPiecesComesWhole) {
  const std::string body(3000, 'w');
  const std::string head = "HTTP/1.1 200 OK\r\nServer: info\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  for (const std::size_t split : {std::size_t{8}, std::size_t{30}, head.size() - 1}) {
    LoopbackServer info([&](ServerConnection& c) {
      c.ReadHttpRequest();
      c.Send(head.substr(0, split));
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      c.SendInPieces(testing::BytesOf(head.substr(split) + body), 1000, std::chrono::milliseconds(5));
      c.ReadContainer();
    });
    LoopbackServer quotes([](ServerConnection& c) { c.ReadContainer(); });
    ConnectTo(quotes);
    const std::string request = *ArticleRequest("127.0.0.1", info.port(), 1, u"SH600001", u"X9");
    Bytes answer(1 << 20);
    const int received = PassThroughExchange(*transport_, "127.0.0.1", info.port(), testing::BytesOf(request), answer);
    ASSERT_GT(received, 0) << split;
    answer.resize(static_cast<std::size_t>(received));
    EXPECT_EQ(ArticleBody(answer), std::u16string(body.size(), u'w')) << split;
  }
}

}  // namespace
}  // namespace tarvello
