// Treats the input as the simulator's accounts file. Whatever it holds, loading ends with an
// answer (read or refused with a reason), and every account it read can log in or is locked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz_folder.h"
#include "server/wire/accounts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::string path = (fuzz::FuzzFolder("tarvello-accounts") / "accounts.txt").string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  server::AccountBook book;
  std::string error;
  const bool read = book.LoadFile(path, error);
  if (read != error.empty()) abort();
  if (book.Find(u"demo") == nullptr) abort();
  return 0;
}
