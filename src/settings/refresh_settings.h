// The three refresh periods (seconds) that drive the data screens' refresh timers, kept in section
// REFRESH of "Configuration.ini". Loaded once at start, replaced when the settings page saves.
// A RefreshSettings value is plain data; the process-wide copy lives with its owner (the main
// screen) and is read by the workers through their refresh-period callbacks.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

namespace tarvello {

struct RefreshSettings {
  int list_seconds = 15;
  int intraday_seconds = 5;
  int kline_seconds = 15;
};

// The choices the settings page offers, in order.
inline constexpr std::array<int, 7> kRefreshChoices = {5, 10, 15, 20, 30, 40, 50};

// Reads the three periods from the file in folder. A missing key gets its default written to the
// file (so that a first start leaves LIST=15, TSLINE=5, KLLINE=15 behind). A period of 0 or less
// from a hand-edited file is taken as the smallest choice, 5, rather than a timer that never
// waits; one above the longest choice as the longest, 50, so that days of seconds never overflow
// the timer's milliseconds and stop the screen refreshing.
RefreshSettings LoadRefreshSettings(const std::filesystem::path& folder);

// Writes the three periods; false when the file could not be written.
bool SaveRefreshSettings(const RefreshSettings& settings, const std::filesystem::path& folder);

// Index into kRefreshChoices of the entry the settings page selects for a period: the one equal
// to it, otherwise the first.
int RefreshChoiceIndex(int seconds);

}  // namespace tarvello
