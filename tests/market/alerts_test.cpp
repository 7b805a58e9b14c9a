#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "lists/list_wire.h"
#include "market/alert_book.h"
#include "market/alert_crossing.h"
#include "market/alert_figure.h"
#include "market/alert_watch.h"
#include "market/code_list.h"
#include "protocol/packet_codec.h"
#include "storage/utf16le.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::TempFolder;

const SecurityCode kShare(u"SH600001");

QuoteRow Row(std::int32_t latest, std::int32_t changeRatio = 0) {
  QuoteRow row;
  row.code = kShare, row.name = u"Alpha", row.latest = latest, row.changeRatio = changeRatio;
  return row;
}

std::string FileOf(std::u16string_view text) { return EncodeUtf16Le(text); }

TEST(AlertFigure, AcceptsPlainDecimalsAndFiresOncePerCrossing) {
  const std::pair<std::u16string_view, std::optional<std::int64_t>> figures[] = {
      {u"12.34", 12340}, {u"8", 8000},   {u"-2.5", -2500}, {u"0.001", 1},      {u".5", 500},
      {u"3.", 3000},     {u"", {}},      {u"-", {}},       {u".", {}},         {u"1.2.3", {}},
      {u"1.2345", {}},   {u"1e5", {}},   {u" 1", {}},      {u"--1", {}},       {u"1000000.001", {}},
      {u"99999999999999999999", {}},
  };
  for (const auto& [text, figure] : figures) {
    EXPECT_EQ(ParseAlertFigure(text), figure) << std::string(text.begin(), text.end());
  }
  for (const std::int64_t figure : {12340LL, 1234LL, -500LL, 0LL, 1LL}) {
    EXPECT_EQ(ParseAlertFigure(AlertFigureText(figure)), figure);
  }
  EXPECT_EQ(AlertFigureText(12300), u"12.30");
  EXPECT_EQ(AlertFigureText(1234), u"1.234");
  // Up, three refreshes above, back below, up again: two firings. A check without a trade or
  // without the row changes nothing.
  const std::vector<Alert> above = {{kShare, kAlertPriceAbove, 10000}};
  const std::vector<std::pair<std::optional<std::int32_t>, bool>> steps = {
      {990, false}, {1000, true}, {1010, false}, {1020, false}, {std::nullopt, false},
      {0, false},   {1005, false}, {999, false}, {1001, true},  {1001, false},
  };
  AlertCrossings crossings;
  int fired = 0;
  for (const auto& [latest, fires] : steps) {
    const std::vector<QuoteRow> rows = latest ? std::vector<QuoteRow>{Row(*latest)} : std::vector<QuoteRow>{};
    const std::size_t now = crossings.Check(above, rows).size();
    EXPECT_EQ(now, fires ? 1u : 0u) << (latest ? *latest : -1);
    fired += static_cast<int>(now);
  }
  EXPECT_EQ(fired, 2);
  // The first look at an alert already past its line counts as one crossing; so does the first
  // look after its figure changed. Conditions below and on the change ratio mirror the price above.
  const std::pair<Alert, QuoteRow> cases[] = {
      {{kShare, kAlertPriceAbove, 10000}, Row(1050)},
      {{kShare, kAlertPriceBelow, 10000}, Row(950)},
      {{kShare, kAlertRatioAbove, 2000}, Row(1000, 250)},
      {{kShare, kAlertRatioBelow, -1000}, Row(1000, -150)},
  };
  for (const auto& [alert, row] : cases) {
    AlertCrossings fresh;
    EXPECT_EQ(fresh.Check({alert}, {row}).size(), 1u) << alert.condition;
    EXPECT_EQ(fresh.Check({alert}, {row}).size(), 0u) << alert.condition;
    Alert moved = alert;
    moved.figure += alert.condition == kAlertPriceBelow || alert.condition == kAlertRatioBelow ? 1 : -1;
    EXPECT_EQ(fresh.Check({moved}, {row}).size(), 1u) << alert.condition;
  }
  const AlertFiring firing{{kShare, kAlertPriceAbove, 10000}, Row(1050)};
  EXPECT_EQ(AlertMessage(firing), u"Alpha SH600001\n价格高于 10.00\n现价 10.50");
}

class AlertBookTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  AlertBook book_ = AlertBook::InFolder(folder_.path());
};

