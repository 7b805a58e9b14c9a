// Start-up: bringing the network up, the provisioning documents and error record it writes, and
// the quote server group chosen by the faster probe or by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "protocol/bytes.h"
#include "protocol/error_record.h"
#include "protocol/network_bringup.h"
#include "protocol/provisioning_documents.h"
#include "protocol/scripted_connection.h"
#include "protocol/server_choice.h"
#include "storage/utf16le.h"
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
// without provisioning a carrier; only the GPRS link writes its two access point queries. Only the
// exact quoted value counts: "cmwap2" is no known access point.
TEST(NetworkBringUpTest, LinksDecideTheModeCarriersAreProvisionedAndFailuresReleaseAll) {
  const std::tuple<NetworkCase, std::u16string, TransportMode, std::size_t> cases[] = {
      {NetworkCase::kDesktop, u"cmnet", TransportMode::kDirect, 0}, {NetworkCase::kGprs, u"cmwap", TransportMode::kWap, 2},
      {NetworkCase::kGprs, u"UniNet", TransportMode::kDirect, 2},    {NetworkCase::kCdma, u"cmnet", TransportMode::kDirect, 0}};
  for (const auto& [network_case, access_point, mode, documents] : cases) {
    Rig rig(network_case, access_point);
    EXPECT_EQ(rig.bringup.StartUp(0), mode) << static_cast<int>(network_case);
    EXPECT_FALSE(rig.bringup.provisioned());
    EXPECT_EQ(rig.DocumentCount(), documents);
  }
  // No connection provisions the carrier and connects through it.
  Rig rig(NetworkCase::kDial);
  EXPECT_EQ(rig.bringup.StartUp(1), TransportMode::kDirect);  // "3gnet" is a direct access point
  EXPECT_TRUE(rig.bringup.provisioned());
  // Two removals and the carrier document, then the access point queries.
  const std::string log = testing::ReadBytes(rig.folder / "Provisioning.log");
  EXPECT_EQ(log.find("<wap-provisioningdoc><characteristic type=\"CM_GPRSEntries\"><nocharacteristic type=\"Morvane1\"/>"), 0u);
  EXPECT_NE(log.find("<characteristic type=\"Morvane1\"><parm name=\"DestId\""), std::string::npos);
  EXPECT_TRUE(rig.errors.empty());
  // A failed bring-up or availability check leaves no connection open and a line in the log: an
  // unknown access point releases its connection, a failed own connection records its status,
  // refused provisioning records nothing.
  Rig unknown(NetworkCase::kGprs, u"cmwap2");
  EXPECT_EQ(unknown.bringup.StartUp(0), std::nullopt);
  EXPECT_EQ(unknown.log, (std::vector<std::string>{"Release Connect!", "FALSE StartUp"}));
  Rig failed(NetworkCase::kNone);
  EXPECT_EQ(failed.bringup.StartUp(0), std::nullopt);
  EXPECT_EQ(failed.errors, std::vector<std::u16string>{u"0x21"});
  EXPECT_EQ(failed.log, (std::vector<std::string>{"FALSE ConnectProvisioned 0x21", "FALSE StartUp"}));
  EXPECT_EQ(failed.connection.open_handles(), 0u);
  Rig refused(NetworkCase::kProvisioningFails);
  EXPECT_EQ(refused.bringup.StartUp(2), std::nullopt);
  EXPECT_TRUE(refused.errors.empty());
  EXPECT_EQ(refused.log, std::vector<std::string>{"FALSE StartUp"});
  EXPECT_EQ(refused.DocumentCount(), 3u);
  EXPECT_EQ(Rig(NetworkCase::kDesktop).bringup.IsAvailable(TransportMode::kDirect), 0);
  EXPECT_EQ(failed.bringup.IsAvailable(TransportMode::kWap), 1);
  EXPECT_EQ(unknown.connection.open_handles() + failed.connection.open_handles(), 0u);
  // A dial reports success and failure with the system texts.
  Rig up(NetworkCase::kDesktop);
  RecordingPresenter success;
  EXPECT_EQ(up.bringup.Dial(success), TransportMode::kDirect);
  EXPECT_EQ(success.calls, (std::vector<std::u16string>{u"show 拨号中，请稍后...", u"text 获取数据中，请稍后...", u"hide",
                                                        u"提示: 拨号成功!"}));

  Rig down(NetworkCase::kNone);
  down.bringup.ProvisionCarrier(0);
  RecordingPresenter failure;
  EXPECT_EQ(down.bringup.Dial(failure), std::nullopt);
  EXPECT_EQ(failure.calls, (std::vector<std::u16string>{u"show 拨号中，请稍后...", u"text 获取数据中，请稍后...",
                                                        u"hide", u"提示: 拨号失败，请配置好网络"}));
}

