// The quote list answers, read back field by field as the terminal reads them: category lists of
// every menu category, sorted and paged on the server, the code lists of the own lists, the
// sector list and a sector's constituents, the futures list, and requests that make no sense.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "protocol/wire_writer.h"
#include "server/list_rows.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

// One row of a list block; `values` are the int32 fields after the two bytes, in wire order.
struct Row {
  std::string code;
  std::u16string name;
  int decimals = 0;
  std::vector<int> values;
  std::u16string leader;  // sector rows
};

struct ListBlock {
  std::vector<Row> rows;
  int total = -1;
  bool well_formed = false;
};

ListBlock ReadList(const Block& block, int int_fields, bool leader = false) {
  BlockReader reader(block.body.data(), 0, block.body.size());
  ListBlock list;
  const int n = reader.Int16();
  for (int i = 0; i < n && !reader.overrun(); ++i) {
    Row row;
    row.code = text::ToUtf8(reader.String());
    row.name = reader.String();
    row.decimals = reader.Byte();
    reader.Byte();
    for (int k = 0; k < int_fields; ++k) row.values.push_back(reader.Int32());
    if (leader) row.leader = reader.FixedString(kLeaderNameBytes);
    list.rows.push_back(row);
  }
  list.total = reader.UInt16();
  list.well_formed = !reader.overrun() && reader.AtEnd();
  return list;
}

// Generic quote rows: latest, changeRatio, change, turnover, volume, high, low, speed, pe, ignored.
constexpr int kQuoteFields = 10;
// Sector rows: latest, changeRatio, amount, turnover, volume, three-day change, three-day turnover.
constexpr int kSectorFields = 7;
constexpr int kFuturesFields = 10;

Bytes CodeList(int field, int direction, int start, int end, const std::vector<std::string>& codes) {
  WireWriter packet = WireWriter::Packet(kCategoryList, 0);
  packet.U8(2).U8(static_cast<std::uint8_t>(field)).U8(static_cast<std::uint8_t>(direction));
  packet.U16(static_cast<std::uint16_t>(start)).U16(static_cast<std::uint16_t>(end));
  packet.U16(static_cast<std::uint16_t>(codes.size()));
  for (const std::string& code : codes) packet.Str(code);
  return packet.FinishPacket();
}

Bytes SectorMembersRequest(int number, int field, int direction, int start, int count) {
  return CPacketCodec().BuildSectorMembers(static_cast<std::uint16_t>(number), static_cast<std::uint8_t>(field),
                                           static_cast<std::uint8_t>(direction), static_cast<std::uint16_t>(start),
                                           static_cast<std::uint16_t>(count));
}

// A row's field value as shown on screen, so that rows of 2 and 3 decimals compare.
double Shown(const Row& row, std::size_t value) { return row.values[value] / std::pow(10.0, row.decimals); }

class ListAnswersTest : public ::testing::Test {
 protected:
  ListBlock Category(int category, int field, int direction, int start, int count, int extra = 0) {
    CPacketCodec codec;
    codec.SetListParamA(static_cast<std::uint8_t>(extra));
    const auto blocks = fixture.Ask({codec.BuildCategoryList(static_cast<std::uint8_t>(category),
                                                             static_cast<std::uint8_t>(field),
                                                             static_cast<std::uint8_t>(direction),
                                                             static_cast<std::uint16_t>(start),
                                                             static_cast<std::uint16_t>(count))});
    if (blocks.size() != 1 || blocks[0].type != kCategoryList) return {};
    return ReadList(blocks[0], category == 105 ? kSectorFields : kQuoteFields, category == 105);
  }
  // The whole list, page by page, checking that every page carries the same total.
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
  int TypeOf(const std::string& code) {
    const int index = fixture.market.Find(code);
    return index < 0 ? -1 : fixture.market.security(index).wire_type;
  }
  AnswerFixture fixture;
};

