#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "protocol/container_writer.h"
#include "protocol/error_record.h"
#include "protocol/packet_codec.h"
#include "protocol/scripted_connection.h"
#include "protocol/wire_writer.h"
#include "settings/configuration_keys.h"
#include "shell/app_options.h"
#include "shell/device_registration.h"
#include "shell/instance_lock.h"
#include "shell/network_startup.h"
#include "shell/screen_font.h"
#include "shell/startup_login.h"
#include "storage/profile_file.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"
#include "support/transport_fixture.h"

namespace tarvello {
namespace {

TEST(AppOptionsTest, EveryOptionIsReadAndBadValuesLeaveTheOptionsAlone) {
  AppOptions options;
  std::string error;
  ASSERT_TRUE(ParseAppOptions({"--screen", "240X320", "--scale", "1.5", "--home", "/tmp/t", "--tour", "shots"},
                              options, error));
  EXPECT_EQ(options.screen, (Size{240, 320}));
  EXPECT_EQ(options.scale, 1.5);
  EXPECT_EQ(std::tie(options.home, options.tour_dir), std::tuple("/tmp/t", "shots"));
  EXPECT_FALSE(options.help || options.version);

  ASSERT_TRUE(ParseAppOptions({"--version", "--help"}, options, error));
  EXPECT_TRUE(options.help && options.version);
  // Bad values are refused and leave the options alone.
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"--screen", "240x"},    {"--screen", "100x320"}, {"--screen", "240x9999"}, {"--screen", "240x320px"},
           {"--scale", "nan"},      {"--scale", "9"},        {"--screen"},             {"--colour", "red"},
           {"--scale", "2", "--tour"}}) {
    AppOptions fresh;
    error.clear();
    EXPECT_FALSE(ParseAppOptions(args, fresh, error)) << args[0];
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fresh.screen, (Size{480, 640}));
    EXPECT_EQ(fresh.scale, 1.0);
  }
}

using testing::TempFolder;

TEST(InstanceLockTest, OnlyOneHolderPerFolderUntilItIsReleased) {
  TempFolder folder;
  std::error_code error;
  std::optional<InstanceLock> first = InstanceLock::Acquire(folder.path(), error);
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(InstanceLock::Acquire(folder.path(), error).has_value());
  EXPECT_FALSE(error) << "another holder is not a failure: " << error.message();

  std::optional<InstanceLock> moved = std::move(first);
  first.reset();
  EXPECT_FALSE(InstanceLock::Acquire(folder.path(), error).has_value()) << "a moved lock is still held";
  moved.reset();
  EXPECT_TRUE(InstanceLock::Acquire(folder.path(), error).has_value());
}

Bytes Answer(int result, bool with_notice) {
  ContainerWriter writer;
  writer.AddPlain(2906, WireWriter().U8(static_cast<std::uint8_t>(result)).I32(0x55).Take());
  if (with_notice) writer.AddPlain(2901, WireWriter().I32(7).Utf8(u"今日休市").Take());
  return writer.Finish();
}

// Stored credentials are AccountWalk's.
TEST(StartupLoginTest, SendsPlaceholderOnlyAnAcceptingAnswerGrantsRightsAndANoticeComesOnce) {
  testing::TempFolder folder;
  testing::ScriptedServer server;
  server.SetFixedAnswer(Answer(0, true));
  const LoginAnswer answer = RunStartupLogin(server.Function(), folder.path(), u"ppc");
  EXPECT_EQ(server.Last(), CPacketCodec().BuildLogin(u"ppc", u"ppc"));
  EXPECT_EQ(std::tie(answer.rights, answer.serial, answer.message), std::tuple(0x55, 7, u"今日休市"));
  // Refused, short or stray answers grant nothing.
  EXPECT_FALSE(ReadLoginAnswer(Answer(2, false)).rights);
  const Bytes ok = Answer(0, false);
  EXPECT_FALSE(ReadLoginAnswer(std::span<const std::uint8_t>(ok.data(), 6)).rights);
  Bytes shifted = ok;
  shifted.insert(shifted.begin(), 'x');  // the answer must start with "{"
  EXPECT_FALSE(ReadLoginAnswer(shifted).rights);
  const Bytes cut = WireWriter().U8('{').U16(2906).U16(0).U16(5).U8(0).U8(1).Take();
  EXPECT_FALSE(ReadLoginAnswer(cut).rights);
  // A notice of a serial seen before is not appended twice.
  RunningMessage message;
  EXPECT_TRUE(message.Offer(3, u"a"));
  EXPECT_FALSE(message.Offer(3, u"a"));
  EXPECT_TRUE(message.Offer(4, u"b"));
  EXPECT_EQ(message.Text(), u"a\r\n\r\nb\r\n\r\n");
}

