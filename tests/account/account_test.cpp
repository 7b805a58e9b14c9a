#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "account/account_login.h"
#include "account/account_store.h"
#include "account/account_texts.h"
#include "account/login_keyboard.h"
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

// The account screen's login: every answer shape to its outcome and message, and what each
// outcome leaves in "Configuration.ini" and the run's session; logout empties the summary.
Bytes LoginBlock(std::initializer_list<std::uint8_t> body) { return testing::AnswerContainer(2906, Bytes(body)); }

// An exchange that answers every request with answer and keeps the last request in sent.
ExchangeFunction Answering(const Bytes& answer, Bytes& sent) {
  return [&answer, &sent](std::span<const std::uint8_t> request, std::span<std::uint8_t> out) {
    sent.assign(request.begin(), request.end());
    std::copy(answer.begin(), answer.end(), out.begin());
    return static_cast<int>(answer.size());
  };
}

TEST(LoginAnswerTest, EachAnswerShapeGivesItsOutcomeAndMessage) {
  const Bytes accepted = testing::AnswerContainer(2906, WireWriter().U8(0).I32(0x01020304).Take());
  Bytes after_header = accepted;
  after_header.insert(after_header.begin(), {'H', 'T', 'T', 'P', ' '});
  struct Case {
    const char* name;
    Bytes answer;
    LoginResult result;
    std::u16string_view message;
  };
  const Case cases[] = {
      {"six bytes", Bytes{'{', 0x5A, 0x0B, 0, 0, 1}, LoginResult::kCommError, account_text::kCommError},
      {"seven bytes without a brace", Bytes(7, 'x'), LoginResult::kUnknown, account_text::kUnknownError},
      {"accepted", accepted, LoginResult::kAccepted, account_text::kLoginDone},
      {"accepted behind a header", after_header, LoginResult::kAccepted, account_text::kLoginDone},
      {"wrong password", LoginBlock({2, 0, 0, 0, 0}), LoginResult::kWrongPassword, account_text::kWrongPassword},
      {"result 1", LoginBlock({1}), LoginResult::kRefused, account_text::kLoginRefused},
      {"result 5", LoginBlock({5, 0}), LoginResult::kRefused, account_text::kLoginRefused},
      {"result 6", LoginBlock({6}), LoginResult::kUnknown, account_text::kUnknownError},
      {"accepted without its value", LoginBlock({0, 1}), LoginResult::kUnknown, account_text::kUnknownError},
      {"empty login block", testing::AnswerContainer(2906, Bytes{}), LoginResult::kUnknown, account_text::kUnknownError},
      {"another block first", testing::AnswerContainer(2901, Bytes{0, 0, 0, 0, 0}), LoginResult::kUnknown,
       account_text::kUnknownError},
  };
  for (const Case& c : cases) {
    const LoginOutcome outcome = ReadAccountLoginAnswer(c.answer);
    EXPECT_EQ(outcome.result, c.result) << c.name;
    EXPECT_EQ(LoginMessage(outcome.result), c.message) << c.name;
  }
  EXPECT_EQ(ReadAccountLoginAnswer(accepted).account_value, 0x01020304);
}

class KeptLoginTest : public ::testing::Test {
 protected:
  LoginOutcome LogIn(const Bytes& answer, const StoredAccount& typed) {
    const LoginOutcome outcome = RunAccountLogin(Answering(answer, sent_), typed);
    KeepLogin(outcome, typed, home_.path(), session_);
    return outcome;
  }

  testing::TempFolder home_;
  AccountSession session_;
  Bytes sent_;
};

