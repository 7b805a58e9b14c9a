#include "base/thread_queue.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(ThreadQueueTest, DrainReturnsAndRemovesEverythingQueued) {
  ThreadQueue queue;
  for (int i = 0; i < 3; ++i) queue.Post({2033, i, 0});
  auto drained = queue.Drain();
  ASSERT_EQ(drained.size(), 3u);
  EXPECT_EQ(drained.front().wparam, 0);
  EXPECT_EQ(drained.back().wparam, 2);
  EXPECT_TRUE(queue.Drain().empty());
  queue.Post({2033, 9, 0});
  EXPECT_EQ(queue.Get()->wparam, 9);
}

TEST(ThreadQueueTest, ClosedQueueRefusesPostsAndDropsWhatWasQueued) {
  ThreadQueue queue;
  queue.Post({2033, 0, 0});
  queue.Close();
  EXPECT_TRUE(queue.IsClosed());
  EXPECT_FALSE(queue.Post({2033, 0, 0}));
  EXPECT_FALSE(queue.Get().has_value());
  EXPECT_TRUE(queue.SleepUnlessClosed(std::chrono::hours(1)));
}

TEST(ThreadQueueTest, SleepRunsItsCourseWhileOpenEvenWhenMessagesArrive) {
  ThreadQueue queue;
  queue.Post({2033, 0, 0});
  EXPECT_FALSE(queue.SleepUnlessClosed(std::chrono::milliseconds(5)));
  EXPECT_TRUE(queue.Get().has_value());
}

}  // namespace
}  // namespace tarvello
