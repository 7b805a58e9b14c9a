#include "platform/device_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "base/text_metrics.h"
#include "platform/recording_canvas.h"
#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

class DeviceFrameTest : public ::testing::Test {
 protected:
  DeviceFrameTest() { SetSharedTextMetrics(TextMetrics{16, 2, 8, 16}); }

  testing::QtApp app_;
  DeviceFrame frame_{Size{240, 320}};
  testing::TestScreen first_;
  testing::TestScreen second_;
};

TEST_F(DeviceFrameTest, CaptionShowsTheTitleAndTheBottomBarTheSoftKeysOfTheScreenInFront) {
  frame_.SetTitle(u"自选股");
  first_.captions = {u"菜单", u"返回"};
  frame_.ShowScreen(&first_);
  RecordingCanvas canvas(Size{240, 320});
  frame_.PaintOn(canvas);
  auto title = canvas.FindText(u"自选股");
  ASSERT_TRUE(title.has_value());
  EXPECT_EQ(title->box.top, 0);
  EXPECT_EQ(title->box.bottom, 27);
  EXPECT_EQ(title->color, kWhite);
  auto left = canvas.FindText(u"菜单");
  auto right = canvas.FindText(u"返回");
  ASSERT_TRUE(left && right);
  EXPECT_EQ(left->box, (Rect{0, 293, 120, 320}));
  EXPECT_EQ(right->box, (Rect{120, 293, 240, 320}));
  auto pictures = canvas.CallsOf(DrawCall::Kind::kPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].picture, "Picture/back.jpg");

  // The next screen brings its own captions; a screen that changes them has the frame repaint.
  second_.captions = {u"", u"退出"};
  frame_.ShowScreen(&second_);
  second_.ChangeSoftKeys({u"进入", u"退出"});
  canvas.Clear();
  frame_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"进入").has_value());
  EXPECT_FALSE(canvas.FindText(u"菜单").has_value());
}

TEST_F(DeviceFrameTest, TheCloseButtonAsksTheHandlerAndTheWindowStaysOpen) {
  frame_.show();
  QCloseEvent unhandled;
  QApplication::sendEvent(&frame_, &unhandled);
  EXPECT_TRUE(unhandled.isAccepted()) << "without a handler the window closes";

  frame_.show();
  int asked = 0;
  frame_.SetCloseHandler([&] { ++asked; });
  QCloseEvent close;
  QApplication::sendEvent(&frame_, &close);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_TRUE(frame_.isVisible());
}

TEST_F(DeviceFrameTest, OneScreenAtATimeAndKeysAndSoftKeyTapsReachIt) {
  frame_.ShowScreen(&first_);
  frame_.ShowScreen(&second_);
  EXPECT_EQ(frame_.current_screen(), &second_);
  EXPECT_TRUE(first_.isHidden());

  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&frame_, &down);
  testing::PressAt(frame_, 10, 310);
  testing::PressAt(frame_, 200, 310);
  testing::PressAt(frame_, 200, 10);  // the caption bar is not a key
  std::vector<KeyCode> expected = {kKeyDown, kKeySoftLeft, kKeySoftRight};
  EXPECT_EQ(second_.keys, expected);
  EXPECT_TRUE(first_.keys.empty());
}

}  // namespace
}  // namespace tarvello
