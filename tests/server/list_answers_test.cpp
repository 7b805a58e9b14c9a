// The quote list answers, read back field by field as the terminal reads them: sorting and paging
// on the server, own code lists, sectors, fund-flow lists, the security search and nonsense requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "answer_fixture.h"
#include "futures/futures_request.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_request.h"
#include "protocol/block_reader.h"
#include "protocol/wire_writer.h"
#include "server/figures/fund_flow.h"
#include "server/market/money_flow.h"
#include "server/wire/list_rows.h"
#include "server/wire/security_search.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

// Quote rows carry a status byte after the decimals, sector rows also a fixed-width leader
// name after their values, big-order and fund rows neither.
enum class Shape { kQuote, kSector, kFlow };

struct Row {
  std::string code;
  std::u16string name;
  int decimals = 0;
  std::vector<int> values;  // the int32 fields in wire order
  std::u16string leader;
};

struct ListBlock {
  std::vector<Row> rows;
  int total = -1;
  bool well_formed = false;
};

// Quote rows: latest, changeRatio, change, turnover, volume, high, low, speed, pe, ignored.
// Sector rows: latest, changeRatio, amount, turnover, volume, three-day change and turnover.
constexpr int kQuoteFields = 10;
constexpr int kSectorFields = 7;

ListBlock ReadList(const Block& block, int fields, Shape shape = Shape::kQuote) {
  BlockReader reader(block.body.data(), 0, block.body.size());
  ListBlock list;
  const int n = reader.Int16();
  for (int i = 0; i < n && !reader.overrun(); ++i) {
    Row row;
    row.code = text::ToUtf8(reader.String());
    row.name = reader.String();
    row.decimals = reader.Byte();
    if (shape != Shape::kFlow) reader.Byte();
    for (int k = 0; k < fields; ++k) row.values.push_back(reader.Int32());
    if (shape == Shape::kSector) row.leader = reader.FixedString(kLeaderNameBytes);
    list.rows.push_back(row);
  }
  list.total = reader.UInt16();
  list.well_formed = !reader.overrun() && reader.AtEnd() && n == static_cast<int>(list.rows.size());
  return list;
}

// Whether value k of the rows, as shown on screen, runs down (direction 0) or up (1).
bool Ordered(const std::vector<Row>& rows, std::size_t k, int direction) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const double before = rows[i - 1].values[k] / std::pow(10.0, rows[i - 1].decimals);
    const double after = rows[i].values[k] / std::pow(10.0, rows[i].decimals);
    if (direction == 0 ? before < after : before > after) return false;
  }
  return true;
}

Bytes CodeList(int field, int direction, int start, int end, const std::vector<std::string>& codes) {
  WireWriter packet = WireWriter::Packet(kCategoryList, 0);
  packet.U8(2).U8(static_cast<std::uint8_t>(field)).U8(static_cast<std::uint8_t>(direction));
  packet.U16(static_cast<std::uint16_t>(start)).U16(static_cast<std::uint16_t>(end));
  packet.U16(static_cast<std::uint16_t>(codes.size()));
  for (const std::string& code : codes) packet.Str(code);
  return packet.FinishPacket();
}

Bytes MembersOf(const std::string& sector, int field, int count) {
  return CPacketCodec().BuildSectorMembers(static_cast<std::uint16_t>(SectorNumber(sector)),
                                           static_cast<std::uint8_t>(field), 0, 0, static_cast<std::uint16_t>(count));
}

class ListAnswersTest : public ::testing::Test {
 protected:
  ListBlock Category(int category, int field, int direction, int start, int count, int extra = 0) {
    CPacketCodec codec;
    codec.SetListParamA(static_cast<std::uint8_t>(extra));
    const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
    const auto blocks = fixture.Ask({codec.BuildCategoryList(u8(category), u8(field), u8(direction),
                                                             static_cast<std::uint16_t>(start),
                                                             static_cast<std::uint16_t>(count))});
    if (blocks.size() != 1 || blocks[0].type != kCategoryList) return {};
    const bool sectors = category == 105;
    return ReadList(blocks[0], sectors ? kSectorFields : kQuoteFields, sectors ? Shape::kSector : Shape::kQuote);
  }
  // The whole list, page by page, checking every page and the total they all carry.
  std::vector<Row> WholeList(int category, int field, int direction, int page_rows) {
    std::vector<Row> rows;
    for (int start = 0;; start += page_rows) {
      const ListBlock page = Category(category, field, direction, start, page_rows);
      EXPECT_TRUE(page.well_formed);
      rows.insert(rows.end(), page.rows.begin(), page.rows.end());
      if (page.rows.empty() || static_cast<int>(rows.size()) >= page.total) {
        EXPECT_EQ(static_cast<int>(rows.size()), page.total) << "category " << category;
        return rows;
      }
    }
  }
  AnswerFixture fixture;
};

