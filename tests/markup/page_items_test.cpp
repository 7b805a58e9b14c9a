#include "markup/page_items.h"

#include <gtest/gtest.h>

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

TEST(PageItemsTest, APageWithoutCardOrThatFailedShowsOnlyTheReloadLink) {
  for (const char16_t* page : {u"", u"<wml><p>no card</p></wml>", u"<wml><card><p>broken</card></wml>"}) {
    EXPECT_EQ(ItemsOf(page), (std::vector<PageItem>{kBreak, kReload}));
  }
}

TEST(PageItemsTest, DeepNestingStopsAtTheDepthLimit) {
  std::u16string open;
  std::u16string close;
  for (int i = 0; i < 1000; ++i) open += u"<p>", close += u"</p>";
  const auto items = ItemsOf(u"<card>" + open + u"x" + close + u"</card>");
  EXPECT_EQ(items.size(), 2u * kMaxItemDepth + 1 + 2);
  EXPECT_EQ(items.back(), kReload);
}

}  // namespace
}  // namespace tarvello
