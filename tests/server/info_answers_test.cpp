#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "info/article_download.h"
#include "info/info_answers.h"
#include "server/info_news.h"
#include "server/info_site.h"
#include "answer_fixture.h"
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

TEST_F(InfoAnswersServerTest, TitlesLeadToTheirArticlesByProtocolAndByFile) {
  const std::vector<std::string> codes{code_};
  const auto titles = ReadInfoTitles(Raw(fixture_.codec.BuildCodeListInfo(1, 20, codes, 0, 0)));
  ASSERT_FALSE(titles.empty());
  EXPECT_LE(titles.size(), 20u);
  EXPECT_NE(titles[0].subtitle.find(u"来源:"), std::u16string::npos);

  const auto article = ReadArticleText(Raw(fixture_.codec.BuildArticle(1, titles[0].identifier)));
  ASSERT_TRUE(article.has_value());
  EXPECT_TRUE(article->starts_with(titles[0].text + u"\n"));

  const std::string path = ArticlePath(1, text::FromAscii(code_), titles[0].identifier);
  const auto file = InfoSite(fixture_.market, fixture_.clock)(path);
  ASSERT_TRUE(file.has_value());
  EXPECT_TRUE(file->starts_with("\xEF\xBB\xBF"));
  EXPECT_NE(text::FromUtf8(*file).find(name_), std::u16string::npos);
  EXPECT_FALSE(InfoDepotFile(fixture_.market, ArticlePath(2, text::FromAscii(code_), titles[0].identifier)))
      << "a news item is not under the notices";
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
  EXPECT_EQ(InfoReply(std::nullopt), "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  EXPECT_TRUE(InfoReply(std::string("ab")).ends_with("Content-Length: 2\r\nConnection: close\r\n\r\nab"));
}

}  // namespace
}  // namespace tarvello::server::testing
