// The settings and account screens against the simulator: a server that announces a newer version
// has the main menu ask about it once; a login through the form is what the next start logs in
// with, and a login stuck behind a stalled answer does not hold up the close; periods saved on the
// settings screen are the ones the data screens refresh by from then on.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <string_view>

#include "account/account_texts.h"
#include "protocol/packet_codec.h"
#include "protocol/transport_timings.h"
#include "settings/refresh_settings.h"
#include "shell/range_pages.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using std::chrono::seconds;

constexpr int kMenuCellIndices = 1;
constexpr int kMenuCellSettings = 10;
constexpr int kDetailKLineCell = 2;  // the detail screen's toolbar: "K线", "资金", "返回"
constexpr int kDetailFundCell = 4;
constexpr int kBackCell = 5;

// The place of a period among the settings screen's choices.
int ChoiceOf(int wanted) {
  return static_cast<int>(std::find(kRefreshChoices.begin(), kRefreshChoices.end(), wanted) - kRefreshChoices.begin());
}

class AccountWalk : public testing::TerminalWalk {
 protected:
  // A key of the desktop's keyboard, sent to the widget with the focus as the window system does.
  void KeyOnTheKeyboard(int qt_key, const QString& text = {}) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) focus = terminal_->frame().focusWidget();
    QKeyEvent event(QEvent::KeyPress, qt_key, Qt::NoModifier, text);
    QApplication::sendEvent(focus != nullptr ? focus : static_cast<QWidget*>(&terminal_->frame()), &event);
  }
};

// The start-up version check asks about a newer version once, however often the menu comes back;
// a login through the form afterwards is what the next start logs in with.
TEST_F(AccountWalk, ANewerVersionIsAskedAboutOnceAndALoginThroughTheFormIsTheOneTheNextStartSends) {
  testing::WriteBytes(sim_folder_ / "accounts.txt", "walker secret7 3\n");
  ASSERT_TRUE(StartSimulator({"--accounts", (sim_folder_ / "accounts.txt").string(), "--latest-version", "V3.10"}));
  ASSERT_TRUE(StartTerminal());
  CDlgMain& main = *terminal_->main_screen();
  ASSERT_TRUE(WaitFor([&] { return TimesAsked(u"更新") == 1 && !main.HasTimer(CDlgMain::kTimerUpdateCheck); }));
  EXPECT_NE(prompter_.asked().back().text.find(u"V3.10"), std::u16string::npos) << "V3.10 is newer than V3.3";
  // The question was answered No: it stays unasked however often the menu comes back.
  EnterMenuCell(kMenuCellIndices);
  ASSERT_TRUE(WaitFor([&] { return Shows(terminal_->list_screen()) && terminal_->list_screen()->view()->loaded; }));
  main.GoTo(kTargetMainMenu, 0);
  ASSERT_TRUE(WaitFor([&] { return Shows(&main); }));
  EXPECT_EQ(TimesAsked(u"更新"), 1);

  EnterMenuCell(kMenuCellSettings);  // the settings menu, the way to the account pages
  ASSERT_TRUE(EnterMenuLine(kPageSettingsMenu, 0));  // "1：帐户管理"
  ASSERT_TRUE(EnterMenuLine(kPageAccountMenu, 1));   // "2：用户注册/登录"
  CDlgLogin& form = *terminal_->login_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&form); }));
  EXPECT_EQ(form.summary(), u"您未注册");
  // The keypad types into the user's line at once, without a tap on it first.
  for (const char typed : std::string_view("walker")) KeyOnTheKeyboard(Qt::Key_A + (typed - 'a'), QString(QChar(typed)));
  EXPECT_EQ(form.Text(CDlgLogin::kUser), u"walker");
  form.Type(CDlgLogin::kPassword, u"secret7");
  prompter_.QueueAnswer(PromptAnswer::kNo);  // the congratulation: stay on the form
  form.SendKey(kKeySoftLeft);
  ASSERT_TRUE(WaitFor([&] { return form.summary() == u"您已注册\r\n用户名：walker" && Shows(&form); }));
  ASSERT_EQ(TimesAsked(account_text::kCaption), 1);
  EXPECT_EQ(prompter_.asked().back().text, account_text::kLoginDone);
  // Esc retraces the way in: the account menu, the settings menu, the main menu.
  for (const int page : {kPageAccountMenu, kPageSettingsMenu}) {
    KeyOnTheKeyboard(Qt::Key_Escape);
    ASSERT_TRUE(WaitFor([&] {
      return Shows(terminal_->menu_page()) && terminal_->menu_page()->state().mode() == page;
    })) << "page " << page;
  }
  KeyOnTheKeyboard(Qt::Key_Escape);
  ASSERT_TRUE(WaitFor([&] { return Shows(&main); }));

  proxy_->ForgetRequests();
  ASSERT_TRUE(StartTerminal()) << "the terminal closed and started again on the same folder";
  EXPECT_EQ(TimesSent(CPacketCodec().BuildLogin(u"walker", u"secret7")), 1) << "the stored name at start-up";
  EXPECT_EQ(terminal_->account_session().rights().value_or(-1), 3) << "the server granted the account's rights";
}

