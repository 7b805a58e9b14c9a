// Journeys: the ways between screens walked as a user walks them, from the main menu by taps and
// keys only, through the real main screen with its progress window, against the simulator. After
// each step the walk checks the screen in front, its title and what it shows. Every journey runs
// twice: on a quick link and through a proxy that holds each answer for 1.5 seconds, where a
// navigation asked for while a window of progress shows must still land, only later.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <string>

#include "futures/futures_records.h"
#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "platform/recording_canvas.h"
#include "terminal_walk.h"

namespace tarvello {
namespace {

constexpr int kCellFundFlow = 2;     // "资金流向"
constexpr int kCellSectors = 5;      // "板块追踪"
constexpr int kCellFutures = 8;      // "股指期货"
constexpr int kRankingsPage = 0;
constexpr int kFundFlowPage = 21;
constexpr int kInfoKindsPage = 22;
constexpr unsigned kCommandWeekly = 32828;
constexpr unsigned kCommandMacd = 32876;
constexpr int kBarMenu = 0;   // "菜单" or "选项" on every bottom bar
constexpr int kBarSelfSelected = 1;  // the list's "自选"
constexpr int kBarIntraday = 1;  // "分时" of the K-line and fund-flow screens
constexpr int kBarKLine = 2;  // the detail screen's "K线"
constexpr int kBarInfo = 3;   // "信息" of the detail, K-line and fund-flow screens
constexpr int kBarFund = 4;   // the detail screen's "资金"
constexpr int kBarBack = 5;   // "返回"

class JourneyWalk : public testing::StartedWalk, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    StartedWalk::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (GetParam() > 0) proxy_->SetFault({testing::Fault::kDelay, std::chrono::milliseconds(GetParam())});
  }

  const std::u16string& Title() { return terminal_->frame().title(); }
  CKLineDlg& kline() { return *terminal_->kline_screen(); }
  CGzqhDlg& futures() { return *terminal_->futures_screen(); }
  CDlgMain& menu() { return *terminal_->main_screen(); }

  bool MenuShows() { return WaitFor([&] { return Shows(&menu()); }); }
  bool PageShows(int mode) {
    return WaitFor([&] { return Shows(terminal_->menu_page()) && terminal_->menu_page()->state().mode() == mode; });
  }
  bool KLineShows(const SecurityCode& code) {
    return WaitFor([&] { return Shows(&kline()) && !kline().busy() && kline().loaded() && kline().code() == code; });
  }
  // The code of the selected row of the list in front, and Enter on it.
  SecurityCode OpenSelectedRow() {
    const std::vector<SecurityCode> codes = RowCodes();
    const int row = list().selected_row();
    const SecurityCode code = row >= 1 && row <= static_cast<int>(codes.size()) ? codes[row - 1] : SecurityCode();
    list().SendKey(kKeyEnter);
    return code;
  }
  std::vector<SecurityCode> RowCodes() {
    std::vector<SecurityCode> codes;
    const ListRows& rows = list().view()->rows;
    for (const auto& row : rows.quotes) codes.push_back(row.code);
    for (const auto& row : rows.bigOrders) codes.push_back(row.code);
    for (const auto& row : rows.futures) codes.push_back(row.code);
    return codes;
  }
  // A stylus tap in the middle of the screen area, delivered to the control under it as the
  // window system delivers it (the control takes the focus by its policy).
  void TapMiddleOfTheScreen() {
    DeviceFrame& frame = terminal_->frame();
    const Rect area = frame.ScreenArea();
    const QPoint middle((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    QWidget* under = frame.childAt(middle);
    if (under == nullptr) under = &frame;
    const QPoint at = under->mapFrom(&frame, middle);
    // A sent event is not the window system's, which gives the focus on a press: do it here.
    for (QWidget* taker = under; taker != nullptr && !taker->isWindow(); taker = taker->parentWidget()) {
      if (taker->isEnabled() && (taker->focusPolicy() & Qt::ClickFocus) != 0) {
        taker->setFocus(Qt::MouseFocusReason);
        break;
      }
    }
    testing::Pen(*under, QEvent::MouseButtonPress, at.x(), at.y());
    testing::Pen(*under, QEvent::MouseButtonRelease, at.x(), at.y());
  }
  // Esc as the desktop's keyboard sends it: to the widget with the focus.
  void PressEscOnTheKeyboard() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) focus = terminal_->frame().focusWidget();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(focus != nullptr ? focus : static_cast<QWidget*>(&terminal_->frame()), &esc);
  }
  // The header's ">" of the detail screen, at its right end.
  void TapNextOnDetail() { testing::Tap(detail(), {detail().width() - 4, 6}); }
};

