// The figures of the whole market under a clock that runs a simulated minute every few tenths of
// a second: readers always get whole figures of a minute not after the clock's, while the board's
// worker builds the next minutes aside and swaps them in.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "answer_fixture.h"
#include "server/figures_board.h"

namespace tarvello::server::testing {
namespace {

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

}  // namespace
}  // namespace tarvello::server::testing
