#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_screen_fixture.h"
#include "market/alert_marks.h"
#include "market/display_colours.h"
#include "navigation/navigation.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

using testing::MarketCode;
using StockListDlgTest = testing::ListScreenFixture;

TEST_F(StockListDlgTest, SelfSelectedCodesAreYellowAndTheOwnListIsFetchedByCode) {
  // The screen found no self-selected file: the list begins with the two main indices.
  const std::vector<SecurityCode> first = self_.Codes();
  ASSERT_EQ(first, (std::vector<SecurityCode>{SecurityCode(u"SH000001"), SecurityCode(u"SZ399001")}));
  for (const SecurityCode& index : first) self_.Remove(index);
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(2))));
  OpenAndWait(kTargetQuoteList, -60);
  EXPECT_TRUE(Paint().DrewText(u"N0002", kVolumeYellow));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kPlainWhite));
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyDown);
  screen_.RunCommand(32791);  // "加入自选" on row 4
  EXPECT_TRUE(self_.Contains(SecurityCode(MarketCode(3))));
  EXPECT_TRUE(Paint().DrewText(u"N0003", kVolumeYellow));

  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const Bytes request = server_.Last();
  EXPECT_EQ(request[7], 2);       // by code list
  EXPECT_EQ(request[12], 2);      // the page ends after the second code
  EXPECT_EQ(request[14], 2);      // both codes
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"N0002", kPlainWhite));  // no yellow in the own list itself
  EXPECT_TRUE(canvas.FindText(u"(1/1)").has_value());
  EXPECT_TRUE(canvas.FindText(u"管理").has_value());

  const int before = server_.count();
  screen_.RunCommand(32794);  // "删除自选" on row 1
  EXPECT_FALSE(self_.Contains(SecurityCode(MarketCode(2))));
  EXPECT_EQ(screen_.view()->rows.quotes.size(), 1u);
  WaitForFetch(before);
}

// A row of the own lists opens after the security query, on the stock detail screen.
TEST_F(StockListDlgTest, OwnListRowsOpenAfterTheSecurityQuery) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(4))));
  ASSERT_TRUE(recent_.Remember(SecurityCode(MarketCode(5))));
  for (const int target : {kTargetQuoteListOtherPage, kTargetQuoteListOwnPage}) {
    SCOPED_TRACE(target);
    navigator_.visits.clear();
    OpenAndWait(target, 0);
    const int before = server_.count();
    screen_.SendKey(kKeyEnter);
    ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !navigator_.visits.empty(); }));
    ASSERT_GT(server_.count(), before);
    EXPECT_EQ(testing::TypeOf(server_.Requests()[static_cast<std::size_t>(before)]), kSecurityInfo);
    EXPECT_EQ(navigator_.visits.back(), (NavigationRequest{kTargetStockDetail, kTargetQuoteList}));
  }
}

// Another page or order is a list opened afresh: the rows of the one before go at once and stay
// gone when its fetch fails, so that Enter cannot open a security of the old page.
TEST_F(StockListDlgTest, ANewPageOrOrderDropsTheRowsShownBefore) {
  const struct {
    const char* name;
    std::function<void()> act;
  } cases[] = {
      {"page down", [&] { TapText(u"下翻"); }},
      {"header tap", [&] { TapText(u"最新"); }},
      {"sort command", [&] { screen_.RunCommand(kCmdAscending); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server_.down = false;
    OpenAndWait(kTargetQuoteList, -60);
    server_.down = true;
    const int before = server_.count();
    c.act();
    EXPECT_TRUE(screen_.view()->rows.quotes.empty());
    WaitForFetch(before);
    screen_.SendKey(kKeyEnter);
    EXPECT_TRUE(screen_.view()->rows.quotes.empty());
    EXPECT_TRUE(navigator_.visits.empty());
  }
}

// A tap near the right end of the third column's header sorts by that column: the ">" there
// takes only its own width.
TEST_F(StockListDlgTest, ATapBesideTheHeadersArrowSorts) {
  OpenAndWait(kTargetQuoteList, -60);
  const auto third = Paint().FindText(u"涨跌");
  ASSERT_TRUE(third.has_value());
  screen_.Tap({third->box.right - 12, third->box.top + 2});
  EXPECT_EQ(screen_.first_column(), 1);
  EXPECT_EQ(screen_.query().sortField, kSortChange);
}

// A broken answer shows the rows read before the fault but is no good answer: the figures grow
// old and are dimmed when it keeps coming.
TEST_F(StockListDlgTest, ABrokenAnswerShowsItsRowsButCountsAsNoAnswer) {
  server_.SetAnswer([](const Bytes& r) {
    Bytes answer = testing::MarketAnswer(r);
    if (!answer.empty()) answer.back() = 'x';
    return answer;
  });
  OpenAndWait(kTargetQuoteList, -60);
  EXPECT_FALSE(screen_.view()->rows.quotes.empty());
  EXPECT_FALSE(screen_.HadGoodAnswer());
}

// A marked security's name is drawn as "★name" on the mark's band, and the self-selected list's
// "预警设置" opens the alerts page on the chosen row.
TEST_F(StockListDlgTest, MarkedNamesAreDrawnMarkedAndTheMenuOpensTheAlertsPage) {
  server_.SetFixedAnswer(testing::Container(kCategoryList, testing::StockBlock({{}, {.code = u"SZ000002", .name = u"Beta"}}, 2)));
  AlertMarks::Shared().ClearAll();
  AlertMarks::Shared().Mark(SecurityCode(u"SZ000002"));
  OpenAndWait(kTargetQuoteListOtherPage, 0);
  const RecordingCanvas canvas = Paint();
  const std::optional<DrawCall> marked = canvas.FindText(u"★Beta");
  ASSERT_TRUE(marked.has_value());
  EXPECT_TRUE(canvas.FindText(u"Alpha").has_value());
  const std::vector<DrawCall> fills = canvas.CallsOf(DrawCall::Kind::kFill);
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const DrawCall& fill) {
    return fill.color == kAlertMarkBand && fill.box == marked->box;
  }));
  const std::vector<MenuItem> items = screen_.PopupMenuItems();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const MenuItem& m) { return m.command == kCmdAlerts; }));
  screen_.RunCommand(kCmdAlerts);
  EXPECT_EQ(navigator_.CurrentSecurity(), SecurityCode(u"SH600001"));
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetAlerts, kTargetQuoteListOtherPage}}));
  AlertMarks::Shared().ClearAll();
}

}  // namespace
}  // namespace tarvello
