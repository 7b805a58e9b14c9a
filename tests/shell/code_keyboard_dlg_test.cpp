// The code keyboard window: keys touched with the pen and typed on a hardware keyboard, what
// "确定" asks the navigator for, and the short-spell hand-over through the main screen.
#include "shell/code_keyboard_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/device_frame.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "shell/keyboard_keys.h"
#include "shell/main_dlg.h"
#include "shell/progress_dlg.h"
#include "support/recording_navigator.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

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

TEST_F(CodeKeyboardTest, ConfirmOpensShortcutsAndSearchesForAnythingElse) {
  const struct {
    std::vector<std::u16string_view> keys;
    NavigationRequest visit;
    const char* current;  // the security made current first, if any
    std::u16string_view search;
  } cases[] = {
      {{u"600", u"0", u"3", u"6", u"9"}, {1135, 0}, "", u"600036"},
      {{u"0", u"3"}, {1129, -3}, "SH000001", u""},
      {{u"P", u"F", u"Y", u"H"}, {1135, 0}, "", u"PFYH"},
  };
  for (const auto& c : cases) {
    navigator_.visits.clear();
    navigator_.SetCurrentSecurity(SecurityCode());
    keyboard_.Show(nullptr);
    for (const std::u16string_view key : c.keys) Touch(keyboard_, key);
    Touch(keyboard_, u"确定");
    EXPECT_EQ(navigator_.visits, std::vector<NavigationRequest>{c.visit});
    EXPECT_EQ(navigator_.CurrentSecurity(), SecurityCode::FromAscii(c.current));
    if (!c.search.empty()) {
      EXPECT_EQ(keyboard_.search_text(), c.search);
    }
    EXPECT_FALSE(keyboard_.isVisible());
    EXPECT_EQ(keyboard_.entry().text(), u"");
  }
  EXPECT_TRUE(prompter_.asked().empty());
}

TEST_F(CodeKeyboardTest, EmptyTextAsksForACodeAndGoesNowhere) {
  keyboard_.Show(nullptr);
  Touch(keyboard_, u"确定");
  ASSERT_EQ(prompter_.asked().size(), 1u);
  EXPECT_EQ(prompter_.asked()[0].text, u"请输入代码");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
  EXPECT_TRUE(navigator_.visits.empty());
  EXPECT_TRUE(keyboard_.isVisible());
}

TEST_F(CodeKeyboardTest, TheTouchedKeyIsOutlinedAndTheLineShowsTheText) {
  keyboard_.Show(nullptr);
  Touch(keyboard_, u"300");
  RecordingCanvas canvas(Size{240, CDlgKeyBoard::HeightNeeded()});
  keyboard_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"300").has_value());
  EXPECT_TRUE(canvas.DrewText(u"确定", kPlainWhite));
  const std::vector<DrawCall> texts = canvas.Texts();
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const DrawCall& t) { return t.text == u"300"; }), 2)
      << "the key's caption and the edit line";
  const std::vector<DrawCall> outlines = canvas.CallsOf(DrawCall::Kind::kRectangle);
  ASSERT_FALSE(outlines.empty());
  EXPECT_EQ(outlines.back().pen.color, kVolumeYellow);
  const auto key = std::find_if(KeyboardKeys().begin(), KeyboardKeys().end(),
                                [](const KeyboardKey& k) { return k.caption == u"300"; });
  EXPECT_EQ(outlines.back().box, KeyRect(*key, keyboard_.KeyArea()));
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

// A screen that asked for initials.
class ScriptedReceiver : public ShortSpellReceiver {
 public:
  void OnShortSpell(std::u16string_view initials) override { received.emplace_back(initials); }
  std::vector<std::u16string> received;
};

TEST(MainScreenKeyboardTest, TheToggleShowsAndHidesAndShortSpellHandsTheInitialsToTheReceiver) {
  testing::QtApp app;
  SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
  DeviceFrame frame{Size{240, 320}};
  CDlgFlag progress{ProgressHooks{}, &frame};
  MainScreenParts parts;
  parts.frame = &frame;
  parts.progress = &progress;
  CDlgMain main(std::move(parts), &frame);
  frame.show();
  CDlgKeyBoard& keyboard = *main.keyboard();

  main.ToggleKeyboard();
  ASSERT_TRUE(ProcessEventsUntil([&] { return keyboard.isVisible(); }));
  EXPECT_FALSE(keyboard.entry().short_spell());
  EXPECT_GE(keyboard.geometry().top(), frame.ScreenArea().top);
  main.ToggleKeyboard();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !keyboard.isVisible(); }));

  ScriptedReceiver receiver;
  main.AskShortSpell(receiver);
  ASSERT_TRUE(ProcessEventsUntil([&] { return keyboard.isVisible(); }));
  EXPECT_TRUE(keyboard.entry().hint_shown());
  for (const std::u16string_view key : {u"A", u"J", u"Z", u"Q"}) Touch(keyboard, key);
  EXPECT_FALSE(keyboard.entry().hint_shown());
  Touch(keyboard, u"确定");
  EXPECT_EQ(receiver.received, std::vector<std::u16string>{u"AJZQ"});
  EXPECT_FALSE(keyboard.isVisible());
}

}  // namespace
}  // namespace tarvello
