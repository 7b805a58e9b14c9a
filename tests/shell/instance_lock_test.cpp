#include "shell/instance_lock.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::TempFolder;

TEST(InstanceLockTest, OnlyOneHolderPerFolderUntilItIsReleased) {
  TempFolder folder;
  std::error_code error;
  std::optional<InstanceLock> first = InstanceLock::Acquire(folder.path(), error);
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(InstanceLock::Acquire(folder.path(), error).has_value());
  EXPECT_FALSE(error) << "another holder is not a failure: " << error.message();

  TempFolder other;
  EXPECT_TRUE(InstanceLock::Acquire(other.path(), error).has_value());

  std::optional<InstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_FALSE(InstanceLock::Acquire(folder.path(), error).has_value()) << "a moved lock is still held";
  moved.reset();
  EXPECT_TRUE(InstanceLock::Acquire(folder.path(), error).has_value());
}

// A lock file that cannot be opened says why, so that the program does not take it for a copy
// already running and end without a word.
TEST(InstanceLockTest, ALockFileThatCannotBeOpenedIsReportedAsAnError) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / kInstanceLockName);  // even root cannot open it
  TempFolder missing;
  for (const std::filesystem::path& place : {folder.path(), missing.path() / "missing" / "deeper"}) {
    std::error_code error;
    EXPECT_FALSE(InstanceLock::Acquire(place, error).has_value()) << place;
    EXPECT_TRUE(error) << place;
  }
}

}  // namespace
}  // namespace tarvello