TEST_F(ListAnswersTest, EveryMenuCategoryHoldsOnlyItsOwnKindOfSecurity) {
  struct Case {
    int category;
    const char* prefix;
    int type;  // security type byte of every row
  };
  const Case cases[] = {{0, "S", 1},    {1, "SZ002", 1}, {106, "SZ300", 1}, {11, "SH", 1},  {21, "SZ", 1},
                        {12, "SH", 2},  {22, "SZ", 2},   {14, "SH", 5},     {24, "SZ", 5},  {13, "SH", 14},
                        {23, "SZ", 14}, {121, "S", 6},   {101, "S", 0},     {102, "", 0},   {30, "HK", 0},
                        {31, "HK", -2}, {32, "HK", -2},  {33, "HK", -2},    {34, "HK", -2}, {35, "HK", -2},
                        {104, "FX", -2}, {120, "S", 1}};
  for (const Case& c : cases) {
    const std::vector<Row> rows = WholeList(c.category, 0, 0, 7);
    std::set<std::string> codes;
    for (const Row& row : rows) {
      codes.insert(row.code);
      EXPECT_TRUE(row.code.starts_with(c.prefix)) << c.category << " " << row.code;
      if (c.type >= 0) {
        EXPECT_EQ(TypeOf(row.code), c.type) << c.category << " " << row.code;
      }
      EXPECT_FALSE(row.name.empty());
    }
    EXPECT_EQ(codes.size(), rows.size()) << "a row twice in category " << c.category;
  }
  // A-shares: the two exchanges together, and the sub-boards within them.
  EXPECT_EQ(WholeList(0, 0, 0, 20).size(), WholeList(11, 0, 0, 20).size() + WholeList(21, 0, 0, 20).size());
  EXPECT_FALSE(WholeList(106, 0, 0, 20).empty());
  EXPECT_EQ(WholeList(120, 0, 0, 20).size(), fixture.market.security(fixture.market.Find("SH000300")).members.size());
}

TEST_F(ListAnswersTest, CategoriesWithoutSecuritiesAnswerAnEmptyWellFormedList) {
  for (const int category : {99, 200, 255}) {
    const ListBlock list = Category(category, 1, 0, 0, 10);
    EXPECT_TRUE(list.well_formed) << category;
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.total, 0);
  }
  const ListBlock concepts = Category(105, 1, 0, 0, 10, 1);
  EXPECT_TRUE(concepts.well_formed);
  EXPECT_EQ(concepts.total, 0);
}

TEST_F(ListAnswersTest, EverySortFieldAndDirectionOrdersTheWholeListAcrossPages) {
  struct Case {
    int field;
    std::size_t value;  // index into the generic row's values
  };
  const Case cases[] = {{1, 1}, {4, 0}, {16, 2}, {5, 4}, {21, 5}, {22, 6}, {7, 3}, {15, 7}, {8, 8}};
  for (const Case& c : cases) {
    for (const int direction : {0, 1}) {
      const std::vector<Row> rows = WholeList(0, c.field, direction, 9);
      for (std::size_t i = 1; i < rows.size(); ++i) {
        const double before = Shown(rows[i - 1], c.value), after = Shown(rows[i], c.value);
        EXPECT_TRUE(direction == 0 ? before >= after : before <= after)
            << "field " << c.field << " direction " << direction << " at row " << i;
      }
    }
  }
}

TEST_F(ListAnswersTest, SectorListSortsByItsOwnFieldsAndNamesTheLeader) {
  struct Case {
    int field;
    std::size_t value;  // index into the sector row's values
  };
  const Case cases[] = {{1, 1}, {10, 5}, {6, 2}, {5, 4}, {4, 0}, {7, 3}, {12, 6}};
  for (const Case& c : cases) {
    for (const int direction : {0, 1}) {
      const ListBlock list = Category(105, c.field, direction, 0, 50);
      ASSERT_TRUE(list.well_formed);
      ASSERT_FALSE(list.rows.empty());
      EXPECT_EQ(list.total, static_cast<int>(list.rows.size()));
      for (std::size_t i = 1; i < list.rows.size(); ++i) {
        const int before = list.rows[i - 1].values[c.value], after = list.rows[i].values[c.value];
        EXPECT_TRUE(direction == 0 ? before >= after : before <= after) << "field " << c.field;
      }
    }
  }
  // The leader is the constituent that rose most.
  const Row sector = Category(105, 1, 0, 0, 1).rows.at(0);
  const auto blocks = fixture.Ask({SectorMembersRequest(SectorNumber(sector.code), 1, 0, 0, 1)});
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(sector.leader, ReadList(blocks[0], kQuoteFields).rows.at(0).name);
}

