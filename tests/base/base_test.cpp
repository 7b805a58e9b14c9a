// The program folder's paths from handheld names, and the thread queue's drain, close and pause.
#include <gtest/gtest.h>

#include "base/program_folder.h"
#include "base/thread_queue.h"

namespace tarvello {
namespace {

class ProgramFolderTest : public ::testing::Test {
 protected:
  void TearDown() override { SetProgramFolder("."); }
};

TEST_F(ProgramFolderTest, HandheldNamesBecomePathsInsideTheFolder) {
  SetProgramFolder("/opt/tarvello/");
  EXPECT_EQ(ProgramFolder(), "/opt/tarvello");
  EXPECT_EQ(ProgramPath("Picture\\back.jpg"), "/opt/tarvello/Picture/back.jpg");
  EXPECT_EQ(ProgramPath("/COMMUMIC.txt"), "/opt/tarvello/COMMUMIC.txt");
  EXPECT_EQ(ProgramPath("\\inter.xml"), "/opt/tarvello/inter.xml");
}

TEST_F(ProgramFolderTest, RootAndEmptyFoldersStayUsable) {
  SetProgramFolder("/");
  EXPECT_EQ(ProgramPath("Configuration.ini"), "/Configuration.ini");
  SetProgramFolder("");
  EXPECT_EQ(ProgramPath("Configuration.ini"), "./Configuration.ini");
}

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
