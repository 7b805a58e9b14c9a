// Security codes: where the prefix ends, what a list may hold, and the request text's bound.
#include "market/security_code.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvello {
namespace {

TEST(SecurityCodeTest, ShortCodesSplitSafelyAndCodesCompareExactly) {
  const SecurityCode shortCode(u"S");
  EXPECT_EQ(shortCode.Prefix(), u"S");
  EXPECT_EQ(shortCode.Digits(), u"");
  EXPECT_FALSE(shortCode.IsComplete());
  EXPECT_FALSE(SecurityCode(u"SH60000").IsComplete());
  EXPECT_TRUE(SecurityCode(u"SH600001").IsComplete());
  EXPECT_NE(SecurityCode(u"sz399001"), SecurityCode(u"SZ399001"));  // exact and case-sensitive
  EXPECT_FALSE(SecurityCode(u"sh600001").IsShanghai());
}

TEST(SecurityCodeTest, WellFormedCodesAreWhatAListMayHold) {
  const std::pair<std::u16string, bool> cases[] = {
      {u"SH600001", true},  {u"HK00700", true},  {u"SH" + std::u16string(27, u'9'), true},
      {u"SH" + std::u16string(28, u'9'), false}, {u"SH", false}, {u"", false}, {u"Error", false},
      {u"sh600001", false}, {u"SH 600001", false}, {u"SH60=001", false}, {u"SH\u4E2D", false},
  };
  for (const auto& [code, well_formed] : cases) {
    EXPECT_EQ(SecurityCode(code).IsWellFormed(), well_formed) << code.size();
  }
}

TEST(SecurityCodeTest, RequestTextFitsTheThirtyByteBuffer) {
  EXPECT_EQ(SecurityCode(u"SH600001").RequestText(), "SH600001");
  EXPECT_EQ(SecurityCode(std::u16string(29, u'1')).RequestText().size(), 29u);
  EXPECT_EQ(SecurityCode(std::u16string(40, u'2')).RequestText(), std::string(29, '2'));
  EXPECT_EQ(SecurityCode(u"SH\u4E2D1").RequestText(), "SH?1");
}

}  // namespace
}  // namespace tarvello
