// Feeds arbitrary bytes as an existing communication log file: opening it and writing an entry
// must leave a well-formed header that points behind the new entry at its end marker.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "protocol/comm_log.h"

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() /
                ("tarvello-comm-log-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] { std::filesystem::remove_all(Folder()); });
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = Folder() / tarvello::CommLog::kFileName;
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  {
    tarvello::CommLog log(Folder());
    log.Write("fuzz");
  }
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const long position = std::strtol(bytes.substr(0, 32).c_str(), nullptr, 10);
  if (bytes.size() < 38 || bytes.compare(32, 3, " \r\n") != 0 ||
      bytes.compare(static_cast<std::size_t>(position), 9, "**End**\r\n") != 0 ||
      bytes.compare(static_cast<std::size_t>(position) - 8, 8, ": fuzz\r\n") != 0) {
    std::abort();
  }
  return 0;
}
