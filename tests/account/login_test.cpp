// The account screen's login: every answer shape to its outcome and message, and what each
// outcome leaves in "Configuration.ini" and the run's session; logout empties the summary.
#include <gtest/gtest.h>

#include <algorithm>

#include "account/account_login.h"
#include "account/account_store.h"
#include "account/account_texts.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "storage/profile_file.h"
#include "support/loopback_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

Bytes LoginBlock(std::initializer_list<std::uint8_t> body) { return testing::AnswerContainer(2906, Bytes(body)); }

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
      {"result 3", LoginBlock({3}), LoginResult::kRefused, account_text::kLoginRefused},
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
    const ExchangeFunction exchange = [&](std::span<const std::uint8_t> request, std::span<std::uint8_t> out) {
      sent_.assign(request.begin(), request.end());
      std::copy(answer.begin(), answer.end(), out.begin());
      return static_cast<int>(answer.size());
    };
    const LoginOutcome outcome = RunAccountLogin(exchange, typed);
    KeepLogin(outcome, typed, home_.path(), session_);
    return outcome;
  }

  testing::TempFolder home_;
  AccountSession session_;
  Bytes sent_;
};

TEST_F(KeptLoginTest, OnlyAnAcceptedLoginStoresTheAccount) {
  StoreAccount(home_.path(), {u"old", u"pw"});
  for (const Bytes& refused : {LoginBlock({2, 0, 0, 0, 0}), LoginBlock({4}), LoginBlock({9}), Bytes(3, '{')}) {
    LogIn(refused, {u"new", u"secret"});
    EXPECT_EQ(LoadStoredAccount(home_.path()).user, u"old");
    EXPECT_FALSE(session_.account_value().has_value());
  }
  EXPECT_EQ(sent_, CPacketCodec().BuildLogin(u"new", u"secret"));

  LogIn(testing::AnswerContainer(2906, WireWriter().U8(0).I32(77).Take()), {u"张三", u"secret"});
  const StoredAccount stored = LoadStoredAccount(home_.path());
  EXPECT_EQ(stored.user, u"张三");
  EXPECT_EQ(stored.password, u"secret");
  EXPECT_EQ(session_.account_value(), 77);
  EXPECT_EQ(AccountSummary(stored), u"您已注册\r\n用户名：张三");
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERID", u"", home_ / "Configuration.ini"), u"77")
      << "the version check sends the account, not \"Error\"";
}

TEST_F(KeptLoginTest, NoAnswerIsACommunicationError) {
  const ExchangeFunction silent = [](std::span<const std::uint8_t>, std::span<std::uint8_t>) { return 0; };
  EXPECT_EQ(RunAccountLogin(silent, {u"a", u"b"}).result, LoginResult::kCommError);
}

TEST_F(KeptLoginTest, LogoutLeavesTheSummaryUnregisteredAndMissingKeysReadAsError) {
  LogIn(testing::AnswerContainer(2906, WireWriter().U8(0).I32(5).Take()), {u"alice", u"pw"});
  ClearStoredAccount(home_.path());
  const StoredAccount cleared = LoadStoredAccount(home_.path());
  EXPECT_EQ(AccountSummary(cleared), u"您未注册");
  EXPECT_EQ(cleared.user, u"Error");
  EXPECT_EQ(cleared.password, u"Error");
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"USERID", u"gone", home_ / "Configuration.ini"), u"gone");
  StoreAccount(home_.path(), {u"Error", u"pw"});
  EXPECT_EQ(AccountSummary(LoadStoredAccount(home_.path())), u"您已注册\r\n用户名：Error") << "a stored name, however odd";
}

}  // namespace
}  // namespace tarvello
