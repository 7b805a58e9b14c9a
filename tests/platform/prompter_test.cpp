#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "platform/scripted_prompter.h"
#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

class PrompterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPrompter(&prompter_);
    screen_.resize(240, 320);
  }
  void TearDown() override { InstallPrompter(nullptr); }

  void PressKey(int qt_key) {
    QKeyEvent press(QEvent::KeyPress, qt_key, Qt::NoModifier);
    QApplication::sendEvent(&screen_, &press);
  }

  testing::QtApp app_;
  ScriptedPrompter prompter_;
  testing::TestScreen screen_;
};

// A scripted answer reaches the screen and the question is recorded; an unscripted one gets the
// cautious answer.
TEST_F(PrompterTest, ScriptedAnswersReachTheScreenAndUnscriptedOnesAreCautious) {
  prompter_.QueueAnswer(PromptAnswer::kYes);
  PressKey(Qt::Key_Return);
  EXPECT_EQ(screen_.last_answer, PromptAnswer::kYes);
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"确认要退出吗？");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
  EXPECT_EQ(prompter_.asked()[0].buttons, PromptButtons::kYesNo);
  PressKey(Qt::Key_Enter);
  EXPECT_EQ(screen_.last_answer, PromptAnswer::kNo);
  EXPECT_EQ(prompter_.MessageBox(u"a", u"b", PromptButtons::kOkCancel), PromptAnswer::kCancel);
  EXPECT_EQ(prompter_.MessageBox(u"a", u"b", PromptButtons::kOk), PromptAnswer::kOk);
}

TEST_F(PrompterTest, TapShowsTheMenuWithCheckMarksAndSubMenuAndTakesTheScriptedChoice) {
  prompter_.QueueMenuChoice(9);
  testing::PressAt(screen_, 30, 40);
  EXPECT_EQ(screen_.last_command, 9u);
  ASSERT_EQ(prompter_.asked().size(), 1u);
  const Prompt& menu = prompter_.asked()[0];
  EXPECT_EQ(menu.kind, Prompt::Kind::kMenu);
  ASSERT_EQ(menu.items.size(), 2u);
  EXPECT_EQ(menu.items[0].text, u"刷新");
  ASSERT_EQ(menu.items[1].submenu.size(), 2u);
  EXPECT_TRUE(menu.items[1].submenu[0].checked);
  EXPECT_FALSE(menu.items[1].submenu[1].checked);
  QPoint global = screen_.mapToGlobal(QPoint(30, 40));
  EXPECT_EQ(menu.placement.at, (Point{global.x(), global.y()}));
  const QRect screen = screen_.window()->geometry();
  EXPECT_EQ(menu.placement.screen.Width(), screen.width()) << "kept inside the device's screen";

  testing::PressAt(screen_, 1, 1);  // nothing scripted: dismissed
  EXPECT_EQ(screen_.last_command, 0u);
}

}  // namespace
}  // namespace tarvello
