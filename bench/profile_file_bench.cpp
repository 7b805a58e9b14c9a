// Reading one key from a list file of 200 entries through ProfileFile (open, read whole, decode,
// search, close), for the newest key (first line of the section) and the oldest (last line), and
// finding a key by its value. The floor is reading the same file's bytes alone.
#include <filesystem>
#include <fstream>
#include <string>

#include "ratio_reporter.h"
#include "storage/profile_file.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello {
namespace {

constexpr int kEntries = 200;

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// A self-selected list as the program writes it: newest entry first.
const std::filesystem::path& ListFile() {
  static const std::filesystem::path path = [] {
    const auto file = std::filesystem::temp_directory_path() / "tarvello-bench-list.ini";
    std::u16string text = u"[STOCKLIST]\r\n";
    for (int i = kEntries; i >= 1; --i) {
      text += Wide("STOCKCODE" + std::to_string(i) + "=SH6" + std::to_string(100000 + i) + "\r\n");
    }
    std::ofstream(file, std::ios::binary) << EncodeUtf16Le(text);
    return file;
  }();
  return path;
}

void BM_GetNewestKey(benchmark::State& state) {
  const std::u16string key = Wide("STOCKCODE" + std::to_string(kEntries));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ProfileFile::GetString(u"STOCKLIST", key, u"Error", ListFile()));
  }
}
BENCHMARK(BM_GetNewestKey);

void BM_GetOldestKey(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ProfileFile::GetString(u"STOCKLIST", u"STOCKCODE1", u"Error", ListFile()));
  }
}
BENCHMARK(BM_GetOldestKey);

void BM_FindKeyByOldestValue(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ProfileFile::FindKeyByValue(u"STOCKLIST", u"SH6100001", u"Error", ListFile()));
  }
}
BENCHMARK(BM_FindKeyByOldestValue);

void BM_ReadFileAlone(benchmark::State& state) {
  std::string bytes;
  for (auto _ : state) {
    ReadWholeFile(ListFile(), bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_ReadFileAlone);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  const int result =
      tarvello::bench::RunAndPrintRatios(argc, argv, {{"BM_GetOldestKey", "BM_ReadFileAlone", 2.0}});
  std::filesystem::remove(tarvello::ListFile());
  return result;
}
