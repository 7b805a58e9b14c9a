// The information port: the information answers read back by the terminal's own readers, the
// port's request parsing, and the site of markup pages whose every link and picture is served.
// Titles leading to their articles and the front page's walk are the end-to-end tests' routes.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>

#include "answer_fixture.h"
#include "info/info_answers.h"
#include "market/price_text.h"
#include "markup/page_items.h"
#include "server/calendar.h"
#include "server/info_news.h"
#include "server/info_site.h"
#include "server/markup_site.h"
#include "text/text_codec.h"
#include "web/markup_document.h"
#include "web/page_fetch.h"

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
};

// The F10 profile of a share is an end-to-end walk; a code the market does not know has none.
TEST_F(InfoAnswersServerTest, AnUnknownShareHasNoF10Item) {
  EXPECT_TRUE(DecodeAnswer(Raw(fixture_.codec.BuildF10Item("SH999999", 7, 0))).empty());
  EXPECT_TRUE(ReadF10Text(Raw(fixture_.codec.BuildF10Item(code_, 7, 0))).has_value());
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

const std::u16string kHost = u"http://127.0.0.1:8081";

// The path of an address on kHost, as the information port sees it; empty for another host.
std::string PathOf(std::u16string_view address) {
  if (!address.starts_with(kHost)) return {};
  return text::ToAscii(address.substr(kHost.size()));
}

class MarkupSiteTest : public ::testing::Test {
 protected:
  std::optional<std::string> Page(std::string_view path) {
    return InfoSite(fixture_.market, fixture_.clock)(path);
  }
  // The Content-Type line of the information port's reply for path.
  std::string TypeServed(std::string_view path) {
    const std::string reply = InfoReply(path, Page(path));
    const std::size_t start = reply.find("Content-Type: ");
    return start == std::string::npos ? "" : reply.substr(start + 14, reply.find("\r\n", start) - start - 14);
  }

  // The items the terminal builds from the page at path, and the reader's fault text.
  std::vector<PageItem> Items(std::string_view path, std::u16string* error = nullptr) {
    const std::optional<std::string> page = Page(path);
    EXPECT_TRUE(page.has_value()) << path;
    MarkupDocument document;
    document.SetDoc(text::FromUtf8(page.value_or("")));
    if (error != nullptr) *error = document.error();
    return BuildPageItems(document, kHost + u"/wap/index.wml");
  }

  AnswerFixture fixture_;
};

// Walks the site from its front page as the view would, following every link and picture.
TEST_F(MarkupSiteTest, EveryLinkAndPictureOfEveryPageIsServed) {
  std::set<std::string> seen{std::string(kMarkupFrontPage)};
  std::deque<std::string> pages{std::string(kMarkupFrontPage)};
  int pictures = 0;
  while (!pages.empty()) {
    const std::string path = pages.front();
    pages.pop_front();
    std::u16string error;
    const std::vector<PageItem> items = Items(path, &error);
    EXPECT_EQ(TypeServed(path), "text/vnd.wap.wml; charset=utf-8") << path;
    if (path == "/wap/broken.wml") continue;
    EXPECT_TRUE(error.empty()) << path << ": " << text::ToUtf8(error);
    EXPECT_GT(items.size(), 4u) << path;
    for (const PageItem& item : items) {
      const bool link = item.tag == u"a" || item.tag == u"anchor";
      if ((!link && item.tag != u"img") || item.attribute == kReloadTarget) continue;
      const std::string target =
          PathOf(ResolvePageLink(kHost + text::FromAscii(path), item.attribute));
      ASSERT_TRUE(Page(target).has_value()) << path << " -> " << text::ToUtf8(item.attribute);
      if (!link) {
        ++pictures;
        EXPECT_TRUE(Page(target)->starts_with("BM"));
        EXPECT_EQ(TypeServed(target), "image/bmp") << target;
      } else if (seen.insert(target).second) {
        pages.push_back(target);
      }
    }
  }
  EXPECT_GE(seen.size(), 6u);
  EXPECT_GE(pictures, 2);
  EXPECT_FALSE(Page("/wap/nothing.wml").has_value());
  EXPECT_FALSE(Page("/wap/").has_value());
}

TEST_F(MarkupSiteTest, TheSummaryAndTheMoversChangeWithTheSimulatedDay) {
  const SimTime today = fixture_.clock.Now();
  const SimTime friday_close = *ParseSimTime("2026-12-04 15:30");
  const SimTime monday = *ParseSimTime("2026-12-07 11:00");
  for (const std::string_view page : {"/wap/summary.wml", "/wap/movers.wml"}) {
    const std::string path = std::string(page);
    const std::string now = MarkupPage(path, fixture_.market, today).value_or("");
    const std::string closed = MarkupPage(path, fixture_.market, friday_close).value_or("");
    const std::string next = MarkupPage(path, fixture_.market, monday).value_or("");
    EXPECT_NE(now.find("2026-12-04 10:30"), std::string::npos) << page;
    EXPECT_NE(closed.find("2026-12-04 收盘"), std::string::npos) << page;
    EXPECT_NE(next.find("2026-12-07 11:00"), std::string::npos) << page;
    EXPECT_NE(now.substr(now.find("</p>")), next.substr(next.find("</p>")))
        << page << ": the figures moved";
  }
  const std::string summary = MarkupPage("/wap/summary.wml", fixture_.market, today).value_or("");
  EXPECT_NE(summary.find("上证指数"), std::string::npos);
  EXPECT_NE(summary.find("上涨<style color=\"FF0000\">"), std::string::npos);
}

}  // namespace
}  // namespace tarvello::server::testing
