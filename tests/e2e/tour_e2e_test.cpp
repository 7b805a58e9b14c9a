// The tour against the simulator, as `--tour` runs it: every screen it visits is saved, and every
// one of them shows its data before it is saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "child_process.h"
#include "simulator_process.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(TourEndToEnd, EveryScreenIsSavedWithItsData) {
  const auto terminal = testing::FindBuiltProgram("tarvello");
  if (!testing::FindBuiltProgram("tarvello-quoted") || !terminal) GTEST_SKIP() << "the programs are not built";
  testing::TempFolder sim_folder;
  testing::TempFolder home;
  testing::SimulatorProcess simulator(sim_folder.path());
  const std::optional<testing::SimulatorPorts> ports = simulator.WaitForPorts();
  ASSERT_TRUE(ports.has_value()) << simulator.Log();
  testing::WriteDeploymentFor(home.path(), *ports);

  const std::filesystem::path shots = home.path() / "shots";
  const std::filesystem::path out = home.path() / "tour.out";
  const std::filesystem::path err = home.path() / "tour.err";
  testing::ChildProcess tour(*terminal, {"--home", home.path().string(), "--tour", shots.string()}, out, err,
                             {"QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(tour.started());
  const std::optional<int> code = tour.WaitForExit(std::chrono::minutes(8));
  ASSERT_EQ(code, std::optional<int>(0)) << testing::ReadBytes(err);
  EXPECT_EQ(testing::ReadBytes(err).find("before its data arrived"), std::string::npos) << testing::ReadBytes(err);
  int pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(shots)) {
    if (entry.path().extension() != ".png") continue;
    ++pictures;
    EXPECT_GT(std::filesystem::file_size(entry.path()), 1000u) << entry.path();
  }
  EXPECT_GE(pictures, 40);
  EXPECT_NE(testing::ReadBytes(out).find("tour: " + std::to_string(pictures) + " pictures"), std::string::npos);
}

}  // namespace
}  // namespace tarvello
