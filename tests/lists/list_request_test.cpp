#include "lists/list_request.h"

#include <gtest/gtest.h>

#include "lists/list_codes.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

// The body of a single-packet request: after "{", type, attribute and length, before "}".
Bytes Body(const Bytes& packet) { return Bytes(packet.begin() + 7, packet.end() - 1); }

std::uint16_t TypeOf(const Bytes& packet) { return static_cast<std::uint16_t>(packet[1] | packet[2] << 8); }

TEST(ListRequestTest, CategoryPagesCarryTheirFieldsAndFixedSorts) {
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
}

TEST(ListRequestTest, CodeListsAndRankings) {
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

TEST(ListRequestTest, SectorPageIsAQuoteJoinedToItsConstituents) {
  const Bytes request = BuildSectorPage(SecurityCode(u"BI000475"), 475, {1, 0, 9, 9});
  // "{" 2203 attr 2 len 18, code, ":" 2114 attr 0 len 16, body, "}"
  ASSERT_EQ(request.size(), 18u + 16u - 1u);
  EXPECT_EQ(request[0], '{');
  EXPECT_EQ(TypeOf(request), kQuote);
  EXPECT_EQ(request[3], 2);
  EXPECT_EQ(request[17], ':');
  EXPECT_EQ(request[18] | request[19] << 8, kSectorMembers);
  EXPECT_EQ(Bytes(request.begin() + 24, request.end() - 1), (Bytes{0xDB, 0x01, 1, 0, 9, 0, 9, 0}));
  EXPECT_EQ(request.back(), '}');
}

// The order prices come in hundredths; the previous close they are judged against comes in the
// security's decimals, so both the quote and the security are asked with the orders.
TEST(ListRequestTest, OrderDetailsAskForTheQuoteAndTheSecurityToo) {
  const Bytes request = BuildOrderDetailsRequest(SecurityCode(u"SH600001"));
  constexpr std::size_t kPacket = 1 + 6 + 2 + 8;  // "{" or ":", header, the code
  ASSERT_EQ(request.size(), 3 * kPacket + 1);
  const int types[] = {kOrderDetails, kQuote, kSecurityInfo};
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(request[i * kPacket + 1] | request[i * kPacket + 2] << 8, types[i]);
}

}  // namespace
}  // namespace tarvello