TEST_P(JourneyWalk, RankingShareChartIntradayChartAndBackToTheMenu) {
  ASSERT_TRUE(OpenRankedShares());
  const std::u16string listTitle = Title();
  list().SendKey(kKeyDown);
  const SecurityCode share = OpenSelectedRow();
  ASSERT_TRUE(DetailShows(share));
  const std::u16string name = Title();

  TapBarCell(detail(), kBarKLine);
  ASSERT_TRUE(KLineShows(share));
  EXPECT_EQ(Title(), name + u"-日线");
  TapBarCell(kline(), kBarIntraday);
  ASSERT_TRUE(DetailShows(share));
  detail().SendKey(kKeyEnter);
  ASSERT_TRUE(KLineShows(share));

  // The information pages lead back to the chart as it was left: weekly, MACD, zoomed in.
  kline().RunCommand(kCommandWeekly);
  ASSERT_TRUE(WaitFor([&] { return kline().period() == KLinePeriod::kWeek && KLineShows(share); }));
  kline().RunCommand(kCommandMacd);
  kline().SendKey(kKeyUp);
  const KLineViewport zoomed = kline().viewport();
  TapBarCell(kline(), kBarInfo);
  ASSERT_TRUE(PageShows(kInfoKindsPage));
  terminal_->menu_page()->SendKey(kKeyBack);
  ASSERT_TRUE(KLineShows(share));
  EXPECT_EQ(kline().period(), KLinePeriod::kWeek);
  EXPECT_EQ(kline().indicator(), KLineIndicator::kMacd);
  EXPECT_EQ(kline().viewport().zoomBars, zoomed.zoomBars);

  TapBarCell(kline(), kBarBack);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeCategory; }));
  EXPECT_TRUE(TitleBecomes(listTitle));
  EXPECT_EQ(list().selected_row(), 2) << "the list comes back on the row that was opened";
  TapBarCell(list(), kBarBack);
  ASSERT_TRUE(PageShows(kRankingsPage));
  EXPECT_EQ(Title(), u"涨跌排行");
  terminal_->menu_page()->SendKey(kKeyBack);
  ASSERT_TRUE(MenuShows());
  EXPECT_EQ(Title(), u"Tarvello");
}

// Two quick taps on ">": the second, made while the first one's security loads, is dropped whole,
// so the chart opens on the security whose name the title bar shows.
TEST_P(JourneyWalk, TwoQuickStepsThenTheChartOpensTheSecurityTheTitleNames) {
  ASSERT_TRUE(OpenRankedShares());
  const std::vector<SecurityCode> codes = RowCodes();
  ASSERT_GE(codes.size(), 3u);
  const SecurityCode first = OpenSelectedRow();
  ASSERT_TRUE(DetailShows(first));

  TapNextOnDetail();
  TapNextOnDetail();
  ASSERT_TRUE(WaitFor([&] { return detail().code() != first; }));
  const SecurityCode shown = detail().code();
  ASSERT_TRUE(DetailShows(shown));
  EXPECT_EQ(menu().CurrentSecurity(), shown);
  TapBarCell(detail(), kBarKLine);
  ASSERT_TRUE(KLineShows(shown));
  EXPECT_TRUE(Title().starts_with(detail().view()->records.security.name));

  // The chart's own steps land the same way, and "返回" finds the list on the security stepped to.
  kline().RunCommand(32903);
  ASSERT_TRUE(WaitFor([&] { return kline().code() != shown && Shows(&kline()) && kline().loaded(); }));
  EXPECT_EQ(menu().CurrentSecurity(), kline().code());
  TapBarCell(kline(), kBarBack);
  ASSERT_TRUE(ListShows([](const ListQuery&, const ListView&) { return true; }));
}

