#include "protocol/network_bringup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "protocol/scripted_connection.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

class RecordingPresenter : public DialPresenter {
 public:
  void ShowProgress(std::u16string_view text) override { calls.push_back(u"show " + std::u16string(text)); }
  void SetProgressText(std::u16string_view text) override { calls.push_back(u"text " + std::u16string(text)); }
  void HideProgress() override { calls.push_back(u"hide"); }
  void ShowMessage(std::u16string_view text, std::u16string_view caption) override {
    calls.push_back(std::u16string(caption) + u": " + std::u16string(text));
  }
  std::vector<std::u16string> calls;
};

// A bring-up over the substitute for one network case, recording log lines and the error record.
struct Rig {
  explicit Rig(NetworkCase network_case, std::u16string access_point = u"cmnet")
      : connection(network_case, std::move(access_point), folder / "Provisioning.log"),
        bringup(connection, u"card", u"card",
                {[this](std::string_view line) { log.emplace_back(line); },
                 [this](std::u16string_view text) { errors.emplace_back(text); }, [](int) {}}) {}

  std::size_t DocumentCount() const {
    const std::string text = testing::ReadBytes(folder / "Provisioning.log");
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  }

  testing::TempFolder folder;
  ScriptedConnection connection;
  std::vector<std::string> log;
  std::vector<std::u16string> errors;
  NetworkBringUp bringup;
};

// A desktop link, a CDMA link and the access point of a GPRS link (in any case) decide the mode
// without provisioning a carrier; only the GPRS link writes its two access point queries.
TEST(NetworkBringUpTest, ExistingLinksDecideTheModeWithoutProvisioning) {
  const std::tuple<NetworkCase, std::u16string, TransportMode, std::size_t> cases[] = {
      {NetworkCase::kDesktop, u"cmnet", TransportMode::kDirect, 0}, {NetworkCase::kGprs, u"cmwap", TransportMode::kWap, 2},
      {NetworkCase::kGprs, u"CMNET", TransportMode::kDirect, 2},    {NetworkCase::kCdma, u"cmnet", TransportMode::kDirect, 0}};
  for (const auto& [network_case, access_point, mode, documents] : cases) {
    Rig rig(network_case, access_point);
    EXPECT_EQ(rig.bringup.StartUp(0), mode) << static_cast<int>(network_case);
    EXPECT_FALSE(rig.bringup.provisioned());
    EXPECT_EQ(rig.DocumentCount(), documents);
  }
}

TEST(NetworkBringUpTest, UnknownAccessPointFailsAndReleasesTheConnection) {
  Rig rig(NetworkCase::kGprs, u"internet");
  EXPECT_EQ(rig.bringup.StartUp(0), std::nullopt);
  EXPECT_EQ(rig.log, std::vector<std::string>{"Release Connect!"});
  EXPECT_EQ(rig.connection.open_handles(), 0u);
}

TEST(NetworkBringUpTest, NoConnectionProvisionsTheCarrierAndConnectsThroughIt) {
  Rig rig(NetworkCase::kDial);
  EXPECT_EQ(rig.bringup.StartUp(1), TransportMode::kDirect);  // "3gnet" is a direct access point
  EXPECT_TRUE(rig.bringup.provisioned());
  // Two removals and the carrier document, then the access point queries.
  const std::string log = testing::ReadBytes(rig.folder / "Provisioning.log");
  EXPECT_EQ(log.find("<wap-provisioningdoc><characteristic type=\"CM_GPRSEntries\"><nocharacteristic type=\"Morvane1\"/>"), 0u);
  EXPECT_NE(log.find("<characteristic type=\"Morvane1\"><parm name=\"DestId\""), std::string::npos);
  EXPECT_TRUE(rig.errors.empty());
}

TEST(NetworkBringUpTest, FailedOwnConnectionIsRecordedAsItsStatus) {
  Rig rig(NetworkCase::kNone);
  EXPECT_EQ(rig.bringup.StartUp(0), std::nullopt);
  EXPECT_EQ(rig.errors, std::vector<std::u16string>{u"0x21"});
  EXPECT_EQ(rig.connection.open_handles(), 0u);
}

TEST(NetworkBringUpTest, RefusedProvisioningFailsWithoutAnErrorRecord) {
  Rig rig(NetworkCase::kProvisioningFails);
  EXPECT_EQ(rig.bringup.StartUp(2), std::nullopt);
  EXPECT_TRUE(rig.errors.empty());
  EXPECT_EQ(rig.DocumentCount(), 3u);
}

TEST(NetworkBringUpTest, AvailabilityCheckLogsItsOutcome) {
  Rig up(NetworkCase::kDesktop);
  EXPECT_EQ(up.bringup.IsAvailable(TransportMode::kDirect), 0);
  EXPECT_EQ(up.log, std::vector<std::string>{"SUCCEEDED IsAvailable"});
  Rig down(NetworkCase::kNone);
  EXPECT_EQ(down.bringup.IsAvailable(TransportMode::kWap), 1);
  EXPECT_EQ(down.log, std::vector<std::string>{"FALSE IsAvailable"});
  EXPECT_EQ(down.connection.open_handles(), 0u);
}

TEST(NetworkBringUpTest, DialReportsSuccessAndFailureWithTheSystemTexts) {
  Rig up(NetworkCase::kDesktop);
  RecordingPresenter success;
  EXPECT_EQ(up.bringup.Dial(success), TransportMode::kDirect);
  EXPECT_EQ(success.calls, (std::vector<std::u16string>{u"show 拨号中，请稍后...", u"hide", u"提示: 拨号成功!"}));

  Rig down(NetworkCase::kNone);
  down.bringup.ProvisionCarrier(0);
  RecordingPresenter failure;
  EXPECT_EQ(down.bringup.Dial(failure), std::nullopt);
  EXPECT_EQ(failure.calls, (std::vector<std::u16string>{u"show 拨号中，请稍后...", u"text 获取数据中，请稍后...",
                                                        u"hide", u"提示: 拨号失败，请配置好网络"}));
}

}  // namespace
}  // namespace tarvello
