// The start-up login: the stored credentials (or the deployment's placeholder) go to the server as
// request 2906; the answer may grant the account's rights word and may carry a running message
// (block 2901: a serial and a text) that the main screen shows in its ticker bar.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "shell/device_registration.h"

namespace tarvello {

struct LoginAnswer {
  std::optional<std::int32_t> rights;  // from a 2906 or 2905 block with result 0
  std::optional<std::int32_t> serial;  // from a 2901 block
  std::u16string message;              // the 2901 block's text
};

// Reads an answer of more than 6 bytes that starts with "{"; anything else reads as empty.
LoginAnswer ReadLoginAnswer(std::span<const std::uint8_t> answer);

// Sends the login and reads its answer. The user name and password come from [INFO] of
// Configuration.ini, the placeholder standing in for each that is missing.
LoginAnswer RunStartupLogin(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                            std::u16string_view placeholder);

// The main screen's running message: each new serial appends its text and a blank line.
// Safe from any thread.
class RunningMessage {
 public:
  // True when the text was appended (a serial not seen last time).
  bool Offer(std::int32_t serial, std::u16string_view text);
  std::u16string Text() const;

 private:
  mutable std::mutex mutex_;
  std::optional<std::int32_t> last_serial_;  // guarded by mutex_
  std::u16string text_;                      // guarded by mutex_
};

}  // namespace tarvello