TEST_P(JourneyWalk, BigOrderRowOpensTheSharesFundFlowAndBackToTheRanking) {
  EnterMenuCell(kCellFundFlow);
  ASSERT_TRUE(EnterMenuLine(kFundFlowPage, 1));
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) { return q.bigOrderMode && !v.rows.bigOrders.empty(); }));
  const std::u16string rankingTitle = Title();
  const SecurityCode share = OpenSelectedRow();
  ASSERT_TRUE(WaitFor([&] {
    return Shows(&futures()) && !futures().busy() && futures().view() == kViewFundFlow && futures().records()->loaded &&
           futures().records()->code == share;
  }));
  // Its information pages lead back to the fund flow, which still goes back to the ranking.
  TapBarCell(futures(), kBarInfo);
  ASSERT_TRUE(PageShows(kInfoKindsPage));
  terminal_->menu_page()->SendKey(kKeyBack);
  ASSERT_TRUE(WaitFor([&] { return Shows(&futures()) && !futures().busy() && futures().records()->code == share; }));
  TapBarCell(futures(), kBarBack);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.bigOrderMode; }));
  EXPECT_TRUE(TitleBecomes(rankingTitle));
}

// The concept sectors' fourth row of page 2, a share of it, its trade analysis over ten days, and
// back the same way: to the share, to the sector it was opened from, to the concept sectors on
// that page and row in that order.
TEST_P(JourneyWalk, SectorShareTradeAnalysisAndBackToTheSectorListOnItsPageAndRow) {
  EnterMenuCell(kCellSectors);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) { return q.mode == kModeSectors && !v.rows.quotes.empty(); }));
  proxy_->ForgetRequests();
  ChooseFromMenu(list(), kBarMenu, kCmdSectorConcept);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) { return q.sectorClass == 1 && !v.rows.quotes.empty(); }));
  const ListQuery concepts = list().query();
  EXPECT_GE(TimesSent(BuildCategoryPage(kCategorySectors, {concepts.sortField, concepts.sortDirection, 0, concepts.rowsPerPage}, 1)), 1)
      << "the concept class went to the server";
  for (int i = 0; i < concepts.rowsPerPage + 3; ++i) {  // the fourth row of the second page
    list().SendKey(kKeyDown);
    ASSERT_TRUE(ListShows([](const ListQuery&, const ListView&) { return true; }));
  }
  ASSERT_EQ(list().query().page, 1);
  ASSERT_EQ(list().selected_row(), 4);
  const QuoteRow sector = list().view()->rows.quotes.at(3);
  const ListQuery sectorList = list().query();
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.shownSector == sector.sectorNumber && v.rows.quotes.size() >= 2 && v.rows.quotes.front().code == sector.code;
  }));
  EXPECT_EQ(Title(), sector.name);

  list().SendKey(kKeyDown);
  const SecurityCode share = OpenSelectedRow();
  ASSERT_TRUE(DetailShows(share));
  ChooseFromMenu(detail(), kBarMenu, testing::MenuCommand(detail().PopupMenuItems(), u"成交透析"));
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.mode == kModeTradeAnalysis && q.stockCode == share && v.rows.buckets.size() == 3;
  }));
  EXPECT_EQ(Title(), u"成交透析-1天");
  proxy_->ForgetRequests();
  ChooseFromMenu(list(), kBarMenu, kCmdAnalysis10);
  ASSERT_TRUE(WaitFor([&] { return TimesSent(BuildTradeAnalysisRequest(share, 10)) == 1 && !list().busy(); }));
  EXPECT_EQ(Title(), u"成交透析-10天");
  const std::vector<BucketRow> buckets = list().view()->rows.buckets;
  ASSERT_EQ(buckets.size(), 3u);
  EXPECT_EQ(buckets[0].second, u"大于1000手");
  EXPECT_EQ(buckets[2].second, u"小于100手");

  TapBarCell(list(), kBarBack);
  ASSERT_TRUE(DetailShows(share));
  TapBarCell(detail(), kBarBack);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView&) { return q.shownSector == sector.sectorNumber; }));
  EXPECT_EQ(list().selected_row(), 2);
  EXPECT_TRUE(TitleBecomes(sector.name));
  TapBarCell(list(), kBarBack);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeSectors && q.shownSector == 0; }));
  EXPECT_EQ(list().query().sectorClass, 1);
  EXPECT_EQ(list().query().page, 1);
  EXPECT_EQ(list().selected_row(), 4);
  EXPECT_EQ(list().query().sortField, sectorList.sortField);
  EXPECT_EQ(list().query().sortDirection, sectorList.sortDirection);
}

