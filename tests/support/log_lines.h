// Test support: the messages of a communication log, oldest first, without their time stamps.
// The elapsed milliseconds of the "... end %d" lines vary from run to run and read as "N".
#pragma once

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tarvello::testing {

inline std::vector<std::string> LogMessages(const std::filesystem::path& file) {
  const std::string bytes = ReadBytes(file);
  std::vector<std::string> messages;
  const std::regex elapsed("^(Connect|SendData|RecieveData) end \\d+$");
  std::size_t pos = 38;  // behind the header and the space line
  for (std::size_t end; (end = bytes.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
    std::string line = bytes.substr(pos, end - pos);
    if (line == "**End**") break;
    line = line.size() >= 21 ? line.substr(21) : line;
    messages.push_back(std::regex_replace(line, elapsed, "$1 end N"));
  }
  return messages;
}

}  // namespace tarvello::testing
