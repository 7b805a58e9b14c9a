// The traffic ledger: its totals through days and months, its file read back and read damaged,
// the allowance's warning and longer periods, the page's figures, and the count of an exchange
// against what a recording proxy saw pass on the socket, in both modes.
#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "protocol/refresh_worker.h"
#include "support/fault_proxy.h"
#include "support/temp_folder.h"
#include "support/transport_fixture.h"
#include "text/text_codec.h"
#include "traffic/traffic_file.h"
#include "traffic/traffic_ledger.h"
#include "traffic/traffic_page.h"
#include "traffic/traffic_units.h"

namespace tarvello::testing {
namespace {

// What a new day does to the totals of 2026-12-07 (today 100, this month 1000).
TEST(TrafficLedgerTest, NewDaysAndMonthsMoveTheTotalsAndClearingKeepsTheAllowance) {
  const struct {
    TrafficDate date;
    std::uint64_t today, month, last;
    int last_month;
  } rows[] = {
      {{2026, 12, 7}, 100, 1000, 0, 202611},  // same day
      {{2026, 12, 8}, 0, 1000, 0, 202611},    // next day
      {{2027, 1, 1}, 0, 0, 1000, 202612},     // next month, over the year's end
      {{2027, 2, 3}, 0, 0, 0, 202701},        // a month skipped
      {{2026, 11, 30}, 0, 0, 0, 202610},      // the clock set back a month
  };
  for (const auto& row : rows) {
    TrafficTotals totals;
    RollTo(totals, {2026, 12, 7});
    totals.today = 100;
    totals.this_month = 1000;
    totals.screens[kTrafficOther] = 1000;
    RollTo(totals, row.date);
    EXPECT_EQ(std::tuple(totals.today, totals.this_month, totals.screens[kTrafficOther],
                         totals.last_month_bytes, totals.last_month),
              std::tuple(row.today, row.month, row.month, row.last, row.last_month))
        << DayNumber(row.date);
  }
  // Clearing zeroes the counts and keeps the allowance.
  TempFolder folder;
  TrafficLedger ledger(folder / kTrafficFileName, [] { return TrafficDate{2026, 12, 7}; });
  ledger.SetAllowance(30);
  ledger.Count(kTrafficDetail, 400);
  ASSERT_TRUE(ledger.Clear());
  const TrafficTotals totals = LoadTraffic(folder / kTrafficFileName);
  EXPECT_EQ(std::tuple(totals.this_month, totals.allowance_mb), std::tuple(0u, 30));
}

TrafficTotals Sample() {
  TrafficTotals totals;
  totals.day = 20261207, totals.today = 700;
  totals.month = 202612, totals.this_month = 1500;
  totals.screens[kTrafficTicker] = 1000, totals.screens[kTrafficDetail] = 500;
  totals.last_month = 202611, totals.last_month_bytes = 123456789012ULL;
  totals.allowance_mb = 50, totals.warned_month = 202611;
  return totals;
}

std::u16string Replaced(std::u16string text, std::u16string_view from, std::u16string_view to) {
  const std::size_t at = text.find(from);
  if (at != std::u16string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(TrafficFileTest, TotalsReadBackAsWrittenDamagedOnesStartAtZeroAndTheLedgerWritesThemWhole) {
  const TrafficTotals totals = Sample();
  EXPECT_EQ(ReadTrafficText(TrafficText(totals)), totals);
  TempFolder folder;
  ASSERT_TRUE(SaveTraffic(folder / kTrafficFileName, totals));
  EXPECT_EQ(LoadTraffic(folder / kTrafficFileName), totals);
  EXPECT_EQ(LoadTraffic(folder / "missing.ini"), TrafficTotals{});
  // A counts section that does not hold together starts at zero and the allowance is still read; a
  // damaged allowance reads as none and keeps the counts.
  const std::u16string good = TrafficText(Sample());
  const struct {
    std::u16string_view from, to;
    std::uint64_t this_month = 0;
    int allowance_mb = 50;
  } damages[] = {
      {u"TODAY=700", u"TODAY=7x0"},
      {u"TODAY=700", u"TODAY=1501"},
      {u"DETAIL=500", u"DETAIL=501"},
      {u"DAY=20261207", u"DAY=20261307"},
      {u"DAY=20261207", u"DAY=20261107"},
      {u"MONTHBYTES=1500", u"MONTHBYTES=99999999999999999999"},
      {u"LASTMONTH=202611", u"LASTMONTH=13"},
      {u"[TRAFFIC]", u"[TRAFFIX]"},
      {u"LIMITMB=50", u"LIMITMB=5000000", 1500, 0},
  };
  for (const auto& damage : damages) {
    const TrafficTotals read = ReadTrafficText(Replaced(good, damage.from, damage.to));
    EXPECT_EQ(read.this_month, damage.this_month) << text::ToUtf8(damage.to);
    EXPECT_EQ(read.last_month_bytes, damage.this_month == 0 ? 0u : 123456789012ULL);
    EXPECT_EQ(read.allowance_mb, damage.allowance_mb);
  }
  // A damaged file on disk: the ledger starts at zero, counts on and replaces it with a sound one.
  TempFolder damaged;
  const auto file = damaged / kTrafficFileName;
  WriteBytes(file, "\xff\xfe[TRAFFIC]\r\nDAY=garbage");
  TrafficLedger ledger(file, [] { return TrafficDate{2026, 12, 7}; });
  ledger.Count(kTrafficList, 300);
  ASSERT_TRUE(ledger.SaveIfChanged());
  const TrafficTotals read = LoadTraffic(file);
  EXPECT_EQ(std::tuple(read.this_month, read.screens[kTrafficList], read.day),
            std::tuple(300u, 300u, 20261207));
}

class NoScreen : public RefreshScreen {
 public:
  bool RunExchange() override { return true; }
  void InvalidateScreen() override {}
  void SetRefreshTimer(unsigned, unsigned) override {}
  void PostToMainScreen(const Message&) override {}
};

// One allowance of 1 MB through a month, with a fake clock: the warning comes once at 80 %, the
// periods double past 100 % and come back when the allowance is raised or the month turns.
TEST(TrafficAllowanceTest, WarnsOnceAtEightyPercentDoublesPeriodsPastItAndThePageShowsTheFigures) {
  TempFolder folder;
  TrafficDate date{2026, 12, 7};
  auto ledger =
      std::make_unique<TrafficLedger>(folder / kTrafficFileName, [&date] { return date; });
  int warnings = 0;
  const auto watch = [&warnings](TrafficLedger& l) {
    l.SetWarning([&warnings](const TrafficTotals&) { ++warnings; });
  };
  watch(*ledger);
  InstallTrafficSink(ledger.get());
  // A new ledger over the file written by the old one, counting one more byte.
  const auto restart = [&] {
    ledger->SaveIfChanged();
    ledger = std::make_unique<TrafficLedger>(folder / kTrafficFileName, [&date] { return date; });
    watch(*ledger);
    InstallTrafficSink(ledger.get());
    ledger->Count(kTrafficDetail, 1);
  };
  const auto next_month = [&date] { date = TrafficDate{2027, 1, 1}; };
  NoScreen screen;
  RefreshWorker worker(screen, 3001, std::chrono::seconds(5));

  const struct {
    std::function<void()> step;
    int warnings;
    bool saving;
  } steps[] = {
      {[&] { ledger->Count(kTrafficDetail, 800000); }, 0, false},  // allowance off: nothing
      {[&] { ledger->SetAllowance(1); }, 0, false},
      {[&] { ledger->Count(kTrafficDetail, 38861); }, 1, false},   // 838861 bytes: 80 %
      {[&] { ledger->Count(kTrafficDetail, 104857); }, 1, false},  // 90 %: no second box
      {[&] { ledger->Count(kTrafficDetail, 104858); }, 1, false},  // exactly 1 MB
      {[&] { ledger->Count(kTrafficDetail, 1); }, 1, true},        // past it
      {restart, 1, true},                                          // a restart keeps it all
      {[&] { ledger->SetAllowance(2); }, 1, false},                // raised
      {[&] { ledger->SetAllowance(1); }, 1, true},
      {next_month, 1, false},                                      // the month turns
      {[&] { ledger->Count(kTrafficDetail, 838861); }, 2, false},  // a new month warns again
  };
  int row_number = 0;
  for (const auto& row : steps) {
    row.step();
    EXPECT_EQ(warnings, row.warnings) << "row " << row_number;
    EXPECT_EQ(TrafficSaving(), row.saving) << "row " << row_number;
    EXPECT_EQ(worker.period(), std::chrono::seconds(row.saving ? 10 : 5)) << "row " << row_number;
    ++row_number;
  }
  InstallTrafficSink(nullptr);
  // The page's figures come in KB and MB, rounded at their last decimal, with shares and hourly
  // costs.
  TrafficReport report;
  TrafficTotals& totals = report.totals;
  totals.today = 1536, totals.this_month = 3 * 1024 * 1024, totals.last_month_bytes = 1023;
  totals.screens[kTrafficTicker] = 2 * 1024 * 1024, totals.screens[kTrafficDetail] = 1024 * 1024;
  totals.allowance_mb = 10;
  report.last_exchange[kTrafficTicker] = 300;    // every 3 s: 360000 bytes an hour
  report.last_exchange[kTrafficDetail] = 10240;  // every 10 s: 3686400 bytes an hour
  report.last_exchange[kTrafficInfo] = 5000;     // no period of its own
  TrafficPeriods periods{};
  periods[kTrafficTicker] = 3, periods[kTrafficDetail] = 10;
  const TrafficPage page = BuildTrafficPage(report, periods);

  EXPECT_EQ(page.totals[0].kilobytes, u"1.5KB");
  EXPECT_EQ(page.totals[1].megabytes, u"3.00MB");
  EXPECT_EQ(page.allowance, u"流量限额：10MB（已用30.0%）");
  const struct {
    TrafficScreen screen;
    std::u16string_view share, hourly;
  } rows[] = {
      {kTrafficTicker, u"66.7%", u"351.6KB"},
      {kTrafficDetail, u"33.3%", u"3.52MB"},
      {kTrafficInfo, u"0.0%", u"--"},
  };
  ASSERT_EQ(page.screens.size(), static_cast<std::size_t>(kTrafficScreenCount));
  for (const auto& row : rows) {
    const TrafficScreenRow& shown = page.screens[static_cast<std::size_t>(row.screen)];
    EXPECT_EQ(std::tie(shown.share, shown.hourly), std::tuple(row.share, row.hourly)) << row.screen;
  }
  const struct {
    std::uint64_t bytes;
    std::u16string_view kb, mb;
  } units[] = {
      {0, u"0.0KB", u"0.00MB"},
      {1023, u"1.0KB", u"0.00MB"},
      {1024 * 1024 - 1, u"1024.0KB", u"1.00MB"},
      {~std::uint64_t{0}, u"18014398509481984.0KB", u"17592186044416.00MB"},
  };
  for (const auto& unit : units) {
    EXPECT_EQ(KilobyteText(unit.bytes), unit.kb) << unit.bytes;
    EXPECT_EQ(MegabyteText(unit.bytes), unit.mb) << unit.bytes;
  }
}

class TrafficCountTest : public TransportTest {
 protected:
  TrafficCountTest() { InstallTrafficSink(&ledger_); }
  ~TrafficCountTest() override { InstallTrafficSink(nullptr); }

  // The proxy records its count just after passing the bytes on; wait for it to settle.
  static std::size_t ProxyBytes(FaultProxy& proxy, std::size_t expected) {
    for (int i = 0; i < 100 && proxy.Requests().size() + proxy.AnswerBytes() != expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return proxy.Requests().size() + proxy.AnswerBytes();
  }

  void ExpectCounted(FaultProxy& proxy) {
    const TrafficReport report = ledger_.Report();
    const std::uint64_t counted = report.totals.screens[kTrafficDetail];
    EXPECT_GT(counted, 0u);
    EXPECT_EQ(ProxyBytes(proxy, counted), counted);
    EXPECT_EQ(report.last_exchange[kTrafficDetail], counted);
    EXPECT_EQ(report.totals.this_month, counted);
    EXPECT_EQ(report.totals.today, counted);
  }

  TempFolder files_;
  TrafficLedger ledger_{files_ / kTrafficFileName, [] { return TrafficDate{2026, 12, 7}; }};
};

TEST_F(TrafficCountTest, DirectExchangeCountsTheBytesOnTheSocket) {
  LoopbackServer server([](ServerConnection& c) { ServeAnswers(c, QuoteAnswer(3000)); });
  FaultProxy proxy(server.port());
  MakeTransport();
  transport_->SetServer("127.0.0.1", proxy.port());
  ASSERT_EQ(transport_->Connect(), 0);
  Bytes response(10240);
  {
    const TrafficScope counted(kTrafficDetail);
    ASSERT_GT(Exchange(response), 0);
  }
  ExpectCounted(proxy);
}

TEST_F(TrafficCountTest, WapExchangeCountsTheHttpFramingToo) {
  LoopbackServer gateway([](ServerConnection& c) {
    c.ReadHttpRequest();
    c.Send(HttpAnswer(std::string(2500, 'b')));
  });
  FaultProxy proxy(gateway.port());
  MakeTransport(WapGateway{"127.0.0.1", proxy.port()});
  transport_->SetServer("10.1.2.3", 2860);
  transport_->SetDirect(false);
  Bytes response(10240);
  {
    const TrafficScope counted(kTrafficDetail);
    ASSERT_EQ(Exchange(response), 2500);
  }
  ExpectCounted(proxy);
}

}  // namespace
}  // namespace tarvello::testing
