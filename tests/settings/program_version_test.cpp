// Versions compare as versions, number by number, never as text.
#include <gtest/gtest.h>

#include "settings/program_version.h"

namespace tarvello {
namespace {

TEST(ProgramVersionTest, NewerComparesNumbersNotText) {
  struct Case {
    std::u16string_view candidate;
    bool newer_than_v33;
  };
  for (const Case& c : {Case{u"V3.4", true}, Case{u"V3.10", true}, Case{u"V3.3.1", true}, Case{u"V4", true},
                        Case{u"V3.3", false}, Case{u"V3.3.0", false}, Case{u"V3.2", false}, Case{u"", false},
                        Case{u"beta", false}}) {
    EXPECT_EQ(IsNewerVersion(c.candidate, u"V3.3"), c.newer_than_v33) << std::string(c.candidate.begin(), c.candidate.end());
  }
  EXPECT_TRUE(IsNewerVersion("V3.10", "V3.9"));
  EXPECT_FALSE(IsNewerVersion("V3.9", "V3.10"));
}

}  // namespace
}  // namespace tarvello
