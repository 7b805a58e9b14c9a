#include "shell/start_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt_test_app.h"

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
