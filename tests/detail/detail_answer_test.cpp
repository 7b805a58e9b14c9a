#include "detail/detail_answer.h"

#include <gtest/gtest.h>

#include "detail/detail_request.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

Bytes MinuteBody(bool longForm, std::int16_t count, int recordsWritten) {
  WireWriter body;
  body.Utf8(u"SH600001").Utf8(u"Name").I32(1000).I32(5000).I32(9).U8(1).U8(2).I32(3).I16(count);
  for (int i = 0; i < recordsWritten; ++i) {
    body.I32(931 + i).I32(10010 + i).I32(100 * (i + 1)).I32(10005);
    if (longForm) body.I32(77);
  }
  body.I16(242);
  return body.Take();
}

Bytes BookBody(int entries, bool withRatio) {
  WireWriter body;
  body.I32(0).I16(static_cast<std::int16_t>(entries));
  for (int i = 0; i < entries; ++i) body.I32(1000 + i).I32(10 * i);
  if (withRatio) body.I32(-1234);
  return body.Take();
}

DetailRecords Read(const Bytes& container, bool* complete = nullptr) {
  DetailRecords records;
  const bool done = ReadDetailAnswer(container.data(), container.size(), records);
  if (complete) *complete = done;
  return records;
}

TEST(DetailAnswerTest, MinuteBlocksInBothForms) {
  ContainerWriter writer;
  writer.Add(kMinuteData, MinuteBody(true, 2, 2));
  DetailRecords longForm = Read(writer.Finish());
  EXPECT_EQ(longForm.minutes.name, u"Name");
  EXPECT_EQ(longForm.minutes.prevClose, 0);  // the long form's prevClose is not one
  EXPECT_EQ(longForm.minutes.totalVolume, 5000);
  EXPECT_EQ(longForm.minutes.minuteCount, 3);
  ASSERT_EQ(longForm.minutes.records.size(), 2u);
  EXPECT_EQ(longForm.minutes.records[1].time, 932);
  EXPECT_EQ(longForm.minutes.records[1].price, 10011);
  EXPECT_EQ(longForm.minutes.records[1].extra, 77);
  EXPECT_EQ(longForm.minutes.slotCount, 242);

  ContainerWriter shortWriter;
  shortWriter.Add(kMinuteDataShort, MinuteBody(false, 1, 1));
  DetailRecords shortForm = Read(shortWriter.Finish());
  EXPECT_EQ(shortForm.minutes.prevClose, 1000);
  ASSERT_EQ(shortForm.minutes.records.size(), 1u);
  EXPECT_EQ(shortForm.minutes.records[0].avgPrice, 10005);
}

TEST(DetailAnswerTest, HostileCountsReadOnlyWhatTheBlockHolds) {
  ContainerWriter writer;
  writer.Add(kMinuteData, MinuteBody(true, 30000, 3));  // claims far more records than sent
  writer.Add(kOrderBook, BookBody(0, false));
  WireWriter ticks;
  ticks.I32(1000).I32(0).I16(-5);  // a negative count reads as none
  writer.Add(kTicks, ticks.Take());
  bool complete = false;
  DetailRecords records = Read(writer.Finish(), &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(records.minutes.records.size(), 3u);
  EXPECT_EQ(records.minutes.slotCount, kDefaultSlotCount);
  EXPECT_TRUE(records.fiveLevelBook.empty());
  EXPECT_TRUE(records.ticks.ticks.empty());
  EXPECT_EQ(records.ticks.referencePrice, 1000);
}

TEST(DetailAnswerTest, BooksTicksAndFuturesQuote) {
  ContainerWriter writer;
  writer.Add(kOrderBook, BookBody(10, false));
  writer.Add(kTenLevelBook, BookBody(20, true));
  WireWriter ticks;
  ticks.I32(1000).I32(1).I16(2).I32(1455).I32(1001).I32(5).I32(1456).I32(999).I32(7);
  writer.Add(kTicks, ticks.Take());
  WireWriter futures;
  for (int i = 1; i <= 15; ++i) futures.I32(i);
  writer.Add(kFuturesQuote, futures.Take());
  DetailRecords records = Read(writer.Finish());
  ASSERT_EQ(records.fiveLevelBook.size(), 10u);
  EXPECT_EQ(records.fiveLevelBook[9].price, 1009);
  ASSERT_EQ(records.tenLevelBook.size(), 20u);
  EXPECT_EQ(records.tenLevelOrderRatio, -1234);
  ASSERT_EQ(records.ticks.ticks.size(), 2u);
  EXPECT_EQ(records.ticks.ticks[1].price, 999);
  ASSERT_TRUE(records.futures.has_value());
  EXPECT_EQ(records.futures->last, 1);
  EXPECT_EQ(records.futures->prevSettle, 10);
  EXPECT_EQ(records.futures->outerVolume, 15);
}

TEST(DetailAnswerTest, ShortFixedBlocksKeepTheRecordUnchanged) {
  ContainerWriter writer;
  WireWriter quote;
  quote.I32(1234);  // a snapshot needs fourteen int32
  writer.Add(kQuote, quote.Take());
  WireWriter futures;
  futures.I32(1).I32(2);
  writer.Add(kFuturesQuote, futures.Take());
  DetailRecords records = Read(writer.Finish());
  EXPECT_EQ(records.quote.last, 0);
  EXPECT_FALSE(records.futures.has_value());
}

TEST(DetailAnswerTest, BrokenContainerKeepsBlocksReadBeforeTheBreak) {
  ContainerWriter writer;
  writer.Add(kOrderBook, BookBody(10, false));
  Bytes container = writer.Finish();
  container.back() = 'x';
  bool complete = true;
  DetailRecords records = Read(container, &complete);
  EXPECT_FALSE(complete);
  EXPECT_EQ(records.fiveLevelBook.size(), 10u);
}

// Packet types of a request container, in order: each packet is type, attribute, body length
// and body, the packets separated by ":".
std::vector<int> TypesOf(const Bytes& request) {
  std::vector<int> types;
  std::size_t pos = 1;
  while (pos + 6 <= request.size()) {
    types.push_back(request[pos] | request[pos + 1] << 8);
    pos += 6 + static_cast<std::size_t>(request[pos + 4] | request[pos + 5] << 8) + 1;
  }
  return types;
}

TEST(DetailRequestTest, PacketsInOrderForShareAndFuture) {
  EXPECT_EQ(TypesOf(BuildDetailRequest("SH600001", false)),
            (std::vector<int>{2117, 2206, 2204, 2205, 2203, 2200, 2304, 2118, 2110}));
  EXPECT_EQ(TypesOf(BuildDetailRequest("IF000001", true)),
            (std::vector<int>{2117, 2206, 2204, 2205, 2203, 2200, 2204, 2118, 2110, 3203}));
}

TEST(DetailRequestTest, FuturesQuoteLengthFieldSaysTenWhateverTheCode) {
  const Bytes request = BuildDetailRequest("IF0001", true);
  // The last packet: "{" type(2) attribute(2) length(2) body "}" closes the container.
  const std::size_t body = 2 + 6;
  const std::size_t lengthAt = request.size() - 1 - body - 2;
  EXPECT_EQ(request[lengthAt - 4], 0x83);  // 3203 = 0x0C83
  EXPECT_EQ(request[lengthAt - 3], 0x0C);
  EXPECT_EQ(request[lengthAt - 2], kAttrCompressed);
  EXPECT_EQ(request[lengthAt], 10);
  EXPECT_EQ(request[lengthAt + 1], 0);
}

}  // namespace
}  // namespace tarvello
