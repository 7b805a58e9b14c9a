#include "market/security_code.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvello {
namespace {

TEST(SecurityCodeTest, SplitsPrefixAndDigitsAndComparesExactly) {
  const SecurityCode code(u"SH600001");
  EXPECT_EQ(code.Prefix(), u"SH");
  EXPECT_EQ(code.Digits(), u"600001");
  EXPECT_TRUE(code.IsShanghai());
  EXPECT_TRUE(code.IsComplete());
  EXPECT_TRUE(SecurityCode(u"HK00700").IsHongKong());
  EXPECT_TRUE(SecurityCode(u"BI000123").IsSector());

  const SecurityCode shortCode(u"S");
  EXPECT_EQ(shortCode.Prefix(), u"S");
  EXPECT_EQ(shortCode.Digits(), u"");
  EXPECT_FALSE(shortCode.IsComplete());
  EXPECT_FALSE(SecurityCode(u"SH60000").IsComplete());
  EXPECT_EQ(SecurityCode(u"SZ399001"), SecurityCode::FromAscii("SZ399001"));
  EXPECT_NE(SecurityCode(u"sz399001"), SecurityCode(u"SZ399001"));  // exact and case-sensitive
  EXPECT_FALSE(SecurityCode(u"sh600001").IsShanghai());
}

TEST(SecurityCodeTest, WellFormedCodesAreWhatAListMayHold) {
  EXPECT_TRUE(SecurityCode(u"SH600001").IsWellFormed());
  EXPECT_TRUE(SecurityCode(u"HK00700").IsWellFormed());
  EXPECT_TRUE(SecurityCode(u"SH" + std::u16string(27, u'9')).IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"SH" + std::u16string(28, u'9')).IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"SH").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"Error").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"sh600001").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"SH 600001").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"SH60=001").IsWellFormed());
  EXPECT_FALSE(SecurityCode(u"SH\u4E2D").IsWellFormed());
}

TEST(SecurityCodeTest, RequestTextFitsTheThirtyByteBuffer) {
  EXPECT_EQ(SecurityCode(u"SH600001").RequestText(), "SH600001");
  const SecurityCode longest(std::u16string(29, u'1'));
  EXPECT_EQ(longest.RequestText().size(), 29u);
  const SecurityCode tooLong(std::u16string(40, u'2'));
  EXPECT_EQ(tooLong.RequestText(), std::string(29, '2'));
  EXPECT_EQ(SecurityCode(u"SH\u4E2D1").RequestText(), "SH?1");
}

}  // namespace
}  // namespace tarvello
