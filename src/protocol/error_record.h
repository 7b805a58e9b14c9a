// ErrorRecord: the last recorded connection failure, kept as [CODE] Errors in "ErrorCode.ini" of
// the program folder, so that the next start can report it to the server and then clear it.
// Safe from any thread (the INI engine serialises changes of the file).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvello {

class ErrorRecord {
 public:
  static constexpr const char* kFileName = "ErrorCode.ini";

  explicit ErrorRecord(const std::filesystem::path& folder) : path_(folder / kFileName) {}

  // The recorded failure text; empty when none.
  std::u16string Read() const;
  // Records text (not empty); false when the file cannot be written.
  bool Write(std::u16string_view text) const;
  // Records a connection status the way failures are stored: "0x%x".
  bool WriteStatus(unsigned status) const;
  // Removes the record; true when none is left.
  bool Clear() const;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tarvello
