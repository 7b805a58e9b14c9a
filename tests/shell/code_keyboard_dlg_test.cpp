// The code keyboard window: "确定" on an empty line asks for a code, and a hardware keyboard types,
// deletes and confirms.
#include "shell/code_keyboard_dlg.h"

#include <gtest/gtest.h>


#include <QApplication>
#include <QKeyEvent>

#include "base/text_metrics.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "shell/keyboard_keys.h"
#include "support/recording_navigator.h"

namespace tarvello {
namespace {

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

}  // namespace
}  // namespace tarvello
