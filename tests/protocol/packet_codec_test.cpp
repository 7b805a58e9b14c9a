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

// Each kind of builder against the packet built by hand: header values, attribute, body bytes. Text
// goes out as GBK with its byte count (two Chinese characters count 4). The type of each request
// for one code is the detail answer test's.
TEST(PacketCodecTest, EveryRequestHasItsTypeAttributeAndBodyAndCodeListItemsTheirMarket) {
  CPacketCodec codec;
  codec.SetListParamA(9);
  codec.SetListParamB(4);
  const Bytes code = Str(kCode);
  const struct {
    const char* name;
    Bytes built;
    Bytes expected;
  } cases[] = {
      {"server probe", codec.BuildServerProbe(), Bytes{'{', 0, 0, 0, 0, 0, 0, '}'}},
      {"quote", codec.BuildQuote(kCode), Packet(2203, 2, code)},
      {"registration", codec.BuildDeviceRegistration(u"中"), Packet(1800, 0, Str("\xD6\xD0"))},
      {"empty search", codec.BuildSecuritySearch(u""), Packet(2000, 0, Bytes{0, 0})},
      {"order details", codec.BuildOrderDetails(kCode), Packet(2802, 0, code)},
      {"version check", codec.BuildVersionCheck(u"V3.3", u"ppc"), Packet(1000, 0, Cat({Str("V3.3"), Str("ppc"), Str("ppc")}))},
      {"big orders", codec.BuildBigOrderList(3, 7, 12, 1, 0x1234, 20), Packet(2105, 0, Bytes{1, 3, 7, 12, 1, 0x34, 0x12, 20, 0})},
      {"category 105", codec.BuildCategoryList(105, 2, 0, 10, 15), Packet(2113, 0, Bytes{1, 105, 2, 0, 10, 0, 15, 0, 9})},
      {"category 110", codec.BuildCategoryList(110, 14, 0, 0, 15), Packet(2113, 0, Bytes{1, 110, 14, 0, 0, 0, 15, 0, 4})},
      {"other category", codec.BuildCategoryList(1, 2, 1, 0, 15), Packet(2113, 0, Bytes{1, 1, 2, 1, 0, 0, 15, 0})},
      {"fresh codec", CPacketCodec().BuildCategoryList(105, 0, 0, 0, 1), Packet(2113, 0, Bytes{1, 105, 0, 0, 0, 0, 1, 0, 0})},
      {"sector members", codec.BuildSectorMembers(0x0102, 3, 4, 0x0506, 0x0708), Packet(2114, 0, Bytes{2, 1, 3, 4, 6, 5, 8, 7})},
      {"info titles", codec.BuildInfoTitles(7), Packet(2500, 0, Bytes{7})},
      {"info categories", codec.BuildInfoCategories(0x01020304), Packet(2700, 0, Bytes{4, 3, 2, 1})},
      {"minute data", codec.BuildMinuteData(kCode, 0), Packet(2117, 2, Cat({code, {0, 0, 0, 0}}))},
      {"ticks", codec.BuildTicks(kCode, 0), Packet(2205, 2, Cat({code, {0, 0, 0, 0, 10, 0}}))},
      {"trade analysis", codec.BuildTradeAnalysis(kCode, 10), Packet(2800, 0, Cat({code, {10}}))},
      {"F10 item", codec.BuildF10Item(kCode, 3, 0), Packet(2600, 0, Cat({code, {3, 0, 0, 0, 0, 0}}))},
      {"K-line", codec.BuildKLine(kCode, 7, 20240102, 122, 1), Packet(2202, 2, Cat({code, {7, 0xE6, 0xD6, 0x34, 0x01, 122, 0, 1}}))},
      {"article", codec.BuildArticle(6, u"中国"), Packet(2710, 2, Cat({{6, 0, 0, 0}, Str("\xD6\xD0\xB9\xFA")}))},
      {"login", codec.BuildLogin(u"demo", u"123"), Packet(2906, 0, Cat({Str("demo"), Str("123")}))},
      {"recommend", codec.BuildRecommend(u"hi", Bytes{'1', '3', '9', 0}), Packet(2908, 0, Cat({Str("hi"), {'1', '3', '9', 0}}))},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected) << c.name;
  // Each item carries six code characters, zero-padded, and its market byte; an unknown prefix
  // repeats the previous item's market. Two short codes still make 64 bytes.
  const std::vector<std::string> codes{"SH600001", "SZ000002", "BI000101", "HK000700"};
  const Bytes packet = CPacketCodec().BuildCodeListInfo(1, 2, codes, 0x11, 0x22);
  ASSERT_EQ(packet.size(), 16u + 24 * codes.size());
  EXPECT_EQ(packet[5] | packet[6] << 8, 8 + 24 * static_cast<int>(codes.size()));
  EXPECT_EQ(Bytes(packet.begin(), packet.begin() + 15),
            (Bytes{'{', 0x55, 0x0B, 2, 0, 104, 0, 1, 0, 2, 0, 4, 0, 0, 0}));
  const Bytes first(packet.begin() + 15, packet.begin() + 39);
  EXPECT_EQ(first, (Bytes{'6', '0', '0', '0', '0', '1', 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                          0x11, 0, 0, 0, 0x22, 0, 0, 0}));
  // The market bytes of SZ, BI and HK.
  EXPECT_EQ((Bytes{packet[15 + 24 + 7], packet[15 + 48 + 7], packet[15 + 72 + 7]}),
            (Bytes{0, 0x5A, 0x5A}));
  EXPECT_EQ(packet.back(), '}');
  const Bytes short_codes = CPacketCodec().BuildCodeListInfo(0, 0, std::vector<std::string>{"SH6", "X"}, 0, 0);
  ASSERT_EQ(short_codes.size(), 64u);
  EXPECT_EQ(short_codes[5], 56);
  EXPECT_EQ(Bytes(short_codes.begin() + 15, short_codes.begin() + 17), (Bytes{'6', 0}));
  EXPECT_EQ((Bytes{short_codes[15 + 7], short_codes[39 + 7]}), (Bytes{1, 1}));  // "SH", then "X"
  // Packets share one frame, and a single one is its own container.
  const Bytes a = Packet(1, 0, Bytes{0, 0});                   // 10 bytes
  const Bytes b = Packet(2, 0, Bytes{1, 2, 3, 4});             // 12 bytes
  const Bytes c = Packet(3, 0, Bytes{5, 5, 5, 5, 5, 5, 5, 5, 5});  // 17 bytes
  const Bytes joined = CPacketCodec::Join(std::vector<Bytes>{a, b, c});
  const Bytes expected = Cat({Bytes(a.begin(), a.end() - 1), {':'}, Bytes(b.begin() + 1, b.end() - 1),
                              {':'}, Bytes(c.begin() + 1, c.end())});
  EXPECT_EQ(joined, expected);
  const Bytes probe = CPacketCodec().BuildServerProbe();
  EXPECT_EQ(CPacketCodec::Join(std::vector<Bytes>{probe}), probe);
  EXPECT_TRUE(CPacketCodec::Join({}).empty());
}

}  // namespace
}  // namespace tarvello
