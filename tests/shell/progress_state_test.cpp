#include "shell/progress_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvello {
namespace {

class ProgressStateTest : public ::testing::Test {
 protected:
  ProgressHooks Hooks() {
    return ProgressHooks{[this] { ++exchange_cancels_; }, [this] { ++page_closes_; },
                         [this](const Message& m) { posted_.push_back(m); }};
  }
  int exchange_cancels_ = 0;
  int page_closes_ = 0;
  std::vector<Message> posted_;
  ProgressState state_{Hooks()};
};

TEST_F(ProgressStateTest, BarRestartsFromEmptyAfterTheEleventhStep) {
  state_.SetPaused(false);
  Rect client{0, 0, 480, 36};
  int bar = state_.BarRect(client, 24).Width();
  std::vector<int> fills;
  for (int i = 0; i < 11; ++i) {
    ASSERT_TRUE(state_.Advance());
    fills.push_back(state_.BarFillWidth(bar));
  }
  EXPECT_EQ(fills[0], bar / 10);
  EXPECT_EQ(fills[9], 10 * (bar / 10));
  EXPECT_EQ(fills[10], 0);  // the eleventh step: empty again
  EXPECT_EQ(state_.step(), 0);
  state_.Advance();
  EXPECT_EQ(state_.step(), 1);
}

TEST_F(ProgressStateTest, CancelAreaTakesThreeTextHeightsOnlyInFormsZeroAndThree) {
  Rect client{0, 600, 480, 636};
  for (ProgressForm form : {ProgressForm::kPlain, ProgressForm::kBusy}) {
    state_.SetForm(form);
    EXPECT_EQ(state_.CancelRect(client, 24), (Rect{408, 600, 480, 636}));
    EXPECT_EQ(state_.BarRect(client, 24), (Rect{0, 600, 408, 636}));
  }
  for (ProgressForm form : {ProgressForm::kDialling, ProgressForm::kStartup}) {
    state_.SetForm(form);
    EXPECT_TRUE(state_.CancelRect(client, 24).IsEmpty());
    EXPECT_EQ(state_.BarRect(client, 24), client);
    EXPECT_FALSE(state_.PressCancel());
  }
  EXPECT_EQ(exchange_cancels_, 0);
  EXPECT_EQ(ProgressState::TextRect(client), (Rect{0, 600, 477, 636}));
}

TEST_F(ProgressStateTest, CancelKindZeroClosesThePageFetchAndPlainFormStaysShown) {
  state_.SetCancelKind(CancelKind::kPageFetch);
  ASSERT_TRUE(state_.PressCancel());
  EXPECT_EQ(page_closes_, 1);
  EXPECT_EQ(exchange_cancels_, 0);
  EXPECT_TRUE(posted_.empty());
}

TEST_F(ProgressStateTest, ResetReportsAPressedCancelOnceAndRestoresTheDefaults) {
  state_.SetForm(ProgressForm::kBusy);
  state_.SetCancelKind(CancelKind::kPageFetch);
  state_.SetPaused(false);
  state_.Advance();
  state_.PressCancel();
  posted_.clear();

  EXPECT_TRUE(state_.Reset());
  EXPECT_EQ(posted_, (std::vector<Message>{{2027, -1, 0}}));
  EXPECT_EQ(state_.form(), ProgressForm::kPlain);
  EXPECT_EQ(state_.cancel_kind(), CancelKind::kExchange);
  EXPECT_EQ(state_.step(), 0);
  EXPECT_TRUE(state_.paused());
  EXPECT_FALSE(state_.Advance()) << "a paused bar does not move";
  EXPECT_FALSE(state_.Reset());
  EXPECT_EQ(posted_.size(), 1u);
}

TEST_F(ProgressStateTest, NewFormClearsStepAndCancelPressed) {
  state_.SetPaused(false);
  state_.Advance();
  state_.PressCancel();
  state_.SetForm(ProgressForm::kDialling);
  EXPECT_EQ(state_.step(), 0);
  EXPECT_FALSE(state_.cancel_pressed());
}

}  // namespace
}  // namespace tarvello
