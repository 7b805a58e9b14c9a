// The detail screen without a screen: its request and answer, the panel rows and the intraday
// chart's model.
#include <gtest/gtest.h>

#include <map>

#include <tuple>

#include "detail/detail_answer.h"
#include "detail/detail_panel_rows.h"
#include "detail/detail_request.h"
#include "detail/intraday_chart_model.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "lists/list_wire.h"
#include "text/text_codec.h"

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

// The long form's prevClose is not one; the short form's is.
TEST(DetailAnswerTest, MinuteBlocksInBothFormsReadOnlyWhatTheBlockHolds) {
  const MinuteSeries m = Read(testing::Container(kMinuteData, MinuteBody(true, 2, 2))).minutes;
  EXPECT_EQ(m.name, u"Name");
  EXPECT_EQ(std::tuple(m.prevClose, m.totalVolume, m.minuteCount, m.slotCount),
            std::tuple(0, 5000, 3, 242));
  ASSERT_EQ(m.records.size(), 2u);
  const MinuteRecord& second = m.records[1];
  EXPECT_EQ(std::tuple(second.time, second.price, second.extra), std::tuple(932, 10011, 77));
  const MinuteSeries shortForm =
      Read(testing::Container(kMinuteDataShort, MinuteBody(false, 1, 1))).minutes;
  EXPECT_EQ(shortForm.prevClose, 1000);
  ASSERT_EQ(shortForm.records.size(), 1u);
  EXPECT_EQ(shortForm.records[0].avgPrice, 10005);
  // Hostile counts read only what the block holds.
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
  const FuturesQuote& f = *records.futures;
  EXPECT_EQ(std::tuple(f.last, f.prevSettle, f.outerVolume), std::tuple(1, 10, 15));
}

