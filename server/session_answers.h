// The answers of the start-up and account requests: the server time (2116), the login result
// with the running message (2906, 2901) and the version answer with the notices (1000, 2913).
// Request text arrives in GBK. Pure functions apart from what the caller logs; safe from any
// thread.
#pragma once

#include <string>
#include <string_view>

#include "protocol/bytes.h"
#include "server/accounts.h"
#include "server/market.h"

namespace tarvello::server {

inline constexpr std::string_view kClientVersion = "V3.3";
inline constexpr int kRunningMessageSerial = 1;

Bytes ServerTimeBody(const SimTime& now);
// Result 0 with the account's rights, or result 2 for an unknown user or a wrong password.
Bytes LoginBody(const AccountBook& accounts, std::string_view user_gbk, std::string_view password_gbk);
Bytes RunningMessageBody(const SimTime& now);
Bytes VersionBody(const std::string& latest_version);
Bytes NoticesBody();

// True when version text a ("V3.4") names a later version than b ("V3.3").
bool IsNewerVersion(std::string_view a, std::string_view b);

}  // namespace tarvello::server
