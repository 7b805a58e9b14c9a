#include "platform/window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

TEST_F(WindowTest, CachedImageIsRedrawnOnlyAfterInvalidate) {
  screen_.grab();
  screen_.grab();
  EXPECT_EQ(screen_.paints, 1);
  std::thread([this] { screen_.Invalidate(); }).join();
  screen_.grab();
  EXPECT_EQ(screen_.paints, 2);
  screen_.resize(240, 240);
  screen_.grab();
  EXPECT_EQ(screen_.paints, 3);
}

}  // namespace
}  // namespace tarvello
