// PathLock: one mutex per file path inside the process, so that two threads never interleave a
// read-change-rewrite of the same file. Paths are compared after making them absolute and
// lexically normal; the mutexes live until the process ends. Safe from any thread.
#pragma once

#include <filesystem>
#include <mutex>

namespace tarvello {

std::mutex& PathLock(const std::filesystem::path& path);

}  // namespace tarvello
