#include "shell/main_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/address_opener.h"
#include "platform/device_frame.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "shell/code_keyboard_dlg.h"
#include "shell/progress_dlg.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

// A network start-up that waits until it is released or cancelled, as a slow probe would.
class HeldStartup {
 public:
  // Holds the next start-up again: closing a screen cancels (releases) the one it ran.
  void Hold() {
    const std::lock_guard<std::mutex> lock(mutex_);
    released_flag_ = false;
  }
  bool Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait(lock, [this] { return released_flag_; });
    return result_;
  }
  void Release(bool result) {
    const std::lock_guard<std::mutex> lock(mutex_);
    result_ = result;
    released_flag_ = true;
    released_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool released_flag_ = false;  // guarded by mutex_
  bool result_ = false;         // guarded by mutex_
};

class MainScreenTest : public ::testing::Test {
 protected:
  MainScreenTest() {
    InstallPrompter(&prompter_);
    server_choice_.Release(true);  // a test that holds it says so
  }
  ~MainScreenTest() override {
    main_.reset();
    InstallPrompter(nullptr);
  }

  MainScreenParts Parts() {
    MainScreenParts parts;
    parts.frame = &frame_;
    parts.progress = &progress_;
    parts.exchange = [](std::span<const std::uint8_t>, std::span<std::uint8_t>) { return 0; };
    parts.folder = folder_.path();
    parts.login_placeholder = u"ppc";
    parts.connection_notice = [this] { return notice_; };
    parts.network_startup = [this] { return startup_.Run(); };
    parts.register_device = [this] { steps_.push_back("register"); };
    parts.allow_redial = [this] { steps_.push_back("redial"); };
    parts.choose_server = [this] { server_choice_.Run(); };
    parts.cancel_exchange = [this] {
      startup_.Release(false);
      server_choice_.Release(false);
    };
    parts.on_end = [this](MainResult result) { results_.push_back(result); };
    parts.session = &session_;
    parts.after_login = [this] {
      if (!update_.question.empty()) session_.OfferUpdate(update_);
    };
    return parts;
  }

  void Open() {
    startup_.Hold();
    main_ = std::make_unique<CDlgMain>(Parts(), &frame_);
    frame_.show();
    frame_.ShowScreen(main_.get());
    main_->Start();
  }

  void OpenToMenu() {
    Open();
    startup_.Release(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return main_->menu_shown(); }));
  }

  testing::QtApp app_;
  testing::TempFolder folder_;
  ScriptedPrompter prompter_;
  DeviceFrame frame_{Size{240, 320}};
  CDlgFlag progress_{ProgressHooks{}, &frame_};
  HeldStartup startup_;
  HeldStartup server_choice_;  // the probe behind the menu
  std::vector<std::string> steps_;  // written on the start-up thread, read after it is joined
  std::vector<MainResult> results_;
  AccountSession session_;
  StartupUpdate update_;  // offered after the login when it has a question
  std::u16string notice_;  // what the connection notice hook says
  std::unique_ptr<CDlgMain> main_;
};

TEST_F(MainScreenTest, ANetworkThatCannotBeBroughtUpEndsWithCancelAndNeverRegisters) {
  Open();
  startup_.Release(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !results_.empty(); }));
  EXPECT_EQ(results_, std::vector<MainResult>{MainResult::kCancel});
  EXPECT_FALSE(main_->menu_shown());
  EXPECT_TRUE(progress_.isHidden());
  main_.reset();
  EXPECT_TRUE(steps_.empty());
}

TEST_F(MainScreenTest, ClosingDuringTheStartupWakesTheStartupAndReturns) {
  Open();
  main_.reset();  // the start-up thread waits until cancel_exchange releases it
  EXPECT_TRUE(results_.empty());
  EXPECT_TRUE(steps_.empty());
}

