// What the two flushes of a whole-file rewrite cost per write on this machine: ReplaceFile (the
// data flushed before the rename, the folder after it) against the same temporary file written
// and renamed without either flush. The file is a self-selected list of 200 codes as the program
// writes it. Wall time: the flushes wait on the disk, not on the processor.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ratio_reporter.h"
#include "storage/whole_file.h"

namespace tarvello {
namespace {

std::string ListBytes() {
  std::string text = "[STOCKLIST]\r\n";
  for (int i = 200; i >= 1; --i) text += "STOCKCODE" + std::to_string(i) + "=SH6" + std::to_string(100000 + i) + "\r\n";
  std::string wide;
  for (const char c : text) wide += {c, '\0'};
  return wide;
}

const std::filesystem::path& Target() {
  static const std::filesystem::path path = std::filesystem::current_path() / "tarvello-bench-whole-file.ini";
  return path;
}

void BM_ReplaceFileFlushed(benchmark::State& state) {
  const std::string bytes = ListBytes();
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceFile(Target(), bytes));
}
BENCHMARK(BM_ReplaceFileFlushed)->UseRealTime();

void BM_WriteAndRenameUnflushed(benchmark::State& state) {
  const std::string bytes = ListBytes();
  const std::string temp = Target().string() + ".unflushed";
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    ::close(fd);
    benchmark::DoNotOptimize(::rename(temp.c_str(), Target().c_str()));
  }
}
BENCHMARK(BM_WriteAndRenameUnflushed)->UseRealTime();

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  tarvello::bench::RatioReporter reporter(tarvello::bench::RatioReporter::Clock::kWall);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double flushed = reporter.Nanoseconds("BM_ReplaceFileFlushed/real_time");
  const double unflushed = reporter.Nanoseconds("BM_WriteAndRenameUnflushed/real_time");
  if (flushed > 0 && unflushed > 0) {
    std::printf("the two flushes cost %s per write (%s flushed, %s without)\n",
                tarvello::bench::Duration(flushed - unflushed).c_str(), tarvello::bench::Duration(flushed).c_str(),
                tarvello::bench::Duration(unflushed).c_str());
    tarvello::bench::EmitFigure({"whole-file rewrite, flushed", tarvello::bench::Duration(flushed),
                                 "BM_WriteAndRenameUnflushed", tarvello::bench::Duration(unflushed),
                                 flushed / unflushed, "", true});
  }
  benchmark::Shutdown();
  std::filesystem::remove(tarvello::Target());
  return 0;
}