TEST_F(ListAnswersTest, RowFiguresAgreeWithTheSecuritysOwnQuote) {
  for (const Row& row : WholeList(0, 0, 0, 20)) {
    const auto blocks = fixture.Ask({fixture.codec.BuildQuote(row.code)});
    ASSERT_EQ(blocks.size(), 1u);
    BlockReader snap(blocks[0].body.data(), 0, blocks[0].body.size());
    const int latest = snap.Int32();
    snap.Int32();
    const int volume = snap.Int32(), high = snap.Int32(), low = snap.Int32();
    snap.Int32();
    const int prev_close = snap.Int32();
    EXPECT_EQ(row.values[0], latest) << row.code;
    EXPECT_EQ(row.values[0] - row.values[2], prev_close) << row.code;  // the terminal derives it so
    EXPECT_EQ(row.values[4], volume);
    EXPECT_EQ(row.values[5], high);
    EXPECT_EQ(row.values[6], low);
    EXPECT_EQ(row.values[1], std::lround((latest - prev_close) * 10000.0 / prev_close)) << row.code;
  }
}

TEST_F(ListAnswersTest, PagesAreCutByStartAndCountAndKeepTheTotal) {
  const int total = Category(0, 1, 0, 0, 1).total;
  ASSERT_GT(total, 12);
  struct Case {
    int start, count;
    int rows;
  };
  const Case cases[] = {{0, 10, 10}, {total - 3, 10, 3}, {total, 10, 0}, {60000, 10, 0}, {0, 0, 0}, {0, 60000, total}};
  for (const Case& c : cases) {
    const ListBlock list = Category(0, 1, 0, c.start, c.count);
    EXPECT_TRUE(list.well_formed);
    EXPECT_EQ(static_cast<int>(list.rows.size()), std::min(c.rows, 100)) << c.start << "+" << c.count;
    EXPECT_EQ(list.total, total);
  }
}

TEST_F(ListAnswersTest, CodeListsAnswerTheKnownCodesInTheirOwnOrderOrSorted) {
  const std::vector<std::string> codes = {"SZ000002", "SH999999", "SH900901", "SH000001", "IF000001", "SH600003"};
  const auto ask = [&](int field, int direction, int start, int end) {
    const auto blocks = fixture.Ask({CodeList(field, direction, start, end, codes)});
    EXPECT_EQ(blocks.size(), 1u);
    return blocks.empty() ? ListBlock{} : ReadList(blocks[0], kQuoteFields);
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

  const ListBlock by_latest = ask(4, 1, 0, 6);
  for (std::size_t i = 1; i < by_latest.rows.size(); ++i) {
    EXPECT_LE(Shown(by_latest.rows[i - 1], 0), Shown(by_latest.rows[i], 0));
  }
}

TEST_F(ListAnswersTest, ConstituentsFollowTheSectorsOwnQuoteInOneContainer) {
  const Row sector = Category(105, 0, 0, 0, 1).rows.at(0);
  const int members = static_cast<int>(fixture.market.security(fixture.market.Find(sector.code)).members.size());
  const auto blocks =
      fixture.Ask({fixture.codec.BuildQuote(sector.code), SectorMembersRequest(SectorNumber(sector.code), 1, 0, 0, 3)});
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].type, kQuote);
  EXPECT_EQ(blocks[1].type, kSectorMembers);
  const ListBlock list = ReadList(blocks[1], kQuoteFields);
  EXPECT_TRUE(list.well_formed);
  EXPECT_EQ(list.total, members);  // the terminal adds the sector's own row
  ASSERT_EQ(list.rows.size(), std::min<std::size_t>(3, static_cast<std::size_t>(members)));
  for (const Row& row : list.rows) EXPECT_EQ(TypeOf(row.code), 1);
  for (std::size_t i = 1; i < list.rows.size(); ++i) EXPECT_GE(list.rows[i - 1].values[1], list.rows[i].values[1]);

  const ListBlock unknown = ReadList(fixture.Ask({SectorMembersRequest(999, 1, 0, 0, 3)}).at(0), kQuoteFields);
  EXPECT_TRUE(unknown.well_formed);
  EXPECT_EQ(unknown.total, 0);
}

