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

TEST(RefreshSettingsTest, ZeroNegativeOrTextPeriodsBecomeTheSmallestChoice) {
  testing::TempFolder folder;
  const auto file = ConfigFile(folder);
  ProfileFile::WriteString(u"REFRESH", u"LIST", u"0", file);
  ProfileFile::WriteString(u"REFRESH", u"TSLINE", u"-20", file);
  ProfileFile::WriteString(u"REFRESH", u"KLLINE", u"fast", file);
  const RefreshSettings settings = LoadRefreshSettings(folder.path());
  EXPECT_EQ(settings.list_seconds, 5);
  EXPECT_EQ(settings.intraday_seconds, 5);
  EXPECT_EQ(settings.kline_seconds, 5);
}

}  // namespace
}  // namespace tarvello
