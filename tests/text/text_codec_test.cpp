#include "text/text_codec.h"

#include <gtest/gtest.h>

namespace tarvello::text {
namespace {

TEST(TextCodecTest, RoundTripsChineseAndAstralTextAndReplacesWhatIsMalformedOrCannotBeHeld) {
  const std::u16string text = u"上证指数 SH000001 \U0001F4C8";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(u"涨"), "\xE6\xB6\xA8");
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");  // a lone surrogate
  // A stray continuation byte, an overlong "/", a truncated three-byte sequence at the end, an
  // encoded surrogate, and a broken sequence that must not swallow the valid character after it.
  EXPECT_EQ(FromUtf8("a\x80" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("x\xE6\xB6"), u"x\uFFFD");
  EXPECT_EQ(FromUtf8("\xED\xA0\x80z"), u"\uFFFDz");
  EXPECT_EQ(FromUtf8("\xE6" "A"), u"\uFFFDA");
  // GBK converts Chinese both ways; it and ASCII replace, not truncate, what they cannot hold.
  EXPECT_EQ(ToGbk(u"中国"), "\xD6\xD0\xB9\xFA");
  EXPECT_EQ(FromGbk("\xD6\xD0\xB9\xFA"), u"中国");
  EXPECT_EQ(ToGbk(u"a\U0001F4C8b"), "a?b");  // one "?" for a surrogate pair
  EXPECT_EQ(ToGbk(u"中\u0E01国"), "\xD6\xD0?\xB9\xFA");  // a Thai letter has no GBK form
  EXPECT_EQ(FromGbk("\xD6\xD0\xFF"), u"中\uFFFD");
  EXPECT_EQ(FromGbk("\xD6"), u"\uFFFD");  // a lead byte cut off at the end
  EXPECT_EQ(FromGbk(std::string_view("\x81\x00z", 3)), std::u16string(u"\uFFFD\0z", 3));
  EXPECT_EQ(FromAscii("SZ\xE9"), u"SZ\uFFFD");
  EXPECT_EQ(ToAscii(u"SH中"), "SH?");
}

}  // namespace
}  // namespace tarvello::text