TEST_F(ListAnswersTest, FuturesListCarriesTheFuturesFigures) {
  const auto blocks = fixture.Ask({CPacketCodec().BuildCategoryList(103, 0, 1, 0, 10)});
  ASSERT_EQ(blocks.size(), 1u);
  const ListBlock list = ReadList(blocks[0], kFuturesFields);
  ASSERT_TRUE(list.well_formed);
  ASSERT_FALSE(list.rows.empty());
  for (const Row& row : list.rows) {
    EXPECT_EQ(TypeOf(row.code), 8);
    const auto quote = fixture.Ask({WireWriter::Packet(kFuturesQuote, 0).Str(row.code).FinishPacket(10)});
    ASSERT_EQ(quote.size(), 1u);
    BlockReader q(quote[0].body.data(), 0, quote[0].body.size());
    const int latest = q.Int32();
    q.Skip(16);
    const int open_interest = q.Int32();
    q.Skip(12);
    const int prev_close = q.Int32();
    EXPECT_EQ(row.values[0], latest);
    EXPECT_EQ(row.values[0] - row.values[2], prev_close);  // the reference price
    EXPECT_EQ(row.values[3], prev_close);
    EXPECT_EQ(row.values[5], open_interest);
  }
}

TEST_F(ListAnswersTest, MalformedListRequestsAreSkippedOrAnsweredWellFormed) {
  struct Case {
    Bytes body;
    bool answered;
  };
  const Case cases[] = {
      {{}, false},
      {{1}, false},
      {{1, 0, 1, 0, 0, 0}, false},                               // category list cut short
      {{3, 0, 0, 0, 0, 0, 0, 0}, false},                         // no such selector
      {{2, 0, 0, 0, 0, 5, 0, 0xFF, 0xFF, 3, 0, 'S', 'H'}, true},  // more codes announced than sent
      {{1, 105, 1, 0, 0, 0, 10, 0}, true},                       // sector list without its class
      {{1, 0, 99, 7, 0, 0, 10, 0, 1, 2, 3}, true},               // unknown field and direction, extra bytes
  };
  for (const Case& c : cases) {
    const Bytes packet = WireWriter::Packet(kCategoryList, 0).Raw(c.body).FinishPacket();
    bool complete = false;
    const auto blocks = DecodeAnswer(fixture.RawAnswer({packet, fixture.codec.BuildQuote("SH600001")}), &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(blocks.size(), c.answered ? 2u : 1u) << "case " << &c - cases;
    EXPECT_EQ(blocks.back().type, kQuote);
    if (c.answered) {
      EXPECT_TRUE(ReadList(blocks[0], kQuoteFields).well_formed) << "case " << &c - cases;
    }
  }
  const Bytes short_members = WireWriter::Packet(kSectorMembers, 0).U16(1).U8(1).FinishPacket();
  EXPECT_EQ(fixture.Ask({short_members, fixture.codec.BuildQuote("SH600001")}).size(), 1u);
}

// A big-order or fund row: code, name, decimals and int32 values without the status byte.
struct FlowRowRead {
  std::string code;
  std::vector<int> values;
};

std::vector<FlowRowRead> ReadFlowRows(const Block& block, int fields, int& total, bool& well_formed) {
  BlockReader reader(block.body.data(), 0, block.body.size());
  std::vector<FlowRowRead> rows;
  const int n = reader.Int16();
  for (int i = 0; i < n && !reader.overrun(); ++i) {
    FlowRowRead row;
    row.code = text::ToUtf8(reader.String());
    EXPECT_FALSE(reader.String().empty());
    reader.Byte();
    for (int k = 0; k < fields; ++k) row.values.push_back(reader.Int32());
    rows.push_back(row);
  }
  total = reader.UInt16();
  well_formed = !reader.overrun() && reader.AtEnd();
  return rows;
}

TEST_F(ListAnswersTest, BigOrderAndFundListsRankByTheirOwnMeasureAndAgreeWithTheFundFlowView) {
  const int shares = Category(0, 0, 0, 0, 1).total;
  struct Case {
    bool fund;
    int days;
    std::size_t sorted_value;  // the value the list is ordered by
    std::size_t ratio_value;   // the net ratio among the row's values
    int flow_ratio;            // which ratio of the security's fund flow answer it is
  };
  const Case cases[] = {{false, 1, 0, 0, 0}, {false, 3, 0, 0, 1}, {false, 10, 0, 0, 3}, {true, 1, 1, 2, 0}};
  for (const Case& c : cases) {
    CPacketCodec codec;
    const Bytes request = c.fund ? codec.BuildFundList(static_cast<std::uint8_t>(c.days), 0, 2, 0, 0, 100)
                                 : codec.BuildBigOrderList(static_cast<std::uint8_t>(c.days), 0, 2, 0, 0, 100);
    const auto blocks = fixture.Ask({request});
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].type, c.fund ? kFundList : kBigOrderList);
    int total = 0;
    bool well_formed = false;
    const auto rows = ReadFlowRows(blocks[0], c.fund ? 4 : 3, total, well_formed);
    ASSERT_TRUE(well_formed);
    EXPECT_EQ(total, shares);
    ASSERT_EQ(static_cast<int>(rows.size()), shares);
    for (std::size_t i = 1; i < rows.size(); ++i) {
      EXPECT_GE(rows[i - 1].values[c.sorted_value], rows[i].values[c.sorted_value]) << "days " << c.days;
    }
    if (!c.fund) {
      EXPECT_EQ(rows[0].values[1], 1);
      for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LE(rows[i - 1].values[1], rows[i].values[1]);
    }
    for (const FlowRowRead& row : {rows.front(), rows.back()}) {
      const auto flow = fixture.Ask({WireWriter::Packet(kSecurityFundFlow, 0).Str(row.code).FinishPacket()});
      ASSERT_EQ(flow.size(), 1u);
      BlockReader reader(flow[0].body.data(), 0, flow[0].body.size());
      reader.Byte();
      std::vector<int> ratios;
      for (int k = 0; k < 4; ++k) ratios.push_back(reader.Int32());
      EXPECT_EQ(row.values[c.ratio_value], ratios[static_cast<std::size_t>(c.flow_ratio)]) << row.code;
    }
  }
  // The self-selected list in big-order mode names its codes.
  WireWriter packet = WireWriter::Packet(kBigOrderList, 0);
  packet.U8(2).U8(1).U16(2).Str("SH600002").Str("SZ000001");
  int total = 0;
  bool well_formed = false;
  const auto own = ReadFlowRows(fixture.Ask({packet.FinishPacket()}).at(0), 3, total, well_formed);
  EXPECT_TRUE(well_formed);
  ASSERT_EQ(own.size(), 2u);
  EXPECT_EQ(own[0].code, "SH600002");
}

