// Treats the input as the bytes of a self-selected list file, reads it and changes it. Whatever
// the file held, its readable codes must survive an Add, a successful Add must list its code, and
// the list must hold only distinct, well-formed codes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fuzz_folder.h"
#include "market/own_stock_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarvello::OwnStockList;
  using tarvello::SecurityCode;
  OwnStockList list = OwnStockList::SelfSelected(tarvello::fuzz::FuzzFolder("tarvello-own-list"));
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
