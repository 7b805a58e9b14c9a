#include "shell/main_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "market/display_colours.h"
#include "platform/address_opener.h"
#include "platform/device_frame.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "protocol/container_writer.h"
#include "protocol/wire_writer.h"
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
  MainScreenTest() { InstallPrompter(&prompter_); }
  ~MainScreenTest() override {
    main_.reset();
    InstallPrompter(nullptr);
  }

  MainScreenParts Parts() {
    MainScreenParts parts;
    parts.frame = &frame_;
    parts.progress = &progress_;
    parts.exchange = [this](std::span<const std::uint8_t>, std::span<std::uint8_t> answer) {
      ++exchanges_;
      if (reply_.empty() || reply_.size() > answer.size()) return 0;
      std::copy(reply_.begin(), reply_.end(), answer.begin());
      return static_cast<int>(reply_.size());
    };
    parts.folder = folder_.path();
    parts.login_placeholder = u"ppc";
    parts.connection_notice = [this] { return notice_; };
    parts.network_startup = [this] { return startup_.Run(); };
    parts.register_device = [this] { steps_.push_back("register"); };
    parts.allow_redial = [this] { steps_.push_back("redial"); };
    parts.cancel_exchange = [this] { startup_.Release(false); };
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

  void Navigate(int target, int argument) {
    main_->PostMessage(kMsgNavigate, target, argument);
    ProcessEventsUntil([&] { return !progress_.isHidden(); }, std::chrono::milliseconds(200));
    ASSERT_TRUE(ProcessEventsUntil([&] { return progress_.isHidden(); }));
  }

  // The cell painted with a fill of its own rectangle: the highlighted one.
  std::vector<int> HighlightedCells() {
    RecordingCanvas canvas(Size{main_->width(), main_->height()});
    main_->PaintOn(canvas);
    std::vector<int> cells;
    for (const DrawCall& call : canvas.CallsOf(DrawCall::Kind::kFill)) {
      for (int cell = 0; cell < kMenuCells; ++cell) {
        if (call.box == main_->menu_cells()[cell]) cells.push_back(cell);
      }
    }
    return cells;
  }

  testing::QtApp app_;
  testing::TempFolder folder_;
  ScriptedPrompter prompter_;
  DeviceFrame frame_{Size{240, 320}};
  CDlgFlag progress_{ProgressHooks{}, &frame_};
  HeldStartup startup_;
  std::atomic<int> exchanges_{0};
  Bytes reply_;  // what every exchange answers; set before the screen opens
  std::vector<std::string> steps_;  // written on the start-up thread, read after it is joined
  std::vector<MainResult> results_;
  AccountSession session_;
  StartupUpdate update_;  // offered after the login when it has a question
  std::u16string notice_;  // what the connection notice hook says
  std::unique_ptr<CDlgMain> main_;
};

TEST_F(MainScreenTest, AStartedNetworkLeadsThroughLoginToTheMenuAndRegistersBeforeRedialIsAllowed) {
  Open();
  EXPECT_FALSE(progress_.isHidden());
  EXPECT_EQ(progress_.state().text(), u"正在初始化网络...");
  startup_.Release(true);
  ASSERT_TRUE(ProcessEventsUntil([&] { return main_->menu_shown(); }));
  EXPECT_TRUE(progress_.isHidden());
  EXPECT_GE(exchanges_.load(), 1) << "the login goes out before the menu";
  EXPECT_TRUE(results_.empty());
  main_.reset();
  EXPECT_EQ(steps_, (std::vector<std::string>{"register", "redial"}));
}

TEST_F(MainScreenTest, ANetworkThatCannotBeBroughtUpEndsWithCancelAndNeverRegisters) {
  Open();
  startup_.Release(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !results_.empty(); }));
  EXPECT_EQ(results_, std::vector<MainResult>{MainResult::kCancel});
  EXPECT_FALSE(main_->menu_shown());
  main_.reset();
  EXPECT_TRUE(steps_.empty());
}

TEST_F(MainScreenTest, ClosingDuringTheStartupWakesTheStartupAndReturns) {
  Open();
  main_.reset();  // the start-up thread waits until cancel_exchange releases it
  EXPECT_TRUE(results_.empty());
  EXPECT_TRUE(steps_.empty());
}