TEST_F(ListAnswersTest, SectorFundFlowListsEverySectorByNetInflowForEachPeriod) {
  const int sectors = Category(105, 0, 0, 0, 1).total;
  for (const int period : {1, 5, 15}) {
    CPacketCodec codec;
    codec.SetListParamB(static_cast<std::uint8_t>(period));
    const auto blocks = fixture.Ask({codec.BuildCategoryList(110, 14, 0, 0, 50)});
    ASSERT_EQ(blocks.size(), 1u);
    BlockReader reader(blocks[0].body.data(), 0, blocks[0].body.size());
    const int n = reader.Int16();
    ASSERT_EQ(n, sectors);
    int previous = std::numeric_limits<int>::max();
    for (int i = 0; i < n; ++i) {
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

TEST(ListRowsTest, LeaderNameIsCutAtAWholeCharacterAndPadded) {
  struct Case {
    std::u16string name;
    std::u16string read;
  };
  const Case cases[] = {{u"华岳科技", u"华岳科技"}, {u"华岳科技板块", u"华岳科技"}, {u"AB华岳科技", u"AB华岳科"}, {u"", u""}};
  for (const Case& c : cases) {
    ListFigures row;
    row.code = "BI000001";
    row.name = u"科技板块";
    row.leader = c.name;
    const int page[] = {0};
    const Bytes body = ListBlockBody({&row, 1}, page, ListLayout::kSector, 1);
    const ListBlock list = ReadList(Block{kCategoryList, body}, kSectorFields, true);
    ASSERT_TRUE(list.well_formed);
    EXPECT_EQ(list.rows.at(0).leader, c.read);
  }
}

}  // namespace
}  // namespace tarvello::server::testing
