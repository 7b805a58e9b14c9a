// The window kernel on Qt: messages and timers from workers, desktop keys and buttons, the cached
// image; the frame's caption, soft keys and key routing; and the tour's failure path.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTouchEvent>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <thread>
#include <vector>

#include "base/text_metrics.h"
#include "platform/device_frame.h"
#include "platform/recording_canvas.h"
#include "platform/screen_tour.h"
#include "platform/window.h"
#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen_.resize(240, 320);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
    QMouseEvent event(type, at, screen_.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&screen_, &event);
  }
  testing::QtApp app_;
  testing::TestScreen screen_;
};

TEST_F(WindowTest, MessagesPostedFromWorkersArriveOnTheUiThreadInEachWorkersOrder) {
  constexpr int kEach = 200;
  std::vector<std::thread> workers;
  for (int w = 0; w < 3; ++w) {
    workers.emplace_back([this, w] {
      for (int i = 0; i < kEach; ++i) screen_.PostMessage(2032 + w, i, 1126);
    });
  }
  for (auto& t : workers) t.join();
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.messages.size() == 3 * kEach; }));
  std::vector<std::intptr_t> next(3, 0);
  for (const Message& m : screen_.messages) {
    EXPECT_EQ(m.wparam, next[m.id - 2032]++);
    EXPECT_EQ(m.lparam, 1126);
  }
}

TEST_F(WindowTest, TimerSetFromAWorkerFiresOnTheUiThreadUntilKilled) {
  std::thread([this] { screen_.SetTimer(3001, 5); }).join();
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.ticks.size() >= 2; }));
  EXPECT_EQ(screen_.ticks[0], 3001u);
  std::thread([this] { screen_.KillTimer(3001); }).join();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !screen_.HasTimer(3001); }));
  std::size_t seen = screen_.ticks.size();
  QApplication::processEvents();
  EXPECT_EQ(screen_.ticks.size(), seen);
}

TEST_F(WindowTest, SettingATimerAgainRestartsItInsteadOfAddingASecond) {
  screen_.one_shot_timers = true;
  screen_.SetTimer(257, 10);
  screen_.SetTimer(257, 10);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !screen_.ticks.empty(); }));
  ASSERT_TRUE(ProcessEventsUntil([&] { return !screen_.HasTimer(257); }));
  QApplication::processEvents();
  EXPECT_EQ(screen_.ticks.size(), 1u);
}

TEST_F(WindowTest, DesktopKeysArriveAsHandheldKeys) {
  for (int qt_key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return,
                     Qt::Key_F1, Qt::Key_F2, Qt::Key_Escape, Qt::Key_6, Qt::Key_Tab}) {
    QKeyEvent press(QEvent::KeyPress, qt_key, Qt::NoModifier);
    QApplication::sendEvent(&screen_, &press);
  }
  std::vector<KeyCode> expected = {kKeyLeft,     kKeyUp,        kKeyRight, kKeyDown, kKeyEnter,
                                   kKeySoftLeft, kKeySoftRight, kKeyBack,  '6'};
  EXPECT_EQ(screen_.keys, expected);
}

TEST_F(WindowTest, LeftButtonIsTheStylusAndOtherButtonsAreIgnored) {
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(5, 5));
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(10, 20));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(12, 22));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(99, 99));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(14, 24));
  std::vector<std::string> expected = {"down 10 20", "move 12 22", "up 14 24"};
  EXPECT_EQ(screen_.pen, expected);
}

// Where the screen takes swipes, the pen's down and up arrive only once the track is known to be
// a tap; a drag arrives as drags and a swipe instead, and never as a tap.
TEST_F(WindowTest, SwipeAreasHoldThePenBackUntilATapIsKnown) {
  SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
  screen_.swipes_below = 100;
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(10, 200));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(12, 203));
  EXPECT_TRUE(screen_.pen.empty());
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(12, 203));
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(50, 200));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(50, 170));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(52, 150));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(52, 150));
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(50, 20));
  Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(50, 60));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(50, 60));
  const std::vector<std::string> expected = {"down 10 200", "up 12 203",  "drag 0 -30", "drag 2 -20",
                                             "swipe 1",     "down 50 20", "move 50 60", "up 50 60"};
  EXPECT_EQ(screen_.pen, expected);
}

