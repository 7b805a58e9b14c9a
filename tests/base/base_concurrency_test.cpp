// The base under threads: a shared record never read half written, a queue that keeps each
// poster's order and wakes its waiters on close, and a ticker that stops with its owner.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/shared_records.h"
#include "base/thread_queue.h"
#include "base/ticker.h"

namespace tarvello {
namespace {

// A record whose parts must always agree; a torn read would show a mismatch.
struct Quote {
  std::vector<int> prices;
  int checksum = 0;
};

TEST(SharedRecordsConcurrencyTest, PainterNeverSeesAHalfWrittenRecord) {
  SharedRecords<Quote> records;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int round = 1; round <= 2000; ++round) {
      Quote fresh;
      fresh.prices.assign(static_cast<std::size_t>(round % 50 + 1), round);
      fresh.checksum = round * static_cast<int>(fresh.prices.size());
      records.Publish(std::move(fresh));
    }
    done = true;
  });
  int reads = 0;
  while (!done || reads < 10) {
    auto shown = records.Current();
    int sum = 0;
    for (int p : shown->prices) sum += p;
    ASSERT_EQ(sum, shown->checksum);
    ++reads;
  }
  worker.join();
  EXPECT_EQ(records.Current()->checksum, 2000 * (2000 % 50 + 1));
}

TEST(ThreadQueueConcurrencyTest, EveryMessageOfManyPostersArrivesOnceInEachPostersOrder) {
  constexpr int kPosters = 4;
  constexpr int kEach = 500;
  ThreadQueue queue;
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p) {
    posters.emplace_back([&queue, p] {
      for (int i = 0; i < kEach; ++i) queue.Post({p, i, 0});
    });
  }
  std::vector<std::intptr_t> next(kPosters, 0);
  for (int n = 0; n < kPosters * kEach; ++n) {
    auto message = queue.Get();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->wparam, next[message->id]++);
  }
  for (auto& t : posters) t.join();
  EXPECT_TRUE(queue.Drain().empty());
}

TEST(ThreadQueueConcurrencyTest, CloseWakesAWorkerBlockedInGetAndOneInItsPause) {
  ThreadQueue queue;
  std::thread getter([&queue] { EXPECT_FALSE(queue.Get().has_value()); });
  std::thread sleeper([&queue] { EXPECT_TRUE(queue.SleepUnlessClosed(std::chrono::hours(1))); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  queue.Close();
  getter.join();
  sleeper.join();
}

TEST(ThreadQueueConcurrencyTest, PostDuringAPauseStillWakesTheGetter) {
  ThreadQueue queue;
  std::thread getter([&queue] { EXPECT_EQ(queue.Get()->id, 7u); });
  std::thread sleeper([&queue] { queue.SleepUnlessClosed(std::chrono::milliseconds(200)); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  queue.Post({7, 0, 0});
  getter.join();
  sleeper.join();
}

// A ticker ticks repeatedly and never after it is gone, and its end does not wait out a period.
TEST(TickerConcurrencyTest, TicksRepeatedlyNeverAfterItIsGoneAndEndsAtOnce) {
  std::atomic<int> ticks{0};
  {
    Ticker ticker(std::chrono::milliseconds(1), [&ticks] { ++ticks; });
    while (ticks < 3) std::this_thread::yield();
  }
  int at_end = ticks;
  { Ticker idle(std::chrono::hours(1), [&ticks] { ++ticks; }); }
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ticks, at_end);
}

}  // namespace
}  // namespace tarvello
