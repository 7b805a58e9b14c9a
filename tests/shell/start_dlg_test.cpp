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

TEST_F(StartDialogTest, ListButtonsSwitchTheBoxAndEachListKeepsItsSelection) {
  dialog_.SelectCarrier(1);
  dialog_.Press(3);
  EXPECT_EQ(dialog_.shown_list(), StartChoiceLists::List::kServers);
  dialog_.SelectCarrier(2);  // not the carrier list: ignored
  dialog_.Press(4);
  EXPECT_EQ(dialog_.shown_list(), StartChoiceLists::List::kAccessPoints);
  dialog_.Press(4);
  EXPECT_EQ(dialog_.shown_list(), StartChoiceLists::List::kCarriers);
  dialog_.Press(0);
  EXPECT_EQ(chosen_, (std::vector<std::string>{"dial 1"}));
}

TEST(StartChoiceListsTest, SelectionsAreKeptPerList) {
  StartChoiceLists lists;
  lists.Select(2);
  lists.Toggle(StartChoiceLists::List::kAccessPoints);
  EXPECT_EQ(lists.selected(), 0);
  lists.Select(1);
  lists.Select(5);  // outside the two access points: ignored
  lists.Toggle(StartChoiceLists::List::kServers);
  EXPECT_EQ(lists.shown(), StartChoiceLists::List::kServers);
  lists.Toggle(StartChoiceLists::List::kServers);
  EXPECT_EQ(lists.carrier(), 2);
  EXPECT_EQ(lists.Selected(StartChoiceLists::List::kAccessPoints), 1);
  EXPECT_EQ(StartChoiceLists::Items(StartChoiceLists::List::kServers).front(), u"移动服务器");
}

}  // namespace
}  // namespace tarvello