// Notches add up from small increments; Ctrl makes them zoom; notches a screen leaves go on.
// Two fingers pinch, and the pen's track they interrupt is dropped.
TEST_F(WindowTest, WheelNotchesAndTwoFingerPinches) {
  const auto wheel = [this](int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(30, 40), screen_.mapToGlobal(QPointF(30, 40)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&screen_, &event);
    return event.isAccepted();
  };
  wheel(60, Qt::NoModifier);
  wheel(60, Qt::NoModifier);
  wheel(-240, Qt::ControlModifier);
  screen_.takes_wheel = false;
  EXPECT_FALSE(wheel(120, Qt::NoModifier));

  QPointingDevice device(QStringLiteral("touch"), 1, QInputDevice::DeviceType::TouchScreen,
                         QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 2, 0);
  const auto touch = [&](QEvent::Type type, std::vector<std::pair<QEventPoint::State, QPoint>> fingers) {
    QList<QEventPoint> points;
    for (const auto& [state, at] : fingers) {
      const QPointF global = screen_.mapToGlobal(QPointF(at));
      points.append(QEventPoint(static_cast<int>(points.size()), state, global, global));
    }
    QTouchEvent event(type, &device, Qt::NoModifier, points);
    QApplication::sendEvent(&screen_, &event);
  };
  touch(QEvent::TouchBegin, {{QEventPoint::Pressed, {100, 100}}});
  touch(QEvent::TouchUpdate, {{QEventPoint::Stationary, {100, 100}}, {QEventPoint::Pressed, {140, 100}}});
  touch(QEvent::TouchUpdate, {{QEventPoint::Updated, {90, 100}}, {QEventPoint::Updated, {150, 100}}});
  touch(QEvent::TouchUpdate, {{QEventPoint::Updated, {110, 100}}, {QEventPoint::Updated, {130, 100}}});
  touch(QEvent::TouchUpdate, {{QEventPoint::Released, {110, 100}}, {QEventPoint::Stationary, {130, 100}}});
  touch(QEvent::TouchEnd, {{QEventPoint::Released, {130, 100}}});
  const std::vector<std::string> expected = {"wheel 1 40", "zoom -2 40", "wheel 1 40", "down 100 100",
                                             "apart 120 100", "together 120 100"};
  EXPECT_EQ(screen_.pen, expected);
}

// A part invalidated is drawn by itself, and the window counts as painted only after it; a paint
// of a part does not settle the whole. A worker's invalidation that a whole paint has drawn by
// the time it arrives asks for no second.
TEST_F(WindowTest, AnInvalidationIsPaintedOnceAndAPartByItself) {
  screen_.show();
  ASSERT_TRUE(testing::ProcessEventsUntil([this] { return screen_.Painted(); }));
  std::thread([this] { screen_.Invalidate(); }).join();
  screen_.repaint(0, 0, 10, 10);
  EXPECT_FALSE(screen_.Painted()) << "a part painted before the worker's whole arrived";
  screen_.repaint();
  const int events = screen_.paint_events;
  testing::ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_EQ(screen_.paint_events, events);
  screen_.Invalidate(Rect{0, 0, 10, 10});
  EXPECT_FALSE(screen_.Painted());
  ASSERT_TRUE(testing::ProcessEventsUntil([this] { return screen_.Painted(); }));
  EXPECT_EQ(screen_.painted, QRegion(0, 0, 10, 10));
}

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
  auto left = canvas.FindText(u"菜单");
  auto right = canvas.FindText(u"返回");
  ASSERT_TRUE(title && left && right);
  EXPECT_LT(title->box.bottom, left->box.top);
  EXPECT_LT(left->box.right, right->box.left + 1);

  // The next screen brings its own captions; a screen that changes them has the frame repaint.
  second_.captions = {u"", u"退出"};
  frame_.ShowScreen(&second_);
  second_.ChangeSoftKeys({u"进入", u"退出"});
  canvas.Clear();
  frame_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"进入").has_value());
  EXPECT_FALSE(canvas.FindText(u"菜单").has_value());
}