// Each sort field and direction of the quote and sector lists orders a full page; one order is
// paged through the whole list, whose pages carry the total they add up to.
TEST_F(ListAnswersTest, EverySortFieldAndDirectionOrdersTheListAndEachSectorClassItsOwn) {
  using Fields = std::vector<std::pair<int, std::size_t>>;  // sort field, place of its value in a row
  const std::pair<int, Fields> lists[] = {
      {0, {{1, 1}, {4, 0}, {16, 2}, {5, 4}, {21, 5}, {22, 6}, {7, 3}, {15, 7}, {8, 8}}},
      {105, {{1, 1}, {10, 5}, {6, 2}, {5, 4}, {4, 0}, {7, 3}, {12, 6}}}};
  for (const auto& [category, fields] : lists) {
    for (const auto& [field, value] : fields) {
      for (const int direction : {0, 1}) {
        const ListBlock page = Category(category, field, direction, 0, 100);
        ASSERT_TRUE(page.well_formed);
        ASSERT_FALSE(page.rows.empty());
        EXPECT_TRUE(Ordered(page.rows, value, direction)) << category << ": " << field << "/" << direction;
      }
    }
  }
  EXPECT_TRUE(Ordered(WholeList(0, 1, 1, 45), 1, 1));
  // The sector list names the leader, and each class lists its own sectors.
  const Row sector = Category(105, 1, 0, 0, 1).rows.at(0);
  EXPECT_EQ(sector.leader, ReadList(fixture.Ask({MembersOf(sector.code, 1, 1)}).at(0), kQuoteFields).rows.at(0).name);
  int sectors = 0;
  for (const int sector_class : {0, 1, 2}) {
    const int total = Category(105, 1, 0, 0, 1, sector_class).total;
    EXPECT_GT(total, 0) << sector_class;
    sectors += total;
  }
  int in_catalogue = 0;
  for (const auto& s : fixture.market.securities()) in_catalogue += s.kind == server::Kind::kSector;
  EXPECT_EQ(sectors, in_catalogue);
}

TEST_F(ListAnswersTest, PagesAreCutByStartAndCountKeepTheTotalAndFitTheScreensBuffer) {
  const int total = Category(0, 1, 0, 0, 1).total;
  ASSERT_GT(total, 12);
  const std::tuple<int, int, int> cases[] = {  // start, count, rows
      {0, 10, 10}, {total - 3, 10, 3}, {total, 10, 0}, {60000, 10, 0}, {0, 0, 0}, {0, 60000, total}};
  for (const auto& [start, count, rows] : cases) {
    const ListBlock list = Category(0, 1, 0, start, count);
    EXPECT_TRUE(list.well_formed);
    EXPECT_EQ(static_cast<int>(list.rows.size()), std::min(rows, 100)) << start << "+" << count;
    EXPECT_EQ(list.total, total);
  }
  CPacketCodec c;
  const std::vector<std::vector<Bytes>> requests = {
      {c.BuildCategoryList(0, 1, 0, 0, 30)}, {c.BuildCategoryList(103, 0, 1, 0, 30)},
      {c.BuildQuote("BI000001"), MembersOf("BI000001", 1, 30)}, {c.BuildBigOrderList(1, 0, 2, 0, 0, 30)},
      {c.BuildCategoryList(105, 1, 0, 0, 30)}};
  for (const auto& request : requests) EXPECT_LE(fixture.RawAnswer(request).size(), 2048u);
}

