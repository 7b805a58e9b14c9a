#include "shell/instance_lock.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::TempFolder;

TEST(InstanceLockTest, OnlyOneHolderPerFolderUntilItIsReleased) {
  TempFolder folder;
  std::optional<InstanceLock> first = InstanceLock::Acquire(folder.path());
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(InstanceLock::Acquire(folder.path()).has_value());

  TempFolder other;
  EXPECT_TRUE(InstanceLock::Acquire(other.path()).has_value());

  std::optional<InstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_FALSE(InstanceLock::Acquire(folder.path()).has_value()) << "a moved lock is still held";
  moved.reset();
  EXPECT_TRUE(InstanceLock::Acquire(folder.path()).has_value());
}

TEST(InstanceLockTest, AFolderThatCannotHoldTheFileGivesNoLock) {
  TempFolder folder;
  EXPECT_FALSE(InstanceLock::Acquire(folder.path() / "missing" / "deeper").has_value());
}

}  // namespace
}  // namespace tarvello
