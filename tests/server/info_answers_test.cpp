// The information answers read back by the terminal's own readers, and the information port's
// request parsing. Titles leading to their articles are the end-to-end walks' route.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "answer_fixture.h"
#include "info/info_answers.h"
#include "market/price_text.h"
#include "server/calendar.h"
#include "server/info_news.h"
#include "server/info_site.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

std::span<const std::uint8_t> Span(const std::string& text) {
  return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The first listed share of the simulated market.
std::string FirstShare(const Market& market) {
  for (const Security& security : market.securities()) {
    if (security.IsShare()) return security.code;
  }
  return {};
}

class InfoAnswersServerTest : public ::testing::Test {
 protected:
  Bytes Raw(const Bytes& packet) { return fixture_.RawAnswer({packet}); }
  AnswerFixture fixture_;
  const std::string code_ = FirstShare(fixture_.market);
  const std::u16string name_ = fixture_.market.security(fixture_.market.Find(code_)).name;
};

// The answers, read back by the terminal's own readers: every F10 item names the company's
// data, and the finances come as comma-separated pieces.
TEST_F(InfoAnswersServerTest, EveryF10ItemIsAboutTheShareItNames) {
  for (const int item : {4, 8, 16, 7, 11}) {
    const auto text = ReadF10Text(Raw(fixture_.codec.BuildF10Item(code_, static_cast<std::uint16_t>(item), 0)));
    ASSERT_TRUE(text.has_value()) << item;
    EXPECT_FALSE(text->empty()) << item;
    if (item == 7) {
      EXPECT_NE(text->find(name_), std::u16string::npos);
    }
    if (item == 16) {
      EXPECT_GE(std::count(text->begin(), text->end(), u','), 5);
    }
  }
  EXPECT_TRUE(DecodeAnswer(Raw(fixture_.codec.BuildF10Item("SH999999", 7, 0))).empty()) << "no such share";
}

// The day's information comes out as the day goes: no list holds an item dated after the moment
// it is read at (a Saturday reads all of Friday's), no article is found before its time, and an
// article quotes the share's price at its own time, not the close of a day still trading.
TEST(InfoNewsTest, NothingIsDatedAfterNowAndArticlesQuoteThePriceOfTheirTime) {
  int unread = 0;
  for (const char* at : {"2026-12-04 08:30", "2026-12-04 11:15", "2026-12-05 10:00"}) {
    AnswerFixture fixture(at);
    const Market& market = fixture.market;
    const InfoMoment moment = InfoMomentOf(market, fixture.clock.Now());
    const int newest = CivilDate(market.TradingDay(moment.day_index));
    const auto out = [&](int date, int time) { return date < newest || (date == newest && time <= moment.time); };
    int seen = 0;
    for (int index = 0; index < market.size() && seen < 100; ++index) {
      if (!market.security(index).IsShare()) continue;
      for (const int kind : {1, 2, 16}) {
        const std::vector<std::string> codes = {market.security(index).code};
        const Block titles = fixture.Ask({fixture.codec.BuildCodeListInfo(static_cast<std::uint16_t>(kind), 100, codes, 0, 0)}).at(0);
        BlockReader reader = Reader(titles);
        for (int n = reader.Int16(); n > 0 && !reader.overrun(); --n, ++seen) {
          const int date = reader.Int32(), time = reader.Int32();
          reader.Skip(3);
          const std::string id = text::ToUtf8(reader.String());
          for (int k = 0; k < 4; ++k) reader.String();
          EXPECT_TRUE(out(date, time)) << at << " " << id << " of " << date << " " << time;
        }
      }
      // An item of the day that is not out yet cannot be read either.
      for (int serial = 0; serial < 2; ++serial) {
        const std::string id = "1_" + market.security(index).code + "_" + std::to_string(moment.day_index) + "_" + std::to_string(serial);
        const auto later = FindItem(market, id, InfoMoment{moment.day_index, 235959});
        if (!later || out(later->date, later->time)) continue;
        ++unread;
        EXPECT_FALSE(FindItem(market, id, moment).has_value()) << id;
      }
    }
    EXPECT_GT(seen, 50) << at;
    for (const InfoItem& item : MarketItems(market, 1, moment, 30)) EXPECT_TRUE(out(item.date, item.time)) << item.identifier;
  }
  EXPECT_GT(unread, 0);
  // At 11:15 an item of 10:02 quotes the price of 10:02; one of the early morning, the previous close.
  AnswerFixture fixture("2026-12-04 11:15");
  const Market& market = fixture.market;
  const InfoMoment moment = InfoMomentOf(market, fixture.clock.Now());
  int trading = 0, early = 0;
  for (int index = 0; index < market.size() && (trading == 0 || early == 0); ++index) {
    for (const InfoItem& item : SecurityItems(market, index, 1, moment, 100)) {
      if (item.day_index != moment.day_index) continue;
      const Security& share = market.security(index);
      const DayQuote day = market.day(index, item.day_index);
      if (day.suspended) continue;
      const int slots = share.session->SlotsReached(item.time / 10000 * 3600 + item.time / 100 % 100 * 60);
      const int price = slots == 0 ? market.day(index, item.day_index - 1).close
                                   : market.Path(index, item.day_index)->price[static_cast<std::size_t>(slots - 1)];
      const std::u16string said = (slots == 0 ? u"前一交易日收盘报" : u"盘中报") + PriceText(price, static_cast<std::uint8_t>(share.decimals)) + u"元";
      EXPECT_NE(ArticleText(market, item).find(said), std::u16string::npos) << item.identifier;
      ++(slots == 0 ? early : trading);
    }
  }
  EXPECT_GT(trading, 0);
  EXPECT_GT(early, 0);
}

TEST(InfoRequestTest, OnlyACompleteGetGivesAPathInEitherForm) {
  const struct {
    std::string request;
    InfoRequestStatus status;
    std::string path;
  } cases[] = {
      {"GET http://10.0.0.1/InfoDepot_ForCellPhone/a.txt HTTP/1.1\r\nHost:10.0.0.1\r\n\r\n",
       InfoRequestStatus::kComplete, "/InfoDepot_ForCellPhone/a.txt"},
      {"GET /a HTTP/1.0\r\n\r\n", InfoRequestStatus::kComplete, "/a"},
      {"GET /a HTTP/1.0\r\n", InfoRequestStatus::kNeedMore, ""},
      {"POST /a HTTP/1.0\r\n\r\n", InfoRequestStatus::kBad, ""},
      {"GET a HTTP/1.0\r\n\r\n", InfoRequestStatus::kBad, ""},
      {std::string(kMaxInfoRequest + 1, 'G'), InfoRequestStatus::kBad, ""},
  };
  for (const auto& c : cases) {
    const InfoRequest request = ReadInfoRequest(Span(c.request));
    EXPECT_EQ(request.status, c.status) << c.request.substr(0, 40);
    EXPECT_EQ(request.path, c.path);
  }
  EXPECT_EQ(InfoReply("/a.txt", std::nullopt), "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  EXPECT_TRUE(InfoReply("/a.txt", std::string("ab")).ends_with("Content-Length: 2\r\nConnection: close\r\n\r\nab"));
}

}  // namespace
}  // namespace tarvello::server::testing
