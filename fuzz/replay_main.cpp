// Runs a fuzz target once over every file of the folders and files named on the command line,
// the way libFuzzer replays a corpus, so that builds without libFuzzer still check the corpus.
// Usage: fuzz_replay <target> <file or folder>...
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace {

void RunFile(tarvello::fuzz::FuzzTarget target, const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  const auto& targets = tarvello::fuzz::FuzzTargets();
  const auto found = argc > 1 ? targets.find(argv[1]) : targets.end();
  if (found == targets.end()) {
    std::fprintf(stderr, "usage: %s <target> <file or folder>...; targets:", argv[0]);
    for (const auto& [name, target] : targets) std::fprintf(stderr, " %.*s", static_cast<int>(name.size()), name.data());
    std::fprintf(stderr, "\n");
    return 2;
  }
  int count = 0;
  for (int i = 2; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        if (entry.is_regular_file()) {
          RunFile(found->second, entry.path());
          ++count;
        }
      }
    } else {
      RunFile(found->second, path);
      ++count;
    }
  }
  std::printf("replayed %d inputs\n", count);
  return count > 0 ? 0 : 1;
}
