#include <gtest/gtest.h>

#include "traffic/traffic_page.h"
#include "traffic/traffic_units.h"

namespace tarvello::testing {
namespace {

TEST(TrafficPageTest, FiguresComeInKbAndMbWithSharesAndHourlyCosts) {
  TrafficReport report;
  report.totals.today = 1536;
  report.totals.this_month = 3 * 1024 * 1024;
  report.totals.screens[kTrafficTicker] = 2 * 1024 * 1024;
  report.totals.screens[kTrafficDetail] = 1024 * 1024;
  report.totals.last_month_bytes = 1023;
  report.totals.allowance_mb = 10;
  report.last_exchange[kTrafficTicker] = 300;    // every 3 s: 360000 bytes an hour
  report.last_exchange[kTrafficDetail] = 10240;  // every 10 s: 3686400 bytes an hour
  report.last_exchange[kTrafficInfo] = 5000;     // no period of its own
  TrafficPeriods periods{};
  periods[kTrafficTicker] = 3;
  periods[kTrafficDetail] = 10;
  const TrafficPage page = BuildTrafficPage(report, periods);

  EXPECT_EQ(page.totals[0].kilobytes, u"1.5KB");
  EXPECT_EQ(page.totals[0].megabytes, u"0.00MB");
  EXPECT_EQ(page.totals[1].megabytes, u"3.00MB");
  EXPECT_EQ(page.totals[2].kilobytes, u"1.0KB");
  EXPECT_EQ(page.allowance, u"流量限额：10MB（已用30.0%）");
  const struct {
    TrafficScreen screen;
    std::u16string_view name, share, hourly;
  } rows[] = {
      {kTrafficTicker, u"主界面指数", u"66.7%", u"351.6KB"},
      {kTrafficDetail, u"个股行情", u"33.3%", u"3.52MB"},
      {kTrafficInfo, u"资讯", u"0.0%", u"--"},
      {kTrafficKLine, u"K线图", u"0.0%", u"--"},
  };
  ASSERT_EQ(page.screens.size(), static_cast<std::size_t>(kTrafficScreenCount));
  for (const auto& row : rows) {
    const TrafficScreenRow& shown = page.screens[static_cast<std::size_t>(row.screen)];
    EXPECT_EQ(shown.name, row.name);
    EXPECT_EQ(shown.share, row.share) << row.screen;
    EXPECT_EQ(shown.hourly, row.hourly) << row.screen;
  }
}

TEST(TrafficPageTest, UnitsRoundAtTheirLastDecimal) {
  const struct {
    std::uint64_t bytes;
    std::u16string_view kb, mb;
  } rows[] = {
      {0, u"0.0KB", u"0.00MB"},
      {1023, u"1.0KB", u"0.00MB"},
      {1024 * 1024 - 1, u"1024.0KB", u"1.00MB"},
      {1024 * 1024 * 5 / 2, u"2560.0KB", u"2.50MB"},
      {~std::uint64_t{0}, u"18014398509481984.0KB", u"17592186044416.00MB"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(KilobyteText(row.bytes), row.kb) << row.bytes;
    EXPECT_EQ(MegabyteText(row.bytes), row.mb) << row.bytes;
  }
  EXPECT_EQ(AllowanceChoiceText(0), u"关闭");
}

}  // namespace
}  // namespace tarvello::testing
