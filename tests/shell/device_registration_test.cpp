#include "shell/device_registration.h"

#include <gtest/gtest.h>

#include <vector>

#include "protocol/container_writer.h"
#include "protocol/error_record.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

// A server that answers 2116 with a date and time (while time_available) and everything else with
// nothing, against a program folder of its own.
class DeviceRegistrationTest : public ::testing::Test {
 protected:
  bool Run() {
    server_ = std::make_unique<testing::ScriptedServer>([this](const Bytes& request) {
      if (testing::TypeOf(request) != kServerTime || !time_available_) return Bytes{};
      ContainerWriter writer;
      writer.AddPlain(kServerTime, WireWriter().I32(20261206).I32(93015).Take());
      return writer.Finish();
    });
    RegistrationContext context;
    context.folder = folder_.path();
    context.screen_width = 480;
    context.screen_height = 640;
    context.machine.ident_name = u"handheld";
    context.new_guid = [] {
      return std::array<std::uint8_t, 16>{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0xAB, 0xCD, 1, 2, 3, 4, 5, 6, 7, 0xEF};
    };
    return RunDeviceRegistration(server_->Function(), context);
  }
  std::vector<int> Types() {
    std::vector<int> types;
    for (const Bytes& r : server_->Requests()) types.push_back(testing::TypeOf(r));
    return types;
  }
  // The GBK text of a one-string request.
  std::string TextOf(std::size_t i) {
    const Bytes r = server_->Requests().at(i);
    return std::string(r.begin() + 9, r.end() - 1);
  }

  testing::TempFolder folder_;
  bool time_available_ = true;
  std::unique_ptr<testing::ScriptedServer> server_;
};

TEST_F(DeviceRegistrationTest, FirstStartStoresIdentityAndRegistersWithTheComposedText) {
  ASSERT_TRUE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116, 1800}));
  const std::string text = TextOf(1);
  EXPECT_EQ(text, "20261206{0A1B2C3D-4E5F-abcd-0102-0304050607EF}|480*640|5|handheld|V3.3");
  const auto file = folder_ / config::kFileName;
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"TIME", u"", file), u"20261206");
  EXPECT_EQ(ProfileFile::GetString(u"INFO", u"MACHINE", u"", file), u"handheld");

  // The second start reuses the stored values and asks the server for nothing else.
  ASSERT_TRUE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{1800}));
  EXPECT_EQ(TextOf(0), text);
}

TEST_F(DeviceRegistrationTest, RecordedFailureIsReportedAndCleared) {
  ASSERT_TRUE(ErrorRecord(folder_.path()).Write(u"0x21"));
  ASSERT_TRUE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116, 1800, 2116, 1900}));
  EXPECT_EQ(TextOf(3), "Err|20261206 09:30:15|0A1B2C3D-4E5F-abcd-0102-0304050607EF|5|V3.3|handheld|0x21");
  EXPECT_EQ(ErrorRecord(folder_.path()).Read(), u"");
}

TEST_F(DeviceRegistrationTest, TooLongTextIsNotSent) {
  ProfileFile::WriteString(u"INFO", u"MACHINE", std::u16string(190, u'm'), folder_ / config::kFileName);
  EXPECT_FALSE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116}));
}

TEST_F(DeviceRegistrationTest, NoServerTimeLeavesTimeEmpty) {
  time_available_ = false;
  ASSERT_TRUE(Run());
  EXPECT_EQ(TextOf(1).substr(0, 2), "{0");
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