// The twelve cells tile the screen above the ticker bar, each with its icon over its name; the
// keypad moves the highlight (the wrapping itself is MenuCellsTest's).
TEST_F(MainScreenTest, TheMenuPaintsEachCellsIconAndNameAboveTheTickerBarAndHighlightsTheSelection) {
  OpenToMenu();
  const auto& cells = main_->menu_cells();
  EXPECT_EQ(cells[1].left, cells[0].right);
  EXPECT_EQ(cells[3].top, cells[0].bottom);
  EXPECT_EQ(cells[2].Width(), main_->width() / 3);

  RecordingCanvas canvas(Size{main_->width(), main_->height()});
  main_->PaintOn(canvas);
  const std::u16string labels[kMenuCells] = {u"我的自选", u"大盘指数", u"资金流向", u"自选股",
                                             u"涨跌排行", u"板块追踪", u"最近浏览", u"资讯必读",
                                             u"股指期货", u"委托交易", u"系统设置", u"使用帮助"};
  std::vector<DrawCall> icons = canvas.CallsOf(DrawCall::Kind::kPicture);
  for (int cell = 0; cell < kMenuCells; ++cell) {
    SCOPED_TRACE(cell);
    const Rect& box = cells[cell];
    std::optional<DrawCall> label = canvas.FindText(labels[cell]);
    ASSERT_TRUE(label.has_value());
    EXPECT_GE(label->box.left, box.left);
    EXPECT_LE(label->box.bottom, box.bottom);
    const std::string name = "Picture/Menu" + std::to_string(cell) + ".png";
    auto icon = std::find_if(icons.begin(), icons.end(), [&](const DrawCall& c) { return c.picture == name; });
    ASSERT_NE(icon, icons.end());
    EXPECT_GE(icon->box.top, box.top);
    EXPECT_LE(icon->box.bottom, label->box.top);
    EXPECT_EQ(icon->box.Width(), icon->box.Height()) << "icons keep their shape";
  }
  // Each refresh toggles which index shows, so either label may be the one painted.
  std::optional<DrawCall> index = canvas.FindText(u"沪");
  if (!index) index = canvas.FindText(u"深");
  ASSERT_TRUE(index.has_value());
  EXPECT_EQ(index->box.bottom, main_->height());
  EXPECT_GE(index->box.top, cells[11].bottom);

  EXPECT_EQ(HighlightedCells(), std::vector<int>{0});
  main_->SendKey(kKeyUp);
  main_->SendKey(kKeyRight);
  EXPECT_EQ(HighlightedCells(), std::vector<int>{10});
}

// Enter, the left soft key and a posted navigation all open the screen of their target under
// its title; the main menu target brings the menu back.
TEST_F(MainScreenTest, EnterTheLeftSoftKeyAndAPostedRequestOpenTheirScreenWithItsTitle) {
  const struct {
    const char* scenario;
    std::vector<KeyCode> keys;
    NavigationRequest posted;  // sent when there are no keys
    int target;
    int argument;
    std::u16string_view title;
  } cases[] = {
      {"enter on settings", {kKeyLeft, kKeyLeft, kKeyEnter}, {}, kTargetSettings, -2, u"系统设置"},
      {"soft key on help", {kKeyLeft, kKeySoftLeft}, {}, kTargetMenuPage, 18, u"使用帮助"},
      {"the account argument of the list target", {}, {kTargetQuoteList, kTargetLogin}, kTargetLogin, 0,
       u"用户注册/登录"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    OpenToMenu();
    EXPECT_EQ(main_->SoftKeys(), (SoftKeyCaptions{u"进入", u"退出"}));
    std::vector<int> opened;
    Window screen;
    main_->RegisterScreen(c.target, [&](int argument) {
      opened.push_back(argument);
      return &screen;
    });
    if (c.keys.empty()) {
      Navigate(c.posted.target, c.posted.argument);
    } else {
      for (const KeyCode key : c.keys) main_->SendKey(key);
      ASSERT_TRUE(ProcessEventsUntil([&] { return !opened.empty() && progress_.isHidden(); }));
      EXPECT_EQ(opened, std::vector<int>{c.argument});
    }
    EXPECT_EQ(frame_.current_screen(), &screen);
    EXPECT_EQ(frame_.title(), c.title);
    Navigate(kTargetMainMenu, 0);
    EXPECT_EQ(frame_.current_screen(), main_.get());
    EXPECT_EQ(frame_.title(), u"Tarvello");
    main_.reset();
  }
}

TEST_F(MainScreenTest, ANavigationRequestWhileTheProgressWindowShowsIsDropped) {
  int opened = 0;
  OpenToMenu();
  Window settings;
  main_->RegisterScreen(kTargetSettings, [&](int) {
    ++opened;
    return &settings;
  });
  main_->PostMessage(kMsgProgress, kBusyShow, 0);
  main_->PostMessage(kMsgNavigate, kTargetSettings, -2);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !progress_.isHidden(); }));
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(frame_.current_screen(), main_.get());

  main_->PostMessage(kMsgProgress, kBusyHide, 0);
  ASSERT_TRUE(ProcessEventsUntil([&] { return progress_.isHidden(); }));
  Navigate(kTargetSettings, -2);
  EXPECT_EQ(opened, 1);
  frame_.ShowScreen(main_.get());
}

