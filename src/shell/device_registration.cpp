#include "shell/device_registration.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/error_record.h"
#include "protocol/packet_codec.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;
constexpr std::size_t kMaxRegistrationBytes = 200;
constexpr std::u16string_view kFallbackMachine = u"Windows Mobile-PPC";
constexpr std::u16string_view kClientKind = u"5";

std::u16string Decimal(long long value) { return text::FromAscii(std::to_string(value)); }

std::u16string FirstLineOf(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return text::FromUtf8(line);
}


// Sends a request whose answer says nothing; true when the server answered with a whole container,
// so that it is known to have the request.
bool Send(const ExchangeFunction& exchange, const Bytes& request) {
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  const int received = exchange(request, answer);
  if (received < 1) return false;
  const auto length = std::min(static_cast<std::size_t>(received), answer.size());
  return ParseContainer([](int, const std::uint8_t*, std::size_t, std::size_t) { return 0; }, answer.data(),
                        length);
}

// Reports the failure the last run recorded, if any, and forgets it once the server has it: a
// report that did not reach the server is tried again at the next start.
void ReportRecordedFailure(const ExchangeFunction& exchange, const RegistrationContext& context,
                           std::u16string_view guid, std::u16string_view machine) {
  const ErrorRecord record(context.folder);
  const std::u16string error = record.Read();
  if (error.empty()) return;
  const std::u16string stamp = FormatServerTimestamp(AskServerTime(exchange));
  const Bytes report =
      CPacketCodec().BuildErrorReport(ComposeErrorReport(stamp, guid, config::kProgramVersion, machine, error));
  if (Send(exchange, report)) record.Clear();
}

// Reads a stored identity value, creating and storing it first when it is empty.
std::u16string StoredOrCreated(std::u16string_view key, const std::filesystem::path& file,
                               const std::function<std::u16string()>& create) {
  std::u16string value = ProfileFile::GetString(config::kInfo, key, u"", file);
  if (value.empty()) {
    value = create();
    if (!value.empty()) ProfileFile::WriteString(config::kInfo, key, value, file);
  }
  return value;
}

}  // namespace

std::u16string ChooseMachineName(const MachineCandidates& candidates) {
  if (!candidates.oem_info.empty()) return candidates.oem_info;
  const std::u16string custom = candidates.user_agent_custom_base.substr(
      0, candidates.user_agent_custom_base.find(u' '));
  if (!custom.empty()) return custom;
  if (!candidates.user_agent.empty()) return candidates.user_agent;
  if (!candidates.ident_name.empty()) return candidates.ident_name;
  return std::u16string(kFallbackMachine);
}

MachineCandidates HostMachineCandidates() {
  MachineCandidates candidates;
  candidates.oem_info = FirstLineOf("/sys/class/dmi/id/product_name");
  candidates.ident_name = FirstLineOf("/etc/hostname");
  return candidates;
}

std::u16string FormatDeviceGuid(const std::array<std::uint8_t, 16>& b) {
  const unsigned data1 = static_cast<unsigned>(b[0]) << 24 | static_cast<unsigned>(b[1]) << 16 |
                         static_cast<unsigned>(b[2]) << 8 | b[3];
  const unsigned data2 = static_cast<unsigned>(b[4]) << 8 | b[5];
  const unsigned data3 = static_cast<unsigned>(b[6]) << 8 | b[7];
  char text[40];
  std::snprintf(text, sizeof text, "%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", data1, data2, data3,
                b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return text::FromAscii(text);
}

std::array<std::uint8_t, 16> NewDeviceGuidBytes() {
  std::random_device random;
  std::array<std::uint8_t, 16> bytes{};
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

std::optional<std::u16string> ComposeRegistrationText(std::u16string_view time, std::u16string_view guid,
                                                      int width, int height, std::u16string_view machine,
                                                      std::u16string_view version) {
  std::u16string textual = std::u16string(time) + u"{" + std::u16string(guid) + u"}|" + Decimal(width) + u"*" +
                           Decimal(height) + u"|" + std::u16string(kClientKind) + u"|" +
                           std::u16string(machine) + u"|" + std::u16string(version);
  if (text::ToGbk(textual).size() > kMaxRegistrationBytes) return std::nullopt;
  return textual;
}

std::u16string FormatServerTimestamp(std::optional<std::pair<std::int32_t, std::int32_t>> date_time) {
  if (!date_time) return u"00:00";
  std::string time = std::to_string(date_time->second);
  // Times before 10 o'clock have five digits; anything shorter is padded the same way.
  if (time.size() < 6 && date_time->second >= 0) time.insert(0, 6 - time.size(), '0');
  if (time.size() > 4) time.insert(4, ":");
  if (time.size() > 2) time.insert(2, ":");
  return Decimal(date_time->first) + u" " + text::FromAscii(time);
}

std::u16string ComposeErrorReport(std::u16string_view timestamp, std::u16string_view guid,
                                  std::u16string_view version, std::u16string_view machine,
                                  std::u16string_view error) {
  return u"Err|" + std::u16string(timestamp) + u"|" + std::u16string(guid) + u"|" + std::u16string(kClientKind) +
         u"|" + std::u16string(version) + u"|" + std::u16string(machine) + u"|" + std::u16string(error);
}

std::optional<std::pair<std::int32_t, std::int32_t>> AskServerTime(const ExchangeFunction& exchange) {
  const Bytes request = CPacketCodec().BuildServerTime(0);
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  const int received = exchange(request, answer);
  if (received < 1) return std::nullopt;
  return ReadServerTime(std::span<const std::uint8_t>(answer.data(), static_cast<std::size_t>(received)));
}

std::optional<std::pair<std::int32_t, std::int32_t>> ReadServerTime(std::span<const std::uint8_t> answer) {
  std::optional<std::pair<std::int32_t, std::int32_t>> result;
  ParseContainer(
      [&result](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (type != kServerTime || result) return 0;
        BlockReader reader(bytes, start, end);
        const std::int32_t date = reader.Int32();
        const std::int32_t time = reader.Int32();
        if (!reader.overrun()) result = std::make_pair(date, time);
        return 0;
      },
      answer.data(), answer.size());
  return result;
}

bool RunDeviceRegistration(const ExchangeFunction& exchange, const RegistrationContext& context) {
  const std::filesystem::path file = context.folder / config::kFileName;
  const std::u16string machine =
      StoredOrCreated(config::kMachine, file, [&] { return ChooseMachineName(context.machine); });
  const std::u16string guid =
      StoredOrCreated(config::kGuid, file, [&] { return FormatDeviceGuid(context.new_guid()); });
  const std::u16string time = StoredOrCreated(config::kTime, file, [&]() -> std::u16string {
    const auto server_time = AskServerTime(exchange);
    return server_time && server_time->first > 0 ? Decimal(server_time->first) : std::u16string();
  });

  // A registration text too long to send does not keep the failure report from the server.
  const std::optional<std::u16string> registration = ComposeRegistrationText(
      time, guid, context.screen_width, context.screen_height, machine, config::kProgramVersion);
  if (registration) Send(exchange, CPacketCodec().BuildDeviceRegistration(*registration));
  ReportRecordedFailure(exchange, context, guid, machine);
  return registration.has_value();
}

}  // namespace tarvello
