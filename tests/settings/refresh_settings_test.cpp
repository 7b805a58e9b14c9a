#include "settings/refresh_settings.h"

#include <gtest/gtest.h>

#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

std::filesystem::path ConfigFile(const testing::TempFolder& folder) { return folder / config::kFileName; }

TEST(RefreshSettingsTest, FirstStartWritesTheDefaultsAndSavedPeriodsAreReadBack) {
  testing::TempFolder folder;
  const RefreshSettings settings = LoadRefreshSettings(folder.path());
  EXPECT_EQ(settings.list_seconds, 15);
  EXPECT_EQ(settings.intraday_seconds, 5);
  EXPECT_EQ(settings.kline_seconds, 15);
  const auto file = ConfigFile(folder);
  EXPECT_EQ(ProfileFile::GetString(u"REFRESH", u"LIST", u"", file), u"15");
  EXPECT_EQ(ProfileFile::GetString(u"REFRESH", u"TSLINE", u"", file), u"5");
  EXPECT_EQ(ProfileFile::GetString(u"REFRESH", u"KLLINE", u"", file), u"15");
  ASSERT_TRUE(SaveRefreshSettings({30, 10, 50}, folder.path()));
  const RefreshSettings saved = LoadRefreshSettings(folder.path());
  EXPECT_EQ(saved.list_seconds, 30);
  EXPECT_EQ(saved.intraday_seconds, 10);
  EXPECT_EQ(saved.kline_seconds, 50);
  EXPECT_EQ(ProfileFile::GetString(u"REFRESH", u"LIST", u"", file), u"30");
}

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
