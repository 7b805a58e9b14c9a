// A temporary folder for the fuzz targets that read and change files: made on first use under the
// system's temporary folder, named `<prefix>-XXXXXX`, and removed when the program ends. One
// folder per program; the first call's prefix names it, and later calls may leave it out.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvello::fuzz {

inline void RemoveFuzzFolder();

inline const std::filesystem::path& FuzzFolder(std::string_view prefix = "tarvello-fuzz") {
  static const std::filesystem::path folder = [prefix] {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    return std::filesystem::path(::mkdtemp(pattern.data()));
  }();
  // Registered after the folder's own destructor, so it runs while the path is still alive.
  static const bool removedAtExit = std::atexit(RemoveFuzzFolder) == 0;
  static_cast<void>(removedAtExit);
  return folder;
}

inline void RemoveFuzzFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(FuzzFolder(), ignored);
}

}  // namespace tarvello::fuzz