TEST_F(AlertBookTest, HoldsOneAlertPerConditionUpToTheLimitFailsWholeAndTheWatchChecksIt) {
  ASSERT_EQ(book_.Set({kShare, kAlertPriceAbove, 10000}), AlertChange::kDone);
  ASSERT_EQ(book_.Set({kShare, kAlertPriceAbove, 11000}), AlertChange::kDone);
  EXPECT_EQ(book_.All(), (std::vector<Alert>{{kShare, kAlertPriceAbove, 11000}}));
  EXPECT_EQ(book_.Set({kShare, kAlertPriceBelow, -1}), AlertChange::kRefused);
  EXPECT_EQ(book_.Set({SecurityCode(u"X"), kAlertPriceBelow, 1}), AlertChange::kRefused);
  for (int i = 1; i < 100; ++i) {
    const std::string digits = std::to_string(600000 + i);
    const SecurityCode code(u"SZ" + std::u16string(digits.begin(), digits.end()));
    ASSERT_EQ(book_.Set({code, kAlertRatioAbove, i}), AlertChange::kDone) << i;
  }
  EXPECT_EQ(book_.Set({kShare, kAlertPriceBelow, 9000}), AlertChange::kFull);
  EXPECT_EQ(book_.Set({kShare, kAlertPriceAbove, 12000}), AlertChange::kDone);
  ASSERT_EQ(book_.All().size(), 100u);
  EXPECT_EQ(book_.Remove(kShare, kAlertPriceBelow), AlertChange::kRefused);
  EXPECT_EQ(book_.Remove(kShare, kAlertPriceAbove), AlertChange::kDone);
  EXPECT_EQ(book_.All().size(), 99u);
  // A file whose name leaves no room for the engine's temporary name: every replace fails before
  // it touches the file, as a full disk would.
  AlertBook book(folder_ / std::string(250, 'A'));
  const std::string good = FileOf(u"[ALERTS]\r\nNUMBER=1\r\nALERT0=SH600001,0,12.34\r\n");
  testing::WriteBytes(book.file(), good);
  EXPECT_EQ(book.Set({kShare, kAlertPriceBelow, 9000}), AlertChange::kWriteFailed);
  EXPECT_EQ(book.Remove(kShare, kAlertPriceAbove), AlertChange::kWriteFailed);
  EXPECT_EQ(testing::ReadBytes(book.file()), good);
  EXPECT_EQ(book.All(), (std::vector<Alert>{{kShare, kAlertPriceAbove, 12340}}));
  // Bad numbers, unknown conditions, duplicate keys and alerts, gaps and ten thousand entries read
  // to the sane alerts only, never more than the limit; the next change keeps every one of them.
  std::u16string text = u"[ALERTS]\r\nNUMBER=-7\r\n"
                        u"ALERT0=SH600001,0,12.34\r\nALERT0=SH600002,0,1\r\nALERT1=SH600001,0,99\r\n"
                        u"ALERT2=SH600003,4,1\r\nALERT3=SH600004,1,abc\r\nALERT4=SH600005,1,-1\r\n"
                        u"ALERT6=SH600006,3,-1.5\r\nALERT7=SH600007\r\nALERT8=,0,1\r\n";
  for (int i = 9; i < 10000; ++i) {
    const std::string n = std::to_string(i), code = std::to_string(100000 + i);
    text += u"ALERT" + std::u16string(n.begin(), n.end()) + u"=SZ" + std::u16string(code.begin(), code.end()) + u",2,1\r\n";
  }
  testing::WriteBytes(book_.file(), FileOf(text));
  const std::vector<Alert> alerts = book_.All();
  ASSERT_EQ(alerts.size(), AlertBook::kLimit);
  EXPECT_EQ(alerts[0], (Alert{kShare, kAlertPriceAbove, 12340}));
  EXPECT_EQ(alerts[1], (Alert{SecurityCode(u"SH600006"), kAlertRatioBelow, -1500}));
  EXPECT_EQ(book_.Set(alerts[0]), AlertChange::kDone);
  EXPECT_EQ(book_.All(), alerts);
  // The check asks for every alerted security in one code-list request, marks what crossed and
  // reports it; a broken answer changes nothing.
  TempFolder folder;
  AlertBook watched = AlertBook::InFolder(folder.path());
  ASSERT_EQ(watched.Set({kShare, kAlertPriceAbove, 10000}), AlertChange::kDone);
  ASSERT_EQ(watched.Set({kShare, kAlertPriceBelow, 5000}), AlertChange::kDone);
  ASSERT_EQ(watched.Set({SecurityCode(u"SZ000002"), kAlertRatioBelow, -3000}), AlertChange::kDone);
  Bytes answer = testing::Container(kCategoryList, testing::StockBlock({{.latest = 1010}}, 2));
  testing::ScriptedServer server;
  server.SetFixedAnswer(answer);
  std::vector<AlertFiring> reported;
  AlertMarks marks;
  AlertWatch watch(watched, marks,
                   {server.Function(), std::chrono::hours(1),
                    [&](const std::vector<AlertFiring>& fired) { reported = fired; }});
  ASSERT_TRUE(watch.CheckNow());
  const std::vector<SecurityCode> codes = {kShare, SecurityCode(u"SZ000002")};
  EXPECT_EQ(server.Last(), BuildCodeListPage(0, 0, 2, codes));
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].alert.condition, kAlertPriceAbove);
  EXPECT_TRUE(marks.IsMarked(kShare));
  EXPECT_FALSE(marks.IsMarked(SecurityCode(u"SZ000002")));
  answer.resize(answer.size() - 5);
  server.SetFixedAnswer(answer);
  reported.clear();
  EXPECT_FALSE(watch.CheckNow());
  EXPECT_TRUE(reported.empty());
}

}  // namespace
}  // namespace tarvello