TEST_F(ListAnswersTest, CodeListsAnswerTheKnownCodesInOrderAndFlowListsRankByTheirMeasure) {
  const std::vector<std::string> codes = {"SZ000002", "SH999999", "SH900901", "SH000001", "IF000001", "SH600003"};
  const auto ask = [&](int field, int direction, int start, int end) {
    return ReadList(fixture.Ask({CodeList(field, direction, start, end, codes)}).at(0), kQuoteFields);
  };
  const ListBlock own = ask(0, 0, 0, 6);
  ASSERT_TRUE(own.well_formed);
  std::vector<std::string> order;
  for (const Row& row : own.rows) order.push_back(row.code);
  EXPECT_EQ(order, (std::vector<std::string>{"SZ000002", "SH900901", "SH000001", "IF000001", "SH600003"}));
  EXPECT_EQ(own.total, 5);
  EXPECT_EQ(own.rows[1].decimals, 3);
  const ListBlock window = ask(0, 0, 1, 3);
  ASSERT_EQ(window.rows.size(), 2u);
  EXPECT_EQ(window.rows[0].code, "SH900901");
  EXPECT_TRUE(Ordered(ask(4, 1, 0, 6).rows, 0, 1));  // 2 and 3 decimals compare by shown price
  // Big-order and fund lists: one answer holds 100 rows of the whole market's total, run down by
  // their own measure; a list of own codes answers those codes in their order.
  const int shares = Category(0, 0, 0, 0, 1).total;
  for (const bool fund : {false, true}) {
    CPacketCodec codec;
    const auto blocks = fixture.Ask({fund ? codec.BuildFundList(1, 0, 2, 0, 0, 100) : codec.BuildBigOrderList(3, 0, 2, 0, 0, 100)});
    ASSERT_EQ(blocks.size(), 1u);
    const ListBlock list = ReadList(blocks[0], fund ? 4 : 3, Shape::kFlow);
    ASSERT_TRUE(list.well_formed);
    EXPECT_EQ(list.total, shares);
    ASSERT_EQ(static_cast<int>(list.rows.size()), std::min(shares, 100));
    EXPECT_TRUE(Ordered(list.rows, fund ? 1 : 0, 0)) << fund;
  }
  WireWriter owned = WireWriter::Packet(kBigOrderList, 0);
  owned.U8(2).U8(1).U16(2).Str("SH600002").Str("SZ000001");
  const ListBlock list = ReadList(fixture.Ask({owned.FinishPacket()}).at(0), 3, Shape::kFlow);
  EXPECT_TRUE(list.well_formed);
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].code, "SH600002");
}

