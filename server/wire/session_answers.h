// The answers of the start-up and account requests: the server time (2116), the login result
// with the running message (2906, 2901) and the version answer with the notices (1000, 2913).
// Request text arrives in GBK. Pure functions apart from what the caller logs; safe from any
// thread.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "protocol/bytes.h"
#include "server/market/market.h"
#include "server/wire/accounts.h"

namespace tarvello::server {

inline constexpr std::string_view kClientVersion = "V3.3";
inline constexpr int kRunningMessageSerial = 1;

Bytes ServerTimeBody(const SimTime& now);
// Result 0 with the account's rights; 2 for an unknown user or a wrong password; 3 for a locked
// account.
Bytes LoginBody(const AccountBook& accounts, std::string_view user_gbk, std::string_view password_gbk);
// The recommendation's result byte: 1 (not logged in) when the user is no account; 2 when a
// number is not a mobile number (11 digits, "13" to "19"); 3 (the unknown error) for the
// simulator's failing number "19999999999"; otherwise 0. The request body is the user name (a
// length-prefixed GBK string), then the numbers in ASCII, joined by ",".
Bytes RecommendBody(const AccountBook& accounts, std::span<const std::uint8_t> request);
inline constexpr std::string_view kFailingNumber = "19999999999";
Bytes RunningMessageBody(const SimTime& now);
Bytes VersionBody(const std::string& latest_version);
Bytes NoticesBody();

}  // namespace tarvello::server
