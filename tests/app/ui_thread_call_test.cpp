#include "app/ui_thread_call.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/qt_test_app.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class UiThreadCallTest : public ::testing::Test {
 protected:
  testing::QtApp app_;
  UiThreadCall call_;
};

TEST_F(UiThreadCallTest, AWorkersCallRunsOnTheUiThreadAndReturnsItsResult) {
  std::atomic<int> result{0};
  std::atomic<bool> on_ui_thread{false};
  std::thread worker([&] {
    result = call_.Run([&] {
      on_ui_thread = QThread::currentThread() == QCoreApplication::instance()->thread();
      return 42;
    }, -1);
  });
  ASSERT_TRUE(ProcessEventsUntil([&] { return result != 0; }));
  worker.join();
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(on_ui_thread);
  EXPECT_EQ(call_.Run([] { return 7; }, -1), 7) << "the UI thread itself runs the work at once";
}

TEST_F(UiThreadCallTest, AfterCloseAWaitingWorkerGivesUpAndTheWorkNeverRuns) {
  std::atomic<bool> ran{false};
  std::atomic<bool> waiting{false};
  std::thread worker([&] {
    waiting = true;
    EXPECT_EQ(call_.Run([&] {
      ran = true;
      return 1;
    }, -1), -1);
  });
  while (!waiting) std::this_thread::yield();
  call_.Close();
  worker.join();  // the UI thread is busy joining: the worker must not wait for it
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
  EXPECT_EQ(call_.Run([] { return 1; }, -1), 1) << "the UI thread's own calls still run";
}

}  // namespace
}  // namespace tarvello
