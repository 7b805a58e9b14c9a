#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

std::u16string Key(int thread, int key) {
  const std::string text = "K" + std::to_string(thread) + "_" + std::to_string(key);
  return std::u16string(text.begin(), text.end());
}

// Eight threads each add their own keys to one file; with the per-path lock no thread's
// read-change-rewrite can overwrite another's, so every key survives.
TEST(ProfileFileConcurrencyTest, ParallelWritersToOneFileLoseNoEntry) {
  testing::TempFolder folder;
  const auto path = folder / "Shared.ini";
  constexpr int kThreads = 8;
  constexpr int kKeysPerThread = 12;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&path, t] {
      for (int k = 0; k < kKeysPerThread; ++k) ProfileFile::WriteString(u"LIST", Key(t, k), u"v", path);
    });
  }
  for (auto& writer : writers) writer.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kKeysPerThread; ++k) {
      EXPECT_EQ(ProfileFile::GetString(u"LIST", Key(t, k), u"Error", path), u"v") << t << "_" << k;
    }
  }
}

}  // namespace
}  // namespace tarvello