// While no server answers the bar says so in place of the index, whose figures would look live.
// The running line moves in a strip of its own over the bar's right part, so that its moving
// repaints nothing else.
TEST_F(MainScreenTest, TheTickerBarShowsTheNoticeInsteadOfTheIndexAndTheRunningLineInItsStrip) {
  notice_ = u"连接中断";
  OpenToMenu();
  RecordingCanvas canvas(Size{main_->width(), main_->height()});
  main_->PaintOn(canvas);
  bool notice = false;
  for (const DrawCall& text : canvas.Texts()) {
    EXPECT_NE(text.text, u"沪");
    EXPECT_NE(text.text, u"深");
    if (text.text == u"连接中断") notice = text.box.top >= main_->menu_cells()[11].bottom;
  }
  EXPECT_TRUE(notice);

  auto* strip = main_->findChild<CTickerMarqueeDlg*>();
  ASSERT_NE(strip, nullptr);
  EXPECT_GE(strip->y(), main_->menu_cells()[11].bottom);
  EXPECT_EQ(strip->x() + strip->width(), main_->width());
  const auto running_left = [&] {
    RecordingCanvas line(Size{strip->width(), strip->height()});
    strip->PaintOn(line);
    EXPECT_EQ(strip->line_text(), CDlgMain::kWelcomeText);
    const std::vector<DrawCall> pictures = line.CallsOf(DrawCall::Kind::kPicture);
    const auto drawn = std::find_if(pictures.begin(), pictures.end(),
                                    [](const DrawCall& call) { return call.picture == "running line"; });
    EXPECT_TRUE(drawn != pictures.end() && !drawn->picture_missing);
    return drawn != pictures.end() ? drawn->box.left : 0;
  };
  const int left = running_left();
  ASSERT_TRUE(ProcessEventsUntil([&] { return strip->travelled() > 0; }));
  EXPECT_LT(running_left(), left);

  // Behind another screen the line stands and wakes nothing; in front again it runs on.
  main_->hide();
  EXPECT_FALSE(strip->HasTimer(CTickerMarqueeDlg::kTimerMove));
  const long long stood = strip->travelled();
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(400));
  EXPECT_EQ(strip->travelled(), stood);
  main_->show();
  ASSERT_TRUE(ProcessEventsUntil([&] { return strip->travelled() > stood; }));
}

// Back and the right soft key ask first; the question and its answers are TerminalCloseTest's.
TEST_F(MainScreenTest, BackAndTheRightSoftKeyAskBeforeTheProgramEnds) {
  OpenToMenu();
  prompter_.QueueAnswer(PromptAnswer::kNo);
  main_->SendKey(kKeySoftRight);
  EXPECT_TRUE(results_.empty());
  prompter_.QueueAnswer(PromptAnswer::kYes);
  main_->SendKey(kKeyBack);
  EXPECT_EQ(prompter_.asked().size(), 2u);
  EXPECT_EQ(results_, std::vector<MainResult>{MainResult::kOk});
}

// Typed characters open the code keyboard over the menu, and while it is up it holds the keys: the
// soft-key bar names its "确定" and "关闭", a tap on the bar's left half confirms the typed code
// rather than opening the menu's cell, and a confirm while the progress window shows keeps the
// text and the keyboard for a later one.
TEST_F(MainScreenTest, TheCodeKeyboardHoldsTheKeysAndTheSoftKeyBarWhileItIsUp) {
  OpenToMenu();
  for (const KeyCode key : {KeyCode{'6'}, KeyCode{'0'}}) frame_.SendKey(key);
  CDlgKeyBoard& keyboard = *main_->keyboard();
  ASSERT_TRUE(keyboard.isVisible());
  EXPECT_EQ(keyboard.entry().text(), u"60");
  RecordingCanvas canvas(Size{240, 320});
  frame_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"确定") && canvas.FindText(u"关闭"));

  progress_.show();
  testing::PressAt(frame_, 10, 310);
  EXPECT_TRUE(keyboard.isVisible());
  EXPECT_EQ(keyboard.entry().text(), u"60");
  progress_.hide();
  testing::PressAt(frame_, 10, 310);
  EXPECT_FALSE(keyboard.isVisible());
  ASSERT_TRUE(ProcessEventsUntil([&] { return !prompter_.asked().empty(); }));
  EXPECT_EQ(prompter_.asked()[0].text, u"“沪深A股”该功能尚未开通") << "the typed 60, not the menu's first cell";
  EXPECT_EQ(frame_.current_screen(), main_.get()) << "a target without a screen leaves the menu in front";
}

