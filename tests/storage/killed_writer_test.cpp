// A pulled plug, as near as a test gets to one: a child process rewrites each of the user's files
// 200 times and is killed at a random moment. Every file the program writes must then read as one
// of the versions the child wrote (or the one before its first write): never empty, never a mix.
// One file of each way of writing: the own list changes its keys one write after another; the
// settings replace the whole file through ReplaceFile, as the alerts, the broker list and the data
// meter do.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "market/own_stock_list.h"
#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

namespace fs = std::filesystem;

constexpr int kWrites = 200;
constexpr int kRounds = 6;

SecurityCode CodeOf(int i) { return SecurityCode::FromAscii("SH" + std::to_string(600000 + i)); }
std::u16string Number(int i) {
  const std::string digits = std::to_string(i);
  return std::u16string(digits.begin(), digits.end());
}

// One kind of file: how it stands before the child writes, the i-th write (from 1), and how many
// writes the file holds now, or nothing when it reads as none of the versions.
struct KilledWriter {
  const char* name;
  std::function<void(const fs::path&)> prepare;
  std::function<bool(const fs::path&, int)> write;
  std::function<std::optional<int>(const fs::path&)> writes_held;
};

// The length of the run of items that match their version, when every item does.
template <typename Items, typename Matches>
std::optional<int> RunLength(const Items& items, int first, Matches matches) {
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (!matches(items[static_cast<std::size_t>(i)], first + i)) return std::nullopt;
  }
  return static_cast<int>(items.size()) - 1;
}

std::vector<KilledWriter> Writers() {
  const auto own = [](const fs::path& folder) { return OwnStockList::SelfSelected(folder); };
  const auto config = [](const fs::path& folder) { return folder / "Configuration.ini"; };
  return {
      {"own list", [=](const fs::path& f) { own(f).Add(CodeOf(0)); },
       [=](const fs::path& f, int i) { return own(f).Add(CodeOf(i)); },
       [=](const fs::path& f) {
         return RunLength(own(f).Codes(), 0, [](const SecurityCode& code, int i) { return code == CodeOf(i); });
       }},
      {"settings", [=](const fs::path& f) { ProfileFile::WriteString(u"INFO", u"USERNAME", u"walker", config(f)); },
       [=](const fs::path& f, int i) { return ProfileFile::WriteString(u"REFRESH", u"LIST", Number(i), config(f)); },
       [=](const fs::path& f) -> std::optional<int> {
         if (ProfileFile::GetString(u"INFO", u"USERNAME", u"", config(f)) != u"walker") return std::nullopt;
         const int list = ProfileFile::GetInt(u"REFRESH", u"LIST", 0, config(f));
         return list >= 0 && list <= kWrites ? std::optional<int>(list) : std::nullopt;
       }},
  };
}

TEST(KilledWriterTest, AFileRewrittenWhenTheWriterIsKilledHoldsAWholeVersion) {
  std::mt19937 random(20261207);
  for (const KilledWriter& writer : Writers()) {
    SCOPED_TRACE(writer.name);
    for (int round = 0; round < kRounds; ++round) {
      testing::TempFolder folder;
      writer.prepare(folder.path());
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        for (int i = 1; i <= kWrites; ++i) {
          if (!writer.write(folder.path(), i)) ::_exit(1);
        }
        ::_exit(0);
      }
      std::this_thread::sleep_for(std::chrono::microseconds(random() % 200000));
      ::kill(child, SIGKILL);
      int status = 0;
      ::waitpid(child, &status, 0);
      ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "a write failed in the child";
      const std::optional<int> held = writer.writes_held(folder.path());
      ASSERT_TRUE(held.has_value()) << "round " << round << ": the file reads as none of the versions";
    }
  }
}

}  // namespace
}  // namespace tarvello
