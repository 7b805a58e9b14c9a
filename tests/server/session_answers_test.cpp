// Start-up and account answers, decoded with the terminal's parser; the simulator's command line
// and accounts file, outside input refused with a message when bad.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "answer_fixture.h"
#include "server/server_options.h"
#include "server/wire/accounts.h"
#include "server/wire/session_answers.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

TEST(SessionAnswersTest, LoginRecommendationAndVersionAnswersFollowWhatWasSent) {
  AnswerFixture fixture;
  fixture.accounts.Add(Account{u"张三", u"secret", 7});
  const auto blocks = fixture.Ask({fixture.codec.BuildLogin(u"张三", u"secret")});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].type, 2906);
  BlockReader ok = Reader(blocks[0]);
  EXPECT_EQ(ok.Byte(), 0);
  EXPECT_EQ(ok.Int32(), 7);
  EXPECT_EQ(blocks[1].type, 2901);
  BlockReader message = Reader(blocks[1]);
  EXPECT_EQ(message.Int32(), kRunningMessageSerial);
  EXPECT_NE(message.String().find(u"20261204"), std::u16string::npos);

  fixture.accounts.Add(Account{u"locked", u"pw", 1, true});
  const std::tuple<std::u16string_view, std::u16string_view, int> logins[] = {
      {u"张三", u"wrong", 2}, {u"demo", u"demo", 0}, {u"locked", u"pw", 3}, {u"locked", u"no", 2}, {u"nobody", u"pw", 2}};
  for (const auto& [user, password, result] : logins) {
    const Bytes login = fixture.codec.BuildLogin(user, password);
    EXPECT_EQ(Reader(fixture.Ask({login})[0]).Byte(), result) << text::ToUtf8(std::u16string(user));
  }
  // The recommendation result follows the user and the numbers.
  const std::tuple<std::u16string_view, std::string_view, int> recommendations[] = {
      {u"demo", "13800138000,13900139000", 0}, {u"nobody", "13800138000", 1}, {u"demo", "13800138000,12000000000", 2},
      {u"demo", "1380013800", 2},             {u"demo", "", 2},              {u"demo", "13800138000,19999999999", 3}};
  for (const auto& [user, numbers, result] : recommendations) {
    const Bytes typed(numbers.begin(), numbers.end());
    const auto answer = fixture.Ask({fixture.codec.BuildRecommend(user, typed)});
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].type, 2908);
    EXPECT_EQ(Reader(answer[0]).Byte(), result) << numbers;
  }
  // Versions compare as numbers ("V3.10" is newer than "V3.3"); the notices that follow read whole.
  for (const auto& [latest, newer] : {std::pair{"V3.3", 0}, std::pair{"V3.10", 1}, std::pair{"V3.2", 0}}) {
    AnswerFixture versioned("2026-12-04 10:30", 7, latest);
    const auto version = versioned.Ask({versioned.codec.BuildVersionCheck(u"Error", u"ppc")});
    ASSERT_EQ(version.size(), 2u);
    BlockReader r = Reader(version[0]);
    EXPECT_EQ(r.String().empty(), newer == 0) << latest;
    EXPECT_EQ(r.String(), text::FromAscii(latest));
    r.String();
    EXPECT_EQ(r.Byte(), newer) << latest;
    r.Byte();
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(version[1].type, 2913);
    BlockReader notices = Reader(version[1]);
    for (int n = notices.Int16(); n > 0; --n) {
      const int kind = notices.Byte();
      EXPECT_TRUE(kind >= 1 && kind <= 4);
      EXPECT_FALSE(notices.String().empty());
    }
    EXPECT_TRUE(notices.AtEnd() && !notices.overrun());
  }
}

// Help and version take no value; bad values and unknown options are refused with a message.
TEST(ServerOptionsTest, HelpAndVersionTakeNoValueAndBadValuesAreRefused) {
  std::string error;
  const auto options = ParseServerOptions({"--version", "--port", "0", "-h"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->help && options->version);
  EXPECT_EQ(options->port, 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--port", "70000"}, {"--port"}, {"--speed", "-1"}, {"--at", "2026-12-04"},
        {"--threads", "0"}, {"--colour", "red"}, {"--seed", "x"}}) {
    error.clear();
    EXPECT_FALSE(ParseServerOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
  // An unknown option is named as such even when nothing follows it.
  EXPECT_FALSE(ParseServerOptions({"--port", "1", "--colour"}, error));
  EXPECT_EQ(error, "unknown option --colour");
}

class AccountsFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { std::ofstream(path_) << text; }
  void TearDown() override { std::remove(path_.c_str()); }
  // One file per test: ctest runs the tests of this fixture side by side.
  std::string path_ = ::testing::TempDir() + "tarvello_accounts_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
};

// Accounts are read beside the demo account; bad lines and missing files are reported.
TEST_F(AccountsFileTest, ReadsAccountsBesideTheDemoAccountAndReportsBadLines) {
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
  for (const char* bad : {"bob\n", "bob pw many\n", "bob pw 1 frozen\n"}) {
    Write(bad);
    EXPECT_FALSE(book.LoadFile(path_, error)) << bad;
    EXPECT_NE(error.find(":1:"), std::string::npos) << error;
  }
  EXPECT_FALSE(book.LoadFile(path_ + ".missing", error));
}

}  // namespace
}  // namespace tarvello::server::testing
