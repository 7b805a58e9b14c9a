// The list screen's money-flow views against a scripted quote server: the self-selected ranking,
// the sector list and a sector's pages, and the refresh period of the order details.
#include <gtest/gtest.h>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_paging.h"
#include "lists/list_routes.h"
#include "lists/list_screen_fixture.h"
#include "market/display_colours.h"
#include "navigation/list_argument.h"
#include "navigation/navigation.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

using testing::U16At;

constexpr int kSectors = 60;
constexpr int kMembers = 40;

std::u16string Numbered(const char16_t* prefix, int i) {
  const std::string digits = std::to_string(1000 + i);
  return prefix + std::u16string(digits.begin(), digits.end());
}

// Answers every request of the views by its first packet's type.
Bytes FlowAnswer(const Bytes& r) {
  ContainerWriter out;
  WireWriter w;
  switch (U16At(r, 1)) {
    case kBigOrderList:
      w.I16(2).Utf8(u"BI001475").Utf8(u"Sector").U8(2).I32(150).I32(3).I32(-20);
      w.Utf8(u"SH600001").Utf8(u"Alpha").U8(2).I32(-80).I32(9).I32(35).U16(2);
      out.Add(kBigOrderList, w.Take());
      break;
    case kCategoryList: {
      const int start = U16At(r, 11);
      w.I16(static_cast<std::int16_t>(std::max(0, std::min(U16At(r, 13), kSectors - start))));
      for (int i = start; i < std::min(kSectors, start + U16At(r, 13)); ++i) {
        w.Utf8(Numbered(u"BI000", i)).Utf8(Numbered(u"S", i)).U8(2).U8(0);
        for (int v = 0; v < 7; ++v) w.I32(100 + v);
        w.Raw(Bytes(12, 0));
      }
      w.U16(kSectors);
      out.Add(kCategoryList, w.Take());
      break;
    }
    case kQuote: {  // a sector's own quote and a page of its constituents
      for (std::int32_t v : {1100, 0, 900, 1200, 1000, 1050, 1000}) w.I32(v);
      out.Add(kQuote, w.Take());
      const int start = U16At(r, r.size() - 5);
      const int count = U16At(r, r.size() - 3);
      std::vector<testing::StockWire> rows;
      for (int i = start; i < std::min(kMembers, start + count); ++i) {
        testing::StockWire row;
        row.code = Numbered(u"SH60", i);
        row.name = Numbered(u"M", i);
        rows.push_back(row);
      }
      out.Add(kSectorMembers, testing::StockBlock(rows, kMembers));
      break;
    }
    case kOrderDetails:
      w.I32(1010).I32(800).I32(40);
      for (int i = 1; i <= 40; ++i) w.I32(i);
      w.I32(1000).I32(30).I32(3).I32(10).I32(11).I32(12);
      out.Add(kOrderDetails, w.Take());
      for (std::int32_t v : {1005, 0, 900, 1020, 990, 1000, 1000}) w.I32(v);
      out.Add(kQuote, w.Take());
      break;
    default: break;
  }
  return out.Finish();
}

class FlowViewsDlgTest : public testing::ListScreenFixture {
 protected:
  FlowViewsDlgTest() { server_.SetAnswer(FlowAnswer); }
  void OpenAndWait(int argument) {
    const int before = server_.count();
    ASSERT_TRUE(screen_.Open(kTargetQuoteList, argument));
    WaitForFetch(before);
  }
};

// The fund-flow menu's "自选股" ranks the own codes: no tab bar, a full page, and a deleted code
// leaves the ranking rows it is shown in.
TEST_F(FlowViewsDlgTest, TheSelfSelectedRankingHasNoTabBarAndDeletesFromItsOwnRows) {
  OpenAndWait(FundFlowListArgument(kCategoryAllShares));
  const int fullPage = screen_.query().rowsPerPage;
  ASSERT_TRUE(self_.Add(SecurityCode(u"BI001475")));
  ASSERT_TRUE(self_.Add(SecurityCode(u"SH600001")));
  OpenAndWait(FundFlowListArgument(1111));
  EXPECT_EQ(screen_.query().rowsPerPage, fullPage);
  EXPECT_FALSE(Paint().FindText(u"管理").has_value());

  server_.down = true;  // the refetch after the deletion keeps the rows as they are left
  screen_.RunCommand(kCmdDeleteSelfSelected);
  EXPECT_FALSE(self_.Contains(SecurityCode(u"BI001475")));
  ASSERT_EQ(screen_.view()->rows.bigOrders.size(), 1u);
  EXPECT_EQ(screen_.view()->rows.bigOrders[0].code, SecurityCode(u"SH600001"));
}

