// Sections and keys of "Configuration.ini", the program's settings and identity file in the
// program folder, with the defaults used when a key is missing.
#pragma once

#include <string_view>

namespace tarvello::config {

inline constexpr std::string_view kFileName = "Configuration.ini";

inline constexpr std::u16string_view kRefresh = u"REFRESH";
inline constexpr std::u16string_view kListPeriod = u"LIST";
inline constexpr std::u16string_view kIntradayPeriod = u"TSLINE";
inline constexpr std::u16string_view kKLinePeriod = u"KLLINE";

inline constexpr std::u16string_view kInfo = u"INFO";
inline constexpr std::u16string_view kUserName = u"USERNAME";
inline constexpr std::u16string_view kPassword = u"PASSWORD";
inline constexpr std::u16string_view kMachine = u"MACHINE";
inline constexpr std::u16string_view kGuid = u"GUID";
inline constexpr std::u16string_view kTime = u"TIME";
inline constexpr std::u16string_view kPhone = u"PHONE";
inline constexpr std::u16string_view kUserId = u"USERID";
inline constexpr std::u16string_view kDeviceId = u"DEVICEID";

inline constexpr std::u16string_view kVersionSection = u"VERSION";
inline constexpr std::u16string_view kVersionKey = u"VER";

// The account screen's default for a missing user name or password, user id.
inline constexpr std::u16string_view kMissingAccount = u"Error";
inline constexpr std::u16string_view kDefaultPhone = u"10000000000";
// The program's own version text.
inline constexpr std::u16string_view kProgramVersion = u"V3.3";

}  // namespace tarvello::config
