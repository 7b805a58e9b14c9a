// The list requests' bytes and the reading of the list answers.
#include <gtest/gtest.h>

#include <tuple>

#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_request.h"
#include "lists/list_wire.h"
#include "protocol/packet_codec.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

using testing::TypeOf;

// The body of a single-packet request: after "{", type, attribute and length, before "}".
Bytes Body(const Bytes& packet) { return Bytes(packet.begin() + 7, packet.end() - 1); }

TEST(ListRequestTest, CategoryPagesCodeListsAndRankingsCarryTheirFields) {
  struct Case {
    int category;
    ListWindow window;
    std::uint8_t extra;
    Bytes body;
  };
  const Case cases[] = {
      {kCategoryAllShares, {1, 0, 20, 10}, 0, {1, 0, 1, 0, 20, 0, 10, 0}},
      {kCategorySectors, {10, 1, 0, 12}, 2, {1, 105, 10, 1, 0, 0, 12, 0, 2}},
      {kCategorySectorFunds, {1, 1, 0, 12}, 5, {1, 110, 14, 0, 0, 0, 12, 0, 5}},
      {kCategoryFutures, {1, 0, 0, 12}, 0, {1, 103, 0, 1, 0, 0, 12, 0}},
      {kCategoryShanghaiA, {4, 0, 70000, -3}, 0, {1, 11, 4, 0, 0xFF, 0xFF, 0, 0}},
  };
  for (const Case& c : cases) {
    const Bytes packet = BuildCategoryPage(c.category, c.window, c.extra);
    EXPECT_EQ(TypeOf(packet), kCategoryList);
    EXPECT_EQ(Body(packet), c.body) << c.category;
  }
  const SecurityCode codes[] = {SecurityCode(u"SH000001"), SecurityCode(u"SZ399001")};
  Bytes expected = {2, 1, 0, 0, 0, 2, 0, 2, 0, 8, 0};
  for (const char* c : {"SH000001"}) expected.insert(expected.end(), c, c + 8);
  expected.insert(expected.end(), {8, 0});
  for (const char* c : {"SZ399001"}) expected.insert(expected.end(), c, c + 8);
  EXPECT_EQ(Body(BuildCodeListPage(1, 0, 2, codes)), expected);

  const Bytes ranking = BuildRankingPage(kFundList, 3, 0, {2, 0, 10, 10});
  EXPECT_EQ(TypeOf(ranking), kFundList);
  EXPECT_EQ(Body(ranking), (Bytes{1, 3, 0, 2, 0, 10, 0, 10, 0}));
  const Bytes own = BuildRankingCodes(kBigOrderList, 1, std::span(codes, 1));
  EXPECT_EQ(Body(own).size(), 2u + 2 + 2 + 8);
  EXPECT_EQ(Body(own)[0], 2);
}

TEST(ListRequestTest, SectorPageAndOrderDetailsJoinTheQuoteToWhatTheyAsk) {
  const Bytes request = BuildSectorPage(SecurityCode(u"BI000475"), 475, {1, 0, 9, 9});
  // "{" 2203 attr 2 len 18, code, ":" 2114 attr 0 len 16, body, "}"
  ASSERT_EQ(request.size(), 18u + 16u - 1u);
  EXPECT_EQ(std::tuple(request[0], TypeOf(request), request[3]), std::tuple('{', kQuote, 2));
  EXPECT_EQ(std::tuple(request[17], request[18] | request[19] << 8),
            std::tuple(':', kSectorMembers));
  EXPECT_EQ(Bytes(request.begin() + 24, request.end() - 1), (Bytes{0xDB, 0x01, 1, 0, 9, 0, 9, 0}));
  EXPECT_EQ(request.back(), '}');
  // The order prices come in hundredths; the previous close they are judged against comes in the
  // security's decimals, so both the quote and the security are asked with the orders.
  const Bytes orders = BuildOrderDetailsRequest(SecurityCode(u"SH600001"));
  constexpr std::size_t kPacket = 1 + 6 + 2 + 8;  // "{" or ":", header, the code
  ASSERT_EQ(orders.size(), 3 * kPacket + 1);
  const int types[] = {kOrderDetails, kQuote, kSecurityInfo};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(orders[i * kPacket + 1] | orders[i * kPacket + 2] << 8, types[i]);
  }
}

