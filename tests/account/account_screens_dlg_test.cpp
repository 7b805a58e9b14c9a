// The account screens with a scripted prompter and scripted exchanges: the login form's keyboard,
// logout and unwritable folder, the settings that cannot be saved, and the recommendation's check
// and phone book. (Each answer's message is the login model's table.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "account/account_texts.h"
#include "account/login_dlg.h"
#include "account/recommend_friend_dlg.h"
#include "account/recommendation.h"
#include "account/refresh_settings_dlg.h"
#include "platform/address_opener.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/loopback_server.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class FixedPhoneBook : public PhoneBook {
 public:
  std::vector<Contact> Contacts() const override { return {{u"甲", u"13800138000"}, {u"乙", u"13900139000"}}; }
};

class AccountScreensTest : public ::testing::Test {
 protected:
  AccountScreensTest() {
    InstallPrompter(&prompter_);
    InstallAddressOpener(&addresses_);
  }
  ~AccountScreensTest() override {
    InstallAddressOpener(nullptr);
    InstallPrompter(nullptr);
  }

  AccountParts Parts() {
    return AccountParts{server_.Function(), &navigator_, home_.path(), &session_,
                        u"http://reg/Basic/SPP/SoftRegister.aspx", u"http://dl/DownLoadCenter.aspx", &phone_book_};
  }

  // A plain file where a folder should be: nothing can be written under it.
  std::filesystem::path Blocked() {
    const std::filesystem::path blocked = home_ / "not_a_folder";
    testing::WriteBytes(blocked, "");
    return blocked;
  }
  // The message of the last prompt once `count` prompts have been asked.
  std::u16string LastPrompt(std::size_t count) {
    EXPECT_TRUE(ProcessEventsUntil([&] { return prompter_.asked().size() >= count; }));
    return prompter_.asked().empty() ? u"" : prompter_.asked().back().text;
  }

  testing::QtApp app_;
  testing::TempFolder home_;
  ScriptedPrompter prompter_;
  RecordingAddressOpener addresses_;
  testing::RecordingNavigator navigator_;
  AccountSession session_;
  FixedPhoneBook phone_book_;
  testing::ScriptedServer server_;
};

TEST_F(AccountScreensTest, SettingsThatCannotBeWrittenSaySoAndKeepTheOldPeriods) {
  const std::filesystem::path blocked = Blocked();
  std::optional<RefreshSettings> saved;
  CDlgRecommend page(RefreshSettingsParts{&navigator_, blocked, [] { return RefreshSettings{}; },
                                          [&](const RefreshSettings& s) { saved = s; }});
  page.Open();
  page.Press(CDlgRecommend::kSave);
  EXPECT_FALSE(saved.has_value());
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"保存失败!");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
  EXPECT_EQ(std::filesystem::file_size(blocked), 0u);
}

// An accepted login (walked end to end) reopens the form with the new summary; switching user
// starts from empty lines, and logout asks first and empties the summary and the session.
TEST_F(AccountScreensTest, AnAcceptedLoginNavigatesOnYesAndLogoutEmptiesTheSummaryAndTheSession) {
  CDlgLogin form(Parts());
  form.resize(240, 300);
  form.Open(kTargetLogin);
  server_.SetFixedAnswer(testing::AnswerContainer(2906, WireWriter().U8(0).I32(9).Take()));
  form.Type(CDlgLogin::kUser, u"bob");
  form.Type(CDlgLogin::kPassword, u"good");
  prompter_.QueueAnswer(PromptAnswer::kYes);
  ASSERT_TRUE(form.SubmitLogin());
  EXPECT_EQ(LastPrompt(1), account_text::kLoginDone);
  EXPECT_EQ(form.summary(), u"您已注册\r\n用户名：bob");
  EXPECT_EQ(session_.account_value(), 9);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetQuoteList, kTargetLogin}}));

  form.Open(kTargetSwitchUser);
  EXPECT_EQ(form.Text(CDlgLogin::kUser), u"") << "switching user starts from empty lines";
  form.Type(CDlgLogin::kUser, u"carol");
  form.Type(CDlgLogin::kPassword, u"good");
  ASSERT_TRUE(form.SubmitLogin());
  ASSERT_TRUE(ProcessEventsUntil([&] { return form.summary() == u"您已注册\r\n用户名：carol"; }));
  EXPECT_EQ(prompter_.asked().size(), 1u) << "only the login entry congratulates";
  EXPECT_EQ(navigator_.visits.size(), 1u);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !form.busy(); }));
  prompter_.QueueAnswer(PromptAnswer::kYes);
  form.Press(CDlgLogin::kLogout);
  EXPECT_EQ(prompter_.asked().back().text, u"你的账户资料将被清空，确定注销?");
  EXPECT_EQ(form.summary(), u"您未注册");
  EXPECT_FALSE(session_.account_value().has_value());
}

TEST_F(AccountScreensTest, LoginInAFolderThatCannotBeWrittenHoldsForTheRunAndSaysItWasNotKept) {
  AccountParts parts = Parts();
  parts.folder = Blocked();
  CDlgLogin form(parts);
  form.resize(240, 300);
  form.Open(kTargetLogin);
  server_.SetFixedAnswer(testing::AnswerContainer(2906, WireWriter().U8(0).I32(9).Take()));
  form.Type(CDlgLogin::kUser, u"bob");
  form.Type(CDlgLogin::kPassword, u"good");
  prompter_.QueueAnswer(PromptAnswer::kNo);
  ASSERT_TRUE(form.SubmitLogin());
  EXPECT_EQ(LastPrompt(1),
            u"恭喜您，登录已成功。如有疑问，请拨打客服热线：400-555-0188\r\n但账户未能保存，下次启动需重新登录。");
  EXPECT_EQ(session_.account_value(), 9);
  EXPECT_EQ(form.summary(), u"您未注册");
}

TEST_F(AccountScreensTest, KeyboardTypesIntoTheLineAndRegistrationOpensThePageOnYes) {
  CDlgLogin form(Parts());
  form.resize(240, 300);
  form.Open(kTargetLogin);
  const Rect keys = form.KeyboardArea();
  auto tap = [&](int key) {
    const Rect box = KeyboardKeyRect(keys, key);
    form.Tap(Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
  };
  tap(0);   // a
  tap(36);  // capitals and digits
  tap(0);   // A
  tap(35);  // 9
  tap(37);  // deletes the 9
  EXPECT_EQ(form.Text(CDlgLogin::kUser), u"aA");
  EXPECT_EQ(form.keyboard_mode(), KeyboardMode::kCapitals);

  form.Press(CDlgLogin::kRegister);
  EXPECT_TRUE(addresses_.opened().empty()) << "the cautious answer is No";
  prompter_.QueueAnswer(PromptAnswer::kYes);
  form.Press(CDlgLogin::kRegister);
  EXPECT_EQ(prompter_.asked().back().text, u"注册地址:\r\nhttp://reg/Basic/SPP/SoftRegister.aspx\r\n是否注册?");
  EXPECT_EQ(prompter_.asked().back().caption, u"注册用户");
  EXPECT_EQ(addresses_.opened(), std::vector<std::u16string>{u"http://reg/Basic/SPP/SoftRegister.aspx"});
}

TEST_F(AccountScreensTest, RecommendationChecksTheNumbersBeforeSendingAndPicksFromThePhoneBook) {
  CDlgRecommendFriend screen(Parts());
  screen.Type(u"1380013800");
  screen.Press(CDlgRecommendFriend::kSend);
  EXPECT_EQ(LastPrompt(1), u"输入的手机号有误，请确认");
  EXPECT_EQ(server_.count(), 0);

  screen.Type(u"");
  prompter_.QueueMenuChoice(2);
  screen.Press(CDlgRecommendFriend::kPhoneBook);
  EXPECT_EQ(screen.Text(), u"13900139000");
  server_.SetFixedAnswer(testing::AnswerContainer(2908, Bytes{0}));
  screen.Press(CDlgRecommendFriend::kSend);
  EXPECT_EQ(LastPrompt(3), u"推荐请求已经提交,将会以短信方式通知您的好友");
  EXPECT_EQ(server_.Last(), BuildRecommendRequest(u"Error", {"13900139000"})) << "no account: the name reads \"Error\"";
}

}  // namespace
}  // namespace tarvello
