// Test support for the end-to-end tests: the terminal on a program folder, started and waited
// for until its main menu is up.
#pragma once

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "simulator_process.h"
#include "support/temp_folder.h"

namespace tarvello::testing {

// Null when the menu did not come within 20 seconds.
inline std::unique_ptr<Terminal> StartedTerminal(const std::filesystem::path& home, Size screen = {480, 640}) {
  SetProgramFolder(home.string());
  auto terminal = std::make_unique<Terminal>(home, screen, [] {});
  terminal->Start();
  const bool shown = ProcessEventsUntil([&] {
    return terminal->main_screen() != nullptr && terminal->main_screen()->menu_shown();
  }, std::chrono::seconds(20));
  return shown ? std::move(terminal) : nullptr;
}

// A simulator of its own and the terminal started against it, with a scripted prompter; skipped
// where the simulator is not built.
class TerminalEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FindBuiltProgram("tarvello-quoted")) GTEST_SKIP() << "the simulator is not built";
    InstallPrompter(&prompter_);
    simulator_ = std::make_unique<SimulatorProcess>(sim_folder_.path());
    const std::optional<SimulatorPorts> ports = simulator_->WaitForPorts();
    ASSERT_TRUE(ports.has_value());
    ports_ = *ports;
    WriteDeploymentFor(home_.path(), ports_);
    terminal_ = StartedTerminal(home_.path());
    ASSERT_NE(terminal_, nullptr);
  }
  void TearDown() override {
    terminal_.reset();
    InstallPrompter(nullptr);
    SetProgramFolder(".");
  }

  // True once screen is in front and no progress window covers it.
  bool Settled(QWidget* screen) {
    return terminal_->frame().current_screen() == screen && terminal_->progress().isHidden();
  }

  QtApp app_;
  TempFolder home_;
  TempFolder sim_folder_;
  ScriptedPrompter prompter_;
  std::unique_ptr<SimulatorProcess> simulator_;
  SimulatorPorts ports_;
  std::unique_ptr<Terminal> terminal_;
};

}  // namespace tarvello::testing
