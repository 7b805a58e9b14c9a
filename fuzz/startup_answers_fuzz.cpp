// Feeds arbitrary bytes to the readers of the start-up's answers: the login answer and the
// server time of the device registration, and the index ticker's two quotes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "shell/device_registration.h"
#include "market/index_ticker.h"
#include "shell/startup_login.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> answer(data, size);
  tarvello::ReadLoginAnswer(answer);
  tarvello::ReadServerTime(answer);
  tarvello::ReadTickerAnswer(answer);
  return 0;
}
