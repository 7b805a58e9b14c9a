#include "base/ticker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tarvello {
namespace {

TEST(TickerConcurrencyTest, TicksRepeatedlyAndNeverAfterItIsGone) {
  std::atomic<int> ticks{0};
  {
    Ticker ticker(std::chrono::milliseconds(1), [&ticks] { ++ticks; });
    while (ticks < 3) std::this_thread::yield();
  }
  int at_end = ticks;
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ticks, at_end);
}

TEST(TickerConcurrencyTest, DestructionDoesNotWaitForTheRestOfAPeriod) {
  std::atomic<int> ticks{0};
  { Ticker ticker(std::chrono::hours(1), [&ticks] { ++ticks; }); }
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace tarvello
