#include "alerts/alerts_page_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "support/recording_navigator.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

const SecurityCode kShare(u"SH600001");

class TestablePage : public CAlertsPageDlg {
 public:
  using CAlertsPageDlg::CAlertsPageDlg;
  using CAlertsPageDlg::OnPenDown;
};

class AlertsPageTest : public ::testing::Test {
 protected:
  AlertsPageTest() {
    InstallPrompter(&prompter_);
    navigator_.Browse(BrowseChange::Alone(kShare));
    page_.resize(480, 640);
  }
  ~AlertsPageTest() override { InstallPrompter(nullptr); }

  void Keys(std::initializer_list<KeyCode> keys) {
    for (const KeyCode key : keys) page_.SendKey(key);
  }
  std::vector<std::u16string> Said() const {
    std::vector<std::u16string> texts;
    for (const auto& prompt : prompter_.asked()) texts.push_back(prompt.text);
    return texts;
  }
  RecordingCanvas Painted() {
    RecordingCanvas canvas(Size{480, 640});
    page_.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app_;
  testing::TempFolder folder_;
  ScriptedPrompter prompter_;
  testing::RecordingNavigator navigator_;
  AlertBook book_ = AlertBook::InFolder(folder_.path());
  TestablePage page_{AlertsPageParts{&navigator_, book_}};
};

// Keys and on-screen keys type into the chosen condition; "设置" stores the alert, the list shows
// it, and a bad figure is refused with a message and stores nothing.
TEST_F(AlertsPageTest, TypedFiguresAreSetOrRefusedWithAMessage) {
  page_.Open(kTargetStockDetail);
  Keys({'1', '2', kKeyPoint, '5', '0', kKeyErase});
  page_.PressKey(0);  // the on-screen "1"
  EXPECT_EQ(page_.form().entry(kAlertPriceAbove), u"12.51");
  Keys({kKeyErase, kKeyEnter});
  EXPECT_EQ(page_.form().entry(kAlertPriceAbove), u"12.50");
  Keys({kKeyDown, kKeyMinus, '1', kKeySoftLeft});
  Keys({kKeyDown, '1', kKeyPoint, kKeyPoint, kKeySoftLeft});
  Keys({kKeyDown, kKeyMinus, '3', kKeySoftLeft});
  EXPECT_EQ(Said(), (std::vector<std::u16string>{std::u16string(kBadPriceText), std::u16string(kBadFigureText)}));
  EXPECT_EQ(book_.All(), (std::vector<Alert>{{kShare, kAlertPriceAbove, 12500}, {kShare, kAlertRatioBelow, -3000}}));
  EXPECT_TRUE(Painted().FindText(u"SH600001 涨幅低于 -3.00%").has_value());
  page_.SendKey(kKeySoftRight);  // back to the detail screen, which keeps the list it came from
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetStockDetail, kTargetAlerts}}));
}

// Reopening shows the stored figures; a tap on a row's delete cell removes that alert; Back
// returns to the screen the page came from.
TEST_F(AlertsPageTest, ReopensWithTheFiguresDeletesFromTheListAndGoesBack) {
  ASSERT_EQ(book_.Set({kShare, kAlertPriceBelow, 9000}), AlertChange::kDone);
  ASSERT_EQ(book_.Set({SecurityCode(u"SZ000002"), kAlertPriceAbove, 5000}), AlertChange::kDone);
  page_.Open(kTargetQuoteListOtherPage);
  EXPECT_EQ(page_.form().entry(kAlertPriceBelow), u"9.00");
  const RecordingCanvas canvas = Painted();
  const std::optional<DrawCall> second = canvas.FindText(u"SZ000002 价格高于 5.00");
  ASSERT_TRUE(second.has_value());
  const auto cells = canvas.Texts();
  const auto cell = std::find_if(cells.begin(), cells.end(), [&](const DrawCall& c) {
    return c.text == kDeleteCellText && c.box.top == second->box.top;
  });
  ASSERT_NE(cell, cells.end());
  page_.OnPenDown({cell->box.left + 2, cell->box.top + 2});
  EXPECT_EQ(book_.All(), (std::vector<Alert>{{kShare, kAlertPriceBelow, 9000}}));
  page_.SendKey(kKeyBack);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetQuoteListOtherPage, kTargetQuoteList}}));
}

}  // namespace
}  // namespace tarvello