TEST_F(KeptLoginTest, OnlyAnAcceptedLoginStoresTheAccountAndLogoutLeavesItUnregistered) {
  StoreAccount(home_.path(), {u"old", u"pw"});
  for (const Bytes& refused : {LoginBlock({2, 0, 0, 0, 0}), LoginBlock({4}), LoginBlock({9}), Bytes(3, '{')}) {
    LogIn(refused, {u"new", u"secret"});
    EXPECT_EQ(LoadStoredAccount(home_.path()).user, u"old");
    EXPECT_FALSE(session_.account_value().has_value());
  }
  EXPECT_EQ(sent_, CPacketCodec().BuildLogin(u"new", u"secret"));

  LogIn(testing::AnswerContainer(2906, WireWriter().U8(0).I32(77).Take()), {u"张三", u"secret"});
  EXPECT_EQ(LoadStoredAccount(home_.path()).user, u"张三");
  EXPECT_EQ(session_.account_value(), 77);
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERID", u"", home_ / "Configuration.ini"), u"77")
      << "the version check sends the account, not \"Error\"";
  const ExchangeFunction silent = [](std::span<const std::uint8_t>, std::span<std::uint8_t>) { return 0; };
  EXPECT_EQ(RunAccountLogin(silent, {u"a", u"b"}).result, LoginResult::kCommError) << "no answer";
  // Logout leaves the summary unregistered, and missing keys read as "Error".
  LogIn(testing::AnswerContainer(2906, WireWriter().U8(0).I32(5).Take()), {u"alice", u"pw"});
  ClearStoredAccount(home_.path());
  const StoredAccount cleared = LoadStoredAccount(home_.path());
  EXPECT_EQ(AccountSummary(cleared), u"您未注册");
  EXPECT_EQ(std::tie(cleared.user, cleared.password), std::tuple(u"Error", u"Error"));
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERID", u"gone", home_ / "Configuration.ini"), u"gone");
  StoreAccount(home_.path(), {u"Error", u"pw"});
  EXPECT_EQ(AccountSummary(LoadStoredAccount(home_.path())), u"您已注册\r\n用户名：Error") << "a stored name, however odd";
}

// The login form's keyboard: the characters of each mode, and every key's own rectangle maps a
// tap back to that key.
TEST(LoginKeyboardTest, EachModeOffersItsCharactersAndEveryKeyAnswersItsTap) {
  const Rect area{0, 200, 240, 290};
  for (const KeyboardMode mode : {KeyboardMode::kSmall, KeyboardMode::kCapitals}) {
    std::set<char16_t> typed;
    for (int key = 0; key < kKeyboardKeys; ++key) {
      const Rect box = KeyboardKeyRect(area, key);
      const std::optional<LoginKey> hit = KeyboardKeyAt(area, Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2}, mode);
      ASSERT_TRUE(hit.has_value()) << key;
      if (key < 36) {
        EXPECT_EQ(hit->kind, LoginKey::Kind::kCharacter);
        typed.insert(hit->character);
      } else {
        EXPECT_EQ(hit->kind, key == 36 ? LoginKey::Kind::kSwitchMode : LoginKey::Kind::kDelete);
      }
    }
    EXPECT_EQ(typed.size(), 36u);
  }
  EXPECT_FALSE(KeyboardKeyAt(area, Point{10, 100}, KeyboardMode::kSmall).has_value());
}

// The recommendation's number check, request and result messages; the version answer with its
// notices, and the start-up check that offers an update only when it is newer, compulsory or not
// (a newer one, asked about once, is the account walk's).
TEST(RecommendationTest, TypedNumbersAreCheckedOneByOne) {
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
      {u"23800138000", NumberCheck::kMalformed, 0},
      {u"1380013800a", NumberCheck::kMalformed, 0},
      {u"13800138000,12", NumberCheck::kMalformed, 0},
  };
  for (const Case& c : cases) {
    const FriendNumbers numbers = CheckFriendNumbers(c.typed);
    EXPECT_EQ(numbers.check, c.check) << std::string(c.typed.begin(), c.typed.end());
    EXPECT_EQ(numbers.numbers.size(), c.count);
  }
  EXPECT_EQ(AppendNumber(u"13800138000, ", u"13900139000"), u"13800138000,13900139000");
  EXPECT_EQ(AppendNumber(u"", u"13900139000"), u"13900139000");
  // The request carries the user, then the numbers; each result byte has its message.
  const Bytes request = BuildRecommendRequest(u"alice", {"13800138000", "13900139000"});
  const Bytes expected = WireWriter::Packet(2908, 0).Str("alice").Raw(testing::BytesOf("13800138000,13900139000")).FinishPacket();
  EXPECT_EQ(request, expected);
  const std::pair<Bytes, std::u16string_view> results[] = {
      {testing::AnswerContainer(2908, Bytes{0}), account_text::kRecommendSent},
      {testing::AnswerContainer(2908, Bytes{2}), account_text::kRecommendWrongNumber},
      {testing::AnswerContainer(2908, Bytes{7}), account_text::kRecommendUnknown},
      {testing::AnswerContainer(2906, Bytes{0}), account_text::kRecommendUnknown},
      {Bytes{'x'}, account_text::kRecommendUnknown},
  };
  for (const auto& [answer, said] : results) {
    EXPECT_EQ(RecommendMessage(ReadRecommendAnswer(answer)), said);
  }
}

