// The background alert check against the simulator: an alert set under the current price of a
// moving share fires within a list period or so, says so in a "提示" box and marks the share.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/terminal.h"
#include "market/alert_book.h"
#include "market/alert_marks.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "settings/refresh_settings.h"
#include "simulator_process.h"
#include "started_terminal.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(AlertsEndToEnd, AnAlertUnderTheCurrentPriceFiresAndMarksTheShare) {
  if (!testing::FindBuiltProgram("tarvello-quoted")) GTEST_SKIP() << "the simulator is not built";
  testing::QtApp app;
  testing::TempFolder sim_folder, home;
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  testing::SimulatorProcess simulator(sim_folder.path());
  const std::optional<testing::SimulatorPorts> ports = simulator.WaitForPorts();
  ASSERT_TRUE(ports.has_value());
  testing::WriteDeploymentFor(home.path(), *ports);
  ASSERT_TRUE(SaveRefreshSettings(RefreshSettings{5, 5, 15}, home.path()));
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  ASSERT_EQ(AlertBook::InFolder(home.path()).Set({share, kAlertPriceAbove, 10}), AlertChange::kDone);
  AlertMarks::Shared().ClearAll();

  std::unique_ptr<Terminal> terminal = testing::StartedTerminal(home.path());
  ASSERT_NE(terminal, nullptr);
  const auto told = [&] {
    return std::any_of(prompter.asked().begin(), prompter.asked().end(), [](const Prompt& p) {
      return p.caption == u"提示" && p.text.find(u"SH600001") != std::u16string::npos &&
             p.text.find(u"价格高于 0.01") != std::u16string::npos;
    });
  };
  EXPECT_TRUE(testing::ProcessEventsUntil(told, std::chrono::seconds(30)));
  EXPECT_TRUE(AlertMarks::Shared().IsMarked(share));
  terminal->OpenSecurity(share);
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return !AlertMarks::Shared().IsMarked(share); }));
  terminal.reset();
  InstallPrompter(nullptr);
  SetProgramFolder(".");
}

}  // namespace
}  // namespace tarvello