// A list refresh and a login under way when the terminal closes, behind answers that never come:
// the close cancels the exchange in progress and every one that would start after it, instead of
// joining each worker only after its exchange gave up.
TEST_F(AccountWalk, ARestartWhileALoginWaitsBehindAStalledRefreshDoesNotWaitThemOut) {
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(StartTerminal());
  EnterMenuCell(kMenuCellIndices);
  CStockListDlg& list = *terminal_->list_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&list) && list.view()->loaded && !list.busy(); }));
  proxy_->SetFault({testing::Fault::kStall});
  list.RequestRefresh(false);
  ASSERT_TRUE(WaitFor([&] { return list.busy(); }));
  terminal_->main_screen()->GoTo(kTargetLogin, 0);
  CDlgLogin& form = *terminal_->login_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&form); }));
  form.Type(CDlgLogin::kUser, u"demo");
  form.Type(CDlgLogin::kPassword, u"demo");
  ASSERT_TRUE(form.SubmitLogin());
  ASSERT_TRUE(list.busy()) << "the refresh still waits for its answer";

  const auto closing = std::chrono::steady_clock::now();
  terminal_.reset();
  const auto closed = std::chrono::steady_clock::now() - closing;
  EXPECT_LT(closed, TransportTimings{}.readable_wait) << "the close waited for a stalled answer";
  proxy_->SetFault({testing::Fault::kClean});
  EXPECT_TRUE(StartTerminal()) << "the exchanges work again on the next start";
}

TEST_F(AccountWalk, PeriodsSavedOnTheSettingsScreenAreTheOnesEveryDataScreenRefreshesBy) {
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(StartTerminal());
  EnterMenuCell(kMenuCellSettings);
  ASSERT_TRUE(EnterMenuLine(kPageSettingsMenu, 1));  // "2：系统设置"
  CDlgRecommend& settings = *terminal_->settings_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&settings); }));
  settings.Choose(CDlgRecommend::kList, ChoiceOf(30));
  settings.Choose(CDlgRecommend::kIntraday, ChoiceOf(10));
  settings.Choose(CDlgRecommend::kKLine, ChoiceOf(50));
  settings.Press(CDlgRecommend::kSave);
  ASSERT_TRUE(WaitFor([&] { return Shows(terminal_->main_screen()); }));
  EXPECT_EQ(prompter_.asked().back().text, CDlgRecommend::kSaved);
  const RefreshSettings saved = LoadRefreshSettings(home_.path());
  EXPECT_EQ(saved.list_seconds, 30);
  EXPECT_EQ(saved.intraday_seconds, 10);
  EXPECT_EQ(saved.kline_seconds, 50);

  // Each screen opened after the save, and each list it opens, arms its timer with the new period.
  EnterMenuCell(kMenuCellIndices);
  CStockListDlg& list = *terminal_->list_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&list) && list.view()->loaded && !list.view()->rows.quotes.empty(); }));
  EXPECT_EQ(list.refresh_period(), seconds(30));
  terminal_->OpenSecurity(SecurityCode::FromAscii("SH600001"));
  CStockDetailDlg& detail = *terminal_->detail_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&detail) && !detail.busy() && detail.view()->loaded; }));
  EXPECT_EQ(detail.refresh_period(), seconds(10));
  TapBarCell(detail, kDetailFundCell);
  CGzqhDlg& futures = *terminal_->futures_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&futures) && !futures.busy() && futures.records()->loaded; }));
  EXPECT_EQ(futures.refresh_period(), seconds(10)) << "the fund flow refreshes with the intraday period";
  TapBarCell(futures, 1);  // "分时"
  ASSERT_TRUE(WaitFor([&] { return Shows(&detail) && !detail.busy(); }));
  TapBarCell(detail, kDetailKLineCell);
  CKLineDlg& kline = *terminal_->kline_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&kline) && kline.loaded(); }));
  EXPECT_EQ(kline.refresh_period(), seconds(50));
}

}  // namespace
}  // namespace tarvello
