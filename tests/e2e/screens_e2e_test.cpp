// Single screens against the simulator: the detail screen's panels for a share and an index
// future, its K-line chart scrolled into older history, and its figures kept while the server is
// away; the code keyboard and the search list; and the information and markup pages.
#include <algorithm>

#include "platform/recording_canvas.h"
#include "shell/keyboard_keys.h"
#include "shell/range_info.h"
#include "shell/range_pages.h"
#include "shell/search_answer.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::Pen;
using testing::Tap;

constexpr int kMustReadCell = 7;

class ScreenWalk : public testing::StartedWalk {
 protected:
  void TapKey(std::u16string_view caption) {
    CDlgKeyBoard& keyboard = *terminal_->main_screen()->keyboard();
    for (const KeyboardKey& key : KeyboardKeys()) {
      if (key.caption != caption) continue;
      const Rect box = KeyRect(key, keyboard.KeyArea());
      Tap(keyboard, Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    }
  }
  // Goes to the menu page of argument (with a security, that security's page) and waits for its
  // content; the main screen ignores a navigation while its progress window is up.
  CStockRangeDlg& Page(int argument, const SecurityCode& security = {}) {
    EXPECT_TRUE(WaitFor([&] { return !terminal_->Busy(); }));
    if (security.empty()) {
      terminal_->main_screen()->GoTo(kTargetMenuPage, argument);
    } else {
      terminal_->main_screen()->GoTo(kTargetMenuPage, argument, BrowseChange::Alone(security));
    }
    EXPECT_TRUE(WaitFor([&] {
      CStockRangeDlg* page = terminal_->menu_page();
      return Shows(page) && page->state().mode() == OpeningOf(argument).mode && !page->loading();
    }));
    return *terminal_->menu_page();
  }
  // Acts on the selected line and waits for the page it switches to.
  void Enter(CStockRangeDlg& page, int mode) {
    page.SendKey(kKeyEnter);
    EXPECT_EQ(page.state().mode(), mode);
    EXPECT_TRUE(WaitFor([&] { return !page.loading(); }));
  }
  // The markup view in front with the page whose address ends in page, showing text.
  CMarkupPageDlg* AwaitMarkup(std::u16string_view page, std::u16string_view text) {
    CMarkupPageDlg* view = nullptr;
    const bool shown = WaitFor([&] {
      view = dynamic_cast<CMarkupPageDlg*>(terminal_->frame().current_screen());
      if (view == nullptr || !Shows(view) || view->busy() || !view->address().ends_with(page)) return false;
      const std::vector<PageItem> items = view->items();
      return std::any_of(items.begin(), items.end(), [&](const PageItem& item) { return item.text == text; });
    });
    return shown ? view : nullptr;
  }
};

TEST_F(ScreenWalk, DetailPanelsOfAShareAndAFutureAndTheChartScrolledIntoOlderWeeks) {
  ASSERT_TRUE(OpenSecurity("SH600001"));
  RecordingCanvas canvas(Size{480, 640});
  detail().PaintOn(canvas);
  EXPECT_EQ(detail().panel(), kPanelFiveLevelBook);
  EXPECT_TRUE(canvas.FindText(u"委比").has_value());
  EXPECT_TRUE(canvas.FindText(u"现手:").has_value());
  EXPECT_FALSE(detail().view()->records.minutes.records.empty());

  detail().SendKey(kKeyEnter);  // "K线"
  CKLineDlg& chart = *terminal_->kline_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&chart) && chart.loaded() && !chart.bars().empty(); }));
  chart.RunCommand(32828);  // 周
  chart.RunCommand(32887);  // 前复权
  ASSERT_TRUE(WaitFor([&] { return !chart.busy(); }));  // the worker loads
  EXPECT_EQ(chart.period(), KLinePeriod::kWeek);
  EXPECT_EQ(chart.adjustment(), PriceAdjustment::kForward);
  const std::vector<KLineBar> bars = chart.bars();
  ASSERT_GE(bars.size(), 2u);
  EXPECT_NE(terminal_->frame().title().find(u"-周线"), std::u16string::npos);
  // Drag left until older weeks arrive; the cursor stays on the week it was dragged onto.
  RecordingCanvas chartCanvas(Size{chart.width(), chart.height()});
  chart.PaintOn(chartCanvas);
  const int y = chart.height() / 3;
  int x = chart.width() - 10;
  Pen(chart, QEvent::MouseButtonPress, x, y);
  std::int32_t target = 0;
  while (chart.bars().size() == bars.size() && x > 0) {
    const int cursor = chart.viewport().cursor;
    target = cursor > 0 ? bars[static_cast<std::size_t>(cursor) - 1].date : 0;
    Pen(chart, QEvent::MouseMove, x -= 2, y);
    ASSERT_TRUE(WaitFor([&] { return !chart.busy(); }));
  }
  Pen(chart, QEvent::MouseButtonRelease, x, y);
  const std::vector<KLineBar> grown = chart.bars();
  ASSERT_GT(grown.size(), bars.size());
  EXPECT_LT(grown.front().date, bars.front().date);
  EXPECT_EQ(grown[static_cast<std::size_t>(chart.viewport().cursor)].date, target);

  ASSERT_TRUE(OpenSecurity("IF000001"));
  ASSERT_TRUE(WaitFor([&] { return detail().view()->records.futures.has_value(); }));
  canvas.Clear();
  detail().PaintOn(canvas);
  EXPECT_EQ(detail().panel(), kPanelQuoteFigures);
  EXPECT_TRUE(canvas.FindText(u"昨结").has_value());
}

