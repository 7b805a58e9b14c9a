// The base under threads: a shared record never read half written, a queue that keeps each
// poster's order and wakes its waiters on close, a ticker that stops with its owner, and
// background tasks that run once each, one at a time, in order, whoever runs them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/background_tasks.h"
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

// Posters queue tasks, some to wait a while, while a reader keeps running what is queued and the
// owner goes at the end: every task runs once, never beside another, and each poster's in order.
TEST(BackgroundTasksConcurrencyTest, ReadersAndTheThreadRunEachTaskOnceOneAtATimeInOrder) {
  constexpr int kPosters = 3;
  constexpr int kTasks = 300;
  std::vector<std::vector<int>> done(kPosters);
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
  {
    BackgroundTasks tasks;
    std::atomic<bool> posting{true};
    std::thread reader([&] {
      while (posting) tasks.RunQueued();
    });
    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; ++p) {
      posters.emplace_back([&, p] {
        for (int i = 0; i < kTasks; ++i) {
          tasks.Post([&, p, i] {
            if (running.fetch_add(1) != 0) overlapped = true;
            done[static_cast<std::size_t>(p)].push_back(i);
            running.fetch_sub(1);
          }, std::chrono::milliseconds(i % 3 == 0 ? 2 : 0));
        }
      });
    }
    for (std::thread& poster : posters) poster.join();
    posting = false;
    reader.join();
  }
  EXPECT_FALSE(overlapped);
  for (const std::vector<int>& each : done) {
    ASSERT_EQ(each.size(), static_cast<std::size_t>(kTasks));
    for (int i = 0; i < kTasks; ++i) EXPECT_EQ(each[static_cast<std::size_t>(i)], i);
  }
}

}  // namespace
}  // namespace tarvello
