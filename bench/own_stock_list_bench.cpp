// Cost of the own-list operations against the floor of a single INI engine lookup on the same
// file, for lists of 20, 100 and 400 codes. Membership is served from memory and should stay under
// 1 us at 400 codes, since every painted row of a quote list asks it; changes go to the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "market/own_stock_list.h"
#include "ratio_reporter.h"
#include "storage/profile_file.h"

namespace {

using tarvello::OwnStockList;
using tarvello::SecurityCode;

class ListFolder {
 public:
  explicit ListFolder(int codes) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvello-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    OwnStockList list = OwnStockList::SelfSelected(path_);
    for (int i = 0; i < codes; ++i) list.Add(Code(i));
  }
  ~ListFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ListFolder(const ListFolder&) = delete;
  ListFolder& operator=(const ListFolder&) = delete;

  OwnStockList List() const { return OwnStockList::SelfSelected(path_); }

  static SecurityCode Code(int i) {
    const std::string digits = std::to_string(600000 + i);
    return SecurityCode(u"SH" + std::u16string(digits.begin(), digits.end()));
  }

 private:
  std::filesystem::path path_;
};

void BM_OneEngineLookup(benchmark::State& state) {
  const ListFolder folder(static_cast<int>(state.range(0)));
  const OwnStockList list = folder.List();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tarvello::ProfileFile::GetString(u"STOCKLIST", u"STOCKCODE0", u"Error", list.file()));
  }
}

void BM_Contains(benchmark::State& state) {
  const ListFolder folder(static_cast<int>(state.range(0)));
  const OwnStockList list = folder.List();
  const SecurityCode absent(u"SZ399001");
  for (auto _ : state) benchmark::DoNotOptimize(list.Contains(absent));
}

void BM_AddThenRemove(benchmark::State& state) {
  const ListFolder folder(static_cast<int>(state.range(0)));
  OwnStockList list = folder.List();
  const SecurityCode added(u"SZ399001");
  for (auto _ : state) {
    list.Add(added);
    list.Remove(added);
  }
}

BENCHMARK(BM_OneEngineLookup)->Arg(20)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Contains)->Arg(20)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddThenRemove)->Arg(20)->Arg(100)->Arg(400)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tarvello::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const std::string codes : {"20", "100", "400"}) {
    const std::string name = "BM_Contains/" + codes;
    const std::string floor = "BM_OneEngineLookup/" + codes;
    tarvello::bench::EmitDuration(name, reporter.Nanoseconds(name), 1000, floor, reporter.Nanoseconds(floor));
  }
  benchmark::Shutdown();
  return 0;
}