using testing::Container;
using testing::StockBlock;
using testing::StockWire;

ListAnswerResult Read(const Bytes& answer, int category, ListRows& rows, const ListAnswerContext& base = {}) {
  ListAnswerContext context = base;
  context.category = category;
  return ReadListAnswer(answer.data(), answer.size(), context, rows);
}

// One 2113 block whose bytes fit every one of the four layouts it may be read by: two strings,
// then enough int32 for the longest row.
Bytes AmbiguousBlock() {
  WireWriter w;
  w.I16(1).Utf8(u"BI000475").Utf8(u"Sector").U8(2).U8(0);
  for (int i = 1; i <= 12; ++i) w.I32(i * 100);
  w.U16(7);
  return w.Take();
}

TEST(ListAnswerTest, SameBlockReadsByTheCategoryInForce) {
  const Bytes answer = Container(kCategoryList, AmbiguousBlock());
  struct Case {
    int category;
    std::size_t quotes, futures, buckets;
  };
  const Case cases[] = {{kCategoryAllShares, 1, 0, 0}, {kCategoryFutures, 0, 1, 0}, {kCategorySectors, 1, 0, 0},
                        {kCategorySectorFunds, 0, 0, 1}};
  for (const Case& c : cases) {
    ListRows rows;
    Read(answer, c.category, rows);
    EXPECT_EQ(std::tuple(rows.quotes.size(), rows.futures.size(), rows.buckets.size()),
              std::tuple(c.quotes, c.futures, c.buckets))
        << c.category;
  }
  ListRows sector;
  Read(answer, kCategorySectors, sector);
  ASSERT_EQ(sector.quotes.size(), 1u);
  EXPECT_EQ(sector.quotes[0].sectorNumber, 475);
  EXPECT_EQ(sector.quotes[0].change, 300);  // the amount
  ListRows futures;
  Read(answer, kCategoryFutures, futures);
  ASSERT_EQ(futures.futures.size(), 1u);
  EXPECT_EQ(futures.futures[0].reference, 100 - 300);
}

TEST(ListAnswerTest, StockRowsDeriveThePreviousCloseAndConstituentsFollowTheSectorsRow) {
  StockWire s;
  ListRows rows;
  EXPECT_TRUE(Read(Container(kCategoryList, StockBlock({s, s}, 40)), kCategoryAllShares, rows).complete);
  ASSERT_EQ(rows.quotes.size(), 2u);
  EXPECT_EQ(std::tuple(rows.quotes[0].prevClose, rows.quotes[0].pe, rows.listTotal),
            std::tuple(1000, 2500, 40));

  ListRows none;
  EXPECT_TRUE(Read(Container(kCategoryList, StockBlock({}, 12)), kCategoryAllShares, none).complete);
  EXPECT_TRUE(none.quotes.empty());
  EXPECT_EQ(none.listTotal, 12);

  ListRows own;
  own.listTotal = 3;
  Read(Container(kCategoryList, StockBlock({s}, 99)), kCategorySelfSelected, own);
  EXPECT_EQ(own.listTotal, 3);  // an own list knows its total from its file
  // Constituents follow the sector's own row, which the total counts.
  WireWriter quote;
  for (std::int32_t v : {1100, 0, 900, 1200, 1000, 1050, 1000}) quote.I32(v);
  for (int i = 0; i < 7; ++i) quote.I32(0);
  ContainerWriter writer;
  writer.Add(kSectorMembers, StockBlock({StockWire{}}, 9));
  writer.Add(kQuote, quote.Take());
  const Bytes answer = writer.Finish();
  ListRows members;
  ListAnswerContext context;
  context.sector = SecurityCode(u"BI000475");
  context.sectorName = u"Sector";
  EXPECT_TRUE(Read(answer, kCategorySectors, members, context).complete);
  ASSERT_EQ(members.quotes.size(), 2u);
  const QuoteRow& sector = members.quotes[0];
  EXPECT_EQ(sector.code.text(), u"BI000475");
  // A change of 10.00%, and the sector's own row counted.
  EXPECT_EQ(std::tuple(sector.change, sector.changeRatio, members.listTotal),
            std::tuple(100, 1000, 10));
}

