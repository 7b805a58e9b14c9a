// The whole program against the simulator: a first start on an empty program folder through
// network start-up, registration and login to the menu with a live ticker; the single-copy rule;
// the background alert check; failover to a second server; and the screenshot tour.
#include <algorithm>
#include <filesystem>
#include <string>

#include "market/alert_book.h"
#include "market/alert_marks.h"
#include "platform/recording_canvas.h"
#include "protocol/comm_log.h"
#include "settings/refresh_settings.h"
#include "shell/instance_lock.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ChildProcess;
using testing::ReadBytes;

using ProgramWalk = testing::TerminalWalk;

TEST_F(ProgramWalk, AFirstStartRegistersLogsInAndShowsTheMenuWithBothIndices) {
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(StartTerminal(Size{240, 320}));
  CDlgMain& main = *terminal_->main_screen();
  ASSERT_TRUE(WaitFor([&] { return main.ticker().shanghai.last > 0 && main.ticker().shenzhen.last > 0; }))
      << simulator_->Log();
  EXPECT_EQ(terminal_->frame().current_screen(), &main);
  // The strip alternates between the indices with each refresh; both appear within two cycles.
  bool saw_shanghai = false;
  bool saw_shenzhen = false;
  testing::ProcessEventsUntil([&] {
    RecordingCanvas canvas(Size{main.width(), main.height()});
    main.PaintOn(canvas);
    saw_shanghai = saw_shanghai || canvas.FindText(u"沪").has_value();
    saw_shenzhen = saw_shenzhen || canvas.FindText(u"深").has_value();
    return saw_shanghai && saw_shenzhen;
  }, std::chrono::seconds(8));
  EXPECT_TRUE(saw_shanghai);
  EXPECT_TRUE(saw_shenzhen);

  const std::string configuration = text::ToUtf8(DecodeUtf16Le(ReadBytes(home_ / "Configuration.ini")));
  for (const char* line : {"LIST=15", "TSLINE=5", "KLLINE=15", "GUID=", "MACHINE=", "TIME="}) {
    EXPECT_NE(configuration.find(line), std::string::npos) << line << " missing from\n" << configuration;
  }
  ASSERT_TRUE(WaitFor([&] { return simulator_->Log().find("registration: ") != std::string::npos; }));
  const std::string log = simulator_->Log();
  const std::string registration = log.substr(log.find("registration: "));
  EXPECT_NE(registration.find("|240*320|5|"), std::string::npos) << registration;
  EXPECT_NE(registration.find("|V3.3"), std::string::npos) << registration;
}