// A code typed on the menu has one match, which opens by itself; its "资金" cell shows the share's
// fund flow and "分时" comes back. A security opened from elsewhere than a list goes back to the
// recently viewed list, and from there to the menu.
TEST_P(JourneyWalk, CodeTypedOnTheMenuOpensItsDetailAndFundFlowAndEscLeadsHome) {
  for (const char16_t key : std::u16string(u"600001")) menu().SendKey(key);
  CDlgKeyBoard& keyboard = *menu().keyboard();
  ASSERT_EQ(keyboard.entry().text(), u"600001");
  keyboard.SendKey(kKeyEnter);
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  ASSERT_TRUE(DetailShows(share));
  TapBarCell(detail(), kBarFund);
  ASSERT_TRUE(WaitFor([&] {
    return Shows(&futures()) && !futures().busy() && futures().view() == kViewFundFlow && futures().records()->loaded &&
           futures().records()->code == share;
  }));
  const SecurityFundFlow flow = futures().records()->flow;
  EXPECT_GT(flow.TotalIn() + flow.TotalOut(), 0);
  EXPECT_GE(flow.positionToday, 1);
  TapBarCell(futures(), kBarIntraday);
  ASSERT_TRUE(DetailShows(share));
  detail().SendKey(kKeyBack);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeRecentlyViewed; }));
  // The share is on the list's first page, though its write to the list file waits for a quiet moment.
  const std::vector<QuoteRow>& rows = list().view()->rows.quotes;
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const QuoteRow& row) { return row.code == share; }));
  EXPECT_TRUE(TitleBecomes(u"最近浏览"));
  list().SendKey(kKeyBack);
  ASSERT_TRUE(MenuShows());
}

TEST_P(JourneyWalk, InitialsWithOneMatchOpenItsDetail) {
  for (const char16_t key : std::u16string(u"SZ50")) menu().SendKey(key);
  menu().keyboard()->SendKey(kKeyEnter);
  ASSERT_TRUE(DetailShows(SecurityCode::FromAscii("SH000016")));
}

TEST_P(JourneyWalk, FuturesListContractTicksAndBack) {
  EnterMenuCell(kCellFutures);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) { return q.mode == kModeFutures && !v.rows.futures.empty(); }));
  const SecurityCode contract = OpenSelectedRow();
  ASSERT_TRUE(DetailShows(contract));
  ChooseFromMenu(detail(), kBarMenu, testing::MenuCommand(detail().PopupMenuItems(), u"量价明细"));
  ASSERT_TRUE(WaitFor([&] {
    return Shows(&futures()) && !futures().busy() && futures().view() == kViewTicks && futures().records()->loaded &&
           futures().records()->code == contract && !futures().records()->ticks.ticks.empty();
  }));
  const std::vector<FuturesTick> ticks = futures().records()->ticks.ticks;
  EXPECT_LE(ticks.size(), static_cast<std::size_t>(futures().tick_rows()));
  for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_GT(ticks[i - 1].time, ticks[i].time) << "newest on top";
  TapBarCell(futures(), kBarBack);
  ASSERT_TRUE(DetailShows(contract));
  TapBarCell(detail(), kBarBack);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeFutures; }));
}

