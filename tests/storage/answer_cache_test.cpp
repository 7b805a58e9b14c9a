#include "storage/answer_cache.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/answer_cache_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
using Clock = std::chrono::system_clock;

Clock::time_point At(int seconds) { return Clock::time_point(std::chrono::seconds(1'700'000'000 + seconds)); }
std::vector<std::uint8_t> Answer(std::string_view text) { return {text.begin(), text.end()}; }
CacheEntry Entry(std::string key, int seconds, std::string_view text) { return {std::move(key), At(seconds), Answer(text)}; }

class AnswerCacheTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  std::filesystem::path path_ = folder_ / kAnswerCacheFileName;
};

TEST_F(AnswerCacheTest, AnswersComeBackFromTheFileWithTheirMomentAndTheNewestOfAKey) {
  {
    AnswerCache cache(path_);
    cache.Put("detail SH600001", Answer("{old}"), At(1));
    cache.Put("kline SH600001 7 0", Answer("{bars}"), At(2));
    cache.Put("detail SH600001", Answer("{new}"), At(3));
    EXPECT_TRUE(cache.Save());
  }
  const AnswerCache reread(path_);
  EXPECT_EQ(reread.Find("detail SH600001"), Entry("detail SH600001", 3, "{new}"));
  EXPECT_EQ(reread.Find("kline SH600001 7 0"), Entry("kline SH600001 7 0", 2, "{bars}"));
  EXPECT_FALSE(reread.Find("detail SH600002"));
  EXPECT_EQ(reread.Size(), CacheRecordSize(Entry("detail SH600001", 3, "{new}")) +
                               CacheRecordSize(Entry("kline SH600001 7 0", 2, "{bars}")));
}

TEST_F(AnswerCacheTest, TheOldestGoFirstAndWhatCannotFitIsNotKept) {
  const std::size_t record = CacheRecordSize(Entry("a", 0, "0123456789"));
  AnswerCache cache(path_, 3 * record);
  cache.Put("a", Answer("0123456789"), At(5));
  cache.Put("b", Answer("0123456789"), At(1));
  cache.Put("c", Answer("0123456789"), At(9));
  cache.Put("d", Answer("0123456789"), At(7));
  EXPECT_FALSE(cache.Find("b")) << "the oldest moment went";
  EXPECT_TRUE(cache.Find("a") && cache.Find("c") && cache.Find("d"));
  cache.Put("e", std::vector<std::uint8_t>(3 * record), At(10));
  EXPECT_FALSE(cache.Find("e"));
  EXPECT_TRUE(cache.Find("a")) << "an answer too large for the bound drops nothing";
  cache.Put("", Answer("x"), At(11));
  cache.Put(std::string(kMaxCacheKeyLength + 1, 'k'), Answer("x"), At(11));
  EXPECT_EQ(cache.Size(), 3 * record);
  ASSERT_TRUE(cache.Save());
  EXPECT_EQ(AnswerCache(path_, 2 * record).Size(), 2 * record) << "a smaller bound holds when reading";
}

// Each damage of a file with three records, and the keys that must still read.
struct Damage {
  const char* name;
  std::function<std::string(std::string)> apply;
  std::vector<std::string> kept;
};

TEST_F(AnswerCacheTest, ADamagedRecordIsDroppedAndTheOthersStay) {
  const std::vector<CacheEntry> entries{Entry("a", 1, "{first}"), Entry("b", 2, "{second}"), Entry("c", 3, "{third}")};
  const std::size_t second = 8 + CacheRecordSize(entries[0]);  // where b's record starts
  const std::vector<Damage> damages{
      {"a byte of b's answer", [&](std::string f) { f[second + 4 + 2 + 1 + 8 + 2] ^= 1; return f; }, {"a", "c"}},
      {"b's check", [&](std::string f) { f[second + CacheRecordSize(entries[1]) - 1] ^= 1; return f; }, {"a", "c"}},
      {"cut inside c", [](std::string f) { f.resize(f.size() - 3); return f; }, {"a", "b"}},
      {"b's length past the end", [&](std::string f) { f[second + 3] = '\x7F'; return f; }, {"a"}},
      {"a foreign header", [](std::string f) { f[0] = 'X'; return f; }, {}},
      {"empty", [](std::string) { return std::string(); }, {}},
  };
  for (const Damage& damage : damages) {
    WriteBytes(path_, damage.apply(EncodeCacheFile(entries)));
    const AnswerCache cache(path_);
    std::vector<std::string> kept;
    for (const CacheEntry& entry : entries) {
      if (const auto found = cache.Find(entry.key)) {
        EXPECT_EQ(*found, entry) << damage.name;
        kept.push_back(entry.key);
      }
    }
    EXPECT_EQ(kept, damage.kept) << damage.name;
  }
}

TEST_F(AnswerCacheTest, ClearDropsEveryEntryAndTheFile) {
  AnswerCache cache(path_);
  cache.Put("futures", Answer("{rows}"), At(1));
  ASSERT_TRUE(std::filesystem::exists(path_)) << "a new query is written at once";
  EXPECT_TRUE(cache.Clear());
  EXPECT_EQ(cache.Size(), 0u);
  EXPECT_FALSE(cache.Find("futures"));
  EXPECT_FALSE(std::filesystem::exists(path_));
  EXPECT_TRUE(cache.Save());
  EXPECT_FALSE(std::filesystem::exists(path_)) << "nothing changed since, nothing written";
}

}  // namespace
}  // namespace tarvello
