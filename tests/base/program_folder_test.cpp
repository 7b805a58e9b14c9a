#include "base/program_folder.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarvello
