// The search answer as the list screen reads it, and the list screen's paging.
#include <gtest/gtest.h>

#include "protocol/wire_writer.h"
#include "shell/list_screen_pages.h"
#include "shell/search_answer.h"
#include "support/loopback_server.h"

namespace tarvello {
namespace {

using testing::AnswerContainer;

Bytes Items(std::int16_t count, std::initializer_list<std::pair<const char*, std::u16string_view>> items) {
  WireWriter body;
  body.I16(count);
  for (const auto& [code, name] : items) body.Str(code).Utf8(name);
  return body.Take();
}

TEST(SearchAnswerTest, ItemsJoinCodeAndNameAndBadAnswersGiveWhatWasReadInFull) {
  const Bytes two = Items(2, {{"SH600036", u"招商银行"}, {"SZ000001", u"平安银行"}});
  Bytes cut = AnswerContainer(2000, two);
  cut.resize(cut.size() - 4);  // the second name runs past the end
  Bytes shortBlock = AnswerContainer(2000, Bytes(two.begin(), two.end() - 3));
  const struct {
    const char* scenario;
    Bytes answer;
    std::vector<std::u16string> items;
  } cases[] = {
      {"two items", AnswerContainer(2000, two), {u"SH600036;招商银行", u"SZ000001;平安银行"}},
      {"after an HTTP header", [&] { Bytes b{'H', 'T', 'T', 'P', '\r', '\n'}; const Bytes a = AnswerContainer(2000, two);
                                      b.insert(b.end(), a.begin(), a.end()); return b; }(),
       {u"SH600036;招商银行", u"SZ000001;平安银行"}},
      {"no items", AnswerContainer(2000, Items(0, {})), {}},
      {"an empty block", AnswerContainer(2000, {}), {}},
      {"no container", Bytes{'n', 'o', 'n', 'e'}, {}},
      {"another block type", AnswerContainer(2203, two), {}},
      {"a negative count", AnswerContainer(2000, Items(-3, {{"SH600036", u"招商银行"}})), {}},
      {"a count beyond the items", AnswerContainer(2000, Items(9, {{"SH600036", u"招商银行"}})), {u"SH600036;招商银行"}},
      {"a block cut inside the second item", shortBlock, {u"SH600036;招商银行"}},
      {"an answer cut inside the block", cut, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadSearchAnswer(c.answer), c.items) << c.scenario;
}

TEST(SearchAnswerTest, OneItemSplitsIntoCodeAndName) {
  const std::vector<std::u16string> items = ReadSearchAnswer(AnswerContainer(2000, Items(1, {{"SH600036", u"招商银行"}})));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(SplitSearchItem(items[0]), (SearchItem{u"SH600036", u"招商银行"}));
  EXPECT_EQ(SplitSearchItem(u"SH600036"), (SearchItem{u"SH600036", u""}));
  EXPECT_EQ(SplitSearchItem(u";名称"), (SearchItem{u"", u"名称"}));
  EXPECT_EQ(SplitSearchItem(u"A;B;C"), (SearchItem{u"A", u"B;C"}));
}

// 25 server rows, ten to a page: three pages; the labels that cannot act are the ones at an end.
TEST(ListScreenPagesTest, LabelsActOnlyAwayFromTheEndsAndRowsMapToItems) {
  const ListScreenPages pages(25, 260, 26);
  EXPECT_EQ(pages.rows_per_page(), 10);
  EXPECT_EQ(pages.page_count(), 3);
  const struct {
    int page;
    std::optional<int> first, back, forward, last;
    std::u16string_view counter;
  } cases[] = {
      {0, std::nullopt, std::nullopt, 1, 2, u"(1/3)"},
      {1, 0, 0, 2, 2, u"(2/3)"},
      {2, 0, 1, std::nullopt, std::nullopt, u"(3/3)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pages.Target(PagingLabel::kFirst, c.page), c.first) << c.page;
    EXPECT_EQ(pages.Target(PagingLabel::kBack, c.page), c.back) << c.page;
    EXPECT_EQ(pages.Target(PagingLabel::kForward, c.page), c.forward) << c.page;
    EXPECT_EQ(pages.Target(PagingLabel::kLast, c.page), c.last) << c.page;
    EXPECT_EQ(pages.Counter(c.page), c.counter);
  }
  EXPECT_EQ(pages.ItemAt(2, 4), 24);
  EXPECT_EQ(pages.ItemAt(2, 5), -1);
  const ListScreenPages empty(0, 10, 26);
  EXPECT_EQ(empty.rows_per_page(), 1) << "a screen too small for one row still shows one";
  EXPECT_EQ(empty.Counter(0), u"(1/1)");
  EXPECT_FALSE(empty.Target(PagingLabel::kForward, 0).has_value());
}

}  // namespace
}  // namespace tarvello
