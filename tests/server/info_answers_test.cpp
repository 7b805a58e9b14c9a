// The information answers read back by the terminal's own readers, and the information port's
// request parsing. Titles leading to their articles are the end-to-end walks' route.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "answer_fixture.h"
#include "info/info_answers.h"
#include "server/info_site.h"

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
