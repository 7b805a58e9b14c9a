#include "shell/main_dlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/device_frame.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "shell/progress_dlg.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

// A network start-up that waits until it is released or cancelled, as a slow probe would.
class HeldStartup {
 public:
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
    parts.exchange = [this](std::span<const std::uint8_t>, std::span<std::uint8_t>) {
      ++exchanges_;
      return 0;
    };
    parts.folder = folder_.path();
    parts.login_placeholder = u"ppc";
    parts.network_startup = [this] { return startup_.Run(); };
    parts.register_device = [this] { steps_.push_back("register"); };
    parts.allow_redial = [this] { steps_.push_back("redial"); };
    parts.cancel_exchange = [this] { startup_.Release(false); };
    parts.on_end = [this](MainResult result) { results_.push_back(result); };
    return parts;
  }

  void Open() {
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
  std::vector<std::string> steps_;  // written on the start-up thread, read after it is joined
  std::vector<MainResult> results_;
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

TEST_F(MainScreenTest, KeypadMovesTheHighlightAndWrapsAtTheEdges) {
  OpenToMenu();
  EXPECT_EQ(HighlightedCells(), std::vector<int>{0});
  main_->SendKey(kKeyUp);
  EXPECT_EQ(main_->selected_cell(), 9);
  main_->SendKey(kKeyRight);
  main_->SendKey(kKeyRight);
  main_->SendKey(kKeyRight);
  EXPECT_EQ(main_->selected_cell(), 0);
  main_->SendKey(kKeyLeft);
  EXPECT_EQ(main_->selected_cell(), 11);
  main_->SendKey(kKeyDown);
  EXPECT_EQ(main_->selected_cell(), 2);
  EXPECT_EQ(HighlightedCells(), std::vector<int>{2});
}

TEST_F(MainScreenTest, MenuCellsTileTheScreenAboveTheTickerBar) {
  OpenToMenu();
  const auto& cells = main_->menu_cells();
  EXPECT_EQ(cells[0].left, 0);
  EXPECT_EQ(cells[0].top, 0);
  EXPECT_EQ(cells[1].left, cells[0].right);
  EXPECT_EQ(cells[3].top, cells[0].bottom);
  EXPECT_EQ(cells[2].Width(), main_->width() / 3);

  RecordingCanvas canvas(Size{main_->width(), main_->height()});
  main_->PaintOn(canvas);
  // Each refresh toggles which index shows, so either label may be the one painted.
  std::optional<DrawCall> label = canvas.FindText(u"沪");
  if (!label) label = canvas.FindText(u"深");
  ASSERT_TRUE(label.has_value());
  EXPECT_EQ(label->box.bottom, main_->height());
  EXPECT_GE(label->box.top, cells[11].bottom);
}

TEST_F(MainScreenTest, EnterOpensTheSelectedCellsScreenWithItsTitle) {
  std::vector<int> opened;
  OpenToMenu();
  Window settings;
  main_->RegisterScreen(kTargetSettings, [&](int argument) {
    opened.push_back(argument);
    return &settings;
  });
  for (int i = 0; i < 2; ++i) main_->SendKey(kKeyLeft);  // cell 10: settings
  main_->SendKey(kKeyEnter);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !opened.empty() && progress_.isHidden(); }));
  EXPECT_EQ(opened, std::vector<int>{-2});
  EXPECT_EQ(frame_.current_screen(), &settings);
  EXPECT_EQ(frame_.title(), u"系统设置");

  Navigate(kTargetMainMenu, 0);
  EXPECT_EQ(frame_.current_screen(), main_.get());
  EXPECT_EQ(frame_.title(), u"Tarvello");
  frame_.ShowScreen(main_.get());
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

TEST_F(MainScreenTest, ATargetWithoutAScreenLeavesTheMenuInFront) {
  OpenToMenu();
  Navigate(kTargetBrokers, 0);
  EXPECT_EQ(frame_.current_screen(), main_.get());
  EXPECT_TRUE(progress_.isHidden());
}

TEST_F(MainScreenTest, ExitAsksFirstAndEndsOnlyOnYes) {
  OpenToMenu();
  prompter_.QueueAnswer(PromptAnswer::kNo);
  main_->SendKey(kKeyBack);
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, CDlgMain::kExitQuestion);
  EXPECT_EQ(prompter_.asked()[0].caption, u"Tarvello");
  EXPECT_EQ(prompter_.asked()[0].buttons, PromptButtons::kYesNo);
  EXPECT_TRUE(results_.empty());

  prompter_.QueueAnswer(PromptAnswer::kYes);
  main_->SendKey(kKeyBack);
  EXPECT_EQ(results_, std::vector<MainResult>{MainResult::kOk});
}

}  // namespace
}  // namespace tarvello
