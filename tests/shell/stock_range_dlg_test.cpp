#include "shell/stock_range_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "support/recording_navigator.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"

namespace tarvello {
namespace {


// A 240x266 screen area with a 16-pixel font and 2 pixels of leading: menu lines are 26 pixels
// (ten fit), text lines 18, the scroll bar 13 pixels wide.
class MenuPageTest : public ::testing::Test {
 protected:
  MenuPageTest() {
    SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
    page_.resize(240, 266);
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{240, 266});
    page_.PaintOn(canvas);
    return canvas;
  }
  std::vector<Rect> Bands() {
    std::vector<Rect> bands;
    for (const DrawCall& fill : Paint().CallsOf(DrawCall::Kind::kFill)) {
      if (fill.color == kSelectedBand) bands.push_back(fill.box);
    }
    return bands;
  }
  void Tap(int y, int x = 40) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page_, &press);
  }

  testing::QtApp app_;
  testing::RecordingNavigator navigator_;
  CStockRangeDlg page_{&navigator_};
};

TEST_F(MenuPageTest, CategoriesScrollUnderTheSelectionAndEnterOpensTheChosenRanking) {
  page_.Open(0);
  RecordingCanvas canvas = Paint();
  std::optional<DrawCall> first = canvas.FindText(u"沪深A股");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->box, (Rect{8, 0, 226, 26}));
  EXPECT_EQ(first->color, kPlainWhite);
  EXPECT_FALSE(canvas.FindText(u"深证债券").has_value()) << "the eleventh line is below the screen";
  EXPECT_EQ(Bands(), std::vector<Rect>{(Rect{0, 0, 226, 26})});
  EXPECT_EQ(page_.SoftKeys(), (SoftKeyCaptions{u"确定", u"返回"}));

  for (int i = 0; i < 11; ++i) page_.SendKey(kKeyDown);
  EXPECT_EQ(Bands(), std::vector<Rect>{(Rect{0, 234, 226, 260})});
  EXPECT_EQ(Paint().FindText(u"沪深权证")->box.top, 234);
  EXPECT_FALSE(Paint().FindText(u"沪深A股").has_value());
  page_.SendKey(kKeyEnter);
  page_.SendKey(kKeySoftLeft);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1126, 121}, {1126, 121}}));

  // Coming back from the list to the same mode keeps the line; the way out is the main menu.
  page_.Open(0);
  EXPECT_EQ(page_.state().SelectedLine(), 11);
  page_.SendKey(kKeyBack);
  EXPECT_EQ(navigator_.visits.back(), (NavigationRequest{1124, 0}));
}

TEST_F(MenuPageTest, ATapSelectsTheLineAndActsAndATapBelowTheLastEntryDoesNothing) {
  page_.Open(2);
  Tap(26 * 5 + 3);
  EXPECT_EQ(page_.state().SelectedLine(), 5);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1126, kAhShareCategory}}));
  Tap(26 * 6 + 3);
  EXPECT_EQ(navigator_.visits.size(), 1u);
  EXPECT_EQ(page_.state().SelectedLine(), 5);
}

TEST_F(MenuPageTest, TheSettingsMenuSwitchesToTheAccountMenuAndBackRetracesIt) {
  page_.Open(19);
  page_.SendKey(kKeyEnter);
  EXPECT_EQ(page_.state().mode(), 20);
  EXPECT_TRUE(Paint().FindText(u"2：用户注册/登录").has_value());
  page_.SendKey(kKeyDown);
  page_.SendKey(kKeyEnter);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1126, 1146}}));
  page_.SendKey(kKeySoftRight);
  EXPECT_EQ(page_.state().mode(), 19);
  EXPECT_TRUE(Paint().FindText(u"1：帐户管理").has_value());
  page_.SendKey(kKeyBack);
  EXPECT_EQ(navigator_.visits.back(), (NavigationRequest{1124, 0}));
}

TEST_F(MenuPageTest, TheHelpTextIsWrappedToThePageAndScrollsByLines) {
  page_.Open(18);
  RecordingCanvas canvas = Paint();
  std::vector<DrawCall> lines = canvas.Texts();
  ASSERT_EQ(lines.size(), 266u / 18u);
  EXPECT_EQ(lines[0].text.rfind(u"\u3000\u3000Tarvello", 0), 0u);
  for (const DrawCall& line : lines) {
    EXPECT_LE(canvas.TextWidth(line.text), 240 - 13 - 10) << "wider than the page";
    EXPECT_EQ(line.box.left, 5);
    EXPECT_EQ(line.box.Height(), 18);
  }
  EXPECT_EQ(page_.SoftKeys(), (SoftKeyCaptions{u"", u"返回"}));
  page_.SendKey(kKeyDown);
  EXPECT_EQ(Paint().Texts()[0].text, lines[1].text);
  Tap(260, 235);  // the scroll bar below its thumb: a page on
  EXPECT_EQ(page_.state().view().first, 1 + 266 / 18);
  Tap(1, 235);  // above it: a page back
  EXPECT_EQ(page_.state().view().first, 1);
  for (int i = 0; i < 100; ++i) page_.SendKey(kKeyRight);
  EXPECT_TRUE(Paint().Texts().back().text.ends_with(u"021-55507777"));
  page_.SendKey(kKeyEnter);
  EXPECT_TRUE(navigator_.visits.empty()) << "a text has nothing to act on";
}

TEST_F(MenuPageTest, AFedModeShowsTheEntriesHandedInWithoutKnowingTheirSource) {
  page_.Open(3);
  EXPECT_TRUE(Paint().Texts().empty());
  page_.SendKey(kKeyEnter);
  page_.HandIn(3, PageContent{{{u"第一项", 7, {}}, {u"第二项", 8, {}}}, {}, false});
  EXPECT_TRUE(Paint().FindText(u"第二项").has_value());
  page_.SendKey(kKeyEnter);
  EXPECT_TRUE(navigator_.visits.empty()) << "mode 3 does nothing on the action key";

  page_.HandIn(10, PageContent{{{u"新闻", 1, {}}, {u"研报", 16, {}}}, {}, false});
  page_.Open(10);
  page_.SendKey(kKeyDown);
  page_.SendKey(kKeyEnter);
  EXPECT_EQ(page_.state().mode(), 11);
  EXPECT_EQ(page_.information_kind(), 16);
  page_.SendKey(kKeyBack);
  EXPECT_EQ(page_.state().mode(), 10);
  EXPECT_EQ(page_.state().SelectedLine(), 1);
}

}  // namespace
}  // namespace tarvello
