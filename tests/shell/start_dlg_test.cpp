#include "shell/start_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"

namespace tarvello {
namespace {

class StartDialogTest : public ::testing::Test {
 protected:
  testing::QtApp app_;
  std::vector<std::string> chosen_;
  CStartDlg dialog_{StartChoices{[this](int carrier) { chosen_.push_back("dial " + std::to_string(carrier)); },
                                 [this] { chosen_.push_back("no dial"); },
                                 [this] { chosen_.push_back("exit"); }}};
};

TEST_F(StartDialogTest, EachButtonReportsItsChoiceWithTheSelectedCarrier) {
  dialog_.resize(240, 296);
  EXPECT_EQ(dialog_.carrier(), 0) << "China Mobile comes first";
  dialog_.Press(0);
  dialog_.SelectCarrier(2);
  dialog_.Press(0);
  dialog_.Press(1);
  dialog_.Press(2);
  EXPECT_EQ(chosen_, (std::vector<std::string>{"dial 0", "dial 2", "no dial", "exit"}));
}

TEST_F(StartDialogTest, TheNoNetworkTextShowsOnlyAfterAFailedStart) {
  dialog_.resize(240, 296);
  RecordingCanvas before(Size{240, 296});
  dialog_.PaintOn(before);
  EXPECT_FALSE(before.FindText(CStartDlg::kNoNetworkText).has_value());
  EXPECT_TRUE(before.FindText(u"请选择运营商：").has_value());

  dialog_.SetNoNetwork(true);
  RecordingCanvas after(Size{240, 296});
  dialog_.PaintOn(after);
  std::optional<DrawCall> text = after.FindText(CStartDlg::kNoNetworkText);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->flags & kTextWordBreak, kTextWordBreak);
}

}  // namespace
}  // namespace tarvello