TEST_F(ScreenWalk, AnAbsentServerKeepsTheLastFiguresAndTheScreenRecoversWhenItReturns) {
  ASSERT_TRUE(OpenSecurity("SH600001"));
  const std::shared_ptr<const DetailView> shown = detail().view();
  // A refresh stops the timer; the worker arms it again once the exchange is over, failed or not.
  const auto refreshOnce = [&] {
    detail().RequestRefresh(false);
    EXPECT_FALSE(detail().HasTimer(kTimerIntraday));
    return WaitFor([&] { return detail().HasTimer(kTimerIntraday); });
  };
  simulator_.reset();
  ASSERT_TRUE(refreshOnce());
  EXPECT_EQ(detail().view(), shown);
  RecordingCanvas canvas(Size{480, 640});
  detail().PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"委比").has_value());

  simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path(), ports_);
  ASSERT_TRUE(simulator_->WaitForPorts().has_value());
  ASSERT_TRUE(WaitFor([&] { return refreshOnce() && detail().view() != shown; }));
  EXPECT_TRUE(detail().view()->loaded);
}

// Initials typed on the menu list the matching securities, one of which opens with a tap; a code
// typed with the pen on the keyboard the detail screen's "码" spot opens opens that share.
TEST_F(ScreenWalk, InitialsListTheirMatchesAndACodeTypedOnTheDetailScreensKeyboardOpensItsShare) {
  CDlgKeyBoard& keyboard = *terminal_->main_screen()->keyboard();
  terminal_->main_screen()->SendKey('H');
  ASSERT_TRUE(keyboard.isVisible());
  EXPECT_EQ(keyboard.entry().text(), u"H");
  TapKey(u"确定");
  CDlgList* list = terminal_->server_list_screen();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Shows(list) && list->view()->items.size() > 1; }));
  const SearchItem picked = SplitSearchItem(list->view()->items[0]);
  EXPECT_TRUE(picked.code.starts_with(u"SH") || picked.code.starts_with(u"SZ"));
  ASSERT_FALSE(picked.name.empty());
  Tap(*list, testing::CentreOf(*list, picked.name));
  ASSERT_TRUE(DetailShows(SecurityCode(picked.code)));

  Tap(detail(), testing::CentreOf(detail(), u"码"));  // on the ticker strip
  ASSERT_TRUE(WaitFor([&] { return keyboard.isVisible(); }));
  for (const std::u16string_view key : {u"600", u"0", u"0", u"3"}) TapKey(key);
  EXPECT_EQ(keyboard.entry().text(), u"600003");
  TapKey(u"确定");
  EXPECT_FALSE(keyboard.isVisible());
  ASSERT_TRUE(DetailShows(SecurityCode::FromAscii("SH600003")));
  EXPECT_TRUE(prompter_.asked().empty());
}

// "资讯必读" leads through a category and a title to its article, and its last line to the markup
// pages: the front page, a link to the market summary, and "返回" (the "prev" element) back.
TEST_F(ScreenWalk, MustReadLeadsToAnArticleAndToTheMarkupPagesWhoseLinkLeadsOnAndBack) {
  EnterMenuCell(kMustReadCell);
  CStockRangeDlg* page = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    page = terminal_->menu_page();
    return Shows(page) && page->state().mode() == kPageInfoCategories && !page->loading() &&
           page->state().content().entries.size() > 1;
  }));
  EXPECT_EQ(page->state().content().entries.back().text, u"Tarvello_直播");
  Enter(*page, kPageInfoTitles);
  ASSERT_FALSE(page->state().content().entries.empty());
  const std::u16string title = page->state().content().entries[0].text;
  Enter(*page, kPageArticle);
  EXPECT_TRUE(page->state().content().text.starts_with(title + u"\n")) << text::ToUtf8(page->state().content().text);

  page = &Page(kPageInfoCategories);
  const int last = static_cast<int>(page->state().content().entries.size()) - 1;
  while (page->state().SelectedLine() < last) page->SendKey(kKeyDown);
  page->SendKey(kKeyEnter);
  CMarkupPageDlg* view = AwaitMarkup(u"/wap/index.wml", u"市场概况");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(terminal_->frame().title(), u"Tarvello_直播");
  Tap(*view, testing::CentreOf(*view, u"市场概况"));
  view = AwaitMarkup(u"/wap/summary.wml", u"上证指数");
  ASSERT_NE(view, nullptr);
  Tap(*view, testing::CentreOf(*view, u"返回"));
  EXPECT_NE(AwaitMarkup(u"/wap/index.wml", u"市场概况"), nullptr);
}

// A security's news article comes from the information port over the shared connection; quote
// requests reach the quote server again afterwards, for the F10 profile of that security.
TEST_F(ScreenWalk, ASecuritysNewsComesFromTheInformationPortAndItsF10ProfileAfterwards) {
  CStockRangeDlg& page = Page(kTargetStockDetail, SecurityCode::FromAscii("SH600001"));
  Enter(page, kPageInfoTitles);  // "1 新闻"
  ASSERT_FALSE(page.state().content().entries.empty());
  const std::u16string title = page.state().content().entries[0].text;
  Enter(page, kPageArticle);
  const std::u16string& article = page.state().content().text;
  EXPECT_TRUE(article.starts_with(title + u"-新闻\n")) << text::ToUtf8(article);
  EXPECT_NE(article.find(u"（600001）"), std::u16string::npos);
  const std::u16string& profile = Page(16).state().content().text;  // the F10 menu's "公司概况"
  EXPECT_TRUE(profile.starts_with(u"公司名称：")) << text::ToUtf8(profile);
  EXPECT_NE(profile.find(u"600001"), std::u16string::npos);
}

}  // namespace
}  // namespace tarvello
