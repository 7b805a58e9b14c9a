#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "market/index_ticker.h"
#include "market/quote_block_readers.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

// Reads one record from the first `end` bytes (all of them by default) with the block's reader.
template <typename Record>
bool ReadFrom(const Bytes& bytes, bool (*read)(BlockReader&, Record&), Record& record, std::size_t end = SIZE_MAX,
              std::size_t* position = nullptr) {
  BlockReader reader(bytes.data(), 0, std::min(end, bytes.size()));
  const bool whole = read(reader, record);
  if (position != nullptr) *position = reader.position();
  return whole;
}

Bytes SecurityInfoBody() {
  return WireWriter().Utf8(u"SH600001").Utf8(u"浦发银行").U8(1).U8(3).I32(7).I32(1357).I32(1111).Take();
}

std::vector<std::int32_t> Figures(const SecurityInfo& info) {
  return {info.securityType, info.priceDecimals, info.info1, info.limitUp, info.limitDown};
}

// A whole block reads every field. A short block keeps what arrived and zeroes the rest, stale
// values of an earlier block included; a string length reaching past the block reads nothing further.
TEST(QuoteBlockReadersTest, EachBlockKeepsOnlyWhatArrivedAndReadsItsFieldsInsideTheBlock) {
  const Bytes body = SecurityInfoBody();
  SecurityInfo info;
  ASSERT_TRUE(ReadFrom(body, ReadSecurityInfo, info));
  EXPECT_EQ(std::tie(info.code, info.name), std::tuple(SecurityCode(u"SH600001"), u"浦发银行"));
  EXPECT_EQ(Figures(info), (std::vector<std::int32_t>{1, 3, 7, 1357, 1111}));
  info.limitDown = 99;
  std::size_t position = 0;
  EXPECT_FALSE(ReadFrom(body, ReadSecurityInfo, info, body.size() - 6, &position));  // limitUp cut in half
  EXPECT_EQ(Figures(info), (std::vector<std::int32_t>{1, 3, 7, 0, 0}));
  EXPECT_EQ(position, body.size() - 6);

  SecurityInfo lying;
  EXPECT_FALSE(ReadFrom(WireWriter().U16(500).Raw(Bytes{'S', 'H'}).Take(), ReadSecurityInfo, lying));
  EXPECT_TRUE(lying.code.empty() && lying.priceDecimals == 0);
  // Ten fields in wire order, four skipped; a block without the skipped tail is short.
  WireWriter fields;
  for (std::int32_t i = 1; i <= 14; ++i) fields.I32(i * 10);
  fields.I32(-1);  // a following field of a larger block stays unread
  const Bytes bytes = fields.Take();
  QuoteSnapshot q;
  ASSERT_TRUE(ReadFrom(bytes, ReadQuoteSnapshot, q, SIZE_MAX, &position));
  EXPECT_EQ((std::vector<std::int32_t>{q.last, q.snap2, q.volume, q.high, q.low, q.open, q.prevClose,
                                       q.turnoverBase, q.orderRatio, q.volumeRatio}),
            (std::vector<std::int32_t>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
  EXPECT_EQ(position, 14u * 4);
  EXPECT_FALSE(ReadFrom(bytes, ReadQuoteSnapshot, q, 10 * 4));
  EXPECT_EQ(q.volumeRatio, 100);
  // The quote extra sign-extends the turnover rate.
  const Bytes extraBytes = WireWriter().I16(-2).I32(300).I32(400).I32(15500).I32(-120).U8(2).Take();
  QuoteExtra extra;
  ASSERT_TRUE(ReadFrom(extraBytes, ReadQuoteExtra, extra));
  EXPECT_EQ((std::vector<std::int32_t>{extra.turnoverRate, extra.innerVolume, extra.outerVolume, extra.peRatio,
                                       extra.earnings, extra.earningsQuarter}),
            (std::vector<std::int32_t>{-2, 300, 400, 15500, -120, 2}));
  EXPECT_FALSE(ReadFrom(extraBytes, ReadQuoteExtra, extra, extraBytes.size() - 1));
  EXPECT_EQ(std::tuple(extra.earnings, int{extra.earningsQuarter}), std::tuple(-120, 0));
  // Breadth and trading hours read int16s inside their block.
  IndexBreadth breadth;
  ASSERT_TRUE(ReadFrom(WireWriter().I16(512).I16(40).I16(300).Take(), ReadIndexBreadth, breadth));
  EXPECT_EQ((std::vector<std::int32_t>{breadth.up, breadth.flat, breadth.down}), (std::vector<std::int32_t>{512, 40, 300}));
  const Bytes counts = WireWriter().I16(1).I16(2).I16(3).I16(4).Take();
  BlockReader window(counts.data(), 2, 6);  // a block inside a larger buffer: the second and third counts
  EXPECT_FALSE(ReadIndexBreadth(window, breadth));
  EXPECT_EQ((std::vector<std::int32_t>{breadth.up, breadth.flat, breadth.down}), (std::vector<std::int32_t>{2, 3, 0}));
  const Bytes hoursBytes = WireWriter().I16(1500).I16(930).Take();
  TradingHours hours;
  ASSERT_TRUE(ReadFrom(hoursBytes, ReadTradingHours, hours));
  EXPECT_EQ(std::tuple(hours.close, hours.open), std::tuple(1500, 930));
  EXPECT_FALSE(ReadFrom(hoursBytes, ReadTradingHours, hours, 3));
  EXPECT_EQ(std::tuple(hours.close, hours.open), std::tuple(1500, 0));
}

Bytes QuoteBody(std::int32_t last, std::int32_t volume, std::int32_t prev) {
  WireWriter body;
  body.I32(last).I32(0).I32(volume).I32(0).I32(0).I32(0).I32(prev);
  for (int i = 0; i < 7; ++i) body.I32(0);
  return body.Take();
}

struct Block {
  int type;
  Bytes body;
};

Bytes Answer(const std::vector<Block>& blocks) {
  ContainerWriter writer;
  for (const Block& block : blocks) writer.AddPlain(block.type, block.body);
  return writer.Finish();
}

TEST(IndexTickerTest, AsksForBothIndicesInOneExchangeBlinksAndTakesOnlyWholeBlocksInPlace) {
  testing::ScriptedServer server;
  server.SetFixedAnswer(Answer({{2203, QuoteBody(324512, 900, 320000)}, {2203, QuoteBody(1100000, 800, 1110000)}}));
  IndexTicker ticker;
  EXPECT_FALSE(ticker.Get().shanghai.known || ticker.Get().shenzhen.known);
  ticker.Refresh(server.Function(), nullptr);
  const CPacketCodec codec;
  EXPECT_EQ(server.Last(), CPacketCodec::Join(std::vector<Bytes>{codec.BuildQuote("SH000001"), codec.BuildQuote("SZ399001")}));
  TickerState state = ticker.Get();
  const IndexValues& shanghai = state.shanghai;
  EXPECT_EQ(std::tuple(shanghai.last, shanghai.volume, shanghai.prevClose, state.shenzhen.last),
            std::tuple(324512, 900, 320000, 1100000));
  EXPECT_TRUE(state.shanghai.known && state.shenzhen.known && !state.old && state.blink);
  ticker.Refresh([](auto, auto) { return 0; }, nullptr);
  state = ticker.Get();
  EXPECT_FALSE(state.blink);
  EXPECT_EQ(state.shenzhen.prevClose, 1110000);
  // After a good refresh (Shanghai 100, Shenzhen 200) a damaged answer changes only what it
  // carries whole, at the position it carries it.
  Bytes shortBody = QuoteBody(7, 7, 7);
  shortBody.resize(12);
  const struct {
    const char* name;
    std::vector<Block> blocks;
    std::int32_t shanghai;
    std::int32_t shenzhen;
  } cases[] = {
      {"short Shanghai block", {{2203, shortBody}, {2203, QuoteBody(222, 2, 220)}}, 100, 222},
      {"short Shenzhen block", {{2203, QuoteBody(111, 1, 110)}, {2203, shortBody}}, 111, 200},
      {"Shenzhen block missing", {{2203, QuoteBody(111, 1, 110)}}, 111, 200},
      {"Shenzhen block of another type", {{2203, QuoteBody(111, 1, 110)}, {2200, QuoteBody(9, 9, 9)}}, 111, 200},
      {"first block of another type", {{2200, QuoteBody(5, 5, 5)}, {2203, QuoteBody(222, 2, 220)}}, 100, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IndexTicker damaged;
    server.SetFixedAnswer(Answer({{2203, QuoteBody(100, 1, 90)}, {2203, QuoteBody(200, 2, 190)}}));
    damaged.Refresh(server.Function(), nullptr);
    server.SetFixedAnswer(Answer(c.blocks));
    damaged.Refresh(server.Function(), nullptr);
    const TickerState after = damaged.Get();
    EXPECT_EQ(std::tuple(after.shanghai.last, after.shenzhen.last, after.blink),
              std::tuple(c.shanghai, c.shenzhen, false));
  }
}

}  // namespace
}  // namespace tarvello
