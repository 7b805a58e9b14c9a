#include "shell/progress_dlg.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/qt_test_app.h"

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

}  // namespace
}  // namespace tarvello
