#include "info/info_answers.h"

#include <gtest/gtest.h>

#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

Bytes Answer(int type, const Bytes& body, bool compressed = false) {
  ContainerWriter writer;
  compressed ? writer.AddCompressed(type, body) : writer.AddPlain(type, body);
  return writer.Finish();
}

// One 2901 entry as the server writes it.
void TitleEntry(WireWriter& body, int date, int time, std::u16string_view title) {
  body.I32(date).I32(time).I16(0).U8(0).Str("id-" + std::to_string(date)).Str("SH600001").Str("");
  body.Utf8(title).Utf8(u"模拟财经");
}

TEST(InfoAnswersTest, DatesGetDashesAndTimesShowHoursAndMinutesOnly) {
  EXPECT_EQ(InfoDateText(20261204), u"2026-12-04");
  const std::pair<int, std::u16string> times[] = {
      {93015, u"09:30"},  // before ten o'clock: five digits, a leading zero
      {151500, u"15:15"},
      {1530, u"00:15"},  // just after midnight: padded, not read as 15:30
      {0, u"00:00"},
  };
  for (const auto& [time, text] : times) EXPECT_EQ(InfoTimeText(time), text) << time;
}

TEST(InfoAnswersTest, TitlesCarryTheirSubtitleAndIdentifierAndStopWhereTheBlockEnds) {
  WireWriter body;
  body.I16(5);  // claims five, holds two and a half
  TitleEntry(body, 20261204, 93015, u"甲公司公告");
  TitleEntry(body, 20261203, 143000, u"乙公司新闻");
  Bytes bytes = body.Take();
  const std::size_t whole = bytes.size();
  WireWriter third;
  TitleEntry(third, 20261202, 100000, u"丙");
  const Bytes part = third.Take();
  bytes.insert(bytes.end(), part.begin(), part.begin() + 20);
  for (const bool compressed : {false, true}) {
    const std::vector<PageEntry> entries = ReadInfoTitles(Answer(kCodeListInfo, bytes, compressed));
    ASSERT_EQ(entries.size(), 2u) << compressed;
    EXPECT_EQ(entries[0].text, u"甲公司公告");
    EXPECT_EQ(entries[0].subtitle, u"2026-12-04 09:30来源:模拟财经");
    EXPECT_EQ(entries[0].identifier, u"id-20261204");
  }
  bytes.resize(whole);
  EXPECT_EQ(ReadInfoTitles(Answer(kCodeListInfo, bytes)).size(), 2u);
}

TEST(InfoAnswersTest, AWrongFirstBlockABrokenStreamOrNothingGiveNothing) {
  WireWriter body;
  body.I16(1);
  TitleEntry(body, 20261204, 93015, u"甲");
  const Bytes good = body.Take();
  EXPECT_TRUE(ReadInfoTitles(Answer(kServerTime, good)).empty());
  EXPECT_TRUE(ReadInfoTitles({}).empty());
  // A compressed block whose stated size is one more than its stream inflates to.
  Bytes compressed = Answer(kCodeListInfo, good, true);
  compressed[7] = static_cast<std::uint8_t>(compressed[7] + 1);
  EXPECT_TRUE(ReadInfoTitles(compressed).empty());
  EXPECT_FALSE(ReadServerStamp(Answer(kServerTime, Bytes{1, 2, 3})).has_value()) << "too short for two values";
  EXPECT_FALSE(ReadF10Text(Answer(kArticle, good)).has_value());
}

// The server time and the fetched list, which no journey reaches; the other lists and texts are
// read on the journeys through the information pages.
TEST(InfoAnswersTest, TheServerTimeAndTheFetchedListReadTheirLayouts) {
  EXPECT_EQ(ReadServerStamp(Answer(kServerTime, WireWriter().I32(20261204).I32(93000).Take()))->second, 93000);
  const auto fetched =
      ReadFetchedTitles(Answer(kInfoTitles, WireWriter().I32(0).I16(1).Utf8(u"焦点").U8(0).I32(9).Take()));
  ASSERT_EQ(fetched.size(), 1u);
  EXPECT_EQ(fetched[0], (PageEntry{u"焦点", 9, {}}));
}

}  // namespace
}  // namespace tarvello
