// Treats the input as the bytes of "Trades.ini". Whatever it held, reading must not fault, an
// append that succeeds must add exactly its entry at the end, and removing a row that succeeds
// must leave one row fewer with the last entry moved into the row's place.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "brokers/trades_file.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace trades_file = tarvello::trades_file;
  const std::filesystem::path file = tarvello::fuzz::FuzzFolder("tarvello-trades") / trades_file::kFileName;
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const auto before = trades_file::Read(file);
  const auto added = tarvello::OwnBranch::Of(u"0311-55500000", u"北京-人民路营业部");
  if (trades_file::Append(file, added)) {
    const auto after = trades_file::Read(file);
    if (before.size() < static_cast<std::size_t>(trades_file::kRowLimit) &&
        (after.size() != before.size() + 1 || !(after.back() == added))) {
      abort();
    }
  }
  // A list read only up to the row limit has more entries than it shows; its sizes prove nothing.
  const auto rows = trades_file::Read(file);
  const bool whole = rows.size() < static_cast<std::size_t>(trades_file::kRowLimit);
  if (!rows.empty() && trades_file::Remove(file, rows, 0) && whole) {
    const auto remaining = trades_file::Read(file);
    if (remaining.size() + 1 != rows.size()) abort();
    if (!remaining.empty() && !(remaining.front() == rows.back())) abort();
  }
  return 0;
}
