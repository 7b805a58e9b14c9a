// The shell's small screens: the progress window's cancel and animation, the start dialog, the
// code keyboard window and the list screen's server list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "shell/code_keyboard_dlg.h"
#include "shell/keyboard_keys.h"
#include "shell/list_screen_dlg.h"
#include "shell/progress_dlg.h"
#include "shell/start_dlg.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

class ProgressDlgTest : public ::testing::Test {
 protected:
  ProgressDlgTest() { dlg_.resize(480, 27); }
  void Tap(int x) { testing::PressAt(dlg_, x, 10); }

  testing::QtApp app_;
  int cancels_ = 0;
  std::vector<Message> posted_;
  CDlgFlag dlg_{ProgressHooks{[this] { ++cancels_; }, nullptr,
                              [this](const Message& m) { posted_.push_back(m); }}};
};

TEST_F(ProgressDlgTest, OnlyATapInTheCancelAreaOfACancellableFormCancels) {
  dlg_.SetForm(ProgressForm::kBusy);
  Tap(100);
  EXPECT_EQ(cancels_, 0);
  Tap(470);
  EXPECT_EQ(cancels_, 1);
  EXPECT_EQ(posted_, (std::vector<Message>{{2032, 0, -1}}));
  EXPECT_TRUE(dlg_.Reset());

  dlg_.SetForm(ProgressForm::kDialling);
  Tap(470);
  EXPECT_EQ(cancels_, 1);
}

TEST_F(ProgressDlgTest, AnimatesWhileShownAndPausesWhenHidden) {
  dlg_.show();
  EXPECT_FALSE(dlg_.state().paused());
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return dlg_.state().step() >= 2; }));
  dlg_.hide();
  EXPECT_TRUE(dlg_.state().paused());
}

class StartDialogTest : public ::testing::Test {
 protected:
  testing::QtApp app_;
  std::vector<std::string> chosen_;
  CStartDlg dialog_{StartChoices{[this](int carrier) { chosen_.push_back("dial " + std::to_string(carrier)); },
                                 [this] { chosen_.push_back("no dial"); },
                                 [this] { chosen_.push_back("exit"); }}};
};

TEST_F(StartDialogTest, EachButtonReportsItsChoiceWithTheSelectedCarrier) {
  dialog_.resize(240, 296);
  EXPECT_EQ(dialog_.carrier(), 0) << "China Mobile comes first";
  dialog_.Press(0);
  dialog_.SelectCarrier(2);
  dialog_.Press(0);
  dialog_.Press(1);
  dialog_.Press(2);
  EXPECT_EQ(chosen_, (std::vector<std::string>{"dial 0", "dial 2", "no dial", "exit"}));
}

TEST(StartChoiceListsTest, SelectionsAreKeptPerList) {
  StartChoiceLists lists;
  lists.Select(2);
  lists.Toggle(StartChoiceLists::List::kAccessPoints);
  EXPECT_EQ(lists.selected(), 0);
  lists.Select(1);
  lists.Select(5);  // outside the two access points: ignored
  lists.Toggle(StartChoiceLists::List::kServers);
  EXPECT_EQ(lists.shown(), StartChoiceLists::List::kServers);
  lists.Toggle(StartChoiceLists::List::kServers);
  EXPECT_EQ(lists.carrier(), 2);
  EXPECT_EQ(lists.Selected(StartChoiceLists::List::kAccessPoints), 1);
  EXPECT_EQ(StartChoiceLists::Items(StartChoiceLists::List::kServers).front(), u"移动服务器");
}

// The code keyboard window: "确定" on an empty line asks for a code, and a hardware keyboard types,
// deletes and confirms.

