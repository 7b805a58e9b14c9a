#include "protocol/packet_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvello {
namespace {

// Builds the expected packet from its header values and body bytes, independently of the codec.
Bytes Packet(int type, int attribute, const Bytes& body) {
  Bytes p{'{', static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(type >> 8),
          static_cast<std::uint8_t>(attribute), static_cast<std::uint8_t>(attribute >> 8),
          static_cast<std::uint8_t>(body.size()), static_cast<std::uint8_t>(body.size() >> 8)};
  p.insert(p.end(), body.begin(), body.end());
  p.push_back('}');
  return p;
}

Bytes Str(const std::string& s) {
  Bytes b(2 + s.size());
  b[0] = static_cast<std::uint8_t>(s.size());
  b[1] = static_cast<std::uint8_t>(s.size() >> 8);
  std::copy(s.begin(), s.end(), b.begin() + 2);
  return b;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

const std::string kCode = "SH600001";

TEST(PacketCodecTest, ProbeIsEightBytes) {
  EXPECT_EQ(CPacketCodec().BuildServerProbe(), (Bytes{'{', 0, 0, 0, 0, 0, 0, '}'}));
}

TEST(PacketCodecTest, CodeOnlyRequestsCarryAttributeTwo) {
  const CPacketCodec codec;
  const Bytes body = Str(kCode);
  EXPECT_EQ(codec.BuildQuoteExtra(kCode), Packet(2110, 2, body));
  EXPECT_EQ(codec.BuildTradingHours(kCode), Packet(2118, 2, body));
  EXPECT_EQ(codec.BuildSecurityInfo(kCode), Packet(2200, 2, body));
  EXPECT_EQ(codec.BuildQuote(kCode), Packet(2203, 2, body));
  EXPECT_EQ(codec.BuildOrderBook(kCode), Packet(2204, 2, body));
  EXPECT_EQ(codec.BuildIndexBreadth(kCode), Packet(2206, 2, body));
  EXPECT_EQ(codec.BuildTenLevelBook(kCode), Packet(2304, 2, body));
  EXPECT_EQ(codec.BuildQuote(kCode).size(), kCode.size() + 10);
}

TEST(PacketCodecTest, TextRequestsAreGbkWithAttributeZero) {
  const CPacketCodec codec;
  EXPECT_EQ(codec.BuildDeviceRegistration(u"中"), Packet(1800, 0, Str("\xD6\xD0")));
  EXPECT_EQ(codec.BuildErrorReport(u"x"), Packet(1900, 0, Str("x")));
  EXPECT_EQ(codec.BuildSecuritySearch(u"600"), Packet(2000, 0, Str("600")));
  EXPECT_EQ(codec.BuildOrderDetails(kCode), Packet(2802, 0, Str(kCode)));
}

TEST(PacketCodecTest, EmptyStringGivesTenBytePacket) {
  const Bytes packet = CPacketCodec().BuildSecuritySearch(u"");
  EXPECT_EQ(packet, Packet(2000, 0, Bytes{0, 0}));
  EXPECT_EQ(packet.size(), 10u);
}

TEST(PacketCodecTest, VersionCheckEndsWithPlatformText) {
  EXPECT_EQ(CPacketCodec().BuildVersionCheck(u"V3.3", u"ppc"),
            Packet(1000, 0, Cat({Str("V3.3"), Str("ppc"), Str("ppc")})));
}

TEST(PacketCodecTest, RankingRequestsHaveNineByteBodies) {
  const CPacketCodec codec;
  const Bytes body{1, 3, 7, 12, 1, 0x34, 0x12, 20, 0};
  EXPECT_EQ(codec.BuildBigOrderList(3, 7, 12, 1, 0x1234, 20), Packet(2105, 0, body));
  EXPECT_EQ(codec.BuildFundList(3, 7, 12, 1, 0x1234, 20), Packet(2106, 0, body));
}

TEST(PacketCodecTest, CategoryListAddsListParameterOnlyForItsCategory) {
  CPacketCodec codec;
  codec.SetListParamA(9);
  codec.SetListParamB(4);
  EXPECT_EQ(codec.BuildCategoryList(105, 2, 0, 10, 15), Packet(2113, 0, Bytes{1, 105, 2, 0, 10, 0, 15, 0, 9}));
  EXPECT_EQ(codec.BuildCategoryList(110, 14, 0, 0, 15), Packet(2113, 0, Bytes{1, 110, 14, 0, 0, 0, 15, 0, 4}));
  const Bytes other = codec.BuildCategoryList(1, 2, 1, 0, 15);
  EXPECT_EQ(other, Packet(2113, 0, Bytes{1, 1, 2, 1, 0, 0, 15, 0}));
  EXPECT_EQ(other.size(), 16u);
  EXPECT_EQ(codec.BuildCategoryList(105, 2, 0, 10, 15).size(), 17u);
  EXPECT_EQ(CPacketCodec().BuildCategoryList(105, 0, 0, 0, 1).at(15), 0);  // a fresh codec sends 0
}

TEST(PacketCodecTest, NumericRequests) {
  const CPacketCodec codec;
  EXPECT_EQ(codec.BuildSectorMembers(0x0102, 3, 4, 0x0506, 0x0708),
            Packet(2114, 0, Bytes{2, 1, 3, 4, 6, 5, 8, 7}));
  EXPECT_EQ(codec.BuildServerTime(0), Packet(2116, 0, Bytes{0, 0, 0, 0}));
  EXPECT_EQ(codec.BuildInfoTitles(7), Packet(2500, 0, Bytes{7}));
  EXPECT_EQ(codec.BuildInfoCategories(0x01020304), Packet(2700, 0, Bytes{4, 3, 2, 1}));
  EXPECT_EQ(codec.BuildInfoList(5), Packet(2701, 0, Bytes{5, 0, 0, 0}));
}

TEST(PacketCodecTest, CodeWithFieldsRequests) {
  const CPacketCodec codec;
  EXPECT_EQ(codec.BuildMinuteData(kCode, 0), Packet(2117, 2, Cat({Str(kCode), {0, 0, 0, 0}})));
  EXPECT_EQ(codec.BuildTicks(kCode, 0), Packet(2205, 2, Cat({Str(kCode), {0, 0, 0, 0, 10, 0}})));
  EXPECT_EQ(codec.BuildTradeAnalysis(kCode, 10), Packet(2800, 0, Cat({Str(kCode), {10}})));
  EXPECT_EQ(codec.BuildF10Item(kCode, 3, 0), Packet(2600, 0, Cat({Str(kCode), {3, 0, 0, 0, 0, 0}})));
  // K-line: body length is the code length plus 10.
  const Bytes kline = codec.BuildKLine(kCode, 7, 20240102, 122, 1);
  EXPECT_EQ(kline, Packet(2202, 2, Cat({Str(kCode), {7, 0xE6, 0xD6, 0x34, 0x01, 122, 0, 1}})));
  EXPECT_EQ(kline[5], kCode.size() + 10);
}

TEST(PacketCodecTest, ArticleCountsBytesOfTheConversion) {
  // Two Chinese characters are four GBK bytes: the count says 4, not 2.
  EXPECT_EQ(CPacketCodec().BuildArticle(6, u"中国"), Packet(2710, 2, Cat({{6, 0, 0, 0}, Str("\xD6\xD0\xB9\xFA")})));
}

TEST(PacketCodecTest, LoginAndRecommend) {
  const CPacketCodec codec;
  EXPECT_EQ(codec.BuildLogin(u"demo", u"123"), Packet(2906, 0, Cat({Str("demo"), Str("123")})));
  const Bytes raw{'1', '3', '9', 0};
  EXPECT_EQ(codec.BuildRecommend(u"hi", raw), Packet(2908, 0, Cat({Str("hi"), raw})));
}

TEST(PacketCodecTest, CodeListItemsCarryDigitsAndMarket) {
  const std::vector<std::string> codes{"SH600001", "SZ000002", "BI000101", "HK000700"};
  const Bytes packet = CPacketCodec().BuildCodeListInfo(1, 2, codes, 0x11, 0x22);
  ASSERT_EQ(packet.size(), 16u + 24 * codes.size());
  EXPECT_EQ(packet[5] | packet[6] << 8, 8 + 24 * static_cast<int>(codes.size()));
  EXPECT_EQ(Bytes(packet.begin(), packet.begin() + 15),
            (Bytes{'{', 0x55, 0x0B, 2, 0, 104, 0, 1, 0, 2, 0, 4, 0, 0, 0}));
  const Bytes first(packet.begin() + 15, packet.begin() + 39);
  EXPECT_EQ(first, (Bytes{'6', '0', '0', '0', '0', '1', 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                          0x11, 0, 0, 0, 0x22, 0, 0, 0}));
  EXPECT_EQ(packet[15 + 24 + 7], 0);     // SZ
  EXPECT_EQ(packet[15 + 48 + 7], 0x5A);  // BI
  EXPECT_EQ(packet[15 + 72 + 7], 0x5A);  // an unknown prefix repeats the previous market
  EXPECT_EQ(packet.back(), '}');
}

TEST(PacketCodecTest, TwoCodeListIsSixtyFourBytes) {
  const std::vector<std::string> codes{"SH600001", "SZ000002"};
  const Bytes packet = CPacketCodec().BuildCodeListInfo(0, 0, codes, 0, 0);
  EXPECT_EQ(packet.size(), 64u);
  EXPECT_EQ(packet[5], 56);
}

TEST(PacketCodecTest, ShortCodeInListKeepsTheAnnouncedLength) {
  const std::vector<std::string> codes{"SH6", "X"};
  const Bytes packet = CPacketCodec().BuildCodeListInfo(0, 0, codes, 0, 0);
  EXPECT_EQ(packet.size(), 64u);
  EXPECT_EQ(packet[15], '6');
  EXPECT_EQ(packet[16], 0);
  EXPECT_EQ(packet[15 + 7], 1);  // "SH"
  EXPECT_EQ(packet[39 + 7], 1);  // "X" repeats the previous market
}

TEST(JoinTest, ThreePacketsShareOneFrame) {
  const Bytes a = Packet(1, 0, Bytes{0, 0});                   // 10 bytes
  const Bytes b = Packet(2, 0, Bytes{1, 2, 3, 4});             // 12 bytes
  const Bytes c = Packet(3, 0, Bytes{5, 5, 5, 5, 5, 5, 5, 5, 5});  // 17 bytes
  const Bytes joined = CPacketCodec::Join(std::vector<Bytes>{a, b, c});
  ASSERT_EQ(joined.size(), 37u);
  EXPECT_EQ(joined.front(), '{');
  EXPECT_EQ(joined.back(), '}');
  EXPECT_EQ(joined[9], ':');
  EXPECT_EQ(joined[9 + 11], ':');
  const Bytes expected = Cat({Bytes(a.begin(), a.end() - 1), {':'}, Bytes(b.begin() + 1, b.end() - 1),
                              {':'}, Bytes(c.begin() + 1, c.end())});
  EXPECT_EQ(joined, expected);
}

TEST(JoinTest, SinglePacketIsItsOwnContainer) {
  const Bytes probe = CPacketCodec().BuildServerProbe();
  EXPECT_EQ(CPacketCodec::Join(std::vector<Bytes>{probe}), probe);
  EXPECT_TRUE(CPacketCodec::Join({}).empty());
}

TEST(ReadersTest, LittleEndianWithSignExtension) {
  const std::uint8_t bytes[] = {0xFF, 0x7F, 0x00, 0x80, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF};
  int pos = 0;
  EXPECT_EQ(CPacketCodec::ReadInt16(bytes, pos), 32767);
  EXPECT_EQ(CPacketCodec::ReadInt16(bytes, pos), -32768);
  EXPECT_EQ(CPacketCodec::ReadByte(bytes, pos), 255u);
  EXPECT_EQ(pos, 5);
  pos = 6;
  EXPECT_EQ(CPacketCodec::ReadInt32(bytes, pos), -2);
  EXPECT_EQ(pos, 10);
}

TEST(ReadersTest, StringsAreUtf8WithCount) {
  const std::uint8_t bytes[] = {0, 0, 3, 0, 0xE6, 0xB6, 0xA8, 'x'};
  int pos = 0;
  EXPECT_EQ(CPacketCodec::ReadString(bytes, pos), u"");
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(CPacketCodec::ReadString(bytes, pos), u"涨");
  EXPECT_EQ(pos, 7);
}

}  // namespace
}  // namespace tarvello
