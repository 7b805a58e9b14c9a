#include <gtest/gtest.h>

#include "futures/fund_flow_pie.h"
#include "futures/fund_flow_texts.h"

namespace tarvello {
namespace {

SecurityFundFlow Flow(std::int32_t largeIn, std::int32_t mediumIn, std::int32_t smallIn, std::int32_t largeOut,
                      std::int32_t mediumOut, std::int32_t smallOut, std::int32_t other) {
  SecurityFundFlow f;
  f.largeIn = largeIn;
  f.mediumIn = mediumIn;
  f.smallIn = smallIn;
  f.largeOut = largeOut;
  f.mediumOut = mediumOut;
  f.smallOut = smallOut;
  f.otherAmount = other;
  return f;
}

TEST(FundFlowTextsTest, TotalsNetAndRatios) {
  struct Case {
    const char* name;
    SecurityFundFlow flow;
    const char16_t* netLabel;
    FlowCell net;
  };
  const Case cases[] = {
      {"inflow", Flow(500, 300, 200, 100, 100, 100, 0), u"净流入(万元)", {u"700", kRiseRed}},
      {"outflow", Flow(100, 100, 100, 500, 300, 200, 0), u"净流出(万元)", {u"700", kOutflowTeal}},
      {"equal", Flow(300, 300, 300, 300, 300, 300, 0), u"净流入(万元)", {u"0", kPlainWhite}},
      {"past int32", Flow(2000000000, 2000000000, 0, 0, 0, 0, 0), u"净流入(万元)", {u"4000000000", kRiseRed}},
  };
  for (const Case& c : cases) {
    const FlowTotals totals = FundFlowTotals(c.flow);
    EXPECT_EQ(totals.netLabel, c.netLabel) << c.name;
    EXPECT_EQ(totals.net, c.net) << c.name;
    EXPECT_EQ(totals.in.colour, kRiseRed);
    EXPECT_EQ(totals.out.colour, kOutflowTeal);
  }
  const auto table = FundFlowTable(Flow(500, 100, 0, 200, 100, 7, 0));
  EXPECT_EQ(table[0].net, (FlowCell{u"300", kRiseRed}));
  EXPECT_EQ(table[1].net, (FlowCell{u"0", kPlainWhite}));
  EXPECT_EQ(table[2].net, (FlowCell{u"-7", kOutflowTeal}));

  SecurityFundFlow ratios;
  ratios.ratioToday = 1234;
  ratios.ratio3Days = -5;
  ratios.positionToday = 17;
  auto rows = FundFlowRatios(ratios);
  EXPECT_EQ(rows[0].ratio, (FlowCell{u"12.34%", kRiseRed}));
  EXPECT_EQ(rows[1].ratio, (FlowCell{u"-0.05%", kOutflowTeal}));
  EXPECT_EQ(rows[2].ratio, (FlowCell{u"0.00%", kPlainWhite}));
  EXPECT_EQ(rows[0].position, (FlowCell{u"17", kVolumeYellow}));
  ratios.decimals = 3;
  rows = FundFlowRatios(ratios);
  EXPECT_EQ(rows[0].ratio.text, u"1.234%");
  EXPECT_EQ(rows[2].ratio.text, u"0.000%");
}

// Slices in drawing order: large, medium and small inflow, other, small, medium and large outflow,
// from the top counter-clockwise, the last one closing at 451 degrees.
TEST(FundFlowPieTest, SliceAnglesAndRimPointsFollowTheAmounts) {
  const std::vector<PieSlice> slices = FundFlowPie(Flow(300, 200, 100, 250, 150, 50, 10), {240, 400}, 100);
  ASSERT_EQ(slices.size(), 7u);
  const int ends[] = {191, 258, 291, 294, 310, 360, 451};  // 90 + 360 x 300 / 1060 = 191, ...
  const ColorRef fills[] = {0x3F3FBF, 0x1E1E63, 0x15153F, 0xFFFFFF, 0x3F3F15, 0x7F7F2A, 0xBFBF3F};
  for (std::size_t i = 0; i < slices.size(); ++i) {
    EXPECT_EQ(slices[i].startDegree, i == 0 ? 90 : ends[i - 1]) << i;
    EXPECT_EQ(slices[i].endDegree, ends[i]) << i;
    EXPECT_EQ(slices[i].fill, fills[i]) << i;
    ASSERT_EQ(slices[i].points.size(), static_cast<std::size_t>(ends[i] - slices[i].startDegree + 2)) << i;
    EXPECT_EQ(slices[i].points.front(), (Point{240, 400}));
  }
  EXPECT_EQ(slices[0].points[1], (Point{240, 300}));  // the top, 90 degrees
  EXPECT_EQ(slices[2].points.back(), (Point{275, 493}));  // 291 degrees, with 3.14 for pi
}

TEST(FundFlowPieTest, NoPieForNothingOrForNegativeAmounts) {
  EXPECT_TRUE(FundFlowPie(SecurityFundFlow{}, {0, 0}, 50).empty());
  // A sum of 1 from amounts that cancel would ask for a slice of billions of degrees.
  EXPECT_TRUE(FundFlowPie(Flow(1000000000, 0, 0, 0, 0, 0, -999999999), {0, 0}, 50).empty());
}

}  // namespace
}  // namespace tarvello
