#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "base/thread_queue.h"

namespace tarvello {
namespace {

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

}  // namespace
}  // namespace tarvello
