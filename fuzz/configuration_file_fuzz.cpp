// Treats the input as "Configuration.ini" and "ErrorCode.ini" together, as a crash or a person's
// editor may have left them: the refresh periods read from it are always among the choices'
// range, an account read as unregistered carries the refused placeholder name, and the recorded failure
// reads without a fault. A period written back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "account/account_store.h"
#include "fuzz_folder.h"
#include "protocol/error_record.h"
#include "settings/configuration_keys.h"
#include "settings/refresh_settings.h"

namespace {

bool PeriodInRange(int seconds) {
  return seconds >= tarvello::kRefreshChoices.front() && seconds <= tarvello::kRefreshChoices.back();
}

void WriteFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::filesystem::path& folder = fuzz::FuzzFolder("tarvello-configuration");
  WriteFile(folder / config::kFileName, data, size);
  WriteFile(folder / ErrorRecord::kFileName, data, size);

  const RefreshSettings read = LoadRefreshSettings(folder);
  if (!PeriodInRange(read.list_seconds) || !PeriodInRange(read.intraday_seconds) ||
      !PeriodInRange(read.kline_seconds)) {
    abort();
  }
  const StoredAccount account = LoadStoredAccount(folder);
  if (!account.registered && account.user != config::kMissingAccount) abort();
  static_cast<void>(ErrorRecord(folder).Read());

  const RefreshSettings changed{read.intraday_seconds, read.kline_seconds, read.list_seconds};
  if (SaveRefreshSettings(changed, folder)) {
    const RefreshSettings again = LoadRefreshSettings(folder);
    if (again.list_seconds != changed.list_seconds || again.intraday_seconds != changed.intraday_seconds ||
        again.kline_seconds != changed.kline_seconds) {
      abort();
    }
  }
  return 0;
}
