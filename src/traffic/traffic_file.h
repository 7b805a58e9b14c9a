// "Traffic.ini" in the program folder: the totals of TrafficTotals through the INI engine's text
// rules, UTF-16LE like every INI file. Section TRAFFIC holds the counts (DAY, TODAY, MONTH,
// MONTHBYTES, LASTMONTH, LASTBYTES and one key per screen), section ALLOWANCE the allowance
// (LIMITMB) and the month warned (WARNED). Numbers are plain decimal digits.
//
// A file is written whole to a temporary file that then replaces the old one. A counts section
// that does not hold together (a missing or non-numeric value, an impossible date, screen shares
// that do not add up to the month) starts again at zero; a bad allowance reads as none. Either
// way the rest of the file is still read. Pure functions apart from Load and Save; any thread.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "traffic/traffic_totals.h"

namespace tarvello {

inline constexpr std::string_view kTrafficFileName = "Traffic.ini";
// The largest allowance the file keeps, in MB.
inline constexpr int kMaxAllowanceMb = 1000000;

TrafficTotals ReadTrafficText(std::u16string_view text);
std::u16string TrafficText(const TrafficTotals& totals);

// A missing or unreadable file gives zero totals.
TrafficTotals LoadTraffic(const std::filesystem::path& file);
bool SaveTraffic(const std::filesystem::path& file, const TrafficTotals& totals);

}  // namespace tarvello
