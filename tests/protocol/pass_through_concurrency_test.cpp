#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "protocol/transport_links.h"
#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

constexpr std::string_view kArticle = "article text";

// Answers GET requests with the article; anything else counts as a stray quote request.
void ServeArticles(ServerConnection& connection, std::atomic<int>& strays) {
  while (auto request = connection.ReadHttpRequest()) {
    if (!request->starts_with("GET ")) ++strays;
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kArticle.size()) +
                              "\r\n\r\n" + std::string(kArticle);
    if (!connection.Send(reply)) return;
  }
}

// While one thread downloads articles through the information server, the refreshing threads'
// quote requests must never reach it, and every answer must be the one its request asked for.
TEST_F(TransportTest, NoQuoteRequestUsesTheConnectionWhileItPointsAtTheInformationServer) {
  const Bytes answer = QuoteAnswer();
  LoopbackServer quotes([&](ServerConnection& c) { ServeAnswers(c, answer); });
  std::atomic<int> strays{0};
  LoopbackServer articles([&](ServerConnection& c) { ServeArticles(c, strays); });
  ConnectTo(quotes);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 30; ++i) {
        Bytes response(10240);
        const int received = Exchange(response);
        if (received != static_cast<int>(answer.size()) || !std::equal(answer.begin(), answer.end(), response.begin()))
          ++wrong;
      }
    });
  }
  threads.emplace_back([&] {
    const Bytes request = BytesOf("GET http://127.0.0.1/InfoDepot_ForCellPhone/News_1/600001_1/a.txt HTTP/1.1\r\n"
                                  "Host:127.0.0.1\r\n\r\n");
    for (int i = 0; i < 10; ++i) {
      Bytes response(1 << 20);
      const int received = PassThroughExchange(*transport_, "127.0.0.1", articles.port(), request, response);
      const std::string text(response.begin(), response.begin() + std::max(received, 0));
      if (!text.ends_with(kArticle)) ++wrong;
    }
  });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(strays, 0);
  EXPECT_EQ(articles.accepted(), 10);
  EXPECT_EQ(transport_->Server(), (std::pair<std::string, int>{"127.0.0.1", quotes.port()}));
  Bytes response(10240);
  EXPECT_EQ(Exchange(response), static_cast<int>(answer.size())) << "quotes flow again afterwards";
}

}  // namespace
}  // namespace tarvello::testing
