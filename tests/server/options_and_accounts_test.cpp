#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "server/accounts.h"
#include "server/server_options.h"

namespace tarvello::server {
namespace {

TEST(ServerOptionsTest, EveryOptionIsRead) {
  std::string error;
  const auto options = ParseServerOptions({"--port", "0", "--seed", "42", "--at", "2026-12-04 13:05", "--speed", "60",
                                           "--threads", "4", "--bind", "0.0.0.0"},
                                          error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->port, 0);
  EXPECT_EQ(options->seed, 42u);
  ASSERT_TRUE(options->at);
  EXPECT_EQ(options->at->Hhmmss(), 130500);
  EXPECT_EQ(options->speed, 60.0);
  EXPECT_EQ(options->threads, 4);
  EXPECT_EQ(options->address, "0.0.0.0");
}

TEST(ServerOptionsTest, RejectsBadValuesAndUnknownOptions) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--port", "70000"}, {"--port"}, {"--speed", "-1"}, {"--at", "2026-12-04"},
        {"--threads", "0"}, {"--colour", "red"}, {"--seed", "x"}}) {
    std::string error;
    EXPECT_FALSE(ParseServerOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

class AccountsFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) {
    std::ofstream(path_) << text;
  }
  void TearDown() override { std::remove(path_.c_str()); }
  // One file per test: ctest runs the tests of this fixture side by side.
  std::string path_ = ::testing::TempDir() + "tarvello_accounts_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
};

TEST_F(AccountsFileTest, ReadsAccountsBesideTheDemoAccount) {
  Write("# user password rights\n\nalice s3cret 5\n李四 密码\ncarol pw 2 locked\n");
  AccountBook book;
  std::string error;
  ASSERT_TRUE(book.LoadFile(path_, error)) << error;
  ASSERT_NE(book.Check(u"alice", u"s3cret"), nullptr);
  EXPECT_EQ(book.Check(u"alice", u"s3cret")->rights, 5);
  EXPECT_NE(book.Check(u"李四", u"密码"), nullptr);
  EXPECT_NE(book.Check(u"demo", u"demo"), nullptr);
  EXPECT_EQ(book.Check(u"alice", u"wrong"), nullptr);
  EXPECT_TRUE(book.Check(u"carol", u"pw")->locked);
}

TEST_F(AccountsFileTest, BadLinesAndMissingFilesAreReported) {
  Write("bob\n");
  AccountBook book;
  std::string error;
  EXPECT_FALSE(book.LoadFile(path_, error));
  EXPECT_NE(error.find(":1:"), std::string::npos);
  Write("bob pw many\n");
  EXPECT_FALSE(book.LoadFile(path_, error));
  Write("bob pw 1 frozen\n");
  EXPECT_FALSE(book.LoadFile(path_, error));
  EXPECT_FALSE(book.LoadFile(path_ + ".missing", error));
}

}  // namespace
}  // namespace tarvello::server