// A sector's own row heads every page of its constituents, and the second page starts where the
// first ended. (The way to a sector on a later page and back to it is a journey.)
TEST_F(FlowViewsDlgTest, ASectorsSecondPageOfConstituentsStartsWhereTheFirstEnded) {
  OpenAndWait(kCategorySectors);
  screen_.SendKey(kKeyDown);
  RunAndWait(kCmdOpenRow);
  EXPECT_EQ(screen_.query().shownSector, 1);
  EXPECT_TRUE(Paint().DrewText(Numbered(u"S", 1), kVolumeYellow));
  const int perPage = ConstituentsPerPage(screen_.query().rowsPerPage);
  const int before = server_.count();
  TapText(u"下翻");
  WaitForFetch(before);
  EXPECT_EQ(U16At(server_.Last(), server_.Last().size() - 5), perPage);
  EXPECT_TRUE(Paint().DrewText(Numbered(u"S", 1), kVolumeYellow));
  EXPECT_TRUE(Paint().FindText(Numbered(u"M", perPage)).has_value());
}

// A sector opens by change ratio, largest first, whatever order the sector list was in, and
// "返回" brings that order back with the page and row.
TEST_F(FlowViewsDlgTest, ASectorOpensByChangeRatioAndBackRestoresTheSectorListsOrder) {
  OpenAndWait(kCategorySectors);
  RunAndWait(kCmdAscending);
  const ListQuery sorted = screen_.query();
  ASSERT_EQ(sorted.sortDirection, 1);
  screen_.SendKey(kKeyDown);
  RunAndWait(kCmdOpenRow);
  const Bytes members = server_.Last();  // sector number, field, direction, start, count
  EXPECT_EQ(members[members.size() - 7], kSortChangeRatio);
  EXPECT_EQ(members[members.size() - 6], 0);

  const int back = server_.count();
  TapText(u"返回");
  WaitForFetch(back);
  const Bytes list = server_.Last();
  EXPECT_EQ(list[8], kCategorySectors);
  EXPECT_EQ(list[9], sorted.sortField);
  EXPECT_EQ(list[10], 1);
  EXPECT_EQ(screen_.selected_row(), 2);
}

// The sector list keeps the class last chosen when it is opened again, and whichever way it is
// opened afresh it ranks by change ratio, largest first, under the arrow on "涨幅%".
TEST_F(FlowViewsDlgTest, TheSectorListKeepsItsClassAndOpensAfreshByChangeRatio) {
  const auto sentOrder = [&] {
    const Bytes list = server_.Last();  // selector, category, field, direction, start, count, class
    return std::vector<int>{list[8], list[9], list[10], list[15], screen_.arrow_column()};
  };
  OpenAndWait(kCategorySectorFunds);  // a fresh start: no place on the sector list was left
  int before = server_.count();
  TapText(u"返回");
  WaitForFetch(before);
  EXPECT_EQ(sentOrder(), (std::vector<int>{kCategorySectors, kSortChangeRatio, 0, 0, 1}));

  RunAndWait(kCmdAscending);
  RunAndWait(kCmdSectorConcept);
  EXPECT_EQ(sentOrder(), (std::vector<int>{kCategorySectors, kSortChangeRatio, 0, 1, 1}));
  OpenAndWait(kCategorySectors);
  EXPECT_EQ(sentOrder(), (std::vector<int>{kCategorySectors, kSortChangeRatio, 0, 1, 1}));
}

TEST_F(FlowViewsDlgTest, AListPeriodSetLaterHoldsForEveryListOpenedButTheOrderDetails) {
  using std::chrono::seconds;
  screen_.SetListPeriod(seconds(30));
  OpenAndWait(kCategorySectors);
  EXPECT_EQ(screen_.refresh_period(), seconds(30));
  navigator_.Browse(BrowseChange::Alone(SecurityCode(u"SH600001")));
  OpenAndWait(kListArgOrderDetails);
  screen_.SetListPeriod(seconds(40));
  EXPECT_EQ(screen_.refresh_period(), seconds(5));
  OpenAndWait(kCategorySectors);
  EXPECT_EQ(screen_.refresh_period(), seconds(40));
}

}  // namespace
}  // namespace tarvello
