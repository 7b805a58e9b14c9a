#include "shell/device_registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "protocol/container_writer.h"
#include "protocol/error_record.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

// A server that answers 2116 with a date and time and everything else with nothing.
struct ScriptedServer {
  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    requests.emplace_back(request.begin(), request.end());
    const int type = request[1] | request[2] << 8;
    if (type != kServerTime || !time_available) return 0;
    ContainerWriter writer;
    writer.AddPlain(kServerTime, WireWriter().I32(20261206).I32(93015).Take());
    const Bytes bytes = writer.Finish();
    std::copy(bytes.begin(), bytes.end(), answer.begin());
    return static_cast<int>(bytes.size());
  }
  std::vector<int> Types() const {
    std::vector<int> types;
    for (const Bytes& r : requests) types.push_back(r[1] | r[2] << 8);
    return types;
  }
  // The GBK text of a one-string request.
  std::string TextOf(std::size_t i) const { return std::string(requests[i].begin() + 9, requests[i].end() - 1); }

  bool time_available = true;
  std::vector<Bytes> requests;
};

RegistrationContext Context(const testing::TempFolder& folder) {
  RegistrationContext context;
  context.folder = folder.path();
  context.screen_width = 480;
  context.screen_height = 640;
  context.machine.ident_name = u"handheld";
  context.new_guid = [] {
    return std::array<std::uint8_t, 16>{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0xAB, 0xCD,
                                        1, 2, 3, 4, 5, 6, 7, 0xEF};
  };
  return context;
}

TEST(DeviceRegistrationTest, FirstStartStoresIdentityAndRegistersWithTheComposedText) {
  testing::TempFolder folder;
  ScriptedServer server;
  const auto exchange = [&](auto request, auto answer) { return server.Exchange(request, answer); };
  ASSERT_TRUE(RunDeviceRegistration(exchange, Context(folder)));
  EXPECT_EQ(server.Types(), (std::vector<int>{2116, 1800}));
  EXPECT_EQ(server.TextOf(1), "20261206{0A1B2C3D-4E5F-abcd-0102-0304050607EF}|480*640|5|handheld|V3.3");
  const auto file = folder / config::kFileName;
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"TIME", u"", file), u"20261206");
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"MACHINE", u"", file), u"handheld");

  // The second start reuses the stored values and asks the server for nothing else.
  ScriptedServer again;
  const auto second = [&](auto request, auto answer) { return again.Exchange(request, answer); };
  ASSERT_TRUE(RunDeviceRegistration(second, Context(folder)));
  EXPECT_EQ(again.Types(), (std::vector<int>{1800}));
  EXPECT_EQ(again.TextOf(0), server.TextOf(1));
}

TEST(DeviceRegistrationTest, RecordedFailureIsReportedAndCleared) {
  testing::TempFolder folder;
  ASSERT_TRUE(ErrorRecord(folder.path()).Write(u"0x21"));
  ScriptedServer server;
  const auto exchange = [&](auto request, auto answer) { return server.Exchange(request, answer); };
  ASSERT_TRUE(RunDeviceRegistration(exchange, Context(folder)));
  EXPECT_EQ(server.Types(), (std::vector<int>{2116, 1800, 2116, 1900}));
  EXPECT_EQ(server.TextOf(3), "Err|20261206 09:30:15|0A1B2C3D-4E5F-abcd-0102-0304050607EF|5|V3.3|handheld|0x21");
  EXPECT_EQ(ErrorRecord(folder.path()).Read(), u"");
}

TEST(DeviceRegistrationTest, TooLongTextIsNotSent) {
  testing::TempFolder folder;
  ProfileFile::WriteString(u"INFO", u"MACHINE", std::u16string(190, u'm'), folder / config::kFileName);
  ScriptedServer server;
  const auto exchange = [&](auto request, auto answer) { return server.Exchange(request, answer); };
  EXPECT_FALSE(RunDeviceRegistration(exchange, Context(folder)));
  EXPECT_EQ(server.Types(), (std::vector<int>{2116}));
}

TEST(DeviceRegistrationTest, NoServerTimeLeavesTimeEmpty) {
  testing::TempFolder folder;
  ScriptedServer server;
  server.time_available = false;
  const auto exchange = [&](auto request, auto answer) { return server.Exchange(request, answer); };
  ASSERT_TRUE(RunDeviceRegistration(exchange, Context(folder)));
  EXPECT_EQ(server.TextOf(1).substr(0, 2), "{0");
}

TEST(RegistrationTextTest, TimestampsAndMachineNames) {
  EXPECT_EQ(FormatServerTimestamp(std::make_pair(20261206, 93015)), u"20261206 09:30:15");
  EXPECT_EQ(FormatServerTimestamp(std::make_pair(20261206, 143000)), u"20261206 14:30:00");
  EXPECT_EQ(FormatServerTimestamp(std::nullopt), u"00:00");
  EXPECT_EQ(ChooseMachineName({u"", u"HTC Touch", u"UA", u""}), u"HTC");
  EXPECT_EQ(ChooseMachineName({}), u"Windows Mobile-PPC");
}

}  // namespace
}  // namespace tarvello