TEST(ListAnswerTest, RankingAndOlderBlocksReadAndFaultsEndTheAnswerKeepingTheRowsBefore) {
  WireWriter big;
  big.I16(1).Utf8(u"SZ000002").Utf8(u"Beta").U8(2).I32(350).I32(1).I32(-120).U16(30);
  WireWriter fund;
  fund.I16(1).Utf8(u"SZ000002").Utf8(u"Beta").U8(2).I32(980).I32(-5000).I32(-35).I32(1000).U16(31);
  WireWriter stage;
  stage.I16(1).Utf8(u"SH600003").Utf8(u"Gamma").U8(3).U8(0);
  for (int i = 1; i <= 10; ++i) stage.I32(i);
  stage.U8(1).U16(4);
  ListRows rows;
  EXPECT_TRUE(Read(Container(kBigOrderList, big.Take()), kCategoryAllShares, rows).complete);
  EXPECT_EQ(rows.listTotal, 30);
  EXPECT_TRUE(Read(Container(kFundList, fund.Take()), kCategoryAllShares, rows).complete);
  EXPECT_EQ(rows.listTotal, 31);
  EXPECT_TRUE(Read(Container(2104, stage.Take()), kCategoryAllShares, rows).complete);
  EXPECT_EQ(rows.listTotal, 5);
  ASSERT_EQ(std::tuple(rows.bigOrders.size(), rows.funds.size(), rows.quotes.size()),
            std::tuple(1u, 1u, 1u));
  EXPECT_EQ(std::tuple(rows.bigOrders[0].changeRatio, rows.funds[0].netAmount),
            std::tuple(-120, -5000));
  EXPECT_EQ(std::tuple(rows.quotes[0].extraD, int{rows.quotes[0].flags}), std::tuple(10, 1));
  // Faults end the answer and keep the rows before.
  StockWire good;
  StockWire nameless;
  nameless.name.clear();
  Bytes cut = StockBlock({good, good}, 5);
  cut.resize(cut.size() - 20);
  struct Case {
    const char* what;
    Bytes answer;
    std::size_t kept;
  };
  const Case cases[] = {
      {"row without a name", Container(kCategoryList, StockBlock({good, nameless, good}, 3)), 1},
      {"count beyond the block", Container(kCategoryList, cut), 1},
      {"no closing brace", [] {
         Bytes b = Container(kCategoryList, StockBlock({StockWire{}}, 1));
         b.back() = 'x';
         return b;
       }(), 1},
  };
  for (const Case& c : cases) {
    ListRows kept;
    EXPECT_FALSE(Read(c.answer, kCategoryAllShares, kept).complete) << c.what;
    EXPECT_EQ(kept.quotes.size(), c.kept) << c.what;
  }
  ListRows buckets;  // sector fund flow takes empty texts
  WireWriter w;
  w.I16(1).Utf8(u"").Utf8(u"").I32(1).I32(2).U16(1);
  EXPECT_TRUE(Read(Container(kCategoryList, w.Take()), kCategorySectorFunds, buckets).complete);
  EXPECT_EQ(buckets.buckets.size(), 1u);
}

TEST(ListAnswerTest, EmptyAnswerReadsNothingASecurityQueryGivesTheTypeAndRatiosAreSafe) {
  ListRows rows;
  rows.quotes.resize(3);
  EXPECT_TRUE(ReadListAnswer(nullptr, 0, {}, rows).complete);
  EXPECT_EQ(rows.quotes.size(), 3u);
  // A security query gives the type.
  WireWriter info;
  info.Utf8(u"IF000001").Utf8(u"Future").U8(8).U8(2).I32(0).I32(0).I32(0);
  const ListAnswerResult result = Read(Container(kSecurityInfo, info.Take()), kCategorySelfSelected, rows);
  ASSERT_TRUE(result.securityType.has_value());
  EXPECT_EQ(*result.securityType, 8);
  EXPECT_EQ(SectorNumberOf(SecurityCode(u"BI000475")), 475);
  EXPECT_EQ(SectorNumberOf(SecurityCode(u"BI0004x5")), 4);
  EXPECT_EQ(SectorNumberOf(SecurityCode(u"BIabc")), 0);
  EXPECT_EQ(SectorNumberOf(SecurityCode(u"7")), 7);
  EXPECT_EQ(ChangeRatioOf(50, 0), 0);
  EXPECT_EQ(ChangeRatioOf(-50, 1000), -500);
  EXPECT_EQ(ChangeRatioOf(std::int64_t{1} << 40, 1), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace tarvello
