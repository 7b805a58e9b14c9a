// Start-up and account answers, decoded with the terminal's parser.
#include <gtest/gtest.h>

#include "answer_fixture.h"
#include "server/session_answers.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

TEST(SessionAnswersTest, ProbeIsEightBytesAndServerTimeTheSimulatedMoment) {
  AnswerFixture fixture;
  EXPECT_EQ(fixture.RawAnswer({fixture.codec.BuildServerProbe()}), (Bytes{'{', 0, 0, 0, 0, 0, 0, '}'}));
  const auto blocks = fixture.Ask({fixture.codec.BuildServerTime(0)});
  ASSERT_EQ(blocks.size(), 1u);
  BlockReader r = Reader(blocks[0]);
  EXPECT_EQ(r.Int32(), 20261204);
  EXPECT_EQ(r.Int32(), 103000);
}

TEST(SessionAnswersTest, RegistrationAndErrorReportsAreLogged) {
  AnswerFixture fixture;
  const auto blocks = fixture.Ask({fixture.codec.BuildDeviceRegistration(u"20261204{GUID}|240*320|5|设备|V3.3"),
                                   fixture.codec.BuildErrorReport(u"Err|x")});
  ASSERT_EQ(blocks.size(), 2u);
  const auto lines = fixture.log.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "registration: 20261204{GUID}|240*320|5|设备|V3.3");
  EXPECT_EQ(lines[1], "error report: Err|x");
}

TEST(SessionAnswersTest, LoginAcceptsKnownAccountsWithTheRunningMessageAndRefusesTheRest) {
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
  EXPECT_NE(fixture.log.Lines().back().find("login: nobody"), std::string::npos);
}

TEST(SessionAnswersTest, RecommendationResultFollowsTheUserAndTheNumbers) {
  AnswerFixture fixture;
  const std::tuple<std::u16string_view, std::string_view, int> cases[] = {
      {u"demo", "13800138000,13900139000", 0}, {u"nobody", "13800138000", 1}, {u"demo", "13800138000,12000000000", 2},
      {u"demo", "1380013800", 2},             {u"demo", "", 2},              {u"demo", "13800138000,19999999999", 3}};
  for (const auto& [user, numbers, result] : cases) {
    const Bytes raw(numbers.begin(), numbers.end());
    const auto blocks = fixture.Ask({fixture.codec.BuildRecommend(user, raw)});
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].type, 2908);
    EXPECT_EQ(Reader(blocks[0]).Byte(), result) << numbers;
  }
}

TEST(SessionAnswersTest, VersionAnswerAnnouncesOnlyNewerVersions) {
  for (const auto& [latest, newer] : {std::pair{"V3.3", 0}, std::pair{"V3.10", 1}, std::pair{"V3.2", 0}}) {
    AnswerFixture fixture("2026-12-04 10:30", 7, latest);
    const auto blocks = fixture.Ask({fixture.codec.BuildVersionCheck(u"Error", u"ppc")});
    ASSERT_EQ(blocks.size(), 2u);
    BlockReader r = Reader(blocks[0]);
    EXPECT_EQ(r.String().empty(), newer == 0) << latest;
    EXPECT_EQ(r.String(), text::FromAscii(latest));
    EXPECT_FALSE(r.String().empty());
    EXPECT_EQ(r.Byte(), newer) << latest;
    r.Byte();
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(blocks[1].type, 2913);
    BlockReader notices = Reader(blocks[1]);
    const int count = notices.Int16();
    for (int i = 0; i < count; ++i) {
      const int kind = notices.Byte();
      EXPECT_TRUE(kind >= 1 && kind <= 4);
      EXPECT_FALSE(notices.String().empty());
    }
    EXPECT_TRUE(notices.AtEnd());
  }
}

}  // namespace
}  // namespace tarvello::server::testing
