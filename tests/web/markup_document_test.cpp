#include "web/markup_document.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct ErrorCase {
  const char16_t* text;
  const char16_t* error;
};

TEST(MarkupDocumentTest, EachFaultNamesItselfAndWhereItBegan) {
  const ErrorCase cases[] = {
      {u"<card>abcd<!-- never closed", u"Comment at offset 10 unterminated"},
      {u"<a><![CDATA[x", u"CDATA Section at offset 3 unterminated"},
      {u"<?xml version", u"Processing instruction at offset 0 unterminated"},
      {u"<!DOCTYPE wml [ <!ENTITY x> ", u"Doctype at offset 0 unterminated"},
      {u"<a></a", u"Element end tag at offset 3 unterminated"},
      {u"<a href=\"x", u"Element tag at offset 0 unterminated"},
      {u"<a>< b/></a>", u"Incorrect tag name character at offset 4"},
      {u"<a x/y></a>", u"Incorrect tag at offset 4"},
      {u"<a><!-x--></a>", u"Incorrect comment tag at offset 3"},
      {u"<a><![IF[x]]></a>", u"Incorrect ! tag at offset 3"},
      {u"<wml><card>", u"Element 'card' at offset 5 not ended"},
      {u"<wml><p></wml>", u"End tag 'wml' at offset 8 does not match start tag 'p' at offset 5"},
      {u"<wml/></wml>", u"No start tag for end tag 'wml' at offset 6"},
      {u"", u"Empty document"},
      {u"<!-- only a comment -->", u"No root element"},
      {u"<a/><b/>", u"Root element has sibling"},
      {u"中文<卡片>", u"Element '卡片' at offset 2 not ended"},
  };
  for (const ErrorCase& c : cases) {
    MarkupDocument document;
    EXPECT_FALSE(document.SetDoc(c.text));
    EXPECT_EQ(document.error(), c.error);
    EXPECT_FALSE(document.FindElem()) << "a refused document holds nothing";
  }
}

// Loose markup reads, and so does nesting far deeper than any stack would hold.
TEST(MarkupDocumentTest, LenientAndDeepPagesRead) {
  std::u16string deep;
  for (int i = 0; i < 100000; ++i) deep += u"<d>";
  for (int i = 0; i < 100000; ++i) deep += u"</d>";
  const std::u16string pages[] = {
      deep,
      u"<?xml version=\"1.0\"?><!DOCTYPE wml PUBLIC \"-//x\" \"y\"><wml><card/></wml>",
      u"<td nowrap bgcolor=ff0000>a & b</td>",
      u"<a href=/x?y=1>go</a> trailing text",
      u"<p align='center'><br/><![CDATA[<raw>]]><!-- note --></p>",
  };
  for (const std::u16string& page : pages) EXPECT_TRUE(MarkupDocument().SetDoc(page)) << page.size();
}

// The page items walk the cursor through most kinds of node; here the entities of attributes and
// texts, and the moves that must not happen.
TEST(MarkupDocumentTest, EntitiesAreReadAndTheCursorStaysPutWhereNoMoveIsPossible) {
  MarkupDocument document;
  ASSERT_TRUE(document.SetDoc(u"<wml><card id=c1 t='&lt;&amp;'>&gt;<b>bold</b><![CDATA[&amp;]]></card><card id=c2 /></wml>"));
  ASSERT_TRUE(document.FindElem(u"wml") && document.IntoElem() && document.FindElem(u"card"));
  EXPECT_EQ(document.Attrib(u"t"), u"<&");
  EXPECT_EQ(document.Data(), u">&amp;");
  ASSERT_TRUE(document.FindChild() && document.FindChild() && document.IntoElem()) << "into the card, at its b";
  ASSERT_TRUE(document.OutOfElem());
  EXPECT_EQ(document.ChildTagName(), u"b") << "the child position stays where it was";
  ASSERT_TRUE(document.FindElem());
  EXPECT_FALSE(document.FindElem());
  EXPECT_EQ(document.Attrib(u"id"), u"c2") << "a failed find moves nothing";
  ASSERT_TRUE(document.OutOfElem());
  EXPECT_FALSE(document.OutOfElem());
}

}  // namespace
}  // namespace tarvello
