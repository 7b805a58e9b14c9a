// The information answers and fetches: dates, titles and broken streams read, the F10 items' and
// the own list's requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "info/info_answers.h"
#include "info/info_cache.h"
#include "info/info_fetch.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/temp_folder.h"

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

TEST(InfoAnswersTest, DatesAndTimesShowAndTitlesCarryTheirSubtitleStoppingWhereTheBlockEnds) {
  EXPECT_EQ(InfoDateText(20261204), u"2026-12-04");
  const std::pair<int, std::u16string> times[] = {
      {93015, u"09:30"},  // before ten o'clock: five digits, a leading zero
      {151500, u"15:15"},
      {1530, u"00:15"},  // just after midnight: padded, not read as 15:30
      {0, u"00:00"},
  };
  for (const auto& [time, text] : times) EXPECT_EQ(InfoTimeText(time), text) << time;
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
    EXPECT_EQ(std::tie(entries[0].text, entries[0].subtitle, entries[0].identifier),
              std::tuple(u"甲公司公告", u"2026-12-04 09:30来源:模拟财经", u"id-20261204"));
  }
  bytes.resize(whole);
  EXPECT_EQ(ReadInfoTitles(Answer(kCodeListInfo, bytes)).size(), 2u);
}

TEST(InfoAnswersTest, AWrongFirstBlockABrokenStreamOrNothingGiveNothingAndTheTimeAndListRead) {
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
  // The server time and the fetched list, which no journey reaches; the other lists and texts are
  // read on the journeys through the information pages.
  EXPECT_EQ(ReadServerStamp(Answer(kServerTime, WireWriter().I32(20261204).I32(93000).Take()))->second, 93000);
  const auto fetched =
      ReadFetchedTitles(Answer(kInfoTitles, WireWriter().I32(0).I16(1).Utf8(u"焦点").U8(0).I32(9).Take()));
  ASSERT_EQ(fetched.size(), 1u);
  EXPECT_EQ(fetched[0], (PageEntry{u"焦点", 9, {}}));
}

// Answers each request type with a scripted container and records the requests and the buffer
// sizes they came with.
struct ScriptedServer {
  std::map<int, Bytes> answers;
  std::vector<Bytes> requests;
  std::vector<std::size_t> capacities;

  ExchangeFunction Exchange() {
    return [this](std::span<const std::uint8_t> request, std::span<std::uint8_t> response) {
      requests.emplace_back(request.begin(), request.end());
      capacities.push_back(response.size());
      const auto found = answers.find(request[1] | request[2] << 8);
      if (found == answers.end() || found->second.size() > response.size()) return 0;
      std::copy(found->second.begin(), found->second.end(), response.begin());
      return static_cast<int>(found->second.size());
    };
  }
  int TypeOf(std::size_t i) const { return requests[i][1] | requests[i][2] << 8; }
};

InfoQuery Query(InfoPage page, int kind, std::vector<std::u16string> codes) {
  InfoQuery query;
  query.page = page, query.kind = kind, query.codes = std::move(codes);
  return query;
}

TEST(InfoFetchTest, F10ItemsTheirBuffersTheOwnListsTitlesTheTimeFirstAndTheCache) {
  const struct {
    int mode;
    int kind;
    std::size_t buffer;
  } items[] = {{13, 4, 40960}, {14, 8, 10240}, {15, 16, 5120}, {16, 7, 10240}, {17, 11, 10240}};
  for (const auto& item : items) {
    ScriptedServer server;
    server.answers[kF10Item] = Answer(kF10Item, WireWriter().I32(0).Utf8(u"资料").Take());
    InfoQuery query = Query(InfoPage::kF10, 1, {u"SH600001"});
    query.f10_mode = item.mode;
    const PageContent page = FetchInfoPage(query, InfoLinks{server.Exchange(), {}, {}});
    EXPECT_EQ(page.text, u"资料");
    EXPECT_EQ(page.form, item.mode == 15 ? TextForm::kCommaPieces : TextForm::kLines);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_EQ(server.requests[0], CPacketCodec().BuildF10Item("SH600001", static_cast<std::uint16_t>(item.kind), 0));
    EXPECT_EQ(server.capacities[0], item.buffer);
  }
  // A security's titles with the server time are on the journeys; here the self-selected list's
  // count and a missing time.
  ScriptedServer server;
  server.answers[kServerTime] = Answer(kServerTime, WireWriter().I32(20261204).I32(93000).Take());
  InfoQuery own = Query(InfoPage::kTitles, 16, {u"SH600001"});
  own.own_list = true;
  FetchInfoPage(own, InfoLinks{server.Exchange(), {}, {}});
  EXPECT_EQ(server.requests.back()[9], 100) << "the self-selected list asks for up to 100 titles, even with one code";

  server.answers[kServerTime] = Answer(kQuote, Bytes(8, 0));
  server.requests.clear();
  EXPECT_TRUE(FetchInfoPage(Query(InfoPage::kTitles, 1, {u"SH600001"}), InfoLinks{server.Exchange(), {}, {}}).entries.empty());
  ASSERT_EQ(server.requests.size(), 1u);
  EXPECT_EQ(server.TypeOf(0), kServerTime);
  // Titles that came are kept; when the next fetch brings nothing they come back with their moment,
  // also for a list whose codes are too many to name in the key.
  testing::TempFolder folder;
  AnswerCache cache(folder / kAnswerCacheFileName);
  ScriptedServer dead;
  server.answers[kServerTime] = Answer(kServerTime, WireWriter().I32(20261204).I32(93000).Take());
  WireWriter body;
  body.I16(1);
  TitleEntry(body, 20261204, 93015, u"甲公司公告");
  server.answers[kCodeListInfo] = Answer(kCodeListInfo, body.Take());
  for (const std::vector<std::u16string>& codes : {std::vector<std::u16string>{u"SH600001"}, {40, u"SH600002"}}) {
    const InfoQuery query = Query(InfoPage::kTitles, 1, codes);
    EXPECT_FALSE(FetchInfoPage(query, InfoLinks{server.Exchange(), {}, {}, 80, &cache}).cached);
    const PageContent kept = FetchInfoPage(query, InfoLinks{dead.Exchange(), {}, {}, 80, &cache});
    ASSERT_EQ(kept.entries.size(), 1u);
    EXPECT_EQ(kept.entries[0].text, u"甲公司公告");
    EXPECT_TRUE(kept.cached.has_value());
  }
}

}  // namespace
}  // namespace tarvello
