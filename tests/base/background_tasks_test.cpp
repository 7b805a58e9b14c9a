// Work handed to the background runs in the order it was asked for, off the asking thread, and
// what is still queued when the owner goes is done before it has gone. A task asked to wait runs
// at once for a reader that must see it, and does not hold up the owner's end.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/background_tasks.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;

TEST(BackgroundTasksTest, TasksRunInOrderOffTheCallerAndAllRunBeforeTheOwnerGoes) {
  std::vector<int> done;
  std::thread::id ran_on;
  {
    BackgroundTasks tasks;
    tasks.Post([&] {
      ran_on = std::this_thread::get_id();
      std::this_thread::sleep_for(milliseconds(20));  // the rest queue up meanwhile
    });
    for (int i = 0; i < 50; ++i) tasks.Post([&done, i] { done.push_back(i); });
  }
  ASSERT_EQ(done.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(done[static_cast<std::size_t>(i)], i);
  EXPECT_NE(ran_on, std::this_thread::get_id());
}

TEST(BackgroundTasksTest, AWaitingTaskRunsOnTheReaderThatAsksForItAndAtTheOwnersEnd) {
  constexpr milliseconds kLong{60'000};
  std::vector<int> done;
  std::thread::id ran_on;
  {
    BackgroundTasks tasks;
    tasks.Post([&] { done.push_back(1); }, kLong);
    tasks.Post([&] {
      done.push_back(2);
      ran_on = std::this_thread::get_id();
    });
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_TRUE(done.empty()) << "the second waits behind the first";
    tasks.RunQueued();
    EXPECT_EQ(done, (std::vector<int>{1, 2}));
    EXPECT_EQ(ran_on, std::this_thread::get_id());
    tasks.RunQueued();  // nothing left: returns at once
    tasks.Post([&] { done.push_back(3); }, kLong);
  }
  EXPECT_EQ(done, (std::vector<int>{1, 2, 3})) << "the owner's end runs it without waiting out its delay";
}

}  // namespace
}  // namespace tarvello
