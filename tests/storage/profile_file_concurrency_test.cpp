#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

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
      for (int k = 0; k < kKeysPerThread; ++k) {
        const std::string key = "K" + std::to_string(t) + "_" + std::to_string(k);
        ProfileFile::WriteString(u"LIST", std::u16string(key.begin(), key.end()), u"v", path);
      }
    });
  }
  for (auto& writer : writers) writer.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kKeysPerThread; ++k) {
      const std::string key = "K" + std::to_string(t) + "_" + std::to_string(k);
      EXPECT_EQ(ProfileFile::GetString(u"LIST", std::u16string(key.begin(), key.end()), u"Error",
                                       path),
                u"v")
          << key;
    }
  }
}

}  // namespace
}  // namespace tarvello
