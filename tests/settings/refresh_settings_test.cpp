#include "settings/refresh_settings.h"

#include <gtest/gtest.h>

#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

std::filesystem::path ConfigFile(const testing::TempFolder& folder) { return folder / config::kFileName; }

TEST(RefreshSettingsTest, ValueOutsideTheChoicesIsUsedButThePageShowsTheFirstChoice) {
  testing::TempFolder folder;
  ProfileFile::WriteString(u"REFRESH", u"LIST", u"25", ConfigFile(folder));
  const RefreshSettings settings = LoadRefreshSettings(folder.path());
  EXPECT_EQ(settings.list_seconds, 25);
  EXPECT_EQ(RefreshChoiceIndex(settings.list_seconds), 0);
  EXPECT_EQ(RefreshChoiceIndex(30), 4);
}

TEST(RefreshSettingsTest, HandEditedPeriodsOutsideTheChoicesComeBackWithinThem) {
  const struct {
    const char16_t* written;
    int loaded;
  } cases[] = {
      {u"0", 5}, {u"-20", 5}, {u"fast", 5},  // a timer that never waits
      {u"51", 50}, {u"2147484", 50},         // days of seconds would overflow the timer's milliseconds
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    ProfileFile::WriteString(u"REFRESH", u"KLLINE", c.written, ConfigFile(folder));
    EXPECT_EQ(LoadRefreshSettings(folder.path()).kline_seconds, c.loaded);
  }
}

}  // namespace
}  // namespace tarvello
