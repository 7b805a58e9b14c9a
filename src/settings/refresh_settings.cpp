#include "settings/refresh_settings.h"

#include <algorithm>
#include <string>

#include "settings/configuration_keys.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

constexpr int kMissing = -1;

int LoadPeriod(std::u16string_view key, int default_seconds, const std::filesystem::path& file) {
  const int value = ProfileFile::GetInt(config::kRefresh, key, kMissing, file);
  if (value == kMissing) {
    ProfileFile::WriteInt(config::kRefresh, key, default_seconds, file);
    return default_seconds;
  }
  if (value <= 0) return kRefreshChoices.front();
  return std::min(value, kRefreshChoices.back());
}

}  // namespace

RefreshSettings LoadRefreshSettings(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / config::kFileName;
  const RefreshSettings defaults;
  RefreshSettings settings;
  settings.list_seconds = LoadPeriod(config::kListPeriod, defaults.list_seconds, file);
  settings.intraday_seconds = LoadPeriod(config::kIntradayPeriod, defaults.intraday_seconds, file);
  settings.kline_seconds = LoadPeriod(config::kKLinePeriod, defaults.kline_seconds, file);
  return settings;
}

bool SaveRefreshSettings(const RefreshSettings& settings, const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / config::kFileName;
  const bool list = ProfileFile::WriteInt(config::kRefresh, config::kListPeriod, settings.list_seconds, file);
  const bool intraday =
      ProfileFile::WriteInt(config::kRefresh, config::kIntradayPeriod, settings.intraday_seconds, file);
  const bool kline = ProfileFile::WriteInt(config::kRefresh, config::kKLinePeriod, settings.kline_seconds, file);
  return list && intraday && kline;
}

int RefreshChoiceIndex(int seconds) {
  for (std::size_t i = 0; i < kRefreshChoices.size(); ++i) {
    if (kRefreshChoices[i] == seconds) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace tarvello