// Touches the key with the caption, as the stylus would.
void Touch(CDlgKeyBoard& keyboard, std::u16string_view caption) {
  for (const KeyboardKey& key : KeyboardKeys()) {
    if (key.caption != caption) continue;
    const Rect box = KeyRect(key, keyboard.KeyArea());
    testing::PressAt(keyboard, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return;
  }
  ADD_FAILURE() << "no key " << std::string(caption.begin(), caption.end());
}

class CodeKeyboardTest : public ::testing::Test {
 protected:
  CodeKeyboardTest() {
    SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
    InstallPrompter(&prompter_);
    keyboard_.resize(240, CDlgKeyBoard::HeightNeeded());
  }
  ~CodeKeyboardTest() override { InstallPrompter(nullptr); }

  testing::QtApp app_;
  ScriptedPrompter prompter_;
  testing::RecordingNavigator navigator_;
  CDlgKeyBoard keyboard_{navigator_};
};

TEST_F(CodeKeyboardTest, EmptyTextAsksForACodeAndGoesNowhere) {
  keyboard_.Show(nullptr);
  Touch(keyboard_, u"确定");
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"请输入代码");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
  EXPECT_TRUE(navigator_.visits.empty());
  EXPECT_TRUE(keyboard_.isVisible());
}

TEST_F(CodeKeyboardTest, AHardwareKeyboardTypesDeletesAndConfirms) {
  keyboard_.Show(nullptr);
  for (const Qt::Key key : {Qt::Key_6, Qt::Key_1, Qt::Key_9, Qt::Key_Backspace, Qt::Key_Enter}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&keyboard_, &press);
  }
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1126, -61}}));
  keyboard_.Show(nullptr);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&keyboard_, &escape);
  EXPECT_FALSE(keyboard_.isVisible());
}

// The list screen's manual server list with its paging and its server switch. (Search results and
// their single-result shortcut are walked end to end.)

// A 240x270 screen with 27-pixel rows: the bar at 243 and the paging line at 216, so a page holds
// eight servers.
TEST(ListScreenTest, ServerRowsPageAndATapSwitchesToTheRowsServer) {
  testing::QtApp app;
  SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const std::shared_ptr<void> uninstall(nullptr, [](void*) { InstallPrompter(nullptr); });
  testing::RecordingNavigator navigator;
  testing::ScriptedServer server;
  std::atomic<int> chosen{-1};
  ListScreenParts parts;
  parts.exchange = server.Function();
  parts.navigator = &navigator;
  parts.searchText = [] { return std::u16string(u"600"); };
  parts.serverText = [] { return std::u16string(u"127.0.0.1:2860"); };
  for (int row = 0; row < 25; ++row) parts.serverRows.push_back(u"10.0.0." + std::u16string(1, u'a' + row) + u":开发专线");
  parts.chooseServer = [&](int row) { chosen = row; };
  CDlgList list(std::move(parts));
  list.resize(240, 270);
  EXPECT_FALSE(list.Open(1));
  ASSERT_TRUE(list.Open(2));
  EXPECT_EQ(list.view()->items, std::vector<std::u16string>{u"127.0.0.1:2860"});

  ASSERT_TRUE(list.Open(3));
  EXPECT_EQ(list.view()->items.size(), 25u);
  EXPECT_EQ(list.Pages().rows_per_page(), 8);
  RecordingCanvas canvas(Size{240, 270});
  list.PaintOn(canvas);
  EXPECT_TRUE(canvas.DrewText(u"(1/4)", kPlainWhite));
  EXPECT_FALSE(canvas.DrewText(u"首页", kPlainWhite));
  EXPECT_TRUE(canvas.DrewText(u"下翻", kPlainWhite));
  EXPECT_FALSE(canvas.FindText(u"股票代码").has_value());

  const int paging = 270 - 27 - 10;
  testing::PressAt(list, 48 * 3 + 10, paging);  // "尾页", the fourth of five parts
  EXPECT_EQ(list.page(), 3);
  testing::PressAt(list, 48 + 10, paging);  // "上翻"
  EXPECT_EQ(list.page(), 2);
  testing::PressAt(list, 60, 10);  // the first row of the third page: row 16
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !prompter.asked().empty(); }));
  EXPECT_EQ(chosen.load(), 16);
  EXPECT_EQ(list.selected(), 16);
  EXPECT_EQ(prompter.asked()[0].text, u"当前服务器为: 10.0.0.q");
  EXPECT_EQ(prompter.asked()[0].caption, u"提示");
}

}  // namespace
}  // namespace tarvello
