// Failover against two simulators: the terminal starts on the first (the second is not up yet,
// so the start-up probe keeps the first group); when the first stops, three failed exchanges
// move the terminal to the second, the communication log says so, and the detail screen goes on
// refreshing from there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "protocol/comm_log.h"
#include "simulator_process.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

TEST(FailoverEndToEnd, AStoppedServerIsLeftForTheOtherWithinSecondsAndTheLogSaysWhy) {
  if (!testing::FindBuiltProgram("tarvello-quoted")) GTEST_SKIP() << "the simulator is not built";
  testing::QtApp app;
  testing::TempFolder home;
  testing::TempFolder first_folder;
  testing::TempFolder second_folder;
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  auto first = std::make_unique<testing::SimulatorProcess>(first_folder.path());
  const std::optional<testing::SimulatorPorts> ports = first->WaitForPorts();
  ASSERT_TRUE(ports.has_value());
  const std::string port = std::to_string(ports->quote);
  // Group 1 is the first simulator, group 0 the second, on another loopback address.
  testing::WriteBytes(home / "Deployment.ini",
                      EncodeUtf16Le(text::FromUtf8("[SERVERS]\r\nPORT=" + port +
                                                   "\r\nQUOTE1_0=127.0.0.1\r\nQUOTE1_1=127.0.0.1\r\n"
                                                   "QUOTE0_0=127.0.0.2\r\nQUOTE0_1=127.0.0.2\r\n[GATEWAY]\r\nPORT=" +
                                                   std::to_string(ports->gateway) + "\r\n")));
  SetProgramFolder(home.path().string());
  {
    Terminal terminal(home.path(), Size{480, 640}, [] {});
    terminal.Start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return terminal.main_screen() && terminal.main_screen()->menu_shown(); },
                                   std::chrono::seconds(20)));
    testing::SimulatorProcess second(second_folder.path(), {ports->quote, 0}, {"--bind", "127.0.0.2"});
    ASSERT_TRUE(second.WaitForPorts().has_value()) << second.Log();

    terminal.OpenSecurity(SecurityCode(u"SH600001"));
    CStockDetailDlg* detail = nullptr;
    ASSERT_TRUE(ProcessEventsUntil([&] {
      detail = terminal.detail_screen();
      return detail && terminal.frame().current_screen() == detail && detail->view()->loaded;
    }, std::chrono::seconds(20)));

    first.reset();
    const std::string line = "Failover 127.0.0.1:" + port + " -> 127.0.0.2:" + port + ": three exchanges failed";
    ASSERT_TRUE(ProcessEventsUntil([&] {
      if (detail->HasTimer(kTimerIntraday)) detail->RequestRefresh(false);
      return testing::ReadBytes(home / CommLog::kFileName).find(line) != std::string::npos;
    }, std::chrono::seconds(20)));
    const std::shared_ptr<const DetailView> before = detail->view();
    EXPECT_TRUE(ProcessEventsUntil([&] {
      if (detail->HasTimer(kTimerIntraday)) detail->RequestRefresh(false);
      return detail->view() != before && detail->view()->loaded;
    }, std::chrono::seconds(20))) << "the detail screen refreshes from the second server";
  }
  InstallPrompter(nullptr);
  SetProgramFolder(".");
}

}  // namespace
}  // namespace tarvello
