// Work handed to the background runs in the order it was asked for, off the asking thread, and
// what is still queued when the owner goes is done before it has gone.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/background_tasks.h"

namespace tarvello {
namespace {

TEST(BackgroundTasksTest, TasksRunInOrderOffTheCallerAndAllRunBeforeTheOwnerGoes) {
  std::vector<int> done;
  std::thread::id ran_on;
  {
    BackgroundTasks tasks;
    tasks.Post([&] {
      ran_on = std::this_thread::get_id();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the rest queue up meanwhile
    });
    for (int i = 0; i < 50; ++i) tasks.Post([&done, i] { done.push_back(i); });
  }
  ASSERT_EQ(done.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(done[static_cast<std::size_t>(i)], i);
  EXPECT_NE(ran_on, std::this_thread::get_id());
}

}  // namespace
}  // namespace tarvello