// A second copy on a folder whose lock is held ends at once without reading anything; a lock file
// that cannot be opened ends with a message, not in silence.
TEST_F(ProgramWalk, ASecondCopyEndsAtOnceAndALockFileThatCannotBeOpenedSaysSo) {
  const std::optional<std::filesystem::path> program = testing::FindBuiltProgram("tarvello");
  if (!program) GTEST_SKIP() << "the terminal is not built";
  std::error_code error;
  std::optional<InstanceLock> held = InstanceLock::Acquire(home_.path(), error);
  ASSERT_TRUE(held.has_value());
  ChildProcess second(*program, {"--home", home_.path().string()}, sim_folder_ / "second.out",
                      sim_folder_ / "second.err", {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.WaitForExit(std::chrono::seconds(5)), 0);
  EXPECT_FALSE(std::filesystem::exists(home_ / "Deployment.ini")) << "the second copy read nothing";

  std::filesystem::create_directory(sim_folder_ / kInstanceLockName);  // not a file: even root cannot open it
  ChildProcess copy(*program, {"--home", sim_folder_.path().string()}, home_ / "copy.out", home_ / "copy.err",
                    {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(copy.started());
  EXPECT_EQ(copy.WaitForExit(std::chrono::seconds(5)), 1);
  const std::string said = ReadBytes(home_ / "copy.err");
  EXPECT_NE(said.find("cannot open the lock file"), std::string::npos) << said;
  EXPECT_NE(said.find(kInstanceLockName), std::string::npos) << said;
}

// An alert set under the current price of a moving share fires within a list period or so, says
// so in a "提示" box and marks the share; opening the share clears the mark.
TEST_F(ProgramWalk, AnAlertUnderTheCurrentPriceFiresAndMarksTheShare) {
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(SaveRefreshSettings(RefreshSettings{5, 5, 15}, home_.path()));
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  ASSERT_EQ(AlertBook::InFolder(home_.path()).Set({share, kAlertPriceAbove, 10}), AlertChange::kDone);
  AlertMarks::Shared().ClearAll();
  ASSERT_TRUE(StartTerminal());
  EXPECT_TRUE(WaitFor([&] {
    return std::any_of(prompter_.asked().begin(), prompter_.asked().end(), [](const Prompt& p) {
      return p.caption == u"提示" && p.text.find(u"SH600001") != std::u16string::npos &&
             p.text.find(u"价格高于 0.01") != std::u16string::npos;
    });
  }));
  EXPECT_TRUE(AlertMarks::Shared().IsMarked(share));
  terminal_->OpenSecurity(share);
  EXPECT_TRUE(WaitFor([&] { return !AlertMarks::Shared().IsMarked(share); }));
}

// The terminal starts on the first simulator (the second is not up yet, so the start-up probe
// keeps the first group); when the first stops, three failed exchanges move the terminal to the
// second, the communication log says so, and the detail screen goes on refreshing from there.
TEST_F(ProgramWalk, AStoppedServerIsLeftForTheOtherWithinSecondsAndTheLogSaysWhy) {
  simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path());
  const std::optional<testing::SimulatorPorts> ports = simulator_->WaitForPorts();
  ASSERT_TRUE(ports.has_value());
  const std::string port = std::to_string(ports->quote);
  // Group 1 is the first simulator, group 0 the second, on another loopback address.
  testing::WriteBytes(home_ / "Deployment.ini",
                      EncodeUtf16Le(text::FromUtf8("[SERVERS]\r\nPORT=" + port +
                                                   "\r\nQUOTE1_0=127.0.0.1\r\nQUOTE1_1=127.0.0.1\r\n"
                                                   "QUOTE0_0=127.0.0.2\r\nQUOTE0_1=127.0.0.2\r\n[GATEWAY]\r\nPORT=" +
                                                   std::to_string(ports->gateway) + "\r\n")));
  ASSERT_TRUE(StartTerminal());
  testing::TempFolder second_folder;
  testing::SimulatorProcess second(second_folder.path(), {ports->quote, 0}, {"--bind", "127.0.0.2"});
  ASSERT_TRUE(second.WaitForPorts().has_value()) << second.Log();
  ASSERT_TRUE(OpenSecurity("SH600001"));

  simulator_.reset();
  const auto refresh = [&] {
    if (detail().HasTimer(kTimerIntraday)) detail().RequestRefresh(false);
  };
  const std::string line = "Failover 127.0.0.1:" + port + " -> 127.0.0.2:" + port + ": three exchanges failed";
  ASSERT_TRUE(WaitFor([&] {
    refresh();
    return ReadBytes(home_ / CommLog::kFileName).find(line) != std::string::npos;
  }));
  const std::shared_ptr<const DetailView> before = detail().view();
  EXPECT_TRUE(WaitFor([&] {
    refresh();
    return detail().view() != before && detail().view()->loaded;
  })) << "the detail screen refreshes from the second server";
  terminal_.reset();
}

// The tour as `--tour` runs it: every screen it visits is saved, each showing its data.
TEST_F(ProgramWalk, TheTourSavesEveryScreenWithItsData) {
  const std::optional<std::filesystem::path> program = testing::FindBuiltProgram("tarvello");
  if (!program) GTEST_SKIP() << "the terminal is not built";
  simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path());
  const std::optional<testing::SimulatorPorts> ports = simulator_->WaitForPorts();
  ASSERT_TRUE(ports.has_value()) << simulator_->Log();
  testing::WriteDeploymentFor(home_.path(), *ports);
  const std::filesystem::path shots = home_ / "shots";
  ChildProcess tour(*program, {"--home", home_.path().string(), "--tour", shots.string()}, sim_folder_ / "tour.out",
                    sim_folder_ / "tour.err", {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(tour.started());
  ASSERT_EQ(tour.WaitForExit(std::chrono::minutes(8)), std::optional<int>(0)) << ReadBytes(sim_folder_ / "tour.err");
  const std::string err = ReadBytes(sim_folder_ / "tour.err");
  EXPECT_EQ(err.find("before its data arrived"), std::string::npos) << err;
  int pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(shots)) {
    if (entry.path().extension() != ".png") continue;
    ++pictures;
    EXPECT_GT(std::filesystem::file_size(entry.path()), 1000u) << entry.path();
  }
  EXPECT_GE(pictures, 40);
  EXPECT_NE(ReadBytes(sim_folder_ / "tour.out").find("tour: " + std::to_string(pictures) + " pictures"),
            std::string::npos);
}

}  // namespace
}  // namespace tarvello
