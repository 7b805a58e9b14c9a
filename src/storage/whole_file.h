// Whole-file reads and crash-safe whole-file rewrites for the small state files of the program.
//
// ReplaceFile writes the new contents to a temporary file in the same folder, flushes it to disk,
// renames it over the original and flushes the folder, so that a killed process, a power cut, a
// full disk or a failed write leaves either the old file or the new one, never a truncated or
// empty one: without the first flush the rename can reach the disk before the data, without the
// second the rename itself can be lost. Callers that read, change and rewrite a
// file serialise on PathLock (shell/path_lock.h). Safe from any thread.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvello {

enum class ReadResult { kRead, kMissing, kFailed };

ReadResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// True when path now holds exactly bytes.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarvello
