// The account screens where the program folder cannot be written: the settings that cannot be
// saved, and a login that holds for the run only. (The login through the form, the keyboard and the
// recommendation's checks are the end-to-end walk's and the account models' tests.)
#include <gtest/gtest.h>

#include <filesystem>

#include "account/login_dlg.h"
#include "account/refresh_settings_dlg.h"
#include "platform/address_opener.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
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
  EXPECT_EQ(std::filesystem::file_size(blocked), 0u);
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

}  // namespace
}  // namespace tarvello
