#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/shared_records.h"

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

}  // namespace
}  // namespace tarvello