// A server that answers 2116 with a date and time (while time_available), 1800 and 1900 with a
// block of their own (while reports_answered) and everything else with nothing, against a program
// folder of its own.
class DeviceRegistrationTest : public ::testing::Test {
 protected:
  bool Run() {
    server_ = std::make_unique<testing::ScriptedServer>([this](const Bytes& request) {
      const int type = testing::TypeOf(request);
      ContainerWriter writer;
      if (type == kServerTime && time_available_) {
        writer.AddPlain(kServerTime, WireWriter().I32(20261206).I32(93015).Take());
      } else if ((type == kDeviceRegistration || type == kErrorReport) && reports_answered_) {
        writer.AddPlain(type, Bytes{0});
      } else {
        return Bytes{};
      }
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
  bool reports_answered_ = true;
  std::unique_ptr<testing::ScriptedServer> server_;
};

TEST_F(DeviceRegistrationTest, FirstStartStoresIdentityAndRegistersWithTheComposedText) {
  ASSERT_TRUE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116, 1800}));
  const std::string text = TextOf(1);
  EXPECT_EQ(text, "20261206{0A1B2C3D-4E5F-abcd-0102-0304050607EF}|480*640|5|handheld|V3.3");

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

// A missing server time leaves the time empty.
// The record goes only once the server has the report: a report that got no answer is kept for
// the next start, and a registration text too long to send does not hold the report back.
TEST_F(DeviceRegistrationTest, RecordedFailureIsKeptUntilTheServerHasIt) {
  ASSERT_TRUE(ErrorRecord(folder_.path()).Write(u"0x21"));
  reports_answered_ = false;
  ASSERT_TRUE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116, 1800, 2116, 1900}));
  EXPECT_EQ(ErrorRecord(folder_.path()).Read(), u"0x21");

  reports_answered_ = true;
  ProfileFile::WriteString(u"INFO", u"MACHINE", std::u16string(190, u'm'), folder_ / config::kFileName);
  EXPECT_FALSE(Run());
  EXPECT_EQ(Types(), (std::vector<int>{2116, 1900}));
  EXPECT_EQ(ErrorRecord(folder_.path()).Read(), u"");
}

TEST_F(DeviceRegistrationTest, NoServerTimeLeavesTimeEmptyAndTheTextsFallBack) {
  time_available_ = false;
  ASSERT_TRUE(Run());
  EXPECT_EQ(TextOf(1).substr(0, 2), "{0");
  EXPECT_EQ(FormatServerTimestamp(std::nullopt), u"00:00");
  EXPECT_EQ(ChooseMachineName({u"", u"HTC Touch", u"UA", u""}), u"HTC");
}

class FixedClock : public ProbeClock {
 public:
  int UtcSecond() override { return 10; }
  std::int64_t TickMs() override { return 0; }  // every probe takes "0 ms": a tie
  void SleepMs(int) override {}
};

