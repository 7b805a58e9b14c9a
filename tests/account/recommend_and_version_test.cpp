// The recommendation's number check, request and result messages; the version answer with its
// notices, and the start-up check that offers an update only when it is newer or compulsory.
#include <gtest/gtest.h>

#include <algorithm>

#include "account/account_texts.h"
#include "account/recommendation.h"
#include "account/version_check.h"
#include "protocol/block_reader.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/loopback_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(FriendNumbersTest, TypedNumbersAreCheckedOneByOne) {
  struct Case {
    std::u16string_view typed;
    NumberCheck check;
    std::size_t count;
  };
  const Case cases[] = {
      {u"", NumberCheck::kEmpty, 0},
      {u" ,， ", NumberCheck::kEmpty, 0},
      {u"13800138000", NumberCheck::kOk, 1},
      {u"13800138000,13900139000；15000150000", NumberCheck::kOk, 3},
      {u"1380013800", NumberCheck::kMalformed, 0},
      {u"138001380001", NumberCheck::kMalformed, 0},
      {u"23800138000", NumberCheck::kMalformed, 0},
      {u"1380013800a", NumberCheck::kMalformed, 0},
      {u"13800138000,12", NumberCheck::kMalformed, 0},
  };
  for (const Case& c : cases) {
    const FriendNumbers numbers = CheckFriendNumbers(c.typed);
    EXPECT_EQ(numbers.check, c.check) << std::string(c.typed.begin(), c.typed.end());
    EXPECT_EQ(numbers.numbers.size(), c.count);
  }
  EXPECT_EQ(NumberCheckMessage(NumberCheck::kEmpty), u"请输入好友的电话号码");
  EXPECT_EQ(NumberCheckMessage(NumberCheck::kMalformed), u"输入的手机号有误，请确认");
  EXPECT_EQ(AppendNumber(u"13800138000, ", u"13900139000"), u"13800138000,13900139000");
  EXPECT_EQ(AppendNumber(u"", u"13900139000"), u"13900139000");
}

TEST(RecommendationTest, RequestCarriesTheUserThenTheNumbers) {
  const Bytes request = BuildRecommendRequest(u"alice", {"13800138000", "13900139000"});
  const Bytes expected = WireWriter::Packet(2908, 0).Str("alice").Raw(testing::BytesOf("13800138000,13900139000")).FinishPacket();
  EXPECT_EQ(request, expected);
}

TEST(RecommendationTest, EachResultByteHasItsMessage) {
  const std::pair<Bytes, std::u16string_view> cases[] = {
      {testing::AnswerContainer(2908, Bytes{0}), account_text::kRecommendSent},
      {testing::AnswerContainer(2908, Bytes{1}), account_text::kRecommendNotLoggedIn},
      {testing::AnswerContainer(2908, Bytes{2}), account_text::kRecommendWrongNumber},
      {testing::AnswerContainer(2908, Bytes{7}), account_text::kRecommendUnknown},
      {testing::AnswerContainer(2906, Bytes{0}), account_text::kRecommendUnknown},
      {Bytes{'x'}, account_text::kRecommendUnknown},
  };
  for (const auto& [answer, message] : cases) EXPECT_EQ(RecommendMessage(ReadRecommendAnswer(answer)), message);
}

Bytes VersionAnswerBytes(std::u16string_view latest, std::uint8_t compulsory,
                         std::u16string_view address = u"http://dl/x") {
  ContainerWriter out;
  out.AddPlain(1000, WireWriter().Utf8(u"新版本").Utf8(latest).Utf8(address).U8(1).U8(compulsory).Take());
  out.AddPlain(2913, WireWriter()
                         .I16(5)
                         .U8(1).Utf8(u"甲")
                         .U8(4).Utf8(u"乙")
                         .U8(1).Utf8(u"丙")
                         .U8(9).Utf8(u"skipped")
                         .U8(2).Utf8(u"丁")
                         .Take());
  return out.Finish();
}

TEST(VersionAnswerTest, ReadsTheOfferAndAppendsNoticesByKind) {
  const VersionAnswer answer = ReadVersionAnswer(VersionAnswerBytes(u"V3.4", 0));
  ASSERT_TRUE(answer.offer.has_value());
  EXPECT_EQ(answer.offer->latest, u"V3.4");
  EXPECT_EQ(answer.offer->address, u"http://dl/x");
  EXPECT_TRUE(answer.offer->announced);
  EXPECT_FALSE(answer.offer->compulsory);
  EXPECT_EQ(answer.notices[0], u"甲\r\n\r\n丙\r\n\r\n");
  EXPECT_EQ(answer.notices[1], u"丁\r\n\r\n");
  EXPECT_EQ(answer.notices[3], u"乙\r\n\r\n");
  EXPECT_EQ(answer.counted_notices, 3);
  EXPECT_EQ(UpdateQuestion(*answer.offer), u"当前客户端最新版本:\r\nV3.4\r\n下载地址:\r\nhttp://dl/x\r\n是否更新应用程序?");
  EXPECT_EQ(StartupUpdateQuestion(*answer.offer), u"新版本\r\n");

  const Bytes whole = VersionAnswerBytes(u"V3.4", 0);
  const Bytes truncated(whole.begin(), whole.begin() + 12);
  EXPECT_FALSE(ReadVersionAnswer(truncated).offer.has_value());
}

TEST(VersionCheckTest, StartupCheckOffersOnlyNewerOrCompulsoryVersions) {
  struct Case {
    std::u16string_view latest;
    std::uint8_t compulsory;
    bool offered;
    std::u16string_view address = u"http://dl/x";
    std::u16string_view opened = u"http://dl/x";  // an offer without an address opens our own page
  };
  for (const Case& c : {Case{u"V3.4", 0, true}, Case{u"V3.10", 0, true}, Case{u"V3.3", 0, false},
                        Case{u"", 0, false}, Case{u"V3.3", 1, true},
                        Case{u"V3.4", 0, true, u"", u"http://own/DownLoadCenter.aspx"}}) {
    testing::TempFolder home;
    AccountSession session;
    Bytes sent;
    const Bytes answer = VersionAnswerBytes(c.latest, c.compulsory, c.address);
    const ExchangeFunction exchange = [&](std::span<const std::uint8_t> request, std::span<std::uint8_t> out) {
      sent.assign(request.begin(), request.end());
      std::copy(answer.begin(), answer.end(), out.begin());
      return static_cast<int>(answer.size());
    };
    RunStartupVersionCheck(exchange, home.path(), u"http://own/DownLoadCenter.aspx", session);
    const std::optional<StartupUpdate> update = session.TakeUnaskedUpdate();
    EXPECT_EQ(update.has_value(), c.offered) << std::string(c.latest.begin(), c.latest.end());
    EXPECT_EQ(update ? update->address : c.opened, c.opened);
    EXPECT_FALSE(session.TakeUnaskedUpdate().has_value()) << "asked once only";
    EXPECT_EQ(session.counted_notices(), 3);
    EXPECT_EQ(sent, CPacketCodec().BuildVersionCheck(u"Error", u"ppc"));
    const std::filesystem::path file = home / "Configuration.ini";
    EXPECT_EQ(ProfileFile::GetString(u"VERSION", u"VER", u"", file), u"V3.3");
    EXPECT_EQ(ProfileFile::GetString(u"INFO", u"DEVICEID", u"", file), u"Error");
  }
}

}  // namespace
}  // namespace tarvello
