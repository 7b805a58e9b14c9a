// The terminal against the simulator: a first start on an empty program folder, through network
// start-up, registration and login to the menu with a live ticker; and the single-copy rule.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "simulator_process.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "shell/instance_lock.h"
#include "support/temp_folder.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ChildProcess;
using testing::ProcessEventsUntil;
using testing::ReadBytes;

std::string ConfigurationText(const std::filesystem::path& folder) {
  return text::ToUtf8(DecodeUtf16Le(ReadBytes(folder / "Configuration.ini")));
}

class MainScreenEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::FindBuiltProgram("tarvello-quoted") || !testing::FindBuiltProgram("tarvello")) {
      GTEST_SKIP() << "the simulator and the terminal are not built";
    }
    InstallPrompter(&prompter_);
  }
  void TearDown() override {
    InstallPrompter(nullptr);
    SetProgramFolder(".");
  }

  testing::QtApp app_;
  testing::TempFolder home_;
  testing::TempFolder sim_folder_;
  ScriptedPrompter prompter_;
};

TEST_F(MainScreenEndToEnd, AFirstStartRegistersLogsInAndShowsTheMenuWithBothIndices) {
  testing::SimulatorProcess simulator(sim_folder_.path());
  std::optional<testing::SimulatorPorts> ports = simulator.WaitForPorts();
  ASSERT_TRUE(ports.has_value()) << simulator.Log();
  testing::WriteDeploymentFor(home_.path(), *ports);
  SetProgramFolder(home_.path().string());

  Terminal terminal(home_.path(), Size{240, 320}, [] {});
  terminal.Start();
  ASSERT_TRUE(ProcessEventsUntil([&] {
    CDlgMain* main = terminal.main_screen();
    if (main == nullptr || !main->menu_shown()) return false;
    TickerState state = main->ticker();
    return state.shanghai.last > 0 && state.shenzhen.last > 0;
  }, std::chrono::seconds(20))) << simulator.Log();
  EXPECT_EQ(terminal.frame().current_screen(), terminal.main_screen());

  // The strip alternates between the indices with each refresh; both appear within two cycles.
  bool saw_shanghai = false;
  bool saw_shenzhen = false;
  ProcessEventsUntil([&] {
    RecordingCanvas canvas(Size{terminal.main_screen()->width(), terminal.main_screen()->height()});
    terminal.main_screen()->PaintOn(canvas);
    saw_shanghai = saw_shanghai || canvas.FindText(u"沪").has_value();
    saw_shenzhen = saw_shenzhen || canvas.FindText(u"深").has_value();
    return saw_shanghai && saw_shenzhen;
  }, std::chrono::seconds(8));
  EXPECT_TRUE(saw_shanghai);
  EXPECT_TRUE(saw_shenzhen);

  std::string configuration = ConfigurationText(home_.path());
  for (const char* line : {"LIST=15", "TSLINE=5", "KLLINE=15", "GUID=", "MACHINE=", "TIME="}) {
    EXPECT_NE(configuration.find(line), std::string::npos) << line << " missing from\n" << configuration;
  }
  ASSERT_TRUE(ProcessEventsUntil([&] { return simulator.Log().find("registration: ") != std::string::npos; }));
  std::string log = simulator.Log();
  std::string registration = log.substr(log.find("registration: "));
  EXPECT_NE(registration.find("|240*320|5|"), std::string::npos) << registration;
  EXPECT_NE(registration.find("|V3.3"), std::string::npos) << registration;
}

TEST_F(MainScreenEndToEnd, ASecondCopyOnTheSameFolderEndsAtOnceWithoutAWindow) {
  std::error_code error;
  std::optional<InstanceLock> first = InstanceLock::Acquire(home_.path(), error);
  ASSERT_TRUE(first.has_value());
  ChildProcess second(*testing::FindBuiltProgram("tarvello"), {"--home", home_.path().string()},
                      sim_folder_ / "second.out", sim_folder_ / "second.err", {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.WaitForExit(std::chrono::seconds(5)), 0);
  EXPECT_FALSE(std::filesystem::exists(home_ / "Deployment.ini")) << "the second copy read nothing";
}

TEST_F(MainScreenEndToEnd, ALockFileThatCannotBeOpenedEndsWithAMessageNotInSilence) {
  std::filesystem::create_directory(home_ / kInstanceLockName);  // not a file: even root cannot open it
  ChildProcess copy(*testing::FindBuiltProgram("tarvello"), {"--home", home_.path().string()},
                    sim_folder_ / "copy.out", sim_folder_ / "copy.err", {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(copy.started());
  EXPECT_EQ(copy.WaitForExit(std::chrono::seconds(5)), 1);
  const std::string said = ReadBytes(sim_folder_ / "copy.err");
  EXPECT_NE(said.find("cannot open the lock file"), std::string::npos) << said;
  EXPECT_NE(said.find(kInstanceLockName), std::string::npos) << said;
}

}  // namespace
}  // namespace tarvello
