#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "text/text_codec.h"
#include "traffic/traffic_file.h"
#include "traffic/traffic_ledger.h"

namespace tarvello::testing {
namespace {

TrafficTotals Sample() {
  TrafficTotals totals;
  totals.day = 20261207;
  totals.today = 700;
  totals.month = 202612;
  totals.this_month = 1500;
  totals.screens[kTrafficTicker] = 1000;
  totals.screens[kTrafficDetail] = 500;
  totals.last_month = 202611;
  totals.last_month_bytes = 123456789012ULL;
  totals.allowance_mb = 50;
  totals.warned_month = 202611;
  return totals;
}

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
  const std::size_t at = text.find(from);
  if (at != std::u16string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(TrafficFileTest, TotalsReadBackAsWritten) {
  const TrafficTotals totals = Sample();
  EXPECT_EQ(ReadTrafficText(TrafficText(totals)), totals);
  TempFolder folder;
  ASSERT_TRUE(SaveTraffic(folder / kTrafficFileName, totals));
  EXPECT_EQ(LoadTraffic(folder / kTrafficFileName), totals);
  EXPECT_EQ(LoadTraffic(folder / "missing.ini"), TrafficTotals{});
}

// A counts section that does not hold together starts at zero; the allowance is still read.
TEST(TrafficFileTest, DamagedCountsStartAtZeroAndKeepTheAllowance) {
  const std::u16string good = TrafficText(Sample());
  const struct {
    std::u16string_view from, to;
  } damages[] = {
      {u"TODAY=700", u"TODAY=7x0"},
      {u"TODAY=700", u"TODAY=-700"},
      {u"TODAY=700", u"TODAY=1501"},
      {u"DETAIL=500", u"DETAIL=501"},
      {u"DETAIL=500\r\n", u""},
      {u"DAY=20261207", u"DAY=20261307"},
      {u"DAY=20261207", u"DAY=20261107"},
      {u"MONTHBYTES=1500", u"MONTHBYTES=99999999999999999999"},
      {u"LASTMONTH=202611", u"LASTMONTH=13"},
      {u"[TRAFFIC]", u"[TRAFFIX]"},
  };
  for (const auto& damage : damages) {
    const TrafficTotals read = ReadTrafficText(Replaced(good, damage.from, damage.to));
    EXPECT_EQ(read.this_month, 0u) << text::ToUtf8(damage.to);
    EXPECT_EQ(read.last_month_bytes, 0u);
    EXPECT_EQ(read.allowance_mb, 50);
  }
}

TEST(TrafficFileTest, DamagedAllowanceReadsAsNoneAndKeepsTheCounts) {
  const std::u16string text = Replaced(TrafficText(Sample()), u"LIMITMB=50", u"LIMITMB=5000000");
  const TrafficTotals read = ReadTrafficText(text);
  EXPECT_EQ(read.allowance_mb, 0);
  EXPECT_EQ(read.this_month, 1500u);
}

// A damaged file on disk: the ledger starts at zero, counts on and replaces it with a sound one.
TEST(TrafficFileTest, LedgerOverADamagedFileStartsAgainAndWritesItWhole) {
  TempFolder folder;
  const auto file = folder / kTrafficFileName;
  WriteBytes(file, "\xff\xfe[TRAFFIC]\r\nDAY=garbage");
  TrafficLedger ledger(file, [] { return TrafficDate{2026, 12, 7}; });
  ledger.Count(kTrafficList, 300);
  ASSERT_TRUE(ledger.SaveIfChanged());
  const TrafficTotals read = LoadTraffic(file);
  EXPECT_EQ(read.this_month, 300u);
  EXPECT_EQ(read.screens[kTrafficList], 300u);
  EXPECT_EQ(read.day, 20261207);
}

}  // namespace
}  // namespace tarvello::testing
