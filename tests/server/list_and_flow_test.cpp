// The data behind the ranked lists and the fund-flow, sector and trade-analysis screens, over
// the whole A-share list: every sort field sorts, pages cut the sorted list, and the order-size
// splits add up to the day's trades.
#include <gtest/gtest.h>

#include <algorithm>

#include "answer_fixture.h"
#include "server/list_figures.h"
#include "server/money_flow.h"

namespace tarvello::server::testing {
namespace {

std::vector<int> AShares(const Market& m) {
  std::vector<int> shares;
  for (int i = 0; i < m.size(); ++i) {
    if (m.security(i).kind == Kind::kAShare) shares.push_back(i);
  }
  return shares;
}

struct FieldCase {
  SortField field;
  double (*value)(const ListFigures&);
};
const FieldCase kFields[] = {
    {SortField::kChangeRatio, [](const ListFigures& f) { return f.change_ratio; }},
    {SortField::kLatest, [](const ListFigures& f) { return static_cast<double>(f.last); }},
    {SortField::kVolume, [](const ListFigures& f) { return static_cast<double>(f.volume); }},
    {SortField::kAmount, [](const ListFigures& f) { return static_cast<double>(f.amount); }},
    {SortField::kTurnover, [](const ListFigures& f) { return f.turnover; }},
    {SortField::kPe, [](const ListFigures& f) { return f.pe; }},
    {SortField::kThreeDayChange, [](const ListFigures& f) { return f.three_day_change; }},
    {SortField::kThreeDayTurnover, [](const ListFigures& f) { return f.three_day_turnover; }},
    {SortField::kSpeed, [](const ListFigures& f) { return f.speed; }},
    {SortField::kChange, [](const ListFigures& f) { return static_cast<double>(f.change); }},
    {SortField::kHigh, [](const ListFigures& f) { return static_cast<double>(f.high); }},
    {SortField::kLow, [](const ListFigures& f) { return static_cast<double>(f.low); }},
};

TEST(ListFiguresTest, EverySortFieldOrdersTheWholeListAndPagesJoinUp) {
  AnswerFixture fixture;
  const std::vector<ListFigures> rows = FiguresOf(fixture.market, AShares(fixture.market), fixture.clock.Now());
  ASSERT_GT(rows.size(), 4000u);
  for (const FieldCase& c : kFields) {
    EXPECT_TRUE(IsSortField(static_cast<int>(c.field)));
    // Every field has something to sort: the traded rows do not all share one value.
    double lowest = 1e300, highest = -1e300;
    for (const ListFigures& f : rows) {
      if (f.last == 0) continue;
      lowest = std::min(lowest, c.value(f));
      highest = std::max(highest, c.value(f));
    }
    EXPECT_LT(lowest, highest) << static_cast<int>(c.field);
    for (bool ascending : {false, true}) {
      const auto whole = SortedPage(rows, c.field, ascending, 0, static_cast<int>(rows.size()));
      ASSERT_EQ(whole.size(), rows.size());
      for (std::size_t i = 1; i < whole.size(); ++i) {
        if (whole[i].last == 0) continue;
        ASSERT_NE(whole[i - 1].last, 0) << "an untraded row before a traded one";
        const double a = c.value(whole[i - 1]), b = c.value(whole[i]);
        EXPECT_TRUE(ascending ? a <= b : a >= b) << static_cast<int>(c.field) << " row " << i;
      }
      const auto page = SortedPage(rows, c.field, ascending, 40, 20);
      ASSERT_EQ(page.size(), 20u);
      for (std::size_t i = 0; i < page.size(); ++i) EXPECT_EQ(page[i].index, whole[40 + i].index);
    }
  }
  EXPECT_TRUE(SortedPage(rows, SortField::kVolume, false, static_cast<int>(rows.size()), 20).empty());
  EXPECT_FALSE(IsSortField(2));
}

TEST(MoneyFlowTest, OrderSizesAddUpToTheTradesOfEveryShare) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  for (int i : AShares(m)) {
    const Position at = fixture.PositionOf(m.security(i).code);
    const QuoteState q = QuoteAt(m, i, at);
    const FlowSplit day = SplitTrades(m, i, at.day_index, q);
    std::int64_t bought = 0, sold = 0;
    double in = 0, out = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_GE(day.bought[k], 0);
      EXPECT_GE(day.sold[k], 0);
      bought += day.bought[k];
      sold += day.sold[k];
      in += day.inflow[k];
      out += day.outflow[k];
    }
    EXPECT_EQ(bought, q.outer) << m.security(i).code;
    EXPECT_EQ(sold, q.inner) << m.security(i).code;
    EXPECT_NEAR(in + out, static_cast<double>(q.amount), 1.0 + 1e-9 * static_cast<double>(q.amount));
    EXPECT_LE(std::abs(day.NetRatio()), 100.0);
  }
}

TEST(MoneyFlowTest, DaysSumAndRanksAndSectorsFollowTheirMembers) {
  AnswerFixture fixture;
  const Market& m = fixture.market;
  const FlowBook flows(m);
  const int share = m.Find("SH600001");
  const Position at = fixture.PositionOf("SH600001");
  for (int days : {1, 3, 5, 10, 15}) {
    const FlowSplit over = flows.Over(share, at, days);
    std::int64_t volume = QuoteAt(m, share, at).volume;
    for (int d = at.day_index - days + 1; d < at.day_index; ++d) volume += m.DayVolume(share, d);
    EXPECT_EQ(over.volume, volume) << days;
  }
  const std::vector<int> shares = AShares(m);
  const std::vector<int> some(shares.begin(), shares.begin() + 200);
  std::vector<int> ranks;
  for (int i : some) ranks.push_back(flows.Rank(i, at, 3, some));
  std::sort(ranks.begin(), ranks.end());
  for (std::size_t r = 0; r < ranks.size(); ++r) EXPECT_EQ(ranks[r], static_cast<int>(r) + 1);

  const int sector = m.Find("BI000001");
  FlowSplit members;
  for (int member : m.security(sector).members) members += flows.Over(member, at, 5);
  EXPECT_DOUBLE_EQ(flows.SectorOver(sector, at, 5).NetInflow(), members.NetInflow());
}

}  // namespace
}  // namespace tarvello::server::testing