// A quote server that answers the 8-byte probe with the 8-byte probe and counts what it saw.
void ServeProbes(testing::ServerConnection& connection, std::atomic<int>& probes) {
  while (const auto request = connection.ReadContainer()) {
    if (request->size() == 8) ++probes;
    if (!connection.Send(CPacketCodec().BuildServerProbe())) return;
  }
}

class NetworkStartupTest : public testing::TransportTest {
 protected:
  Deployment LocalDeployment(int port) {
    Deployment d = ShippedDeployment();
    d.quote_port = port;
    return d;
  }
  FixedClock clock_;
  ServerSelection selection_;
};

TEST_F(NetworkStartupTest, DesktopLinkProbesBothGroupsAndStaysConnectedToTheWinner) {
  std::atomic<int> probes{0};
  testing::LoopbackServer server([&](testing::ServerConnection& c) { ServeProbes(c, probes); });
  MakeTransport();
  ScriptedConnection connection(NetworkCase::kDesktop, u"", {});
  NetworkBringUp bringup(connection, u"", u"", {});
  selection_.Set({0, 1});
  ASSERT_TRUE(BringNetworkUp(bringup, 0, *transport_));
  ConnectQuoteServer(*transport_, clock_, LocalDeployment(server.port()), selection_);
  EXPECT_EQ(probes, 2);
  EXPECT_EQ(selection_.Get(), (ServerCell{1, 0}));  // a tie goes to group 1
  EXPECT_TRUE(transport_->direct());
  Bytes answer(100);
  EXPECT_EQ(transport_->CommunicateThread(CPacketCodec().BuildServerProbe(), answer), 8);
  EXPECT_EQ(server.accepted(), 3);  // two probes, then the chosen server
}

class SilentPresenter : public DialPresenter {
 public:
  void ShowProgress(std::u16string_view) override {}
  void SetProgressText(std::u16string_view) override {}
  void HideProgress() override {}
  void ShowMessage(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
  std::vector<std::u16string> messages;
};

// The start dialog's "拨号" sets up the carrier's entries and says how the dialling went.
TEST(StartDialogDialTest, ProvisionsTheCarrierAndSaysWhetherTheDialWorked) {
  for (const auto& [network_case, said] : {std::pair{NetworkCase::kDial, u"拨号成功!"}, {NetworkCase::kNone, u"拨号失败，请配置好网络"}}) {
    testing::TempFolder folder;
    ScriptedConnection connection(network_case, u"cmnet", folder.path() / "Provisioning.log");
    NetworkBringUp bringup(connection, u"", u"", {});
    SilentPresenter presenter;
    DialFromStartDialog(bringup, 1, presenter);
    EXPECT_TRUE(bringup.provisioned());
    EXPECT_EQ(presenter.messages, std::vector<std::u16string>{said});
  }
}

TEST_F(NetworkStartupTest, RedialIsOfferedOnlyWhenTheConnectionCannotBeRequestedAgain) {
  MakeTransport();
  for (const bool yes : {false, true}) {
    ScriptedConnection connection(NetworkCase::kNone, u"", {});
    NetworkBringUp bringup(connection, u"", u"", {});
    SilentPresenter presenter;
    std::vector<std::u16string> questions;
    ConnectionRedial redial(bringup, presenter, [&](std::u16string_view text, std::u16string_view) {
      questions.emplace_back(text);
      return yes;
    }, *transport_);
    redial.Ask();
    EXPECT_EQ(questions, std::vector<std::u16string>{u"当前网络已断开，是否重新拨号?"});
    EXPECT_EQ(presenter.messages, yes ? std::vector<std::u16string>{u"拨号失败，请配置好网络"}
                                      : std::vector<std::u16string>{});
  }
  ScriptedConnection up(NetworkCase::kDesktop, u"", {});
  NetworkBringUp bringup(up, u"", u"", {});
  SilentPresenter presenter;
  bool asked = false;
  ConnectionRedial redial(bringup, presenter, [&](auto, auto) { return asked = true; }, *transport_);
  redial.Ask();
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace tarvello