Bytes VersionAnswerBytes(std::u16string_view latest, std::uint8_t compulsory,
                         std::u16string_view address = u"http://dl/x") {
  ContainerWriter out;
  out.AddPlain(1000, WireWriter().Utf8(u"新版本").Utf8(latest).Utf8(address).U8(1).U8(compulsory).Take());
  // Five notices: two of kind 1, one each of kinds 4 and 2, and one of an unknown kind.
  out.AddPlain(2913, WireWriter().I16(5).U8(1).Utf8(u"甲").U8(4).Utf8(u"乙").U8(1).Utf8(u"丙").U8(9).Utf8(u"skipped")
                         .U8(2).Utf8(u"丁").Take());
  return out.Finish();
}

TEST(VersionTest, TheAnswerReadsTheOfferAndNoticesAndTheStartupCheckOffersOnlyNewerVersions) {
  const VersionAnswer answer = ReadVersionAnswer(VersionAnswerBytes(u"V3.4", 0));
  ASSERT_TRUE(answer.offer.has_value());
  EXPECT_EQ(std::tie(answer.offer->address, answer.offer->announced, answer.offer->compulsory),
            std::tuple(u"http://dl/x", true, false));
  const auto& notices = answer.notices;
  EXPECT_EQ(std::tie(notices[0], notices[1], notices[3], answer.counted_notices),
            std::tuple(u"甲\r\n\r\n丙\r\n\r\n", u"丁\r\n\r\n", u"乙\r\n\r\n", 3));
  EXPECT_EQ(UpdateQuestion(*answer.offer), u"当前客户端最新版本:\r\nV3.4\r\n下载地址:\r\nhttp://dl/x\r\n是否更新应用程序?");
  EXPECT_EQ(StartupUpdateQuestion(*answer.offer), u"新版本\r\n");

  const Bytes whole = VersionAnswerBytes(u"V3.4", 0);
  const Bytes truncated(whole.begin(), whole.begin() + 12);
  EXPECT_FALSE(ReadVersionAnswer(truncated).offer.has_value());
  // A server that marks the program's own version compulsory must not end every start.
  struct Case {
    std::u16string_view latest;
    std::uint8_t compulsory;
    bool offered;
    std::u16string_view address = u"http://dl/x";
    std::u16string_view opened = u"http://dl/x";  // an offer without an address opens our own page
  };
  for (const Case& c : {Case{u"V3.3", 0, false}, Case{u"V3.3", 1, false}, Case{u"V3.2", 1, false},
                        Case{u"V3.4", 1, true}, Case{u"V3.4", 0, true, u"", u"http://own/DownLoadCenter.aspx"}}) {
    testing::TempFolder home;
    AccountSession session;
    Bytes sent;
    const Bytes offer = VersionAnswerBytes(c.latest, c.compulsory, c.address);
    RunStartupVersionCheck(Answering(offer, sent), home.path(), u"http://own/DownLoadCenter.aspx",
                           session);
    const std::optional<StartupUpdate> update = session.TakeUnaskedUpdate();
    EXPECT_EQ(update.has_value(), c.offered) << std::string(c.latest.begin(), c.latest.end());
    EXPECT_EQ(update ? update->address : c.opened, c.opened);
    EXPECT_EQ(session.counted_notices(), 3);
    EXPECT_EQ(sent, CPacketCodec().BuildVersionCheck(u"Error", u"ppc"));
    const std::filesystem::path file = home / "Configuration.ini";
    EXPECT_EQ(ProfileFile::GetString(u"VERSION", u"VER", u"", file), u"V3.3");
    EXPECT_EQ(ProfileFile::GetString(u"INFO", u"DEVICEID", u"", file), u"Error");
  }
}

}  // namespace
}  // namespace tarvello
