#include "market/quote_block_readers.h"

#include <gtest/gtest.h>

#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

BlockReader ReaderOf(const Bytes& body) { return BlockReader(body.data(), 0, body.size()); }

Bytes SecurityInfoBody() {
  WireWriter body;
  body.Utf8(u"SH600001").Utf8(u"\u6D66\u53D1\u94F6\u884C").U8(1).U8(3).I32(7).I32(1357).I32(1111);
  return body.Take();
}

TEST(QuoteBlockReadersTest, SecurityInfoReadsEveryField) {
  const Bytes body = SecurityInfoBody();
  BlockReader reader = ReaderOf(body);
  SecurityInfo info;
  ASSERT_TRUE(ReadSecurityInfo(reader, info));
  EXPECT_EQ(info.code, SecurityCode(u"SH600001"));
  EXPECT_EQ(info.name, u"\u6D66\u53D1\u94F6\u884C");
  EXPECT_EQ(info.securityType, 1);
  EXPECT_EQ(info.priceDecimals, 3);
  EXPECT_EQ(info.info1, 7);
  EXPECT_EQ(info.limitUp, 1357);
  EXPECT_EQ(info.limitDown, 1111);
}

TEST(QuoteBlockReadersTest, ShortSecurityInfoKeepsWhatArrivedAndZeroesTheRest) {
  Bytes body = SecurityInfoBody();
  body.resize(body.size() - 6);  // limitUp cut in half, limitDown missing
  BlockReader reader = ReaderOf(body);
  SecurityInfo info;
  info.limitDown = 99;  // a stale value from an earlier block must not survive
  EXPECT_FALSE(ReadSecurityInfo(reader, info));
  EXPECT_EQ(info.info1, 7);
  EXPECT_EQ(info.limitUp, 0);
  EXPECT_EQ(info.limitDown, 0);
  EXPECT_EQ(reader.position(), body.size());
}

TEST(QuoteBlockReadersTest, SecurityInfoWithALyingStringLengthReadsNothingFurther) {
  WireWriter body;
  body.U16(500).Raw(std::vector<std::uint8_t>{'S', 'H'});
  const Bytes bytes = body.Take();
  BlockReader reader = ReaderOf(bytes);
  SecurityInfo info;
  EXPECT_FALSE(ReadSecurityInfo(reader, info));
  EXPECT_TRUE(info.code.empty());
  EXPECT_EQ(info.priceDecimals, 0);
}

// Ten fields in wire order, four skipped; a block without the skipped tail is short.
TEST(QuoteBlockReadersTest, SnapshotReadsTenFieldsAndSkipsFour) {
  WireWriter body;
  for (std::int32_t i = 1; i <= 14; ++i) body.I32(i * 10);
  body.I32(-1);  // a following field of a larger block stays unread
  const Bytes bytes = body.Take();
  BlockReader reader = ReaderOf(bytes);
  QuoteSnapshot q;
  ASSERT_TRUE(ReadQuoteSnapshot(reader, q));
  EXPECT_EQ((std::vector<std::int32_t>{q.last, q.snap2, q.volume, q.high, q.low, q.open, q.prevClose,
                                       q.turnoverBase, q.orderRatio, q.volumeRatio}),
            (std::vector<std::int32_t>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
  EXPECT_EQ(reader.position(), 14u * 4);
  BlockReader tailless(bytes.data(), 0, 10 * 4);
  EXPECT_FALSE(ReadQuoteSnapshot(tailless, q));
  EXPECT_EQ(q.volumeRatio, 100);
}

TEST(QuoteBlockReadersTest, QuoteExtraSignExtendsTheTurnoverRate) {
  WireWriter body;
  body.I16(-2).I32(300).I32(400).I32(15500).I32(-120).U8(2);
  const Bytes bytes = body.Take();
  BlockReader reader = ReaderOf(bytes);
  QuoteExtra extra;
  ASSERT_TRUE(ReadQuoteExtra(reader, extra));
  EXPECT_EQ(extra.turnoverRate, -2);
  EXPECT_EQ(extra.innerVolume, 300);
  EXPECT_EQ(extra.outerVolume, 400);
  EXPECT_EQ(extra.peRatio, 15500);
  EXPECT_EQ(extra.earnings, -120);
  EXPECT_EQ(extra.earningsQuarter, 2);

  Bytes cut = bytes;
  cut.pop_back();
  BlockReader shortReader = ReaderOf(cut);
  EXPECT_FALSE(ReadQuoteExtra(shortReader, extra));
  EXPECT_EQ(extra.earnings, -120);
  EXPECT_EQ(extra.earningsQuarter, 0);
}

TEST(QuoteBlockReadersTest, BreadthAndTradingHoursReadInt16Pairs) {
  WireWriter breadthBody;
  breadthBody.I16(512).I16(40).I16(300);
  const Bytes breadthBytes = breadthBody.Take();
  BlockReader breadthReader = ReaderOf(breadthBytes);
  IndexBreadth breadth;
  ASSERT_TRUE(ReadIndexBreadth(breadthReader, breadth));
  EXPECT_EQ(breadth.up, 512);
  EXPECT_EQ(breadth.flat, 40);
  EXPECT_EQ(breadth.down, 300);

  WireWriter hoursBody;
  hoursBody.I16(1500).I16(930);
  const Bytes hoursBytes = hoursBody.Take();
  BlockReader hoursReader = ReaderOf(hoursBytes);
  TradingHours hours;
  ASSERT_TRUE(ReadTradingHours(hoursReader, hours));
  EXPECT_EQ(hours.close, 1500);
  EXPECT_EQ(hours.open, 930);

  BlockReader shortHours(hoursBytes.data(), 0, 3);
  EXPECT_FALSE(ReadTradingHours(shortHours, hours));
  EXPECT_EQ(hours.close, 1500);
  EXPECT_EQ(hours.open, 0);
}

TEST(QuoteBlockReadersTest, ReaderStaysInsideItsWindowOfALargerBuffer) {
  WireWriter body;
  body.I16(1).I16(2).I16(3).I16(4);
  const Bytes bytes = body.Take();
  BlockReader reader(bytes.data(), 2, 6);  // only the second and third counts are this block's
  IndexBreadth breadth;
  EXPECT_FALSE(ReadIndexBreadth(reader, breadth));
  EXPECT_EQ(breadth.up, 2);
  EXPECT_EQ(breadth.flat, 3);
  EXPECT_EQ(breadth.down, 0);
}

}  // namespace
}  // namespace tarvello
