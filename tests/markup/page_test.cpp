// A markup page's items and layout: every element of the first card in order with the reload link,
// the depth limit, and texts, lines and rows laid out on the page.
#include <gtest/gtest.h>

#include <tuple>

#include "markup/page_items.h"
#include "markup/page_layout.h"
#include "web/markup_document.h"

namespace tarvello {
namespace {

std::vector<PageItem> ItemsOf(std::u16string_view page, std::u16string_view previous = u"http://h/prev.wml") {
  MarkupDocument document;
  document.SetDoc(page);
  return BuildPageItems(document, previous);
}

const PageItem kBreak{u"br", u"", u"", u""};
const PageItem kReload{u"a", u"刷新", u"ReFresh", u""};

TEST(PageItemsTest, EveryElementOfTheFirstCardInOrderThenTheReloadLink) {
  const auto items = ItemsOf(
      u"<wml><head><meta/></head><CARD title='x'>"
      u"<p align='center'>Hi <a href='/m.wml'><style color='ff0000'/>Market</a></p>"
      u"<anchor>Back<prev/></anchor><anchor><go href='/g.wml'/><img src='/i.png'/></anchor>"
      u"<anchor>Again<refresh/></anchor><img src='/logo.png' alt='logo'/>"
      u"<table col='2' row='1' border='1'><tr bgcolor='202020'><td>A</td><td><a href='/t.wml'>B</a></td>"
      u"<td><style color='00ff00'>C</style></td></tr></table>"
      u"<style color='ffff00'><b>bold</b>&amp;more</style><br/><!-- note -->"
      u"</CARD><card><p>second card</p></card></wml>");
  const std::vector<PageItem> expected = {
      {u"p", u"", u"center", u""},
      {u"#text", u"Hi ", u"", u""},
      {u"a", u"Market", u"/m.wml", u"ff0000"},
      {u"end_p", u"", u"", u""},
      {u"anchor", u"Back", u"http://h/prev.wml", u""},
      {u"anchor", u"/i.png", u"/g.wml", u""},
      {u"anchor", u"Again", u"refresh", u""},
      {u"img", u"logo", u"/logo.png", u""},
      {u"table", u"1", u"2", u"1"},
      {u"tr", u"", u"202020", u""},
      {u"td", u"A", u"", u""},
      {u"td", u"B", u"/t.wml", u""},
      {u"td", u"C", u"", u"00ff00"},
      {u"end_tr", u"", u"", u""},
      {u"end_table", u"", u"", u""},
      {u"style", u"", u"ffff00", u""},
      {u"b", u"bold", u"", u""},
      {u"#text", u"&more", u"", u""},
      {u"end_style", u"", u"", u""},
      {u"br", u"", u"", u""},
      {u"#comment", u" note ", u"", u""},
      kBreak,
      kReload,
  };
  EXPECT_EQ(items, expected);
}

TEST(PageItemsTest, APageWithoutCardOrThatFailedShowsOnlyTheReloadLinkAndDepthIsBounded) {
  for (const char16_t* page : {u"", u"<wml><p>no card</p></wml>", u"<wml><card><p>broken</card></wml>"}) {
    EXPECT_EQ(ItemsOf(page), (std::vector<PageItem>{kBreak, kReload}));
  }
  // Deep nesting stops at the depth limit.
  std::u16string open;
  std::u16string close;
  for (int i = 0; i < 1000; ++i) open += u"<p>", close += u"</p>";
  const auto items = ItemsOf(u"<card>" + open + u"x" + close + u"</card>");
  EXPECT_EQ(items.size(), 2u * kMaxItemDepth + 1 + 2);
  EXPECT_EQ(items.back(), kReload);
}

// Every character 6 pixels wide (8 bold), lines 12 high, a page 100 wide.
PageMetrics Metrics() {
  return PageMetrics{100, 12, [](std::u16string_view text, bool bold) {
                       return static_cast<int>(text.size()) * (bold ? 8 : 6);
                     }};
}

PageItem Text(std::u16string text) { return PageItem{u"#text", std::move(text), {}, {}}; }
PageItem Tag(std::u16string tag, std::u16string attribute = {}) { return PageItem{std::move(tag), {}, std::move(attribute), {}}; }

std::vector<std::u16string> Texts(const PageLayout& layout) {
  std::vector<std::u16string> texts;
  for (const PageControl& control : layout.controls) texts.push_back(control.text);
  return texts;
}

TEST(PageLayoutTest, MarkupColoursAreRedGreenBlueAndTextsAreCleanedAndStyledAsTheirTags) {
  EXPECT_EQ(ParseMarkupColour(u"ff8000"), ColorRef{0x0080FF});
  for (const char16_t* bad : {u"", u"#ff0000", u"ff00", u"gg0000", u"ff00000"}) {
    EXPECT_EQ(ParseMarkupColour(bad), std::nullopt);
  }
  const auto layout = LayOutPage({Text(u"nbsp;"), Text(u""), Text(u"a&nbsp;b & c"), Tag(u"style", u"ff0000"),
                                  PageItem{u"b", u"B", {}, {}}, PageItem{u"i", u"I", {}, {}},
                                  PageItem{u"u", u"U", {}, {}}, Tag(u"end_style"), PageItem{u"small", u"s", {}, {}},
                                  PageItem{u"unknown", u"gone", {}, {}}},
                                 Metrics());
  EXPECT_EQ(Texts(layout), (std::vector<std::u16string>{u"ab  c", u"B", u"I", u"U", u"s"}));
  const auto& c = layout.controls;
  EXPECT_EQ(std::tuple(c[0].colour, c[1].colour), std::tuple(kPageTextColour, ColorRef{0x0000FF}));
  EXPECT_TRUE(c[1].bold && c[2].italic && c[3].underline);
  EXPECT_EQ(c[4].colour, kPageTextColour) << "end_style restores the grey";
  EXPECT_EQ(c[0].box, (Rect{3, 3, 33, 15}));
}

TEST(PageLayoutTest, LinesBreakTextsWrapAndLinksStayOnTheirLine) {
  const auto layout = LayOutPage({Text(u"123456789"), Text(u"abcdefghi"), PageItem{u"a", u"link text", u"/x", {}},
                                  Tag(u"br"), Tag(u"br"), Text(u"one two three four five six")},
                                 Metrics());
  EXPECT_EQ(Texts(layout), (std::vector<std::u16string>{u"123456789", u"abcdefghi", u"link ", u"text",
                                                        u"one two three ", u"four five six"}));
  const auto& c = layout.controls;
  EXPECT_EQ(c[1].box.top, 15) << "a text that does not fit starts the next line";
  EXPECT_EQ(c[2].box.top, 15) << "a link does not";
  EXPECT_EQ(c[3].box.top, 27) << "but its rest wraps rather than leaving the page";
  EXPECT_EQ(c[4].box.top, 51) << "two breaks leave one blank line";
  for (const PageControl& control : c) EXPECT_LE(control.box.right, 100);
  EXPECT_EQ(layout.height, 75 + 3);
  EXPECT_EQ(LinkAt(layout, Point{c[3].box.left + 1, c[3].box.top + 1}), u"/x");
  EXPECT_EQ(LinkAt(layout, Point{c[0].box.left + 1, c[0].box.top + 1}), std::nullopt);
}

TEST(PageLayoutTest, RowsParagraphsAndCells) {
  const auto layout = LayOutPage(
      {Tag(u"p", u"center"), Text(u"mid"), Tag(u"end_p"), Text(u"left"), PageItem{u"table", u"1", u"2", u"1"},
       Tag(u"tr", u"2"), PageItem{u"td", u"a", {}, {}}, Tag(u"end_tr"), Tag(u"tr", u"102030"),
       PageItem{u"td", u"b", u"/b", u"00ff00"}, PageItem{u"td", u"c", {}, {}}, Tag(u"end_tr"), Tag(u"end_table"),
       Text(u"after")},
      Metrics());
  const auto& c = layout.controls;
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ(c[0].box.left, 3 + (100 - 21) / 2);
  EXPECT_EQ(c[1].box.left, 3) << "end_p restores the left alignment";
  EXPECT_EQ(c[2].background, std::nullopt) << "a row colour of one character is ignored";
  EXPECT_EQ(c[2].box.Width(), (100 - 3) / 2) << "cells share the table's columns";
  EXPECT_TRUE(c[2].border);
  EXPECT_EQ(std::tuple(c[3].background, c[3].colour),
            std::tuple(ColorRef{0x302010}, ColorRef{0x00FF00}));
  EXPECT_EQ(c[3].box.top, c[4].box.top);
  EXPECT_GT(c[3].box.top, c[2].box.top) << "each row starts a line";
  EXPECT_EQ(c[5].background, std::nullopt);
  EXPECT_EQ(LinkAt(layout, Point{c[3].box.left, c[3].box.top}), u"/b");
}

// A paragraph far wider than the page breaks into lines that each take as much as fits, whether
// a text's width is the sum of its characters' widths or, as kerning and padding make it, a
// little less or more; and the work stays in proportion to the paragraph, not its square.
TEST(PageLayoutTest, ALongParagraphFillsEachLineAndIsMeasuredOnceOver) {
  const std::u16string paragraph = [] {
    std::u16string text;
    for (int i = 0; i < 20000; ++i) text.push_back(static_cast<char16_t>(u'a' + i % 26));
    return text;
  }();
  struct Case {
    const char* name;
    int (*width)(std::size_t characters);
  };
  const Case cases[] = {
      {"sum of characters", [](std::size_t n) { return static_cast<int>(n) * 6; }},
      {"kerned", [](std::size_t n) { return static_cast<int>(n * 7 - n / 4); }},
      {"padded", [](std::size_t n) { return n == 0 ? 0 : static_cast<int>(n) * 6 + 5; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t measured = 0;
    const PageMetrics metrics{100, 12, [&](std::u16string_view text, bool) {
                                measured += text.size();
                                return c.width(text.size());
                              }};
    const PageLayout layout = LayOutPage({Text(paragraph)}, metrics);
    EXPECT_LE(measured, 20 * paragraph.size());
    std::u16string joined;
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
      const PageControl& line = layout.controls[i];
      joined += line.text;
      ASSERT_LE(line.box.right, 100);
      if (i + 1 < layout.controls.size()) {
        ASSERT_GT(line.box.left + c.width(line.text.size() + 1), 100) << i;
      }
    }
    EXPECT_EQ(joined, paragraph);
  }
}

}  // namespace
}  // namespace tarvello
