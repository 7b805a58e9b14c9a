// The security search answer (2000), decoded as the list screen reads it.
#include <gtest/gtest.h>

#include <algorithm>

#include "answer_fixture.h"
#include "protocol/block_reader.h"
#include "server/security_search.h"
#include "text/text_codec.h"

namespace tarvello::server::testing {
namespace {

struct Found {
  std::u16string code;
  std::u16string name;
};

std::vector<Found> Search(AnswerFixture& fixture, std::u16string_view text) {
  const auto blocks = fixture.Ask({fixture.codec.BuildSecuritySearch(text)});
  std::vector<Found> items;
  if (blocks.empty()) return items;
  BlockReader r(blocks[0].body.data(), 0, blocks[0].body.size());
  const int count = r.Int16();
  for (int i = 0; i < count; ++i) {
    std::u16string code = r.String();
    items.push_back(Found{code, r.String()});
  }
  EXPECT_TRUE(r.AtEnd());
  return items;
}

std::u16string Lower(const std::string& text) {
  std::u16string lower = text::FromAscii(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower;
}

TEST(SecuritySearchTest, CodeNameAndInitialsFindTheShareWithAnExactCodeFirst) {
  AnswerFixture fixture;
  const Security& share = fixture.market.security(fixture.market.Find("SH600003"));
  const struct {
    std::u16string typed;
    bool first;  // the share must be the first result, not only among them
  } cases[] = {
      {u"600003", true}, {u"SH600003", true}, {u"sh600003", true}, {u"60000", false},
      {share.name, false}, {text::FromAscii(share.initials), false}, {Lower(share.initials), false},
  };
  for (const auto& c : cases) {
    const std::vector<Found> found = Search(fixture, c.typed);
    const auto at = std::find_if(found.begin(), found.end(), [&](const Found& f) { return f.code == u"SH600003"; });
    ASSERT_NE(at, found.end()) << text::ToUtf8(c.typed);
    EXPECT_EQ(at->name, share.name);
    if (c.first) {
      EXPECT_EQ(at, found.begin()) << text::ToUtf8(c.typed);
    }
  }
}

TEST(SecuritySearchTest, EmptyOrUnknownTextFindsNothing) {
  AnswerFixture fixture;
  for (const std::u16string_view typed : {u"", u"999999999", u"没有这个名字", u"QQQQQQQQ"}) {
    EXPECT_TRUE(Search(fixture, typed).empty()) << text::ToUtf8(std::u16string(typed));
  }
}

// A broad text fills one page that fits the list screen's buffer; the exact codes come first,
// the share of a code before the index of that code.
TEST(SecuritySearchTest, BroadTextGivesOneFullPageWithTheExactCodesFirst) {
  AnswerFixture fixture;
  const std::vector<Found> found = Search(fixture, u"000001");
  ASSERT_GE(found.size(), 2u);
  EXPECT_EQ(found[0].code, u"SZ000001") << "the share of that code";
  EXPECT_EQ(found[1].code, u"SH000001") << "then the index";
  for (const std::u16string_view typed : {u"1", u"S", u"z"}) {
    EXPECT_EQ(Search(fixture, typed).size(), static_cast<std::size_t>(kMaxSearchResults)) << text::ToUtf8(std::u16string(typed));
    EXPECT_LE(fixture.RawAnswer({fixture.codec.BuildSecuritySearch(typed)}).size(), 2048u);
  }
}

}  // namespace
}  // namespace tarvello::server::testing
