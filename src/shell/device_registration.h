// Device registration: once per start the program tells the server who it is (request 1800) and,
// when the last run recorded a connection failure, reports that too (request 1900). The identity
// values (MACHINE, GUID, TIME) are created once and kept in "Configuration.ini".
//
// The text helpers are pure; RunDeviceRegistration runs on the start-up thread and exchanges
// through the given function, which the program backs with the shared transport.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "protocol/exchange_function.h"

namespace tarvello {

// Where the device's name may come from, in the order they are tried.
struct MachineCandidates {
  std::u16string oem_info;
  std::u16string user_agent_custom_base;  // taken up to its first space
  std::u16string user_agent;
  std::u16string ident_name;
};

// The first candidate that is not empty, or "Windows Mobile-PPC".
std::u16string ChooseMachineName(const MachineCandidates& candidates);
// This host's candidates: the DMI product name as OEM text, the host name as identity name.
MachineCandidates HostMachineCandidates();

// "%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X" over the identifier's fields.
std::u16string FormatDeviceGuid(const std::array<std::uint8_t, 16>& bytes);
std::array<std::uint8_t, 16> NewDeviceGuidBytes();

// TIME "{" GUID "}|" width "*" height "|5|" MACHINE "|" version; nothing when its GBK form is
// longer than 200 bytes.
std::optional<std::u16string> ComposeRegistrationText(std::u16string_view time, std::u16string_view guid,
                                                      int width, int height, std::u16string_view machine,
                                                      std::u16string_view version);

// The server time of a 2116 answer as "date hh:mm:ss" ("00:00" without one).
std::u16string FormatServerTimestamp(std::optional<std::pair<std::int32_t, std::int32_t>> date_time);

// "Err|" timestamp "|" GUID "|5|" version "|" MACHINE "|" error.
std::u16string ComposeErrorReport(std::u16string_view timestamp, std::u16string_view guid,
                                  std::u16string_view version, std::u16string_view machine,
                                  std::u16string_view error);

// Asks the server for its date and time (request 2116); none without an answer.
std::optional<std::pair<std::int32_t, std::int32_t>> AskServerTime(const ExchangeFunction& exchange);
// The two int32 values of the first 2116 block of an answer with a non-empty body.
std::optional<std::pair<std::int32_t, std::int32_t>> ReadServerTime(std::span<const std::uint8_t> answer);

struct RegistrationContext {
  std::filesystem::path folder;  // holds Configuration.ini and ErrorCode.ini
  int screen_width = 0;
  int screen_height = 0;
  MachineCandidates machine;
  std::function<std::array<std::uint8_t, 16>()> new_guid = NewDeviceGuidBytes;
};

// Runs the registration steps; true when the 1800 request was sent. The recorded failure is
// reported (1900) even when the registration text is too long to send, and cleared only when the
// server answered the report.
bool RunDeviceRegistration(const ExchangeFunction& exchange, const RegistrationContext& context);

}  // namespace tarvello
