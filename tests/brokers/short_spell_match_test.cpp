#include "brokers/short_spell_match.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(ShortSpellMatchTest, TypedInitialsBeginTheShortName) {
  const struct {
    std::u16string_view short_name;
    std::u16string_view typed;
    bool matches;
  } cases[] = {
      {u"HXZQ", u"HX", true},   {u"HXZQ", u"hx", true},   {u"HXZQ", u"HXZQ", true},
      {u"H-X ZQ", u"HXZ", true}, {u"HXZQ", u"H.X", true},  {u"HXZQ", u"XZ", false},
      {u"HXZQ", u"HXZQA", false}, {u"HXZQ", u"", false},  {u"", u"H", false},
      {u"HXZQ", u"-", false},   {u"A300", u"A3", true},   {u"华信", u"H", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(MatchesShortSpell(cases[i].short_name, cases[i].typed), cases[i].matches) << "case " << i;
  }
}

}  // namespace
}  // namespace tarvello
