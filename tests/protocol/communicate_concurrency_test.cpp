// One connection shared by many threads: exchanges never interleave on the socket, a cancel ends a
// wait at once, and while an article downloads through the information server no quote request
// reaches it. (The close giving up every exchange at once is the account walk's restart.)
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "protocol/transport_links.h"
#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

using std::chrono::milliseconds;

// The body of a request or answer of one thread: its number repeated.
Bytes ThreadBody(int thread, std::size_t size) {
  return Bytes(size, static_cast<std::uint8_t>('A' + thread));
}

// Answers each request with its own body, and counts containers that arrive broken or mixed.
void EchoChecked(ServerConnection& connection, std::atomic<int>& broken) {
  while (auto request = connection.ReadContainer()) {
    const Bytes body(request->begin() + 7, request->end() - 1);
    if (body.empty() || std::count(body.begin(), body.end(), body[0]) !=
                            static_cast<long>(body.size())) {
      ++broken;
    }
    const int type = (*request)[1] | ((*request)[2] << 8);
    if (!connection.Send(AnswerContainer(type, body))) return;
  }
}

TEST_F(TransportTest, EightThreadsExchangingAtOnceNeverInterleaveOnTheSocket) {
  std::atomic<int> broken{0};
  LoopbackServer server([&](ServerConnection& c) { EchoChecked(c, broken); });
  ConnectTo(server);
  std::atomic<int> wrong_answers{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 8; ++t) {
    workers.emplace_back([&, t] {
      const Bytes request = RequestContainer(kQuote, ThreadBody(t, 1500 + 100 * t));
      const Bytes expected = AnswerContainer(kQuote, ThreadBody(t, 1500 + 100 * t));
      for (int i = 0; i < 25; ++i) {
        Bytes response(10240);
        const int received = transport_->CommunicateThread(request, response);
        if (received != static_cast<int>(expected.size()) ||
            !std::equal(expected.begin(), expected.end(), response.begin())) {
          ++wrong_answers;
        }
      }
    });
  }
  for (auto& worker : workers) worker.join();
  EXPECT_EQ(broken, 0);
  EXPECT_EQ(wrong_answers, 0);
  EXPECT_EQ(server.accepted(), 1);
}

TEST_F(TransportTest, CancelWakesABlockedReceiveAtOnceAndTheNextExchangeWorks) {
  const Bytes answer = QuoteAnswer();
  LoopbackServer server([&](ServerConnection& c) {
    if (c.index() == 0) {
      c.ReadContainer();
      c.ReadContainer();  // never answers; holds the connection until the client drops it
      return;
    }
    ServeAnswers(c, answer);
  });
  MakeTransport({}, TransportTimings{});  // the program's own ten-second wait
  transport_->SetServer("127.0.0.1", server.port());
  ASSERT_EQ(transport_->Connect(), 0);
  std::atomic<int> received{1000};
  const auto start = std::chrono::steady_clock::now();
  std::thread worker([&] {
    Bytes response(10240);
    received = transport_->CommunicateThread(QuoteRequest(), response);
  });
  std::this_thread::sleep_for(milliseconds(100));
  transport_->Cancel();
  worker.join();
  EXPECT_EQ(received, -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, TransportTimings{}.readable_wait / 2);
  Bytes response(10240);
  EXPECT_EQ(transport_->CommunicateThread(QuoteRequest(), response), static_cast<int>(answer.size()));
}

constexpr std::string_view kArticle = "article text";

// Answers GET requests with the article; anything else counts as a stray quote request.
void ServeArticles(ServerConnection& connection, std::atomic<int>& strays) {
  while (auto request = connection.ReadHttpRequest()) {
    if (!request->starts_with("GET ")) ++strays;
    if (!connection.Send(HttpAnswer(kArticle))) return;
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
