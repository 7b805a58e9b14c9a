// Test support for the end-to-end tests: the terminal on a program folder, started and waited
// for until its main menu is up.
#pragma once

#include <filesystem>
#include <memory>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "platform/qt_test_app.h"

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

}  // namespace tarvello::testing