TEST_F(MainScreenTest, ATargetWithoutAScreenSaysSoAndLeavesTheMenuInFront) {
  OpenToMenu();
  Navigate(kTargetBrokers, 0);
  EXPECT_EQ(frame_.current_screen(), main_.get());
  EXPECT_TRUE(progress_.isHidden());
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"“委托交易”该功能尚未开通");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
  EXPECT_EQ(prompter_.asked()[0].buttons, PromptButtons::kOk);

  Navigate(kTargetMainMenu, 0);
  EXPECT_EQ(prompter_.asked().size(), 1u) << "the main menu is always there";
}

TEST_F(MainScreenTest, TheTickerBarRunsTheWelcomeTextAndTheRunningMessage) {
  ContainerWriter login;
  login.AddPlain(2906, WireWriter().U8(0).I32(1).Take());
  login.AddPlain(2901, WireWriter().I32(7).Utf8(u"今日休市").Take());
  reply_ = login.Finish();
  OpenToMenu();
  ASSERT_FALSE(main_->running_message().empty());
  RecordingCanvas canvas(Size{main_->width(), main_->height()});
  main_->PaintOn(canvas);
  std::optional<DrawCall> line;
  for (const DrawCall& text : canvas.Texts()) {
    if (text.text.find(u"今日休市") != std::u16string::npos) line = text;
  }
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ(line->text.rfind(CDlgMain::kWelcomeText, 0), 0u);
  ASSERT_TRUE(line->clip.has_value()) << "the line stays inside its part of the bar";
  EXPECT_EQ(line->clip->bottom, main_->height());
  EXPECT_GE(line->clip->top, main_->menu_cells()[11].bottom);
  EXPECT_EQ(line->clip->right, main_->width());
  EXPECT_EQ(line->color, kVolumeYellow);

  const int left = line->box.left;
  ASSERT_TRUE(ProcessEventsUntil([&] {
    canvas.Clear();
    main_->PaintOn(canvas);
    for (const DrawCall& text : canvas.Texts()) {
      if (text.text == line->text) return text.box.left < left;
    }
    return false;
  }, std::chrono::seconds(2))) << "the line moves";
}

// While no server answers the bar says so in place of the index, whose figures would look live.
TEST_F(MainScreenTest, TheTickerBarShowsTheConnectionNoticeInsteadOfTheIndex) {
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
}

// Back and the right soft key ask first; only Yes ends the program. Before the menu the left
// soft key has nothing to enter.
TEST_F(MainScreenTest, ExitAsksFirstAndEndsOnlyOnYes) {
  Open();
  EXPECT_EQ(main_->SoftKeys(), (SoftKeyCaptions{u"", u"退出"}));
  startup_.Release(true);
  ASSERT_TRUE(ProcessEventsUntil([&] { return main_->menu_shown(); }));
  prompter_.QueueAnswer(PromptAnswer::kNo);
  main_->SendKey(kKeySoftRight);
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, CDlgMain::kExitQuestion);
  EXPECT_EQ(prompter_.asked()[0].caption, u"Tarvello");
  EXPECT_EQ(prompter_.asked()[0].buttons, PromptButtons::kYesNo);
  EXPECT_TRUE(results_.empty());

  prompter_.QueueAnswer(PromptAnswer::kYes);
  main_->SendKey(kKeyBack);
  EXPECT_EQ(prompter_.asked().size(), 2u);
  EXPECT_EQ(results_, std::vector<MainResult>{MainResult::kOk});
}

// The start-up login keeps its rights word; the start-up check's update is asked about once, on
// the seventh tick of timer 65536: No keeps the program, a compulsory update opens the page anyway
// and ends it.
TEST_F(MainScreenTest, TheStartupUpdateIsAskedOnceAndACompulsoryOneEndsTheProgram) {
  RecordingAddressOpener addresses;
  InstallAddressOpener(&addresses);
  ContainerWriter login;
  login.AddPlain(2906, WireWriter().U8(0).I32(6).Take());
  reply_ = login.Finish();
  for (const bool compulsory : {false, true}) {
    update_ = StartupUpdate{u"新版本\r\n", u"http://dl/", compulsory};
    results_.clear();
    prompter_ = ScriptedPrompter();
    OpenToMenu();
    EXPECT_EQ(session_.rights(), 6);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !prompter_.asked().empty(); }, std::chrono::seconds(15)));
    EXPECT_EQ(prompter_.asked()[0].text, u"新版本\r\n");
    EXPECT_EQ(prompter_.asked()[0].caption, u"更新");
    ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(prompter_.asked().size(), 1u);
    EXPECT_EQ(results_.empty(), !compulsory);
    main_.reset();
  }
  EXPECT_EQ(addresses.opened(), std::vector<std::u16string>{u"http://dl/"});
  InstallAddressOpener(nullptr);
}

}  // namespace
}  // namespace tarvello