TEST_F(DeviceFrameTest, OneScreenAtATimeAndKeysAndSoftKeyTapsReachIt) {
  frame_.ShowScreen(&first_);
  frame_.ShowScreen(&second_);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&frame_, &down);
  testing::PressAt(frame_, 10, 310);
  testing::PressAt(frame_, 200, 310);
  testing::PressAt(frame_, 200, 10);  // the caption bar is not a key
  std::vector<KeyCode> expected = {kKeyDown, kKeySoftLeft, kKeySoftRight};
  EXPECT_EQ(second_.keys, expected);
  EXPECT_TRUE(first_.keys.empty());
}

// Wherever the desktop's focus is, the screen owns the keys: a child control it covers itself
// with takes none, a line edit with the cursor keeps the characters it types but never Esc, F1 or
// F2, and a window that holds the keys while it is up (the code keyboard) takes them all, soft-key
// taps and captions included.
TEST_F(DeviceFrameTest, TheScreenOwnsTheKeysWhereverTheFocusIs) {
  first_.captions = {u"菜单", u"返回"};
  testing::TestScreen child;
  child.setParent(&first_);
  child.setGeometry(0, 0, 240, 100);
  QLineEdit line(&first_);
  line.setGeometry(0, 120, 240, 20);
  frame_.show();
  frame_.ShowScreen(&first_);
  const auto press = [](QWidget& to, int qt_key, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, qt_key, Qt::NoModifier, text);
    QApplication::sendEvent(&to, &event);
  };

  testing::PressAt(child, 10, 10);
  for (int qt_key : {Qt::Key_Escape, Qt::Key_Down, Qt::Key_Return, Qt::Key_F1}) press(child, qt_key);
  EXPECT_EQ(first_.keys, (std::vector<KeyCode>{kKeyBack, kKeyDown, kKeyEnter, kKeySoftLeft}));
  EXPECT_TRUE(child.keys.empty());

  first_.keys.clear();
  line.setFocus();
  ASSERT_TRUE(ProcessEventsUntil([&] { return line.hasFocus(); }));
  press(line, Qt::Key_6, QStringLiteral("6"));
  press(line, Qt::Key_Up);
  press(line, Qt::Key_F2);
  press(line, Qt::Key_Escape);
  EXPECT_EQ(line.text(), QStringLiteral("6"));
  EXPECT_EQ(first_.keys, (std::vector<KeyCode>{kKeyUp, kKeySoftRight, kKeyBack}));

  first_.keys.clear();
  testing::TestScreen keyboard;
  keyboard.holds_keys = true;
  keyboard.captions = {u"确定", u"关闭"};
  keyboard.setParent(&frame_);
  keyboard.show();
  press(line, Qt::Key_F1);
  press(child, Qt::Key_7, QStringLiteral("7"));
  testing::PressAt(frame_, 200, 310);
  EXPECT_EQ(keyboard.keys, (std::vector<KeyCode>{kKeySoftLeft, '7', kKeySoftRight}));
  RecordingCanvas canvas(Size{240, 320});
  frame_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"确定").has_value());
  EXPECT_FALSE(canvas.FindText(u"菜单").has_value());
  keyboard.hide();
  press(child, Qt::Key_Escape);
  EXPECT_EQ(first_.keys, (std::vector<KeyCode>{kKeyBack}));
}

TEST(ScreenTourTest, FolderThatCannotBeMadeFailsTheTour) {
  testing::QtApp app;
  testing::TestScreen screen;
  QTemporaryDir dir;
  const QString blocker = dir.filePath(QStringLiteral("file"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ScreenTour tour;
  tour.AddStop("only", nullptr);
  EXPECT_EQ(tour.Run(screen, blocker.toStdString() + "/inside"), -1);
}

}  // namespace
}  // namespace tarvello
