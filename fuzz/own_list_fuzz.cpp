// Treats the input as the bytes of a self-selected list file, reads it and changes it. Whatever
// the file held, its readable codes must survive an Add, a successful Add must list its code, and
// the list must hold only distinct, well-formed codes.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "market/own_stock_list.h"

namespace {

std::filesystem::path MakeFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "tarvello-own-list-XXXXXX").string();
  return std::filesystem::path(::mkdtemp(pattern.data()));
}

void RemoveFolder();

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = MakeFolder();
  // Registered after the folder's own destructor, so it runs while the path is still alive.
  static const bool removedAtExit = std::atexit(RemoveFolder) == 0;
  static_cast<void>(removedAtExit);
  return folder;
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder(), ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarvello::OwnStockList;
  using tarvello::SecurityCode;
  OwnStockList list = OwnStockList::SelfSelected(Folder());
  {
    std::ofstream out(list.file(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  list.Reread();
  const auto before = list.Codes();
  const SecurityCode added(u"SZ399001");
  const bool wasAdded = list.Add(added);
  const auto after = list.Codes();
  for (const SecurityCode& code : before) {
    if (std::find(after.begin(), after.end(), code) == after.end()) abort();
  }
  if (wasAdded && std::find(after.begin(), after.end(), added) == after.end()) abort();
  for (auto it = after.begin(); it != after.end(); ++it) {
    if (!it->IsWellFormed() || std::find(after.begin(), it, *it) != it) abort();
  }
  if (!after.empty() && list.Remove(after.front())) {
    const auto remaining = list.Codes();
    if (remaining.size() + 1 != after.size() || list.Contains(after.front())) abort();
  }
  return 0;
}
