// Many clients at once against a server on several threads get whole answers that agree with each
// other; readers of the market's figures under a fast clock get whole figures of a minute not after
// the clock's while the board's worker swaps the next minutes in; a block is built once.
#include <gtest/gtest.h>

#include <asio.hpp>
#include <atomic>
#include <chrono>
#include <thread>

#include "answer_fixture.h"
#include "answer_socket.h"
#include "server/figures/figures_board.h"
#include "server/network/quote_server.h"
#include "server/wire/answer_cache.h"

namespace tarvello::server::testing {
namespace {

using asio::ip::tcp;

TEST(QuoteServerConcurrencyTest, ManyClientsGetWholeAndEqualAnswers) {
  AnswerFixture fixture("2026-12-04 13:45", 11);
  QuoteServer server(fixture.handler, Endpoints{"127.0.0.1", 0, 0});
  std::string error;
  ASSERT_TRUE(server.Open(error)) << error;
  std::thread runner([&server] { server.Run(3, false); });

  CPacketCodec& c = fixture.codec;
  const std::vector<std::string> codes = {"SH600001", "SZ000002", "SH000001", "BI000003", "IF000002"};
  std::atomic<int> bad{0};
  std::vector<std::vector<Bytes>> seen(4);
  std::vector<std::thread> clients;
  for (int t = 0; t < 4; ++t) {
    clients.emplace_back([&, t] {
      asio::io_context io;
      tcp::socket socket = ConnectLoopback(io, server.quote_port());
      for (int round = 0; round < 10; ++round) {
        for (const std::string& code : codes) {
          const std::vector<Bytes> packets = {c.BuildMinuteData(code, 0), c.BuildQuote(code), c.BuildKLine(code, 7, 0, 122, 1),
                                              c.BuildIndexBreadth(code)};
          asio::write(socket, asio::buffer(CPacketCodec::Join(packets)));
          const Bytes answer = ReadWholeAnswer(socket);
          bool complete = false;
          if (DecodeAnswer(answer, &complete).size() != 4 || !complete) ++bad;
          if (round == 0) seen[static_cast<std::size_t>(t)].push_back(answer);
        }
      }
    });
  }
  for (auto& client : clients) client.join();
  server.Stop();
  runner.join();
  EXPECT_EQ(bad.load(), 0);
  for (int t = 1; t < 4; ++t) EXPECT_EQ(seen[static_cast<std::size_t>(t)], seen[0]);
}

TEST(FiguresBoardConcurrencyTest, ReadersGetWholeFiguresOfPassingMinutesWhileTheyAreRebuilt) {
  const AnswerFixture fixture("2026-12-04 10:30");
  const SimClock fast(fixture.clock.start(), 200);
  FiguresBoard board(fixture.market, fast);
  board.Start();
  const std::int64_t first = MinuteOf(fixture.clock.start());
  std::atomic<int> bad{0};
  std::atomic<std::int64_t> newest{first};
  std::vector<std::thread> readers;
  for (int t = 0; t < 3; ++t) {
    readers.emplace_back([&] {
      std::int64_t last = first;
      // Until two swaps have been seen (a slow sanitizer build takes long for each).
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (newest.load() < first + 2 && std::chrono::steady_clock::now() < end) {
        const auto figures = board.At(fast.Now());
        const bool whole = figures &&
                           static_cast<int>(figures->rows.size()) == fixture.market.size() &&
                           figures->rows.back().code == fixture.market.securities().back().code;
        if (!whole || figures->minute < last || figures->minute > MinuteOf(fast.Now())) ++bad;
        last = figures ? figures->minute : last;
        if (last > newest.load()) newest = last;
      }
    });
  }
  for (auto& reader : readers) reader.join();
  EXPECT_EQ(bad.load(), 0);
  EXPECT_GE(newest.load(), first + 2);  // the minutes moved on
}

TEST(AnswerCacheConcurrencyTest, ConcurrentAsksBuildABlockOnce) {
  AnswerCache cache(64, 100);
  std::atomic<int> builds{0};
  std::vector<std::thread> threads;
  std::vector<std::shared_ptr<const CachedBlock>> blocks(8);
  for (std::size_t t = 0; t < blocks.size(); ++t) {
    threads.emplace_back([&, t] {
      blocks[t] = cache.Get("2117|SH600001", [&] {
        ++builds;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return Bytes(200, 1);
      });
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(builds.load(), 1);
  for (const auto& block : blocks) EXPECT_EQ(block, blocks[0]);
  EXPECT_TRUE(blocks[0]->compressed());
  EXPECT_EQ(cache.misses(), 1u);
  EXPECT_EQ(cache.hits(), 7u);
}

}  // namespace
}  // namespace tarvello::server::testing
