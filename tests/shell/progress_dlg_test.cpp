#include "shell/progress_dlg.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/text_metrics.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"

namespace tarvello {
namespace {

class ProgressDlgTest : public ::testing::Test {
 protected:
  ProgressDlgTest() {
    SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
    dlg_.resize(480, 27);
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 27});
    dlg_.PaintOn(canvas);
    return canvas;
  }
  void Tap(int x) { testing::PressAt(dlg_, x, 10); }

  testing::QtApp app_;
  int cancels_ = 0;
  std::vector<Message> posted_;
  CDlgFlag dlg_{ProgressHooks{[this] { ++cancels_; }, nullptr,
                              [this](const Message& m) { posted_.push_back(m); }}};
};

TEST_F(ProgressDlgTest, BusyFormDrawsBackgroundBarUpToTheStepCancelMarkAndCentredText) {
  dlg_.SetForm(ProgressForm::kBusy);
  dlg_.SetText(u"获取数据中，请稍后...");
  dlg_.state().SetPaused(false);
  for (int i = 0; i < 3; ++i) dlg_.state().Advance();
  RecordingCanvas canvas = Paint();

  auto pictures = canvas.CallsOf(DrawCall::Kind::kPicture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].picture, "Picture/TOOLBAR.bmp");
  EXPECT_EQ(pictures[0].box, (Rect{0, 0, 480, 27}));
  EXPECT_EQ(pictures[1].picture, "Picture/process.jpg");
  EXPECT_EQ(pictures[1].box, (Rect{0, 0, 432, 27}));       // the width less three text heights
  EXPECT_EQ(pictures[1].clip, (Rect{0, 0, 3 * 43, 27}));   // step 3 of ten 43-pixel parts
  EXPECT_FALSE(canvas.CallsOf(DrawCall::Kind::kLine).empty());

  auto text = canvas.FindText(u"获取数据中，请稍后...");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->color, kWhite);
  EXPECT_EQ(text->box, (Rect{0, 0, 477, 27}));
  EXPECT_EQ(text->flags, kTextCenter | kTextVCenter | kTextSingleLine);
}

TEST_F(ProgressDlgTest, StartupFormUsesItsOwnBarAcrossTheWholeWidthWithoutCancelArea) {
  dlg_.SetForm(ProgressForm::kStartup);
  dlg_.state().SetPaused(false);
  dlg_.state().Advance();
  RecordingCanvas canvas = Paint();
  auto pictures = canvas.CallsOf(DrawCall::Kind::kPicture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[1].picture, "Picture/First.jpg");
  EXPECT_EQ(pictures[1].box, (Rect{0, 0, 480, 27}));
  EXPECT_TRUE(canvas.CallsOf(DrawCall::Kind::kLine).empty());
  EXPECT_TRUE(canvas.FindText(u"获取数据中...").has_value());
}

TEST_F(ProgressDlgTest, EmptyBarAtStepZeroDrawsNoBarPicture) {
  RecordingCanvas canvas = Paint();
  EXPECT_EQ(canvas.CallsOf(DrawCall::Kind::kPicture).size(), 1u);
}

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