TEST(DetailAnswerTest, ShortFixedBlocksKeepTheRecordAndABreakKeepsTheBlocksBefore) {
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
  Bytes container = testing::Container(kOrderBook, BookBody(10, false));
  container.back() = 'x';
  bool complete = true;
  EXPECT_EQ(Read(container, &complete).fiveLevelBook.size(), 10u);
  EXPECT_FALSE(complete);
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

TEST(DetailRequestTest, PacketsInOrderForShareAndFutureWhoseQuoteSaysTenWhateverTheCode) {
  EXPECT_EQ(TypesOf(BuildDetailRequest("SH600001", false)),
            (std::vector<int>{2117, 2206, 2204, 2205, 2203, 2200, 2304, 2118, 2110}));
  EXPECT_EQ(TypesOf(BuildDetailRequest("IF000001", true)),
            (std::vector<int>{2117, 2206, 2204, 2205, 2203, 2200, 2204, 2118, 2110, 3203}));
  // The futures quote closes the container, its length field saying 10 whatever the code's length.
  const Bytes request = BuildDetailRequest("IF0001", true);
  EXPECT_EQ(Bytes(request.end() - 15, request.end()),
            (Bytes{0x83, 0x0C, kAttrCompressed, 0, 10, 0, 6, 0, 'I', 'F', '0', '0', '0', '1', '}'}));
}

DetailRecords Share() {
  DetailRecords records;
  records.security = SecurityInfo{.code = {}, .name = {}, .securityType = 1, .limitUp = 1100, .limitDown = 900};
  records.quote =
      QuoteSnapshot{.last = 1020, .high = 1030, .low = 980, .open = 990, .prevClose = 1000, .volumeRatio = 12345};
  records.extra =
      QuoteExtra{.innerVolume = 300, .outerVolume = 400, .peRatio = 15500, .earnings = 123, .earningsQuarter = 2};
  records.minutes.records.push_back(MinuteRecord{.avgPrice = 10106});
  return records;
}

TEST(DetailPanelRowsTest, ShareFiguresAndTheirPlaceholdersOnlyBeforeTheFirstTrade) {
  const auto rows = ShareFigureRows(Share());
  ASSERT_EQ(rows.size(), 14u);
  EXPECT_EQ(std::tuple(rows[0].colour, rows[1].colour, rows[3].colour, rows[4].colour),
            std::tuple(kFallGreen, kRiseRed, kPlainWhite, kRiseRed));
  EXPECT_EQ(std::tie(rows[4].value, rows[13].value), std::tuple(u"10.11", u"0.123"));
  // Before the first trade every zero figure is "--"; once traded a zero is a number.
  DetailRecords records;
  records.quote.prevClose = 1000;
  for (const PanelRow& row : ShareFigureRows(records)) {
    if (row.separator || row.label == u"昨收" || row.label == u"振幅") continue;
    EXPECT_EQ(row.value, u"--") << text::ToUtf8(row.label);
  }
  records.quote.last = 1000;
  const auto traded = ShareFigureRows(records);
  EXPECT_EQ(traded[8].value, u"0.00%");  // 量比
  EXPECT_EQ(traded[12].value, u"0.0");   // 市盈(动)
  EXPECT_EQ(traded[13].value, u"0.000");  // 收益
}

TEST(DetailPanelRowsTest, BookRowsShowPlaceholdersKeepAGapBeforeTheVolumeAndTicksTheirColour) {
  const DetailRecords records = Share();
  const auto rows = BookRows({{1010, 50}, {0, 0}, {0, 7}, {990, 0}}, records);
  EXPECT_EQ(std::tie(rows[0].price, rows[1].price, rows[1].volume, rows[2].volume, rows[3].volume),
            std::tuple(u"10.10", u"--", u"--", u"7", u"0"));
  EXPECT_EQ(std::tuple(rows[0].priceColour, rows[3].priceColour), std::tuple(kRiseRed, kFallGreen));
  // A price and its volume never run into one number ("90.62457"): the volume keeps a gap, and
  // when the widest price leaves it too little room, the room says how far its text must shrink.
  const struct {
    int widestPrice, widestVolume;
    BookColumns expected;
  } cases[] = {
      {30, 20, {60, 36}},   // short figures: prices end three fifths of the way
      {30, 50, {46, 50}},   // a long volume moves the prices left
      {60, 50, {60, 36}},   // both long: the volume must shrink into 36 pixels
      {120, 10, {120, 0}},  // a price wider than the row leaves nothing
  };
  for (const auto& c : cases) {
    const BookColumns columns = FitBookColumns(0, 100, c.widestPrice, c.widestVolume, 4);
    EXPECT_EQ(columns.priceRight, c.expected.priceRight) << c.widestPrice << " " << c.widestVolume;
    EXPECT_EQ(columns.volumeRoom, c.expected.volumeRoom) << c.widestPrice << " " << c.widestVolume;
  }
  // Ticks are coloured against their reference.
  TickList ticks{1000, 0, {{1455, 1001, 5}, {1456, 999, 7}, {1457, 1000, 1}}};
  const auto tickRows = TickRows(ticks, 2);
  EXPECT_EQ(std::tuple(tickRows[0].colour, tickRows[1].colour, tickRows[2].colour),
            std::tuple(kRiseRed, kFallGreen, kFlatGrey));
  EXPECT_EQ(tickRows[1].volume, u"7");
}

MinuteRecord Minute(std::int32_t time, std::int32_t price, std::int32_t cumVolume, std::int32_t avgPrice) {
  return MinuteRecord{.time = time, .price = price, .cumVolume = cumVolume, .avgPrice = avgPrice};
}

TEST(IntradayChartModelTest, GapsTakeThePreviousMinuteOrCloseAndTheRangeIsSymmetricAndSafe) {
  std::vector<MinuteRecord> gappy{Minute(931, 0, 100, 0), Minute(932, 10100, 0, 10050),
                                  Minute(933, 0, 400, 0), Minute(934, 10200, 1000, 10080)};
  EXPECT_EQ(FillMinuteGaps(gappy, 1000), 600);
  EXPECT_EQ(std::tuple(gappy[0].price, gappy[0].avgPrice, gappy[2].price, gappy[2].avgPrice),
            std::tuple(10000, 10000, 10100, 10050));
  // Minute 933's volume is 0: the previous cumulative volume was not yet known.
  std::vector<std::int32_t> volumes;
  for (const MinuteRecord& record : gappy) volumes.push_back(record.minuteVolume);
  EXPECT_EQ(volumes, (std::vector<std::int32_t>{100, -100, 0, 600}));
  // The range is symmetric around the previous close, or one percent without trades.
  const std::vector<MinuteRecord> records{Minute(931, 10300, 1, 10100), Minute(932, 9900, 2, 10050)};
  const PriceRange range = ComputePriceRange(records, 1000, 1020, 985);
  EXPECT_EQ(std::tuple(range.dev, range.top, range.bottom), std::tuple(30, 1030, 970));
  const PriceScale scale(range, 1000, 120);
  EXPECT_EQ(scale.Y(1000), 60);
  EXPECT_LT(scale.Y(1030), scale.Y(970));
  // Nothing traded falls back to one percent.
  const PriceRange empty = ComputePriceRange({}, 1000, 0, 0);
  EXPECT_EQ(std::tuple(empty.dev, empty.top, empty.bottom), std::tuple(10, 1010, 990));
  // A low of 0 before the first trade pulls the deviation to the previous close itself.
  const PriceRange untraded = ComputePriceRange({Minute(931, 10000, 0, 10000)}, 1000, 0, 0);
  EXPECT_EQ(untraded.dev, 10);

  const auto labels = ScaleLabels(empty, 1000, 2);
  ASSERT_EQ(labels.size(), 5u);
  EXPECT_EQ(labels[0].percent, u"1.00%");
  EXPECT_EQ(labels[2].percent, u"") << "the previous close has no percent";
  EXPECT_EQ(labels[4].colour, kFallGreen);
  EXPECT_TRUE(ScaleLabels(ComputePriceRange({}, 0, 0, 0), 0, 2)[0].percent.empty());
  // Large values drop their decimals and hostile ones do not overflow.
  EXPECT_EQ(ScaleLabels(ComputePriceRange({}, 200000, 0, 0), 200000, 2)[2].value, u"2000");
  std::vector<MinuteRecord> hostile{Minute(931, INT32_MAX, INT32_MIN, 1), Minute(932, 1, INT32_MAX, INT32_MAX)};
  FillMinuteGaps(hostile, INT32_MAX);
  EXPECT_GT(ComputePriceRange(hostile, INT32_MIN, INT32_MAX, INT32_MIN).dev, 0);
}

TEST(IntradayChartModelTest, TimeAxisLabelsTheCursorBoxOfARisingMinuteAndTheVolumeBand) {
  EXPECT_EQ(TimeAxisLabelsFor({}, SecurityCode(u"HK00700"), false).right, u"16:00");
  const TimeAxisLabels served = TimeAxisLabelsFor({1500, 930}, SecurityCode(u"SH600001"), false);
  EXPECT_EQ(std::tie(served.left, served.centre, served.right), std::tuple(u"9:30", u"", u"15:00"));
  EXPECT_EQ(TimeAxisLabelsFor({1500, -7}, SecurityCode(u"SH600001"), false).left, u"--");
  // The cursor box of a rising minute.
  MinuteRecord minute = Minute(1035, 10250, 0, 10100);
  minute.minuteVolume = 500;
  const CursorContext context{1000, 1020, 1000, 2, 1};
  const auto rows = CursorBoxRows(minute, context);
  EXPECT_EQ(std::tuple(rows[1].colour, rows[4].colour), std::tuple(kRiseRed, kRiseRed));
  EXPECT_EQ(std::tie(rows[3].value, rows[5].value), std::tuple(u"2.50%", u"0.500%"));
  const auto index = CursorBoxRows(minute, CursorContext{1000, 1020, 100000, 2, kSecurityTypeIndex});
  EXPECT_EQ(index[5].value, u"--");
  // The volume band at the cursor or for the day.
  std::vector<MinuteRecord> records{Minute(931, 10000, 100, 10000), Minute(932, 10000, 300, 10000),
                                    Minute(933, 10000, 700, 10000)};
  FillMinuteGaps(records, 1000);
  const VolumeBandTexts day = VolumeBandFor(records, std::nullopt, 700, 1, 1000);
  EXPECT_EQ(std::tie(day.current, day.total), std::tuple(u"400", u"700"));
  const VolumeBandTexts cursor = VolumeBandFor(records, 1, 700, 1, 1000);
  EXPECT_EQ(std::tie(cursor.current, cursor.total), std::tuple(u"200", u"300"));
}

// Bars filled by colour, in one go each, set the pixels that drawing them one after another does,
// also where minutes share a column and a later bar stands over an earlier, taller or shorter one.
TEST(IntradayChartModelTest, VolumeBarFillsSetThePixelsTheBarsDrawnInTurnSet) {
  constexpr int kBottom = 9;
  const auto paintInTurn = [&](const std::vector<VolumeBar>& bars) {
    std::map<std::pair<int, int>, ColorRef> pixels;
    for (const VolumeBar& bar : bars) {
      for (int y = std::min(bar.top, kBottom); y <= kBottom; ++y) pixels[{bar.x, y}] = bar.colour;
    }
    return pixels;
  };
  const auto paintFills = [](const std::vector<ColourFills>& fills) {
    std::map<std::pair<int, int>, ColorRef> pixels;
    for (const ColourFills& fill : fills) {
      for (const Rect& rect : fill.rects) {
        for (int x = rect.left; x < rect.right; ++x) {
          for (int y = rect.top; y < rect.bottom; ++y) {
            EXPECT_FALSE(pixels.contains({x, y})) << "rectangles overlap at " << x << "," << y;
            pixels[{x, y}] = fill.colour;
          }
        }
      }
    }
    return pixels;
  };
  const std::vector<VolumeBar> cases[] = {
      {},
      {{0, 5, kRiseRed}, {1, 2, kFallGreen}, {2, 9, kRiseRed}, {4, 12, kFallGreen}},  // own columns, one flat
      {{3, 2, kFallGreen}, {3, 6, kRiseRed}},                                          // later and shorter
      {{3, 6, kFallGreen}, {3, 2, kRiseRed}},                                          // later and taller
      {{1, 4, kRiseRed}, {1, 1, kFallGreen}, {1, 7, kRiseRed}, {1, 3, kFallGreen}, {2, 0, kRiseRed}},
  };
  for (const std::vector<VolumeBar>& bars : cases) {
    const std::vector<ColourFills> fills = VolumeBarFills(bars, kBottom);
    EXPECT_EQ(paintFills(fills), paintInTurn(bars)) << bars.size() << " bars";
    EXPECT_LE(fills.size(), 2u) << "one call per colour";
  }
}

}  // namespace
}  // namespace tarvello