// A screen's exchange holds navigation from the moment it asks for the progress window, but the
// strip comes up only for an exchange that outlasts a tenth of a second: one that ends sooner
// neither shows it nor lets a tap in between open another screen.
TEST_F(MainScreenTest, TheBusyStripWaitsOutAQuickExchangeButNavigationWaitsAtOnce) {
  OpenToMenu();
  const unsigned hidden = progress_.times_hidden();
  main_->PostMessage(kMsgProgress, kBusyShow, kBusyFromScreen);
  main_->GoTo(kTargetQuoteList, -60);
  main_->PostMessage(kMsgProgress, kBusyHide, kBusyFromScreen);
  ProcessEventsUntil([] { return false; }, CDlgMain::kBusyStripDelay * 3);
  EXPECT_TRUE(prompter_.asked().empty()) << "the navigation asked for while busy is dropped";
  EXPECT_EQ(progress_.times_hidden(), hidden) << "the strip never came up";
  EXPECT_FALSE(main_->Navigating());

  main_->PostMessage(kMsgProgress, kBusyShow, kBusyFromScreen);
  ASSERT_TRUE(ProcessEventsUntil([&] { return progress_.isVisible(); }));
  main_->PostMessage(kMsgProgress, kBusyHide, kBusyFromScreen);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !main_->Navigating(); }));
  EXPECT_TRUE(progress_.isHidden());
}

// A start-up that fails while the exit question is open ends the screen, and the terminal destroys
// it before the answer comes; the Yes still ends the program, without touching the dead screen.
TEST_F(MainScreenTest, AnExitQuestionOutlivingTheScreenStillEndsTheProgram) {
  struct FailingStartupMeanwhile : ScriptedPrompter {
    std::function<void()> meanwhile;
    PromptAnswer MessageBox(std::u16string_view text, std::u16string_view caption, PromptButtons buttons) override {
      if (meanwhile) std::exchange(meanwhile, nullptr)();
      return ScriptedPrompter::MessageBox(text, caption, buttons);
    }
  } prompter;
  InstallPrompter(&prompter);
  Open();
  prompter.meanwhile = [this] {
    startup_.Release(false);
    ProcessEventsUntil([&] { return !results_.empty(); });
    main_.reset();
  };
  prompter.QueueAnswer(PromptAnswer::kYes);
  frame_.SendKey(kKeyBack);
  InstallPrompter(&prompter_);
  EXPECT_EQ(results_, (std::vector<MainResult>{MainResult::kCancel, MainResult::kOk}));
}

// The menu shows as soon as the network is up; the probe, the login with the version check and the
// registration run behind it. A compulsory update the check found is asked about once, even when
// it came after the menu's own check (the seventh tick of timer 65536), and opens the page and ends
// the program even on No. (A plain update answered No is AccountWalk's.)
TEST_F(MainScreenTest, TheStartupExchangesRunBehindTheMenuAndALateCompulsoryUpdateEndsTheProgram) {
  RecordingAddressOpener addresses;
  InstallAddressOpener(&addresses);
  update_ = StartupUpdate{u"新版本\r\n", u"http://dl/", true};
  server_choice_.Hold();
  OpenToMenu();
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(1600));  // the menu's update check is over
  EXPECT_TRUE(prompter_.asked().empty());
  EXPECT_FALSE(main_->startup_over());
  server_choice_.Release(true);
  ASSERT_TRUE(ProcessEventsUntil([&] { return main_->startup_over(); }));
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(300));
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"新版本\r\n");
  EXPECT_FALSE(results_.empty());
  main_.reset();
  EXPECT_EQ(steps_, (std::vector<std::string>{"register", "redial"}));
  EXPECT_EQ(addresses.opened(), std::vector<std::u16string>{u"http://dl/"});
  InstallAddressOpener(nullptr);
}

}  // namespace
}  // namespace tarvello