// A share added to the self-selected list from a ranking has its news on the list's "新闻" tab,
// where the quote rows stood; a title shows its article in the same place, and the back key
// steps from the article to the titles, "行情" brings the quote rows back, and back again leads
// to the menu.
TEST_P(JourneyWalk, SelfSelectedNewsTitleArticleAndBackToTheQuotes) {
  ASSERT_TRUE(OpenRankedShares());
  list().SendKey(kKeyDown);
  ChooseFromMenu(list(), kBarMenu, kCmdAddSelfSelected);
  TapBarCell(list(), kBarSelfSelected);
  const auto ownQuotes = [](const ListQuery& q, const ListView& v) {
    return q.mode == kModeSelfSelected && q.infoKind == 0 && v.rows.quotes.size() == 3;
  };
  ASSERT_TRUE(ListShows(ownQuotes));
  EXPECT_TRUE(TitleBecomes(u"自选股"));
  const auto tapTab = [&](int tab) { testing::Tap(list(), {(2 * tab + 1) * list().width() / 10, 4}); };

  tapTab(1);  // "新闻"
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) {
    return q.infoKind == 1 && q.article.empty() && !v.info.entries.empty();
  }));
  const PageEntry first = list().view()->info.entries.front();
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.article == first.identifier && v.info.is_text;
  }));
  EXPECT_TRUE(list().view()->info.text.starts_with(first.text)) << "the article of the title chosen";

  list().SendKey(kKeyBack);
  EXPECT_TRUE(Shows(&list()));
  EXPECT_TRUE(list().query().article.empty());
  tapTab(0);  // "行情"
  ASSERT_TRUE(ListShows(ownQuotes));
  list().SendKey(kKeyBack);
  EXPECT_TRUE(MenuShows());
}

// Esc is the back key of every screen: from each menu cell's screen, after a tap in the middle of
// it (which may land on a control that takes the desktop's focus), Esc on the keyboard leads back
// to the menu.
TEST_P(JourneyWalk, EscFromEveryScreenTheMenuReachesLeadsBackToTheMenuAfterATapAnywhere) {
  for (int cell = 0; cell < 12; ++cell) {
    // A tap while the progress window shows is dropped (a screen left behind may still end its
    // exchange), so the walk waits for the window to go and, as a user does, taps again when the
    // menu stays.
    const auto opened = [&] {
      QWidget* front = terminal_->frame().current_screen();
      return front != &menu() && Shows(front) && !list().busy();
    };
    for (int tries = 0; tries < 3 && !opened(); ++tries) {
      WaitFor([&] { return !terminal_->Busy(); });
      EnterMenuCell(cell);
      testing::ProcessEventsUntil(opened, std::chrono::seconds(20));
    }
    ASSERT_TRUE(opened()) << "cell " << cell << ", busy " << terminal_->Busy()
                          << ", list busy " << list().busy();
    TapMiddleOfTheScreen();
    WaitFor([&] { return !terminal_->Busy() && !list().busy(); });
    QWidget* front = terminal_->frame().current_screen();
    int presses = 0;
    while (!Shows(&menu()) && presses++ < 5) {
      PressEscOnTheKeyboard();
      // An Esc that steps back inside the screen (a page's trail, an article) asks for no navigation.
      const auto pressed = std::chrono::steady_clock::now();
      WaitFor([&] {
        const bool settled = !terminal_->Busy() &&
                             (terminal_->frame().current_screen() != front ||
                              std::chrono::steady_clock::now() - pressed > std::chrono::milliseconds(300));
        return Shows(&menu()) || settled;
      });
      front = terminal_->frame().current_screen();
    }
    ASSERT_TRUE(MenuShows()) << "cell " << cell;
  }
}

INSTANTIATE_TEST_SUITE_P(QuickAndSlowLink, JourneyWalk, ::testing::Values(0, 1500),
                         [](const ::testing::TestParamInfo<int>& link) {
                           return link.param == 0 ? std::string("Quick") : std::string("Delayed");
                         });

}  // namespace
}  // namespace tarvello