// A big-order list places each row within the list asked for, so a board's list counts from 1;
// a fund list's net amount and net ratio are of the same days, the ratio the big-order list's.
TEST_F(ListAnswersTest, FlowListsPlaceWithinTheListKeepOnePeriodAndRankSectorsByInflow) {
  for (const int category : {11, 1}) {
    const Block block = fixture.Ask({CPacketCodec().BuildBigOrderList(1, static_cast<std::uint8_t>(category), 2, 0, 0, 60)}).at(0);
    const ListBlock list = ReadList(block, 3, Shape::kFlow);
    ASSERT_TRUE(list.well_formed);
    ASSERT_FALSE(list.rows.empty());
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
      const auto& values = list.rows[i].values;
      const int expected = i > 0 && values[0] == list.rows[i - 1].values[0] ? list.rows[i - 1].values[1] : static_cast<int>(i) + 1;
      EXPECT_EQ(values[1], expected) << "category " << category << " row " << i;
    }
  }
  const std::vector<std::string> codes = {"SH600001", "SH600002", "SZ000001", "SZ000002"};
  const auto ask = [&](int type, int days) {
    WireWriter packet = WireWriter::Packet(type, 0);
    packet.U8(2).U8(static_cast<std::uint8_t>(days)).U16(static_cast<std::uint16_t>(codes.size()));
    for (const std::string& code : codes) packet.Str(code);
    return ReadList(fixture.Ask({packet.FinishPacket()}).at(0), type == kFundList ? 4 : 3, Shape::kFlow);
  };
  for (const int days : {1, 3, 10}) {
    const ListBlock fund = ask(kFundList, days), big = ask(kBigOrderList, days);
    ASSERT_EQ(fund.rows.size(), codes.size());
    for (std::size_t i = 0; i < fund.rows.size(); ++i) {
      const int index = fixture.market.Find(fund.rows[i].code);
      const FlowSplit split = fixture.market.flows().Over(index, fixture.PositionOf(fund.rows[i].code), days);
      std::int64_t net = 0;
      for (std::size_t size = 0; size < 3; ++size)
        net += FlowAmount(split.inflow[size]) - FlowAmount(split.outflow[size]);
      EXPECT_EQ(fund.rows[i].values[1], net) << fund.rows[i].code << " over " << days;
      const auto same = std::find_if(big.rows.begin(), big.rows.end(), [&](const Row& r) { return r.code == fund.rows[i].code; });
      ASSERT_NE(same, big.rows.end());
      EXPECT_EQ(fund.rows[i].values[2], same->values[0]) << fund.rows[i].code << " over " << days;
    }
  }
  // The sector fund flow lists every sector by net inflow for each period.
  const int sectors = Category(105, 0, 0, 0, 1).total;
  for (const int period : {1, 5, 15}) {
    CPacketCodec codec;
    codec.SetListParamB(static_cast<std::uint8_t>(period));
    const Block block = fixture.Ask({codec.BuildCategoryList(110, 14, 0, 0, 100)}).at(0);
    BlockReader reader(block.body.data(), 0, block.body.size());
    ASSERT_EQ(reader.Int16(), sectors);
    int previous = INT32_MAX;
    for (int i = 0; i < sectors; ++i) {
      EXPECT_TRUE(text::ToUtf8(reader.String()).starts_with("BI"));
      EXPECT_FALSE(reader.String().empty());
      const int inflow = reader.Int32(), ratio = reader.Int32();
      EXPECT_LE(inflow, previous) << "period " << period;
      EXPECT_EQ(inflow > 0, ratio > 0);
      previous = inflow;
    }
    EXPECT_EQ(reader.UInt16(), sectors);
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST_F(ListAnswersTest, MalformedListRequestsAreSkippedOrAnsweredWellFormed) {
  const std::pair<Bytes, bool> cases[] = {  // body, answered
      {{}, false},
      {{1}, false},
      {{1, 0, 1, 0, 0, 0}, false},                               // category list cut short
      {{3, 0, 0, 0, 0, 0, 0, 0}, false},                         // no such selector
      {{2, 0, 0, 0, 0, 5, 0, 0xFF, 0xFF, 3, 0, 'S', 'H'}, true},  // more codes announced than sent
      {{1, 105, 1, 0, 0, 0, 10, 0}, true},                       // sector list without its class
      {{1, 0, 99, 7, 0, 0, 10, 0, 1, 2, 3}, true},               // unknown field and direction, extra bytes
  };
  for (const auto& [body, answered] : cases) {
    const Bytes packet = WireWriter::Packet(kCategoryList, 0).Raw(body).FinishPacket();
    bool complete = false;
    const auto blocks = DecodeAnswer(fixture.RawAnswer({packet, fixture.codec.BuildQuote("SH600001")}), &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(blocks.size(), answered ? 2u : 1u) << body.size();
    EXPECT_EQ(blocks.back().type, kQuote);
    EXPECT_TRUE(!answered || ReadList(blocks[0], kQuoteFields).well_formed) << body.size();
  }
  const Bytes short_members = WireWriter::Packet(kSectorMembers, 0).U16(1).U8(1).FinishPacket();
  EXPECT_EQ(fixture.Ask({short_members, fixture.codec.BuildQuote("SH600001")}).size(), 1u);
  const ListBlock unknown_sector = ReadList(fixture.Ask({MembersOf("BI000999", 1, 3)}).at(0), kQuoteFields);
  EXPECT_TRUE(unknown_sector.well_formed);
  EXPECT_EQ(unknown_sector.total, 0);
}

// A sector's 总额 is its own day's amount (its quote carries it in ten-thousands of yuan), in yuan
// while the largest sector's fits the field and in one larger unit for all rows once it does not,
// so that every row shows its own figure.
TEST(SectorListTest, AmountsAreTheirOwnInOneUnitAndTheLeaderNameIsCutWhole) {
  const std::pair<const char*, double> cases[] = {{"2026-12-04 09:31", 1}, {"2026-12-04 14:00", 100}};  // yuan per unit
  for (const auto& [at, unit] : cases) {
    AnswerFixture fixture(at);
    std::set<int> amounts;
    std::size_t rows = 0;
    for (const std::uint8_t sector_class : {0, 1, 2}) {
      CPacketCodec codec;
      codec.SetListParamA(sector_class);
      const ListBlock list = ReadList(fixture.Ask({codec.BuildCategoryList(105, 6, 0, 0, 100)}).at(0), kSectorFields, Shape::kSector);
      ASSERT_TRUE(list.well_formed);
      for (const Row& row : list.rows) {
        const Block block = fixture.Ask({fixture.codec.BuildQuote(row.code)}).at(0);
        BlockReader quote = Reader(block);
        quote.Int32();
        const int own = quote.Int32();
        EXPECT_NEAR(row.values[2] * unit / 10000.0, own, 1.0) << at << " " << row.code;
        amounts.insert(row.values[2]);
      }
      rows += list.rows.size();
    }
    EXPECT_EQ(amounts.size(), rows) << at;
  }
  // The leader name is cut at a whole character and padded.
  const std::pair<std::u16string, std::u16string> leaders[] = {
      {u"华岳科技", u"华岳科技"}, {u"华岳科技板块", u"华岳科技"}, {u"AB华岳科技", u"AB华岳科"}, {u"", u""}};
  for (const auto& [name, read] : leaders) {
    ListFigures row;
    row.code = "BI000001";
    row.name = u"科技板块";
    row.leader = name;
    const int page[] = {0};
    const ListBlock list =
        ReadList(Block{kCategoryList, ListBlockBody({&row, 1}, page, ListLayout::kSector, 1)}, kSectorFields, Shape::kSector);
    ASSERT_TRUE(list.well_formed);
    EXPECT_EQ(list.rows.at(0).leader, read);
  }
}

std::size_t RowsRead(const ListRows& rows) {
  return rows.quotes.size() + rows.futures.size() + rows.buckets.size() + rows.bigOrders.size() + rows.funds.size();
}

TEST(ListContractTest, EveryMenuListIsReadWholeByTheTerminal) {
  AnswerFixture fixture;
  const int categories[] = {kCategoryAllShares, kCategorySmallCaps, 106, kCategoryShanghaiA, kCategoryShenzhenB,
                            kCategoryShanghaiFunds, 13, 121, kCategoryIndices, kCategoryGlobal, 30, 34, 35,
                            kCategoryForex, kCategoryFutures, kCategorySectors, kCategoryCsi300};
  for (const int category : categories) {
    for (const int start : {0, 30}) {
      const Bytes answer = fixture.RawAnswer({BuildCategoryPage(category, {1, 0, start, 10})});
      ListRows rows;
      const ListAnswerResult result = ReadListAnswer(answer.data(), answer.size(), {category, {}, {}}, rows);
      EXPECT_TRUE(result.complete) << "category " << category;
      EXPECT_GT(rows.listTotal, 0) << "category " << category;
      const auto expected = static_cast<std::size_t>(std::clamp(rows.listTotal - start, 0, 10));
      EXPECT_EQ(RowsRead(rows), expected) << "category " << category << " from " << start;
    }
  }
}

// The code and name of each security found.
std::vector<std::pair<std::u16string, std::u16string>> Search(AnswerFixture& fixture, std::u16string_view text) {
  const auto blocks = fixture.Ask({fixture.codec.BuildSecuritySearch(text)});
  std::vector<std::pair<std::u16string, std::u16string>> items;
  if (blocks.empty()) return items;
  BlockReader r(blocks[0].body.data(), 0, blocks[0].body.size());
  const int count = r.Int16();
  for (int i = 0; i < count; ++i) {
    std::u16string code = r.String();
    items.emplace_back(code, r.String());
  }
  EXPECT_TRUE(r.AtEnd());
  return items;
}

// Unknown text finds nothing; a broad text fills one page within the list screen's buffer, the exact
// codes first, the share before the index. (What typed codes and initials find is the walks'.)
TEST(SecuritySearchTest, UnknownTextFindsNothingAndBroadTextOneFullPageWithTheExactCodesFirst) {
  AnswerFixture fixture;
  for (const std::u16string_view typed : {u"", u"999999999", u"没有这个名字", u"QQQQQQQQ"}) {
    EXPECT_TRUE(Search(fixture, typed).empty()) << text::ToUtf8(std::u16string(typed));
  }
  const auto found = Search(fixture, u"000001");
  ASSERT_GE(found.size(), 2u);
  EXPECT_EQ(found[0].first, u"SZ000001");
  EXPECT_EQ(found[1].first, u"SH000001");
  for (const std::u16string_view typed : {u"1", u"S", u"z"}) {
    EXPECT_EQ(Search(fixture, typed).size(), static_cast<std::size_t>(kMaxSearchResults)) << text::ToUtf8(std::u16string(typed));
    EXPECT_LE(fixture.RawAnswer({fixture.codec.BuildSecuritySearch(typed)}).size(), 2048u);
  }
}

}  // namespace
}  // namespace tarvello::server::testing