TEST(ProvisioningDocumentsTest, CdmaCarrierEntryKeepsValuesInsideAttributesAndTheErrorRecord) {
  EXPECT_EQ(CarrierDocument(2, u"card", u"secret"),
            u"<wap-provisioningdoc>"
            u"<characteristic type=\"CM_Networks\"><characteristic type=\"Morvane\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C22}\" />"
            u"</characteristic></characteristic>"
            u"<characteristic type=\"CM_PPPEntries\"><characteristic type=\"Morvane2\">"
            u"<parm name=\"DestId\" value=\"{D1D06580-C364-55ec-9421-6ACF34129C22}\" />"
            u"<parm name=\"CountryCode\" value=\"1\" /><parm name=\"AreaCode\" value=\"425\" />"
            u"<parm name=\"Phone\" value=\"#777\" /><parm name=\"UserName\" value=\"card\" />"
            u"<parm name=\"Password\" value=\"secret\" /><parm name=\"Domain\" value=\"\" />"
            u"</characteristic></characteristic></wap-provisioningdoc>");
  // A hostile user name or password stays inside its attribute.
  const std::u16string document = CarrierDocument(2, u"a\"/><parm name=\"x", u"<&'>");
  EXPECT_NE(document.find(u"value=\"a&quot;/&gt;&lt;parm name=&quot;x\" />"), std::u16string::npos);
  EXPECT_NE(document.find(u"value=\"&lt;&amp;&apos;&gt;\" />"), std::u16string::npos);
  // The error record records, reads and clears the last failure.
  testing::TempFolder folder;
  const ErrorRecord record(folder.path());
  EXPECT_EQ(record.Read(), u"");
  ASSERT_TRUE(record.WriteStatus(0x10000));
  EXPECT_EQ(testing::ReadBytes(folder / "ErrorCode.ini"),
            EncodeUtf16Le(u"[CODE]\r\nErrors=0x10000\r\n"));
  EXPECT_EQ(record.Read(), u"0x10000");
  EXPECT_TRUE(record.Clear() && record.Read().empty() && record.Clear()) << "cleared twice";
}

// Answers each probe after a scripted number of milliseconds, with a scripted answer size.
class ScriptedLink : public ProbeLink {
 public:
  struct Step {
    std::int64_t delay_ms;
    int received;
  };
  ScriptedLink(std::int64_t& now, std::deque<Step> steps) : now_(now), steps_(std::move(steps)) {}

  void Connect(const std::string& host, int port) override { connects.push_back(host + ":" + std::to_string(port)); }
  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t>) override {
    requests.emplace_back(request.begin(), request.end());
    const Step step = steps_.front();
    steps_.pop_front();
    now_ += step.delay_ms;
    return step.received;
  }
  void Close() override {}

  std::vector<std::string> connects;
  std::vector<Bytes> requests;

 private:
  std::int64_t& now_;
  std::deque<Step> steps_;
};

class FakeClock : public ProbeClock {
 public:
  int UtcSecond() override { return second; }
  std::int64_t TickMs() override { return now; }
  void SleepMs(int ms) override { now += ms; }
  int second = 0;
  std::int64_t now = 1000;
};

Deployment FourServers() {
  Deployment d;
  d.quote_servers = {{{"10.0.0.1", "10.0.0.2"}, {"10.1.0.1", "10.1.0.2"}}};  // [group][index]
  return d;
}

// Group 1 is probed first; the faster group wins and a tie goes to group 1. Seconds 30..59 of the
// minute pick index 1 of each group.
TEST(ServerChoiceTest, TheFasterGroupWinsTheSecondPicksTheIndexABadAnswerChangesNothingAndRowsMap) {
  const struct {
    int second;
    std::deque<ScriptedLink::Step> steps;
    ServerCell chosen;
    std::vector<std::string> connects;
  } cases[] = {
      {0, {{40, 8}, {15, 8}}, {0, 0}, {"10.1.0.1:2860", "10.0.0.1:2860"}},
      {45, {{20, 8}, {20, 8}}, {1, 1}, {"10.1.0.2:2860", "10.0.0.2:2860"}},
  };
  for (const auto& c : cases) {
    FakeClock clock;
    clock.second = c.second;
    ScriptedLink link(clock.now, c.steps);
    ServerSelection selection;
    ASSERT_TRUE(RunStartupProbe(link, clock, FourServers(), selection));
    EXPECT_EQ(selection.Get(), c.chosen) << c.second;
    EXPECT_EQ(link.connects, c.connects);
    EXPECT_EQ(link.requests.front(), (Bytes{'{', 0, 0, 0, 0, 0, 0, '}'}));
  }
  // An answer of the wrong size leaves the selection.
  for (const int bad : {0, -1, 7, 9}) {
    FakeClock clock;
    ScriptedLink link(clock.now, {{5, 8}, {1, bad}});
    ServerSelection selection;
    selection.Set({0, 1});
    EXPECT_FALSE(RunStartupProbe(link, clock, FourServers(), selection));
    EXPECT_EQ(selection.Get(), (ServerCell{0, 1}));
  }
  // Rows of the manual list map to groups, and row 24 keeps the selection.
  const ServerCell current{0, 1};
  const std::pair<int, ServerCell> rows[] = {{0, {1, 0}},  {7, {1, 0}},  {8, {0, 0}},  {9, {0, 0}},
                                             {10, {0, 1}}, {19, {0, 1}}, {20, {1, 1}}, {23, {1, 1}}};
  for (const auto& [row, cell] : rows) EXPECT_EQ(ManualChoice(row, current), cell) << row;
  EXPECT_EQ(ManualChoice(24, ServerCell{0, 0}), (ServerCell{0, 0}));
  EXPECT_EQ(ManualChoice(24, current), current);
}

}  // namespace
}  // namespace tarvello
